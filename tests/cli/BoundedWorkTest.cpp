// Sheets made to cost: what each command reads and allocates stays bounded
// by the sheet's bytes. Each run has a CPU time and an address space far
// beyond what the bounded work needs and far below what it took before, so a
// regression ends the child (exit code -1) or fails its allocations.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdint>
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

}  // namespace
}  // namespace vesk
