#pragma once

#include <QDialog>
#include <vector>

#include "survey/ZonePresenceFlags.h"

class QRadioButton;

namespace vesk::gui {

// Which zone the survey map shows (dialog 133): one radio button per zone 1 to
// 19, enabled only where the survey found a sheet, none chosen at the start.
class CZoneSelectionDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLastZone = 19;

    CZoneSelectionDlg(const ZonePresence& presence, QWidget* parent);

    QRadioButton* ZoneButtonOf(int zone) const;
    // The confirmed zone, 1 to 19; 0 before a confirmation.
    int SelectedZone() const { return selectedZone_; }

private:
    void OnConfirm();

    ZonePresence presence_;
    std::vector<QRadioButton*> buttons_;
    int selectedZone_ = 0;
};

}  // namespace vesk::gui
