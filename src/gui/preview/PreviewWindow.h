#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <tuple>

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
// selection overtook is dropped.
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

signals:
    void SceneReady();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Shown = std::tuple<std::filesystem::path, int, std::uint64_t>;

    void BuildControls();
    void ApplyLayers();
    // Hands the future's scene to done on this thread, unless a newer request came meanwhile.
    template <typename Done>
    void RunForRequest(std::uint64_t request, QFuture<std::shared_ptr<const PreviewScene>> future,
                       Done done);
    void SketchBuilt(const std::filesystem::path& sheet, const SubSheetRecord& record,
                     std::uint64_t request, std::shared_ptr<const PreviewScene> sketch);
    void SceneBuilt(std::shared_ptr<const PreviewScene> scene);
    void ShowPicked(std::optional<std::size_t> part);
    void SetStatus(const QString& text);
    void RestoreSettings();
    void SaveSettings() const;

    const CMyVeskDoc& doc_;
    PreviewView* view_ = nullptr;
    QCheckBox* buildings_ = nullptr;
    QCheckBox* terrain_ = nullptr;
    QCheckBox* texture_ = nullptr;
    QComboBox* exaggeration_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    Shown shown_{{}, -1, 0};
    std::uint64_t request_ = 0;
};

}  // namespace vesk::gui
