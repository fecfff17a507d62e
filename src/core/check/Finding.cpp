#include "check/Finding.h"

#include <algorithm>

namespace vesk {
namespace {

using enum FindingCode;
constexpr Severity kError = Severity::kError;
constexpr Severity kWarning = Severity::kWarning;

const FindingKind& KindOf(FindingCode code) {
    const auto& catalogue = FindingCatalogue();
    return *std::find_if(catalogue.begin(), catalogue.end(),
                         [code](const FindingKind& kind) { return kind.code == code; });
}

}  // namespace

const std::vector<FindingKind>& FindingCatalogue() {
    static const std::vector<FindingKind> catalogue{
        {kTooFewPoints, kError, EnglishOf(DataFault::kTooFewPoints),
         "建物の輪郭の頂点が3点未満です"},
        {kConsecutivePointsSame, kWarning, "the footprint repeats a corner in succession",
         "建物の輪郭に連続して同じ頂点があります"},
        {kRingSelfIntersection, kError, EnglishOf(DataFault::kRingSelfIntersection),
         "建物の輪郭が自己交差しています"},
        {kBuildingNotFinite, kError, EnglishOf(DataFault::kBuildingNotFinite),
         "建物ﾃﾞｰﾀに数値でない値があります"},
        {kRoofNotAboveBottom, kError, EnglishOf(DataFault::kRoofNotAboveBottom),
         "屋根の高さが底面の高さ以下です"},
        {kOutsideBlock, kError, "the footprint lies outside its block",
         "建物が区画の外にはみ出しています"},
        {kFloating, kError, "the building floats above the ground", "建物が地面から浮いています"},
        {kBuried, kWarning, "the building is buried in the ground", "建物が地面に埋まっています"},
        {kImplausibleHeight, kWarning, "the building is implausibly tall",
         "建物の高さが高すぎます"},
        {kZeroArea, kError, EnglishOf(DataFault::kZeroArea), "建物の輪郭の面積が0です"},
        {kFootprintNotJudged, kError, EnglishOf(DataFault::kFootprintNotJudged),
         "建物の輪郭を検査できません"},
        {kGridTooSmall, kError, "the ground grid has fewer than 2 points along an axis",
         "地形ﾃﾞｰﾀ(DEM)の格子点が足りません"},
        {kGridNotCovering, kError, "the ground grid does not cover the block",
         "地形ﾃﾞｰﾀ(DEM)が区画を覆っていません"},
        {kGridNotFinite, kError, "ground heights are NaN or infinite",
         "地形ﾃﾞｰﾀ(DEM)に数値でない値があります"},
        {kSpike, kWarning, "a ground height stands out from its neighbours",
         "地形ﾃﾞｰﾀ(DEM)に突出した値があります"},
        {kTextureNotDecodable, kError, EnglishOf(DataFault::kTextureNotDecodable),
         "地形ﾃﾞｰﾀ(ｵﾙｿ画像)がSGI画像として読めません"},
        {kTextureSize, kError, EnglishOf(DataFault::kTextureSize),
         "地形ﾃﾞｰﾀ(ｵﾙｿ画像)の大きさが範囲外です"},
        {kTextureNotPowerOfTwo, kWarning, "the texture's sides are not powers of two",
         "地形ﾃﾞｰﾀ(ｵﾙｿ画像)の大きさが2のべき乗ではありません"},
        {kChunkPastEnd, kError, EnglishOf(DataFault::kChunkPastEnd),
         "ﾃﾞｰﾀがﾌｧｲﾙの終わりを越えています"},
        {kChunkClaimsTooMuch, kError, EnglishOf(DataFault::kChunkClaimsTooMuch),
         "ﾃﾞｰﾀの大きさが矛盾しています"},
        {kBlockEmpty, kWarning, "the block holds no data", "区画にﾃﾞｰﾀがありません"},
        {kBlockOutsideSheet, kError, "the block lies outside the sheet area",
         "区画が図葉の範囲外にあります"},
        {kBlockOffGrid, kWarning, "the block is not on the sheet's 400 m x 300 m grid",
         "区画が図葉の区画割りに合っていません"},
        {kBlocksSamePlace, kError, "another block lies at the same place",
         "同じ位置に別の区画があります"},
        {kBlockNumberTwice, kError, "the block number occurs more than once",
         "区画番号が重複しています"},
        {kNoSheetData, kError, "the file holds no sheet data: no sheet area, picture or block",
         "図葉ﾃﾞｰﾀが見つかりません"},
        {kBlockOriginNotFinite, kError, EnglishOf(DataFault::kBlockOriginNotFinite),
         "区画の原点が数値ではありません"},
    };
    return catalogue;
}

Severity SeverityOf(FindingCode code) {
    return KindOf(code).severity;
}

Finding MakeFinding(FindingCode code, double x, double y, std::string_view detail) {
    const FindingKind& kind = KindOf(code);
    Finding finding{code,
                    kind.severity,
                    std::nullopt,
                    x,
                    y,
                    std::string(kind.english),
                    std::string(kind.japanese),
                    {}};
    finding.english = WithDetail(finding.english, detail);
    finding.japanese = WithDetail(finding.japanese, detail);
    return finding;
}

}  // namespace vesk
