#pragma once

#include <filesystem>
#include <span>
#include <streambuf>
#include <string>

#include "convert/AtomicOutputFile.h"

namespace vesk {

// Why a file was not written; empty when it was written whole.
using FileFault = std::string;

// Lets a library that writes to a std::ostream write into an atomic output file.
class AtomicFileStreamBuffer : public std::streambuf {
public:
    explicit AtomicFileStreamBuffer(AtomicOutputFile& out) : out_(out) {}

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        out_.Write(std::string_view(text, static_cast<std::size_t>(count)));
        return count;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            const char one = traits_type::to_char_type(c);
            out_.Write(std::string_view(&one, 1));
        }
        return traits_type::not_eof(c);
    }

private:
    AtomicOutputFile& out_;
};

// Creates the file, lets `fill` write it (false when it gave up) and puts it in
// place only when everything went well; an existing file is replaced only then.
template <class Fill>
FileFault WriteAtomically(const std::filesystem::path& path, Fill fill) {
    AtomicOutputFile out(path);
    if (!out.IsOpen()) {
        return "cannot be created (does the folder exist and may it be written to?)";
    }
    if (!fill(out)) {
        return "could not be formed";
    }
    if (!out.Commit()) {
        return "could not be written whole (disk full?)";
    }
    return {};
}

inline FileFault WriteBytes(const std::filesystem::path& path,
                            std::span<const unsigned char> bytes) {
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write(std::as_bytes(bytes));
        return true;
    });
}

}  // namespace vesk
