#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "platform/AtomicOutputFile.h"

namespace vesk {

// Why a file was not written; empty when it was written whole.
using FileFault = std::string;

inline constexpr const char* kFileCannotBeCreated =
    "cannot be created (does the folder exist and may it be written to?)";
inline constexpr const char* kFileCannotBeFormed = "could not be formed";
inline constexpr const char* kFileCannotBeWritten = "could not be written whole (disk full?)";

// Creates the file, lets `fill` write it (false when it gave up) and puts it in
// place only when everything went well; an existing file is replaced only then.
template <class Fill>
FileFault WriteAtomically(const std::filesystem::path& path, Fill fill) {
    AtomicOutputFile out(path);
    if (!out.IsOpen()) {
        return kFileCannotBeCreated;
    }
    if (!fill(out)) {
        return kFileCannotBeFormed;
    }
    if (!out.Commit()) {
        return kFileCannotBeWritten;
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
