#pragma once

#include <filesystem>

#include "platform/MessageSink.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Writes the sub-sheet's texture file: the body of its ORTS chunk, byte for
// byte. The chunk is checked to lie whole within the sheet file before
// anything is created. True when the file was written whole; otherwise one
// error message said why and no file was left behind.
bool CopyOrthoTexture(ByteSource& sheet, const std::filesystem::path& texturePath,
                      const SubSheetRecord& record, MessageSink& ui);

}  // namespace vesk
