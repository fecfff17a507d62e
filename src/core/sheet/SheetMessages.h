#pragma once

#include "platform/Diagnostic.h"

// What the sheet loading tells the user; the Japanese texts are the
// program's, word for word (UTF-8).
namespace vesk::sheet_messages {

using enum Severity;

// the file cannot be opened
inline constexpr DiagnosticKind kCannotOpenSheetFile{2001, kError, "the sheet file cannot be read",
                                                     "建物Orvikﾌｧｲﾙが読み込めません\n(Level 1)"};
// sheet AREA or NAME body cannot be read whole
inline constexpr DiagnosticKind kCannotReadSheetData{
    2002, kError, "the sheet's area or name cannot be read", "ﾃﾞｰﾀが読み込めません\n(Level 1)"};
// sheet AREA: scale not 2500, or its size not 2000 x 1500
inline constexpr DiagnosticKind kNotScale2500{2003, kError, "the sheet is not of scale 1/2500",
                                              "1/2500縮尺のﾃﾞｰﾀではありません\n(Level 1)"};
// IDXB body is not a bitmap the view can draw
inline constexpr DiagnosticKind kNotWindowsBitmap{
    2004, kError, "the sheet's picture is not a Windows bitmap",
    "画像ﾌｧｲﾙがWindows Bitmap形式ではありません\n(Level 1)"};
// sub-sheet AREA body cannot be read whole
inline constexpr DiagnosticKind kCannotReadSubSheetData{
    2005, kError, "a block's area cannot be read", "ﾃﾞｰﾀが読み込めません\n(Level 2)"};
// sub-sheet AREA not 400 x 300
inline constexpr DiagnosticKind kNotSubSheetOf2500{
    2006, kError, "a block is not one of 25 of a sheet of scale 1/2500",
    "1/2500縮尺の1/25ﾃﾞｰﾀではありません\n(Level 2)"};
// sub-sheet number not 0 to 24
inline constexpr DiagnosticKind kSubSheetNumberOutOfRange{
    2007, kError, "a block's number is out of range", "区画番号が範囲外です\n(Level 2)"};
// the file opened but holds no sheet area, picture or block; the program's
// open says so, the load alone does not; the value is the file's name
inline constexpr DiagnosticKind kNoSheetData{2008, kNotice, "no sheet data was found in %s",
                                             "図葉ﾃﾞｰﾀが見つかりません\n「%s」"};

}  // namespace vesk::sheet_messages
