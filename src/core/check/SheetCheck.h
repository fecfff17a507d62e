#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <vector>

#include "check/Finding.h"
#include "sheet/ByteSource.h"
#include "sheet/SheetArea.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// What the check found in one block, with the record it read the block by
// (origin, building count, whether a grid and a texture are present).
struct BlockCheck {
    int number = 0;  // 0 to 24
    SubSheetRecord record;
    std::vector<Finding>
        findings;  // the block's structure, ground grid, buildings in order, texture

    std::size_t Count(Severity severity) const;
};

struct SheetCheck {
    std::optional<SheetArea> area;
    std::vector<BlockCheck> blocks;  // every accepted block, in number order
    std::vector<Finding> findings;   // about the sheet as a whole

    std::size_t Count(Severity severity) const;
};

// Checks a whole sheet: walks it as the load does, then checks each block.
SheetCheck CheckSheet(ByteSource& sheet);

struct CheckOptions {
    unsigned threads = 1;  // blocks checked side by side, each reading the file on its own
    std::stop_token stop;  // a stop request ends the check early, with no result
};

// Checks the sheet file at path; nothing when it cannot be opened or the
// check was stopped. Safe to run on any thread: it shares nothing with the load.
std::optional<SheetCheck> CheckSheetFile(const std::filesystem::path& path,
                                         const CheckOptions& options = {});

}  // namespace vesk
