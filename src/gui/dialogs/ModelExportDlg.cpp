#include "dialogs/ModelExportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vesk::gui {
namespace {

void Show(QCheckBox* box, const ConversionSettings::CheckBox& state) {
    box->setChecked(state.checked);
    box->setEnabled(state.enabled);
}

}  // namespace

ModelExportDlg::ModelExportDlg(const ConversionPresence& presence, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      choices_(presence),
      format_(new QComboBox(this)),
      buildings_(new QCheckBox(QString::fromUtf8("建物ﾃﾞｰﾀを書き出す"), this)),
      terrain_(new QCheckBox(QString::fromUtf8("地形ﾃﾞｰﾀ(DEM)を書き出す"), this)),
      texture_(new QCheckBox(QString::fromUtf8("地形ﾃﾞｰﾀ(ｵﾙｿ画像)を書き出す"), this)) {
    setWindowTitle(QString::fromUtf8("3Dﾓﾃﾞﾙ書き出し設定"));
    format_->addItem(QString::fromUtf8("glTF ﾊﾞｲﾅﾘ (.glb)"), static_cast<int>(ExportFormat::kGlb));
    format_->addItem(QString::fromUtf8("glTF (.gltf + .bin + .png)"),
                     static_cast<int>(ExportFormat::kGltf));
    format_->addItem(QString::fromUtf8("OBJ (.obj + .mtl + .png)"),
                     static_cast<int>(ExportFormat::kObj));

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("形式"), format_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (QCheckBox* box : {buildings_, terrain_, texture_}) {
        layout->addWidget(box);
    }
    layout->addWidget(buttons);
    ShowChoices();

    connect(buildings_, &QCheckBox::clicked, this, [this](bool checked) {
        choices_.SetBuildings(checked);
        ShowChoices();
    });
    connect(terrain_, &QCheckBox::clicked, this, [this](bool checked) {
        choices_.SetTerrain(checked);
        ShowChoices();
    });
    connect(texture_, &QCheckBox::clicked, this, [this](bool checked) {
        choices_.SetTexture(checked);
        ShowChoices();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &ModelExportDlg::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ModelExportDlg::ShowChoices() {
    Show(buildings_, choices_.Buildings());
    Show(terrain_, choices_.Terrain());
    Show(texture_, choices_.Texture());
}

void ModelExportDlg::OnOk() {
    settings_.format = static_cast<ExportFormat>(format_->currentData().toInt());
    settings_.choices = choices_.Choices(false);
    accept();
}

}  // namespace vesk::gui
