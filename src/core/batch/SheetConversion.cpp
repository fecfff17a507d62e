#include "batch/SheetConversion.h"

#include <string>
#include <vector>

#include "batch/MessageCollector.h"
#include "convert/BlockConversion.h"
#include "convert/ConversionSettings.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "platform/ReadOnlyFile.h"
#include "sheet/FileByteSource.h"
#include "sheet/ProgramImageSize.h"
#include "sheet/SheetMessages.h"

namespace vesk {
namespace {

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
    ConversionSettings settings(PresenceOf(record));
    if (request.noBuildings) {
        settings.SetBuildings(false);
    }
    if (request.noTerrain) {
        settings.SetTerrain(false);
    }
    if (request.noTexture) {
        settings.SetTexture(false);
    }
    return settings.Choices(request.chosenFolder);
}

std::uint64_t FileBytes(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

void WriteBlock(ByteSource& sheet, const SubSheetRecord& record,
                const ConversionBatchRequest& request, MessageCollector& ui,
                BlockOutcome& outcome) {
    const ConversionChoices choices = ChoicesFor(record, request);
    if (!choices.buildings && !choices.terrain && !choices.texture) {
        outcome.status = BlockStatus::kLeftOut;
        outcome.messages.push_back("nothing to convert: no buildings, grid or texture chosen");
        return;
    }
    const OutputPaths paths = RoutePaths(request.folders, request.chosenFolder, outcome.name);
    const ConvertedFiles files = ConvertBlock(sheet, record, choices, paths, outcome.name, ui);
    for (const std::filesystem::path& file : files.written) {
        outcome.bytes += FileBytes(file);
    }
    outcome.status = files.whole ? BlockStatus::kConverted : BlockStatus::kFailed;
}

std::string ConflictMessage(const std::filesystem::path& owner, bool sameSheet) {
    return sameSheet ? std::string("an earlier block of this sheet has the same output name")
                     : "not written: " + owner.string() + " wrote this output name first";
}

SheetOutcome FailedSheet(SheetOutcome sheet, MessageCollector& ui, std::string why) {
    sheet.failed = true;
    sheet.messages = ui.TakeErrors();
    sheet.messages.push_back(std::move(why));
    return sheet;
}

// Takes the sheet's turn with no names whatever way the job ends early.
class Turn {
public:
    Turn(BatchLedger& ledger, std::size_t sheet) : ledger_(ledger), sheet_(sheet) {}
    ~Turn() {
        if (!taken_) {
            ledger_.TakeNamesInTurn(sheet_, {});
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

std::string SheetNotOpened(const std::filesystem::path& sheet) {
    const auto reason = WhyNotReadable(sheet);
    return "the sheet could not be opened" + (reason ? ": " + *reason : std::string());
}

SheetOutcome ConvertSheet(std::size_t index, const ConversionBatchRequest& request,
                          BatchLedger& ledger, const std::atomic<bool>& cancel) {
    Turn turn(ledger, index);
    SheetOutcome sheet;
    sheet.index = index;
    sheet.path = request.sheets[index];
    MessageCollector ui;
    ProgramImageSize imageSize;  // each job's own: loads on other threads must not change it
    CMyVeskDoc doc(ui, imageSize);
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(sheet.path);
    if (!doc.IsSheetLoaded()) {
        return FailedSheet(std::move(sheet), ui, SheetNotOpened(sheet.path));
    }
    const std::vector<int> numbers = WantedBlocks(request, doc);
    if (numbers.empty()) {
        return FailedSheet(std::move(sheet), ui,
                           request.block
                               ? "block " + std::to_string(*request.block) + " is not in the sheet"
                               : "the sheet holds no block to convert");
    }
    sheet.messages = ui.TakeErrors();
    std::vector<std::string> names;
    for (const int number : numbers) {
        names.push_back(MakeOutputName(doc.CopySubSheetRecord(number)));
    }
    const std::vector<BatchLedger::NameOwner> owners = turn.Take(names);
    auto source = FileByteSource::Open(sheet.path);
    if (!source) {
        return FailedSheet(std::move(sheet), ui, std::string(sheet_messages::kCannotOpenSheetFile));
    }
    for (std::size_t k = 0; k < numbers.size() && !cancel.load(); ++k) {
        BlockOutcome block;
        block.block = numbers[k] + 1;
        block.name = names[k];
        if (!owners[k].taken) {
            block.status = BlockStatus::kConflict;
            block.messages.push_back(
                ConflictMessage(request.sheets[owners[k].sheet], index == owners[k].sheet));
        } else {
            WriteBlock(*source, doc.CopySubSheetRecord(numbers[k]), request, ui, block);
            auto errors = ui.TakeErrors();
            block.messages.insert(block.messages.end(), errors.begin(), errors.end());
        }
        ledger.RecordBlock(block);
        sheet.blocks.push_back(std::move(block));
    }
    return sheet;
}

}  // namespace vesk
