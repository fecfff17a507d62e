// 表示 → ﾌﾞﾗｳｻﾞで3D表示 on the open sheet: its tileset written into a temporary
// folder behind the progress dialog, served on this machine, and the browser
// sent to the selected block; the server and the folder end with the program.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <string>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "SampleSheet.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "convert/OutputName.h"
#include "viewer/ViewerFiles.h"

using namespace vesk;
using namespace vesk::gui;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

// Takes the addresses the program hands to the browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }

public:
    QList<QUrl> urls;
};

class BrowserViewTest : public QObject {
    Q_OBJECT

private slots:
    void theSelectedBlockIsShownFromATemporaryTilesetThatEndsWithTheProgram();
};

namespace {

// The first line of the answer to GET path on this machine's port; empty when
// nothing listens there.
std::string StatusLine(int port, const std::string& path) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    const timeval limit{10, 0};
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "GET " + path + " HTTP/1.0\r\n\r\n";
        if (::send(socket, request.data(), request.size(), 0) > 0) {
            char bytes[256];
            const ssize_t got = ::recv(socket, bytes, sizeof bytes, 0);
            answer.assign(bytes, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        }
    }
    ::close(socket);
    return answer.substr(0, answer.find("\r\n"));
}

std::vector<std::filesystem::path> ViewFolders(const std::filesystem::path& temp) {
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::directory_iterator(temp)) {
        if (entry.path().filename().string().starts_with("vesk-view-")) {
            folders.push_back(entry.path());
        }
    }
    return folders;
}

}  // namespace

void BrowserViewTest::theSelectedBlockIsShownFromATemporaryTilesetThatEndsWithTheProgram() {
    if (!FindViewerFiles()) {
        QSKIP("the viewer's files (CesiumJS) are not in the build folder");
    }
    test::TempDir temp;
    qputenv("TMPDIR", QByteArray::fromStdString(temp.Path().string()));
    UrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
    int port = 0;
    {
        GuiFixture gui;
        const auto sheet = gui.dir / "town.tqb";
        std::string error;
        QVERIFY(sample::WriteSampleSheet({}, sheet, error));
        gui.Open(sheet);
        QVERIFY(gui.Action(cmd::kViewInBrowser)->isEnabled());
        gui.Doc().SelectSubSheet(12, true);

        ModalDriver driver;
        driver.Then(
            [](QWidget*) {});  // the progress dialog, if the blocks take long enough to see it
        gui.Frame().Commands().Run(cmd::kViewInBrowser);

        QCOMPARE(browser.urls.size(), 1);
        const QUrl url = browser.urls[0];
        QCOMPARE(url.host(), QStringLiteral("127.0.0.1"));
        const std::string block = MakeOutputName(gui.Doc().CopySubSheetRecord(12));
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("block")).toStdString(), block);
        port = url.port();
        QCOMPARE(StatusLine(port, "/tiles/tileset.json"), std::string("HTTP/1.1 200 OK"));
        QCOMPARE(StatusLine(port, "/"), std::string("HTTP/1.1 200 OK"));
        const auto folders = ViewFolders(temp.Path());
        QCOMPARE(folders.size(), std::size_t{1});
        QVERIFY(std::filesystem::exists(folders[0] / "tileset.json"));
        QVERIFY(driver.messages.empty());
    }
    QCOMPARE(StatusLine(port, "/"), std::string());
    QVERIFY(ViewFolders(temp.Path()).empty());
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    qunsetenv("TMPDIR");
}

QTEST_MAIN(BrowserViewTest)
#include "BrowserViewTest.moc"
