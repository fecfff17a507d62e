#include "export/ModelAndImage.h"

#include "platform/ParallelFor.h"
#include "sheet/OrthoChunk.h"

namespace vesk {
namespace {

// BuildBlockModel lays the texture on the terrain only.
bool WantsTexture(const SubSheetRecord& record, const ModelChoices& choices) {
    return choices.texture && choices.terrain && record.hasOrtho && record.hasDem;
}

void EncodeBlockTexture(const std::optional<std::vector<std::byte>>& body,
                        const GltfCompression& compression, ModelAndImage& made) {
    const auto texture = DecodeOrthoTexture(body, made.imageDiagnostics);
    if (!texture) {
        return;
    }
    made.image = EncodeTexture(*texture, compression, made.imageDiagnostics);
    if (made.image) {
        made.imageWidth = texture->width;
        made.imageHeight = texture->height;
    }
}

}  // namespace

ModelAndImage BuildModelAndImage(ByteSource& sheet, const SubSheetRecord& record,
                                 const ModelChoices& choices, const GltfCompression& compression) {
    ModelChoices meshes = choices;
    meshes.texture = false;
    ModelAndImage made;
    if (!WantsTexture(record, choices)) {
        made.model = BuildBlockModel(sheet, record, meshes);
        return made;
    }
    // Compressing the picture takes about as long as building the meshes, whose
    // serial steps leave a core idle. The sheet is read by one thread at a time:
    // the texture's bytes before the two start.
    const auto body = ReadOrthoChunkBody(sheet, record.orthoPosition);
    ParallelFor(2, 2, [&](unsigned, std::size_t k) {
        if (k == 0) {
            made.model = BuildBlockModel(sheet, record, meshes);
        } else {
            EncodeBlockTexture(body, compression, made);
        }
    });
    if (!made.model.terrain) {  // nothing to lay the texture on
        made.image.reset();
        made.imageWidth = 0;
        made.imageHeight = 0;
        made.imageDiagnostics.clear();
    }
    return made;
}

}  // namespace vesk
