#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "convert/ConversionChoices.h"
#include "convert/OutputPaths.h"
#include "platform/MessageSink.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// What the block holds that a conversion can write.
ConversionPresence PresenceOf(const SubSheetRecord& record);

// The files one block's conversion wrote whole, in the order written.
struct ConvertedFiles {
    std::vector<std::filesystem::path> written;
    bool whole = true;  // every file asked for was written whole
};

// The files ConvertBlock writes for the choices, in the order it writes them.
std::vector<std::filesystem::path> BlockFiles(const ConversionChoices& choices,
                                              const OutputPaths& paths);

// Converts one block of the open sheet as the choices ask: the texture file
// first, then the geometry file, whose completion message names `name`. Each
// writer tells `messages` what became of its file.
ConvertedFiles ConvertBlock(ByteSource& sheet, const SubSheetRecord& record,
                            const ConversionChoices& choices, const OutputPaths& paths,
                            std::string_view name, MessageSink& messages);

}  // namespace vesk
