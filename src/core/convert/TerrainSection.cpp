#include "convert/TerrainSection.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "convert/DecimalCounter.h"
#include "convert/StatementText.h"
#include "convert/TextList.h"
#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

using statement::kMaxStatementChars;
using statement::Put;
using statement::PutReal;

constexpr std::uint32_t kGridHeaderBytes = 16;  // columns, rows, dx, dy
constexpr std::uint32_t kHeightBytes = 4;
constexpr int kCounterDigits = 2;  // "%02d"

struct DemGrid {
    std::uint64_t columns = 0;
    std::uint64_t rows = 0;
    float dx = 0.0f;
    float dy = 0.0f;
    std::vector<float> heights;  // row after row, from the southern edge

    std::uint64_t Points() const { return columns * rows; }
    std::uint64_t Faces() const { return columns < 2 || rows < 2 ? 0 : (columns - 1) * (rows - 1); }
};

// The grid, when it has points and its heights lie whole within both the
// chunk's body and the file. The header is not compared again: the load
// recognised it. A count of 0 is refused, as the product check alone would
// let the other count drive loops and allocations the bytes do not back.
std::optional<DemGrid> ReadDemGrid(ByteSource& sheet, std::uint32_t position) {
    ByteReader reader(sheet, position);
    const auto header = ReadChunkHeader(reader);
    std::array<std::byte, kGridHeaderBytes> fixed{};
    if (!header || header->bodySize < kGridHeaderBytes || !reader.Read(fixed)) {
        return std::nullopt;
    }
    DemGrid grid;
    grid.columns = DecodeU32(fixed.data());
    grid.rows = DecodeU32(fixed.data() + 4);
    grid.dx = DecodeF32(fixed.data() + 8);
    grid.dy = DecodeF32(fixed.data() + 12);
    // 64-bit product of two 32-bit counts: it cannot wrap around to a small grid.
    const std::uint64_t room =
        std::min<std::uint64_t>(header->bodySize - kGridHeaderBytes, reader.Remaining());
    if (grid.Points() == 0 || grid.Points() > room / kHeightBytes) {
        return std::nullopt;
    }
    grid.heights.resize(static_cast<std::size_t>(grid.Points()));
    auto bytes = std::as_writable_bytes(std::span(grid.heights));
    if (!reader.Read(bytes)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < grid.heights.size(); ++i) {
        grid.heights[i] = DecodeF32(bytes.data() + i * kHeightBytes);
    }
    return grid;
}

// A real formatted once and put many times.
class RealText {
public:
    explicit RealText(double value) : end_(PutReal(text_, value)) {}
    RealText(const RealText&) = delete;
    RealText& operator=(const RealText&) = delete;
    std::string_view View() const { return {text_, static_cast<std::size_t>(end_ - text_)}; }

private:
    char text_[kMaxFixedRealChars];
    char* end_;
};

// A texture coordinate: index / (count - 1), 0.0 when there is one point only.
double TextureCoordinate(std::uint64_t index, std::uint64_t count) {
    return count > 1 ? static_cast<double>(index) / static_cast<double>(count - 1) : 0.0;
}

class TerrainTextWriter {
public:
    TerrainTextWriter(AtomicOutputFile& out, const DemGrid& grid, const SubSheetRecord& record)
        : out_(out), grid_(grid), x0_(record.originX), y0_(record.originY) {}

    // What depends on the column alone is the same in every row: formatted once.
    void PrepareColumns(bool texture) {
        char text[kMaxFixedRealChars + 1];
        for (std::uint64_t j = 0; j < grid_.columns; ++j) {
            // j is exact in double, times the f32 spacing, plus the f32 origin.
            char* end = PutReal(text, x0_ + static_cast<double>(j) * grid_.dx);
            *end++ = ',';
            columnX_.Add(text, end);
            if (texture) {
                end = PutReal(text, TextureCoordinate(j, grid_.columns));
                *end++ = ',';
                columnU_.Add(text, end);
            }
        }
    }

    void WriteGridPoints() {
        out_.Write("DEM=GROUP(&GROUND);\r\n");
        std::uint64_t v = 0;
        DecimalCounter name(0, kCounterDigits);
        for (std::uint64_t i = 0; i < grid_.rows; ++i) {
            const RealText y(y0_ + static_cast<double>(i) * grid_.dy);
            for (std::uint64_t j = 0; j < grid_.columns; ++j, ++v, name.Increment()) {
                char* p = Put(Put(out_.Reserve(kMaxStatementChars), "V"), name.View());
                p = Put(Put(p, "=COORD("), columnX_[j]);
                p = Put(Put(p, y.View()), ",");
                p = PutReal(p, grid_.heights[v]);
                out_.Advance(Put(p, ");\r\n"));
            }
        }
    }

