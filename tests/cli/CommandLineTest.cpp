// The conventions every vesk-cli command keeps, as the field's tools do: help
// and version on standard output; a usage mistake told in one line on standard
// error that names it and the help explaining it, status 2, nothing written; a
// file that cannot be read told with the system's reason.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::vector<std::string> kCommands = {"info",  "convert", "export", "sample",
                                            "tiles", "zones",   "check",  "survey"};

// {sheet} is a sheet that opens, {out} an empty folder, {new} a file in it,
// {missing} a file that is not there, {dir} the folder that holds them.
struct Row {
    std::vector<std::string> args;
    int status;
    std::string text;  // on standard output for status 0, else on standard error
};

std::vector<Row> HelpRows() {
    std::vector<Row> rows = {
        {{"--version"}, 0, "vesk-cli 0."},
        {{"--help"}, 0, "usage: vesk-cli [OPTIONS] COMMAND\n"},
        {{"-h"}, 0, "  survey "},
        {{}, 2, "usage: vesk-cli [OPTIONS] COMMAND\n"},
        {{"sample", "--help"}, 0, "  --without PART "},
        {{"convert", "-h"}, 0, "  --block N "},
    };
    for (const std::string& command : kCommands) {
        for (const char* flag : {"--help", "-h"}) {
            rows.push_back({{command, flag}, 0, "usage: vesk-cli " + command + " "});
        }
    }
    return rows;
}

std::vector<Row> UnknownNameRows() {
    return {
        {{"convert", "{sheet}", "--blok", "3"}, 2, "unknown option --blok"},
        {{"nonsense"}, 2, "unknown command nonsense"},
        {{"--blok"}, 2, "unknown option --blok"},
        {{"info", "{sheet}", "--bogus"}, 2, "unknown option --bogus"},
        {{"convert", "{sheet}", "--all", "--no-roofs"}, 2, "unknown option --no-roofs"},
        {{"export", "{sheet}", "--all", "--no-roofs"}, 2, "unknown option --no-roofs"},
        {{"tiles", "{sheet}", "--out", "{out}", "--no-buildings"},
         2,
         "unknown option --no-buildings"},
        {{"check", "{sheet}", "--all"}, 2, "unknown option --all"},
        {{"survey", "{out}", "--zone", "9"}, 2, "unknown option --zone"},
        {{"zones", "--xml"}, 2, "unknown option --xml"},
        {{"sample", "{new}", "--colour", "red"}, 2, "unknown option --colour"},
    };
}

// Bad values name the option and the value.
std::vector<Row> BadValueRows() {
    return {
        {{"convert", "{sheet}", "--all", "--jobs", "0"},
         2,
         "--jobs: '0' is not a whole number from 1"},
        {{"convert", "{sheet}", "--block", "0"}, 2, "--block: '0' is not"},
        {{"convert", "{sheet}", "--block", "26"}, 2, "--block: '26' is not"},
        {{"convert", "{sheet}", "--block", "1x"}, 2, "--block: '1x' is not"},
        {{"export", "{sheet}", "--block", "26"}, 2, "--block: '26' is not"},
        {{"export", "{sheet}", "--all", "--format", "stl"},
         2,
         "--format: 'stl' is not glb, gltf or obj"},
        {{"tiles", "{sheet}", "--out", "{out}", "--jobs", "0"}, 2, "--jobs: '0' is not"},
        {{"tiles", "{sheet}", "--out", "{out}", "--shard", "2/2"}, 2, "--shard: '2/2' is not I/N"},
        {{"tiles", "{sheet}", "--out", "{out}", "--shard", "1"}, 2, "--shard: '1' is not I/N"},
        {{"check", "{sheet}", "--jobs", "0"}, 2, "--jobs: '0' is not a whole number from 1 to 256"},
        {{"check", "{sheet}", "--jobs", "2x"}, 2, "--jobs: '2x' is not"},
        {{"convert", "{sheet}", "--all", "--out", ""}, 2, "--out: an empty name"},
        {{"sample", "{new}", "--zone", "1.5"}, 2, "--zone: needs a whole number (got '1.5')"},
        {{"sample", "{new}", "--zone", "99999999999"}, 2, "--zone: needs a whole number"},
        {{"sample", "{new}", "--origin", "1"}, 2, "--origin: needs X,Y (got '1')"},
        {{"sample", "{new}", "--origin", "1,x"}, 2, "--origin: needs X,Y in metres"},
        {{"sample", "{new}", "--origin", "2000000,0"}, 2, "--origin: needs X,Y in metres"},
        {{"sample", "{new}", "--name", ""}, 2, "--name: needs a text of 1 to 4096 bytes"},
        {{"sample", "{new}", "--seed", "-1"}, 2, "--seed: needs a number from 0 to 4294967295"},
        {{"sample", "{new}", "--seed", "4294967296"}, 2, "(got '4294967296')"},
        {{"sample", "{new}", "--buildings", "100001"}, 2, "--buildings: needs a number from 0"},
        {{"sample", "{new}", "--dem", "41"}, 2, "--dem: needs COLSxROWS"},
        {{"sample", "{new}", "--dem", "0x31"}, 2, "(got '0x31')"},
        {{"sample", "{new}", "--dem", "4096x4096"}, 2, "(got '4096x4096')"},
        {{"sample", "{new}", "--texture", "0"}, 2, "--texture: needs a side of 1 to 8192"},
        {{"sample", "{new}", "--texture", "8193"}, 2, "(got '8193')"},
        {{"sample", "{new}", "--image", "20001x10"}, 2, "--image: needs WxH"},
        {{"sample", "{new}", "--image", "500x"}, 2, "(got '500x')"},
        {{"sample", "{new}", "--without", "roofs"}, 2, "--without: takes name, image"},
    };
}

