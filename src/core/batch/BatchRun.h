#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "batch/BatchOutcome.h"
#include "batch/BatchProgress.h"

namespace vesk {

// A batch on a thread of its own, for a caller that keeps showing its
// progress meanwhile (the command-line tool's progress line, the program's
// progress dialog). Cancel lets the blocks being written finish and starts no
// other; Finish waits for the end and gives the outcome. A work that throws
// gives an outcome that says why.
class BatchRun {
public:
    using Work = std::function<BatchResult(BatchProgress&, const std::atomic<bool>& cancel)>;

    explicit BatchRun(Work work);
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    ProgressCounts Progress() const { return progress_.Snapshot(); }
    bool Done() const { return done_.load(); }
    void Cancel() { cancel_.store(true); }
    BatchResult Finish();

private:
    void Run(const Work& work);

    BatchProgress progress_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    BatchResult result_;
    std::thread thread_;
};

}  // namespace vesk
