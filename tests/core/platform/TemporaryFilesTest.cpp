// A process ended by a signal leaves no temporary output behind.
#include "platform/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "ConvertTestSupport.h"
#include "TempDir.h"
#include "platform/AtomicOutputFile.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

// The child writes half an output over an existing file and is then ended by
// the signal, as a user's Ctrl+C or a batch system's kill would end it.
int EndChildWithSignalWhileWriting(const std::filesystem::path& target, int signal) {
    const pid_t child = ::fork();
    if (child == 0) {
        RemoveTemporaryFilesOnTermination();
        AtomicOutputFile out(target);
        out.Write(std::string(3 * AtomicOutputFile::kBufferBytes, 'n'));
        std::raise(signal);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(TemporaryFiles, SignalRemovesTheTemporaryAndKeepsTheOldFile) {
    for (const int signal : {SIGTERM, SIGINT}) {
        test::TempDir dir;
        const auto target = dir / "out.geo";
        {
            AtomicOutputFile old(target);
            old.Write("old");
            ASSERT_TRUE(old.Commit());
        }
        EXPECT_EQ(EndChildWithSignalWhileWriting(target, signal), signal);
        EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("out.geo"));
        EXPECT_EQ(test::ReadFileBytes(target), "old");
    }
}

TEST(TemporaryFiles, RemovalSparesFilesNoLongerRegistered) {
    test::TempDir dir;
    {
        AtomicOutputFile done(dir / "done.geo");
        done.Write("x");
        ASSERT_TRUE(done.Commit());
    }
    AtomicOutputFile pending(dir / "pending.geo");
    ASSERT_TRUE(pending.IsOpen());
    EXPECT_EQ(test::FolderEntries(dir.Path()).size(), 2u);
    RemoveRegisteredTemporaryFiles();
    EXPECT_THAT(test::FolderEntries(dir.Path()), ElementsAre("done.geo"));
}

}  // namespace
}  // namespace vesk
