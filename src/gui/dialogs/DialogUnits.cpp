#include "dialogs/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace vesk::gui {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (alphabet / 26 + 1) / 2;
    baseY_ = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

QFont DialogFont() {
    static const QString kFamily = QString::fromUtf8("ＭＳ Ｐゴシック");
    static const QString kSameMetrics = QStringLiteral("IPAPGothic");
    QFont font(QFontDatabase::hasFamily(kFamily) ? kFamily : kSameMetrics);
    font.setPointSize(9);
    return font;
}

}  // namespace vesk::gui
