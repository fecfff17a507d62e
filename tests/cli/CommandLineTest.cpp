// The conventions every vesk-cli command keeps, as the field's tools do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(CommandLine, EveryCommandPrintsItsHelpOnStandardOutput) {
    for (const char* command :
         {"info", "convert", "export", "sample", "tiles", "zones", "check", "survey"}) {
        for (const char* flag : {"--help", "-h"}) {
            const test::CliResult result = test::RunCli({command, flag});
            EXPECT_EQ(result.exitCode, 0) << command << flag;
            EXPECT_THAT(result.out, StartsWith(std::string("usage: vesk-cli ") + command))
                << command;
            EXPECT_EQ(result.err, "") << command;
        }
    }
    const test::CliResult version = test::RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_THAT(version.out, StartsWith("vesk-cli 0."));
}

TEST(CommandLine, InfoOfAFileThatCannotBeOpenedSaysWhyOnStandardError) {
    test::TempDir dir;
    const test::CliResult missing = test::RunCli({"info", (dir / "none.tqb").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("none.tqb: No such file or directory"));
    const test::CliResult folder = test::RunCli({"info", dir.Path().string()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_THAT(folder.err, HasSubstr("not a regular file"));
}

}  // namespace
}  // namespace vesk
