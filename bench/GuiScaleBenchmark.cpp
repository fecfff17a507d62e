// The program on a 20000 x 20000 sheet (24 bits, 1.2 GB of pixels): start-up
// with the sheet named on the command line against the core's load of the same
// sheet, the memory the program keeps, a block click with its repaint, and
// repaints of the whole viewport and of the strip that scrolling uncovers.
//
//   build/release/bench/vesk_gui_scale_benchmark [--sheet PATH]
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include "SampleSheet.h"
#include "SilentUi.h"
#include "app/CMainFrame.h"
#include "app/CMyVeskApp.h"
#include "document/CMyVeskDoc.h"
#include "view/CMyVeskView.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSide = 20000;
constexpr int kRuns = 15;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double MedianMs(int runs, const std::function<void()>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        step();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// Made in a child process, so that making it counts in no figure here.
bool MakeSheet(const std::filesystem::path& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        vesk::sample::SampleOptions options;
        options.imageWidth = kSide;
        options.imageHeight = kSide;
        std::string error;
        ::_exit(vesk::sample::WriteSampleSheet(options, path, error) ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::filesystem::path SheetPath(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0) {
            return argv[i + 1];
        }
    }
    return std::filesystem::temp_directory_path() / "vesk-bench-20000.tqb";
}

double CoreLoadMs(const std::filesystem::path& sheet) {
    return MedianMs(3, [&] {
        vesk::bench::SilentUi ui;
        vesk::ProgramImageSize imageSize;
        vesk::CMyVeskDoc doc(ui, imageSize);
        doc.OpenSheetFile(sheet);
    });
}

// Counts the paints of a widget, so that start-up ends with the first one.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void Click(QWidget* viewport, QPoint at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    viewport->repaint();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::filesystem::path sheet = SheetPath(argc, argv);
    if (!std::filesystem::exists(sheet) && !MakeSheet(sheet)) {
        std::fprintf(stderr, "could not make %s\n", sheet.c_str());
        return 1;
    }
    QApplication application(argc, argv);
    const double coreLoad = CoreLoadMs(sheet);  // also brings the file into the page cache

    const double residentBefore = ResidentMegabytes();
    const auto start = Clock::now();
    const QString path = QString::fromStdString(sheet.string());
    vesk::gui::CMyVeskApp vesk({QStringLiteral("vesk"), QStringLiteral("-Embedding"), path});
    PaintCounter counter;
    vesk.InitInstance();
    QWidget* viewport = vesk.MainFrame()->View()->viewport();
    viewport->installEventFilter(&counter);
    while (counter.paints == 0) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double startUp = Milliseconds(Clock::now() - start);
    const double resident = ResidentMegabytes() - residentBefore;
    const auto pixels = vesk.Document().SheetImagePixels();
    const double pictureMegabytes = pixels ? static_cast<double>(pixels->size()) / 1e6 : 0.0;

    const QPoint centre = viewport->rect().center();
    const double click = MedianMs(kRuns, [&] { Click(viewport, centre); });
    const double repaint = MedianMs(kRuns, [&] { viewport->repaint(); });
    QScrollBar* bar = vesk.MainFrame()->View()->verticalScrollBar();
    const double strip = MedianMs(kRuns, [&] {
        bar->setValue(bar->value() + 40);
        QApplication::processEvents();
    });

    std::printf("viewport                      %d x %d\n", viewport->width(), viewport->height());
    std::printf("core load                     %8.1f ms\n", coreLoad);
    std::printf("start-up to first paint       %8.1f ms  (%.2f x core load)\n", startUp,
                startUp / coreLoad);
    std::printf("picture                       %8.1f MB\n", pictureMegabytes);
    std::printf("resident growth at start-up   %8.1f MB  (picture + %.1f MB)\n", resident,
                resident - pictureMegabytes);
    std::printf("block click with repaint      %8.2f ms\n", click);
    std::printf("repaint of the viewport       %8.2f ms\n", repaint);
    std::printf("scroll by 40 px and repaint   %8.2f ms\n", strip);
    return 0;
}
