#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sheet/ByteSource.h"

namespace vesk {

// The body of the ORTS chunk at position, the block's texture as an SGI file,
// when the header there is an ORTS chunk's and the body lies whole within the
// file; its size is checked against the file before anything is allocated.
std::optional<std::vector<std::byte>> ReadOrthoChunkBody(ByteSource& sheet, std::uint32_t position);

}  // namespace vesk
