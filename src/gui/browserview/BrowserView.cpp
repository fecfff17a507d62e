#include "browserview/BrowserView.h"

#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "batch/BatchRun.h"
#include "batchconvert/BatchRunDialog.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "tiles/TilesBatch.h"
#include "tiles/TilesetMerge.h"
#include "viewer/ViewerFiles.h"
#include "viewer/ViewerServer.h"

namespace vesk::gui {
namespace {

const char* const kTitle = "ﾌﾞﾗｳｻﾞで3D表示";

void ShowError(CMyVeskDoc& doc, const std::string& text) {
    doc.Ui().ShowMessage(text, kErrorCaption, MessageIcon::Stop);
}

std::vector<std::string> BlockNames(const CMyVeskDoc& doc) {
    std::vector<std::string> names;
    for (const int number : doc.AcceptedSubSheets()) {
        names.push_back(MakeOutputName(doc.CopySubSheetRecord(number)));
    }
    return names;
}

std::filesystem::path PathOf(const QTemporaryDir& folder) {
    return std::filesystem::path(folder.path().toStdString());
}

// The viewer's address, at the selected block when there is one.
QUrl ViewerUrl(const CMyVeskDoc& doc, int port) {
    QUrl url(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    const int selected = doc.SelectedSubSheet();
    if (selected >= 0 && doc.IsSubSheetSelected(selected)) {
        QUrlQuery query;
        query.addQueryItem(
            QStringLiteral("block"),
            QString::fromStdString(MakeOutputName(doc.CopySubSheetRecord(selected))));
        url.setQuery(query);
    }
    return url;
}

}  // namespace

BrowserView::BrowserView() = default;

BrowserView::~BrowserView() {
    StopServing();
}

void BrowserView::Show(CMyVeskDoc& doc, QWidget* window) {
    if (!doc.IsSheetLoaded()) {
        return;
    }
    StopServing();
    if (!FindViewerFiles()) {
        ShowError(doc, "3D表示に必要なﾌｧｲﾙがｲﾝｽﾄｰﾙされていません");
        return;
    }
    if (WriteTiles(doc, window)) {
        Serve(doc);
    }
}

// Heights above the ellipsoid by the EGM96 geoid, as the globe wants them.
bool BrowserView::WriteTiles(CMyVeskDoc& doc, QWidget* window) {
    folder_ =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vesk-view-XXXXXX"));
    if (!folder_->isValid()) {
        ShowError(doc,
                  "3D表示用の一時ﾌｫﾙﾀﾞが作成できません\n" + folder_->errorString().toStdString());
        return false;
    }
    auto datum = OpenHeightDatum(true, std::nullopt);
    if (!datum) {
        ShowError(doc, "高さの基準(EGM96)が読めません\n" + datum.Error());
        return false;
    }
    TilesBatchRequest request;
    request.sheets = {doc.SheetPath()};
    request.out = PathOf(*folder_);
    request.datum = *datum;
    BatchRun run([request](BatchProgress& progress, const std::atomic<bool>& cancel) {
        BatchResult result = RunTilesBatch(request, progress, cancel);
        if (!cancel.load()) {
            MergeTilesets(request.out);
        }
        return result;
    });
    FollowBatchRun(run, BlockNames(doc), QString::fromUtf8(kTitle), window);
    run.Finish();
    if (!std::filesystem::exists(request.out / "tileset.json")) {
        ShowError(doc, "3D表示できる区画がありません");
        return false;
    }
    return true;
}

bool BrowserView::Serve(CMyVeskDoc& doc) {
    server_ = std::make_unique<ViewerServer>(*FindViewerFiles(), PathOf(*folder_));
    std::string reason;
    if (!server_->Listen("127.0.0.1", 0, reason)) {
        server_.reset();
        ShowError(doc, "3D表示を開始できません\n" + reason);
        return false;
    }
    serving_ = std::thread([server = server_.get()] { server->Serve(); });
    const QUrl url = ViewerUrl(doc, server_->Port());
    if (!QDesktopServices::openUrl(url)) {
        doc.Ui().ShowMessage(
            "ﾌﾞﾗｳｻﾞを開けません。次のｱﾄﾞﾚｽを開いてください\n" + url.toString().toStdString(),
            kNoticeCaption, MessageIcon::Information);
    }
    return true;
}

void BrowserView::StopServing() {
    if (server_) {
        server_->Stop();
    }
    if (serving_.joinable()) {
        serving_.join();
    }
    server_.reset();
    folder_.reset();
}

}  // namespace vesk::gui
