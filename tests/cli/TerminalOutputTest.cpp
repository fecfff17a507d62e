// Titles and paths with control characters in the plain text meant for a
// terminal: shown escaped, never obeyed; JSON keeps its own escapes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;
using ::testing::HasSubstr;
using ::testing::Not;

// A name that would clear the screen and start a line of its own.
constexpr char kHostile[] = "a\nb\x1b[2J";
constexpr char kHostileShown[] = "a\\nb\\x1b[2J";

class TerminalOutput : public ::testing::Test {
protected:
    TerminalOutput() {
        test::SheetBuilder builder = test::StandardSheet(-1250.0f, -180.0f);
        builder.Name("x\ty\x1b[31m");
        builder.SubSheetArea(0, -850.0f, 120.0f);
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(builder.WriteTo(sheet));
    }

    test::TempDir dir;
    std::filesystem::path folder = dir / kHostile;
    std::filesystem::path sheet = folder / (std::string(kHostile) + ".tqb");
    std::string sheetShown = (dir / kHostileShown).string() + "/" + kHostileShown + ".tqb";
};

TEST_F(TerminalOutput, InfoShowsTheTitleAndPathEscapedAndJsonKeepsThem) {
    const auto plain = RunCli({"info", sheet.string()});
    EXPECT_THAT(plain.out, HasSubstr("File:     " + sheetShown + "\n"));
    EXPECT_THAT(plain.out, HasSubstr("Title:    x\\ty\\x1b[31m\n"));
    EXPECT_THAT(plain.out, Not(HasSubstr("\x1b")));
    const auto json = nlohmann::json::parse(RunCli({"info", sheet.string(), "--json"}).out);
    EXPECT_EQ(json["title"], "x\ty\x1b[31m");
    EXPECT_EQ(json["file"], sheet.string());
}

TEST_F(TerminalOutput, CheckAndBatchErrorLinesShowPathsEscaped) {
    const auto check = RunCli({"check", folder.string()});
    EXPECT_THAT(check.out, HasSubstr(sheetShown + ": 1 blocks"));
    EXPECT_THAT(check.out + check.err, Not(HasSubstr("\x1b")));

    // A sheet the batch cannot open is named on its error line.
    const std::string broken = std::string("broken\r\x1b]0;title\x07") + ".tqb";
    test::SheetBuilder nothing;
    ASSERT_TRUE(nothing.WriteTo(folder / broken));
    const auto batch =
        RunCli({"convert", folder.string(), "--all", "--out", (dir / "out").string(), "--quiet"});
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_THAT(batch.err, HasSubstr("vesk-cli convert: " + (dir / kHostileShown).string() +
                                     "/broken\\r\\x1b]0;title\\x07.tqb: "));
    EXPECT_THAT(batch.err, Not(HasSubstr("\x1b")));
    EXPECT_THAT(batch.err, Not(HasSubstr("\r")));
}

// One sheet's export and conversion name the files they write under --out.
TEST_F(TerminalOutput, OneSheetsExportAndConversionShowTheirPathsEscaped) {
    const std::string out = (folder / "out").string();
    const auto exported = RunCli({"export", sheet.string(), "--all", "--out", out});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr((dir / kHostileShown).string() + "/out/"));
    const auto converted = RunCli({"convert", sheet.string(), "--all", "--out", out});
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    // The conversion's messages keep their own lines, so a line feed in a
    // path stays one there; the escape sequence does not reach the terminal.
    EXPECT_THAT(converted.out, HasSubstr("b\\x1b[2J/out"));
    for (const auto& run : {exported, converted}) {
        EXPECT_THAT(run.out + run.err, Not(HasSubstr("\x1b"))) << run.out;
    }
}

}  // namespace
}  // namespace vesk
