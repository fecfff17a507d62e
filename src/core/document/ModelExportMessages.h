#pragma once

#include <string_view>

// What the 3D model export tells the user, word for word (UTF-8); "%s" and
// "%d" stand where the program fills in a name or a count.
namespace vesk::model_export_messages {

// The export was written (notice): the first line, then one line each below.
inline constexpr std::string_view kWritten = "3Dﾓﾃﾞﾙを書き出しました。";
inline constexpr std::string_view kFileName = "ﾌｧｲﾙ名「%s」";
inline constexpr std::string_view kBuildings = "建物 %d件";
inline constexpr std::string_view kBuildingsLeftOut = "形状が正しくないため除外した建物 %d件";
inline constexpr std::string_view kTriangles = "三角形 %d";
inline constexpr std::string_view kTexture = "ﾃｸｽﾁｬ %s ﾋﾟｸｾﾙ";
// The texture lies on the terrain: a block without a grid, or whose grid was
// left out, is written without it.
inline constexpr std::string_view kTextureWithoutTerrain =
    "ﾃｸｽﾁｬを貼る地形がないため、ﾃｸｽﾁｬを除外しました";
inline constexpr std::string_view kLocalCoordinates =
    "座標系が分からないため区画原点からの座標で書き出しました";

}  // namespace vesk::model_export_messages
