#include "dialogs/ConversionSettingsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

#include "dialogs/DialogUnits.h"

namespace vesk::gui {
namespace {

QCheckBox* MakeCheckBox(QWidget* parent, int id, const char* text) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::number(id));
    return box;
}

void Show(QCheckBox* box, const ConversionSettings::CheckBox& state) {
    box->setChecked(state.checked);
    box->setEnabled(state.enabled);
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
      settings_(presence) {
    setObjectName(QStringLiteral("131"));
    setWindowTitle(QString::fromUtf8("LSS-Gﾌｧｲﾙ変換設定ﾀﾞｲｱﾛｸﾞ"));
    setFont(DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.X(159), du.Y(73));

    buildings_ = MakeCheckBox(this, 1001, "建物ﾃﾞｰﾀを変換する");
    terrain_ = MakeCheckBox(this, 1002, "地形ﾃﾞｰﾀ(DEM)を変換する");
    texture_ = MakeCheckBox(this, 1003, "地形ﾃﾞｰﾀ(ｵﾙｿ画像)を変換する");
    ShowSettings();
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

    connect(buildings_, &QCheckBox::clicked, this, [this](bool checked) {
        settings_.SetBuildings(checked);
        ShowSettings();
    });
    connect(terrain_, &QCheckBox::clicked, this, [this](bool checked) {
        settings_.SetTerrain(checked);
        ShowSettings();
    });
    connect(texture_, &QCheckBox::clicked, this, [this](bool checked) {
        settings_.SetTexture(checked);
        ShowSettings();
    });
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

// Enter is OK with or without Ctrl; the dialog's default handling knows only
// the plain key.
void ConversionSettingsDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ControlModifier)) {
        ctrlHeld_ = true;
        OnOk();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ConversionSettingsDlg::ShowSettings() {
    Show(buildings_, settings_.Buildings());
    Show(terrain_, settings_.Terrain());
    Show(texture_, settings_.Texture());
}

void ConversionSettingsDlg::OnOk() {
    choices_ = settings_.Choices(ctrlHeld_);
    accept();
}

}  // namespace vesk::gui
