#pragma once

#include <filesystem>
#include <string_view>

namespace vesk {

// The media type a browser needs for a file the viewer serves, by its
// extension (any case): it will not run a script or a WebAssembly module, nor
// CesiumJS take a tile, sent as anything else.
std::string_view ContentTypeOf(const std::filesystem::path& file);

}  // namespace vesk
