#include "document/ConversionCommand.h"

#include "convert/BlockConversion.h"
#include "convert/ConversionMessages.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "sheet/FileByteSource.h"
#include "sheet/SheetMessages.h"

namespace vesk {
namespace {

namespace msg = conversion_messages;

// The dialog offers only what is present; a caller that asks for more gets
// no more, so no writer reads a chunk position the load never recorded.
ConversionChoices OnlyPresent(ConversionChoices choices, const ConversionPresence& presence) {
    choices.buildings = choices.buildings && presence.buildings;
    choices.terrain = choices.terrain && presence.terrain;
    choices.texture = choices.texture && presence.texture;
    return choices;
}

// Chosen-folder route: both files into one folder the user picks.
std::optional<SimulatorFolders> ChosenFolders(DocumentUi& questions, MessageSink& messages) {
    const auto folder = questions.ChooseFolder();
    if (!folder || folder->empty()) {
        return std::nullopt;
    }
    messages.Report(msg::AboutFile(msg::kSavingIntoFolder, *folder));
    return SimulatorFolders{*folder, *folder};
}

std::optional<SimulatorFolders> ChooseFolders(DocumentUi& questions, MessageSink& messages,
                                              bool chosenFolder,
                                              const EnvironmentLookup& environment) {
    if (chosenFolder) {
        return ChosenFolders(questions, messages);
    }
    auto folders = ReadSimulatorEnvironment(environment("KSIM_ENV"), messages);
    if (!folders) {
        messages.Report(MakeDiagnostic(msg::kSimulatorFoldersUnknown));
    }
    return folders;
}

}  // namespace

std::optional<SimulatorFolders> ChooseOutputFolders(DocumentUi& ui, bool chosenFolder,
                                                    const EnvironmentLookup& environment) {
    return ChooseFolders(ui, ui, chosenFolder, environment);
}

PlannedConversion PlanConversion(const SubSheetRecord& record, DocumentUi& questions,
                                 MessageSink& messages, const EnvironmentLookup& environment) {
    PlannedConversion plan;
    plan.record = record;
    const ConversionPresence presence = PresenceOf(record);
    const auto answer = questions.AskConversionSettings(presence);
    if (!answer) {
        return plan;
    }
    plan.choices = OnlyPresent(*answer, presence);
    const bool chosenFolder = plan.choices.ctrlHeld;
    const auto folders = ChooseFolders(questions, messages, chosenFolder, environment);
    if (!folders) {
        plan.outcome = {.confirmed = false, .failed = !chosenFolder};
        return plan;
    }
    plan.outcome.confirmed = true;
    plan.baseName = MakeOutputName(record);
    plan.paths = RoutePaths(*folders, chosenFolder, plan.baseName);
    return plan;
}

bool WritePlannedConversion(const std::filesystem::path& sheet, const PlannedConversion& plan,
                            MessageSink& messages) {
    const ConversionChoices& choices = plan.choices;
    if (!choices.texture && !choices.buildings && !choices.terrain) {
        return true;
    }
    auto source = FileByteSource::Open(sheet);
    if (!source) {
        messages.Report(MakeDiagnostic(sheet_messages::kCannotOpenSheetFile));
        return false;
    }
    return ConvertBlock(*source, plan.record, choices, plan.paths, plan.baseName, messages).whole;
}

ConversionOutcome RunConversionCommand(CMyVeskDoc& doc, const EnvironmentLookup& environment) {
    if (!doc.CanConvert()) {
        return {};
    }
    DocumentUi& ui = doc.Ui();
    PlannedConversion plan =
        PlanConversion(doc.CopySubSheetRecord(doc.SelectedSubSheet()), ui, ui, environment);
    if (!plan.outcome.confirmed) {
        return plan.outcome;
    }
    WaitCursor wait(ui);
    plan.outcome.failed = !WritePlannedConversion(doc.SheetPath(), plan, ui);
    return plan.outcome;
}

}  // namespace vesk
