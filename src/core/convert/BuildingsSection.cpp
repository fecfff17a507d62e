#include "convert/BuildingsSection.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "convert/StatementText.h"
#include "convert/TextList.h"
#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

using statement::kMaxStatementChars;
using statement::Put;

constexpr std::uint32_t kFixedBytes = 12;  // bottom height, roof height, vertex count
constexpr std::uint32_t kVertexBytes = 8;

struct Vertex {
    float x;
    float y;
};

struct Building {
    float bottom = 0.0f;
    float roof = 0.0f;
    std::vector<Vertex> vertices;
};

enum class BuildingRead { kRead, kNotABuilding, kBroken };

// Reads one STRC chunk at a time into buffers that are reused, so memory
// follows the largest building, not the number of buildings.
class BuildingReader {
public:
    explicit BuildingReader(ByteSource& sheet) : sheet_(sheet) {}

    BuildingRead Read(std::uint32_t position) {
        ByteReader reader(sheet_, position);
        const auto header = ReadChunkHeader(reader);
        if (!header) {
            return BuildingRead::kBroken;
        }
        if (!Matches(*header, kBuildingChunk)) {
            return BuildingRead::kNotABuilding;
        }
        std::array<std::byte, kFixedBytes> fixed{};
        if (header->bodySize < kFixedBytes || !reader.Read(fixed)) {
            return BuildingRead::kBroken;
        }
        const std::uint32_t count = DecodeU32(fixed.data() + 8);
        const std::uint64_t room =
            std::min<std::uint64_t>(header->bodySize - kFixedBytes, reader.Remaining());
        if (count > room / kVertexBytes) {
            return BuildingRead::kBroken;
        }
        bytes_.resize(std::size_t{count} * kVertexBytes);
        if (!reader.Read(bytes_)) {
            return BuildingRead::kBroken;
        }
        building_.bottom = DecodeF32(fixed.data());
        building_.roof = DecodeF32(fixed.data() + 4);
        building_.vertices.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::byte* at = bytes_.data() + i * kVertexBytes;
            building_.vertices[i] = {DecodeF32(at), DecodeF32(at + 4)};
        }
        return BuildingRead::kRead;
    }

    const Building& Current() const { return building_; }

private:
    ByteSource& sheet_;
    std::vector<std::byte> bytes_;
    Building building_;
};

// Writes the statements of one building. Every corner's x and y appear in
// three statements and every counter in several, so each is formatted once.
class BuildingTextWriter {
public:
    explicit BuildingTextWriter(AtomicOutputFile& out) : out_(out) {}

    void Write(std::uint64_t number, const Building& building) {
        Prepare(number, building);
        const std::size_t count = building.vertices.size();
        if (count > 3) {
            out_.Write("CONCAVE(ON);\r\n");
        }
        WriteRoofGroup(count);
        if (count > 3) {
            out_.Write("CONCAVE(OFF);\r\n");
        }
        WriteWallGroup(count);
    }

private:
    void Prepare(std::uint64_t number, const Building& building) {
        number_ = std::string_view(numberText_, statement::PutCounter6(numberText_, number));
        bottom_ = std::string_view(bottomText_, statement::PutReal(bottomText_, building.bottom));
        roof_ = std::string_view(roofText_, statement::PutReal(roofText_, building.roof));
        char text[2 * kMaxFixedRealChars + 2];
        corners_.Clear();
        for (const Vertex& vertex : building.vertices) {
            char* end = statement::PutReal(text, vertex.x);
            *end++ = ',';
            end = statement::PutReal(end, vertex.y);
            *end++ = ',';
            corners_.Add(text, end);
        }
        while (counters_.Size() < building.vertices.size()) {
            counters_.Add(text, statement::PutCounter6(text, counters_.Size()));
        }
    }

    char* Line() { return out_.Reserve(kMaxStatementChars); }

