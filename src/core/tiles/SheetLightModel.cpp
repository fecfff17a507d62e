#include "tiles/SheetLightModel.h"

#include <algorithm>
#include <cmath>

#include "model/GridThinning.h"

namespace vesk {
namespace {

// A block's ground from afar: about 8 x 6 cells where the full grid has 40 x 30.
constexpr std::size_t kGroundCellsPerBlock = 48;
// The combined texture's side, a power of two for every client's mipmaps:
// 8 m a pixel over a sheet of 5 x 5 blocks, more than a sheet seen from
// 10 km shows.
constexpr std::uint32_t kTextureSide = 256;
// The reduced texture a block keeps until the sheet's image is made.
constexpr std::uint32_t kBlockTextureSide = 64;
constexpr std::uint8_t kBareGround[4] = {158, 168, 133, 255};

TerrainModel ThinnedGround(const TerrainModel& full) {
    TerrainModel ground;
    const ThinnedGrid kept = ThinGrid(full.grid, kGroundCellsPerBlock);
    const std::size_t columns = full.grid.columns;
    if (kept.columns.empty() || columns * full.grid.rows != full.mesh.positions.size()) {
        return ground;
    }
    ground.grid = {static_cast<std::uint32_t>(kept.columns.size()),
                   static_cast<std::uint32_t>(kept.rows.size()), 0.0f, 0.0f};
    TriangleMesh& mesh = ground.mesh;
    for (const std::uint32_t row : kept.rows) {
        for (const std::uint32_t column : kept.columns) {
            const std::size_t v = row * columns + column;
            mesh.positions.push_back(full.mesh.positions[v]);
            mesh.normals.push_back(full.mesh.normals[v]);
            if (!full.mesh.uvs.empty()) {
                mesh.uvs.push_back(full.mesh.uvs[v]);
            }
        }
    }
    return ground;
}

// The first source line of each of `parts` equal parts of `count` lines, and
// the end of the last: each part at least one line, repeated where the
// source is smaller.
std::vector<std::uint32_t> Spans(std::uint32_t count, std::uint32_t parts) {
    std::vector<std::uint32_t> starts(parts + 1);
    for (std::uint32_t k = 0; k <= parts; ++k) {
        starts[k] = static_cast<std::uint32_t>(std::uint64_t{k} * count / parts);
    }
    return starts;
}

// The image's pixels averaged into width x height boxes (or repeated, where
// it is smaller): each output row sums its source rows first, then its
// columns, so the source is read once in order.
RgbaImage Resampled(const RgbaImage& image, std::uint32_t width, std::uint32_t height) {
    RgbaImage out{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
    const std::vector<std::uint32_t> rows = Spans(image.height, height);
    const std::vector<std::uint32_t> columns = Spans(image.width, width);
    std::vector<std::uint32_t> sums(std::size_t{image.width} * 4);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t top = rows[y];
        const std::uint32_t bottom = std::max(top + 1, rows[y + 1]);
        std::fill(sums.begin(), sums.end(), 0u);
        for (std::uint32_t sy = top; sy < bottom; ++sy) {
            const std::uint8_t* row = &image.pixels[std::size_t{sy} * image.width * 4];
            for (std::size_t i = 0; i < sums.size(); ++i) {
                sums[i] += row[i];
            }
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t left = columns[x];
            const std::uint32_t right = std::max(left + 1, columns[x + 1]);
            const std::uint32_t count = (bottom - top) * (right - left);
            for (std::size_t c = 0; c < 4; ++c) {
                std::uint32_t sum = 0;
                for (std::uint32_t sx = left; sx < right; ++sx) {
                    sum += sums[std::size_t{sx} * 4 + c];
                }
                out.pixels[(std::size_t{y} * width + x) * 4 + c] =
                    static_cast<std::uint8_t>(sum / count);
            }
        }
    }
    return out;
}

bool HasPixels(const RgbaImage& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() == std::size_t{image.width} * image.height * 4;
}

// The blocks' places on a grid of whole blocks over the sheet's frame.
struct Layout {
    geo::PlaneRectangle frame;
    double blockWidth = 0.0;
    double blockHeight = 0.0;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;

