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
std::optional<SimulatorFolders> ChosenFolders(DocumentUi& ui) {
    const auto folder = ui.ChooseFolder();
    if (!folder || folder->empty()) {
        return std::nullopt;
    }
    ui.Report(msg::AboutFile(msg::kSavingIntoFolder, *folder));
    return SimulatorFolders{*folder, *folder};
}

// The block's files from the sheet opened again; true when all wrote whole.
bool WriteOutputs(CMyVeskDoc& doc, const SubSheetRecord& record, const ConversionChoices& choices,
                  const OutputPaths& paths, const std::string& baseName) {
    DocumentUi& ui = doc.Ui();
    if (!choices.texture && !choices.buildings && !choices.terrain) {
        return true;
    }
    auto sheet = FileByteSource::Open(doc.SheetPath());
    if (!sheet) {
        ui.Report(MakeDiagnostic(sheet_messages::kCannotOpenSheetFile));
        return false;
    }
    return ConvertBlock(*sheet, record, choices, paths, baseName, ui).whole;
}

}  // namespace

std::optional<SimulatorFolders> ChooseOutputFolders(DocumentUi& ui, bool chosenFolder,
                                                    const EnvironmentLookup& environment) {
    if (chosenFolder) {
        return ChosenFolders(ui);
    }
    auto folders = ReadSimulatorEnvironment(environment("KSIM_ENV"), ui);
    if (!folders) {
        ui.Report(MakeDiagnostic(msg::kSimulatorFoldersUnknown));
    }
    return folders;
}

ConversionOutcome RunConversionCommand(CMyVeskDoc& doc, const EnvironmentLookup& environment) {
    if (!doc.CanConvert()) {
        return {};
    }
    DocumentUi& ui = doc.Ui();
    const SubSheetRecord record = doc.CopySubSheetRecord(doc.SelectedSubSheet());
    const ConversionPresence presence = PresenceOf(record);
    const auto answer = ui.AskConversionSettings(presence);
    if (!answer) {
        return {};
    }
    const ConversionChoices choices = OnlyPresent(*answer, presence);
    const bool chosenFolder = choices.ctrlHeld;
    const auto folders = ChooseOutputFolders(ui, chosenFolder, environment);
    if (!folders) {
        return {.confirmed = false, .failed = !chosenFolder};
    }
    WaitCursor wait(ui);
    const std::string baseName = MakeOutputName(record);
    const OutputPaths paths = RoutePaths(*folders, chosenFolder, baseName);
    const bool complete = WriteOutputs(doc, record, choices, paths, baseName);
    return {.confirmed = true, .failed = !complete};
}

}  // namespace vesk