    void WriteRoofGroup(std::size_t count) {
        char* p = Line();
        p = Put(Put(Put(p, "BUILD_ROOF"), number_), "=GROUP();\r\n");
        out_.Advance(p);
        for (std::size_t i = 0; i < count; ++i) {
            p = Put(Put(Put(Line(), "V"), counters_[i]), "=COORD(");
            p = Put(Put(Put(p, corners_[i]), roof_), ");\r\n");
            out_.Advance(p);
        }
        for (std::size_t i = 0; i < count; ++i) {
            p = Put(Put(Put(Line(), "P"), counters_[i]), "=VERTEX(V");
            p = Put(Put(p, counters_[i]), ",,,);\r\n");
            out_.Advance(p);
        }
        out_.Write("F000000=FACE(");
        for (std::size_t i = 0; i < count; ++i) {
            p = Put(Put(Line(), i == 0 ? "P" : ",P"), counters_[i]);
            out_.Advance(p);
        }
        p = Put(Line(),
                ");\r\n"
                "N000000=NORMAL(0.0,0.0,1.0);\r\n"
                "FACE_NORMAL(F000000,N000000);\r\n"
                "GROUP_FACE(BUILD_ROOF");
        out_.Advance(Put(Put(p, number_), ",F000000);\r\n"));
    }

    void WriteWallGroup(std::size_t count) {
        char* p = Line();
        out_.Advance(Put(Put(Put(p, "BUILD_WALL"), number_), "=GROUP();\r\n"));
        for (std::size_t i = 0; i < count; ++i) {
            p = Put(Put(Put(Line(), "VBOTM"), counters_[i]), "=COORD(");
            out_.Advance(Put(Put(Put(p, corners_[i]), bottom_), ");\r\n"));
            p = Put(Put(Put(Line(), "VROOF"), counters_[i]), "=COORD(");
            out_.Advance(Put(Put(Put(p, corners_[i]), roof_), ");\r\n"));
        }
        for (std::size_t i = 0; i < count; ++i) {
            p = Put(Put(Put(Line(), "PBOTM"), counters_[i]), "=VERTEX(VBOTM");
            out_.Advance(Put(Put(p, counters_[i]), ",,,);\r\n"));
            p = Put(Put(Put(Line(), "PROOF"), counters_[i]), "=VERTEX(VROOF");
            out_.Advance(Put(Put(p, counters_[i]), ",,,);\r\n"));
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view self = counters_[i];
            const std::string_view next = counters_[i + 1 == count ? 0 : i + 1];
            p = Put(Put(Put(Line(), "F"), self), "=FACE(PBOTM");
            p = Put(Put(Put(Put(p, self), ",PBOTM"), next), ",PROOF");
            out_.Advance(Put(Put(Put(Put(p, next), ",PROOF"), self), ");\r\n"));
        }
        out_.Advance(Put(Put(Line(), "GROUP_FACE(BUILD_WALL"), number_));
        for (std::size_t i = 0; i < count; ++i) {
            out_.Advance(Put(Put(Line(), ",F"), counters_[i]));
        }
        out_.Write(");\r\n");
    }

    AtomicOutputFile& out_;
    char numberText_[kMaxIntegerChars];
    char bottomText_[kMaxFixedRealChars];
    char roofText_[kMaxFixedRealChars];
    std::string_view number_;
    std::string_view bottom_;
    std::string_view roof_;
    TextList corners_;   // "x,y," of each corner of the current building
    TextList counters_;  // "%06d" of 0, 1, 2, ... as far as the largest building needs
};

}  // namespace

std::uint64_t WriteBuildingsSection(ByteSource& sheet, const SubSheetRecord& record,
                                    AtomicOutputFile& out) {
    BuildingReader reader(sheet);
    BuildingTextWriter writer(out);
    std::uint64_t broken = 0;
    std::uint64_t number = 0;
    for (const std::uint32_t position : record.buildingPositions) {
        switch (reader.Read(position)) {
            case BuildingRead::kRead:
                writer.Write(number, reader.Current());
                break;
            case BuildingRead::kBroken:
                ++broken;
                break;
            case BuildingRead::kNotABuilding:
                break;
        }
        ++number;
    }
    return broken;
}

}  // namespace vesk
