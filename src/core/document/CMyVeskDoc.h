#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/DocumentUi.h"
#include "sheet/ByteSource.h"
#include "sheet/ProgramImageSize.h"
#include "sheet/SheetArea.h"
#include "sheet/SheetImage.h"
#include "sheet/SubSheetRecord.h"
#include "survey/SurveyEntry.h"
#include "zonemap/ZoneMap.h"

namespace vesk {

struct DisplayExtent {
    int width = 0;
    int height = 0;
};

// The program's one document: the loaded sheet (area, name, picture, the 25
// sub-sheet records with the positions of their data), the selected sub-sheet,
// the survey list and the display switches. It reaches the user only through
// its DocumentUi.
class CMyVeskDoc {
public:
    explicit CMyVeskDoc(DocumentUi& ui, ProgramImageSize& imageSize = ProgramImageSize::Process());

    CMyVeskDoc(const CMyVeskDoc&) = delete;
    CMyVeskDoc& operator=(const CMyVeskDoc&) = delete;

    // The open command: ask for a sheet file and open it.
    void OnOpenSheet();

    // The convert command: the selected sub-sheet; available per CanConvert.
    void OnConvert();
    bool CanConvert() const;
    // Writes the selected sub-sheet as a 3D model; available when converting is.
    void OnExportModel();

    // The survey command: survey a folder's sheet files and show the map of a chosen zone.
    void OnSurvey();
    // A double-click on the survey map: opens that sheet, as the open command does.
    void OpenSurveyedSheet(const std::filesystem::path& path);
    // The index in the survey list of the entry under (x, y) on the survey map,
    // or none; always none while no survey map is shown.
    std::optional<std::size_t> HitTestSurvey(int x, int y) const;
    // The map of the survey zone, made when the zone was confirmed: built-in for
    // zones 6 and 9, fitted to the survey's sheets of the zone for the others.
    ZoneMap SurveyMap() const { return surveyMap_; }
    // Changes whenever the survey list is emptied or replaced, so that the view
    // can drop an index into the list it holds.
    std::uint64_t SurveyGeneration() const { return surveyGeneration_; }

    void OpenSheetFile(const std::filesystem::path& path);
    // The program's open: OpenSheetFile, then a notice naming the file when the
    // load found no sheet data at all, which the load itself passes over.
    void OpenSheetForUser(const std::filesystem::path& path);
    // Whether the last open was cancelled during its load, which leaves no
    // sheet open as a file that cannot be read does.
    bool LastLoadCancelled() const { return lastLoadCancelled_; }
    void ClearSheetData();
    void ResetSheetState();
    // A load from any byte source, as opening a file loads it.
    void LoadSheetFrom(ByteSource& source);
    // Whether loading keeps the sheet image's pixels (it does unless told
    // otherwise). The bitmap's headers are read and checked either way; a
    // caller that never draws the picture need not hold it in memory.
    void KeepSheetImagePixels(bool keep) { keepsImagePixels_ = keep; }

    // The framework's new-document step: sets the title, which reads "無題".
    void OnNewDocument() { RefreshTitle(); }
    void RefreshTitle();

    DisplayExtent DisplayExtentPixels() const { return {displayWidth_, displayHeight_}; }
    const ProgramImageSize& ImageSize() const { return imageSize_; }
    const BitmapInfoHeader& SheetImageHeader() const { return imageHeader_; }
    // The sheet image's pixel rows, or nothing when this load read no image or
    // was told not to keep its pixels.
    std::optional<std::span<const std::byte>> SheetImagePixels() const;
    // Changes whenever the pixels are replaced or freed, so a view can keep a
    // converted copy for exactly as long as it is valid.
    std::uint64_t ImageGeneration() const { return imageGeneration_; }

    SubSheetRecord CopySubSheetRecord(int number) const;
    // What drawing needs of a record, without copying its building positions.
    PixelRect SubSheetRect(int number) const;
    bool IsSubSheetSelected(int number) const;
    std::optional<int> HitTestSubSheet(int x, int y) const;
    void SelectSubSheet(unsigned number, bool on);
    // Every other sub-sheet deselected and this one selected, as a click does.
    void SelectOnlySubSheet(unsigned number);

