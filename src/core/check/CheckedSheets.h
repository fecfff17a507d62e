#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

#include "check/SheetCheck.h"
#include "platform/Diagnostic.h"

namespace vesk {

// What opening a sheet as the program does said: whether it opened, and its
// diagnostics in the order reported.
struct SheetOpening {
    bool opened = false;
    std::vector<Diagnostic> diagnostics;
};

// Opens a sheet as the program does; called on several threads at once.
using SheetOpener = std::function<SheetOpening(const std::filesystem::path& path)>;

// One sheet of a check: whether it opened and was read again for the check,
// what the opening said, and what the check found.
struct CheckedSheet {
    std::filesystem::path path;
    bool opened = false;
    std::vector<Diagnostic> diagnostics;
    std::size_t loadErrors = 0;
    SheetCheck check;

    std::size_t Errors() const { return loadErrors + check.Count(Severity::kError); }
    std::size_t Warnings() const { return check.Count(Severity::kWarning); }
};

// Opens and checks every sheet, up to `jobs` of them at once; jobs that no
// sheet needs check the blocks of the sheets side by side. The results come
// in the order of `sheets`. A sheet whose opening or check throws is not
// opened, and says why; the others are checked all the same.
std::vector<CheckedSheet> CheckSheets(const std::vector<std::filesystem::path>& sheets,
                                      unsigned jobs, const SheetOpener& open);

struct CheckTotals {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    bool allOpened = true;
};

CheckTotals TotalsOf(const std::vector<CheckedSheet>& sheets);

}  // namespace vesk
