#include "app/AboutDlg.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "dialogs/DialogUnits.h"

namespace vesk::gui {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(Vesk)"));
    setFont(DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.X(217), du.Y(55));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/vesk.xpm")));
    icon->setGeometry(du.Rect(11, 17, 20, 20));

    auto* title = new QLabel(QString::fromUtf8("Vesk ﾊﾞｰｼﾞｮﾝ 0.72"), this);
    title->setObjectName(QStringLiteral("title"));
    title->setTextFormat(Qt::PlainText);
    title->setGeometry(du.Rect(38, 16, 125, 8));

    auto* rights = new QLabel(QString::fromUtf8("© 2024-2026 Vesk 開発者"), this);
    rights->setObjectName(QStringLiteral("rights"));
    rights->setTextFormat(Qt::PlainText);
    rights->setGeometry(du.Rect(37, 30, 139, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(178, 7, 32, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    WidenToFit({title, rights}, ok);
}

// The texts are laid out for the original font; where this one runs wider, the
// texts get the room they need and the box and its button move over.
void AboutDlg::WidenToFit(const QList<QLabel*>& labels, QWidget* button) {
    int extra = 0;
    for (QLabel* label : labels) {
        const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
        if (needed > label->width()) {
            extra = std::max(extra, needed - label->width());
            label->resize(needed, label->height());
        }
    }
    if (extra > 0) {
        button->move(button->x() + extra, button->y());
        setFixedSize(width() + extra, height());
    }
}

}  // namespace vesk::gui
