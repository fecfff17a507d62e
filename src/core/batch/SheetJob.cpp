#include "batch/SheetJob.h"

#include <optional>
#include <utility>

#include "batch/BatchMessages.h"
#include "batch/JobStopped.h"
#include "convert/OutputName.h"
#include "platform/ParallelFor.h"
#include "platform/ReadOnlyFile.h"

namespace vesk {

SheetJob::SheetJob(std::size_t index, const std::filesystem::path& path) : doc_(ui_, imageSize_) {
    outcome_.index = index;
    outcome_.path = path;
    doc_.KeepSheetImagePixels(false);
    doc_.OpenSheetFile(path);
    outcome_.diagnostics = ui_.TakeErrors();
}

namespace {

BlockOutcome NamedBlock(int number, const SubSheetRecord& record) {
    BlockOutcome block;
    block.block = number + 1;
    block.name = MakeOutputName(record);
    return block;
}

void KeepErrors(MessageCollector& messages, BlockOutcome& block) {
    for (Diagnostic& error : messages.TakeErrors()) {
        block.diagnostics.push_back(std::move(error));
    }
}

// The block's work is its boundary: whatever it throws fails this block, and
// the sheet's other blocks go on.
void WorkOnBlock(const std::function<void()>& work, BlockOutcome& block) {
    try {
        work();
    } catch (...) {
        block.status = BlockStatus::kFailed;
        block.diagnostics.push_back(JobStopped());
    }
}

}  // namespace

void SheetJob::WorkOnBlocks(const std::vector<int>& numbers, BatchLedger& ledger,
                            const std::atomic<bool>& cancel, const BlockWork& work) {
    for (std::size_t k = 0; k < numbers.size() && !cancel.load(); ++k) {
        const SubSheetRecord record = doc_.CopySubSheetRecord(numbers[k]);
        BlockOutcome block = NamedBlock(numbers[k], record);
        WorkOnBlock([&] { work(k, record, block); }, block);
        KeepErrors(ui_, block);
        ledger.RecordBlock(block);
        outcome_.blocks.push_back(std::move(block));
    }
}

void SheetJob::WorkOnBlocksSideBySide(const std::vector<int>& numbers, BatchLedger& ledger,
                                      const std::atomic<bool>& cancel, unsigned threads,
                                      const SideBySideWork& work) {
    std::vector<std::optional<BlockOutcome>> blocks(numbers.size());
    ParallelFor(numbers.size(), threads, [&](unsigned, std::size_t k) {
        if (cancel.load()) {
            return;
        }
        const SubSheetRecord record = doc_.CopySubSheetRecord(numbers[k]);
        BlockOutcome block = NamedBlock(numbers[k], record);
        MessageCollector messages;
        WorkOnBlock([&] { work(k, record, block, messages); }, block);
        KeepErrors(messages, block);
        ledger.RecordBlock(block);
        blocks[k] = std::move(block);
    });
    for (std::optional<BlockOutcome>& block : blocks) {
        if (block) {
            outcome_.blocks.push_back(std::move(*block));
        }
    }
}

SheetOutcome SheetJob::Failed(Diagnostic why) {
    outcome_.failed = true;
    outcome_.diagnostics.push_back(std::move(why));
    return std::move(outcome_);
}

Diagnostic SheetNotOpened(const std::filesystem::path& sheet) {
    if (const auto reason = WhyNotReadable(sheet)) {
        return MakeDiagnostic(batch_messages::kSheetFileUnreadable, {*reason});
    }
    return MakeDiagnostic(batch_messages::kSheetNotOpened);
}

std::uint64_t FileBytes(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace vesk
