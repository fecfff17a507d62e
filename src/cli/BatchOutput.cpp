#include "BatchOutput.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "CliUi.h"
#include "TerminalDiagnostic.h"
#include "platform/AtomicOutputFile.h"
#include "text/JsonNumbers.h"
#include "text/JsonText.h"
#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

using Clock = std::chrono::steady_clock;

double Megabytes(std::uint64_t bytes) {
    return static_cast<double>(bytes) / 1e6;
}

std::string Duration(double seconds) {
    const long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

std::string ProgressLine(const ProgressCounts& counts, double seconds) {
    std::string line = "sheets " + std::to_string(counts.sheetsDone) + "/" +
                       std::to_string(counts.sheetsTotal) + ", blocks " +
                       std::to_string(counts.blocksDone);
    if (counts.blocksFailed > 0) {
        line += " (" + std::to_string(counts.blocksFailed) + " failed)";
    }
    line += ", " + JsonFixed(Megabytes(counts.bytesWritten), 1) + " MB";
    if (seconds > 0.0) {
        line += ", " + JsonFixed(Megabytes(counts.bytesWritten) / seconds, 1) + " MB/s";
    }
    if (counts.sheetsDone > 0 && counts.sheetsDone < counts.sheetsTotal) {
        const double perSheet = seconds / static_cast<double>(counts.sheetsDone);
        line += ", " +
                Duration(perSheet * static_cast<double>(counts.sheetsTotal - counts.sheetsDone)) +
                " left";
    }
    return line;
}

void DrawProgress(const ProgressCounts& counts, double seconds) {
    if (counts.sheetsTotal == 0) {
        return;  // not started yet
    }
    std::fprintf(stderr, "\r%s\x1b[K", ProgressLine(counts, seconds).c_str());
    std::fflush(stderr);
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const char* StatusName(BlockStatus status) {
    switch (status) {
        case BlockStatus::kConverted:
            return "converted";
        case BlockStatus::kLeftOut:
            return "left_out";
        case BlockStatus::kFailed:
            return "failed";
        case BlockStatus::kConflict:
            return "conflict";
        case BlockStatus::kKept:
            return "kept";
    }
    return "failed";
}

const char* SheetStatus(const SheetOutcome& sheet) {
    return sheet.failed ? "failed" : sheet.leftOut ? "left_out" : "read";
}

constexpr JsonKeyLayout kReportLayout[] = {
    {"sheets", {.items = 2, .emptyOpensLine = true}},
    {"blocks", {.line = 3, .items = 4}},
    {"seconds", {.decimals = 3}},
};

JsonValue BlockJson(const BlockOutcome& block) {
    return {{"block", block.block},
            {"name", block.name},
            {"status", StatusName(block.status)},
            {"bytes", block.bytes},
            {"messages", CommandLineTexts(block.diagnostics)}};
}

JsonValue SheetJson(const SheetOutcome& sheet) {
    JsonValue blocks = JsonValue::array();
    for (const BlockOutcome& block : sheet.blocks) {
        blocks.push_back(BlockJson(block));
    }
    return {{"path", sheet.path.string()},
            {"status", SheetStatus(sheet)},
            {"messages", CommandLineTexts(sheet.diagnostics)},
            {"blocks", std::move(blocks)}};
}

// The kept blocks only in the report of a run asked to resume, so that every
// other report keeps the keys it always had.
JsonValue SummaryJson(const BatchResult& result, double seconds) {
    const BatchSummary s = result.Summary();
    JsonValue summary = {{"sheets", s.sheets},
                         {"sheets_failed", s.sheetsFailed},
                         {"converted", s.converted},
                         {"left_out", s.leftOut},
                         {"failed", s.failed},
                         {"conflicts", s.conflicts},
                         {"bytes", s.bytes},
                         {"seconds", seconds},
                         {"cancelled", result.cancelled}};
    if (result.resumed) {
        summary["kept"] = s.kept;
    }
    return summary;
}

// What stopped the batch as a whole only where something did, so that every
// other report keeps the keys it always had.
JsonValue ReportJson(std::string_view command, const BatchResult& result, double seconds) {
    JsonValue sheets = JsonValue::array();
    for (const SheetOutcome& sheet : result.sheets) {
        sheets.push_back(SheetJson(sheet));
    }
    JsonValue report = {{"command", command},
                        {"summary", SummaryJson(result, seconds)},
                        {"sheets", std::move(sheets)}};
    if (!result.diagnostics.empty()) {
        report["messages"] = CommandLineTexts(result.diagnostics);
    }
    return report;
}

// Every diagnostic of the sheet and its blocks, also of the blocks written.
void LogSheet(const SheetOutcome& sheet) {
    Log(sheet.diagnostics);
    for (const BlockOutcome& block : sheet.blocks) {
        Log(block.diagnostics);
    }
}

void PrintFailures(std::string_view command, const SheetOutcome& sheet) {
    const std::string prefix =
        "vesk-cli " + std::string(command) + ": " + TerminalText(sheet.path.string());
    if (sheet.failed || sheet.leftOut) {
        for (const Diagnostic& diagnostic : sheet.diagnostics) {
            std::fprintf(stderr, "%s: %s\n", prefix.c_str(), ShownOnTerminal(diagnostic).c_str());
        }
    }
    for (const BlockOutcome& block : sheet.blocks) {
        if (block.status != BlockStatus::kFailed && block.status != BlockStatus::kConflict) {
            continue;
        }
        for (const Diagnostic& diagnostic : block.diagnostics) {
            std::fprintf(stderr, "%s block %d (%s): %s\n", prefix.c_str(), block.block,
                         block.name.c_str(), ShownOnTerminal(diagnostic).c_str());
        }
    }
}

}  // namespace

BatchResult RunShowingProgress(BatchRun::Work work, bool showProgress) {
    const Clock::time_point start = Clock::now();
    BatchRun run(std::move(work));
    const bool drawing = showProgress && isatty(STDERR_FILENO) == 1;
    while (drawing && !run.Done()) {
        DrawProgress(run.Progress(), SecondsSince(start));
        for (int i = 0; i < 10 && !run.Done(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    BatchResult result = run.Finish();
    if (drawing) {
        std::fputs("\r\x1b[K", stderr);
    }
    return result;
}

void PrintOutcome(std::string_view command, const BatchResult& result, double seconds) {
    for (const SheetOutcome& sheet : result.sheets) {
        LogSheet(sheet);
        PrintFailures(command, sheet);
    }
    Log(result.diagnostics);
    for (const Diagnostic& diagnostic : result.diagnostics) {
        std::fprintf(stderr, "vesk-cli %.*s: %s\n", static_cast<int>(command.size()),
                     command.data(), ShownOnTerminal(diagnostic).c_str());
    }
    const BatchSummary s = result.Summary();
    std::printf("sheets: %zu (%zu failed)\n", s.sheets, s.sheetsFailed);
    // The kept blocks only where the run was asked to resume: other runs' lines stay as they were.
    const std::string kept = result.resumed ? ", " + std::to_string(s.kept) + " kept" : "";
    std::printf("blocks: %zu converted, %zu left out, %zu failed, %zu conflicts%s\n", s.converted,
                s.leftOut, s.failed, s.conflicts, kept.c_str());
    std::printf("written: %s MB in %s s%s\n", JsonFixed(Megabytes(s.bytes), 1).c_str(),
                JsonFixed(seconds, 1).c_str(), result.cancelled ? " (cancelled)" : "");
}

bool WriteReport(const std::filesystem::path& path, std::string_view command,
                 const BatchResult& result, double seconds) {
    AtomicOutputFile out(path);
    if (out.IsOpen()) {
        out.Write(JsonText(ReportJson(command, result, seconds), kReportLayout));
        if (out.Commit()) {
            return true;
        }
    }
    std::fprintf(stderr, "vesk-cli %.*s: the report %s could not be written: %s\n",
                 static_cast<int>(command.size()), command.data(), path.string().c_str(),
                 out.Reason().c_str());
    return false;
}

ReportedBatch RunAndReport(std::string_view command, BatchRun::Work work, bool showProgress,
                           const std::filesystem::path* report) {
    const Clock::time_point start = Clock::now();
    ReportedBatch batch{RunShowingProgress(std::move(work), showProgress)};
    const double seconds = SecondsSince(start);
    PrintOutcome(command, batch.result, seconds);
    batch.reported = !report || WriteReport(*report, command, batch.result, seconds);
    return batch;
}

}  // namespace vesk::cli
