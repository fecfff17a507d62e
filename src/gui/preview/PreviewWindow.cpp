#include "preview/PreviewWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "document/LeftOutText.h"
#include "preview/PreviewView.h"

namespace vesk::gui {
namespace {

constexpr const char* kTitle = "3Dﾌﾟﾚﾋﾞｭｰ";
constexpr const char* kReadyText = "ﾚﾃﾞｨ";
constexpr const char* kBuildingText = "ﾓﾃﾞﾙを作成中...";
constexpr const char* kSketchText = "簡易表示 - 建物の形状を作成中...";
constexpr const char* kNoBlockText = "区画が選択されていません";
constexpr const char* kUnreadableText = "図葉ﾌｧｲﾙを読めません";
const QSize kDefaultSize(800, 600);
constexpr float kExaggerations[] = {1.0f, 2.0f, 5.0f};

QString SettingKey(const char* name) {
    return QStringLiteral("Preview/") + QLatin1String(name);
}

}  // namespace

PreviewWindow::PreviewWindow(const CMyVeskDoc& doc, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(doc) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QString::fromUtf8(kTitle));
    BuildControls();
    // Restored before the toggles are connected, so that restoring one does
    // not save the others' defaults over what was remembered.
    RestoreSettings();
    for (QCheckBox* box : {buildings_, terrain_, texture_}) {
        connect(box, &QCheckBox::toggled, this, &PreviewWindow::ApplyLayers);
    }
    connect(exaggeration_, &QComboBox::currentIndexChanged, this, &PreviewWindow::ApplyLayers);
    ApplyLayers();
    connect(view_, &PreviewView::Picked, this, &PreviewWindow::ShowPicked);
}

// The program may end with the window open.
PreviewWindow::~PreviewWindow() {
    StopBuilds();
    SaveSettings();
}

void PreviewWindow::BuildControls() {
    buildings_ = new QCheckBox(QString::fromUtf8("建物"), this);
    terrain_ = new QCheckBox(QString::fromUtf8("地形(DEM)"), this);
    texture_ = new QCheckBox(QString::fromUtf8("ｵﾙｿ画像"), this);
    exaggeration_ = new QComboBox(this);
    for (float factor : kExaggerations) {
        exaggeration_->addItem(QString::fromUtf8("%1倍").arg(static_cast<double>(factor)));
    }
    auto* controls = new QHBoxLayout;
    for (QCheckBox* box : {buildings_, terrain_, texture_}) {
        controls->addWidget(box);
    }
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QString::fromUtf8("高さ強調"), this));
    controls->addWidget(exaggeration_);
    controls->addStretch(1);

    view_ = new PreviewView;
    viewBox_ = QWidget::createWindowContainer(view_, this);
    viewBox_->setFocusPolicy(Qt::StrongFocus);
    viewBox_->setMinimumSize(160, 120);
    statusBar_ = new QStatusBar(this);
    statusBar_->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(controls);
    layout->addWidget(viewBox_, 1);
    layout->addWidget(statusBar_);
    SetStatus(QString::fromUtf8(kNoBlockText));
}

void PreviewWindow::ApplyLayers() {
    SceneLayers layers;
    layers.buildings = buildings_->isChecked();
    layers.terrain = terrain_->isChecked();
    layers.texture = texture_->isChecked();
    layers.exaggeration = kExaggerations[std::max(exaggeration_->currentIndex(), 0)];
    const bool heightsChanged = layers.exaggeration != view_->Layers().exaggeration;
    view_->SetLayers(layers);
    if (heightsChanged) {
        view_->ShowAll();
    }
    SaveSettings();
}

void PreviewWindow::Follow() {
    const int selected = doc_.IsSheetLoaded() ? doc_.SelectedSubSheet() : -1;
    const Shown now{doc_.SheetPath(), selected, doc_.ImageGeneration()};
    if (now == shown_) {
        return;
    }
    shown_ = now;
    if (selected < 0) {
        ShowNothing();
    } else {
        ShowBlock(doc_.SheetPath(), doc_.CopySubSheetRecord(selected));
    }
}

BuildRequest PreviewWindow::NewRequest() {
    return {request_, ++request_};
}

void PreviewWindow::ShowBlock(const std::filesystem::path& sheet, const SubSheetRecord& record) {
    const BuildRequest request = NewRequest();
    setWindowTitle(QString::fromUtf8(kTitle) + QStringLiteral(" - ") +
                   QString::fromStdString(MakeOutputName(record)));
    // The previous block must not stand under the new block's title.
    view_->SetScene(nullptr);
    SetStatus(QString::fromUtf8(kBuildingText));
    RunForRequest(request, QtConcurrent::run(&builds_, BuildSketch, sheet, record, request),
                  [this, sheet, record, request](std::shared_ptr<const PreviewScene> sketch) {
                      SketchBuilt(sheet, record, request, std::move(sketch));
                  });
}

