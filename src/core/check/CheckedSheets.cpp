#include "check/CheckedSheets.h"

#include <algorithm>
#include <utility>

#include "check/CheckMessages.h"
#include "platform/ExceptionReason.h"
#include "platform/ParallelFor.h"

namespace vesk {
namespace {

// The opening tells whether the sheet opens and what the program would say on
// opening it; the check then reads the file on its own.
CheckedSheet CheckOne(const std::filesystem::path& path, unsigned threads,
                      const SheetOpener& open) {
    CheckedSheet result;
    result.path = path;
    SheetOpening opening = open(path);
    result.diagnostics = std::move(opening.diagnostics);
    result.loadErrors = static_cast<std::size_t>(
        std::count_if(result.diagnostics.begin(), result.diagnostics.end(),
                      [](const Diagnostic& d) { return d.Level() == Severity::kError; }));
    if (!opening.opened) {
        return result;
    }
    auto check = CheckSheetFile(path, {threads, {}});
    if (!check) {
        result.diagnostics.push_back(MakeDiagnostic(check_messages::kSheetNotReadAgain));
        return result;
    }
    result.opened = true;
    result.check = std::move(*check);
    return result;
}

// The sheet's check is its job's boundary: whatever it throws fails this
// sheet, with the reason, and the others go on.
CheckedSheet CheckOneAlone(const std::filesystem::path& path, unsigned threads,
                           const SheetOpener& open) {
    try {
        return CheckOne(path, threads, open);
    } catch (...) {
        CheckedSheet stopped;
        stopped.path = path;
        stopped.diagnostics.push_back(
            MakeDiagnostic(check_messages::kCheckStopped, {CurrentExceptionReason()}));
        return stopped;
    }
}

}  // namespace

std::vector<CheckedSheet> CheckSheets(const std::vector<std::filesystem::path>& sheets,
                                      unsigned jobs, const SheetOpener& open) {
    std::vector<CheckedSheet> results(sheets.size());
    const unsigned perSheet =
        std::max(1u, jobs / static_cast<unsigned>(std::max<std::size_t>(sheets.size(), 1)));
    ParallelFor(sheets.size(), jobs, [&](unsigned, std::size_t k) {
        results[k] = CheckOneAlone(sheets[k], perSheet, open);
    });
    return results;
}

CheckTotals TotalsOf(const std::vector<CheckedSheet>& sheets) {
    CheckTotals totals;
    for (const CheckedSheet& sheet : sheets) {
        totals.errors += sheet.Errors();
        totals.warnings += sheet.Warnings();
        totals.allOpened = totals.allOpened && sheet.opened;
    }
    return totals;
}

}  // namespace vesk
