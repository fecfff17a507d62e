#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "convert/OutputPaths.h"
#include "convert/SimulatorEnvironment.h"
#include "document/DocumentUi.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

class CMyVeskDoc;

// How one run of the conversion command ended, for callers that report a
// status (the command-line tool); the program itself only shows messages.
struct ConversionOutcome {
    bool confirmed = false;  // the settings were confirmed and the output folders are known
    bool failed = false;     // no usable folders, or a chosen file was not written whole
};

// The output folders of one of the two routes: the folder the user picks
// (nothing when cancelled), or the simulator environment's, with its notices
// and, when it is unusable, the error message (then nothing).
std::optional<SimulatorFolders> ChooseOutputFolders(DocumentUi& ui, bool chosenFolder,
                                                    const EnvironmentLookup& environment);

// What the conversion command will write for one sub-sheet, once its
// settings are confirmed and its output folders known.
struct PlannedConversion {
    ConversionOutcome outcome;  // failed only when the folders are unknown
    SubSheetRecord record;
    ConversionChoices choices;
    OutputPaths paths;
    std::string baseName;
};

// The conversion command's questions for the sub-sheet `record`: its settings
// (asked through `questions`), then its output folders, the environment's
// notices and errors going to `messages`.
PlannedConversion PlanConversion(const SubSheetRecord& record, DocumentUi& questions,
                                 MessageSink& messages, const EnvironmentLookup& environment);

// Writes what the plan asks for from the sheet file opened again; true when
// every file asked for was written whole.
bool WritePlannedConversion(const std::filesystem::path& sheet, const PlannedConversion& plan,
                            MessageSink& messages);

// The conversion command of the document: asks for the settings, finds the
// output folders through the simulator environment (KSIM_ENV, looked up
// through `environment`) or, when Ctrl was held at OK, the folder chooser,
// then writes the texture file and after it the geometry file of the selected
// sub-sheet. Does nothing when no sub-sheet of a loaded sheet is selected.
ConversionOutcome RunConversionCommand(CMyVeskDoc& doc, const EnvironmentLookup& environment);

}  // namespace vesk
