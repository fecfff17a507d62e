#include "batch/OpenSheetBatch.h"

#include "convert/BlockConversion.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "document/ConversionCommand.h"

namespace vesk {
namespace {

ConversionPresence AnyBlockHolds(const CMyVeskDoc& doc, const std::vector<int>& numbers) {
    ConversionPresence presence;
    for (const int number : numbers) {
        const ConversionPresence block = PresenceOf(doc.CopySubSheetRecord(number));
        presence.buildings = presence.buildings || block.buildings;
        presence.terrain = presence.terrain || block.terrain;
        presence.texture = presence.texture || block.texture;
    }
    return presence;
}

}  // namespace

std::optional<OpenSheetBatch> PrepareOpenSheetBatch(CMyVeskDoc& doc,
                                                    const EnvironmentLookup& environment) {
    const std::vector<int> numbers =
        doc.IsSheetLoaded() ? doc.AcceptedSubSheets() : std::vector<int>{};
    if (numbers.empty()) {
        return std::nullopt;
    }
    DocumentUi& ui = doc.Ui();
    const auto choices = ui.AskConversionSettings(AnyBlockHolds(doc, numbers));
    if (!choices) {
        return std::nullopt;
    }
    const auto folders = ChooseOutputFolders(ui, choices->ctrlHeld, environment);
    if (!folders) {
        return std::nullopt;
    }
    OpenSheetBatch batch;
    batch.request.sheets = {doc.SheetPath()};
    batch.request.noBuildings = !choices->buildings;
    batch.request.noTerrain = !choices->terrain;
    batch.request.noTexture = !choices->texture;
    batch.request.folders = *folders;
    batch.request.chosenFolder = choices->ctrlHeld;
    // One job: the blocks are written in turn, so the one being written is known.
    batch.request.jobs = 1;
    for (const int number : numbers) {
        batch.names.push_back(MakeOutputName(doc.CopySubSheetRecord(number)));
    }
    return batch;
}

}  // namespace vesk
