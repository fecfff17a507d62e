#pragma once

#include <filesystem>
#include <string_view>

#include "batch/BatchRun.h"

namespace vesk::cli {

// Runs the batch on a thread of its own and, when `showProgress` and standard
// error is a terminal, redraws one progress line there at most 10 times a
// second; the line is cleared at the end.
BatchResult RunShowingProgress(BatchRun::Work work, bool showProgress);

// The failures, one line each on standard error, then the summary on standard output.
void PrintOutcome(std::string_view command, const BatchResult& result, double seconds);

// The summary and every block as JSON, written whole or not at all; false
// after a message on standard error.
bool WriteReport(const std::filesystem::path& path, std::string_view command,
                 const BatchResult& result, double seconds);

struct ReportedBatch {
    BatchResult result;
    bool reported = true;  // the report, when one was asked for, was written
};

// A batch command's run: the work with its progress line, timed, its outcome
// printed and its report written to `report` unless that is null.
ReportedBatch RunAndReport(std::string_view command, BatchRun::Work work, bool showProgress,
                           const std::filesystem::path* report);

}  // namespace vesk::cli
