#include "platform/AtomicOutputFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "platform/DeferredFolderSync.h"
#include "platform/FileSync.h"
#include "platform/OutputDestination.h"

namespace vesk {
namespace {

constexpr int kNameAttempts = 32;

// ".vesk-a1b2c3d4.tmp" beside the target: hidden, unlike any name the program
// writes otherwise, and short, so that a target whose name is as long as a
// name may be still has a temporary in its own folder, from which the rename
// is atomic.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target, std::mt19937& random) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryRandomLetters; ++i) {
        name += kLetters[random() % (sizeof kLetters - 1)];
    }
    name += kTemporarySuffix;
    return target.parent_path() / name;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::filesystem::path target)
    : target_(std::move(target)), destination_(OutputDestination(target_)) {
    if (destination_) {
        CreateTemporary();
    } else {
        reason_ = "not a regular file";
    }
}

void AtomicOutputFile::CreateTemporary() {
    std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < kNameAttempts && !file_; ++attempt) {
        const std::filesystem::path candidate = TemporaryNameFor(*destination_, random);
        const int error = temporarySlot_.Create(candidate, [&] {
            errno = 0;
            // "x": created here and now, never an existing file someone else owns.
            file_.reset(std::fopen(candidate.string().c_str(), "wbx"));
            return file_ ? 0 : errno != 0 ? errno : EIO;
        });
        if (error == 0) {
            temporary_ = candidate;
        } else if (error != EEXIST) {
            NoteFailure(error);
            break;
        }
    }
    if (file_) {
        // Our own buffer already gathers large blocks; a second copy in stdio would only cost.
        std::setvbuf(file_.get(), nullptr, _IONBF, 0);
        buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
    }
}

AtomicOutputFile::~AtomicOutputFile() {
    file_.reset();
    RemoveTemporary();
}

void AtomicOutputFile::Write(std::string_view text) {
    Write(std::as_bytes(std::span(text.data(), text.size())));
}

void AtomicOutputFile::Write(std::span<const std::byte> bytes) {
    if (bytes.size() > kBufferBytes - used_) {
        Flush();
    }
    if (bytes.size() >= kBufferBytes) {
        WriteThrough(bytes.data(), bytes.size());
        return;
    }
    if (!bytes.empty()) {
        std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
}

void AtomicOutputFile::Flush() {
    WriteThrough(buffer_.get(), used_);
    used_ = 0;
}

void AtomicOutputFile::WriteThrough(const void* data, std::size_t size) {
    if (failed_ || size == 0 || !file_) {
        return;
    }
    errno = 0;
    if (std::fwrite(data, 1, size, file_.get()) != size) {
        failed_ = true;
        NoteFailure(errno);
        return;
    }
    // The disk starts on these bytes while the writer makes the next ones.
    StartWritingToDisk(file_.get(), written_, size);
    written_ += size;
}

bool AtomicOutputFile::SyncAndClose() {
    const bool synced = SyncFileToDisk(file_.get());
    // The one close whose result matters: it can report a deferred write error.
    std::FILE* file = file_.release();
    return std::fclose(file) == 0 && synced;
}

bool AtomicOutputFile::Commit() {
    if (!file_) {
        return false;
    }
    Flush();
    errno = 0;
    const bool written = !failed_ && std::fflush(file_.get()) == 0 && !std::ferror(file_.get());
    if (!SyncAndClose() || !written) {
        NoteFailure(errno);
        RemoveTemporary();
        return false;
    }
    KeepPermissionsOfReplacedFile();
    std::error_code error;
    std::filesystem::rename(temporary_, *destination_, error);
    if (error) {
        reason_ = error.message();
        RemoveTemporary();
        return false;
    }
    temporary_.clear();
    temporarySlot_.Release();
    if (!DeferredFolderSync::Defer(destination_->parent_path())) {
        SyncFolderToDisk(destination_->parent_path());
    }
    return true;
}

// A replaced file keeps its permissions, as if it had been rewritten in place.
void AtomicOutputFile::KeepPermissionsOfReplacedFile() {
    std::error_code error;
    const auto existing = std::filesystem::status(*destination_, error);
    if (!error && std::filesystem::is_regular_file(existing)) {
        std::filesystem::permissions(temporary_, existing.permissions(),
                                     std::filesystem::perm_options::replace, error);
    }
}

// The first failure's reason is kept: later ones follow from it.
void AtomicOutputFile::NoteFailure(int error) {
    if (reason_.empty()) {
        reason_ = error != 0 ? std::strerror(error) : "the system gave no reason";
    }
}

void AtomicOutputFile::RemoveTemporary() {
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
        temporarySlot_.Release();
    }
}

}  // namespace vesk
