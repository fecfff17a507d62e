#include "tiles/SheetTiles.h"

#include <set>
#include <string>
#include <vector>

#include "batch/BatchMessages.h"
#include "batch/SheetJob.h"
#include "convert/OutputName.h"
#include "export/GltfCompression.h"
#include "export/GltfFiles.h"
#include "export/GltfModel.h"
#include "geo/PlaneZone.h"
#include "model/BlockCentre.h"
#include "model/ModelMessages.h"
#include "platform/KeptOutputs.h"
#include "platform/LeftoverTemporaries.h"
#include "sheet/FileByteSource.h"
#include "tiles/SheetLightModel.h"
#include "tiles/TilesMessages.h"
#include "tiles/TilesetFiles.h"

namespace vesk {
namespace {

namespace msg = tiles_messages;

Diagnostic NoGeoreference(int zone) {
    return MakeDiagnostic(msg::kNoGeoreference, {std::to_string(zone)});
}

Diagnostic NotWritten(std::string file, const WriteFailureText& fault) {
    return MakeDiagnostic(msg::kFileNotWritten, {std::move(file), fault});
}

// What the block's model says it left out, for the report.
void NoteLeftOut(const BlockModel& model, BlockOutcome& outcome) {
    outcome.diagnostics.insert(outcome.diagnostics.end(), model.diagnostics.begin(),
                               model.diagnostics.end());
    for (const LeftOutBuilding& building : model.leftOut) {
        outcome.diagnostics.push_back(model_messages::BuildingLeftOut(building));
    }
}

geo::PlaneRectangle BlockFrame(const SubSheetRecord& record) {
    return {{record.originX, record.originY}, record.width, record.height};
}

// Writes the model as a .glb; its fault, or nothing when written.
WriteFailureText WriteModel(BlockModel&& model, const GltfCompression& compression,
                            const std::filesystem::path& path,
                            std::vector<Diagnostic>& diagnostics) {
    std::optional<GltfTexture> texture;
    if (auto image = TakeTexture(model, compression, diagnostics)) {
        texture = GltfTexture{std::move(*image), std::nullopt};
    }
    GltfDocument document = MakeGltfModel(std::move(model), std::move(texture), compression);
    diagnostics.insert(diagnostics.end(), document.diagnostics.begin(), document.diagnostics.end());
    return WriteGlbFile(document, path);
}

// The blocks of one sheet, written one at a time, and what its own tile is
// made of.
class SheetWriter {
public:
    SheetWriter(const SheetTilesJob& job, const TilesBatchRequest& request, ByteSource& sheet,
                geo::GeoidModel* geoid)
        : job_(job), request_(request), sheet_(sheet), geoid_(geoid) {}

    void WriteBlock(const SubSheetRecord& record, BlockOutcome& outcome) {
        if (!HasFiniteOrigin(record)) {
            outcome.diagnostics.push_back(model_messages::BlockOriginNotFinite());
            return;
        }
        if (!names_.insert(outcome.name).second) {
            outcome.status = BlockStatus::kConflict;
            outcome.diagnostics.push_back(MakeDiagnostic(batch_messages::kNameTwiceInSheet));
            return;
        }
        if (!PlaneZoneEpsgCode(record.zone)) {
            outcome.status = BlockStatus::kLeftOut;
            outcome.diagnostics.push_back(NoGeoreference(record.zone));
            return;
        }
        const ModelChoices choices{true, !request_.noTerrain,
                                   !request_.noTerrain && !request_.noTexture};
        BlockModel model = BuildBlockModel(sheet_, record, choices);
        NoteLeftOut(model, outcome);
        if (model.buildings.positions.empty() && !model.terrain) {
            outcome.status = BlockStatus::kLeftOut;
            outcome.diagnostics.push_back(MakeDiagnostic(msg::kNothingToShow));
            return;
        }
        const auto placement = PlaceModel(georeference_, geoid_, model, BlockFrame(record));
        if (!placement) {
            outcome.diagnostics.push_back(
                MakeDiagnostic(msg::kBlockNotPlaced, {placement.Error()}));
            return;
        }
        LightBlock light = TakeLightBlock(model, record.width, record.height);
        const std::filesystem::path path = job_.folder / (outcome.name + ".glb");
        const WriteFailureText fault =
            WriteModel(std::move(model), request_.compression, path, outcome.diagnostics);
        if (!fault.empty()) {
            outcome.diagnostics.push_back(NotWritten(path.filename().string(), fault));
            return;
        }
        outcome.status = BlockStatus::kConverted;
        outcome.bytes = FileBytes(path);
        tiles_.push_back({outcome.name, outcome.block, *placement});
        lights_.push_back(std::move(light));
    }

