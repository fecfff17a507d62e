#include "preview/PreviewBuild.h"

#include <utility>
#include <vector>

#include "model/FootprintSet.h"
#include "sheet/FileByteSource.h"

namespace vesk::gui {
namespace {

BlockArea AreaOf(const SubSheetRecord& record) {
    return {record.width, record.height};
}

}  // namespace

std::shared_ptr<const PreviewScene> BuildSketch(const std::filesystem::path& sheet,
                                                const SubSheetRecord& record,
                                                const BuildRequest& request) {
    auto source = FileByteSource::Open(sheet);
    if (!source || request.Overtaken()) {
        return nullptr;
    }
    BlockModel ground = BuildBlockModel(*source, record, {.buildings = false});
    if (!ground.terrain && record.hasOrtho) {
        AddTexture(*source, record, ground);
    }
    if (request.Overtaken()) {
        return nullptr;
    }
    std::vector<LeftOutBuilding> leftOut;  // the complete scene tells what is left out
    const FootprintSet footprints = ReadFootprints(*source, record, leftOut);
    if (request.Overtaken()) {
        return nullptr;
    }
    return std::make_shared<const PreviewScene>(std::move(ground), BoxesOf(footprints),
                                                AreaOf(record));
}

std::shared_ptr<const PreviewScene> CompleteSketch(
    const std::filesystem::path& sheet, const SubSheetRecord& record,
    const std::shared_ptr<const PreviewScene>& sketch, const BuildRequest& request) {
    auto source = FileByteSource::Open(sheet);
    if (!source || request.Overtaken()) {
        return nullptr;
    }
    BlockModel model =
        BuildBlockModel(*source, record, {.buildings = true, .terrain = false, .texture = false});
    if (request.Overtaken()) {
        return nullptr;
    }
    const BlockModel& ground = sketch->Model();
    model.terrain = ground.terrain;
    model.texture = ground.texture;
    model.diagnostics = ground.diagnostics;
    return std::make_shared<const PreviewScene>(std::move(model), AreaOf(record));
}

}  // namespace vesk::gui
