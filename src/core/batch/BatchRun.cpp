#include "batch/BatchRun.h"

#include "batch/JobStopped.h"

namespace vesk {

BatchRun::BatchRun(Work work)
    : thread_([this, work = std::move(work)] {
          Run(work);
          done_.store(true);
      }) {}

// The batch's thread is its job's boundary: what escapes the sheets' own
// boundaries ends the batch with the reason instead of the process.
void BatchRun::Run(const Work& work) {
    try {
        result_ = work(progress_, cancel_);
    } catch (...) {
        result_ = {};
        result_.cancelled = cancel_.load();
        result_.diagnostics.push_back(JobStopped());
    }
}

BatchRun::~BatchRun() {
    if (thread_.joinable()) {
        Cancel();
        thread_.join();
    }
}

BatchResult BatchRun::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return std::move(result_);
}

}  // namespace vesk