    std::uint32_t Column(const LightBlock& b) const {
        return static_cast<std::uint32_t>(
            std::lround((b.originX - frame.southWest.easting) / blockWidth));
    }
    std::uint32_t Row(const LightBlock& b) const {
        return static_cast<std::uint32_t>(
            std::lround((b.originY - frame.southWest.northing) / blockHeight));
    }
};

Layout LayOut(const std::vector<const LightBlock*>& blocks) {
    Layout layout;
    double west = blocks.front()->originX;
    double south = blocks.front()->originY;
    double east = west;
    double north = south;
    for (const LightBlock* b : blocks) {
        west = std::min(west, b->originX);
        south = std::min(south, b->originY);
        east = std::max(east, b->originX + b->width);
        north = std::max(north, b->originY + b->height);
    }
    layout.blockWidth = blocks.front()->width;
    layout.blockHeight = blocks.front()->height;
    layout.frame = {{west, south}, east - west, north - south};
    layout.columns =
        static_cast<std::uint32_t>(std::max(1L, std::lround((east - west) / layout.blockWidth)));
    layout.rows =
        static_cast<std::uint32_t>(std::max(1L, std::lround((north - south) / layout.blockHeight)));
    return layout;
}

// A box's walls and roof with their own normals; the floor is never seen from afar.
void AppendBox(TriangleMesh& mesh, const BuildingBox& box, float dx, float dy) {
    const float low = std::min(box.bottom, box.roof);
    const float high = std::max(box.bottom, box.roof);
    const auto corner = [&](std::size_t k, float z) {
        const FootprintPoint& p = box.corners[k % 4];
        return Vec3{static_cast<float>(p.x) + dx, static_cast<float>(p.y) + dy, z};
    };
    const auto quad = [&](Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal) {
        const auto base = static_cast<std::uint32_t>(mesh.positions.size());
        mesh.positions.insert(mesh.positions.end(), {a, b, c, d});
        mesh.normals.insert(mesh.normals.end(), 4, normal);
        mesh.indices.insert(mesh.indices.end(),
                            {base, base + 1, base + 2, base, base + 2, base + 3});
    };
    for (std::size_t k = 0; k < 4; ++k) {
        const Vec3 a = corner(k, low);
        const Vec3 b = corner(k + 1, low);
        const float length = std::hypot(b.x - a.x, b.y - a.y);
        if (length > 0.0f) {
            quad(a, b, corner(k + 1, high), corner(k, high),
                 {(b.y - a.y) / length, (a.x - b.x) / length, 0.0f});
        }
    }
    quad(corner(0, high), corner(1, high), corner(2, high), corner(3, high), {0.0f, 0.0f, 1.0f});
}

void AddBoxes(BlockModel& model, const LightBlock& block, float dx, float dy) {
    for (const BuildingBox& box : block.boxes) {
        BuildingPart part{box.number, box.bottom, box.roof};
        part.area = box.area;
        part.firstVertex = static_cast<std::uint32_t>(model.buildings.positions.size());
        part.firstIndex = static_cast<std::uint32_t>(model.buildings.indices.size());
        AppendBox(model.buildings, box, dx, dy);
        part.vertexCount =
            static_cast<std::uint32_t>(model.buildings.positions.size()) - part.firstVertex;
        part.indexCount =
            static_cast<std::uint32_t>(model.buildings.indices.size()) - part.firstIndex;
        model.buildingParts.push_back(part);
    }
}

// The block's ground moved into the sheet's frame, its uvs into its own
// part of the combined image.
void AddGround(TriangleMesh& ground, const LightBlock& block, const Layout& layout, float dx,
               float dy) {
    const TriangleMesh& mesh = block.ground->mesh;
    const auto base = static_cast<std::uint32_t>(ground.positions.size());
    const float column = static_cast<float>(layout.Column(block));
    const float row = static_cast<float>(layout.Row(block));
    for (std::size_t v = 0; v < mesh.positions.size(); ++v) {
        const Vec3& p = mesh.positions[v];
        ground.positions.push_back({p.x + dx, p.y + dy, p.z});
        ground.normals.push_back(mesh.normals[v]);
        const Vec2 uv = mesh.uvs.empty() ? Vec2{0.5f, 0.5f} : mesh.uvs[v];
        ground.uvs.push_back({(column + uv.u) / static_cast<float>(layout.columns),
                              (row + uv.v) / static_cast<float>(layout.rows)});
    }
    const std::uint32_t columns = block.ground->grid.columns;
    const std::uint32_t rows = block.ground->grid.rows;
    for (std::uint32_t i = 0; i + 1 < rows; ++i) {
        for (std::uint32_t j = 0; j + 1 < columns; ++j) {
            const std::uint32_t sw = base + i * columns + j;
            const std::uint32_t nw = sw + columns;
            ground.indices.insert(ground.indices.end(), {sw, sw + 1, nw + 1, sw, nw + 1, nw});
        }
    }
}

bool OnLayout(const LightBlock& block, const Layout& layout) {
    return layout.Column(block) < layout.columns && layout.Row(block) < layout.rows;
}

// Each block's texture in its part of one image, rows from the north; bare
// ground where a block has none.
RgbaImage CombinedTexture(const std::vector<const LightBlock*>& blocks, const Layout& layout) {
    RgbaImage image{kTextureSide, kTextureSide,
                    std::vector<std::uint8_t>(std::size_t{kTextureSide} * kTextureSide * 4)};
    for (std::size_t p = 0; p < image.pixels.size(); p += 4) {
        std::copy_n(kBareGround, 4, image.pixels.begin() + static_cast<std::ptrdiff_t>(p));
    }
    for (const LightBlock* block : blocks) {
        if (!block->texture || !block->ground || !OnLayout(*block, layout)) {
            continue;
        }
        const std::uint32_t column = layout.Column(*block);
        const std::uint32_t rowFromTop = layout.rows - 1 - layout.Row(*block);
        const std::uint32_t left = column * kTextureSide / layout.columns;
        const std::uint32_t right = (column + 1) * kTextureSide / layout.columns;
        const std::uint32_t top = rowFromTop * kTextureSide / layout.rows;
        const std::uint32_t bottom = (rowFromTop + 1) * kTextureSide / layout.rows;
        const RgbaImage part = Resampled(*block->texture, right - left, bottom - top);
        for (std::uint32_t y = 0; y < part.height; ++y) {
            std::copy_n(part.pixels.begin() + static_cast<std::ptrdiff_t>(y * part.width * 4),
                        part.width * 4,
                        image.pixels.begin() +
                            static_cast<std::ptrdiff_t>(((top + y) * kTextureSide + left) * 4));
        }
    }
    return image;
}

// A sheet holds 5 x 5 blocks; one that lies far from the others (a damaged
// origin) would stretch the light model's frame and image over nothing.
bool NearFirst(const LightBlock& block, const LightBlock& first) {
    constexpr double kMostBlocksAway = 8.0;
    return std::abs(block.originX - first.originX) < kMostBlocksAway * first.width &&
           std::abs(block.originY - first.originY) < kMostBlocksAway * first.height;
}

}  // namespace

LightBlock TakeLightBlock(const BlockModel& model, double width, double height) {
    LightBlock block;
    block.zone = model.zone;
    block.originX = model.originX;
    block.originY = model.originY;
    block.width = width;
    block.height = height;
    block.boxes = BoxesOf(model);
    if (model.terrain) {
        TerrainModel ground = ThinnedGround(*model.terrain);
        if (!ground.mesh.positions.empty()) {
            block.ground = std::move(ground);
        }
    }
    if (block.ground && model.texture && HasPixels(*model.texture)) {
        block.texture = Resampled(*model.texture, kBlockTextureSide, kBlockTextureSide);
    }
    return block;
}

std::optional<SheetLightModel> MakeSheetLightModel(int zone,
                                                   const std::vector<LightBlock>& blocks) {
    std::vector<const LightBlock*> taken;
    for (const LightBlock& block : blocks) {
        if (block.zone == zone && block.width > 0.0 && block.height > 0.0 &&
            (taken.empty() || NearFirst(block, *taken.front()))) {
            taken.push_back(&block);
        }
    }
    if (taken.empty()) {
        return std::nullopt;
    }
    const Layout layout = LayOut(taken);
    SheetLightModel light{BlockModel{}, layout.frame};
    BlockModel& model = light.model;
    model.zone = zone;
    model.originX = layout.frame.southWest.easting;
    model.originY = layout.frame.southWest.northing;
    TerrainModel ground;
    bool textured = false;
    for (const LightBlock* block : taken) {
        const auto dx = static_cast<float>(block->originX - model.originX);
        const auto dy = static_cast<float>(block->originY - model.originY);
        AddBoxes(model, *block, dx, dy);
        if (block->ground && OnLayout(*block, layout)) {
            AddGround(ground.mesh, *block, layout, dx, dy);
            textured = textured || block->texture.has_value();
        }
    }
    if (!ground.mesh.positions.empty()) {
        model.terrain = std::move(ground);
        if (textured) {
            model.texture = CombinedTexture(taken, layout);
        }
    }
    if (model.buildings.positions.empty() && !model.terrain) {
        return std::nullopt;
    }
    return light;
}

}  // namespace vesk
