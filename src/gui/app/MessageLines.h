#pragma once

#include <QString>

class QFontMetrics;

namespace vesk::gui {

// Breaks each line of a message that is wider than maxWidth, but only after a
// space, "、" or "。", so that no word (katakana above all) is cut in two. A
// piece with no such place in it stays whole, however wide.
QString BreakMessageLines(const QString& text, const QFontMetrics& metrics, int maxWidth);

}  // namespace vesk::gui
