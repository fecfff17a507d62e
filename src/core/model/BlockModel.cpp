#include "model/BlockModel.h"

#include <cmath>
#include <limits>
#include <variant>

#include "model/BuildingChunk.h"
#include "model/DemChunk.h"
#include "model/FootprintTriangulation.h"
#include "model/GeosContext.h"
#include "model/PrismMesh.h"
#include "model/SgiImage.h"
#include "model/TerrainMesh.h"
#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"

namespace vesk {
namespace {

constexpr std::uint64_t kMostMeshVertices = std::numeric_limits<std::uint32_t>::max();

class BuildingsBuilder {
public:
    BuildingsBuilder(ByteSource& sheet, BlockModel& model) : reader_(sheet), model_(model) {}

    void Add(std::uint32_t number, std::uint32_t position) {
        switch (reader_.Read(position)) {
            case BuildingChunkRead::kRead:
                AddBuilding(number, reader_.Current());
                break;
            case BuildingChunkRead::kBroken:
                LeaveOut(number, "its chunk is truncated or inconsistent");
                break;
            case BuildingChunkRead::kNotABuilding:
                LeaveOut(number, "no building chunk at its recorded position");
                break;
        }
    }

private:
    void AddBuilding(std::uint32_t number, const BuildingChunk& chunk) {
        if (!std::isfinite(chunk.bottom) || !std::isfinite(chunk.roof)) {
            LeaveOut(number, "a height is not a finite number");
            return;
        }
        // Corners in the block's frame: small numbers keep their precision in floats.
        local_.clear();
        for (const FootprintPoint& p : chunk.footprint) {
            local_.push_back({p.x - model_.originX, p.y - model_.originY});
        }
        const FootprintTriangulation triangulation = TriangulateFootprint(geos_, local_);
        if (!triangulation.Ok()) {
            LeaveOut(number, triangulation.fault);
            return;
        }
        TriangleMesh& mesh = model_.buildings;
        if (mesh.positions.size() + PrismVertexBound(local_.size()) > kMostMeshVertices) {
            LeaveOut(number, "the block has more vertices than one mesh can index");
            return;
        }
        BuildingPart part{number, chunk.bottom, chunk.roof};
        part.firstVertex = static_cast<std::uint32_t>(mesh.positions.size());
        part.firstIndex = static_cast<std::uint32_t>(mesh.indices.size());
        AppendPrism(mesh, local_, triangulation, chunk.bottom, chunk.roof);
        part.vertexCount = static_cast<std::uint32_t>(mesh.positions.size()) - part.firstVertex;
        part.indexCount = static_cast<std::uint32_t>(mesh.indices.size()) - part.firstIndex;
        model_.buildingParts.push_back(part);
    }

    void LeaveOut(std::uint32_t number, std::string reason) {
        model_.leftOut.push_back({number, std::move(reason)});
    }

    BuildingChunkReader reader_;
    BlockModel& model_;
    GeosContext geos_;
    std::vector<FootprintPoint> local_;
};

void AddBuildings(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model) {
    BuildingsBuilder builder(sheet, model);
    std::uint32_t number = 0;
    for (const std::uint32_t position : record.buildingPositions) {
        builder.Add(number++, position);
    }
}

void AddTerrain(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model) {
    const auto dem = ReadDemChunk(sheet, record.demPosition);
    if (!dem) {
        model.messages.push_back("terrain left out: its grid chunk is truncated or inconsistent");
        return;
    }
    auto terrain = BuildTerrainMesh(*dem);
    if (auto* fault = std::get_if<std::string>(&terrain)) {
        model.messages.push_back("terrain left out: " + *fault);
        return;
    }
    model.terrain = std::move(std::get<TerrainModel>(terrain));
}

// The ORTS body, when it lies whole within the file; the size is checked before allocating.
std::optional<std::vector<std::byte>> ReadOrthoBody(ByteSource& sheet, std::uint32_t position) {
    ByteReader reader(sheet, position);
    const auto header = ReadChunkHeader(reader);
    if (!header || !Matches(*header, kOrthoChunk) || header->bodySize > reader.Remaining()) {
        return std::nullopt;
    }
    std::vector<std::byte> body(header->bodySize);
    if (!reader.Read(body)) {
        return std::nullopt;
    }
    return body;
}

void AddTexture(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model) {
    const auto body = ReadOrthoBody(sheet, record.orthoPosition);
    if (!body) {
        model.messages.push_back("texture left out: its image chunk is truncated");
        return;
    }
    auto image = DecodeSgiImage(*body);
    if (auto* fault = std::get_if<std::string>(&image)) {
        model.messages.push_back("texture left out: the SGI image is damaged: " + *fault);
        return;
    }
    model.texture = std::move(std::get<RgbaImage>(image));
}

}  // namespace

BlockModel BuildBlockModel(ByteSource& sheet, const SubSheetRecord& record,
                           const ModelChoices& choices) {
    BlockModel model;
    model.zone = record.zone;
    model.originX = record.originX;
    model.originY = record.originY;
    if (choices.buildings) {
        AddBuildings(sheet, record, model);
    }
    if (choices.terrain && record.hasDem) {
        AddTerrain(sheet, record, model);
    }
    // The texture lies on the terrain: without it there is nothing to put it on.
    if (choices.texture && record.hasOrtho && model.terrain) {
        AddTexture(sheet, record, model);
    }
    return model;
}

}  // namespace vesk
