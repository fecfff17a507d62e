#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "convert/FixedRealFormat.h"
#include "convert/IntegerFormat.h"

// Pieces of LSS-G statements, written straight into room that the caller has
// reserved for the whole statement (see AtomicOutputFile::Reserve), so that no
// piece needs a bounds check of its own. Each gives the end of what it wrote.
namespace vesk::statement {

// The line end of the simulator's platform, whose text mode wrote "\n" as CR LF.
inline constexpr std::string_view kLineEnd = "\r\n";

// Room for one statement with up to three reals and five counters, or for a
// piece of a long statement.
inline constexpr std::size_t kMaxStatementChars =
    3 * kMaxFixedRealChars + 5 * kMaxIntegerChars + 96;

// Most pieces are a few characters long: copying them with fixed-size,
// possibly overlapping moves avoids a library call per piece, and literals
// fold to plain stores.
inline char* Put(char* out, std::string_view text) {
    const char* from = text.data();
    const std::size_t size = text.size();
    if (size >= 8 && size <= 16) {
        std::uint64_t head;
        std::uint64_t tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + size - 8, 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + size - 8, &tail, 8);
    } else if (size >= 4 && size < 8) {
        std::uint32_t head;
        std::uint32_t tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + size - 4, 4);
        std::memcpy(out, &head, 4);
        std::memcpy(out + size - 4, &tail, 4);
    } else if (size < 4) {
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = from[i];
        }
    } else {
        std::memcpy(out, from, size);
    }
    return out + size;
}

// "%06d" of the buildings section.
inline char* PutCounter6(char* out, std::uint64_t value) {
    return WritePaddedInteger(out, value, 6);
}

// "%f" of a stored f32 or a value computed in double.
inline char* PutReal(char* out, double value) {
    return WriteFixedReal(out, value);
}

}  // namespace vesk::statement
