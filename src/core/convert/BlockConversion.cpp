#include "convert/BlockConversion.h"

#include "convert/GeometryWriter.h"
#include "convert/OrthoTextureExport.h"
#include "platform/DeferredFolderSync.h"

namespace vesk {
namespace {

void Note(ConvertedFiles& files, const std::filesystem::path& path, bool written) {
    if (written) {
        files.written.push_back(path);
    }
    files.whole = files.whole && written;
}

}  // namespace

ConversionPresence PresenceOf(const SubSheetRecord& record) {
    return {record.buildingCount > 0, record.hasDem, record.hasOrtho};
}

std::vector<std::filesystem::path> BlockFiles(const ConversionChoices& choices,
                                              const OutputPaths& paths) {
    std::vector<std::filesystem::path> files;
    if (choices.texture) {
        files.push_back(paths.texture);
    }
    if (choices.buildings || choices.terrain) {
        files.push_back(paths.geometry);
    }
    return files;
}

ConvertedFiles ConvertBlock(ByteSource& sheet, const SubSheetRecord& record,
                            const ConversionChoices& choices, const OutputPaths& paths,
                            std::string_view name, MessageSink& messages) {
    const DeferredFolderSync folderSync;
    ConvertedFiles files;
    if (choices.texture) {
        Note(files, paths.texture, CopyOrthoTexture(sheet, paths.texture, record, messages));
    }
    if (choices.buildings || choices.terrain) {
        Note(files, paths.geometry,
             WriteGeometryFile(sheet, paths.geometry, name, record, choices, messages));
    }
    return files;
}

}  // namespace vesk
