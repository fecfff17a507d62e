#pragma once

#include <string>

#include "sheet/ByteSource.h"

namespace vesk {

// Why the model's decoder would leave a texture's SGI image out, with the
// decoder's own words, found without building the image: the header, the
// bytes it claims, and for a run-length image its row tables and the runs of
// every row, each of which must lie in the file and fill its row exactly
// (the decoder's own walk, sheet/SgiRows, one row at a time). Empty when the
// image decodes.
std::string SgiLayoutFault(ByteSource& image);

}  // namespace vesk