// Values missing, or given twice.
std::vector<Row> MissingOrRepeatedValueRows() {
    return {
        {{"convert", "{sheet}", "--block"}, 2, "--block needs a value"},
        {{"convert", "{sheet}", "--all", "--out"}, 2, "--out needs a value"},
        {{"convert", "{sheet}", "--all", "--report"}, 2, "--report needs a value"},
        {{"check", "{sheet}", "--jobs"}, 2, "--jobs needs a value"},
        {{"sample", "{new}", "--zone"}, 2, "--zone needs a value"},
        {{"sample", "{new}", "--seed", "1", "--seed", "2"}, 2, "--seed is given more than once"},
        {{"zones", "--json", "--json"}, 2, "--json is given more than once"},
        {{"survey", "{out}", "--json", "--json"}, 2, "--json is given more than once"},
    };
}

// Required arguments missing, and arguments that exclude each other.
std::vector<Row> RequiredOrExcludingArgumentRows() {
    return {
        {{"info"}, 2, "SHEET is required"},
        {{"convert"}, 2, "INPUT is required"},
        {{"convert", "{sheet}"}, 2, "[--block,--all] is required"},
        {{"convert", "{sheet}", "--all", "--block", "1"}, 2, "[--block,--all] is required and 2"},
        {{"export"}, 2, "SHEET is required"},
        {{"export", "{sheet}"}, 2, "[--block,--all] is required"},
        {{"export", "{sheet}", "--block", "1", "--all"}, 2, "[--block,--all] is required and 2"},
        {{"sample"}, 2, "OUT.tqb is required"},
        {{"sample", "--zone", "9"}, 2, "OUT.tqb is required"},
        {{"tiles"}, 2, "[--out,--merge] is required"},
        {{"tiles", "{sheet}"}, 2, "INPUT requires --out"},
        {{"tiles", "--out", "{out}"}, 2, "--out requires INPUT"},
        {{"tiles", "--merge", "{out}", "{sheet}"}, 2, "INPUT requires --out"},
        {{"tiles", "--merge", "{out}", "--out", "{out}"}, 2, "--out requires INPUT"},
        {{"tiles", "--merge", "{out}", "--jobs", "2"}, 2, "--jobs excludes --merge"},
        {{"check"}, 2, "INPUT is required"},
        {{"check", "--json"}, 2, "INPUT is required"},
        {{"survey"}, 2, "FOLDER is required"},
        {{"survey", "--json"}, 2, "FOLDER is required"},
        {{"survey", "{out}", "--json", "--geojson"}, 2, "--json excludes --geojson"},
    };
}

// Arguments beyond those a command takes.
std::vector<Row> ExtraArgumentRows() {
    return {
        {{"survey", "{out}", "{out}"}, 2, "unexpected argument "},
        {{"info", "{sheet}", "{sheet}"}, 2, "unexpected argument "},
        {{"zones", "6"}, 2, "unexpected argument 6"},
        {{"sample", "{new}", "{out}/second.tqb"}, 2, "unexpected argument "},
        {{"sample", "{new}", "--without", "dem", "ortho"}, 2, "unexpected argument ortho"},
    };
}

