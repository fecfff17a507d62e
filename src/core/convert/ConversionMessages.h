#pragma once

#include <filesystem>
#include <string>

#include "platform/AtomicOutputFile.h"
#include "platform/Diagnostic.h"

// What the conversion tells the user. The Japanese texts are the program's,
// word for word (UTF-8); "%s" and "%d" stand where a folder, a file or a
// count is filled in.
namespace vesk::conversion_messages {

using enum Severity;

// chosen-folder route, after the folder was chosen
inline constexpr DiagnosticKind kSavingIntoFolder{3001, kNotice, "saving the data into folder %s",
                                                  "「%s」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します"};
// environment route, the simulator environment is unusable
inline constexpr DiagnosticKind kSimulatorFoldersUnknown{
    3002, kError, "the simulator's folders are not known: check the environment variable KSIM_ENV",
    "「景観ｼﾐｭﾚｰﾀ」が使用しているﾌｫﾙﾀﾞが分かりません\n環境変数「KSIM_ENV」等を確認して下さい"};
// environment file without a geometry key
inline constexpr DiagnosticKind kGeometryFolderAssumed{
    3003, kNotice, "the environment names no GEOMETRY folder: %s is taken",
    "GEOMETRYﾌｫﾙﾀﾞの指定が分かりません\n「%s」ﾌｫﾙﾀﾞが\n指定されたものとします"};
// environment file without a texture key
inline constexpr DiagnosticKind kTextureFolderAssumed{
    3004, kNotice, "the environment names no TEXTURE folder: %s is taken",
    "TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「%s」ﾌｫﾙﾀﾞが\n指定されたものとします"};
// the geometry file was written; the value is the base name
inline constexpr DiagnosticKind kGeometrySaved{
    3005, kNotice, "the buildings were converted and saved as %s.geo",
    "建物Orvikﾌｧｲﾙを変換して\nLSS-Gﾌｧｲﾙに保存しました。\nﾌｧｲﾙ名「%s.geo」"};
// an output file could not be created (folder missing, no permission)
inline constexpr DiagnosticKind kCannotCreateFile{3006, kError, "the file %s cannot be created",
                                                  "「%s」ﾌｧｲﾙが作成できません"};
// an output file could not be written whole (disk full, write error)
inline constexpr DiagnosticKind kCannotWriteFile{3007, kError, "the file %s could not be written",
                                                 "「%s」ﾌｧｲﾙに書き込めません"};
// data chunks found truncated or inconsistent; its items say what was left out
inline constexpr DiagnosticKind kDataLeftOut{
    3008, kError, "broken data were not converted",
    "建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n次のﾃﾞｰﾀは変換しませんでした"};
inline constexpr DiagnosticKind kBuildingsLeftOut{3009, kError, "%d buildings", "建物ﾃﾞｰﾀ %d件"};
inline constexpr DiagnosticKind kDemLeftOut{3010, kError, "the ground grid (DEM)", "地形ﾃﾞｰﾀ(DEM)"};
inline constexpr DiagnosticKind kOrthoLeftOut{3011, kError, "the ortho image", "地形ﾃﾞｰﾀ(ｵﾙｿ画像)"};
// the folder of a file that could not be created, and the system's reason
inline constexpr DiagnosticKind kInFolder{3012, kError, "in the folder %s: %s", "「%s」ﾌｫﾙﾀﾞ: %s"};

// A path as the user sees it in a message (UTF-8).
std::string PathText(const std::filesystem::path& path);

// The kind about a file, with the path as its value.
Diagnostic AboutFile(const DiagnosticKind& kind, const std::filesystem::path& path);

// kCannotCreateFile for the output's target, with its folder and the
// system's reason as an item; a refused target (a FIFO, a folder) has none.
Diagnostic CannotCreate(const AtomicOutputFile& out);

// kDataLeftOut listing the items.
Diagnostic DataLeftOut(std::vector<Diagnostic> items);

}  // namespace vesk::conversion_messages
