#pragma once

#include "model/BlockModel.h"
#include "platform/Diagnostic.h"

// What the 3D model of a block left out and why. The program's export
// message and the preview's status line tell each in Japanese, naming the
// fault as the data check does; the command line and the batch reports tell
// them in English.
namespace vesk::model_messages {

using enum Severity;

// the grid chunk cannot be read whole
inline constexpr DiagnosticKind kTerrainChunkBroken{
    4001, kError, "terrain left out: its grid chunk is truncated or inconsistent",
    "地形ﾃﾞｰﾀ(DEM)が壊れているため、地形を除外しました"};
// the grid read whole makes no mesh, for one of four reasons; the check finds
// such grids too (1101, 1102 for either spacing fault, 1103)
inline constexpr DiagnosticKind kGridTooSmall{
    4002, kError, "terrain left out: the grid has fewer than two rows or columns",
    "地形ﾃﾞｰﾀ(DEM)の格子点が足りないため、地形を除外しました"};
inline constexpr DiagnosticKind kGridSpacingNotPositive{
    4002, kError, "terrain left out: the grid spacing is not a positive number",
    "地形ﾃﾞｰﾀ(DEM)が区画を覆っていないため、地形を除外しました"};
inline constexpr DiagnosticKind kGridReachesTooFar{
    4002, kError, "terrain left out: the grid reaches too far",
    "地形ﾃﾞｰﾀ(DEM)が区画を覆っていないため、地形を除外しました"};
inline constexpr DiagnosticKind kGridNotFinite{
    4002, kError, "terrain left out: a height is not a finite number",
    "地形ﾃﾞｰﾀ(DEM)に数値でない値があるため、地形を除外しました"};
// the image chunk cannot be read whole
inline constexpr DiagnosticKind kTextureChunkMissing{
    4003, kError, "texture left out: its image chunk is missing or truncated",
    "地形ﾃﾞｰﾀ(ｵﾙｿ画像)が壊れているため、ﾃｸｽﾁｬを除外しました"};
// the image states no pixels or too many; the value is the fault as the data check words it
inline constexpr DiagnosticKind kTextureSizeOutOfRange{
    4004, kError, "texture left out: %s",
    "地形ﾃﾞｰﾀ(ｵﾙｿ画像)の大きさが範囲外のため、ﾃｸｽﾁｬを除外しました"};
// the image cannot be decoded; the value is the fault as the data check words it
inline constexpr DiagnosticKind kTextureNotDecodable{
    4005, kError, "texture left out: %s",
    "地形ﾃﾞｰﾀ(ｵﾙｿ画像)がSGI画像として読めないため、ﾃｸｽﾁｬを除外しました"};
// a building with a fault the data check also finds: its number, the check's
// code, where the fault lies in the zone's plane coordinates, and the fault;
// the program names the code, whose text the findings panel shows
inline constexpr DiagnosticKind kBuildingLeftOut{
    4006, kError, "building %d left out (error %d) at X,Y = %s,%s: %s",
    "ﾃﾞｰﾀに誤りがあるため、建物 %d を除外しました(ｴﾗｰ %d)"};
// a building with a fault only the model meets: its number, where, and the fault
inline constexpr DiagnosticKind kBuildingNotBuilt{4007, kError,
                                                  "building %d left out at X,Y = %s,%s: %s",
                                                  "形状を作れないため、建物 %d を除外しました"};
// a block the model cannot be built for: the check's code and its text
inline constexpr DiagnosticKind kBlockLeftOut{4008, kError, "left out (error %d): %s",
                                              "ﾃﾞｰﾀに誤りがあるため、区画を除外しました(ｴﾗｰ %d)"};

// "building 3 left out (error 104) at X,Y = -6690.0,-35890.0: the footprint
// crosses or touches itself", as the check words the same fault, the building
// numbered as people read it.
Diagnostic BuildingLeftOut(const LeftOutBuilding& building);

// "left out (error 1309): the block's origin is NaN or infinite", as the
// check words it.
Diagnostic BlockOriginNotFinite();

}  // namespace vesk::model_messages
