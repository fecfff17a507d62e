#include "sheet/SheetArea.h"

#include "sheet/LittleEndian.h"

namespace vesk {

SheetArea DecodeSheetArea(std::span<const std::byte, kSheetAreaSize> body) {
    const std::byte* p = body.data();
    return SheetArea{DecodeI32(p),      DecodeI32(p + 4),  DecodeF32(p + 8),
                     DecodeF32(p + 12), DecodeF32(p + 16), DecodeF32(p + 20)};
}

SubSheetArea DecodeSubSheetArea(std::span<const std::byte, kSubSheetAreaSize> body) {
    const std::byte* p = body.data();
    return SubSheetArea{DecodeI32(p), DecodeF32(p + 4), DecodeF32(p + 8), DecodeF32(p + 12),
                        DecodeF32(p + 16)};
}

}  // namespace vesk
