#include "survey/SheetFileSearch.h"

#include <algorithm>
#include <system_error>

namespace vesk {
namespace {

// ".tqb" in the file system's own character type.
constexpr std::filesystem::path::value_type kExtension[] = {'.', 't', 'q', 'b'};

template <typename Char>
Char AsciiLower(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsSheetFileName(const std::filesystem::path& fileName) {
    const auto& name = fileName.native();
    const std::size_t length = std::size(kExtension);
    if (name.size() < length) {
        return false;
    }
    return std::equal(name.end() - static_cast<std::ptrdiff_t>(length), name.end(),
                      std::begin(kExtension),
                      [](auto c, auto wanted) { return AsciiLower(c) == wanted; });
}

SheetFileList FindSheetFiles(const std::filesystem::path& folder) {
    SheetFileList list;
    std::vector<std::filesystem::path::string_type> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        // The entry's path is the folder followed by its name, so it ends as the name does.
        if (!IsSheetFileName(it->path())) {
            continue;
        }
        ++list.matches;
        // The type comes with the listing on most file systems; only links cost a look-up.
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().native());
        }
    }
    // Ordered by the bytes of the names, whatever the locale's collation. The
    // names alone are sorted, most of them short enough to be held in place,
    // and joined to the folder in their order as the listing joins them, so
    // that the paths also lie in memory in the order they are read in.
    std::sort(names.begin(), names.end());
    list.files.reserve(names.size());
    for (const auto& name : names) {
        list.files.push_back(folder / name);
    }
    return list;
}

}  // namespace vesk
