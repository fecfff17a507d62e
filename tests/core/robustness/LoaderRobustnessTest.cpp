// The loader against damaged files: every truncation of a sample sheet and
// seeded random corruption. Run under AddressSanitizer and
// UndefinedBehaviorSanitizer, these catch any read outside a buffer; the checks
// here catch records that contradict themselves or the file.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "RecordingUi.h"
#include "SampleSheet.h"
#include "document/CMyVeskDoc.h"

namespace vesk {
namespace {

std::vector<std::byte> SmallSample() {
    sample::SampleOptions options;
    options.imageWidth = 40;
    options.imageHeight = 30;
    options.buildingsPerSubSheet = 3;
    options.demColumns = 5;
    options.demRows = 4;
    options.texturePixels = 4;
    return sample::MakeSampleSheet(options);
}

// Loads the bytes and checks what the document holds against them.
void LoadAndCheck(std::span<const std::byte> bytes) {
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    MemoryByteSource source(bytes);
    doc.LoadSheetFrom(source);
    for (int n = 0; n < kSubSheetCount; ++n) {
        const SubSheetRecord record = doc.CopySubSheetRecord(n);
        ASSERT_EQ(static_cast<std::size_t>(record.buildingCount), record.buildingPositions.size());
        for (std::uint32_t position : record.buildingPositions) {
            ASSERT_LE(std::uint64_t{position} + 12, bytes.size());
        }
        if (record.hasDem) {
            ASSERT_LE(std::uint64_t{record.demPosition} + 12, bytes.size());
        }
        if (record.hasOrtho) {
            ASSERT_LE(std::uint64_t{record.orthoPosition} + 12, bytes.size());
        }
    }
    if (const auto pixels = doc.SheetImagePixels()) {
        ASSERT_LE(pixels->size(), bytes.size());
    }
    for (const auto& message : ui.messages) {
        ASSERT_FALSE(message.text.empty());
    }
}

TEST(LoaderRobustness, SampleSheetLoadsWithoutMessages) {
    const auto bytes = SmallSample();
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    MemoryByteSource source(bytes);
    doc.LoadSheetFrom(source);
    EXPECT_TRUE(ui.messages.empty());
    for (int n = 0; n < kSubSheetCount; ++n) {
        EXPECT_TRUE(doc.SubSheetAccepted(n)) << n;
    }
}

TEST(LoaderRobustness, EveryTruncationLoadsSafely) {
    const auto bytes = SmallSample();
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        LoadAndCheck(std::span(bytes).first(size));
        if (::testing::Test::HasFatalFailure()) {
            FAIL() << "file cut at " << size;
        }
    }
}

// Header fields are where damage does most harm: aim a share of the hits at
// the 12-byte headers, with values at the edges of their range.
void Corrupt(std::vector<std::byte>& bytes, std::mt19937& random) {
    const int hits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < hits; ++i) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 4) {
            case 0:
                bytes[at] = static_cast<std::byte>(random() & 0xFF);
                break;
            case 1:
                bytes[at] ^= static_cast<std::byte>(1u << (random() % 8));
                break;
            default: {
                static constexpr std::uint32_t kEdges[] = {
                    0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF4, 54, 24};
                const std::uint32_t value = kEdges[random() % std::size(kEdges)];
                if (at + 4 <= bytes.size()) {
                    for (int b = 0; b < 4; ++b) {
                        bytes[at + b] = static_cast<std::byte>((value >> (8 * b)) & 0xFF);
                    }
                }
            }
        }
    }
}

TEST(LoaderRobustness, RandomCorruptionLoadsSafely) {
    const auto original = SmallSample();
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        std::mt19937 random(seed);
        auto bytes = original;
        Corrupt(bytes, random);
        LoadAndCheck(bytes);
        if (::testing::Test::HasFatalFailure()) {
            FAIL() << "seed " << seed;
        }
    }
}

}  // namespace
}  // namespace vesk
