#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/DataFault.h"
#include "platform/Diagnostic.h"
#include "sheet/ByteSource.h"
#include "sheet/DemChunk.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Metres in the block's local frame: east and north of the block's origin, and
// height as stored.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec2 {
    float u = 0.0f;
    float v = 0.0f;
};

// Triangles over shared vertices. Normals have unit length, and every triangle
// turns counter-clockwise seen from the side its normal points to.
struct TriangleMesh {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;               // one per position, or none at all
    std::vector<std::uint32_t> indices;  // three per triangle

    std::size_t TriangleCount() const { return indices.size() / 3; }
};

// One building's share of the buildings mesh.
struct BuildingPart {
    std::uint32_t number = 0;  // its place in the block's list of buildings, from 0
    float bottom = 0.0f;       // heights as stored
    float roof = 0.0f;
    double area = 0.0;  // of its footprint seen from above, in square metres
    std::uint32_t firstVertex = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t firstIndex = 0;
    std::uint32_t indexCount = 0;
};

// A building the model leaves out, with the data check's code, English text
// and place for the same fault; faults only the model meets have no code.
struct LeftOutBuilding {
    std::uint32_t number = 0;
    std::string reason;
    std::optional<DataFault> code;
    double x = 0.0;  // where the fault lies, in the zone's plane coordinates
    double y = 0.0;
};

// The height grid as two triangles per cell. Point (row i, column j) is vertex
// i * columns + j; its uv is (j / (columns - 1), i / (rows - 1)), v growing
// northward like the rows of the texture as the sheet stores them.
struct TerrainModel {
    TerrainGrid grid;
    TriangleMesh mesh;
};

// 8-bit RGBA, rows from the northern edge down, as image files keep them.
struct RgbaImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

struct ModelChoices {
    bool buildings = true;
    bool terrain = true;
    bool texture = true;
};

// A block in three dimensions: what the 3D writers and views share.
struct BlockModel {
    int zone = 0;
    double originX = 0.0;  // the local frame's (0, 0) in the zone's plane coordinates
    double originY = 0.0;
    TriangleMesh buildings;
    std::vector<BuildingPart> buildingParts;
    std::vector<LeftOutBuilding> leftOut;  // faulty footprints, heights and chunks, by number
    std::optional<TerrainModel> terrain;
    std::optional<RgbaImage> texture;
    std::vector<Diagnostic> diagnostics;  // why the terrain or the texture was left out
};

// Reads the block's building, grid and texture chunks at the positions the
// load recorded, each bounded by its chunk's bytes, and builds what the
// choices ask for. Whatever cannot be read or built is left out and said so.
BlockModel BuildBlockModel(ByteSource& sheet, const SubSheetRecord& record,
                           const ModelChoices& choices);

// Reads the block's texture into the model as BuildBlockModel does, which
// does it only where there is terrain to lay it on; a view that lays it on a
// ground of its own reads it so. Why it cannot be read goes to its diagnostics.
void AddTexture(ByteSource& sheet, const SubSheetRecord& record, BlockModel& model);

// The texture an ORTS chunk's body holds (nothing: the chunk could not be
// read), decoded as AddTexture decodes it; why it cannot be goes to
// `diagnostics`.
std::optional<RgbaImage> DecodeOrthoTexture(const std::optional<std::vector<std::byte>>& body,
                                            std::vector<Diagnostic>& diagnostics);

}  // namespace vesk
