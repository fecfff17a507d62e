#include "convert/BuildingsSection.h"

#include <string_view>

#include "convert/DecimalCounter.h"
#include "convert/StatementText.h"
#include "convert/TextList.h"
#include "sheet/BuildingChunk.h"

namespace vesk {
namespace {

using statement::kMaxStatementChars;
using statement::Put;
using statement::PutReal;

constexpr int kCounterDigits = 6;  // "%06d"
constexpr std::string_view kFirstCounter = "000000";
constexpr std::size_t kCornerTextBudget = 64 * 1024;

// Writes the statements of one building, pass after pass over its corners.
// Counters are counted up as text and the two heights formatted once. Each
// corner's "x,y," is needed by the roof and the wall pass; the roof pass keeps
// the texts it formats for the wall pass as far as a fixed budget allows, so
// buildings of usual size are formatted once, and a huge one, whose texts
// would take several times its own bytes, has the rest formatted again.
class BuildingTextWriter {
public:
    explicit BuildingTextWriter(AtomicOutputFile& out) : out_(out) {}

    void Write(std::uint64_t number, const BuildingChunk& building) {
        number_ = std::string_view(numberText_, statement::PutCounter6(numberText_, number));
        bottom_ = std::string_view(bottomText_, PutReal(bottomText_, building.bottom));
        roof_ = std::string_view(roofText_, PutReal(roofText_, building.roof));
        const std::size_t count = building.CornerCount();
        if (count > 3) {
            out_.Write("CONCAVE(ON);\r\n");
        }
        WriteRoofGroup(building);
        if (count > 3) {
            out_.Write("CONCAVE(OFF);\r\n");
        }
        WriteWallGroup(building);
    }

private:
    char* Line() { return out_.Reserve(kMaxStatementChars); }

    // "x,y," of corner i.
    static char* PutCorner(char* out, const BuildingChunk& building, std::size_t i) {
        out = PutReal(out, building.X(i));
        *out++ = ',';
        out = PutReal(out, building.Y(i));
        *out++ = ',';
        return out;
    }

    // The roof corners, keeping their "x,y," texts for the wall pass.
    void WriteRoofCorners(const BuildingChunk& building) {
        DecimalCounter corner(0, kCounterDigits);
        corners_.Clear();
        for (std::size_t i = 0; i < building.CornerCount(); ++i, corner.Increment()) {
            char* xy = Put(Put(Put(Line(), "V"), corner.View()), "=COORD(");
            char* p = PutCorner(xy, building, i);
            if (corners_.TextBytes() < kCornerTextBudget) {
                corners_.Add(xy, p);
            }
            out_.Advance(Put(Put(p, roof_), ");\r\n"));
        }
    }

    void WriteRoofGroup(const BuildingChunk& building) {
        const std::size_t count = building.CornerCount();
        out_.Advance(Put(Put(Put(Line(), "BUILD_ROOF"), number_), "=GROUP();\r\n"));
        WriteRoofCorners(building);
        DecimalCounter corner(0, kCounterDigits);
        for (std::size_t i = 0; i < count; ++i, corner.Increment()) {
            char* p = Put(Put(Put(Line(), "P"), corner.View()), "=VERTEX(V");
            out_.Advance(Put(Put(p, corner.View()), ",,,);\r\n"));
        }
        out_.Write("F000000=FACE(");
        corner.Set(0, kCounterDigits);
        for (std::size_t i = 0; i < count; ++i, corner.Increment()) {
            out_.Advance(Put(Put(Line(), i == 0 ? "P" : ",P"), corner.View()));
        }
        char* p = Put(Line(),
                      ");\r\n"
                      "N000000=NORMAL(0.0,0.0,1.0);\r\n"
                      "FACE_NORMAL(F000000,N000000);\r\n"
                      "GROUP_FACE(BUILD_ROOF");
        out_.Advance(Put(Put(p, number_), ",F000000);\r\n"));
    }

    void WriteWallGroup(const BuildingChunk& building) {
        const std::size_t count = building.CornerCount();
        out_.Advance(Put(Put(Put(Line(), "BUILD_WALL"), number_), "=GROUP();\r\n"));
        DecimalCounter corner(0, kCounterDigits);
        char xy[2 * kMaxFixedRealChars + 2];
        for (std::size_t i = 0; i < count; ++i, corner.Increment()) {
            const std::string_view xyText =
                i < corners_.Size() ? corners_[i]
                                    : std::string_view(xy, PutCorner(xy, building, i) - xy);
            char* p = Put(Put(Put(Line(), "VBOTM"), corner.View()), "=COORD(");
            out_.Advance(Put(Put(Put(p, xyText), bottom_), ");\r\n"));
            p = Put(Put(Put(Line(), "VROOF"), corner.View()), "=COORD(");
            out_.Advance(Put(Put(Put(p, xyText), roof_), ");\r\n"));
        }
        corner.Set(0, kCounterDigits);
        for (std::size_t i = 0; i < count; ++i, corner.Increment()) {
            char* p = Put(Put(Put(Line(), "PBOTM"), corner.View()), "=VERTEX(VBOTM");
            out_.Advance(Put(Put(p, corner.View()), ",,,);\r\n"));
            p = Put(Put(Put(Line(), "PROOF"), corner.View()), "=VERTEX(VROOF");
            out_.Advance(Put(Put(p, corner.View()), ",,,);\r\n"));
        }
        WriteWallFaces(count);
        out_.Advance(Put(Put(Line(), "GROUP_FACE(BUILD_WALL"), number_));
        corner.Set(0, kCounterDigits);
        for (std::size_t i = 0; i < count; ++i, corner.Increment()) {
            out_.Advance(Put(Put(Line(), ",F"), corner.View()));
        }
        out_.Write(");\r\n");
    }

    // The wall over edge i joins corner i to corner i + 1; the last one closes
    // the ring back to corner 0.
    void WriteWallFaces(std::size_t count) {
        DecimalCounter self(0, kCounterDigits);
        DecimalCounter following(1, kCounterDigits);
        for (std::size_t i = 0; i < count; ++i, self.Increment(), following.Increment()) {
            const std::string_view next = i + 1 == count ? kFirstCounter : following.View();
            char* p = Put(Put(Put(Line(), "F"), self.View()), "=FACE(PBOTM");
            p = Put(Put(Put(Put(p, self.View()), ",PBOTM"), next), ",PROOF");
            out_.Advance(Put(Put(Put(Put(p, next), ",PROOF"), self.View()), ");\r\n"));
        }
    }

    AtomicOutputFile& out_;
    char numberText_[kMaxIntegerChars];
    char bottomText_[kMaxFixedRealChars];
    char roofText_[kMaxFixedRealChars];
    std::string_view number_;
    std::string_view bottom_;
    std::string_view roof_;
    TextList corners_;  // "x,y," of the first corners of the current building
};

}  // namespace

BuildingsWritten WriteBuildingsSection(ByteSource& sheet, const SubSheetRecord& record,
                                       AtomicOutputFile& out) {
    BuildingChunkReader reader(sheet);
    BuildingTextWriter writer(out);
    BuildingsWritten result;
    std::uint64_t number = 0;
    for (const std::uint32_t position : record.buildingPositions) {
        switch (reader.Read(position)) {
            case BuildingChunkRead::kRead:
                writer.Write(number, reader.Current());
                ++result.written;
                break;
            case BuildingChunkRead::kBroken:
                ++result.broken;
                break;
            case BuildingChunkRead::kNotABuilding:
                break;
        }
        ++number;
    }
    return result;
}

}  // namespace vesk
