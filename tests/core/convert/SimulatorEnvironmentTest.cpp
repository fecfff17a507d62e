// Reading the landscape simulator's environment file.
#include "convert/SimulatorEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "RecordingUi.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

constexpr char kSep = '/';

const std::string kGeometryNotice =
    "GEOMETRYﾌｫﾙﾀﾞの指定が分かりません\n「D:\\sim/kdb/geometry」ﾌｫﾙﾀﾞが\n指定されたものとします";
const std::string kTextureNotice =
    "TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「D:\\sim/kdb/texture」ﾌｫﾙﾀﾞが\n指定されたものとします";

class SimulatorEnvironment : public ::testing::Test {
protected:
    std::optional<SimulatorFolders> Read(std::string_view contents) {
        const auto path = dir / "ksim.env";
        std::ofstream(path, std::ios::binary) << contents;
        return ReadSimulatorEnvironment(path.string(), ui);
    }

    test::TempDir dir;
    test::RecordingUi ui;
};

TEST_F(SimulatorEnvironment, ExampleFileGivesBothFoldersWithPlatformSeparators) {
    const auto folders = Read(
        "HOME_PATH=D:\\sim;\n"
        "FILE_PATH_GEOMETRY=data/geo;\n"
        "FILE_PATH_MASTER_TEXTURE=data\\tex;\n");
    ASSERT_TRUE(folders);
    // The home folder is taken as written; only the parts have their slashes converted.
    EXPECT_EQ(folders->geometry.string(), std::string("D:\\sim") + kSep + "data/geo");
    EXPECT_EQ(folders->texture.string(), std::string("D:\\sim") + kSep + "data/tex");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SimulatorEnvironment, SeparatorsAreSkippedOnlyBetweenKeyAndValue) {
    const auto folders = Read(
        "HOME_PATH = D:\\sim ;\n"
        "FILE_PATH_GEOMETRY=\t=geo dir;comment\n"
        "FILE_PATH_TEXTURE\t  tex;\n");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "D:\\sim /geo dir");
    EXPECT_EQ(folders->texture.string(), "D:\\sim /tex");
}

TEST_F(SimulatorEnvironment, ValueWithoutSemicolonEndsBeforeTheLineEnd) {
    const auto folders = Read(
        "HOME_PATH=/home/sim\r\n"
        "FILE_PATH_GEOMETRY=geo\n"
        "FILE_PATH_TEXTURE=tex");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "/home/sim/geo");
    EXPECT_EQ(folders->texture.string(), "/home/sim/tex");
}

TEST_F(SimulatorEnvironment, LinesWithoutKeyOrValueAreIgnored) {
    const auto folders = Read(
        "\n"
        " HOME_PATH=/wrong;\n"
        "\tHOME_PATH=/wrong;\n"
        "=HOME_PATH=/wrong;\n"
        "HOME_PATH=/right;\n"
        "FILE_PATH_GEOMETRY=;\n"
        "FILE_PATH_TEXTURE\n"
        "FILE_PATH_TEXTURE=\r\n"
        "HOME_PATH\n");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "/right/kdb/geometry");
    EXPECT_EQ(folders->texture.string(), "/right/kdb/texture");
}

TEST_F(SimulatorEnvironment, LaterLineForTheSameSlotWins) {
    const auto folders = Read(
        "FILE_PATH_MASTER_GEOMETRY=master;\n"
        "HOME_PATH=/a;\n"
        "FILE_PATH_GEOMETRY=plain;\n"
        "FILE_PATH_TEXTURE=plain;\n"
        "FILE_PATH_MASTER_TEXTURE=master;\n"
        "HOME_PATH=/b;\n");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "/b/plain");
    EXPECT_EQ(folders->texture.string(), "/b/master");
}

TEST_F(SimulatorEnvironment, KeysInOtherLetterCasesAreIgnored) {
    EXPECT_FALSE(Read("home_path=/a;\nHome_Path=/b;\n"));
    const auto folders = Read("HOME_PATH=/a;\nfile_path_geometry=g;\nFILE_PATH_Texture=t;\n");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "/a/kdb/geometry");
}

