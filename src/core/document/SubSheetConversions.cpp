#include "document/SubSheetConversions.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "document/CMyVeskDoc.h"
#include "platform/MessageLog.h"
#include "platform/ParallelFor.h"

namespace vesk {
namespace {

struct BlockRun {
    PlannedConversion plan;
    MessageLog messages;
    bool written = false;
};

// The settings and folders of each block in turn, until one's folders are unknown.
std::vector<BlockRun> PlanBlocks(CMyVeskDoc& doc, std::span<const int> numbers,
                                 const EnvironmentLookup& environment) {
    std::vector<BlockRun> runs(numbers.size());
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        const SubSheetRecord record = doc.CopySubSheetRecord(numbers[k]);
        runs[k].plan = PlanConversion(record, doc.Ui(), runs[k].messages, environment);
        if (!runs[k].plan.outcome.confirmed) {
            runs.resize(k + 1);
            break;
        }
    }
    return runs;
}

// Whether an earlier block writes the same files: it must be written first.
bool FollowsSameName(const std::vector<BlockRun>& runs, std::size_t k) {
    return std::any_of(
        runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(k),
        [&](const BlockRun& earlier) { return earlier.plan.baseName == runs[k].plan.baseName; });
}

// Shows the blocks' messages in block order as soon as each block's turn has come.
class InOrderShowing {
public:
    InOrderShowing(std::vector<BlockRun>& runs, MessageSink& sink) : runs_(runs), sink_(sink) {}

    void Done(std::size_t k) {
        const std::lock_guard lock(mutex_);
        done_[k] = true;
        for (; next_ < runs_.size() && done_[next_]; ++next_) {
            runs_[next_].messages.ReplayTo(sink_);
        }
    }

private:
    std::vector<BlockRun>& runs_;
    MessageSink& sink_;
    std::mutex mutex_;
    std::vector<bool> done_ = std::vector<bool>(runs_.size());
    std::size_t next_ = 0;
};

}  // namespace

ConversionOutcome ConvertSubSheets(CMyVeskDoc& doc, std::span<const int> numbers,
                                   const EnvironmentLookup& environment, unsigned threads) {
    std::vector<BlockRun> runs = PlanBlocks(doc, numbers, environment);
    WaitCursor wait(doc.Ui());
    InOrderShowing showing(runs, doc.Ui());
    const auto write = [&](std::size_t k) {
        BlockRun& run = runs[k];
        if (run.plan.outcome.confirmed) {
            run.written = WritePlannedConversion(doc.SheetPath(), run.plan, run.messages);
        }
        showing.Done(k);
    };
    ParallelFor(runs.size(), threads, [&](unsigned, std::size_t k) {
        if (!FollowsSameName(runs, k)) {
            write(k);
        }
    });
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (FollowsSameName(runs, k)) {
            write(k);
        }
    }
    ConversionOutcome outcome;
    for (const BlockRun& run : runs) {
        outcome.confirmed = run.plan.outcome.confirmed;
        outcome.failed = outcome.failed || !run.plan.outcome.confirmed || !run.written;
    }
    return outcome;
}

}  // namespace vesk
