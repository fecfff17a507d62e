#include "dialogs/ConversionSettingsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

#include "dialogs/DialogUnits.h"

namespace vesk::gui {
namespace {

QCheckBox* MakeCheckBox(QWidget* parent, int id, const char* text, bool present) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::number(id));
    box->setChecked(present);
    box->setEnabled(present);
    return box;
}

bool IsCtrlKeyEvent(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    return static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Control;
}

}  // namespace

ConversionSettingsDlg::ConversionSettingsDlg(const ConversionPresence& presence, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      presence_(presence) {
    setObjectName(QStringLiteral("131"));
    setWindowTitle(QString::fromUtf8("LSS-Gﾌｧｲﾙ変換設定ﾀﾞｲｱﾛｸﾞ"));
    setFont(DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.X(159), du.Y(73));

    buildings_ = MakeCheckBox(this, 1001, "建物ﾃﾞｰﾀを変換する", presence.buildings);
    terrain_ = MakeCheckBox(this, 1002, "地形ﾃﾞｰﾀ(DEM)を変換する", presence.terrain);
    texture_ = MakeCheckBox(this, 1003, "地形ﾃﾞｰﾀ(ｵﾙｿ画像)を変換する", presence.texture);
    buildings_->setGeometry(du.Rect(24, 7, 130, 10));
    terrain_->setGeometry(du.Rect(24, 20, 130, 10));
    texture_->setGeometry(du.Rect(24, 33, 130, 10));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(21, 52, 50, 14));
    auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(89, 52, 50, 14));

    connect(terrain_, &QCheckBox::clicked, this, &ConversionSettingsDlg::OnTerrainClicked);
    connect(ok, &QPushButton::clicked, this, &ConversionSettingsDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Ctrl is followed wherever the focus is while the dialog runs.
    qApp->installEventFilter(this);
}

ConversionSettingsDlg::~ConversionSettingsDlg() {
    qApp->removeEventFilter(this);
}

QCheckBox* ConversionSettingsDlg::CheckBox(int id) const {
    return findChild<QCheckBox*>(QString::number(id));
}

bool ConversionSettingsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (IsCtrlKeyEvent(event) && isVisible()) {
        ctrlHeld_ = event->type() == QEvent::KeyPress;
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ConversionSettingsDlg::OnTerrainClicked() {
    if (terrain_->isChecked()) {
        texture_->setEnabled(presence_.texture);
    } else {
        texture_->setChecked(false);
        texture_->setEnabled(false);
    }
}

void ConversionSettingsDlg::OnOk() {
    choices_.buildings = buildings_->isChecked();
    choices_.terrain = terrain_->isChecked();
    choices_.texture = texture_->isChecked();
    choices_.ctrlHeld = ctrlHeld_;
    accept();
}

}  // namespace vesk::gui
