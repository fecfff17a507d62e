#pragma once

#include <QFutureWatcher>
#include <QThreadPool>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <tuple>

#include "preview/PreviewBuild.h"
#include "preview/PreviewScene.h"
#include "sheet/SubSheetRecord.h"

class QCheckBox;
class QComboBox;
class QStatusBar;

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

class PreviewView;

// The 3D preview's own window: the selected block of the open sheet, with
// toggles for its three parts and the height exaggeration. It follows the
// document's selection; the block model is built off the user interface's
// thread, a sketch of it first and then the whole, and a build that a newer
// selection overtook stops and is dropped. Closing the window stops its builds.
class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    PreviewWindow(const CMyVeskDoc& doc, QWidget* parent);
    ~PreviewWindow() override;

    // Shows the document's selected block, or nothing when none is selected.
    void Follow();
    // Builds and shows a block of a sheet file.
    void ShowBlock(const std::filesystem::path& sheet, const SubSheetRecord& record);
    void ShowNothing();

    PreviewView* View() const { return view_; }
    QString StatusText() const;
    // Whether the shown block is still being built, or a build still runs.
    bool IsBuilding() const;

signals:
    void SceneReady();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Shown = std::tuple<std::filesystem::path, int, std::uint64_t>;

    void BuildControls();
    void ApplyLayers();
    BuildRequest NewRequest();
    // Hands the future's scene to done on this thread, unless a newer request came meanwhile.
    template <typename Done>
    void RunForRequest(const BuildRequest& request,
                       QFuture<std::shared_ptr<const PreviewScene>> future, Done done);
    void SketchBuilt(const std::filesystem::path& sheet, const SubSheetRecord& record,
                     const BuildRequest& request, std::shared_ptr<const PreviewScene> sketch);
    void SceneBuilt(std::shared_ptr<const PreviewScene> scene);
    void Finished(const QString& status);
    // Overtakes every build and waits until none runs.
    void StopBuilds();
    void ShowPicked(std::optional<std::size_t> part);
    void SetStatus(const QString& text);
    void RestoreSettings();
    void SaveSettings() const;

    const CMyVeskDoc& doc_;
    PreviewView* view_ = nullptr;
    QWidget* viewBox_ = nullptr;  // the view's container
    QCheckBox* buildings_ = nullptr;
    QCheckBox* terrain_ = nullptr;
    QCheckBox* texture_ = nullptr;
    QComboBox* exaggeration_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    Shown shown_{{}, -1, 0};
    std::atomic<std::uint64_t> request_ = 0;
    std::uint64_t finished_ = 0;  // the last request whose building ended
    // Qt shares the drawing of large images out over its global pool, so
    // builds there would hold up the painting of every window.
    QThreadPool builds_;
};

}  // namespace vesk::gui
