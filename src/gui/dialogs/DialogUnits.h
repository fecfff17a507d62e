#pragma once

#include <QFont>
#include <QRect>

namespace vesk::gui {

// Dialog layouts are given in dialog units, which scale with the dialog font:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect Rect(int x, int y, int width, int height) const;
    int X(int units) const { return units * baseX_ / 4; }
    int Y(int units) const { return units * baseY_ / 8; }

private:
    int baseX_;
    int baseY_;
};

// The dialogs' font: the Japanese gothic of the program's dialogs, or an
// installed font with the same metrics when it is missing.
QFont DialogFont();

}  // namespace vesk::gui
