#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the conversion tells the user, word for word (UTF-8). "%s" and "%d"
// stand where the program fills in a folder, a file or a count.
namespace vesk::conversion_messages {

// chosen-folder route, after the folder was chosen (notice)
inline constexpr std::string_view kSavingIntoFolder = "「%s」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します";
// environment route, the simulator environment is unusable (error)
inline constexpr std::string_view kSimulatorFoldersUnknown =
    "「景観ｼﾐｭﾚｰﾀ」が使用しているﾌｫﾙﾀﾞが分かりません\n環境変数「KSIM_ENV」等を確認して下さい";
// environment file without a geometry key (notice)
inline constexpr std::string_view kGeometryFolderAssumed =
    "GEOMETRYﾌｫﾙﾀﾞの指定が分かりません\n「%s」ﾌｫﾙﾀﾞが\n指定されたものとします";
// environment file without a texture key (notice)
inline constexpr std::string_view kTextureFolderAssumed =
    "TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「%s」ﾌｫﾙﾀﾞが\n指定されたものとします";
// the geometry file was written (notice); followed by the base name and ".geo」"
inline constexpr std::string_view kGeometrySaved =
    "建物Orvikﾌｧｲﾙを変換して\nLSS-Gﾌｧｲﾙに保存しました。\nﾌｧｲﾙ名「";
inline constexpr std::string_view kGeometrySavedEnd = ".geo」";

// An output file could not be created (folder missing, no permission).
inline constexpr std::string_view kCannotCreateFile = "「%s」ﾌｧｲﾙが作成できません";
// An output file could not be written whole (disk full, write error).
inline constexpr std::string_view kCannotWriteFile = "「%s」ﾌｧｲﾙに書き込めません";
// Data chunks found truncated or inconsistent: the header, then one line per item left out.
inline constexpr std::string_view kDataLeftOut =
    "建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n次のﾃﾞｰﾀは変換しませんでした";
inline constexpr std::string_view kBuildingsLeftOut = "建物ﾃﾞｰﾀ %d件";
inline constexpr std::string_view kDemLeftOut = "地形ﾃﾞｰﾀ(DEM)";
inline constexpr std::string_view kOrthoLeftOut = "地形ﾃﾞｰﾀ(ｵﾙｿ画像)";

// The format with its first "%s" or "%d" replaced by the value.
std::string FillIn(std::string_view format, std::string_view value);

// A path as the user sees it in a message (UTF-8).
std::string PathText(const std::filesystem::path& path);

// kDataLeftOut followed by one line per item.
std::string DataLeftOut(const std::vector<std::string>& items);

}  // namespace vesk::conversion_messages
