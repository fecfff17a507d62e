#include "batch/SheetConversion.h"

#include <string>
#include <vector>

#include "batch/BatchMessages.h"
#include "batch/SheetJob.h"
#include "convert/BlockConversion.h"
#include "convert/ConversionSettings.h"
#include "convert/OutputName.h"
#include "platform/DeferredFolderSync.h"
#include "platform/KeptOutputs.h"
#include "sheet/FileByteSource.h"
#include "sheet/SheetMessages.h"

namespace vesk {
namespace {

namespace msg = batch_messages;

// The sub-sheets the request names that the load accepted, 0 to 24.
std::vector<int> WantedBlocks(const ConversionBatchRequest& request, const CMyVeskDoc& doc) {
    std::vector<int> numbers = doc.AcceptedSubSheets();
    if (request.block) {
        std::erase_if(numbers, [&](int number) { return number != *request.block - 1; });
    }
    return numbers;
}

// What the settings dialog gives for this block once the switches are cleared.
ConversionChoices ChoicesFor(const SubSheetRecord& record, const ConversionBatchRequest& request) {
    return ChoicesWithout(PresenceOf(record),
                          {request.noBuildings, request.noTerrain, request.noTexture},
                          request.chosenFolder);
}

void WriteBlock(ByteSource& sheet, const SubSheetRecord& record,
                const ConversionBatchRequest& request, const std::filesystem::path& sheetPath,
                MessageSink& messages, BlockOutcome& outcome) {
    const ConversionChoices choices = ChoicesFor(record, request);
    if (!choices.buildings && !choices.terrain && !choices.texture) {
        outcome.status = BlockStatus::kLeftOut;
        outcome.diagnostics.push_back(MakeDiagnostic(msg::kNothingChosen));
        return;
    }
    const OutputPaths paths = RoutePaths(request.folders, request.chosenFolder, outcome.name);
    if (request.resume && OutputsNewerThan(BlockFiles(choices, paths), sheetPath)) {
        outcome.status = BlockStatus::kKept;
        return;
    }
    const ConvertedFiles files =
        ConvertBlock(sheet, record, choices, paths, outcome.name, messages);
    for (const std::filesystem::path& file : files.written) {
        outcome.bytes += FileBytes(file);
    }
    outcome.status = files.whole ? BlockStatus::kConverted : BlockStatus::kFailed;
}

Diagnostic Conflict(const std::filesystem::path& owner, bool sameSheet) {
    return sameSheet ? MakeDiagnostic(msg::kNameTwiceInSheet)
                     : MakeDiagnostic(msg::kNameTakenBy, {owner.string()});
}

// Passes the sheet's turn whatever way the job ends early.
class Turn {
public:
    Turn(BatchLedger& ledger, std::size_t sheet) : ledger_(ledger), sheet_(sheet) {}
    ~Turn() {
        if (!taken_) {
            ledger_.PassTurn(sheet_);
        }
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    std::vector<BatchLedger::NameOwner> Take(std::span<const std::string> names) {
        taken_ = true;
        return ledger_.TakeNamesInTurn(sheet_, names);
    }

private:
    BatchLedger& ledger_;
    std::size_t sheet_;
    bool taken_ = false;
};

}  // namespace

SheetOutcome ConvertSheet(std::size_t index, const ConversionBatchRequest& request,
                          unsigned blockThreads, BatchLedger& ledger,
                          const std::atomic<bool>& cancel) {
    Turn turn(ledger, index);
    const std::filesystem::path& path = request.sheets[index];
    SheetJob job(index, path);
    if (!job.Loaded()) {
        return job.Failed(SheetNotOpened(path));
    }
    const CMyVeskDoc& doc = job.Document();
    const std::vector<int> numbers = WantedBlocks(request, doc);
    if (numbers.empty()) {
        return job.Failed(
            request.block ? MakeDiagnostic(msg::kBlockNotInSheet, {std::to_string(*request.block)})
                          : MakeDiagnostic(msg::kNoBlockToConvert));
    }
    std::vector<std::string> names;
    for (const int number : numbers) {
        names.push_back(MakeOutputName(doc.CopySubSheetRecord(number)));
    }
    const std::vector<BatchLedger::NameOwner> owners = turn.Take(names);
    if (!FileByteSource::Open(path)) {
        return job.Failed(MakeDiagnostic(sheet_messages::kCannotOpenSheetFile));
    }
    // The blocks written on this thread share one fsync of each folder, when
    // the sheet is done, where each block synced its folder after its own
    // files: with small blocks that was half as many syncs again as the
    // files'. Each file is still on the disk before it takes its name.
    const DeferredFolderSync folderSync;
    job.WorkOnBlocksSideBySide(
        numbers, ledger, cancel, blockThreads,
        [&](std::size_t k, const SubSheetRecord& record, BlockOutcome& block,
            MessageSink& messages) {
            if (!owners[k].taken) {
                block.status = BlockStatus::kConflict;
                block.diagnostics.push_back(
                    Conflict(request.sheets[owners[k].sheet], index == owners[k].sheet));
                return;
            }
            // Each block reads through a source of its own: blocks are written side by side.
            auto source = FileByteSource::Open(path);
            if (!source) {
                messages.Report(MakeDiagnostic(sheet_messages::kCannotOpenSheetFile));
                block.status = BlockStatus::kFailed;
                return;
            }
            WriteBlock(*source, record, request, path, messages, block);
        });
    return job.Finish();
}

}  // namespace vesk
