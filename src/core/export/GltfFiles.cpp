#include "export/GltfFiles.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <sstream>

namespace vesk {
namespace {

bool Serialize(const tinygltf::Model& gltf, std::ostream& stream, bool binary) {
    tinygltf::TinyGLTF writer;
    // Images are never encoded by the library: the PNG is made beforehand.
    writer.SetImageWriter(nullptr, nullptr);
    return writer.WriteGltfSceneToStream(&gltf, stream, false, binary) && stream.good();
}

// The library embeds a text file's buffers as data URIs; here the buffer is a
// file of its own, so its entry names that file instead.
std::optional<std::string> TextWithBufferFile(const std::string& text, std::size_t byteLength,
                                              const std::string& binName) {
    nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        return std::nullopt;
    }
    if (byteLength > 0) {
        document["buffers"] =
            nlohmann::json::array({{{"byteLength", byteLength}, {"uri", binName}}});
    }
    return document.dump(2);
}

}  // namespace

FileFault WriteGlbFile(const tinygltf::Model& gltf, const std::filesystem::path& path) {
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        AtomicFileStreamBuffer buffer(out);
        std::ostream stream(&buffer);
        return Serialize(gltf, stream, true);
    });
}

std::vector<unsigned char> TakeBuffer(tinygltf::Model& gltf) {
    std::vector<unsigned char> bytes;
    if (!gltf.buffers.empty()) {
        bytes.swap(gltf.buffers[0].data);
    }
    return bytes;
}

FileFault WriteGltfFile(const tinygltf::Model& gltf, const std::filesystem::path& path,
                        const std::string& binName, std::size_t byteLength) {
    std::ostringstream text;
    if (!Serialize(gltf, text, false)) {
        return "could not be formed";
    }
    const auto json = TextWithBufferFile(text.str(), byteLength, binName);
    if (!json) {
        return "could not be formed";
    }
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write(*json);
        return true;
    });
}

}  // namespace vesk
