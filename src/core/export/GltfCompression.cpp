#include "export/GltfCompression.h"

#include "export/PngEncoding.h"

namespace vesk {

std::optional<EncodedImage> TakeTexture(BlockModel& model, const GltfCompression& compression,
                                        std::vector<std::string>& messages) {
    if (compression.enabled) {
        return TakeTextureAsJpeg(model, compression.textureQuality, messages);
    }
    return TakeTextureAsPng(model, messages);
}

}  // namespace vesk
