#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace vesk {

// Puts what was written to the file on the disk; false when the system says
// it could not. A file renamed over another is only safe after this: without
// it a crash soon after the rename may leave an empty file under the name.
bool SyncFileToDisk(std::FILE* file);

// Asks the system to start putting `bytes` bytes from `offset` of the file
// on the disk now, without waiting: the final sync then finds most of the
// file written while the writer went on with its work. A hint; systems
// without it ignore it.
void StartWritingToDisk(std::FILE* file, std::uint64_t offset, std::uint64_t bytes);

// Puts a folder's entries on the disk, so a rename in it survives a crash.
// Best effort: not every system or file system can do it.
void SyncFolderToDisk(const std::filesystem::path& folder);

}  // namespace vesk
