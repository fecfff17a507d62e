// vesk-cli survey: the program's folder survey, with the list it read printed
// for people, as JSON, or as GeoJSON outlines in longitude and latitude for a GIS.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "OneDecimal.h"
#include "document/CMyVeskDoc.h"
#include "survey/SurveyGeoJson.h"
#include "survey/SurveyJsonWriter.h"
#include "survey/ZonePresenceFlags.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

std::vector<int> Zones(const CMyVeskDoc& doc) {
    return ZonesPresent(PresentZones(doc.Survey()));
}

// GeoJSON has no place for messages: they go to standard error.
void PrintGeoJson(const CMyVeskDoc& doc, const CliUi& ui) {
    for (const std::string& message : ui.Messages()) {
        std::fprintf(stderr, "vesk-cli survey: %s\n", message.c_str());
    }
    std::fputs(SurveyGeoJson(doc.Survey()).c_str(), stdout);
}

void PrintPlain(const SurveyRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::printf("Folder:   %s\n", BytesAsDisplayText(request.folder).c_str());
    for (const std::string& message : ui.Messages()) {
        std::printf("Message:  %s\n", message.c_str());
    }
    std::printf("Sheets:   %zu\n", doc.Survey().size());
    for (const SurveyEntry& entry : doc.Survey()) {
        const SheetArea& a = entry.area;
        std::printf("  zone %2d  origin %s,%s  \"%s\"  %s\n", a.zone, OneDecimal(a.originX).c_str(),
                    OneDecimal(a.originY).c_str(), ShiftJisToUtf8(entry.name).c_str(),
                    BytesAsDisplayText(entry.path.string()).c_str());
    }
    std::string zones;
    for (const int zone : Zones(doc)) {
        if (!zones.empty()) {
            zones += ' ';
        }
        zones += std::to_string(zone);
    }
    std::printf("Zones:    %s\n", zones.c_str());
}

}  // namespace

int RunSurvey(const SurveyRequest& request) {
    CliUi ui(false);
    ui.folder = std::filesystem::path(request.folder);
    CMyVeskDoc doc(ui);
    // No zone is chosen: the list stays in the document as after a cancelled zone dialog.
    doc.OnSurvey();
    switch (request.format) {
        case SurveyFormat::Json:
            WriteSurveyJson(stdout, request.folder, ui.Messages(), doc.Survey());
            break;
        case SurveyFormat::GeoJson:
            PrintGeoJson(doc, ui);
            break;
        case SurveyFormat::Plain:
            PrintPlain(request, doc, ui);
            break;
    }
    // The only message the survey shows is that no file matched.
    if (ui.ErrorCount() != 0) {
        SayWhyNotListable("survey", request.folder);
    }
    return ui.ErrorCount() == 0 ? kExitOk : kExitFailed;
}

}  // namespace vesk::cli
