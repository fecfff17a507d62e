// A repaint of a whole 1920 x 1080 viewport over the 4000 x 3000 sheet image
// with all 25 frames and numbers, as the view paints it: only what the viewport
// exposes.
//
//   build/release/bench/vesk_view_paint_benchmark
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "LargeSheet.h"
#include "SilentUi.h"
#include "document/CMyVeskDoc.h"
#include "view/CMyVeskView.h"

namespace {

std::filesystem::path g_sheet;

void BM_RepaintViewport(benchmark::State& state) {
    vesk::bench::SilentUi ui;
    vesk::ProgramImageSize imageSize;
    vesk::CMyVeskDoc doc(ui, imageSize);
    doc.OpenSheetFile(g_sheet);
    vesk::gui::CMyVeskView view(doc, nullptr);
    view.SetExtent(doc.DisplayExtentPixels().width, doc.DisplayExtentPixels().height);
    // The backing store of a 1920 x 1080 viewport scrolled into the middle.
    QImage surface(1920, 1080, QImage::Format_RGB32);
    const QPoint scroll(1000, 900);
    for (auto _ : state) {
        QPainter painter(&surface);
        painter.fillRect(surface.rect(), Qt::white);
        painter.translate(-scroll);
        view.PaintPicture(painter, QRect(scroll, surface.size()));
    }
    state.counters["messages"] = ui.messages;
}

}  // namespace

BENCHMARK(BM_RepaintViewport)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return vesk::bench::RunOnLargeSheet(argc, argv, g_sheet);
}
