#include "platform/DeferredFolderSync.h"

#include <algorithm>

#include "platform/FileSync.h"

namespace vesk {
namespace {

thread_local DeferredFolderSync* t_innermost = nullptr;

}  // namespace

DeferredFolderSync::DeferredFolderSync() : outer_(t_innermost) {
    t_innermost = this;
}

DeferredFolderSync::~DeferredFolderSync() {
    t_innermost = outer_;
    for (const std::filesystem::path& folder : folders_) {
        if (!Defer(folder)) {
            SyncFolderToDisk(folder);
        }
    }
}

bool DeferredFolderSync::Defer(const std::filesystem::path& folder) {
    if (t_innermost == nullptr) {
        return false;
    }
    std::vector<std::filesystem::path>& folders = t_innermost->folders_;
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
        folders.push_back(folder);
    }
    return true;
}

}  // namespace vesk
