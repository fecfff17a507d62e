#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vesk {

// A name of a folder's entry, in the file system's own character type.
using EntryName = std::basic_string_view<std::filesystem::path::value_type>;

// The entries of one folder whose names a filter chose (sub-folders are not entered).
struct FolderFileNames {
    // Every chosen name, of whatever kind of entry.
    std::size_t chosen = 0;
    // The chosen names that are regular files or links to them, in the
    // listing's order.
    std::vector<std::filesystem::path::string_type> files;
};

// Lists the folder once, asking for an entry's type only where the listing
// does not give it (links, and file systems that give no types); nothing is
// chosen when the folder cannot be listed.
FolderFileNames ListFolderFiles(const std::filesystem::path& folder, bool (*choose)(EntryName));

}  // namespace vesk
