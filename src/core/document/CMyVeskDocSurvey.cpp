// The document's folder survey: the command, the survey map's hit test and
// the opening of a surveyed sheet.
#include <cstdio>

#include "document/CMyVeskDoc.h"
#include "survey/FolderSurvey.h"
#include "survey/SurveyHitTest.h"
#include "survey/SurveyMapGeometry.h"
#include "survey/SurveyMessages.h"
#include "survey/ZonePresenceFlags.h"
#include "text/ShiftJis.h"

namespace vesk {

namespace msg = survey_messages;

void CMyVeskDoc::OnSurvey() {
    const auto folder = ui_.ChooseFolder();
    if (!folder) {
        return;
    }
    FolderSurvey survey = SurveyFolder(*folder);
    if (!survey.matched) {
        ShowError(msg::kNoSheetFiles);
        return;
    }
    // The new list replaces the old one whether or not a zone is confirmed.
    EmptySurveyList();
    surveyList_ = std::move(survey.entries);
    RefitShownSurveyMap();
    if (const auto zone = ui_.AskSurveyZone(PresentZones(surveyList_))) {
        ShowSurveyZone(*zone);
    }
}

void CMyVeskDoc::ShowSurveyZone(int zone) {
    surveyZone_ = zone;
    surveyMap_ = MapOfSurveyZone(surveyList_, zone);
    char title[32];
    std::snprintf(title, sizeof title, msg::kZoneTitleFormat, zone);
    titleText_ = Utf8ToShiftJis(title);
    RefreshTitle();
    SetAvailability(true, false);
    const MapExtent extent = surveyMap_.Extent();
    ui_.SetExtentAndFitFrame(extent.width, extent.height);
}

// A map fitted to the old list's sheets would put the new ones anywhere, also
// off the picture; the built-in maps do not depend on the list.
void CMyVeskDoc::RefitShownSurveyMap() {
    if (surveyZone_ == 0 || BuiltInZoneMap(surveyZone_)) {
        return;
    }
    surveyMap_ = MapOfSurveyZone(surveyList_, surveyZone_);
    const MapExtent extent = surveyMap_.Extent();
    ui_.SetExtentAndFitFrame(extent.width, extent.height);
}

void CMyVeskDoc::OpenSurveyedSheet(const std::filesystem::path& path) {
    // The path may be an entry's, which opening frees with the list.
    const std::filesystem::path copy = path;
    OpenSheetForUser(copy);
}

std::optional<std::size_t> CMyVeskDoc::HitTestSurvey(int x, int y) const {
    if (surveyZone_ == 0) {
        return std::nullopt;
    }
    return FindSurveyEntryAt(surveyList_, surveyZone_, surveyMap_, x, y);
}

}  // namespace vesk
