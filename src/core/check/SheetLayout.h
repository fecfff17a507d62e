#pragma once

#include <optional>
#include <vector>

#include "check/Finding.h"
#include "sheet/ByteSource.h"
#include "sheet/SheetArea.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// One block as the load records it, with what its place in the file says is wrong.
struct BlockLayout {
    int number = 0;  // 0 to 24
    SubSheetRecord record;
    std::vector<Finding> findings;
};

// The sheet's chunks walked exactly as the load walks them: the sheet area,
// and per accepted block number its data positions (a number seen twice
// gathers the data of both groups, as the load does).
struct SheetLayout {
    std::optional<SheetArea> area;    // when its body could be read
    std::vector<BlockLayout> blocks;  // in number order
    std::vector<Finding> findings;    // about the sheet as a whole
};

// Walks the sheet and finds the faults of its structure: a file without any
// sheet data, blocks seen twice, at no place (an origin that is no number),
// without data, at the place of another, outside the sheet or off its grid.
SheetLayout ReadSheetLayout(ByteSource& sheet);

}  // namespace vesk
