#pragma once

#include <QTreeWidget>

namespace vesk::gui {

// The findings panel's list: block, kind and code as narrow as their texts,
// the message in the rest of the width, cut short where it does not fit, with
// its whole text as the tooltip.
class FindingsList : public QTreeWidget {
    Q_OBJECT

public:
    static constexpr int kMessageColumn = 3;

    explicit FindingsList(QWidget* parent);

    QTreeWidgetItem* AddRow(const QString& block, const QString& kind, const QString& code,
                            const QString& message);

    // The main window lays the panel out by this: room for the narrow columns
    // and a message of middling length, where a plain list asks for 256
    // pixels, less than its message column starts at.
    QSize sizeHint() const override;
};

}  // namespace vesk::gui
