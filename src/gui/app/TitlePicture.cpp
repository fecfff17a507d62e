#include "app/TitlePicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <vector>

#include "dialogs/DialogUnits.h"

namespace vesk::gui {
namespace {

// A faint sheet grid of 5 x 5 blocks, as on the program's sheet pictures.
void PaintGrid(QPainter& painter, const QRect& area) {
    painter.setPen(QColor(255, 255, 255, 60));
    for (int k = 0; k <= 5; ++k) {
        const int x = area.left() + k * area.width() / 5;
        const int y = area.top() + k * area.height() / 5;
        painter.drawLine(x, area.top(), x, area.bottom());
        painter.drawLine(area.left(), y, area.right(), y);
    }
}

struct TitleLine {
    QRect box;
    QString text;
    int pointSize;
    bool bold;
    QColor colour;
};

// The program's name, what it does, its makers and the years of the work.
std::vector<TitleLine> TitleLines() {
    return {
        {QRect(0, 40, kTitlePictureWidth, 90), QStringLiteral("Vesk"), 54, true,
         QColor(255, 255, 255)},
        {QRect(0, 130, kTitlePictureWidth, 24), QString::fromUtf8("1/2500図葉 → 景観ｼﾐｭﾚｰﾀ"), 12,
         false, QColor(220, 235, 255)},
        {QRect(0, 178, kTitlePictureWidth, 20), QString::fromUtf8("Vesk 開発者"), 10, false,
         QColor(255, 255, 255)},
        {QRect(0, 200, kTitlePictureWidth, 20), QStringLiteral("2024 - 2026"), 9, false,
         QColor(200, 220, 220)},
    };
}

void PaintLine(QPainter& painter, const TitleLine& line) {
    QFont font = DialogFont();
    font.setPointSize(line.pointSize);
    font.setBold(line.bold);
    painter.setFont(font);
    painter.setPen(line.colour);
    painter.drawText(line.box, Qt::AlignCenter, line.text);
}

}  // namespace

QImage TitlePicture() {
    QImage picture(kTitlePictureWidth, kTitlePictureHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient ground(0, 0, 0, kTitlePictureHeight);
    ground.setColorAt(0.0, QColor(24, 64, 112));
    ground.setColorAt(1.0, QColor(40, 120, 96));
    painter.fillRect(picture.rect(), ground);
    PaintGrid(painter, QRect(20, 20, 320, 150));
    for (const TitleLine& line : TitleLines()) {
        PaintLine(painter, line);
    }
    return picture;
}

QStringList TitleTexts() {
    QStringList texts;
    for (const TitleLine& line : TitleLines()) {
        texts.append(line.text);
    }
    return texts;
}

}  // namespace vesk::gui
