#include "findings/FindingsList.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace vesk::gui {
namespace {

// Most messages fit in as many full-width characters.
constexpr int kMessageCharacters = 24;

}  // namespace

FindingsList::FindingsList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(kMessageColumn + 1);
    setHeaderLabels({QString::fromUtf8("区画"), QString::fromUtf8("種別"),
                     QString::fromUtf8("ｺｰﾄﾞ"), QString::fromUtf8("内容")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    for (int column = 0; column < kMessageColumn; ++column) {
        header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

QTreeWidgetItem* FindingsList::AddRow(const QString& block, const QString& kind,
                                      const QString& code, const QString& message) {
    auto* item = new QTreeWidgetItem(this, {block, kind, code, message});
    item->setToolTip(kMessageColumn, message);
    return item;
}

QSize FindingsList::sizeHint() const {
    int width = fontMetrics().horizontalAdvance(QString::fromUtf8("あ")) * kMessageCharacters;
    for (int column = 0; column < kMessageColumn; ++column) {
        width += header()->sectionSizeHint(column);
    }
    width += verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    const QSize hint = QTreeWidget::sizeHint();
    return QSize(std::max(hint.width(), width), hint.height());
}

}  // namespace vesk::gui
