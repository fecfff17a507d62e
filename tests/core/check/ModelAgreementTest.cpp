// The model and the data check on the same faulty block: what the model
// leaves out, the check calls an error, with the same code, English text and
// place in the zone's plane coordinates.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <limits>

#include "CheckSheetFixture.h"
#include "SgiTestFile.h"
#include "model/BlockModel.h"

namespace vesk {
namespace {

using Corners = std::vector<std::pair<float, float>>;
using Fixture = test::CheckSheetFixture;
constexpr float kG = Fixture::kGround;

struct Fault {
    const char* name;
    FindingCode code;
    bool texture;  // a fault of the texture, else of the block's second building
    std::function<void(test::SheetBuilder&)> add;
};

// The faulty building comes after a sound one, so that numbers are told apart.
Fault Building(const char* name, FindingCode code, const Corners& local, float bottom = kG,
               float roof = kG + 10) {
    Corners plane;
    for (const auto& [x, y] : local) {
        plane.emplace_back(Fixture::kX0 + x, Fixture::kY0 + y);
    }
    return {name, code, false,
            [=](test::SheetBuilder& sheet) { sheet.Building(bottom, roof, plane); }};
}

Fault Texture(const char* name, FindingCode code,
              const std::function<void(std::vector<std::byte>&)>& damage) {
    return {name, code, true, [=](test::SheetBuilder& sheet) {
                auto image = test::SgiFile(true, 4, 4, 3).With([](int x, int y, int c) {
                    return static_cast<std::uint8_t>(x + y + c);
                });
                damage(image);
                sheet.Ortho(image);
            }};
}

class ModelAndCheck : public Fixture, public ::testing::WithParamInterface<Fault> {};

const Corners kSquare{{200, 200}, {220, 200}, {220, 220}, {200, 220}};
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST_P(ModelAndCheck, GiveTheSameCodeTextAndPlace) {
    const Fault& fault = GetParam();
    OpenBlock();
    FlatGround();
    SoundSquare();
    fault.add(sheet);
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks.size(), 1u);
    const std::vector<Finding>& findings = check.blocks[0].findings;
    ASSERT_EQ(findings.size(), 1u) << fault.name;
    const Finding& finding = findings[0];
    ASSERT_EQ(finding.code, fault.code) << fault.name << ": " << finding.english;
    ASSERT_EQ(finding.severity, Severity::kError);

    MemoryByteSource source(sheet.Bytes());
    const BlockModel model = BuildBlockModel(source, check.blocks[0].record, {});
    if (fault.texture) {
        EXPECT_TRUE(model.terrain.has_value());
        EXPECT_FALSE(model.texture.has_value());
        ASSERT_EQ(model.diagnostics.size(), 1u) << fault.name;
        EXPECT_EQ(model.diagnostics[0].English(), "texture left out: " + finding.english)
            << fault.name;
        return;
    }
    EXPECT_EQ(model.buildingParts.size(), 1u) << fault.name;
    ASSERT_EQ(model.leftOut.size(), 1u) << fault.name;
    const LeftOutBuilding& left = model.leftOut[0];
    EXPECT_EQ(left.number, *finding.building);
    EXPECT_EQ(left.code, static_cast<DataFault>(finding.code)) << fault.name;
    EXPECT_EQ(left.reason, finding.english) << fault.name;
    EXPECT_DOUBLE_EQ(left.x, finding.x) << fault.name;
    EXPECT_DOUBLE_EQ(left.y, finding.y) << fault.name;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ModelAndCheck,
    ::testing::Values(
        Building("symmetric bow tie", FindingCode::kRingSelfIntersection,
                 {{200, 200}, {220, 220}, {220, 200}, {200, 220}}),
        Building("ring that runs back over itself", FindingCode::kRingSelfIntersection,
                 {{200, 200}, {220, 200}, {220, 220}, {200, 220}, {230, 210}}),
        Building("corners on one line", FindingCode::kZeroArea,
                 {{200, 200}, {230, 200}, {210, 200}}),
        Building("two corners taken in turn", FindingCode::kTooFewPoints,
                 {{200, 200}, {210, 200}, {200, 200}, {210, 200}}),
        Building("two distinct corners", FindingCode::kTooFewPoints,
                 {{200, 200}, {210, 200}, {210, 200}}),
        Building("bottom NaN", FindingCode::kBuildingNotFinite, kSquare, kNaN),
        Building("flat roof at the bottom", FindingCode::kRoofNotAboveBottom, kSquare, kG, kG),
        Building("roof under the bottom", FindingCode::kRoofNotAboveBottom, kSquare, kG, kG - 3),
        Fault{"counts that claim more than the chunk's body", FindingCode::kChunkClaimsTooMuch,
              false,
              [](test::SheetBuilder& sheet) {
                  test::ByteWriter body;
                  body.F32(kG);
                  body.F32(kG + 10);
                  body.U32(0xFFFFFFFFu);  // vertices far beyond the body
                  body.F32(1);
                  sheet.Chunk(0x111001, "STRC", body.Data());
              }},
        Texture("texture of width 0", FindingCode::kTextureSize,
                [](std::vector<std::byte>& image) { image[6] = image[7] = std::byte{0}; }),
        Texture("texture whose last row is cut", FindingCode::kTextureNotDecodable,
                [](std::vector<std::byte>& image) { image.resize(image.size() - 2); })),
    [](const ::testing::TestParamInfo<Fault>& param) {
        std::string name = param.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

}  // namespace
}  // namespace vesk
