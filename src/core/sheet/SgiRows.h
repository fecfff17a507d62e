#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "sheet/ByteSource.h"
#include "sheet/SgiLayout.h"

namespace vesk {

// Takes row `row` (in the order of SgiHeader::Rows) as its width of samples.
using SgiRowSink = std::function<void(std::uint64_t row, std::span<const std::byte> samples)>;

// Reads every row of the image whose header the file begins with, as stored
// or expanded from its runs, and hands each to `take`; the fault, in the
// words the check and the model share, or empty when every row was read.
// A run-length row is damaged when the bytes its table states reach past the
// file, a run reaches past the row or past those bytes, or the runs do not
// fill the row exactly (a run of 0 ends it). The work is bounded by the
// samples: a row of w samples is filled from at most 2w packed bytes (a
// literal run of one sample takes two) and the byte after them must end it,
// so no more of what a row states is read, however long or shared it is.
std::string ReadSgiRows(ByteSource& file, const SgiHeader& header, const SgiRowSink& take);

}  // namespace vesk
