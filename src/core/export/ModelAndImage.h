#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "export/EncodedImage.h"
#include "export/GltfCompression.h"
#include "model/BlockModel.h"

namespace vesk {

// A block's model for a file, with its texture already encoded as the file
// stores it; the model itself holds no texture.
struct ModelAndImage {
    BlockModel model;
    std::optional<EncodedImage> image;
    std::uint32_t imageWidth = 0;  // of the texture, when it was encoded
    std::uint32_t imageHeight = 0;
    std::vector<Diagnostic> imageDiagnostics;  // why it was not, told after the model's
};

// What BuildBlockModel and TakeTexture give one after the other, the same
// bytes and the same diagnostics, with the texture decoded and encoded on a
// thread of its own while the meshes are built.
ModelAndImage BuildModelAndImage(ByteSource& sheet, const SubSheetRecord& record,
                                 const ModelChoices& choices, const GltfCompression& compression);

}  // namespace vesk