    // The sheet's light model and its tileset over the blocks written.
    std::optional<Diagnostic> Finish(const HeightDatum& datum) {
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
            const auto placement = PlaceModel(georeference_, geoid_, light->model, light->frame);
            if (!placement) {
                return MakeDiagnostic(msg::kLightModelNotPlaced,
                                      {kSheetContentName, placement.Error()});
            }
            std::vector<Diagnostic> ignored;  // the blocks' own diagnostics said it already
            const WriteFailureText fault = WriteModel(std::move(light->model), request_.compression,
                                                      job_.folder / kSheetContentName, ignored);
            if (!fault.empty()) {
                return NotWritten(kSheetContentName, fault);
            }
            tileset.light = *placement;
        }
        tileset.blocks = std::move(tiles_);
        const WriteFailureText fault = WriteSheetTileset(job_.folder / "tileset.json", tileset);
        if (!fault.empty()) {
            return NotWritten("tileset.json", fault);
        }
        return std::nullopt;
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

// Of two sheets with the same folder, the later one is not loaded at all.
SheetOutcome FolderTaken(const SheetTilesJob& job) {
    SheetOutcome sheet;
    sheet.index = job.index;
    sheet.path = job.sheet;
    sheet.failed = true;
    sheet.diagnostics.push_back(MakeDiagnostic(msg::kFolderTaken, {job.folderTakenBy->string()}));
    return sheet;
}

// A sheet an earlier run finished: its tileset, written after everything it
// refers to, is newer than the sheet. Its blocks are told as kept.
std::optional<SheetOutcome> KeptSheet(const SheetTilesJob& job, BatchLedger& ledger) {
    const std::filesystem::path tileset = job.folder / "tileset.json";
    if (!OutputsNewerThan({&tileset, 1}, job.sheet)) {
        return std::nullopt;
    }
    const auto blocks = ReadSheetBlocks(tileset);
    if (!blocks) {
        return std::nullopt;
    }
    SheetOutcome sheet;
    sheet.index = job.index;
    sheet.path = job.sheet;
    for (const BlockTileName& tile : *blocks) {
        BlockOutcome block;
        block.block = tile.number;
        block.name = tile.name;
        block.status = BlockStatus::kKept;
        ledger.RecordBlock(block);
        sheet.blocks.push_back(std::move(block));
    }
    return sheet;
}

bool AnyGeoreferenced(const CMyVeskDoc& doc, const std::vector<int>& numbers) {
    return std::any_of(numbers.begin(), numbers.end(), [&](int number) {
        return PlaneZoneEpsgCode(doc.CopySubSheetRecord(number).zone).has_value();
    });
}

// A sheet the tileset cannot place: each of its blocks is left out.
SheetOutcome LeftOut(SheetJob& job, const std::vector<int>& numbers, BatchLedger& ledger) {
    const CMyVeskDoc& doc = job.Document();
    SheetOutcome& sheet = job.Outcome();
    sheet.leftOut = true;
    sheet.diagnostics.push_back(NoGeoreference(doc.CopySubSheetRecord(numbers.front()).zone));
    for (const int number : numbers) {
        BlockOutcome block;
        block.block = number + 1;
        block.name = MakeOutputName(doc.CopySubSheetRecord(number));
        block.status = BlockStatus::kLeftOut;
        ledger.RecordBlock(block);
        sheet.blocks.push_back(std::move(block));
    }
    return job.Finish();
}

}  // namespace

SheetOutcome MakeSheetTiles(const SheetTilesJob& job, const TilesBatchRequest& request,
                            BatchLedger& ledger, const std::atomic<bool>& cancel) {
    if (job.folderTakenBy) {
        return FolderTaken(job);
    }
    if (request.resume) {
        RemoveLeftoverTemporaries(job.folder);
        if (auto kept = KeptSheet(job, ledger)) {
            return std::move(*kept);
        }
    }
    SheetJob sheet(job.index, job.sheet);
    const CMyVeskDoc& doc = sheet.Document();
    const std::vector<int> numbers = doc.AcceptedSubSheets();
    if (!sheet.Loaded() || numbers.empty()) {
        return sheet.Failed(sheet.Loaded() ? MakeDiagnostic(msg::kSheetHoldsNoBlock)
                                           : SheetNotOpened(job.sheet));
    }
    if (!AnyGeoreferenced(doc, numbers)) {
        return LeftOut(sheet, numbers, ledger);
    }
    std::error_code error;
    std::filesystem::create_directories(job.folder, error);
    auto source = FileByteSource::Open(job.sheet);
    if (error || !source) {
        return sheet.Failed(
            error ? MakeDiagnostic(msg::kFolderNotCreated, {job.folder.string(), error.message()})
                  : MakeDiagnostic(msg::kSheetNotOpenedAgain));
    }
    std::optional<geo::GeoidModel> geoid;
    if (request.datum.geoid) {
        auto opened = geo::GeoidModel::Open(request.geoidGrid);
        if (!opened) {
            return sheet.Failed(MakeDiagnostic(msg::kGeoidUnusable, {opened.Error()}));
        }
        geoid = std::move(*opened);
    }
    SheetWriter writer(job, request, *source, geoid ? &*geoid : nullptr);
    sheet.WorkOnBlocks(numbers, ledger, cancel,
                       [&](std::size_t, const SubSheetRecord& record, BlockOutcome& block) {
                           writer.WriteBlock(record, block);
                       });
    if (cancel.load()) {
        return sheet.Failed(MakeDiagnostic(msg::kCancelled));
    }
    if (const auto fault = writer.Finish(request.datum)) {
        return sheet.Failed(*fault);
    }
    return sheet.Finish();
}

}  // namespace vesk
