// Output files that appear whole or not at all.
#include "convert/AtomicOutputFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "ConvertTestSupport.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

void WriteText(const std::filesystem::path& path, std::string_view text) {
    test::SheetBuilder bytes;
    bytes.Raw(std::as_bytes(std::span(text.data(), text.size())));
    ASSERT_TRUE(bytes.WriteTo(path));
}

TEST(AtomicOutputFile, NothingHasTheTargetNameBeforeCommit) {
    test::TempDir dir;
    const auto target = dir / "out.geo";
    AtomicOutputFile out(target);
    ASSERT_TRUE(out.IsOpen());
    out.Write("text");
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(out.Commit());
    EXPECT_EQ(test::ReadFileBytes(target), "text");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.geo"));
}

TEST(AtomicOutputFile, UncommittedFileLeavesNothingAndTheOldFileIntact) {
    test::TempDir dir;
    const auto target = dir / "out.geo";
    WriteText(target, "old");
    {
        AtomicOutputFile out(target);
        out.Write(std::string(3 * AtomicOutputFile::kBufferBytes, 'n'));
    }
    EXPECT_EQ(test::ReadFileBytes(target), "old");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.geo"));
}

TEST(AtomicOutputFile, ReservedPiecesAndLargeWritesKeepTheirOrder) {
    test::TempDir dir;
    const auto target = dir / "out.geo";
    std::string expected;
    AtomicOutputFile out(target);
    for (int i = 0; i < 300000; ++i) {
        char* p = out.Reserve(16);
        const std::string piece = std::to_string(i) + ",";
        std::memcpy(p, piece.data(), piece.size());
        out.Advance(p + piece.size());
        expected += piece;
        if (i % 100000 == 0) {
            const std::string block(AtomicOutputFile::kBufferBytes + 3,
                                    static_cast<char>('a' + i % 26));
            out.Write(block);
            expected += block;
        }
    }
    ASSERT_TRUE(out.Commit());
    EXPECT_TRUE(test::ReadFileBytes(target) == expected);
}

TEST(AtomicOutputFile, ReplacedFileKeepsItsPermissions) {
    test::TempDir dir;
    const auto target = dir / "out.geo";
    WriteText(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write |
                                             std::filesystem::perms::others_read);
    AtomicOutputFile out(target);
    out.Write("new");
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::others_read);
}

TEST(AtomicOutputFile, MissingFolderCannotBeOpened) {
    test::TempDir dir;
    AtomicOutputFile out(dir / "missing" / "out.geo");
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(out.Commit());
}

TEST(AtomicOutputFile, TargetThatIsAFolderFailsAtCommitAndLeavesNothing) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "out.geo");
    AtomicOutputFile out(dir / "out.geo");
    ASSERT_TRUE(out.IsOpen());
    out.Write("text");
    EXPECT_FALSE(out.Commit());
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.geo"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out.geo"));
}

TEST(AtomicOutputFile, WriteFailureIsReportedAtCommitAndLeavesNothing) {
    test::TempDir dir;
    const auto target = dir / "out.geo";
    WriteText(target, "old");
    {
        test::FileSizeLimit diskFull(4096);
        AtomicOutputFile out(target);
        ASSERT_TRUE(out.IsOpen());
        out.Write(std::string(10000, 'n'));
        EXPECT_FALSE(out.Commit());
    }
    EXPECT_EQ(test::ReadFileBytes(target), "old");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.geo"));
}

}  // namespace
}  // namespace vesk
