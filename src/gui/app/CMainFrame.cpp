#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/AboutDlg.h"
#include "app/CommandCatalog.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/LockKeyState.h"
#include "app/PathText.h"
#include "app/SessionSettings.h"
#include "batchconvert/BatchConversionRun.h"
#include "browserview/BrowserView.h"
#include "dialogs/JapaneseFileList.h"
#include "document/CMyVeskDoc.h"
#include "findings/FindingsPanel.h"
#include "findings/SheetCheckDisplay.h"
#include "preview/PreviewWindow.h"
#include "view/CMyVeskView.h"

// Resources of a static library must be registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(vesk);
}

namespace vesk::gui {
namespace {

constexpr int kInitialWidth = 330;
constexpr int kInitialHeight = 337;
constexpr int kMaxFitAttempts = 8;
// How long after the first show the window manager may take to put its frame
// around the window, after which the first size is no longer corrected.
constexpr int kFrameWaitMs = 3000;
constexpr int kLockKeyPollMs = 250;

const char* ToolBarImage(int id) {
    switch (id) {
        case cmd::kNew:
            return ":/toolbar/new.xpm";
        case cmd::kOpenSheet:
            return ":/toolbar/open.xpm";
        case cmd::kConvert:
            return ":/toolbar/save.xpm";
        case cmd::kCut:
            return ":/toolbar/cut.xpm";
        case cmd::kCopy:
            return ":/toolbar/copy.xpm";
        case cmd::kPaste:
            return ":/toolbar/paste.xpm";
        case cmd::kPrint:
            return ":/toolbar/print.xpm";
        case cmd::kAbout:
            return ":/toolbar/help.xpm";
        default:
            return nullptr;
    }
}

// The sheet file a drag brings: one local file named *.tqb in any letter case.
QString DraggedSheet(const QMimeData* data) {
    if (!data || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return {};
    }
    const QString path = data->urls().constFirst().toLocalFile();
    return path.endsWith(QStringLiteral(".tqb"), Qt::CaseInsensitive) ? path : QString();
}

QLabel* MakeIndicator(QWidget* parent, const char* widestText) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromUtf8(widestText)) +
                           8);
    return label;
}

}  // namespace

CMainFrame::CMainFrame(CMyVeskDoc& doc)
    : doc_(doc),
      commands_(std::make_unique<CommandTable>(this)),
      browserView_(std::make_unique<BrowserView>()) {
    InitResources();
    setWindowIcon(QIcon(QStringLiteral(":/vesk.xpm")));
    view_ = new CMyVeskView(doc_, this);
    view_->installEventFilter(this);
    connect(view_, &CMyVeskView::StatusText, this, &CMainFrame::SetMessageText);
    connect(view_, &CMyVeskView::ZoomChanged, this, &CMainFrame::ShowZoom);
    setCentralWidget(view_);
    checkDisplay_ = new SheetCheckDisplay(doc_, *view_, this);
    addDockWidget(Qt::RightDockWidgetArea, checkDisplay_->Panel());
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    ConnectCommands();
    RebuildRecentFileMenu();
    setAcceptDrops(true);
    resize(kInitialWidth, kInitialHeight);
    // A remembered place and size replace the first size.
    initialOuterSizePending_ = !RestoreWindowGeometry(*this);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus() {
    for (const MenuText& menuText : MenuTexts()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuText.title));
        for (int id : menuText.items) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(commands_->Action(id));
            }
        }
        // Availability and check marks are asked again before a menu opens.
        connect(menu, &QMenu::aboutToShow, commands_.get(), &CommandTable::Update);
        if (menuText.items.front() == cmd::kNew) {
            fileMenu_ = menu;
        }
    }
}

