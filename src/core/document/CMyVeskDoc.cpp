#include "document/CMyVeskDoc.h"

#include "sheet/SheetMessages.h"
#include "text/ShiftJis.h"

namespace vesk {

CMyVeskDoc::CMyVeskDoc(DocumentUi& ui, ProgramImageSize& imageSize)
    : ui_(ui), imageSize_(imageSize), title_(TitleOf({})) {
    ResetSheetState();
}

void CMyVeskDoc::OnOpenSheet() {
    const auto path = ui_.ChooseSheetFile();
    if (path) {
        OpenSheetForUser(*path);
    }
}

void CMyVeskDoc::OpenSheetForUser(const std::filesystem::path& path) {
    const std::string name = BytesAsDisplayText(path.filename().string());
    OpenSheetFile(path);
    if (sheetLoaded_ && FoundNoSheetData()) {
        ui_.Report(MakeDiagnostic(sheet_messages::kNoSheetData, {name}));
    }
}

// The old sheet goes before the new one is read, so that a large picture is
// never held twice.
void CMyVeskDoc::OpenSheetFile(const std::filesystem::path& path) {
    // The caller's path may live in the survey list that clearing empties.
    const std::filesystem::path pathCopy = path;
    WaitCursor wait(ui_);
    ClearSheetData();
    ResetSheetState();
    SheetLoad load(pathCopy, Carried(), keepsImagePixels_);
    ui_.RunSheetLoad(load);
    lastLoadCancelled_ = load.Cancelled();
    if (!lastLoadCancelled_ && Take(load)) {
        surveyMapAvailable_ = false;
        sheetAvailable_ = true;
        surveyZone_ = 0;
        sheetLoaded_ = true;
        sheetPath_ = pathCopy;
    } else {
        sheetLoaded_ = false;
        titleText_.clear();
        RefreshTitle();
    }
    // The view still shows the previous sheet unless told, whatever this load found.
    ui_.InvalidateView();
}

void CMyVeskDoc::ClearSheetData() {
    pixels_.reset();
    pixelBytes_ = 0;
    ++imageGeneration_;
    for (SubSheetRecord& record : subSheets_) {
        record.buildingPositions.clear();
        record.buildingPositions.shrink_to_fit();
    }
    EmptySurveyList();
}

void CMyVeskDoc::ResetSheetState() {
    surveyZone_ = 0;
    sheetPath_.clear();
    sheetLoaded_ = false;
    pixels_.reset();
    pixelBytes_ = 0;
    ++imageGeneration_;
    selectedSubSheet_ = -1;
    selected_.fill(false);
    areaRead_ = false;
    nameRead_ = false;
    pictureRead_ = false;
    accepted_.fill(false);
    for (SubSheetRecord& record : subSheets_) {
        record.buildingCount = 0;
        record.hasDem = false;
        record.hasOrtho = false;
        record.buildingPositions.clear();
        record.rect = PixelRect{};
    }
}

void CMyVeskDoc::RefreshTitle() {
    title_ = TitleOf(titleText_);
    ui_.TitleChanged(title_);
}

std::string CMyVeskDoc::CaptionName() const {
    if (sheetLoaded_ && sheetAvailable_ && !nameRead_) {
        return BytesAsDisplayText(sheetPath_.filename().string());
    }
    return title_;
}

std::optional<std::span<const std::byte>> CMyVeskDoc::SheetImagePixels() const {
    if (!pixels_) {
        return std::nullopt;
    }
    return std::span<const std::byte>(pixels_.get(), pixelBytes_);
}

SubSheetRecord CMyVeskDoc::CopySubSheetRecord(int number) const {
    if (number < 0 || number >= kSubSheetCount) {
        return SubSheetRecord{};
    }
    return subSheets_[static_cast<std::size_t>(number)];
}

PixelRect CMyVeskDoc::SubSheetRect(int number) const {
    if (number < 0 || number >= kSubSheetCount) {
        return {};
    }
    return subSheets_[static_cast<std::size_t>(number)].rect;
}

bool CMyVeskDoc::IsSubSheetSelected(int number) const {
    return number >= 0 && number < kSubSheetCount && selected_[static_cast<std::size_t>(number)];
}

bool CMyVeskDoc::SubSheetAccepted(int number) const {
    return number >= 0 && number < kSubSheetCount && accepted_[static_cast<std::size_t>(number)];
}

bool CMyVeskDoc::FoundNoSheetData() const {
    return !areaRead_ && !pictureRead_ && AcceptedSubSheets().empty();
}

std::vector<int> CMyVeskDoc::AcceptedSubSheets() const {
    std::vector<int> numbers;
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (SubSheetAccepted(number)) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

std::optional<int> CMyVeskDoc::HitTestSubSheet(int x, int y) const {
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (subSheets_[static_cast<std::size_t>(number)].rect.Contains(x, y)) {
            return number;
        }
    }
    return std::nullopt;
}

void CMyVeskDoc::SelectSubSheet(unsigned number, bool on) {
    if (number >= static_cast<unsigned>(kSubSheetCount)) {
        return;
    }
    selected_[number] = on;
    selectedSubSheet_ = on ? static_cast<int>(number) : -1;
}

void CMyVeskDoc::SelectOnlySubSheet(unsigned number) {
    for (unsigned other = 0; other < static_cast<unsigned>(kSubSheetCount); ++other) {
        SelectSubSheet(other, false);
    }
    SelectSubSheet(number, true);
}

void CMyVeskDoc::SetAvailability(bool surveyMap, bool sheet) {
    surveyMapAvailable_ = surveyMap;
    sheetAvailable_ = sheet;
}

void CMyVeskDoc::ToggleBlockNames() {
    blockNames_ = !blockNames_;
    ui_.InvalidateView();
}

void CMyVeskDoc::TogglePrefectureNames() {
    prefectureNames_ = !prefectureNames_;
    ui_.InvalidateView();
}

void CMyVeskDoc::ShowError(const DiagnosticKind& kind) {
    ui_.Report(MakeDiagnostic(kind));
}

}  // namespace vesk
