#include "export/BlockExport.h"

#include <algorithm>

#include "convert/OutputName.h"
#include "export/GltfFiles.h"
#include "export/GltfModel.h"
#include "export/ModelAndImage.h"
#include "export/ObjFiles.h"
#include "export/SceneFrame.h"
#include "platform/DeferredFolderSync.h"

namespace vesk {
namespace {

// The texture's size goes into the report when it could be encoded.
void Count(const ModelAndImage& made, ExportReport& report) {
    const BlockModel& model = made.model;
    report.buildingsWritten = model.buildingParts.size();
    report.buildingsLeftOut = model.leftOut;
    report.triangles =
        model.buildings.TriangleCount() + (model.terrain ? model.terrain->mesh.TriangleCount() : 0);
    report.crs = BlockCrs(model.zone);
    report.diagnostics = model.diagnostics;
    report.diagnostics.insert(report.diagnostics.end(), made.imageDiagnostics.begin(),
                              made.imageDiagnostics.end());
    report.textureWidth = made.imageWidth;
    report.textureHeight = made.imageHeight;
}

class FileSet {
public:
    FileSet(const std::filesystem::path& folder, ExportReport& report)
        : folder_(folder), report_(report) {}

    std::filesystem::path Path(const std::string& extension) const {
        return folder_ / (report_.name + extension);
    }
    std::string Name(const std::string& extension) const { return report_.name + extension; }
    void Record(const std::string& extension, WriteFailureText fault) {
        report_.files.push_back({Path(extension), std::move(fault)});
    }
    void Note(const std::vector<Diagnostic>& diagnostics) {
        report_.diagnostics.insert(report_.diagnostics.end(), diagnostics.begin(),
                                   diagnostics.end());
    }

private:
    std::filesystem::path folder_;
    ExportReport& report_;
};

void WriteGlb(BlockModel&& model, std::optional<EncodedImage> image,
              const GltfCompression& compression, FileSet& files) {
    std::optional<GltfTexture> texture;
    if (image) {
        texture = GltfTexture{std::move(*image), std::nullopt};
    }
    const GltfDocument document = MakeGltfModel(std::move(model), std::move(texture), compression);
    files.Note(document.diagnostics);
    files.Record(".glb", WriteGlbFile(document, files.Path(".glb")));
}

void WriteGltf(BlockModel&& model, std::optional<EncodedImage> image,
               const GltfCompression& compression, FileSet& files) {
    std::optional<GltfTexture> texture;
    if (image) {
        const std::string extension = FileExtension(image->format);
        files.Record(extension, WriteBytes(files.Path(extension), image->bytes));
        texture = GltfTexture{{{}, image->format}, files.Name(extension)};
    }
    const GltfDocument document = MakeGltfModel(std::move(model), std::move(texture), compression);
    files.Note(document.diagnostics);
    if (document.binary.Size() > 0) {
        files.Record(".bin", WriteBinFile(document.binary, files.Path(".bin")));
    }
    files.Record(".gltf", WriteGltfFile(document, files.Path(".gltf"), files.Name(".bin")));
}

void WriteObj(const BlockModel& model, const std::optional<EncodedImage>& image, FileSet& files) {
    std::optional<std::string> textureName;
    if (image) {
        const std::string extension = FileExtension(image->format);
        textureName = files.Name(extension);
        files.Record(extension, WriteBytes(files.Path(extension), image->bytes));
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
    const bool obj = choices.format == ExportFormat::kObj;
    const GltfCompression compression = obj ? GltfCompression{} : choices.compression;
    ModelAndImage made = BuildModelAndImage(sheet, record, choices.model, compression);
    Count(made, report);
    const DeferredFolderSync folderSync;
    FileSet files(folder, report);
    switch (choices.format) {
        case ExportFormat::kGlb:
            WriteGlb(std::move(made.model), std::move(made.image), compression, files);
            break;
        case ExportFormat::kGltf:
            WriteGltf(std::move(made.model), std::move(made.image), compression, files);
            break;
        case ExportFormat::kObj:
            WriteObj(made.model, made.image, files);
            break;
    }
    return report;
}

}  // namespace vesk