void CMainFrame::BuildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolBarItems()) {
        if (id == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = commands_->Action(id);
        action->setIcon(QIcon(QString::fromLatin1(ToolBarImage(id))));
        toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    // However the bar comes or goes (menu, its own context menu, undocking),
    // a window fitted to a picture stays fitted.
    connect(toolBar_, &QToolBar::visibilityChanged, this, [this] {
        if (fitted_) {
            FitToView();
        }
    });
}

void CMainFrame::BuildStatusBar() {
    messagePane_ = new QLabel(this);
    messagePane_->setObjectName(QStringLiteral("0"));
    statusBar()->addWidget(messagePane_, 1);
    zoomPane_ = new QLabel(this);
    zoomPane_->setAlignment(Qt::AlignCenter);
    zoomPane_->hide();
    statusBar()->addPermanentWidget(zoomPane_);
    // The platform gives no portable way to read the lock keys' state, so the
    // indicators keep their place but stay empty.
    for (const char* text : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        QLabel* indicator = MakeIndicator(this, text);
        indicators_.append(indicator);
        statusBar()->addPermanentWidget(indicator);
    }
    SetMessageText(QString::fromUtf8("ﾚﾃﾞｨ"));
    // Lock keys change outside the program too, so they are looked at often.
    auto* lockKeyTimer = new QTimer(this);
    connect(lockKeyTimer, &QTimer::timeout, this, &CMainFrame::UpdateIndicators);
    lockKeyTimer->start(kLockKeyPollMs);
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators() {
    const auto keys = QueryLockKeys();
    const bool states[] = {keys && keys->kana, keys && keys->caps, keys && keys->num,
                           keys && keys->scroll};
    const char* const texts[] = {"ｶﾅ", "CAP", "NUM", "SCRL"};
    for (int i = 0; i < indicators_.size(); ++i) {
        indicators_[i]->setText(states[i] ? QString::fromUtf8(texts[i]) : QString());
    }
}

void CMainFrame::ConnectCommands() {
    CommandTable& c = *commands_;
    const auto never = [] { return false; };
    c.SetHandler(cmd::kOpenSheet, [this] { doc_.OnOpenSheet(); });
    c.SetHandler(cmd::kSurvey, [this] { doc_.OnSurvey(); });
    c.SetHandler(
        cmd::kConvert, [this] { doc_.OnConvert(); }, [this] { return doc_.CanConvert(); });
    c.SetHandler(
        cmd::kConvertAllBlocks, [this] { RunBatchConversion(doc_, this); },
        [this] { return doc_.IsSheetLoaded(); });
    c.SetHandler(
        cmd::kExportModel, [this] { doc_.OnExportModel(); }, [this] { return doc_.CanConvert(); });
    c.SetHandler(
        cmd::kPrefectureNames, [this] { doc_.TogglePrefectureNames(); },
        [this] { return doc_.SurveyMapAvailable(); },
        [this] { return doc_.ShowsPrefectureNames(); });
    c.SetHandler(
        cmd::kBlockNames, [this] { doc_.ToggleBlockNames(); },
        [this] { return doc_.SheetAvailable(); }, [this] { return doc_.ShowsBlockNames(); });
    c.SetHandler(
        cmd::kDataStatus, [this] { checkDisplay_->ToggleStatus(); },
        [this] { return doc_.SheetAvailable(); }, [this] { return checkDisplay_->StatusShown(); });
    c.SetHandler(
        cmd::kCheckResults, [this] { ToggleBar(checkDisplay_->Panel()); }, {},
        [this] { return !checkDisplay_->Panel()->isHidden(); });
    for (int id : {cmd::kNew, cmd::kPrint, cmd::kPrintPreview, cmd::kPrintSetup}) {
        c.SetHandler(
            id, [] {}, never);
    }
    c.SetHandler(
        cmd::kPreview, [this] { OnPreview(); }, [this] { return doc_.CanConvert(); });
    c.SetHandler(
        cmd::kViewInBrowser, [this] { browserView_->Show(doc_, this); },
        [this] { return doc_.IsSheetLoaded(); });
    c.SetHandler(cmd::kExit, [this] { close(); });
    c.SetHandler(cmd::kGenericOpen, [this] { OnGenericOpen(); });
    // Whether a bar is shown is asked of the bar itself, not of the window,
    // which may not be on screen yet.
    c.SetHandler(
        cmd::kToolBar, [this] { ToggleBar(toolBar_); }, {},
        [this] { return !toolBar_->isHidden(); });
    c.SetHandler(
        cmd::kStatusBar, [this] { ToggleBar(statusBar()); }, {},
        [this] { return !statusBar()->isHidden(); });
    c.SetHandler(cmd::kAbout, [this] {
        AboutDlg about(this);
        about.exec();
    });
}

void CMainFrame::RebuildRecentFileMenu() {
    QAction* placeholder = commands_->Action(cmd::kRecentFile);
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const QStringList& files = recentFiles_.Files();
    placeholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]), this);
        action->setStatusTip(placeholder->statusTip());
        const QString path = files[i];
        connect(action, &QAction::triggered, this, [this, path] { OpenAndRemember(path); });
        fileMenu_->insertAction(placeholder, action);
        recentActions_.append(action);
    }
}

