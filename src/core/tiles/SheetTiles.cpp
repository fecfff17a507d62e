#include "tiles/SheetTiles.h"

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "batch/MessageCollector.h"
#include "batch/SheetConversion.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "export/GltfFiles.h"
#include "export/GltfModel.h"
#include "export/PngEncoding.h"
#include "geo/PlaneZone.h"
#include "sheet/FileByteSource.h"
#include "sheet/ProgramImageSize.h"
#include "tiles/TilesetFiles.h"

namespace vesk {
namespace {

std::uint64_t FileBytes(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

// What the block's model says it left out, for the report.
void NoteLeftOut(const BlockModel& model, BlockOutcome& outcome) {
    outcome.messages.insert(outcome.messages.end(), model.messages.begin(), model.messages.end());
    for (const LeftOutBuilding& building : model.leftOut) {
        outcome.messages.push_back("building " + std::to_string(building.number) +
                                   " left out: " + building.reason);
    }
}

std::optional<GltfTexture> TakeTexture(BlockModel& model, BlockOutcome& outcome) {
    auto png = TakeTextureAsPng(model, outcome.messages);
    if (!png) {
        return std::nullopt;
    }
    return GltfTexture{std::move(*png), std::nullopt};
}

// Builds the block's model, writes its .glb and gives its tile when written.
std::optional<BlockTile> WriteBlockTile(ByteSource& sheet, const SubSheetRecord& record,
                                        const TilesBatchRequest& request,
                                        geo::PlaneGeoreference& georeference,
                                        const std::filesystem::path& folder,
                                        BlockOutcome& outcome) {
    const ModelChoices choices{true, !request.noTerrain, !request.noTerrain && !request.noTexture};
    BlockModel model = BuildBlockModel(sheet, record, choices);
    NoteLeftOut(model, outcome);
    if (model.buildings.positions.empty() && !model.terrain) {
        outcome.status = BlockStatus::kLeftOut;
        outcome.messages.push_back("nothing to show: no buildings and no terrain");
        return std::nullopt;
    }
    auto placement = PlaceBlock(georeference, model);
    if (const auto* fault = std::get_if<std::string>(&placement)) {
        outcome.messages.push_back(*fault);
        return std::nullopt;
    }
    const std::filesystem::path path = folder / (outcome.name + ".glb");
    auto texture = TakeTexture(model, outcome);
    const GltfDocument document = MakeGltfModel(std::move(model), std::move(texture));
    const FileFault fault = WriteGlbFile(document, path);
    if (!fault.empty()) {
        outcome.messages.push_back(path.filename().string() + " " + fault);
        return std::nullopt;
    }
    outcome.status = BlockStatus::kConverted;
    outcome.bytes = FileBytes(path);
    return BlockTile{outcome.name, std::get<BlockPlacement>(placement)};
}

SheetOutcome Failed(SheetOutcome sheet, std::string why) {
    sheet.failed = true;
    sheet.messages.push_back(std::move(why));
    return sheet;
}

// A sheet the tileset cannot place: each of its blocks is left out.
SheetOutcome LeftOut(SheetOutcome sheet, const CMyVeskDoc& doc, const std::vector<int>& numbers,
                     int zone, BatchLedger& ledger) {
    sheet.leftOut = true;
    sheet.messages.push_back("zone " + std::to_string(zone) +
                             " has no georeference (the plane rectangular zones are 1 to 19)");
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
    const int zone = doc.CopySubSheetRecord(numbers.front()).zone;
    if (!PlaneZoneEpsgCode(zone)) {
        return LeftOut(std::move(sheet), doc, numbers, zone, ledger);
    }
    std::error_code error;
    std::filesystem::create_directories(job.folder, error);
    auto source = FileByteSource::Open(job.sheet);
    if (error || !source) {
        return Failed(std::move(sheet),
                      error ? job.folder.string() + " cannot be created: " + error.message()
                            : "the sheet could not be opened again");
    }
    geo::PlaneGeoreference georeference;
    std::set<std::string> names;
    std::vector<BlockTile> tiles;
    for (std::size_t k = 0; k < numbers.size() && !cancel.load(); ++k) {
        const SubSheetRecord record = doc.CopySubSheetRecord(numbers[k]);
        BlockOutcome block;
        block.block = numbers[k] + 1;
        block.name = MakeOutputName(record);
        if (!names.insert(block.name).second) {
            block.status = BlockStatus::kConflict;
            block.messages.push_back("an earlier block of this sheet has the same output name");
        } else if (auto tile =
                       WriteBlockTile(*source, record, request, georeference, job.folder, block)) {
            tiles.push_back(std::move(*tile));
        }
        ledger.RecordBlock(block);
        sheet.blocks.push_back(std::move(block));
    }
    if (cancel.load()) {
        return Failed(std::move(sheet), "cancelled: the sheet's tileset was not written");
    }
    if (!tiles.empty()) {
        const FileFault fault = WriteSheetTileset(job.folder / "tileset.json", tiles);
        if (!fault.empty()) {
            return Failed(std::move(sheet), "tileset.json " + fault);
        }
    }
    return sheet;
}

}  // namespace vesk
