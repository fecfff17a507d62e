#pragma once

#include <filesystem>

#include "survey/SurveyEntry.h"

namespace vesk {

// What a survey of one folder found.
struct FolderSurvey {
    // Some name in the folder fits "*.tqb"; when none does the survey shows
    // its message and leaves the previous survey as it was.
    bool matched = false;
    // One entry per sheet AREA read, file after file in the byte order of
    // their names; matches that are not files, files that cannot be opened
    // and files without an AREA add none.
    SurveyList entries;
};

// Lists the folder's sheet files and reads the leading chunks of each.
FolderSurvey SurveyFolder(const std::filesystem::path& folder);

}  // namespace vesk