void CMainFrame::OnGenericOpen() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromUtf8("すべてのﾌｧｲﾙ (*.*)"));
    ListFilesInJapanese(dialog);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        OpenAndRemember(dialog.selectedFiles().constFirst());
    }
}

PreviewWindow* CMainFrame::Preview() const {
    return preview_.data();
}

void CMainFrame::OnPreview() {
    if (!preview_) {
        preview_ = new PreviewWindow(doc_, this);
    }
    preview_->Follow();
    preview_->show();
    preview_->raise();
    preview_->activateWindow();
}

void CMainFrame::OpenAndRemember(const QString& path) {
    doc_.OpenSheetForUser(ToPath(path));
    // A file that could not be read leaves the list, as a stale entry would;
    // one whose load was cancelled stays as it was.
    if (doc_.IsSheetLoaded()) {
        recentFiles_.Add(path);
    } else if (!doc_.LastLoadCancelled()) {
        recentFiles_.Remove(path);
    }
    RebuildRecentFileMenu();
    commands_->Update();
}

void CMainFrame::ShowCaption() {
    setWindowTitle(QString::fromStdString(doc_.CaptionName()) + QStringLiteral(" - Vesk"));
}

void CMainFrame::DocumentTitleChanged() {
    ShowCaption();
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void CMainFrame::ToggleBar(QWidget* bar) {
    bar->setHidden(!bar->isHidden());
    if (fitted_) {
        FitToView();
    }
}

void CMainFrame::FitToView() {
    initialOuterSizePending_ = false;
    fitting_ = true;
    fitted_ = true;
    fitAttempts_ = 0;
    AdjustToFitTarget();
}

// The view size that shows the whole zoomed extent, or as much of it as the
// available area of the window's screen leaves room for beside the frame and
// the bars, with scroll bars for the rest.
QSize CMainFrame::FittedViewSize() const {
    const QSize extent = view_->ZoomedExtent();
    const QSize outside = frameGeometry().size() - view_->size();
    const QSize room = screen()->availableGeometry().size() - outside;
    const int barWidth = view_->verticalScrollBar()->sizeHint().width();
    const int barHeight = view_->horizontalScrollBar()->sizeHint().height();
    QSize fitted = extent;
    bool wide = fitted.width() > room.width();
    if (wide) {
        fitted.rheight() += barHeight;
    }
    if (fitted.height() > room.height()) {
        fitted.rwidth() += barWidth;
        if (!wide && fitted.width() > room.width()) {
            fitted.rheight() += barHeight;
        }
    }
    return fitted.boundedTo(room);
}

// The view must end up exactly as large as its fitted size (it has no frame,
// and its scroll bars vanish when the extent fits). The bars take their final
// sizes only once the window is shown, and a shown window's size follows the
// window system later, so each resize of the view corrects the frame until
// the target is met.
void CMainFrame::AdjustToFitTarget() {
    if (!fitting_) {
        return;
    }
    if (!isVisible()) {
        layout()->setGeometry(QRect(QPoint(0, 0), size()));
    }
    const QSize target = FittedViewSize();
    fittedFrame_ = frameGeometry().size() - size();
    const QSize now = view_->size();
    if (now == target || ++fitAttempts_ > kMaxFitAttempts) {
        if (isVisible()) {
            fitting_ = false;
        }
        MoveOntoAvailableArea();
        return;
    }
    resize(size() + (target - now));
    MoveOntoAvailableArea();
}

bool CMainFrame::ViewHoldsExtent() {
    if (!isVisible()) {
        layout()->setGeometry(QRect(QPoint(0, 0), size()));
    }
    const QSize room = view_->maximumViewportSize();
    const QSize extent = view_->ZoomedExtent();
    return extent.width() <= room.width() && extent.height() <= room.height();
}

void CMainFrame::MoveOntoAvailableArea() {
    if (!isVisible()) {
        return;
    }
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft()) {
        move(x, y);
    }
}

