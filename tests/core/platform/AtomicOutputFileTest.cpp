// Output files that appear whole or not at all.
#include "platform/AtomicOutputFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>
#include <string>
#include <thread>

#include "ConvertTestSupport.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "platform/DeferredFolderSync.h"

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

// The temporary takes no more of a name than it needs: a target named with
// all the 255 bytes a name may have is written through one in its own folder.
TEST(AtomicOutputFile, TargetWithTheLongestNameIsWritten) {
    test::TempDir dir;
    const auto target = dir / (std::string(250, 'r') + ".json");
    AtomicOutputFile out(target);
    out.Write("{}");
    EXPECT_TRUE(out.Commit()) << out.Reason();
    EXPECT_EQ(test::ReadFileBytes(target), "{}");
    EXPECT_EQ(test::FolderEntries(dir.Path()).size(), 1u);
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

// What is at the output path and is not a regular file belongs to someone
// else: a FIFO, a folder. Nothing is written and it stays as it was.
TEST(AtomicOutputFile, TargetThatIsNotARegularFileIsRefusedAndKept) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.geo").c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "folder.geo");
    for (const char* name : {"pipe.geo", "folder.geo"}) {
        AtomicOutputFile out(dir / name);
        EXPECT_FALSE(out.IsOpen()) << name;
        EXPECT_FALSE(out.Commit()) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.geo"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.geo"));
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("folder.geo", "pipe.geo"));
}

TEST(AtomicOutputFile, LinkToAFileStaysALinkAndTheFileItLeadsToIsReplaced) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "real");
    WriteText(dir / "real" / "out.geo", "old");
    std::filesystem::create_symlink("real/out.geo", dir / "link.geo");
    std::filesystem::create_symlink("link.geo", dir / "link2.geo");
    AtomicOutputFile out(dir / "link2.geo");
    ASSERT_TRUE(out.IsOpen());
    out.Write("new");
    ASSERT_TRUE(out.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link2.geo"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.geo"));
    EXPECT_EQ(test::ReadFileBytes(dir / "real" / "out.geo"), "new");
    EXPECT_THAT(test::FolderEntries(dir / "real"), ElementsAre("out.geo"));
}

TEST(AtomicOutputFile, LinkLoopIsRefused) {
    test::TempDir dir;
    std::filesystem::create_symlink("b.geo", dir / "a.geo");
    std::filesystem::create_symlink("a.geo", dir / "b.geo");
    AtomicOutputFile out(dir / "a.geo");
    EXPECT_FALSE(out.IsOpen());
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

namespace vesk {
namespace {

// A block's files share one fsync of their folder; a thread without a block
// of its own, such as a writer started beside it, still syncs its folder itself.
TEST(DeferredFolderSync, OnlyTheThreadThatOpenedOneDefersAndTheInnermostTakesTheFolder) {
    EXPECT_FALSE(DeferredFolderSync::Defer("."));
    {
        const DeferredFolderSync block;
        EXPECT_TRUE(DeferredFolderSync::Defer("."));
        bool deferredElsewhere = true;
        std::thread([&] { deferredElsewhere = DeferredFolderSync::Defer("."); }).join();
        EXPECT_FALSE(deferredElsewhere);
        {
            const DeferredFolderSync inner;
            EXPECT_TRUE(DeferredFolderSync::Defer("."));
        }
        EXPECT_TRUE(DeferredFolderSync::Defer("."));
    }
    EXPECT_FALSE(DeferredFolderSync::Defer("."));
}

}  // namespace
}  // namespace vesk
