#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "platform/FolderFileNames.h"

namespace vesk {

// Whether a directory entry's name fits the pattern "*.tqb": it ends in ".tqb"
// in any letter case (".TQB", ".Tqb"). The name is compared as the bytes the
// file system gives, so a name that is not valid UTF-8 fits like any other.
bool IsSheetFileName(EntryName name);

// The entries of one folder whose names fit the pattern (sub-folders are not entered).
struct SheetFileList {
    // Every name that fits, of whatever kind of entry: a folder named "x.tqb"
    // counts as a match although nothing can be read from it.
    std::size_t matches = 0;
    // The matches that are files (or links to files), as folder / name, in the
    // byte order of the names, so that a folder gives the same list on every
    // machine. Folders, pipes and devices are left out unopened: opening a
    // pipe would wait for a writer.
    std::vector<std::filesystem::path> files;
};

// Nothing matches when the folder cannot be listed.
SheetFileList FindSheetFiles(const std::filesystem::path& folder);

}  // namespace vesk
