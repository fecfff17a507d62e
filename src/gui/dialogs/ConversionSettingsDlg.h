#pragma once

#include <QDialog>

#include "convert/ConversionSettings.h"

class QCheckBox;

namespace vesk::gui {

// Which of buildings, terrain and texture to convert (dialog 131). Items the
// sub-sheet lacks are unchecked and disabled; unchecking the terrain takes the
// texture with it. Holding Ctrl when OK is clicked picks the chosen-folder route.
class ConversionSettingsDlg : public QDialog {
    Q_OBJECT

public:
    ConversionSettingsDlg(const ConversionPresence& presence, QWidget* parent);
    ~ConversionSettingsDlg() override;

    // The check box with the given control id (1001 to 1003).
    QCheckBox* CheckBox(int id) const;
    bool CtrlHeld() const { return ctrlHeld_; }
    // What OK recorded.
    ConversionChoices Choices() const { return choices_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The boxes show what the settings hold; a click changes the settings first.
    void ShowSettings();
    void OnOk();

    ConversionSettings settings_;
    QCheckBox* buildings_;
    QCheckBox* terrain_;
    QCheckBox* texture_;
    bool ctrlHeld_ = false;
    ConversionChoices choices_;
};

}  // namespace vesk::gui
