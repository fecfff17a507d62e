#include "model/BlockModel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

#include "model/FootprintBox.h"
#include "model/FootprintSet.h"
#include "model/ModelMessages.h"
#include "model/ParallelTriangulation.h"
#include "model/PrismMesh.h"
#include "model/SgiImage.h"
#include "model/SgiSides.h"
#include "model/TerrainMesh.h"
#include "sheet/DemChunk.h"
#include "sheet/OrthoChunk.h"

namespace vesk {
namespace {

namespace msg = model_messages;

constexpr std::uint64_t kMostMeshVertices = std::numeric_limits<std::uint32_t>::max();

// Room for every prism at once, so the mesh's arrays grow only once.
void Reserve(TriangleMesh& mesh, const FootprintSet& set) {
    const std::uint64_t corners = set.corners.size();
    if (PrismVertexBound(corners) <= kMostMeshVertices) {
        mesh.positions.reserve(static_cast<std::size_t>(PrismVertexBound(corners)));
        mesh.normals.reserve(static_cast<std::size_t>(PrismVertexBound(corners)));
        mesh.indices.reserve(static_cast<std::size_t>(PrismIndexBound(corners)));
    }
}

// Why a building read whole cannot be built, in the order the data check
// reports its faults: the footprint, then the heights; nothing when it can.
std::optional<LeftOutBuilding> BuildFault(const FootprintSet::Building& building,
                                          const FootprintTriangulation& triangulation,
                                          const TriangleMesh& mesh) {
    if (!triangulation.Ok()) {
        return LeftOutBuilding{.reason = triangulation.fault, .code = triangulation.code};
    }
    // A flat or upside-down prism would bound nothing.
    const double height = double{building.roof} - building.bottom;
    if (height <= 0.0) {
        return LeftOutBuilding{.reason = Describe(DataFault::kRoofNotAboveBottom, Metres(height)),
                               .code = DataFault::kRoofNotAboveBottom};
    }
    if (mesh.positions.size() + PrismVertexBound(building.cornerCount) > kMostMeshVertices) {
        return LeftOutBuilding{.reason = "the block has more vertices than one mesh can index",
                               .code = std::nullopt};
    }
    return std::nullopt;
}

void AddBuildings(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model) {
    const FootprintSet set = ReadFootprints(sheet, record, model.leftOut);
    const std::vector<FootprintTriangulation> triangulations = TriangulateFootprints(set);
    TriangleMesh& mesh = model.buildings;
    Reserve(mesh, set);
    for (std::size_t k = 0; k < set.buildings.size(); ++k) {
        const FootprintSet::Building& building = set.buildings[k];
        if (auto fault = BuildFault(building, triangulations[k], mesh)) {
            fault->number = building.number;
            fault->x = model.originX + triangulations[k].place.x;
            fault->y = model.originY + triangulations[k].place.y;
            model.leftOut.push_back(std::move(*fault));
            continue;
        }
        BuildingPart part{building.number, building.bottom, building.roof};
        part.area = std::abs(SignedFootprintArea(set.Corners(building)));
        part.firstVertex = static_cast<std::uint32_t>(mesh.positions.size());
        part.firstIndex = static_cast<std::uint32_t>(mesh.indices.size());
        AppendPrism(mesh, set.Corners(building), triangulations[k], building.bottom, building.roof);
        part.vertexCount = static_cast<std::uint32_t>(mesh.positions.size()) - part.firstVertex;
        part.indexCount = static_cast<std::uint32_t>(mesh.indices.size()) - part.firstIndex;
        model.buildingParts.push_back(part);
    }
    std::stable_sort(
        model.leftOut.begin(), model.leftOut.end(),
        [](const LeftOutBuilding& a, const LeftOutBuilding& b) { return a.number < b.number; });
}

void AddTerrain(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model) {
    const DemChunkResult dem = ReadDemChunk(sheet, record.demPosition);
    if (dem.read == DemChunkRead::kBroken) {
        model.diagnostics.push_back(MakeDiagnostic(msg::kTerrainChunkBroken));
        return;
    }
    // A grid without points comes without heights, and the mesh refuses it for its counts.
    auto terrain = BuildTerrainMesh(dem.chunk);
    if (const auto* fault = std::get_if<DiagnosticKind>(&terrain)) {
        model.diagnostics.push_back(MakeDiagnostic(*fault));
        return;
    }
    model.terrain = std::move(std::get<TerrainModel>(terrain));
}

}  // namespace

std::optional<RgbaImage> DecodeOrthoTexture(const std::optional<std::vector<std::byte>>& body,
                                            std::vector<Diagnostic>& diagnostics) {
    if (!body) {
        diagnostics.push_back(MakeDiagnostic(msg::kTextureChunkMissing));
        return std::nullopt;
    }
    // Faults named as the data check names them.
    const auto sides = StatedSgiSides(*body);
    const std::string empty = sides ? EmptySides(*sides) : std::string();
    if (!empty.empty()) {
        diagnostics.push_back(MakeDiagnostic(msg::kTextureSizeOutOfRange,
                                             {Describe(DataFault::kTextureSize, empty)}));
        return std::nullopt;
    }
    auto image = DecodeSgiImage(*body);
    if (auto* fault = std::get_if<std::string>(&image)) {
        diagnostics.push_back(MakeDiagnostic(msg::kTextureNotDecodable,
                                             {Describe(DataFault::kTextureNotDecodable, *fault)}));
        return std::nullopt;
    }
    return std::move(std::get<RgbaImage>(image));
}

void AddTexture(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model) {
    model.texture =
        DecodeOrthoTexture(ReadOrthoChunkBody(sheet, record.orthoPosition), model.diagnostics);
}

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
