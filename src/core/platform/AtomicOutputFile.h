#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/TemporaryFiles.h"

namespace vesk {

// The names of the temporary files outputs are written to: the prefix, as
// many letters and digits at random, the suffix.
inline constexpr std::string_view kTemporaryPrefix = ".vesk-";
inline constexpr std::size_t kTemporaryRandomLetters = 8;
inline constexpr std::string_view kTemporarySuffix = ".tmp";

// An output file that is written whole or not at all. The bytes go to a
// temporary file in the target's folder, which takes the target's name only
// on Commit, so a failed write (disk full, no permission) never leaves a
// half-written file and never destroys an existing file of that name. An
// object that goes without Commit removes its temporary file.
//
// Only regular files are ever replaced: a FIFO, a device, a socket or a folder
// at the target refuses the output and stays as it is. A symbolic link to a
// file keeps being a link: the file it leads to is replaced.
//
// Writing is buffered in one large block: text writers reserve room for a
// statement, format it straight into the buffer and advance past it.
class AtomicOutputFile {
public:
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

    // Creates the temporary file; IsOpen() tells whether that worked.
    explicit AtomicOutputFile(std::filesystem::path target);
    ~AtomicOutputFile();

    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    // Reserve, Advance and Write may be used only while this holds.
    bool IsOpen() const { return file_ != nullptr; }
    const std::filesystem::path& Target() const { return target_; }
    // Why the file could not be created or written, in the system's words
    // ("No space left on device"); empty while nothing failed.
    const std::string& Reason() const { return reason_; }
    // Whether the output was refused because something other than a regular
    // file stands at the target; the system was then never asked.
    bool Refused() const { return !destination_; }

    // Room for at least `bytes` (at most kBufferBytes) contiguous characters.
    char* Reserve(std::size_t bytes) {
        if (bytes > kBufferBytes - used_) {
            Flush();
        }
        return buffer_.get() + used_;
    }
    // The reserved room up to `end` now holds output.
    void Advance(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }

    void Write(std::string_view text);
    void Write(std::span<const std::byte> bytes);

    // Writes out the buffer, puts the file on the disk, closes it and moves it
    // to the target's name, replacing a file there. False when any write, the
    // close or the move failed; nothing is then left behind and an existing
    // target is untouched.
    bool Commit();

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void CreateTemporary();
    void Flush();
    void WriteThrough(const void* data, std::size_t size);
    bool SyncAndClose();
    void KeepPermissionsOfReplacedFile();
    void RemoveTemporary();
    void NoteFailure(int error);

    std::filesystem::path target_;
    // The regular file that is replaced: the target, or the file its links lead to.
    std::optional<std::filesystem::path> destination_;
    std::filesystem::path temporary_;
    TemporaryFileSlot temporarySlot_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;  // bytes handed to the system so far
    bool failed_ = false;
    std::string reason_;
};

}  // namespace vesk
