#include "check/CheckedSheets.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <utility>

#include "check/CheckMessages.h"
#include "platform/ExceptionReason.h"
#include "platform/ParallelFor.h"

namespace vesk {
namespace {

// The opening tells whether the sheet opens and what the program would say on
// opening it; the check then reads the file on its own.
CheckedSheet CheckOne(const std::filesystem::path& path, unsigned threads,
                      const SheetOpener& open) {
    CheckedSheet result;
    result.path = path;
    SheetOpening opening = open(path);
    result.diagnostics = std::move(opening.diagnostics);
    result.loadErrors = static_cast<std::size_t>(
        std::count_if(result.diagnostics.begin(), result.diagnostics.end(),
                      [](const Diagnostic& d) { return d.Level() == Severity::kError; }));
    if (!opening.opened) {
        return result;
    }
    auto check = CheckSheetFile(path, {threads, {}});
    if (!check) {
        result.diagnostics.push_back(MakeDiagnostic(check_messages::kSheetNotReadAgain));
        return result;
    }
    result.opened = true;
    result.check = std::move(*check);
    return result;
}

// The sheet's check is its job's boundary: whatever it throws fails this
// sheet, with the reason, and the others go on.
CheckedSheet CheckOneAlone(const std::filesystem::path& path, unsigned threads,
                           const SheetOpener& open) {
    try {
        return CheckOne(path, threads, open);
    } catch (...) {
        CheckedSheet stopped;
        stopped.path = path;
        stopped.diagnostics.push_back(
            MakeDiagnostic(check_messages::kCheckStopped, {CurrentExceptionReason()}));
        return stopped;
    }
}

// Hands results on in the order of their places from the jobs that finish
// them: a result waits for those before it, and a place is not started until
// the next one to hand on is less than `ahead` places before it. The job that
// finishes the next result hands it on, with those waiting after it. No job
// waits for a place before its own: places are started in order, so the next
// one to hand on has been started.
class ResultsInTurn {
public:
    ResultsInTurn(std::size_t ahead, const CheckedSheetSink& take) : ahead_(ahead), take_(take) {}

    void WaitForRoom(std::size_t place) {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return place < next_ + ahead_; });
    }

    void Finished(std::size_t place, CheckedSheet&& result) {
        std::lock_guard lock(mutex_);
        waiting_.emplace(place, std::move(result));
        for (auto first = waiting_.begin(); first != waiting_.end() && first->first == next_;
             first = waiting_.begin()) {
            take_(std::move(first->second));
            waiting_.erase(first);
            ++next_;
        }
        room_.notify_all();
    }

private:
    std::size_t ahead_;
    const CheckedSheetSink& take_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::map<std::size_t, CheckedSheet> waiting_;
    std::size_t next_ = 0;
};

}  // namespace

void CheckSheets(const std::vector<std::filesystem::path>& sheets, unsigned jobs,
                 const SheetOpener& open, const CheckedSheetSink& take) {
    const unsigned perSheet =
        std::max(1u, jobs / static_cast<unsigned>(std::max<std::size_t>(sheets.size(), 1)));
    ResultsInTurn results(2 * std::size_t{std::max(jobs, 1u)}, take);
    ParallelFor(sheets.size(), jobs, [&](unsigned, std::size_t k) {
        results.WaitForRoom(k);
        results.Finished(k, CheckOneAlone(sheets[k], perSheet, open));
    });
}

void CheckTotals::Add(const CheckedSheet& sheet) {
    errors += sheet.Errors();
    warnings += sheet.Warnings();
    allOpened = allOpened && sheet.opened;
}

}  // namespace vesk
