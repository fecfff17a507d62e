#include "survey/FolderSurvey.h"

#include "survey/SheetFileSearch.h"
#include "survey/SurveyReading.h"

namespace vesk {

FolderSurvey SurveyFolder(const std::filesystem::path& folder) {
    SheetFileList found = FindSheetFiles(folder);
    FolderSurvey survey;
    survey.matched = found.matches > 0;
    // A well-formed sheet file gives one entry.
    survey.entries.reserve(found.files.size());
    for (std::filesystem::path& file : found.files) {
        ReadSurveyEntriesOfFile(std::move(file), survey.entries);
    }
    return survey;
}

}  // namespace vesk
