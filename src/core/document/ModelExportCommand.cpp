#include "document/ModelExportCommand.h"

#include <algorithm>
#include <string>

#include "convert/BlockConversion.h"
#include "convert/ConversionMessages.h"
#include "document/CMyVeskDoc.h"
#include "document/LeftOutText.h"
#include "document/ModelExportMessages.h"
#include "export/BlockExport.h"
#include "export/ExportMessages.h"
#include "export/OutputFile.h"
#include "model/BlockCentre.h"
#include "model/ModelMessages.h"
#include "sheet/FileByteSource.h"
#include "sheet/SheetMessages.h"

namespace vesk {
namespace {

namespace msg = model_export_messages;
using conversion_messages::PathText;

ExportChoices ChoicesOf(const ModelExportSettings& settings, const SubSheetRecord& record) {
    ExportChoices choices;
    choices.format = settings.format;
    // The dialog offers only what the block holds; a caller that asks for more gets no more.
    choices.model.buildings = settings.choices.buildings && record.buildingCount > 0;
    choices.model.terrain = settings.choices.terrain && record.hasDem;
    choices.model.texture = settings.choices.texture && record.hasOrtho;
    return choices;
}

std::string Line(std::string_view format, std::string_view value) {
    return "\n" + FillIn(format, {std::string(value)});
}

bool IsAboutTexture(const Diagnostic& diagnostic) {
    const int code = diagnostic.Code();
    return code == model_messages::kTextureChunkMissing.code ||
           code == model_messages::kTextureSizeOutOfRange.code ||
           code == model_messages::kTextureNotDecodable.code ||
           code == export_messages::kTextureNotEncoded.code;
}

// Each part left out with its own reason, a line each. The model reads the
// texture only for a terrain to lay it on, and says nothing of it otherwise.
std::string LeftOutLines(const ExportReport& report, const ExportChoices& choices) {
    std::string lines;
    if (!report.diagnostics.empty()) {
        lines += "\n" + LeftOutText(report.diagnostics, "\n");
    }
    if (choices.model.texture && report.textureWidth == 0 &&
        std::ranges::none_of(report.diagnostics, IsAboutTexture)) {
        lines += "\n";
        lines += msg::kTextureWithoutTerrain;
    }
    return lines;
}

std::string WrittenNotice(const ExportReport& report, const ExportChoices& choices) {
    std::string text(msg::kWritten);
    for (const ExportedFile& file : report.files) {
        text += Line(msg::kFileName, PathText(file.path.filename()));
    }
    text += Line(msg::kBuildings, std::to_string(report.buildingsWritten));
    if (!report.buildingsLeftOut.empty()) {
        text += Line(msg::kBuildingsLeftOut, std::to_string(report.buildingsLeftOut.size()));
    }
    text += Line(msg::kTriangles, std::to_string(report.triangles));
    if (report.textureWidth > 0) {
        text += Line(msg::kTexture, std::to_string(report.textureWidth) + "×" +
                                        std::to_string(report.textureHeight));
    }
    text += LeftOutLines(report, choices);
    if (!report.crs) {
        text += "\n";
        text += msg::kLocalCoordinates;
    }
    return text;
}

void ShowFileFaults(const ExportReport& report, DocumentUi& ui) {
    for (const ExportedFile& file : report.files) {
        if (file.fault.empty()) {
            continue;
        }
        const DiagnosticKind& kind = file.fault.starts_with(kFileCannotBeCreated)
                                         ? conversion_messages::kCannotCreateFile
                                         : conversion_messages::kCannotWriteFile;
        ui.Report(conversion_messages::AboutFile(kind, file.path));
    }
}

}  // namespace

bool RunModelExportCommand(CMyVeskDoc& doc) {
    if (!doc.CanConvert()) {
        return false;
    }
    DocumentUi& ui = doc.Ui();
    const SubSheetRecord record = doc.CopySubSheetRecord(doc.SelectedSubSheet());
    // A block that lies nowhere would be written at a made-up place.
    if (!HasFiniteOrigin(record)) {
        ui.Report(model_messages::BlockOriginNotFinite());
        return false;
    }
    const ConversionPresence presence = PresenceOf(record);
    const auto settings = ui.AskModelExportSettings(presence);
    if (!settings) {
        return false;
    }
    const auto folder = ui.ChooseFolder();
    if (!folder || folder->empty()) {
        return false;
    }
    WaitCursor wait(ui);
    auto sheet = FileByteSource::Open(doc.SheetPath());
    if (!sheet) {
        ui.Report(MakeDiagnostic(sheet_messages::kCannotOpenSheetFile));
        return false;
    }
    const ExportChoices choices = ChoicesOf(*settings, record);
    const ExportReport report = ExportBlock(*sheet, record, choices, *folder);
    if (!report.AllWritten()) {
        ShowFileFaults(report, ui);
        return false;
    }
    ui.ShowMessage(WrittenNotice(report, choices), kNoticeCaption, MessageIcon::Information);
    return true;
}

}  // namespace vesk
