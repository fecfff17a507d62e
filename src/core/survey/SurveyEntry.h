#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sheet/SheetArea.h"

namespace vesk {

// One sheet file found by a folder survey: its sheet area as stored, its name
// (Shift-JIS bytes as read, empty without a NAME chunk) and its path.
struct SurveyEntry {
    SheetArea area;
    std::string name;
    std::filesystem::path path;
};

// The survey list, in the order the entries were read.
using SurveyList = std::vector<SurveyEntry>;

}  // namespace vesk
