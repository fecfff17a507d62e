// vesk-cli convert: the program's conversion command, run without a display on
// one sub-sheet or on every sub-sheet of a sheet, or on many sheets at once.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BatchOutput.h"
#include "ChosenBlocks.h"
#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "OpenFileLimit.h"
#include "batch/ConversionBatch.h"
#include "batch/RunJobs.h"
#include "convert/ConversionMessages.h"
#include "convert/ConversionSettings.h"
#include "document/CMyVeskDoc.h"
#include "document/ConversionCommand.h"
#include "document/SubSheetConversions.h"
#include "platform/ParallelFor.h"
#include "survey/SheetInputs.h"

namespace vesk::cli {
namespace {

// One sheet named on its own converts as it always has, with the program's
// messages; anything more is a batch, and so is a run that tells what it kept.
bool IsBatch(const ConvertRequest& request) {
    std::error_code error;
    return request.inputs.size() != 1 || request.report || request.resume ||
           std::filesystem::is_directory(request.inputs[0], error);
}

// Answers the settings dialog as the user would who opened it and cleared
// what the command line says: each box follows the others as in the dialog.
class ConvertUi : public CliUi {
public:
    explicit ConvertUi(const ConvertRequest& request) : CliUi(true), request_(request) {
        if (request.out) {
            folder = std::filesystem::path(*request.out);
        }
    }

    std::optional<ConversionChoices> AskConversionSettings(
        const ConversionPresence& presence) override {
        return ChoicesWithout(presence,
                              {request_.noBuildings, request_.noTerrain, request_.noTexture},
                              request_.out.has_value());
    }

private:
    const ConvertRequest& request_;
};

int ConvertOneSheet(const ConvertRequest& request) {
    ConvertUi ui(request);
    CMyVeskDoc doc(ui);
    // Conversion never draws the picture: its headers are checked, its pixels left in the file.
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(request.inputs[0]);
    if (!doc.IsSheetLoaded()) {
        SayWhyNotReadable("convert", request.inputs[0]);
        return kExitFailed;
    }
    const auto numbers = ChosenBlocks("convert", request.block, doc);
    if (!numbers || (request.out && !MakeOutputFolder("convert", *request.out))) {
        return kExitFailed;
    }
    const unsigned jobs = JobsWithinOpenFileLimit("convert", request.jobs.value_or(CoreCount()));
    const bool failed = ConvertSubSheets(doc, *numbers, ProcessEnvironmentVariable, jobs).failed;
    return failed ? kExitFailed : kExitOk;
}

// The output folders of a batch, read once: the chosen folder, or the
// simulator's environment with the program's notices and error.
bool ChooseFolders(const ConvertRequest& request, ConversionBatchRequest& batch) {
    if (request.out) {
        batch.folders = {*request.out, *request.out};
        batch.chosenFolder = true;
        return MakeOutputFolder("convert", *request.out);
    }
    CliUi ui(true);
    const auto folders = ReadSimulatorEnvironment(ProcessEnvironmentVariable("KSIM_ENV"), ui);
    if (!folders) {
        ui.Report(MakeDiagnostic(conversion_messages::kSimulatorFoldersUnknown));
        return false;
    }
    batch.folders = *folders;
    return true;
}

int ConvertBatch(const ConvertRequest& request) {
    ConversionBatchRequest batch;
    batch.sheets = ExpandSheetInputs(request.inputs);
    if (batch.sheets.empty()) {
        std::fputs("vesk-cli convert: no sheet file (*.tqb) in the inputs\n", stderr);
        return kExitFailed;
    }
    if (!ChooseFolders(request, batch)) {
        return kExitFailed;
    }
    if (!request.all) {
        batch.block = request.block;
    }
    batch.noBuildings = request.noBuildings;
    batch.noTerrain = request.noTerrain;
    batch.noTexture = request.noTexture;
    batch.jobs = JobsWithinOpenFileLimit("convert", request.jobs.value_or(CoreCount()));
    batch.resume = request.resume;
    const std::optional<std::filesystem::path> report(request.report);
    const ReportedBatch run = RunAndReport(
        "convert",
        [&](BatchProgress& progress, const std::atomic<bool>& cancel) {
            return RunConversionBatch(batch, progress, cancel);
        },
        !request.quiet, report ? &*report : nullptr);
    return run.result.AllWell() && run.reported ? kExitOk : kExitFailed;
}

}  // namespace

int RunConvert(const ConvertRequest& request) {
    return IsBatch(request) ? ConvertBatch(request) : ConvertOneSheet(request);
}

}  // namespace vesk::cli
