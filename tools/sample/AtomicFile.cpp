#include "AtomicFile.h"

#include <cerrno>
#include <system_error>

namespace vesk::sample {
namespace {

constexpr int kTemporaryNameTries = 100;

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

}  // namespace

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Open(std::string& error) {
    const std::filesystem::path folder = target_.parent_path();
    int lastError = 0;
    for (int i = 1; i <= kTemporaryNameTries && !file_; ++i) {
        // Hidden, and named after the target so that a leftover tells where it came from.
        std::string name = target_.filename().string();
        name.insert(0, 1, '.');
        name.append(".").append(std::to_string(i)).append(".tmp");
        temporary_ = folder / name;
        // "x": never take over a file that is already there, another writer's perhaps.
        file_.reset(std::fopen(temporary_.c_str(), "wbx"));
        lastError = errno;
        if (!file_ && lastError != EEXIST) {
            break;
        }
    }
    if (!file_) {
        temporary_.clear();
        const std::string where = folder.empty() ? std::string(".") : folder.string();
        error = "cannot create a file in " + where + ": " + ErrnoText(lastError);
        return false;
    }
    return true;
}

void AtomicFile::Put(std::span<const std::byte> bytes) {
    if (failed_ || !file_ || bytes.empty()) {
        return;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
        failed_ = true;
        failure_ = errno;
    }
}

bool AtomicFile::Commit(std::string& error) {
    if (!file_) {
        error = "the file was not opened";
        return false;
    }
    const bool flushed = std::fflush(file_.get()) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file_.release()) == 0;
    if (failed_ || !flushed || !closed) {
        error = "cannot write " + temporary_.string() + ": " +
                ErrnoText(failed_ ? failure_ : flushError);
        Discard();
        return false;
    }
    std::error_code renameError;
    std::filesystem::rename(temporary_, target_, renameError);
    if (renameError) {
        error = "cannot rename " + temporary_.string() + " to " + target_.string() + ": " +
                renameError.message();
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicFile::Discard() {
    file_.reset();
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
    }
}

}  // namespace vesk::sample
