#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "batch/BatchLedger.h"
#include "batch/BatchOutcome.h"
#include "batch/MessageCollector.h"
#include "document/CMyVeskDoc.h"
#include "sheet/ProgramImageSize.h"

namespace vesk {

// One sheet of a batch: loaded on a document of its own, without its
// picture's pixels, the load's errors kept as the sheet's diagnostics; then its
// blocks worked on one at a time, each outcome recorded in the batch's ledger.
class SheetJob {
public:
    // Fills in the outcome of the k-th block handed out, whose number and
    // output name are already set.
    using BlockWork =
        std::function<void(std::size_t k, const SubSheetRecord& record, BlockOutcome& outcome)>;

    SheetJob(std::size_t index, const std::filesystem::path& path);
    SheetJob(const SheetJob&) = delete;
    SheetJob& operator=(const SheetJob&) = delete;

    bool Loaded() const { return doc_.IsSheetLoaded(); }
    const CMyVeskDoc& Document() const { return doc_; }
    // Where the blocks' writers report; the errors reported join the block's diagnostics.
    MessageSink& Messages() { return ui_; }
    SheetOutcome& Outcome() { return outcome_; }

    // Works on the sub-sheets `numbers` (0 to 24) in turn until all are done
    // or `cancel` is set. A work that throws fails its block alone, with the reason.
    void WorkOnBlocks(const std::vector<int>& numbers, BatchLedger& ledger,
                      const std::atomic<bool>& cancel, const BlockWork& work);

    // The k-th block's work as above, reporting to a sink of its own.
    using SideBySideWork = std::function<void(std::size_t k, const SubSheetRecord& record,
                                              BlockOutcome& outcome, MessageSink& messages)>;

    // As WorkOnBlocks, on up to `threads` threads at once: `work` is called
    // for distinct blocks from several threads. The outcomes keep block order,
    // each with the errors its own work showed.
    void WorkOnBlocksSideBySide(const std::vector<int>& numbers, BatchLedger& ledger,
                                const std::atomic<bool>& cancel, unsigned threads,
                                const SideBySideWork& work);

    // The sheet's outcome, failed for the reason given after its diagnostics so far.
    SheetOutcome Failed(Diagnostic why);
    SheetOutcome Finish() { return std::move(outcome_); }

private:
    MessageCollector ui_;
    ProgramImageSize imageSize_;  // the job's own: loads on other threads must not change it
    CMyVeskDoc doc_;
    SheetOutcome outcome_;
};

// Why a sheet of a batch did not open: with the system's reason when the file
// itself could not be read, else its content is to blame and the load said why.
Diagnostic SheetNotOpened(const std::filesystem::path& sheet);

// What a file written for a block holds; 0 when its size cannot be told.
std::uint64_t FileBytes(const std::filesystem::path& path);

}  // namespace vesk
