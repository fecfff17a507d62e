#pragma once

#include <filesystem>
#include <functional>
#include <memory>

namespace vesk {

// The temporary files of outputs being written, so that a process stopped by
// a signal can remove them before it ends: an interrupted conversion then
// leaves nothing behind but the files it had finished.
//
// A temporary is registered before it is created and stays so until it has
// its own name or is gone. As many can be registered as the process may have
// files open (its limit when first asked), since each keeps its file open
// while it is written.
class TemporaryFileSlot {
public:
    TemporaryFileSlot() = default;
    ~TemporaryFileSlot() { Release(); }
    TemporaryFileSlot(const TemporaryFileSlot&) = delete;
    TemporaryFileSlot& operator=(const TemporaryFileSlot&) = delete;

    // Registers `path` and calls create(), which makes the file and gives 0 or
    // the system's error number; a signal's removal sees the path either
    // before the file exists or registered. The registration is kept when
    // create() succeeds. Gives create()'s error, or without calling it EINTR
    // once a terminating signal has been taken and EMFILE when every place
    // is in use.
    int Create(const std::filesystem::path& path, const std::function<int()>& create);

    // The file has its own name, or is gone: no signal removes it any more.
    void Release();

private:
    std::unique_ptr<char[]> path_;
    long index_ = -1;
};

// Removes every registered temporary file; safe inside a signal handler.
void RemoveRegisteredTemporaryFiles();

// On SIGINT and SIGTERM (and SIGHUP where there is one): remove the registered
// temporary files, then end as the signal would have ended the process. A
// file-size limit's SIGXFSZ is ignored, so that the write beyond it fails
// (EFBIG) as on a full disk and its output is given up like any other.
void RemoveTemporaryFilesOnTermination();

}  // namespace vesk
