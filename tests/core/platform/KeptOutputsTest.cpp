#include "platform/KeptOutputs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <vector>

#include "TempDir.h"

namespace vesk {
namespace {

// Outputs an earlier run made are kept only when all are there, made after
// their source: one missing, older or not a file is made again.
TEST(KeptOutputs, AreKeptWhenAllAreFilesNewerThanTheirSource) {
    test::TempDir dir;
    const auto source = dir / "s.tqb";
    std::ofstream(source) << "sheet";
    const auto made = std::filesystem::last_write_time(source);
    const std::vector<std::filesystem::path> outputs{dir / "a.geo", dir / "a.sgi"};
    for (const auto& output : outputs) {
        std::ofstream(output) << "output";
        std::filesystem::last_write_time(output, made + std::chrono::seconds(1));
    }
    EXPECT_TRUE(OutputsNewerThan(outputs, source));
    EXPECT_TRUE(OutputsNewerThan({}, source));
    EXPECT_FALSE(OutputsNewerThan(outputs, dir / "gone.tqb"));

    std::filesystem::last_write_time(outputs[1], made);
    EXPECT_FALSE(OutputsNewerThan(outputs, source));
    std::filesystem::remove(outputs[1]);
    EXPECT_FALSE(OutputsNewerThan(outputs, source));
    std::filesystem::create_directory(outputs[1]);
    EXPECT_FALSE(OutputsNewerThan(outputs, source));
}

}  // namespace
}  // namespace vesk
