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

// Takes the sheets' results one at a time, in the order of the sheets; called
// on one thread at a time.
using CheckedSheetSink = std::function<void(CheckedSheet&& sheet)>;

// Opens and checks every sheet, up to `jobs` of them at once; jobs that no
// sheet needs check the blocks of the sheets side by side. Each result goes
// to `take` as soon as it and those before it are done, and is not kept: a
// job starts a sheet only within 2 x jobs places of the next to be taken, so
// the results waiting their turn stay few however many sheets there are. A
// sheet whose opening or check throws is not opened, and says why; the others
// are checked all the same.
void CheckSheets(const std::vector<std::filesystem::path>& sheets, unsigned jobs,
                 const SheetOpener& open, const CheckedSheetSink& take);

struct CheckTotals {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    bool allOpened = true;

    void Add(const CheckedSheet& sheet);
};

}  // namespace vesk
