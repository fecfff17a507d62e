#pragma once

#include <optional>
#include <vector>

#include "export/EncodedImage.h"
#include "export/JpegEncoding.h"
#include "model/BlockModel.h"

namespace vesk {

// How compact a block's glTF is made. Compressed, every mesh is in Draco and
// the texture is JPEG, a fraction of the bytes for a tileset streamed over the
// network; plain is what every glTF reader opens.
struct GltfCompression {
    bool enabled = false;
    int textureQuality = kDefaultJpegQuality;  // the JPEG's, 1 to 100
};

// The texture as the compression stores it: JPEG when compressed, PNG
// otherwise. Nothing when it cannot be encoded, which `diagnostics` is told.
std::optional<EncodedImage> EncodeTexture(const RgbaImage& texture,
                                          const GltfCompression& compression,
                                          std::vector<Diagnostic>& diagnostics);

// The block's texture as the compression stores it: JPEG when compressed, PNG
// otherwise; its pixels are released. Nothing when it has none or it cannot
// be encoded, which `diagnostics` is told.
std::optional<EncodedImage> TakeTexture(BlockModel& model, const GltfCompression& compression,
                                        std::vector<Diagnostic>& diagnostics);

}  // namespace vesk
