// Sheets made to cost: what each command reads and allocates stays bounded
// by the sheet's bytes. Each run has a CPU time and an address space far
// beyond what the bounded work needs and far below what it took before, so a
// regression ends the child (exit code -1) or fails its allocations.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <numbers>
#include <utility>
#include <vector>

#include "CliRunner.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCliWithLimits;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr unsigned long long kMegabyte = 1024 * 1024;
const std::vector<test::ResourceLimit> kLimits = {{RLIMIT_CPU, 20}, {RLIMIT_AS, 1024 * kMegabyte}};

void Be(std::vector<std::byte>& bytes, std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i) {
        bytes.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
    }
}

// A run-length SGI image of `size` bytes whose row tables send every row to
// the same packets, which fill a row with one sample and end it; each row
// states as its length every byte from there to the end of the file.
std::vector<std::byte> SharedRowSgi(std::uint16_t width, std::uint16_t height,
                                    std::uint16_t channels, std::size_t size) {
    std::vector<std::byte> file;
    Be(file, 474, 2);
    Be(file, 1, 1);  // run-length
    Be(file, 1, 1);  // a byte a sample
    Be(file, 3, 2);
    Be(file, width, 2);
    Be(file, height, 2);
    Be(file, channels, 2);
    Be(file, 0, 4);
    Be(file, 255, 4);
    file.resize(512);
    const std::uint32_t rows = std::uint32_t{height} * channels;
    const std::uint32_t packets = 512 + 8 * rows;
    for (std::uint32_t k = 0; k < rows; ++k) {
        Be(file, packets, 4);
    }
    for (std::uint32_t k = 0; k < rows; ++k) {
        Be(file, static_cast<std::uint32_t>(size - packets), 4);
    }
    for (std::uint32_t left = width; left > 0;) {
        const std::uint32_t run = std::min<std::uint32_t>(left, 127);
        Be(file, run, 1);
        Be(file, 0x80, 1);
        left -= run;
    }
    file.resize(size);  // the end mark, and bytes no row needs
    return file;
}

class BoundedWork : public ::testing::Test {
protected:
    std::string Sheet() const { return (dir / "in" / "sheet.tqb").string(); }

    test::TempDir dir;
};

// Block 1's texture: 1024 x 16384 RGBA in 4 MB, each of its 65,536 rows
// stating 3.5 MB; block 2's: 16384 x 16384 grey, 268 million pixels in
// 4.4 MB, 61 a byte.
TEST_F(BoundedWork, TexturesAreDecodedInTimeAndMemoryBoundedByTheirBytes) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    const std::vector<float> ground(4, 10.0f);
    sheet.SubSheetArea(0, -8000.0f, -36000.0f);
    sheet.Dem(2, 2, 400.0f, 300.0f, ground);
    sheet.Ortho(SharedRowSgi(1024, 16384, 4, 4 * kMegabyte));
    sheet.SubSheetArea(1, -7600.0f, -36000.0f);
    sheet.Dem(2, 2, 400.0f, 300.0f, ground);
    sheet.Ortho(SharedRowSgi(16384, 16384, 1, 4400 * 1024));
    std::filesystem::create_directories(dir / "in");
    ASSERT_TRUE(sheet.WriteTo(Sheet()));

    const auto exported =
        RunCliWithLimits({"export", Sheet(), "--all", "--out", (dir / "out").string()}, kLimits);
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr("09M0080M036000040003.glb: 0 buildings written, 0 left "
                                        "out, 2 triangles, texture 1024 x 16384"));
    EXPECT_THAT(exported.out, HasSubstr("texture left out: the texture is not a readable SGI image "
                                        "(it claims more pixels than its bytes hold)"));

    const auto checked = RunCliWithLimits({"check", Sheet()}, kLimits);
    EXPECT_EQ(checked.exitCode, 4) << checked.err;
    EXPECT_THAT(checked.out, HasSubstr("block 2: 1 errors, 0 warnings\n    error   1201"));
    EXPECT_THAT(checked.out, Not(HasSubstr("block 1:")));

    const auto tiles = RunCliWithLimits({"tiles", Sheet(), "--out", (dir / "tiles").string(),
                                         "--heights", "sea-level", "--jobs", "1", "--quiet"},
                                        kLimits);
    EXPECT_EQ(tiles.exitCode, 0) << tiles.err;
    EXPECT_THAT(tiles.out, HasSubstr("blocks: 2 converted"));
}