template <typename Done>
void PreviewWindow::RunForRequest(const BuildRequest& request,
                                  QFuture<std::shared_ptr<const PreviewScene>> future, Done done) {
    auto* watcher = new QFutureWatcher<std::shared_ptr<const PreviewScene>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [watcher, request, done] {
        if (!request.Overtaken()) {
            done(watcher->result());
        }
        watcher->deleteLater();
    });
    watcher->setFuture(std::move(future));
}

void PreviewWindow::ShowNothing() {
    finished_ = NewRequest().Number();
    setWindowTitle(QString::fromUtf8(kTitle));
    view_->SetScene(nullptr);
    SetStatus(QString::fromUtf8(kNoBlockText));
}

void PreviewWindow::SketchBuilt(const std::filesystem::path& sheet, const SubSheetRecord& record,
                                const BuildRequest& request,
                                std::shared_ptr<const PreviewScene> sketch) {
    if (!sketch) {
        Finished(QString::fromUtf8(kUnreadableText));
        return;
    }
    view_->SetScene(sketch);
    SetStatus(QString::fromUtf8(kSketchText));
    const auto complete = [this, sheet, record, request, sketch] {
        if (request.Overtaken()) {
            return;
        }
        RunForRequest(
            request, QtConcurrent::run(&builds_, CompleteSketch, sheet, record, sketch, request),
            [this](std::shared_ptr<const PreviewScene> scene) { SceneBuilt(std::move(scene)); });
    };
    // The triangulation would take the processors from the sketch's first
    // frame, so it starts once that is on the screen; at once when there is
    // no screen to wait for.
    if (view_->isExposed()) {
        connect(view_, &QOpenGLWindow::frameSwapped, this, complete, Qt::SingleShotConnection);
    } else {
        complete();
    }
}

void PreviewWindow::SceneBuilt(std::shared_ptr<const PreviewScene> scene) {
    if (!scene) {
        Finished(QString::fromUtf8(kUnreadableText));
        return;
    }
    view_->CompleteScene(scene);
    if (!scene->Model().diagnostics.empty()) {
        Finished(QString::fromStdString(LeftOutText(scene->Model().diagnostics, "   ")));
    } else {
        Finished(QString::fromUtf8(kReadyText));
    }
}

void PreviewWindow::Finished(const QString& status) {
    finished_ = request_;
    SetStatus(status);
    emit SceneReady();
}

// What was being built is built again when the window is shown again; a
// build in the middle of a step ends that step first.
void PreviewWindow::StopBuilds() {
    if (finished_ != request_) {
        shown_ = {{}, -1, 0};
    }
    finished_ = NewRequest().Number();
    builds_.waitForDone();
}

bool PreviewWindow::IsBuilding() const {
    return finished_ != request_ || builds_.activeThreadCount() > 0;
}

void PreviewWindow::ShowPicked(std::optional<std::size_t> part) {
    const PreviewScene* scene = view_->Scene();
    if (scene && part) {
        SetStatus(scene->Describe(*part));
    } else if (scene) {
        SetStatus(QString::fromUtf8(kReadyText));
    }
}

void PreviewWindow::SetStatus(const QString& text) {
    statusBar_->showMessage(text);
}

QString PreviewWindow::StatusText() const {
    return statusBar_->currentMessage();
}

void PreviewWindow::RestoreSettings() {
    const QSettings settings;
    resize(settings.value(SettingKey("Size"), kDefaultSize).toSize());
    buildings_->setChecked(settings.value(SettingKey("Buildings"), true).toBool());
    terrain_->setChecked(settings.value(SettingKey("Terrain"), true).toBool());
    texture_->setChecked(settings.value(SettingKey("Texture"), true).toBool());
    const int index = settings.value(SettingKey("Exaggeration"), 0).toInt();
    exaggeration_->setCurrentIndex(index >= 0 && index < exaggeration_->count() ? index : 0);
}

void PreviewWindow::SaveSettings() const {
    QSettings settings;
    settings.setValue(SettingKey("Size"), size());
    settings.setValue(SettingKey("Buildings"), buildings_->isChecked());
    settings.setValue(SettingKey("Terrain"), terrain_->isChecked());
    settings.setValue(SettingKey("Texture"), texture_->isChecked());
    settings.setValue(SettingKey("Exaggeration"), exaggeration_->currentIndex());
}

// The window manager hands the keyboard to the window as a whole, by a click
// on its title bar too; the camera's keys are the view's, and the view is a
// window of its own that must ask for the keyboard itself.
void PreviewWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        viewBox_->setFocus(Qt::ActiveWindowFocusReason);
        view_->requestActivate();
    }
    QWidget::changeEvent(event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    StopBuilds();
    SaveSettings();
    QWidget::closeEvent(event);
}

}  // namespace vesk::gui
