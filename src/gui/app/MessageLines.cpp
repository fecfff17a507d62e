#include "app/MessageLines.h"

#include <QFontMetrics>
#include <QStringList>

namespace vesk::gui {
namespace {

bool BreaksAfter(QChar c) {
    return c == QLatin1Char(' ') || c == QChar(0x3001) || c == QChar(0x3002);
}

// The pieces of a line, each ending where a break is allowed.
QStringList Pieces(const QString& line) {
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (BreaksAfter(line[i]) && (i + 1 == line.size() || !BreaksAfter(line[i + 1]))) {
            pieces.append(line.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < line.size()) {
        pieces.append(line.mid(start));
    }
    return pieces;
}

QString BreakLine(const QString& line, const QFontMetrics& metrics, int maxWidth) {
    QStringList lines;
    QString current;
    for (const QString& piece : Pieces(line)) {
        const QString joined = current + piece;
        if (!current.isEmpty() && metrics.horizontalAdvance(joined.trimmed()) > maxWidth) {
            lines.append(current.trimmed());
            current = piece;
        } else {
            current = joined;
        }
    }
    lines.append(current);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

QString BreakMessageLines(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = BreakLine(line, metrics, maxWidth);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace vesk::gui
