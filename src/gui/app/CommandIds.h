#pragma once

// Command ids of the menu, the tool bar and the shortcut keys.
namespace vesk::gui::cmd {

inline constexpr int kNew = 57600;
inline constexpr int kSurvey = 32776;
inline constexpr int kOpenSheet = 32772;
inline constexpr int kConvert = 32775;
inline constexpr int kExportModel = 32779;
inline constexpr int kConvertAllBlocks = 32792;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kRecentFile = 57616;
inline constexpr int kExit = 57665;
inline constexpr int kUndo = 57643;
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kToolBar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kPrefectureNames = 32777;
inline constexpr int kBlockNames = 32778;
inline constexpr int kDataStatus = 32790;
inline constexpr int kCheckResults = 32791;
inline constexpr int kPreview = 32785;
inline constexpr int kViewInBrowser = 32793;
inline constexpr int kAbout = 57664;

// The framework's commands that only shortcut keys reach.
inline constexpr int kGenericOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;

}  // namespace vesk::gui::cmd
