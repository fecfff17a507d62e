#pragma once

#include <QDialog>

#include "survey/LabelPlacement.h"

class QComboBox;
class QLineEdit;

namespace vesk::gui {

// Chooses the prefecture whose name is moved on the survey map (dialog 134),
// and shows where the moved name has got to.
class CLabelPositionDlg : public QDialog {
    Q_OBJECT

public:
    explicit CLabelPositionDlg(QWidget* parent = nullptr);

    // Before the dialog is shown: the survey zone, its prefecture count and the
    // view's placement.
    void SetInputs(int zone, int prefectureCount, const LabelPlacement& placement);

    // The prefecture chosen from the list when the dialog ended with OK.
    int ChosenIndex() const { return chosenIndex_; }

    QComboBox* Prefectures() const { return combo_; }
    QLineEdit* NameField() const { return nameField_; }
    QLineEdit* PositionField() const { return positionField_; }

private:
    void OnOk();

    QComboBox* combo_;
    QLineEdit* nameField_;
    QLineEdit* positionField_;
    int zone_ = 0;
    int prefectureCount_ = 0;
    int pickedIndex_ = -1;
    int chosenIndex_ = -1;
};

}  // namespace vesk::gui
