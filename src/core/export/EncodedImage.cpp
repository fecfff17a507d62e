#include "export/EncodedImage.h"

namespace vesk {

std::string MimeType(ImageFormat format) {
    return format == ImageFormat::kJpeg ? "image/jpeg" : "image/png";
}

std::string FileExtension(ImageFormat format) {
    return format == ImageFormat::kJpeg ? ".jpg" : ".png";
}

}  // namespace vesk