    void WriteTextureCoordinates() {
        DecimalCounter name(0, kCounterDigits);
        for (std::uint64_t i = 0; i < grid_.rows; ++i) {
            const RealText t(TextureCoordinate(i, grid_.rows));
            for (std::uint64_t j = 0; j < grid_.columns; ++j, name.Increment()) {
                char* p = Put(Put(out_.Reserve(kMaxStatementChars), "T"), name.View());
                p = Put(Put(p, "=TCOORD("), columnU_[j]);
                out_.Advance(Put(Put(p, t.View()), ");\r\n"));
            }
        }
    }

    void WriteVertices(bool texture) {
        DecimalCounter name(0, kCounterDigits);
        for (std::uint64_t v = 0; v < grid_.Points(); ++v, name.Increment()) {
            char* p = Put(Put(out_.Reserve(kMaxStatementChars), "P"), name.View());
            p = Put(Put(p, "=VERTEX(V"), name.View());
            if (texture) {
                p = Put(Put(p, ",,T"), name.View());
                p = Put(p, ");\r\n");
            } else {
                p = Put(p, ",,,);\r\n");
            }
            out_.Advance(p);
        }
    }

    // Corners south-west, south-east, north-east, north-west: counter-clockwise from above.
    void WriteFaces() {
        const std::uint64_t nx = grid_.columns;
        DecimalCounter face(0, kCounterDigits);
        for (std::uint64_t i = 0; i + 1 < grid_.rows; ++i) {
            // Corner a = i * nx + j and its neighbours, counted along the row.
            DecimalCounter sw(i * nx, kCounterDigits);
            DecimalCounter se(i * nx + 1, kCounterDigits);
            DecimalCounter ne(i * nx + nx + 1, kCounterDigits);
            DecimalCounter nw(i * nx + nx, kCounterDigits);
            for (std::uint64_t j = 0; j + 1 < nx; ++j) {
                char* p = Put(Put(out_.Reserve(kMaxStatementChars), "F"), face.View());
                p = Put(Put(p, "=FACE(P"), sw.View());
                p = Put(Put(p, ",P"), se.View());
                p = Put(Put(p, ",P"), ne.View());
                p = Put(Put(p, ",P"), nw.View());
                out_.Advance(Put(p, ");\r\n"));
                for (DecimalCounter* counter : {&face, &sw, &se, &ne, &nw}) {
                    counter->Increment();
                }
            }
        }
    }

    void WriteTextureBinding(std::string_view baseName) {
        out_.Write("ORT=TEXTURE(\"");
        out_.Write(baseName);
        out_.Write(".sgi\");\r\n");
        DecimalCounter face(0, kCounterDigits);
        for (std::uint64_t f = 0; f < grid_.Faces(); ++f, face.Increment()) {
            char* p = Put(Put(out_.Reserve(kMaxStatementChars), "FACE_TEXTURE(F"), face.View());
            out_.Advance(Put(p, ",ORT);\r\n"));
        }
    }

    // The last text of the file: no line end follows.
    void WriteGroupFaces() {
        out_.Write("GROUP_FACE(DEM");
        DecimalCounter face(0, kCounterDigits);
        for (std::uint64_t f = 0; f < grid_.Faces(); ++f, face.Increment()) {
            out_.Advance(Put(Put(out_.Reserve(kMaxStatementChars), ",F"), face.View()));
        }
        out_.Write(");");
    }

private:
    AtomicOutputFile& out_;
    const DemGrid& grid_;
    double x0_;
    double y0_;
    TextList columnX_;  // "x," of each column
    TextList columnU_;  // "u," of each column's texture coordinate
};

}  // namespace

bool WriteTerrainSection(AtomicOutputFile& out, ByteSource& sheet, const SubSheetRecord& record,
                         bool texture, std::string_view baseName) {
    const auto grid = ReadDemGrid(sheet, record.demPosition);
    if (!grid) {
        return false;
    }
    TerrainTextWriter writer(out, *grid, record);
    writer.PrepareColumns(texture);
    writer.WriteGridPoints();
    if (texture) {
        writer.WriteTextureCoordinates();
    }
    writer.WriteVertices(texture);
    writer.WriteFaces();
    if (texture) {
        writer.WriteTextureBinding(baseName);
    }
    writer.WriteGroupFaces();
    return true;
}

}  // namespace vesk
