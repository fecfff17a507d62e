#include "convert/GeometryWriter.h"

#include <string>
#include <vector>

#include "platform/AtomicOutputFile.h"
#include "convert/BuildingsSection.h"
#include "convert/ConversionMessages.h"
#include "convert/TerrainSection.h"

namespace vesk {
namespace {

namespace msg = conversion_messages;

void ShowError(DocumentUi& ui, const std::string& text) {
    ui.ShowMessage(text, kErrorCaption, MessageIcon::Stop);
}

// The sections in their order; gives what had to be left out.
std::vector<std::string> WriteSections(AtomicOutputFile& out, ByteSource& sheet,
                                       std::string_view baseName, const SubSheetRecord& record,
                                       const ConversionChoices& choices) {
    std::vector<std::string> leftOut;
    if (choices.buildings) {
        const std::uint64_t broken = WriteBuildingsSection(sheet, record, out);
        if (broken > 0) {
            leftOut.push_back(msg::FillIn(msg::kBuildingsLeftOut, std::to_string(broken)));
        }
    }
    if (choices.terrain && !WriteTerrainSection(out, sheet, record, choices.texture, baseName)) {
        leftOut.emplace_back(msg::kDemLeftOut);
    }
    return leftOut;
}

}  // namespace

bool WriteGeometryFile(ByteSource& sheet, const std::filesystem::path& geometryPath,
                       std::string_view baseName, const SubSheetRecord& record,
                       const ConversionChoices& choices, DocumentUi& ui) {
    AtomicOutputFile out(geometryPath);
    if (!out.IsOpen()) {
        ShowError(ui, msg::FillIn(msg::kCannotCreateFile, msg::PathText(geometryPath)));
        return false;
    }
    const std::vector<std::string> leftOut = WriteSections(out, sheet, baseName, record, choices);
    if (!out.Commit()) {
        ShowError(ui, msg::FillIn(msg::kCannotWriteFile, msg::PathText(geometryPath)));
        return false;
    }
    if (!leftOut.empty()) {
        ShowError(ui, msg::DataLeftOut(leftOut));
    }
    ui.ShowMessage(std::string(msg::kGeometrySaved) + std::string(baseName) +
                       std::string(msg::kGeometrySavedEnd),
                   kNoticeCaption, MessageIcon::Information);
    return leftOut.empty();
}

}  // namespace vesk
