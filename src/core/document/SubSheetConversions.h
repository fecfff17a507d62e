#pragma once

#include <span>

#include "document/ConversionCommand.h"

namespace vesk {

class CMyVeskDoc;

// The conversion command on each of the sub-sheets `numbers` (0 to 24) of the
// open sheet, as if run on one after another, but with the files written on
// up to `threads` threads: the settings and folders are asked in block order
// on this thread, and every block's messages are shown in block order, each
// block's once the blocks before it have been shown. Stops asking after the
// first block whose folders are unknown: every further block would fail the
// same way. Blocks with the same output name are written in block order, so
// the last one's files stay, as they would.
//
// Failed when any block's folders were unknown or a file was not written
// whole; confirmed as the last block asked was.
ConversionOutcome ConvertSubSheets(CMyVeskDoc& doc, std::span<const int> numbers,
                                   const EnvironmentLookup& environment, unsigned threads);

}  // namespace vesk
