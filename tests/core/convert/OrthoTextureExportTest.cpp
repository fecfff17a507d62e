// The texture file: the ORTS body copied byte for byte.
#include "convert/OrthoTextureExport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ConvertTestSupport.h"
#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

std::vector<std::byte> Bytes(std::string_view text) {
    const auto bytes = std::as_bytes(std::span(text.data(), text.size()));
    return {bytes.begin(), bytes.end()};
}

class OrthoTexture : public ::testing::Test {
protected:
    void AddOrtho(std::span<const std::byte> body) {
        record.hasOrtho = 1;
        record.orthoPosition = sheet.Offset();
        sheet.Ortho(body);
    }

    bool Copy() {
        MemoryByteSource source(sheet.Bytes());
        return CopyOrthoTexture(source, path, record, ui);
    }

    test::SheetBuilder sheet;
    SubSheetRecord record;
    test::TempDir dir;
    std::filesystem::path path = dir / "out.sgi";
    test::RecordingUi ui;
};

TEST_F(OrthoTexture, BodyIsCopiedByteForByteIncludingLineEndAndNulBytes) {
    using namespace std::string_literals;
    const std::string body = "\x01\xDA\r\n\n\r\0\x1A\xFF end\r"s;
    sheet.Building(0, 1, {});
    AddOrtho(Bytes(body));
    sheet.Building(0, 1, {});
    EXPECT_TRUE(Copy());
    EXPECT_EQ(test::ReadFileBytes(path), body);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OrthoTexture, LargeBodyIsCopiedWhole) {
    std::vector<std::byte> body(3 * 1024 * 1024 + 17);
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<std::byte>((i * 131) >> 3);
    }
    AddOrtho(body);
    EXPECT_TRUE(Copy());
    const std::string copied = test::ReadFileBytes(path);
    ASSERT_EQ(copied.size(), body.size());
    EXPECT_EQ(std::memcmp(copied.data(), body.data(), body.size()), 0);
}

TEST_F(OrthoTexture, EmptyBodyGivesAnEmptyFile) {
    AddOrtho({});
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(test::ReadFileBytes(path), "");
}

TEST_F(OrthoTexture, ExistingFileIsReplaced) {
    ASSERT_TRUE(test::SheetBuilder().Raw(Bytes("old texture, longer than the new")).WriteTo(path));
    AddOrtho(Bytes("new"));
    EXPECT_TRUE(Copy());
    EXPECT_EQ(test::ReadFileBytes(path), "new");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.sgi"));
}

TEST_F(OrthoTexture, BodyPastTheEndOfTheFileWritesNothingAndSaysSo) {
    ASSERT_TRUE(test::SheetBuilder().Raw(Bytes("old")).WriteTo(path));
    record.hasOrtho = 1;
    record.orthoPosition = sheet.Offset();
    sheet.ChunkClaiming(0x113001, "ORTS", 1000, Bytes("only a part"));
    EXPECT_FALSE(Copy());
    EXPECT_EQ(test::ReadFileBytes(path), "old");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.sgi"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n次のﾃﾞｰﾀは変換しませんでした\n"
              "地形ﾃﾞｰﾀ(ｵﾙｿ画像)");
    EXPECT_EQ(ui.messages[0].caption, "ｴﾗｰ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
}

TEST_F(OrthoTexture, TextureThatCannotBeWrittenWholeFailsAndKeepsTheOldFile) {
    // One body smaller than the output buffer, one that goes past it.
    for (const std::size_t size : {std::size_t{100'000}, std::size_t{3'000'000}}) {
        ASSERT_TRUE(test::SheetBuilder().Raw(Bytes("old")).WriteTo(path));
        sheet = test::SheetBuilder();
        AddOrtho(std::vector<std::byte>(size, std::byte{0x5A}));
        ui.Clear();
        {
            test::FileSizeLimit diskFull(64 * 1024);
            EXPECT_FALSE(Copy()) << size;
        }
        EXPECT_EQ(test::ReadFileBytes(path), "old");
        EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.sgi"));
        EXPECT_THAT(ui.MessageTexts(),
                    ElementsAre("「" + path.string() + "」ﾌｧｲﾙに書き込めません"));
    }
}

TEST_F(OrthoTexture, MissingSgiFolderShowsAnErrorNamingTheFile) {
    AddOrtho(Bytes("texture"));
    path = dir / "sgi" / "out.sgi";
    EXPECT_FALSE(Copy());
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("「" + path.string() + "」ﾌｧｲﾙが作成できません\n「" +
                            (dir / "sgi").string() + "」ﾌｫﾙﾀﾞ: No such file or directory"));
    EXPECT_FALSE(std::filesystem::exists(dir / "sgi"));
}

}  // namespace
}  // namespace vesk
