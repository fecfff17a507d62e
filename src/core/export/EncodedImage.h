#pragma once

#include <string>
#include <vector>

namespace vesk {

enum class ImageFormat { kPng, kJpeg };

// An image file in memory, as a glTF image or a file beside the model holds it.
struct EncodedImage {
    std::vector<unsigned char> bytes;
    ImageFormat format = ImageFormat::kPng;
};

// "image/png" or "image/jpeg", as glTF names them.
std::string MimeType(ImageFormat format);

// ".png" or ".jpg", for the file beside a .gltf or .obj.
std::string FileExtension(ImageFormat format);

}  // namespace vesk
