#include "platform/FolderFileNames.h"

#include <system_error>

#if !defined(_WIN32)
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace vesk {

#if defined(_WIN32)

FolderFileNames ListFolderFiles(const std::filesystem::path& folder, bool (*choose)(EntryName)) {
    FolderFileNames found;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::path name = it->path().filename();
        if (!choose(name.native())) {
            continue;
        }
        ++found.chosen;
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            found.files.push_back(name.native());
        }
    }
    return found;
}

#else

namespace {

// A link counts as what it leads to; a broken one as nothing.
bool IsRegularFile(int folder, const dirent& entry) {
    if (entry.d_type == DT_REG) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

bool IsDotOrDotDot(EntryName name) {
    return name == "." || name == "..";
}

}  // namespace

// The names alone: no path object is made and parsed for each entry.
FolderFileNames ListFolderFiles(const std::filesystem::path& folder, bool (*choose)(EntryName)) {
    FolderFileNames found;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return found;
    }
    const int handle = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const EntryName name(entry->d_name);
        if (IsDotOrDotDot(name) || !choose(name)) {
            continue;
        }
        ++found.chosen;
        if (IsRegularFile(handle, *entry)) {
            found.files.emplace_back(name);
        }
    }
    ::closedir(listing);
    return found;
}

#endif

}  // namespace vesk