std::vector<Row> FileRows() {
    return {
        {{"info", "{missing}"}, 1, "none.tqb: No such file or directory"},
        {{"info", "{out}"}, 1, "out: not a regular file"},
        {{"export", "{missing}", "--all"}, 1, "export: {missing}: No such file or directory"},
        {{"convert", "{missing}", "--all", "--out", "{out}"},
         1,
         "{missing}: No such file or directory"},
        {{"convert", "{missing}", "{sheet}", "--block", "1", "--out", "{out}", "--quiet"},
         1,
         "{missing}: the sheet could not be opened: No such file or directory"},
        {{"check", "{missing}"}, 1, "check: {missing}: No such file or directory"},
        {{"survey", "{missing}"}, 1, "survey: {missing}: No such file or directory"},
        {{"tiles", "{missing}", "--out", "{out}", "--quiet"},
         1,
         "{missing}: the sheet could not be opened: No such file or directory"},
        {{"tiles", "--merge", "{missing}"}, 1, "tiles: {missing}: No such file or directory"},
        {{"tiles", "{sheet}", "--out", "{sheet}/tiles", "--quiet"},
         1,
         "tiles: {sheet}/tiles: Not a directory"},
        {{"export", "{sheet}", "--all", "--out", "{sheet}/models"},
         1,
         "export: {sheet}/models: Not a directory"},
    };
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::RunCli({"sample", Sheet(), "--buildings", "1"}).exitCode, 0);
        std::filesystem::create_directory(OutFolder());
    }

    std::string Sheet() const { return (dir / "s.tqb").string(); }
    std::filesystem::path OutFolder() const { return dir / "out"; }

    std::vector<std::string> Expand(std::vector<std::string> args) const {
        const std::pair<std::string, std::string> names[] = {
            {"{sheet}", Sheet()},
            {"{out}", OutFolder().string()},
            {"{new}", (OutFolder() / "new.tqb").string()},
            {"{missing}", (dir / "none.tqb").string()},
            {"{dir}", dir.Path().string()},
        };
        for (std::string& arg : args) {
            for (const auto& [name, value] : names) {
                if (const auto at = arg.find(name); at != std::string::npos) {
                    arg.replace(at, name.size(), value);
                }
            }
        }
        return args;
    }

    void CheckAll(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            Check(row);
        }
    }

    void Check(const Row& row) {
        std::string shown;
        for (const std::string& arg : row.args) {
            shown += " '" + arg + "'";
        }
        SCOPED_TRACE("vesk-cli" + shown);
        const test::CliResult result = test::RunCli(Expand(row.args));
        EXPECT_EQ(result.exitCode, row.status);
        if (row.status == 0) {
            EXPECT_THAT(result.out, HasSubstr(row.text));
            EXPECT_EQ(result.err, "");
            return;
        }
        EXPECT_THAT(result.err, HasSubstr(Expand({row.text}).front()));
        if (row.status == 2 && !row.args.empty()) {
            ExpectOneLineUsageError(row.args.front(), result);
        }
    }

    // One line naming the command's help; nothing on standard output, nothing written.
    void ExpectOneLineUsageError(const std::string& first, const test::CliResult& result) {
        const bool command =
            std::find(kCommands.begin(), kCommands.end(), first) != kCommands.end();
        const std::string help = command ? "vesk-cli " + first + " --help" : "vesk-cli --help";
        EXPECT_THAT(result.err, StartsWith("vesk-cli: "));
        EXPECT_THAT(result.err, EndsWith("; see '" + help + "'\n"));
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(std::filesystem::is_empty(OutFolder()));
    }

    test::TempDir dir;
};

// One case per convention, so that the runs of vesk-cli spread over the cores.
TEST_F(CommandLine, HelpAndVersionArePrintedOnStandardOutput) {
    CheckAll(HelpRows());
}

TEST_F(CommandLine, UnknownOptionOrCommandIsAUsageError) {
    CheckAll(UnknownNameRows());
}

TEST_F(CommandLine, BadValueIsAUsageErrorNamingTheOptionAndTheValue) {
    CheckAll(BadValueRows());
}

TEST_F(CommandLine, MissingOrRepeatedValueIsAUsageError) {
    CheckAll(MissingOrRepeatedValueRows());
}

TEST_F(CommandLine, RequiredOrExcludingArgumentsAreUsageErrors) {
    CheckAll(RequiredOrExcludingArgumentRows());
}

TEST_F(CommandLine, ArgumentBeyondThoseACommandTakesIsAUsageError) {
    CheckAll(ExtraArgumentRows());
}

TEST_F(CommandLine, UnreadableFileIsNamedWithTheSystemsReason) {
    CheckAll(FileRows());
}

}  // namespace
}  // namespace vesk
