#include "check/BlockCheck.h"

#include <optional>

#include "check/BuildingCheck.h"
#include "check/Ground.h"
#include "check/TerrainCheck.h"
#include "check/TextureCheck.h"
#include "model/BlockCentre.h"
#include "model/ChunkFault.h"
#include "model/FootprintPoint.h"
#include "sheet/BuildingChunk.h"
#include "sheet/ByteSourceWindow.h"
#include "sheet/ChunkBody.h"
#include "sheet/DemChunk.h"

namespace vesk {
namespace {

class BlockChecker {
public:
    BlockChecker(ByteSource& sheet, const SubSheetRecord& record)
        : sheet_(sheet), record_(record) {}

    std::vector<Finding> Run() {
        if (record_.hasDem) {
            CheckGrid();
        }
        CheckBuildings();
        if (record_.hasOrtho) {
            CheckOrtho();
        }
        return std::move(findings_);
    }

private:
    // A grid without points comes without heights and is too small for its counts.
    void CheckGrid() {
        DemChunkResult grid = ReadDemChunk(sheet_, record_.demPosition);
        if (grid.read == DemChunkRead::kBroken) {
            AddChunkFault(record_.demPosition);
            return;
        }
        dem_ = std::move(grid.chunk);
        CheckTerrain(*dem_, record_, findings_);
        if (Ground::SpansArea(dem_->grid)) {
            ground_.emplace(*dem_, record_.originX, record_.originY);
        }
    }

    void CheckBuildings() {
        BuildingChunkReader reader(sheet_);
        BuildingCheck check(record_);
        const Ground* ground = ground_ ? &*ground_ : nullptr;
        for (std::size_t k = 0; k < record_.buildingPositions.size(); ++k) {
            const std::uint32_t position = record_.buildingPositions[k];
            if (reader.Read(position) != BuildingChunkRead::kRead) {
                AddChunkFault(position);
                findings_.back().building = static_cast<std::uint32_t>(k);
                continue;
            }
            check.Check(static_cast<std::uint32_t>(k), reader.Current(), ground, findings_);
        }
    }

    // The texture is checked where it lies in the file, without copying it out.
    void CheckOrtho() {
        const auto body = LocateChunkBody(sheet_, record_.orthoPosition);
        if (!body || !Matches(body->header, kOrthoChunk)) {
            AddChunkFault(record_.orthoPosition);
            return;
        }
        ByteSourceWindow image(sheet_, body->offset, body->header.bodySize);
        CheckTexture(image, record_, findings_);
    }

    void AddChunkFault(std::uint32_t position) {
        const FootprintPoint centre = BlockCentre(record_);
        findings_.push_back(MakeFinding(CodeOf(ChunkFault(sheet_, position)), centre.x, centre.y,
                                        Marked('@', position)));
    }

    ByteSource& sheet_;
    const SubSheetRecord& record_;
    std::optional<DemChunk> dem_;
    std::optional<Ground> ground_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> CheckBlock(ByteSource& sheet, const SubSheetRecord& record) {
    if (!HasFiniteOrigin(record)) {
        return {};  // everything is measured from the origin; the layout names the fault
    }
    return BlockChecker(sheet, record).Run();
}

}  // namespace vesk
