#pragma once

#include <memory>
#include <thread>

class QTemporaryDir;
class QWidget;

namespace vesk {
class CMyVeskDoc;
class ViewerServer;
}  // namespace vesk

namespace vesk::gui {

// 表示 → ﾌﾞﾗｳｻﾞで3D表示: the open sheet's tileset written into a temporary
// folder behind a progress dialog, served by the viewer on this machine, and
// the browser opened at the selected block (or the whole sheet). The folder
// and the server last until the next showing or the program's end.
class BrowserView {
public:
    BrowserView();
    ~BrowserView();
    BrowserView(const BrowserView&) = delete;
    BrowserView& operator=(const BrowserView&) = delete;

    void Show(CMyVeskDoc& doc, QWidget* window);

private:
    bool WriteTiles(CMyVeskDoc& doc, QWidget* window);
    bool Serve(CMyVeskDoc& doc);
    void StopServing();

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ViewerServer> server_;
    std::thread serving_;
};

}  // namespace vesk::gui
