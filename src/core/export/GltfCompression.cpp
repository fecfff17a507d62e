#include "export/GltfCompression.h"

#include "export/ExportMessages.h"
#include "export/JpegEncoding.h"
#include "export/PngEncoding.h"

namespace vesk {

std::optional<EncodedImage> EncodeTexture(const RgbaImage& texture,
                                          const GltfCompression& compression,
                                          std::vector<Diagnostic>& diagnostics) {
    const ImageFormat format = compression.enabled ? ImageFormat::kJpeg : ImageFormat::kPng;
    auto bytes =
        compression.enabled ? EncodeJpeg(texture, compression.textureQuality) : EncodePng(texture);
    if (!bytes) {
        diagnostics.push_back(MakeDiagnostic(export_messages::kTextureNotEncoded,
                                             {compression.enabled ? "JPEG" : "PNG"}));
        return std::nullopt;
    }
    return EncodedImage{std::move(*bytes), format};
}

std::optional<EncodedImage> TakeTexture(BlockModel& model, const GltfCompression& compression,
                                        std::vector<Diagnostic>& diagnostics) {
    if (!model.texture) {
        return std::nullopt;
    }
    auto image = EncodeTexture(*model.texture, compression, diagnostics);
    model.texture.reset();
    return image;
}

}  // namespace vesk
