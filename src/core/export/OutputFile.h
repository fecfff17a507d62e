#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "platform/AtomicOutputFile.h"

namespace vesk {

// Why a file was not written; empty when it was written whole.
using WriteFailureText = std::string;

// What went wrong; the system's reason follows.
inline constexpr const char* kFileCannotBeCreated = "cannot be created";
inline constexpr const char* kFileCannotBeFormed = "could not be formed";
inline constexpr const char* kFileCannotBeWritten = "could not be written whole";

inline WriteFailureText WithReason(const char* fault, const AtomicOutputFile& out) {
    return fault + (": " + out.Reason());
}

// Creates the file, lets `fill` write it (false when it gave up) and puts it in
// place only when everything went well; an existing file is replaced only then.
template <class Fill>
WriteFailureText WriteAtomically(const std::filesystem::path& path, Fill fill) {
    AtomicOutputFile out(path);
    if (!out.IsOpen()) {
        return WithReason(kFileCannotBeCreated, out);
    }
    if (!fill(out)) {
        return kFileCannotBeFormed;
    }
    if (!out.Commit()) {
        return WithReason(kFileCannotBeWritten, out);
    }
    return {};
}

inline WriteFailureText WriteBytes(const std::filesystem::path& path,
                                   std::span<const unsigned char> bytes) {
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write(std::as_bytes(bytes));
        return true;
    });
}

}  // namespace vesk
