// Checking a large sheet against loading it, as the program does on opening it.
//
//   build/release/bench/vesk_check_benchmark [--sheet PATH]
//
// The sheet is the large sheet of LargeSheet.h, made on first use. The check
// runs on one thread and on two, each thread reading the file on its own.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "LargeSheet.h"
#include "SilentUi.h"
#include "check/SheetCheck.h"
#include "document/CMyVeskDoc.h"

namespace {

std::filesystem::path g_sheet;

void BM_LoadSheet(benchmark::State& state) {
    vesk::bench::SilentUi ui;
    vesk::ProgramImageSize imageSize;
    for (auto _ : state) {
        vesk::CMyVeskDoc doc(ui, imageSize);
        doc.OpenSheetFile(g_sheet);
        benchmark::DoNotOptimize(doc.CopySubSheetRecord(24).buildingCount);
    }
}

void BM_CheckSheet(benchmark::State& state) {
    const auto threads = static_cast<unsigned>(state.range(0));
    std::size_t findings = 0;
    std::size_t buildings = 0;
    for (auto _ : state) {
        const auto check = vesk::CheckSheetFile(g_sheet, {threads, {}});
        if (!check) {
            state.SkipWithError("the sheet could not be checked");
            return;
        }
        findings = check->Count(vesk::Severity::kError) + check->Count(vesk::Severity::kWarning);
        buildings = 0;
        for (const vesk::BlockCheck& block : check->blocks) {
            buildings += block.record.buildingPositions.size();
        }
    }
    state.counters["findings"] = static_cast<double>(findings);
    state.counters["buildings"] = static_cast<double>(buildings);
}

}  // namespace

BENCHMARK(BM_LoadSheet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckSheet)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return vesk::bench::RunOnLargeSheet(argc, argv, g_sheet);
}
