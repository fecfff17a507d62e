#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <utility>

#include "app/RecentFileList.h"

class QLabel;
class QMenu;
class QToolBar;

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

class BrowserView;
class CommandTable;
class SheetCheckDisplay;
class CMyVeskView;
class PreviewWindow;

// The main window: menu bar, tool bar, status bar and the one view. The
// commands themselves live in the command table; the frame builds the bars
// from it and keeps the recent-file list.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CMyVeskDoc& doc);
    ~CMainFrame() override;

    CMyVeskView* View() const { return view_; }
    CommandTable& Commands() const { return *commands_; }
    QToolBar* ToolBar() const { return toolBar_; }
    RecentFileList& RecentFiles() { return recentFiles_; }
    SheetCheckDisplay& CheckDisplay() const { return *checkDisplay_; }
    // The 3D preview's window, once the command has opened it.
    PreviewWindow* Preview() const;

    // The document's title changed: the caption follows and the window comes
    // to the front.
    void DocumentTitleChanged();
    // The view's scroll extent becomes width x height and the window is resized
    // so that the view's client area is exactly that; the view is repainted.
    void SetExtentAndFit(int width, int height);
    // Resizes the window so that the view's client area is exactly its extent,
    // or, for a picture larger than the screen's available area, so that the
    // window fills that area and the view scrolls; the window is moved onto it.
    void FitToView();
    // The document changed what it shows: the caption follows, and the message
    // pane returns to its idle text when the view leaves or changes the survey map.
    void DocumentChanged();
    // The zoom as the status bar shows it; empty at 100 %.
    QString ZoomText() const;
    // The status bar's message pane; an empty text leaves it blank.
    void SetMessageText(const QString& text);
    QString MessageText() const;
    // The lock indicators' texts as shown (empty while a lock is off or unknown).
    QStringList IndicatorTexts() const;

    // Opens a sheet through the document and enters it in the recent-file list.
    void OpenAndRemember(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void ConnectCommands();
    void RebuildRecentFileMenu();
    void UpdateIndicators();
    void ShowCaption();
    bool ViewHoldsExtent();
    void AdjustToFitTarget();
    QSize FittedViewSize() const;
    void MoveOntoAvailableArea();
    void ApplyInitialOuterSize();
    void RefitToNewFrame();
    void ShowZoom(int percent);
    void ToggleBar(QWidget* bar);
    void OnGenericOpen();
    void OnPreview();

    CMyVeskDoc& doc_;
    std::unique_ptr<CommandTable> commands_;
    std::unique_ptr<BrowserView> browserView_;
    CMyVeskView* view_ = nullptr;
    SheetCheckDisplay* checkDisplay_ = nullptr;
    QPointer<PreviewWindow> preview_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* zoomPane_ = nullptr;
    QList<QLabel*> indicators_;
    QList<QAction*> recentActions_;
    RecentFileList recentFiles_;
    // Fitting runs until the view has its fitted size; fitted_ stays on while
    // the window is fitted to a picture, so bar toggles fit it again.
    bool fitting_ = false;
    bool fitted_ = false;
    int fitAttempts_ = 0;
    QSize fittedFrame_;
    bool initialOuterSizePending_ = true;
    std::pair<int, std::uint64_t> shownMap_{0, 0};
};

}  // namespace vesk::gui