    int SelectedSubSheet() const { return selectedSubSheet_; }
    bool IsSheetLoaded() const { return sheetLoaded_; }
    const std::filesystem::path& SheetPath() const { return sheetPath_; }
    const SheetArea& Area() const { return sheetArea_; }
    // Whether the last load read a sheet AREA body, and accepted each sub-sheet AREA.
    bool AreaWasRead() const { return areaRead_; }
    bool SubSheetAccepted(int number) const;
    // Whether the last load found none of a sheet area, a picture and a block:
    // a file that is no sheet, or an empty one.
    bool FoundNoSheetData() const;
    // The numbers (0 to 24) of the sub-sheets the load accepted, in order.
    std::vector<int> AcceptedSubSheets() const;
    // The title as shown (UTF-8), and the text it is made of (Shift-JIS bytes as read).
    const std::string& Title() const { return title_; }
    const std::string& TitleText() const { return titleText_; }
    void SetTitleText(std::string shiftJisText) { titleText_ = std::move(shiftJisText); }
    // What the main window's caption names (UTF-8): the title, except for an
    // open sheet whose load read no name, which is named by its file's name
    // without the folder. The title itself stays as the load left it.
    std::string CaptionName() const;

    int SurveyZone() const { return surveyZone_; }
    void SetSurveyZone(int zone) { surveyZone_ = zone; }
    const SurveyList& Survey() const { return surveyList_; }
    SurveyList& Survey() { return surveyList_; }
    void EmptySurveyList() {
        surveyList_.clear();
        ++surveyGeneration_;
    }

    bool ShowsBlockNames() const { return blockNames_; }
    bool ShowsPrefectureNames() const { return prefectureNames_; }
    bool SheetAvailable() const { return sheetAvailable_; }
    bool SurveyMapAvailable() const { return surveyMapAvailable_; }
    void SetAvailability(bool surveyMap, bool sheet);
    void ToggleBlockNames();
    void TogglePrefectureNames();

    DocumentUi& Ui() { return ui_; }

private:
    void ShowError(const DiagnosticKind& kind);
    // What a load starts from, and what the document takes of it once it has
    // run (CMyVeskDocLoad.cpp); false for a file that could not be opened.
    LoadedSheet Carried() const;
    bool Take(SheetLoad& load);
    void TakePicture(LoadedPicture&& picture);
    void SetImageScale(int width, int height, double scale);
    void ShowSurveyZone(int zone);
    void RefitShownSurveyMap();

    DocumentUi& ui_;
    ProgramImageSize& imageSize_;

    bool blockNames_ = true;
    bool prefectureNames_ = true;
    int surveyZone_ = 0;
    bool sheetLoaded_ = false;
    SurveyList surveyList_;
    std::uint64_t surveyGeneration_ = 0;
    ZoneMap surveyMap_{MapPixel{}, MapExtent{}};
    bool sheetAvailable_ = false;
    bool surveyMapAvailable_ = false;
    std::filesystem::path sheetPath_;
    std::string titleText_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int displayWidth_ = 10;
    int displayHeight_ = 10;
    double scale_ = 1.0;
    SheetArea sheetArea_;
    int selectedSubSheet_ = -1;
    // Which sub-sheets the user selected, apart from what the load learnt of them.
    std::array<bool, kSubSheetCount> selected_{};
    std::array<SubSheetRecord, kSubSheetCount> subSheets_{};
    bool keepsImagePixels_ = true;
    bool lastLoadCancelled_ = false;
    std::unique_ptr<std::byte[]> pixels_;
    std::size_t pixelBytes_ = 0;
    std::uint64_t imageGeneration_ = 0;
    BitmapInfoHeader imageHeader_;

    std::string title_;
    bool areaRead_ = false;
    bool nameRead_ = false;     // a NAME chunk of this load gave a name
    bool pictureRead_ = false;  // this load took a picture
    std::array<bool, kSubSheetCount> accepted_{};
};

}  // namespace vesk
