#pragma once

#include <QDialog>
#include <QList>

class QLabel;

namespace vesk::gui {

// The About box (dialog 100): the program's icon, name and version, the rights line, OK.
class AboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit AboutDlg(QWidget* parent);

private:
    void WidenToFit(const QList<QLabel*>& labels, QWidget* button);
};

}  // namespace vesk::gui
