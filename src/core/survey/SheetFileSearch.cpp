#include "survey/SheetFileSearch.h"

#include <algorithm>

namespace vesk {
namespace {

// ".tqb" in the file system's own character type.
constexpr std::filesystem::path::value_type kExtension[] = {'.', 't', 'q', 'b'};

template <typename Char>
Char AsciiLower(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// folder / name. Where the separator is '/', the path is made from one
// string, parsed once, instead of a copy of the folder's parsed path with
// the name parsed and appended.
std::filesystem::path Joined(const std::filesystem::path& folder,
                             const std::filesystem::path::string_type& name) {
    if constexpr (std::filesystem::path::preferred_separator == '/') {
        std::filesystem::path::string_type text;
        text.reserve(folder.native().size() + 1 + name.size());
        text += folder.native();
        if (folder.has_filename()) {
            text += '/';
        }
        text += name;
        return std::filesystem::path(std::move(text));
    } else {
        return folder / name;
    }
}

}  // namespace

bool IsSheetFileName(EntryName name) {
    const std::size_t length = std::size(kExtension);
    if (name.size() < length) {
        return false;
    }
    return std::equal(name.end() - static_cast<std::ptrdiff_t>(length), name.end(),
                      std::begin(kExtension),
                      [](auto c, auto wanted) { return AsciiLower(c) == wanted; });
}

SheetFileList FindSheetFiles(const std::filesystem::path& folder) {
    FolderFileNames found = ListFolderFiles(folder, IsSheetFileName);
    // Ordered by the bytes of the names, whatever the locale's collation. The
    // names alone are sorted, most of them short enough to be held in place,
    // and joined to the folder in their order, so that the paths also lie in
    // memory in the order they are read in.
    std::sort(found.files.begin(), found.files.end());
    SheetFileList list;
    list.matches = found.chosen;
    list.files.reserve(found.files.size());
    for (const auto& name : found.files) {
        list.files.push_back(Joined(folder, name));
    }
    return list;
}

}  // namespace vesk
