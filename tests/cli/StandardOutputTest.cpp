// Output that other tools read must not end with success when it did not reach them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::HasSubstr;

TEST(StandardOutput, UnwritableOutputFailsWithAMessageForEveryCommand) {
    test::TempDir dir;
    const std::string sheet = (dir / "s.tqb").string();
    ASSERT_EQ(test::RunCli({"sample", sheet, "--buildings", "2"}).exitCode, 0);
    const std::vector<std::vector<std::string>> commands = {
        {"info", sheet, "--json"},
        {"info", sheet},
        {"zones", "--json"},
        {"survey", dir.Path().string()},
        {"convert", sheet, "--block", "1", "--out", dir.Path().string()},
        {"--help"},
    };
    for (const auto kind : {test::UnwritableOutput::FullDisk, test::UnwritableOutput::ClosedPipe}) {
        for (const auto& args : commands) {
            const test::CliResult result = test::RunCliWithUnwritableOutput(args, kind);
            EXPECT_EQ(result.exitCode, 1) << args[0];
            EXPECT_THAT(result.err, HasSubstr("cannot write the standard output")) << args[0];
        }
    }
}

}  // namespace
}  // namespace vesk
