#pragma once

#include <filesystem>
#include <vector>

namespace vesk {

// While one lives on a thread, the outputs committed on that thread leave
// their folders to it: it puts each folder's entries on the disk once, when
// it ends, instead of once after every rename. A block's files then cost one
// fsync of their folder instead of one each; every file is still on the disk
// before it takes its name, so a crash leaves whole files or none. One that
// ends inside another on the same thread hands its folders on, so that the
// outermost syncs each folder once for all the work it encloses.
class DeferredFolderSync {
public:
    DeferredFolderSync();
    ~DeferredFolderSync();
    DeferredFolderSync(const DeferredFolderSync&) = delete;
    DeferredFolderSync& operator=(const DeferredFolderSync&) = delete;

    // Leaves the folder to the innermost one living on this thread; false
    // when there is none, and the caller must sync it itself.
    static bool Defer(const std::filesystem::path& folder);

private:
    std::vector<std::filesystem::path> folders_;
    DeferredFolderSync* outer_;
};

}  // namespace vesk
