#include "export/GltfCompression.h"

#include "export/JpegEncoding.h"
#include "export/PngEncoding.h"

namespace vesk {

std::optional<EncodedImage> TakeTexture(BlockModel& model, const GltfCompression& compression,
                                        std::vector<std::string>& messages) {
    if (!model.texture) {
        return std::nullopt;
    }
    const ImageFormat format = compression.enabled ? ImageFormat::kJpeg : ImageFormat::kPng;
    auto bytes = compression.enabled ? EncodeJpeg(*model.texture, compression.textureQuality)
                                     : EncodePng(*model.texture);
    model.texture.reset();
    if (!bytes) {
        messages.push_back(std::string("texture left out: it could not be encoded as ") +
                           (compression.enabled ? "JPEG" : "PNG"));
        return std::nullopt;
    }
    return EncodedImage{std::move(*bytes), format};
}

}  // namespace vesk
