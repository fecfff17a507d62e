#pragma once

#include <string_view>

// What the sheet loading tells the user, word for word (UTF-8).
namespace vesk::sheet_messages {

// the file cannot be opened
inline constexpr std::string_view kCannotOpenSheetFile = "建物Orvikﾌｧｲﾙが読み込めません\n(Level 1)";
// sheet AREA or NAME body cannot be read whole
inline constexpr std::string_view kCannotReadSheetData = "ﾃﾞｰﾀが読み込めません\n(Level 1)";
// sheet AREA: scale not 2500, or its size not 2000 x 1500
inline constexpr std::string_view kNotScale2500 = "1/2500縮尺のﾃﾞｰﾀではありません\n(Level 1)";
// IDXB body is not a bitmap the view can draw
inline constexpr std::string_view kNotWindowsBitmap =
    "画像ﾌｧｲﾙがWindows Bitmap形式ではありません\n(Level 1)";
// sub-sheet AREA body cannot be read whole
inline constexpr std::string_view kCannotReadSubSheetData = "ﾃﾞｰﾀが読み込めません\n(Level 2)";
// sub-sheet AREA not 400 x 300
inline constexpr std::string_view kNotSubSheetOf2500 =
    "1/2500縮尺の1/25ﾃﾞｰﾀではありません\n(Level 2)";
// sub-sheet number not 0 to 24
inline constexpr std::string_view kSubSheetNumberOutOfRange = "区画番号が範囲外です\n(Level 2)";

}  // namespace vesk::sheet_messages
