#pragma once

#include <cstdint>

#include "model/DataFault.h"
#include "sheet/ByteSource.h"

namespace vesk {

// Why a data chunk that its reader refused cannot be read: its body runs past
// the end of the file, or what it holds claims more than its body.
DataFault ChunkFault(ByteSource& sheet, std::uint32_t position);

}  // namespace vesk
