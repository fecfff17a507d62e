#pragma once

#include <sys/resource.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Helpers shared by the conversion tests.
namespace vesk::test {

// The file's bytes, or "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// The lines joined with CR LF after each; the last one without when lastEnds is false.
std::string CrLfLines(std::initializer_list<std::string_view> lines, bool lastEnds = true);

// The names of the entries of a folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// Files this process writes cannot grow past `bytes` while it lives: writes
// beyond fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit saved_ {};
};

}  // namespace vesk::test
