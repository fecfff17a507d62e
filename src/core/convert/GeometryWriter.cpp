#include "convert/GeometryWriter.h"

#include <string>
#include <vector>

#include "convert/BuildingsSection.h"
#include "convert/ConversionMessages.h"
#include "convert/TerrainSection.h"
#include "platform/AtomicOutputFile.h"

namespace vesk {
namespace {

namespace msg = conversion_messages;

void ShowError(MessageSink& ui, const std::string& text) {
    ui.ShowMessage(text, kErrorCaption, MessageIcon::Stop);
}

struct SectionsWritten {
    std::vector<std::string> leftOut;  // what was left out as broken, one line each
    bool anyData = false;              // some building or the terrain is in the file
};

// The sections in their order.
SectionsWritten WriteSections(AtomicOutputFile& out, ByteSource& sheet, std::string_view baseName,
                              const SubSheetRecord& record, const ConversionChoices& choices) {
    SectionsWritten result;
    if (choices.buildings) {
        const BuildingsWritten buildings = WriteBuildingsSection(sheet, record, out);
        result.anyData = buildings.written > 0;
        if (buildings.broken > 0) {
            result.leftOut.push_back(
                msg::FillIn(msg::kBuildingsLeftOut, std::to_string(buildings.broken)));
        }
    }
    if (choices.terrain) {
        if (WriteTerrainSection(out, sheet, record, choices.texture, baseName)) {
            result.anyData = true;
        } else {
            result.leftOut.emplace_back(msg::kDemLeftOut);
        }
    }
    return result;
}

}  // namespace

bool WriteGeometryFile(ByteSource& sheet, const std::filesystem::path& geometryPath,
                       std::string_view baseName, const SubSheetRecord& record,
                       const ConversionChoices& choices, MessageSink& ui) {
    AtomicOutputFile out(geometryPath);
    if (!out.IsOpen()) {
        ShowError(ui, msg::FillIn(msg::kCannotCreateFile, msg::PathText(geometryPath)));
        return false;
    }
    const SectionsWritten sections = WriteSections(out, sheet, baseName, record, choices);
    if (!sections.anyData && !sections.leftOut.empty()) {
        // Nothing but broken data: the output goes uncommitted, so an older
        // file of that name stays as it was.
        ShowError(ui, msg::DataLeftOut(sections.leftOut));
        return false;
    }
    if (!out.Commit()) {
        ShowError(ui, msg::FillIn(msg::kCannotWriteFile, msg::PathText(geometryPath)));
        return false;
    }
    if (!sections.leftOut.empty()) {
        ShowError(ui, msg::DataLeftOut(sections.leftOut));
    }
    ui.ShowMessage(std::string(msg::kGeometrySaved) + std::string(baseName) +
                       std::string(msg::kGeometrySavedEnd),
                   kNoticeCaption, MessageIcon::Information);
    return sections.leftOut.empty();
}

}  // namespace vesk
