#pragma once

#include <cstdint>

#include "check/Finding.h"
#include "sheet/ByteSource.h"

namespace vesk {

// Why a data chunk that its reader refused cannot be read: its body runs past
// the end of the file, or what it holds claims more than its body.
FindingCode ChunkFault(ByteSource& sheet, std::uint32_t position);

}  // namespace vesk
