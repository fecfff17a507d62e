#include "export/GltfCompression.h"

#include "export/ExportMessages.h"
#include "export/JpegEncoding.h"
#include "export/PngEncoding.h"

namespace vesk {

std::optional<EncodedImage> TakeTexture(BlockModel& model, const GltfCompression& compression,
                                        std::vector<Diagnostic>& diagnostics) {
    if (!model.texture) {
        return std::nullopt;
    }
    const ImageFormat format = compression.enabled ? ImageFormat::kJpeg : ImageFormat::kPng;
    auto bytes = compression.enabled ? EncodeJpeg(*model.texture, compression.textureQuality)
                                     : EncodePng(*model.texture);
    model.texture.reset();
    if (!bytes) {
        diagnostics.push_back(MakeDiagnostic(export_messages::kTextureNotEncoded,
                                             {compression.enabled ? "JPEG" : "PNG"}));
        return std::nullopt;
    }
    return EncodedImage{std::move(*bytes), format};
}

}  // namespace vesk
