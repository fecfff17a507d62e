#include "export/BlockExport.h"

#include <algorithm>

#include "convert/OutputName.h"
#include "export/GltfFiles.h"
#include "export/GltfModel.h"
#include "export/ObjFiles.h"
#include "export/PngEncoding.h"
#include "export/SceneFrame.h"

namespace vesk {
namespace {

void Count(const BlockModel& model, ExportReport& report) {
    report.buildingsWritten = model.buildingParts.size();
    report.buildingsLeftOut = model.leftOut;
    report.triangles =
        model.buildings.TriangleCount() + (model.terrain ? model.terrain->mesh.TriangleCount() : 0);
    report.crs = BlockCrs(model.zone);
    report.messages = model.messages;
}

// The texture as PNG; its size goes into the report when it could be encoded.
std::optional<std::vector<unsigned char>> TakePng(BlockModel& model, ExportReport& report) {
    const std::uint32_t width = model.texture ? model.texture->width : 0;
    const std::uint32_t height = model.texture ? model.texture->height : 0;
    auto png = TakeTextureAsPng(model, report.messages);
    if (png) {
        report.textureWidth = width;
        report.textureHeight = height;
    }
    return png;
}

class FileSet {
public:
    FileSet(const std::filesystem::path& folder, ExportReport& report)
        : folder_(folder), report_(report) {}

    std::filesystem::path Path(const std::string& extension) const {
        return folder_ / (report_.name + extension);
    }
    std::string Name(const std::string& extension) const { return report_.name + extension; }
    void Record(const std::string& extension, FileFault fault) {
        report_.files.push_back({Path(extension), std::move(fault)});
    }

private:
    std::filesystem::path folder_;
    ExportReport& report_;
};

void WriteGlb(BlockModel&& model, std::optional<std::vector<unsigned char>> png, FileSet& files) {
    std::optional<GltfTexture> texture;
    if (png) {
        texture = GltfTexture{std::move(*png), std::nullopt};
    }
    const GltfDocument document = MakeGltfModel(std::move(model), std::move(texture));
    files.Record(".glb", WriteGlbFile(document, files.Path(".glb")));
}

void WriteGltf(BlockModel&& model, std::optional<std::vector<unsigned char>> png, FileSet& files) {
    std::optional<GltfTexture> texture;
    if (png) {
        texture = GltfTexture{{}, files.Name(".png")};
        files.Record(".png", WriteBytes(files.Path(".png"), *png));
    }
    const GltfDocument document = MakeGltfModel(std::move(model), std::move(texture));
    if (document.binary.Size() > 0) {
        files.Record(".bin", WriteBinFile(document.binary, files.Path(".bin")));
    }
    files.Record(".gltf", WriteGltfFile(document, files.Path(".gltf"), files.Name(".bin")));
}

void WriteObj(const BlockModel& model, const std::optional<std::vector<unsigned char>>& png,
              FileSet& files) {
    std::optional<std::string> textureName;
    if (png) {
        textureName = files.Name(".png");
        files.Record(".png", WriteBytes(files.Path(".png"), *png));
    }
    files.Record(".mtl", WriteMtlFile(files.Path(".mtl"), textureName));
    files.Record(".obj", WriteObjFile(model, files.Path(".obj"), files.Name(".mtl"),
                                      textureName.has_value()));
}

}  // namespace

bool ExportReport::AllWritten() const {
    return std::all_of(files.begin(), files.end(),
                       [](const ExportedFile& file) { return file.fault.empty(); });
}

ExportReport ExportBlock(ByteSource& sheet, const SubSheetRecord& record,
                         const ExportChoices& choices, const std::filesystem::path& folder) {
    ExportReport report;
    report.name = MakeOutputName(record);
    BlockModel model = BuildBlockModel(sheet, record, choices.model);
    Count(model, report);
    auto png = TakePng(model, report);
    FileSet files(folder, report);
    switch (choices.format) {
        case ExportFormat::kGlb:
            WriteGlb(std::move(model), std::move(png), files);
            break;
        case ExportFormat::kGltf:
            WriteGltf(std::move(model), std::move(png), files);
            break;
        case ExportFormat::kObj:
            WriteObj(model, png, files);
            break;
    }
    return report;
}

}  // namespace vesk