// The first size is the outer size, frame included. The frame is known only
// once a window manager has put it around the window, which may be well after
// the window was shown; until then (or for good, without a window manager)
// the frame counts as nothing.
void CMainFrame::ApplyInitialOuterSize() {
    if (!initialOuterSizePending_ || !isVisible()) {
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    if (!frame.isEmpty()) {
        initialOuterSizePending_ = false;
    }
    const QSize wanted = QSize(kInitialWidth, kInitialHeight) - frame;
    if (size() != wanted) {
        resize(wanted);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    RememberWindowGeometry(*this);
    QMainWindow::closeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedSheet(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

// A dropped sheet opens as the open command opens the file it is given.
void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DraggedSheet(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    doc_.OpenSheetForUser(ToPath(path));
    commands_->Update();
}

bool CMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
        case QEvent::Show:
            QTimer::singleShot(kFrameWaitMs, this, [this] { initialOuterSizePending_ = false; });
            ApplyInitialOuterSize();
            break;
        case QEvent::Move:  // a window manager's frame moves the window
            ApplyInitialOuterSize();
            RefitToNewFrame();
            break;
        default:
            break;
    }
    return handled;
}

// A window fitted before the window manager framed it was fitted to a screen
// without the frame; it is fitted again once the frame is known.
void CMainFrame::RefitToNewFrame() {
    if (fitted_ && !fitting_ && frameGeometry().size() - size() != fittedFrame_) {
        FitToView();
    }
}

void CMainFrame::DocumentChanged() {
    ShowCaption();
    if (doc_.IsSheetLoaded()) {
        RememberSheetFolder(ToText(doc_.SheetPath()));
    }
    checkDisplay_->DocumentChanged();
    const std::pair<int, std::uint64_t> shown{doc_.SurveyZone(), doc_.SurveyGeneration()};
    if (shown != shownMap_) {
        shownMap_ = shown;
        SetMessageText(QString::fromUtf8("ﾚﾃﾞｨ"));
    }
    // A hidden preview catches up when it is shown again.
    if (preview_ && preview_->isVisible()) {
        preview_->Follow();
    }
}

void CMainFrame::ShowZoom(int percent) {
    zoomPane_->setText(percent == 100 ? QString() : QStringLiteral("%1 %").arg(percent));
    zoomPane_->setVisible(percent != 100);
}

QString CMainFrame::ZoomText() const {
    return zoomPane_->text();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Resize && isVisible()) {
        AdjustToFitTarget();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::SetExtentAndFit(int width, int height) {
    view_->SetExtent(width, height);
    if (doc_.SurveyZone() != 0) {
        view_->SurveyConfirmed();
    }
    // A window that shows the whole sheet keeps the size the user gave it.
    if (doc_.SurveyZone() != 0 || !ViewHoldsExtent()) {
        FitToView();
    } else {
        fitting_ = false;
        fitted_ = fitted_ && view_->size() == view_->ZoomedExtent();
    }
    view_->viewport()->update();
    DocumentChanged();
}

// Shown at once: hover texts must not wait for the next idle repaint.
void CMainFrame::SetMessageText(const QString& text) {
    messagePane_->setText(text);
    messagePane_->repaint();
}

QString CMainFrame::MessageText() const {
    return messagePane_->text();
}

QStringList CMainFrame::IndicatorTexts() const {
    QStringList texts;
    for (const QLabel* indicator : indicators_) {
        texts.append(indicator->text());
    }
    return texts;
}

}  // namespace vesk::gui
