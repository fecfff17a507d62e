#pragma once

#include <filesystem>
#include <string_view>

#include "convert/ConversionChoices.h"
#include "platform/MessageSink.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Writes the sub-sheet's LSS-G geometry file: the buildings section when
// buildings is chosen, then the terrain section when terrain is chosen (with
// the texture statements when texture is chosen too), and shows the
// completion message naming "<baseName>.geo". Data found truncated or
// inconsistent is left out and named in one error message before it; when
// that leaves no chosen section with data, no file is written (an older one
// stays) and no completion message follows. When the file cannot be created
// or written whole, an error message names it, no completion message follows
// and no file is left behind. True when every chosen section was written whole.
bool WriteGeometryFile(ByteSource& sheet, const std::filesystem::path& geometryPath,
                       std::string_view baseName, const SubSheetRecord& record,
                       const ConversionChoices& choices, MessageSink& ui);

}  // namespace vesk
