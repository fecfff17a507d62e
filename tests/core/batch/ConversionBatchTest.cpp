// The conversion of many sheets on a pool of jobs.
#include "batch/ConversionBatch.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>
#include <string>
#include <thread>

#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

// Sheets side by side, each with `blocks` blocks of one building.
std::vector<std::filesystem::path> WriteSheets(const test::TempDir& dir, int sheets, int blocks) {
    std::vector<std::filesystem::path> paths;
    for (int i = 0; i < sheets; ++i) {
        const float x0 = -20000.0f + 2000.0f * static_cast<float>(i);
        test::SheetBuilder sheet = test::StandardSheet(x0, -180.0f);
        for (int n = 0; n < blocks; ++n) {
            const float x = x0 + 400.0f * static_cast<float>(n);
            sheet.SubSheetArea(n, x, 1020.0f)
                .Building(0.0f, 12.5f, {{x + 10, 1040}, {x + 30, 1040}, {x + 30, 1060}});
        }
        paths.push_back(dir / ("s" + std::to_string(i) + ".tqb"));
        sheet.WriteTo(paths.back());
    }
    return paths;
}

// Cancels the batch once `blocks` blocks are done, or when it ends first.
void CancelAfter(std::size_t blocks, const BatchProgress& progress, std::atomic<bool>& cancel,
                 const std::atomic<bool>& ended) {
    while (!ended && progress.Snapshot().blocksDone < blocks) {
        std::this_thread::yield();
    }
    cancel = true;
}

// Child process's status once it ended, or -1 after `limit` (the child is then killed).
int WaitForChild(pid_t child, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sheets not started when the cancel comes pass their turn to take output
// names, so a later sheet already running never waits for them: every run
// ends, wherever the cancel falls.
TEST(ConversionBatch, CancelAtAnyMomentEndsTheRun) {
    test::TempDir dir;
    ConversionBatchRequest request;
    request.sheets = WriteSheets(dir, 12, 3);
    request.folders = {dir / "out", dir / "out"};
    request.chosenFolder = true;
    request.jobs = 6;
    std::filesystem::create_directories(dir / "out");
    const pid_t child = ::fork();
    if (child == 0) {
        std::mt19937 random(6008);
        for (int run = 0; run < 40; ++run) {
            BatchProgress progress;
            std::atomic<bool> cancel{false};
            std::atomic<bool> ended{false};
            const std::size_t blocks = std::uniform_int_distribution<std::size_t>(0, 30)(random);
            std::jthread canceller([&] { CancelAfter(blocks, progress, cancel, ended); });
            RunConversionBatch(request, progress, cancel);
            ended = true;
        }
        ::_exit(0);
    }
    EXPECT_EQ(WaitForChild(child, std::chrono::seconds(120)), 0) << "a cancelled batch did not end";
}

}  // namespace
}  // namespace vesk
