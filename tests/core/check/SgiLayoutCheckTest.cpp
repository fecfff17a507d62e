// The texture check's reading of run-length SGI images without decoding them:
// damaged row tables and runs, written by hand here, give the fault the
// model's decoder gives for the same bytes.
#include "check/SgiLayoutCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "SgiTestFile.h"
#include "model/SgiImage.h"

namespace vesk {
namespace {

constexpr std::size_t kTables = 512;
constexpr int kSide = 8;
constexpr int kRows = kSide * 3;
// Every sample differs from its neighbour: each is a literal run of one.
constexpr std::size_t kPackedRow = 2 * kSide + 1;

std::vector<std::byte> Packed() {
    return test::SgiFile(true, kSide, kSide, 3).With([](int x, int y, int c) {
        return static_cast<std::uint8_t>(10 * x + 50 * y + 100 * c);
    });
}

std::size_t RowAt(int row) {
    return kTables + 8 * kRows + kPackedRow * static_cast<std::size_t>(row);
}

void PutLength(std::vector<std::byte>& file, int row, std::uint32_t value) {
    const std::size_t at = kTables + 4 * kRows + 4 * static_cast<std::size_t>(row);
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<std::byte>((value >> (24 - 8 * i)) & 0xFF);
    }
}

std::string CheckedFault(const std::vector<std::byte>& file) {
    MemoryByteSource source(file);
    return SgiLayoutFault(source);
}

std::string DecoderFault(const std::vector<std::byte>& file) {
    const auto decoded = DecodeSgiImage(file);
    return std::holds_alternative<std::string>(decoded) ? std::get<std::string>(decoded) : "";
}

void ExpectFault(const std::vector<std::byte>& file, const std::string& fault) {
    EXPECT_EQ(CheckedFault(file), fault);
    EXPECT_EQ(DecoderFault(file), fault);
}

TEST(SgiLayoutCheck, SoundImagesHaveNoFault) {
    ExpectFault(Packed(), "");
}

TEST(SgiLayoutCheck, ATableCutShortByTheFileRunsPastItsEnd) {
    std::vector<std::byte> file = Packed();
    file.resize(kTables + 8 * kRows - 1);
    ExpectFault(file, "its row tables run past the end of the file");
}

TEST(SgiLayoutCheck, ARowOrRunReachingPastTheFileIsDamaged) {
    std::vector<std::byte> rowPastEnd = Packed();
    PutLength(rowPastEnd, kRows - 1, kPackedRow + 1);
    ExpectFault(rowPastEnd, "row 7 of channel 2 is damaged");

    // The file ends after the last row's last literal run begins, before its sample.
    std::vector<std::byte> runPastEnd = Packed();
    runPastEnd.resize(runPastEnd.size() - 2);
    PutLength(runPastEnd, kRows - 1, kPackedRow - 2);
    ExpectFault(runPastEnd, "row 7 of channel 2 is damaged");
}

TEST(SgiLayoutCheck, RunsThatOverfillOrUnderfillTheirRowAreDamaged) {
    std::vector<std::byte> overlong = Packed();
    overlong[RowAt(kSide + 2)] = std::byte{0x02};  // the first sample twice: nine in all
    ExpectFault(overlong, "row 2 of channel 1 is damaged");

    std::vector<std::byte> underfilled = Packed();
    underfilled[RowAt(3) + 2 * (kSide - 1)] = std::byte{0};  // ends the row after seven samples
    ExpectFault(underfilled, "row 3 of channel 0 is damaged");
}

// However many bytes a row states, its runs and the mark that ends them are
// all that is read: what lies after the mark is never looked at.
TEST(SgiLayoutCheck, ARowIsReadAsFarAsItsRunsAndTheirEndMark) {
    std::vector<std::byte> file = Packed();
    for (int row = 0; row < kRows; ++row) {
        PutLength(file, row, static_cast<std::uint32_t>(file.size() - RowAt(row)));
    }
    ExpectFault(file, "");
    file[RowAt(kRows - 2) + kPackedRow - 1] = std::byte{0x01};  // a run where the end mark was
    ExpectFault(file, "row 6 of channel 2 is damaged");
}

// Rows of one sample throughout: a grey image of 2032 pixels a row packs
// them in 16 runs, an end mark and 8 bytes of tables, 50 pixels a byte; as
// RGBA, four such rows, 12 pixels a byte.
TEST(SgiLayoutCheck, AnImageOfMorePixelsThanItsBytesHoldIsRefused) {
    const auto flat = [](int, int, int) { return std::uint8_t{7}; };
    ExpectFault(test::SgiFile(true, 2032, 4, 1).With(flat),
                "it claims more pixels than its bytes hold");
    ExpectFault(test::SgiFile(true, 2032, 4, 4).With(flat), "");
}

}  // namespace
}  // namespace vesk
