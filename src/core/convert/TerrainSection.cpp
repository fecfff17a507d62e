#include "convert/TerrainSection.h"

#include <string_view>

#include "convert/DecimalCounter.h"
#include "convert/StatementText.h"
#include "convert/TextList.h"
#include "sheet/DemChunk.h"

namespace vesk {
namespace {

using statement::kMaxStatementChars;
using statement::Put;
using statement::PutReal;

constexpr int kCounterDigits = 2;  // "%02d"

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
    TerrainTextWriter(AtomicOutputFile& out, const DemChunk& dem, const SubSheetRecord& record)
        : out_(out),
          dem_(dem),
          columns_(dem.grid.columns),
          rows_(dem.grid.rows),
          x0_(record.originX),
          y0_(record.originY) {}

    // What depends on the column alone is the same in every row: formatted once.
    void PrepareColumns(bool texture) {
        char text[kMaxFixedRealChars + 1];
        for (std::uint64_t j = 0; j < columns_; ++j) {
            // j is exact in double, times the f32 spacing, plus the f32 origin.
            char* end = PutReal(text, x0_ + static_cast<double>(j) * dem_.grid.dx);
            *end++ = ',';
            columnX_.Add(text, end);
            if (texture) {
                end = PutReal(text, TextureCoordinate(j, columns_));
                *end++ = ',';
                columnU_.Add(text, end);
            }
        }
    }

    void WriteGridPoints() {
        out_.Write("DEM=GROUP(&GROUND);\r\n");
        std::uint64_t v = 0;
        DecimalCounter name(0, kCounterDigits);
        for (std::uint64_t i = 0; i < rows_; ++i) {
            const RealText y(y0_ + static_cast<double>(i) * dem_.grid.dy);
            for (std::uint64_t j = 0; j < columns_; ++j, ++v, name.Increment()) {
                char* p = Put(Put(out_.Reserve(kMaxStatementChars), "V"), name.View());
                p = Put(Put(p, "=COORD("), columnX_[j]);
                p = Put(Put(p, y.View()), ",");
                p = PutReal(p, dem_.heights[v]);
                out_.Advance(Put(p, ");\r\n"));
            }
        }
    }

    void WriteTextureCoordinates() {
        DecimalCounter name(0, kCounterDigits);
        for (std::uint64_t i = 0; i < rows_; ++i) {
            const RealText t(TextureCoordinate(i, rows_));
            for (std::uint64_t j = 0; j < columns_; ++j, name.Increment()) {
                char* p = Put(Put(out_.Reserve(kMaxStatementChars), "T"), name.View());
                p = Put(Put(p, "=TCOORD("), columnU_[j]);
                out_.Advance(Put(Put(p, t.View()), ");\r\n"));
            }
        }
    }

    void WriteVertices(bool texture) {
        DecimalCounter name(0, kCounterDigits);
        for (std::uint64_t v = 0; v < Points(); ++v, name.Increment()) {
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
        const std::uint64_t nx = columns_;
        DecimalCounter face(0, kCounterDigits);
        for (std::uint64_t i = 0; i + 1 < rows_; ++i) {
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
        for (std::uint64_t f = 0; f < Faces(); ++f, face.Increment()) {
            char* p = Put(Put(out_.Reserve(kMaxStatementChars), "FACE_TEXTURE(F"), face.View());
            out_.Advance(Put(p, ",ORT);\r\n"));
        }
    }

    // The last text of the file: no line end follows.
    void WriteGroupFaces() {
        out_.Write("GROUP_FACE(DEM");
        DecimalCounter face(0, kCounterDigits);
        for (std::uint64_t f = 0; f < Faces(); ++f, face.Increment()) {
            out_.Advance(Put(Put(out_.Reserve(kMaxStatementChars), ",F"), face.View()));
        }
        out_.Write(");");
    }

private:
    std::uint64_t Points() const { return columns_ * rows_; }
    std::uint64_t Faces() const {
        return columns_ < 2 || rows_ < 2 ? 0 : (columns_ - 1) * (rows_ - 1);
    }

    AtomicOutputFile& out_;
    const DemChunk& dem_;
    std::uint64_t columns_;
    std::uint64_t rows_;
    double x0_;
    double y0_;
    TextList columnX_;  // "x," of each column
    TextList columnU_;  // "u," of each column's texture coordinate
};

}  // namespace

bool WriteTerrainSection(AtomicOutputFile& out, ByteSource& sheet, const SubSheetRecord& record,
                         bool texture, std::string_view baseName) {
    const DemChunkResult grid = ReadDemChunk(sheet, record.demPosition);
    if (grid.read != DemChunkRead::kRead) {
        return false;
    }
    TerrainTextWriter writer(out, grid.chunk, record);
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
