#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/ExportFormat.h"
#include "export/GltfCompression.h"
#include "model/BlockModel.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

struct ExportChoices {
    ExportFormat format = ExportFormat::kGlb;
    ModelChoices model;
    GltfCompression compression = {};  // for glTF; OBJ is always plain, its texture PNG
};

struct ExportedFile {
    std::filesystem::path path;
    std::string fault;  // why it was not written; empty when it was written whole
};

// What one block's export wrote and left out.
struct ExportReport {
    std::string name;  // the block's output name, which every file carries
    std::vector<ExportedFile> files;
    std::size_t buildingsWritten = 0;
    std::vector<LeftOutBuilding> buildingsLeftOut;
    std::size_t triangles = 0;
    std::uint32_t textureWidth = 0;  // 0 when no texture was written
    std::uint32_t textureHeight = 0;
    std::optional<std::string> crs;       // none: local coordinates only
    std::vector<Diagnostic> diagnostics;  // what was left out, and why

    bool AllWritten() const;
};

// Builds the block's model and writes it into the folder: NAME.glb; NAME.gltf,
// NAME.bin and NAME.png (NAME.jpg when compressed); or NAME.obj, NAME.mtl and
// NAME.png. Each file is
// written atomically; one that cannot be written is named with its reason
// and the others are still written.
ExportReport ExportBlock(ByteSource& sheet, const SubSheetRecord& record,
                         const ExportChoices& choices, const std::filesystem::path& folder);

}  // namespace vesk
