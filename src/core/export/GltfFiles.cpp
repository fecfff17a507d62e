#include "export/GltfFiles.h"

#include <nlohmann/json.hpp>

#include <array>
#include <limits>
#include <optional>
#include <sstream>

#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kGlbVersion = 2;
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"

// The document's JSON as the library writes it. It would put the buffer into
// the text as a data URI (and, for .glb, copy it whole): the buffer is taken
// out beforehand and its entry written here, with its file's name or none.
std::optional<std::string> DocumentText(const tinygltf::Model& gltf, std::size_t byteLength,
                                        const std::optional<std::string>& uri, int indent) {
    std::ostringstream text;
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(nullptr, nullptr);  // the PNG is made beforehand
    if (!writer.WriteGltfSceneToStream(&gltf, text, false, false)) {
        return std::nullopt;
    }
    nlohmann::json document = nlohmann::json::parse(text.str(), nullptr, false);
    if (document.is_discarded()) {
        return std::nullopt;
    }
    if (byteLength > 0) {
        nlohmann::json buffer = {{"byteLength", byteLength}};
        if (uri) {
            buffer["uri"] = *uri;
        }
        document["buffers"] = nlohmann::json::array({buffer});
    }
    return document.dump(indent);
}

// Chunks end on 8-byte boundaries, so that the buffer's 64-bit metadata
// values lie aligned in the file as well.
std::size_t Padding(std::size_t size) {
    return (8 - size % 8) % 8;
}

void PutU32(AtomicOutputFile& out, std::uint32_t value) {
    std::array<std::byte, 4> bytes{};
    EncodeU32(bytes.data(), value);
    out.Write(std::span<const std::byte>(bytes));
}

// The binary container: a 12-byte header, the JSON chunk padded with spaces
// and the binary chunk, whose buffer ends padded with zeros.
void PutGlb(AtomicOutputFile& out, const std::string& json, const GltfBinary& bin,
            std::uint64_t total) {
    PutU32(out, kGlbMagic);
    PutU32(out, kGlbVersion);
    PutU32(out, static_cast<std::uint32_t>(total));
    PutU32(out, static_cast<std::uint32_t>(json.size() + Padding(json.size())));
    PutU32(out, kJsonChunk);
    out.Write(json);
    out.Write(std::string(Padding(json.size()), ' '));
    if (bin.Size() > 0) {
        PutU32(out, static_cast<std::uint32_t>(bin.Size()));  // padded already
        PutU32(out, kBinChunk);
        bin.WriteTo(out);
    }
}

}  // namespace

WriteFailureText WriteGlbFile(const GltfDocument& document, const std::filesystem::path& path) {
    const GltfBinary& buffer = document.binary;
    const auto json = DocumentText(document.gltf, buffer.Size(), std::nullopt, -1);
    if (!json) {
        return "could not be formed";
    }
    const std::uint64_t total = 12 + 8 + json->size() + Padding(json->size()) +
                                (buffer.Size() == 0 ? 0 : 8 + buffer.Size());
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        return "would be larger than a .glb file can be (4 GiB)";
    }
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        PutGlb(out, *json, buffer, total);
        return true;
    });
}

WriteFailureText WriteBinFile(const GltfBinary& binary, const std::filesystem::path& path) {
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        binary.WriteTo(out);
        return true;
    });
}

WriteFailureText WriteGltfFile(const GltfDocument& document, const std::filesystem::path& path,
                               const std::string& binName) {
    const auto json = DocumentText(document.gltf, document.binary.Size(), binName, 2);
    if (!json) {
        return "could not be formed";
    }
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write(*json);
        return true;
    });
}

}  // namespace vesk
