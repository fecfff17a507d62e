#include "batchconvert/OpenSheetBatchSummary.h"

#include <string_view>

namespace vesk::gui {
namespace {

constexpr std::size_t kFailuresShown = 3;

std::string Count(std::string_view label, std::size_t count) {
    return "\n" + std::string(label) + ": " + std::to_string(count);
}

// The batch core words its own reasons for the command line; the program
// says them in its own words and shows the document's and writers' messages.
std::string FailureLine(const BlockOutcome& block) {
    std::string line = "\n区画" + std::to_string(block.block) + "「" + block.name + "」";
    if (block.status == BlockStatus::kConflict) {
        line += ": 前の区画と出力名が同じため書き出していません";
    } else if (!block.diagnostics.empty()) {
        line += ": " + block.diagnostics.front().Shown();
    }
    return line;
}

// A sheet fails here only when it cannot be read again from its file; the
// last diagnostic is the core's reason, any before it the document's.
std::string SheetFailureLine(const SheetOutcome& sheet) {
    std::string line = "\nｼｰﾄを読み直せませんでした";
    if (sheet.diagnostics.size() > 1) {
        line += ": " + sheet.diagnostics.front().Shown();
    }
    return line;
}

std::string FailureLines(const BatchResult& result) {
    std::string lines;
    std::size_t failures = 0;
    for (const SheetOutcome& sheet : result.sheets) {
        for (const BlockOutcome& block : sheet.blocks) {
            const bool failed =
                block.status == BlockStatus::kFailed || block.status == BlockStatus::kConflict;
            if (failed && failures++ < kFailuresShown) {
                lines += FailureLine(block);
            }
        }
        if (sheet.failed) {
            lines += SheetFailureLine(sheet);
        }
    }
    if (failures > kFailuresShown) {
        lines += "\nほか" + std::to_string(failures - kFailuresShown) + "区画が失敗しました";
    }
    for (const Diagnostic& diagnostic : result.diagnostics) {
        lines += "\n" + diagnostic.Shown();
    }
    return lines;
}

}  // namespace

std::string OpenSheetBatchSummary(const BatchResult& result, std::size_t blocks) {
    const BatchSummary summary = result.Summary();
    const std::size_t failed = summary.failed + summary.conflicts;
    const std::size_t reached = summary.converted + summary.leftOut + failed;
    std::string text =
        result.cancelled ? "全区画の変換をｷｬﾝｾﾙしました。" : "全区画の変換が終わりました。";
    text += Count("変換した区画", summary.converted);
    text += Count("ﾃﾞｰﾀのない区画", summary.leftOut);
    text += Count("失敗した区画", failed);
    if (result.cancelled) {
        text += Count("変換していない区画", blocks > reached ? blocks - reached : 0);
    }
    return text + FailureLines(result);
}

}  // namespace vesk::gui
