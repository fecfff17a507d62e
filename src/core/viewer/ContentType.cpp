#include "viewer/ContentType.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace vesk {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kTypes{{
    {".html", "text/html; charset=utf-8"},
    {".js", "text/javascript; charset=utf-8"},
    {".css", "text/css; charset=utf-8"},
    {".json", "application/json"},
    {".glb", "model/gltf-binary"},
    {".gltf", "model/gltf+json"},
    {".wasm", "application/wasm"},
    {".png", "image/png"},
    {".jpg", "image/jpeg"},
    {".jpeg", "image/jpeg"},
    {".svg", "image/svg+xml"},
    {".ktx2", "image/ktx2"},
    {".xml", "application/xml"},
    {".txt", "text/plain; charset=utf-8"},
}};

}  // namespace

std::string_view ContentTypeOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::ranges::transform(extension, extension.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    const auto known = std::ranges::find(kTypes, std::string_view(extension),
                                         &std::pair<std::string_view, std::string_view>::first);
    return known != kTypes.end() ? known->second : "application/octet-stream";
}

}  // namespace vesk