// A comb of 25,000 teeth 100 m long and 6 mm wide, turned by 30 degrees so
// that its edges' bounding boxes overlap by the thousand, and a star of
// 100,000 corners at scattered distances from its centre: each 100,000
// corners, each a simple polygon.
std::vector<std::pair<float, float>> Comb() {
    constexpr int kTeeth = 25000;
    constexpr double kPeriod = 300.0 / kTeeth;
    std::vector<std::pair<double, double>> ring = {{0.0, -3.0}, {kTeeth * kPeriod, -3.0}};
    for (int tooth = kTeeth - 1; tooth >= 0; --tooth) {
        const double left = tooth * kPeriod;
        const double right = left + kPeriod / 2;
        ring.insert(ring.end(), {{right, 0.0}, {right, 100.0}, {left, 100.0}, {left, 0.0}});
    }
    const double turn = std::numbers::pi / 6;
    std::vector<std::pair<float, float>> turned;
    for (const auto& [x, y] : ring) {
        turned.emplace_back(static_cast<float>(70.0 + x * std::cos(turn) - y * std::sin(turn)),
                            static_cast<float>(10.0 + x * std::sin(turn) + y * std::cos(turn)));
    }
    return turned;
}

std::vector<std::pair<float, float>> Star() {
    constexpr int kCorners = 100000;
    std::vector<std::pair<float, float>> ring;
    for (int k = 0; k < kCorners; ++k) {
        const double angle = 2 * std::numbers::pi * k / kCorners;
        const double radius = 5.0 + 135.0 * ((k * 7919) % 1000) / 1000.0;
        ring.emplace_back(static_cast<float>(200.0 + radius * std::cos(angle)),
                          static_cast<float>(150.0 + radius * std::sin(angle)));
    }
    return ring;
}

TEST_F(BoundedWork, FootprintsOfAHundredThousandCornersAreCheckedAndExportedInNearLinearTime) {
    test::SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0.0f, 0.0f).Image();
    sheet.SubSheetArea(0, 0.0f, 0.0f);
    sheet.Building(0, 10, Comb());
    sheet.Building(0, 10, Star());
    std::filesystem::create_directories(dir / "in");
    ASSERT_TRUE(sheet.WriteTo(Sheet()));
    const std::vector<test::ResourceLimit> limits = {{RLIMIT_CPU, 10}};

    const auto checked = RunCliWithLimits({"check", Sheet()}, limits);
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    const auto exported =
        RunCliWithLimits({"export", Sheet(), "--all", "--out", (dir / "out").string()}, limits);
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr("2 buildings written, 0 left out, 800000 triangles"));
}

// 300 sheets of 25 blocks of 40 bow ties whose roofs are at their bottoms:
// 2,000 errors a sheet, 300 MB and more when every sheet's findings and the
// whole JSON document were kept to the end.
TEST_F(BoundedWork, CheckMemoryStaysFlatWithTheNumberOfSheets) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    for (int block = 0; block < 25; ++block) {
        const float x0 = -8000.0f + 400.0f * static_cast<float>(block % 5);
        const float y0 = -36000.0f + 300.0f * static_cast<float>(block / 5);
        sheet.SubSheetArea(block, x0, y0);
        for (int k = 0; k < 40; ++k) {
            const float x = x0 + 10.0f + 15.0f * static_cast<float>(k % 20);
            const float y = y0 + 10.0f + 12.0f * static_cast<float>(k / 20);
            sheet.Building(5, 5, {{x, y}, {x + 8, y + 8}, {x + 8, y}, {x, y + 8}});
        }
    }
    std::filesystem::create_directories(dir / "in");
    ASSERT_TRUE(sheet.WriteTo(dir / "in" / "s000.tqb"));
    for (int k = 1; k < 300; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "s%03d.tqb", k);
        std::filesystem::create_hard_link(dir / "in" / "s000.tqb", dir / "in" / name);
    }
    const std::vector<test::ResourceLimit> limits = {{RLIMIT_AS, 192 * kMegabyte}};

    const auto plain = RunCliWithLimits({"check", (dir / "in").string(), "--jobs", "2"}, limits);
    EXPECT_EQ(plain.exitCode, 4) << plain.err;
    EXPECT_THAT(plain.out, HasSubstr("\nsummary: 300 sheets, 600000 errors, 0 warnings\n"));
    const auto json =
        RunCliWithLimits({"check", (dir / "in").string(), "--jobs", "2", "--json"}, limits);
    EXPECT_EQ(json.exitCode, 4) << json.err;
    const nlohmann::json document = nlohmann::json::parse(json.out, nullptr, false);
    ASSERT_FALSE(document.is_discarded());
    EXPECT_EQ(document["sheets"].size(), 300u);
    EXPECT_EQ(document["summary"]["errors"], 600000);
}

}  // namespace
}  // namespace vesk
