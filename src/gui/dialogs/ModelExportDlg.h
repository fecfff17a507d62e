#pragma once

#include <QDialog>

#include "convert/ConversionSettings.h"
#include "document/DocumentUi.h"

class QCheckBox;
class QComboBox;

namespace vesk::gui {

// The 3D model export's settings: the file format, and buildings, terrain and
// texture with the same rules as the conversion dialog (what the block lacks is
// unchecked and disabled; the texture goes with the terrain).
class ModelExportDlg : public QDialog {
    Q_OBJECT

public:
    ModelExportDlg(const ConversionPresence& presence, QWidget* parent);

    QComboBox* FormatBox() const { return format_; }
    QCheckBox* BuildingsBox() const { return buildings_; }
    QCheckBox* TerrainBox() const { return terrain_; }
    QCheckBox* TextureBox() const { return texture_; }
    // What OK recorded.
    ModelExportSettings Settings() const { return settings_; }

private:
    void ShowChoices();
    void OnOk();

    ConversionSettings choices_;
    QComboBox* format_;
    QCheckBox* buildings_;
    QCheckBox* terrain_;
    QCheckBox* texture_;
    ModelExportSettings settings_;
};

}  // namespace vesk::gui
