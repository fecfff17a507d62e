#include "batch/BatchRun.h"

namespace vesk {

BatchRun::BatchRun(Work work)
    : thread_([this, work = std::move(work)] {
          result_ = work(progress_, cancel_);
          done_.store(true);
      }) {}

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