TEST_F(SimulatorEnvironment, OnlyHomeGivesBothNoticesGeometryFirstAndTheDefaults) {
    const auto folders = Read("HOME_PATH=D:\\sim;\n");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "D:\\sim/kdb/geometry");
    EXPECT_EQ(folders->texture.string(), "D:\\sim/kdb/texture");
    EXPECT_THAT(ui.MessageTexts(), ElementsAre(kGeometryNotice, kTextureNotice));
    for (const auto& message : ui.messages) {
        EXPECT_EQ(message.caption, "ﾒｯｾｰｼﾞ");
        EXPECT_EQ(message.icon, MessageIcon::Information);
    }
}

// Environment files from older machines hold Shift-JIS folder names; a notice
// shows them readable, never as raw bytes.
TEST_F(SimulatorEnvironment, ShiftJisHomeFolderIsShownDecodedInTheNotices) {
    // "D:\景観" in Shift-JIS, then a byte that is no character at all.
    const auto folders = Read("HOME_PATH=D:\\\x8c\x69\x8a\xcf;\nFILE_PATH_GEOMETRY=g;\n");
    ASSERT_TRUE(folders);
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「D:\\景観/kdb/texture」ﾌｫﾙﾀﾞが\n"
                            "指定されたものとします"));
    ui.messages.clear();
    ASSERT_TRUE(Read("HOME_PATH=\xff\xfe;\nFILE_PATH_GEOMETRY=g;\n"));
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「\uFFFD\uFFFD/kdb/texture」ﾌｫﾙﾀﾞが\n"
                            "指定されたものとします"));
}

TEST_F(SimulatorEnvironment, OnlyTheMissingFolderIsNoticed) {
    ASSERT_TRUE(Read("HOME_PATH=D:\\sim;\nFILE_PATH_GEOMETRY=g;\n"));
    EXPECT_THAT(ui.MessageTexts(), ElementsAre(kTextureNotice));
}

TEST_F(SimulatorEnvironment, FailsSilentlyWithoutVariableFileOrHome) {
    EXPECT_FALSE(ReadSimulatorEnvironment(std::nullopt, ui));
    EXPECT_FALSE(ReadSimulatorEnvironment("", ui));
    EXPECT_FALSE(ReadSimulatorEnvironment((dir / "missing.env").string(), ui));
    EXPECT_FALSE(ReadSimulatorEnvironment(dir.Path().string(), ui));
    EXPECT_FALSE(Read("FILE_PATH_GEOMETRY=g;\nFILE_PATH_TEXTURE=t;\n"));
    EXPECT_FALSE(Read(""));
    EXPECT_TRUE(ui.messages.empty());
}

// A line of more than 1023 characters is read in parts, each handled as a line.
TEST_F(SimulatorEnvironment, LongLineIsHandledInPartsOf1023Characters) {
    const auto folders = Read(std::string(1023, 'x') + "HOME_PATH=/tail;\n" +
                              "FILE_PATH_GEOMETRY=" + std::string(1004, 'g') + "cut;\n");
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->geometry.string(), "/tail/" + std::string(1004, 'g'));
}

TEST(SplitEnvironmentLine, KeyRunsToTheFirstSeparatorAndValueToTheFirstSemicolon) {
    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(SplitEnvironmentLine("KEY=a b;c;\n"), (Pair{"KEY", "a b"}));
    EXPECT_EQ(SplitEnvironmentLine("KEY==  \tvalue\t;"), (Pair{"KEY", "value\t"}));
    EXPECT_EQ(SplitEnvironmentLine("K;EY=v"), (Pair{"K;EY", "v"}));
    EXPECT_EQ(SplitEnvironmentLine("KEY=v\r\n"), (Pair{"KEY", "v"}));
    EXPECT_EQ(SplitEnvironmentLine(std::string_view("KEY=v\0w;", 8)), (Pair{"KEY", "v"}));
    EXPECT_FALSE(SplitEnvironmentLine("KEY=;"));
    EXPECT_FALSE(SplitEnvironmentLine("KEY=\n"));
    EXPECT_FALSE(SplitEnvironmentLine("KEY"));
    EXPECT_FALSE(SplitEnvironmentLine("KEY= \t"));
    EXPECT_FALSE(SplitEnvironmentLine(" KEY=v;"));
    EXPECT_FALSE(SplitEnvironmentLine(""));
}

}  // namespace
}  // namespace vesk
