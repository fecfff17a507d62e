#pragma once

#include <filesystem>
#include <memory>

namespace vesk {

// The temporary files of outputs being written, so that a process stopped by
// a signal can remove them before it ends: an interrupted conversion then
// leaves nothing behind but the files it had finished.
//
// A path is held from Register until Unregister; at most kMaxTemporaryFiles
// at once are remembered (more are still removed by their owners as usual).
inline constexpr int kMaxTemporaryFiles = 64;

class TemporaryFileSlot {
public:
    explicit TemporaryFileSlot(const std::filesystem::path& path);
    ~TemporaryFileSlot();
    TemporaryFileSlot(const TemporaryFileSlot&) = delete;
    TemporaryFileSlot& operator=(const TemporaryFileSlot&) = delete;

private:
    std::unique_ptr<char[]> path_;
    int index_ = -1;
};

// Removes every registered temporary file; safe inside a signal handler.
void RemoveRegisteredTemporaryFiles();

// On SIGINT and SIGTERM (and SIGHUP where there is one): remove the registered
// temporary files, then end as the signal would have ended the process.
void RemoveTemporaryFilesOnTermination();

}  // namespace vesk
