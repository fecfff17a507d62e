#include "survey/SheetInputs.h"

#include "survey/SheetFileSearch.h"

namespace vesk {

std::vector<std::filesystem::path> ExpandSheetInputs(
    std::span<const std::filesystem::path> inputs) {
    std::vector<std::filesystem::path> sheets;
    for (const std::filesystem::path& input : inputs) {
        std::error_code error;
        if (!std::filesystem::is_directory(input, error)) {
            sheets.push_back(input);
            continue;
        }
        SheetFileList found = FindSheetFiles(input);
        sheets.insert(sheets.end(), std::make_move_iterator(found.files.begin()),
                      std::make_move_iterator(found.files.end()));
    }
    return sheets;
}

}  // namespace vesk
