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

struct SectionsWritten {
    std::vector<Diagnostic> leftOut;  // what was left out as broken
    bool anyData = false;             // some building or the terrain is in the file
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
                MakeDiagnostic(msg::kBuildingsLeftOut, {std::to_string(buildings.broken)}));
        }
    }
    if (choices.terrain) {
        if (WriteTerrainSection(out, sheet, record, choices.texture, baseName)) {
            result.anyData = true;
        } else {
            result.leftOut.push_back(MakeDiagnostic(msg::kDemLeftOut));
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
        ui.Report(msg::CannotCreate(out));
        return false;
    }
    SectionsWritten sections = WriteSections(out, sheet, baseName, record, choices);
    if (!sections.anyData && !sections.leftOut.empty()) {
        // Nothing but broken data: the output goes uncommitted, so an older
        // file of that name stays as it was.
        ui.Report(msg::DataLeftOut(std::move(sections.leftOut)));
        return false;
    }
    if (!out.Commit()) {
        ui.Report(msg::AboutFile(msg::kCannotWriteFile, geometryPath));
        return false;
    }
    const bool whole = sections.leftOut.empty();
    if (!whole) {
        ui.Report(msg::DataLeftOut(std::move(sections.leftOut)));
    }
    ui.Report(MakeDiagnostic(msg::kGeometrySaved, {std::string(baseName)}));
    return whole;
}

}  // namespace vesk
