#include "tiles/SheetTiles.h"

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "batch/MessageCollector.h"
#include "batch/SheetConversion.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "export/GltfCompression.h"
#include "export/GltfFiles.h"
#include "export/GltfModel.h"
#include "geo/PlaneZone.h"
#include "sheet/FileByteSource.h"
#include "sheet/ProgramImageSize.h"
#include "tiles/SheetLightModel.h"
#include "tiles/TilesetFiles.h"

namespace vesk {
namespace {

std::uint64_t FileBytes(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

std::string NoGeoreference(int zone) {
    return "zone " + std::to_string(zone) +
           " has no georeference (the plane rectangular zones are 1 to 19)";
}

// What the block's model says it left out, for the report.
void NoteLeftOut(const BlockModel& model, BlockOutcome& outcome) {
    outcome.messages.insert(outcome.messages.end(), model.messages.begin(), model.messages.end());
    for (const LeftOutBuilding& building : model.leftOut) {
        outcome.messages.push_back(LeftOutLine(building));
    }
}

geo::PlaneRectangle BlockFrame(const SubSheetRecord& record) {
    return {{record.originX, record.originY}, record.width, record.height};
}

// Writes the model as a .glb; its fault, or nothing when written.
FileFault WriteModel(BlockModel&& model, const GltfCompression& compression,
                     const std::filesystem::path& path, std::vector<std::string>& messages) {
    std::optional<GltfTexture> texture;
    if (auto image = TakeTexture(model, compression, messages)) {
        texture = GltfTexture{std::move(*image), std::nullopt};
    }
    GltfDocument document = MakeGltfModel(std::move(model), std::move(texture), compression);
    messages.insert(messages.end(), document.messages.begin(), document.messages.end());
    return WriteGlbFile(document, path);
}

SheetOutcome Failed(SheetOutcome sheet, std::string why) {
    sheet.failed = true;
    sheet.messages.push_back(std::move(why));
    return sheet;
}

// The blocks of one sheet, written one at a time, and what its own tile is
// made of.
class SheetWriter {
public:
    SheetWriter(const SheetTilesJob& job, const TilesBatchRequest& request, ByteSource& sheet,
                geo::GeoidModel* geoid)
        : job_(job), request_(request), sheet_(sheet), geoid_(geoid) {}

    void WriteBlock(const SubSheetRecord& record, BlockOutcome& outcome) {
        if (!names_.insert(outcome.name).second) {
            outcome.status = BlockStatus::kConflict;
            outcome.messages.push_back("an earlier block of this sheet has the same output name");
            return;
        }
        if (!PlaneZoneEpsgCode(record.zone)) {
            outcome.status = BlockStatus::kLeftOut;
            outcome.messages.push_back(NoGeoreference(record.zone));
            return;
        }
        const ModelChoices choices{true, !request_.noTerrain,
                                   !request_.noTerrain && !request_.noTexture};
        BlockModel model = BuildBlockModel(sheet_, record, choices);
        NoteLeftOut(model, outcome);
        if (model.buildings.positions.empty() && !model.terrain) {
            outcome.status = BlockStatus::kLeftOut;
            outcome.messages.push_back("nothing to show: no buildings and no terrain");
            return;
        }
        auto placement = PlaceModel(georeference_, geoid_, model, BlockFrame(record));
        if (const auto* fault = std::get_if<std::string>(&placement)) {
            outcome.messages.push_back(*fault);
            return;
        }
        LightBlock light = TakeLightBlock(model, record.width, record.height);
        const std::filesystem::path path = job_.folder / (outcome.name + ".glb");
        const FileFault fault =
            WriteModel(std::move(model), request_.compression, path, outcome.messages);
        if (!fault.empty()) {
            outcome.messages.push_back(path.filename().string() + " " + fault);
            return;
        }
        outcome.status = BlockStatus::kConverted;
        outcome.bytes = FileBytes(path);
        tiles_.push_back({outcome.name, outcome.block, std::get<BlockPlacement>(placement)});
        lights_.push_back(std::move(light));
    }

    // The sheet's light model and its tileset over the blocks written.
    std::optional<std::string> Finish(const HeightDatum& datum) {
        if (tiles_.empty()) {
            return std::nullopt;
        }
        SheetTileset tileset;
        tileset.file = job_.sheet.filename().string();
        tileset.zone = lights_.front().zone;
        tileset.origin = {lights_.front().originX, lights_.front().originY};
        tileset.datum = datum;
        if (auto light = MakeSheetLightModel(tileset.zone, lights_)) {
            tileset.origin = light->frame.southWest;
            auto placement = PlaceModel(georeference_, geoid_, light->model, light->frame);
            if (const auto* fault = std::get_if<std::string>(&placement)) {
                return std::string(kSheetContentName) + ": " + *fault;
            }
            std::vector<std::string> ignored;  // the blocks' own messages said it already
            const FileFault fault = WriteModel(std::move(light->model), request_.compression,
                                               job_.folder / kSheetContentName, ignored);
            if (!fault.empty()) {
                return std::string(kSheetContentName) + " " + fault;
            }
            tileset.light = std::get<BlockPlacement>(placement);
        }
        tileset.blocks = std::move(tiles_);
        const FileFault fault = WriteSheetTileset(job_.folder / "tileset.json", tileset);
        return fault.empty() ? std::nullopt : std::optional<std::string>("tileset.json " + fault);
    }

private:
    const SheetTilesJob& job_;
    const TilesBatchRequest& request_;
    ByteSource& sheet_;
    geo::GeoidModel* geoid_;
    geo::PlaneGeoreference georeference_;
    std::set<std::string> names_;
    std::vector<BlockTile> tiles_;
    std::vector<LightBlock> lights_;
};

bool AnyGeoreferenced(const CMyVeskDoc& doc, const std::vector<int>& numbers) {
    return std::any_of(numbers.begin(), numbers.end(), [&](int number) {
        return PlaneZoneEpsgCode(doc.CopySubSheetRecord(number).zone).has_value();
    });
}

// A sheet the tileset cannot place: each of its blocks is left out.
SheetOutcome LeftOut(SheetOutcome sheet, const CMyVeskDoc& doc, const std::vector<int>& numbers,
                     BatchLedger& ledger) {
    sheet.leftOut = true;
    sheet.messages.push_back(NoGeoreference(doc.CopySubSheetRecord(numbers.front()).zone));
    for (const int number : numbers) {
        BlockOutcome block;
        block.block = number + 1;
        block.name = MakeOutputName(doc.CopySubSheetRecord(number));
        block.status = BlockStatus::kLeftOut;
        ledger.RecordBlock(block);
        sheet.blocks.push_back(std::move(block));
    }
    return sheet;
}

}  // namespace

SheetOutcome MakeSheetTiles(const SheetTilesJob& job, const TilesBatchRequest& request,
                            BatchLedger& ledger, const std::atomic<bool>& cancel) {
    SheetOutcome sheet;
    sheet.index = job.index;
    sheet.path = job.sheet;
    if (job.folderTakenBy) {
        return Failed(std::move(sheet), "conflict: " + job.folderTakenBy->string() +
                                            " comes first with the same file name");
    }
    MessageCollector ui;
    ProgramImageSize imageSize;  // each job's own: loads on other threads must not change it
    CMyVeskDoc doc(ui, imageSize);
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(job.sheet);
    sheet.messages = ui.TakeErrors();
    const std::vector<int> numbers = doc.AcceptedSubSheets();
    if (!doc.IsSheetLoaded() || numbers.empty()) {
        return Failed(std::move(sheet),
                      doc.IsSheetLoaded() ? "the sheet holds no block" : SheetNotOpened(job.sheet));
    }
    if (!AnyGeoreferenced(doc, numbers)) {
        return LeftOut(std::move(sheet), doc, numbers, ledger);
    }
    std::error_code error;
    std::filesystem::create_directories(job.folder, error);
    auto source = FileByteSource::Open(job.sheet);
    if (error || !source) {
        return Failed(std::move(sheet),
                      error ? job.folder.string() + " cannot be created: " + error.message()
                            : "the sheet could not be opened again");
    }
    std::optional<geo::GeoidModel> geoid;
    if (request.datum.geoid) {
        auto opened = geo::GeoidModel::Open(request.geoidGrid);
        if (const auto* fault = std::get_if<std::string>(&opened)) {
            return Failed(std::move(sheet), *fault);
        }
        geoid = std::move(std::get<geo::GeoidModel>(opened));
    }
    SheetWriter writer(job, request, *source, geoid ? &*geoid : nullptr);
    for (std::size_t k = 0; k < numbers.size() && !cancel.load(); ++k) {
        const SubSheetRecord record = doc.CopySubSheetRecord(numbers[k]);
        BlockOutcome block;
        block.block = numbers[k] + 1;
        block.name = MakeOutputName(record);
        writer.WriteBlock(record, block);
        ledger.RecordBlock(block);
        sheet.blocks.push_back(std::move(block));
    }
    if (cancel.load()) {
        return Failed(std::move(sheet), "cancelled: the sheet's tileset was not written");
    }
    if (const auto fault = writer.Finish(request.datum)) {
        return Failed(std::move(sheet), *fault);
    }
    return sheet;
}

}  // namespace vesk
