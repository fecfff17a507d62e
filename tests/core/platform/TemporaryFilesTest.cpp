// A process ended by a signal leaves no temporary output behind.
#include "platform/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ConvertTestSupport.h"
#include "TempDir.h"
#include "platform/AtomicOutputFile.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A child process of the test, ended and reaped whatever the test's checks say.
class Child {
public:
    template <class Body>
    explicit Child(Body body) : pid_(::fork()) {
        if (pid_ == 0) {
            RemoveTemporaryFilesOnTermination();
            body();
            ::_exit(0);
        }
    }
    ~Child() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    void Signal(int signal) const { ::kill(pid_, signal); }
    // The signal that ended the child, 0 when it exited; -1 when it could not be waited for.
    int Wait() {
        int status = 0;
        reaped_ = true;
        if (::waitpid(pid_, &status, 0) != pid_) {
            return -1;
        }
        return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    int ExitCode() {
        int status = 0;
        reaped_ = true;
        return ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_;
    bool reaped_ = false;
};

std::vector<std::string> Temporaries(const std::filesystem::path& folder) {
    std::vector<std::string> names = test::FolderEntries(folder);
    std::erase_if(names, [](const std::string& name) { return !name.ends_with(".tmp"); });
    return names;
}

// Waits, with a generous limit, until the folder holds at least `count` entries.
bool WaitForEntries(const std::filesystem::path& folder, std::size_t count) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (test::FolderEntries(folder).size() < count) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
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
        // Half an output over the old file, then the user's Ctrl+C or a batch system's kill.
        Child child([&] {
            AtomicOutputFile out(target);
            out.Write(std::string(3 * AtomicOutputFile::kBufferBytes, 'n'));
            std::raise(signal);
        });
        EXPECT_EQ(child.Wait(), signal);
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

// Every output a --jobs 1024 run keeps open at once is removed, not only the first few dozen.
TEST(TemporaryFiles, AsManyTemporariesAsFilesCanBeOpenAreRemoved) {
    test::TempDir dir;
    Child child([&] {
        std::vector<std::unique_ptr<AtomicOutputFile>> outputs;
        for (int i = 0; i < 300; ++i) {
            outputs.push_back(std::make_unique<AtomicOutputFile>(dir / std::to_string(i)));
            if (!outputs.back()->IsOpen()) {
                ::_exit(1);
            }
        }
        std::raise(SIGTERM);
    });
    EXPECT_EQ(child.Wait(), SIGTERM);
    EXPECT_THAT(test::FolderEntries(dir.Path()), IsEmpty());
}

// Threads keep making outputs while the signal is handled on one of them: a
// temporary created at any moment is either removed or never created.
TEST(TemporaryFiles, SignalWhileThreadsCreateOutputsLeavesNoTemporary) {
    std::mt19937 random(23);
    for (int run = 0; run < 40; ++run) {
        test::TempDir dir;
        Child child([&] {
            std::vector<std::jthread> writers;
            for (int t = 0; t < 4; ++t) {
                writers.emplace_back([&, t] {
                    for (int i = 0;; ++i) {
                        AtomicOutputFile out(dir / (std::to_string(t) + "_" + std::to_string(i)));
                        if (out.IsOpen()) {
                            out.Write("x");
                            out.Commit();
                        }
                    }
                });
            }
        });
        const std::size_t written = std::uniform_int_distribution<std::size_t>(1, 60)(random);
        ASSERT_TRUE(WaitForEntries(dir.Path(), written));
        child.Signal(SIGTERM);
        EXPECT_EQ(child.Wait(), SIGTERM);
        EXPECT_THAT(Temporaries(dir.Path()), IsEmpty()) << "run " << run;
    }
}

// A file-size limit (ulimit -f) makes the write fail as a full disk does,
// instead of ending the process with the temporary left behind.
TEST(TemporaryFiles, FileSizeLimitIsAWriteFaultThatLeavesNoTemporary) {
    test::TempDir dir;
    Child child([&] {
        struct rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = AtomicOutputFile::kBufferBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        AtomicOutputFile out(dir / "big.geo");
        out.Write(std::string(3 * AtomicOutputFile::kBufferBytes, 'n'));
        const bool failedAsTooLarge = !out.Commit() && out.Reason() == std::strerror(EFBIG);
        ::_exit(failedAsTooLarge ? 0 : 1);
    });
    EXPECT_EQ(child.ExitCode(), 0);
    EXPECT_THAT(test::FolderEntries(dir.Path()), IsEmpty());
}

}  // namespace
}  // namespace vesk
