#include "dialogs/CZoneSelectionDlg.h"

#include <QButtonGroup>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/DialogUnits.h"

namespace vesk::gui {
namespace {

struct ZoneButton {
    int id;
    const char* text;
    int x, y, width, height;
};

// In zone order. Zone z is button 1002 + z up to zone 17; the OK button has
// 1020, so zones 18 and 19 come after it.
constexpr ZoneButton kZoneButtons[] = {
    {1003, "第１系　九州西", 7, 7, 59, 10},       {1004, "第２系　九州東", 7, 21, 59, 10},
    {1005, "第３系　中国西", 7, 35, 59, 10},      {1006, "第４系　四国", 7, 49, 53, 10},
    {1007, "第５系　中国東", 7, 63, 59, 10},      {1008, "第６系　近畿", 7, 77, 53, 10},
    {1009, "第７系　中部西", 7, 91, 59, 10},      {1010, "第８系　中部東", 7, 105, 59, 10},
    {1011, "第９系　関東", 7, 119, 53, 10},       {1012, "第１０系　東北", 95, 7, 57, 10},
    {1013, "第１１系　北海道西", 95, 21, 71, 10}, {1014, "第１２系　北海道中", 95, 35, 71, 10},
    {1015, "第１３系　北海道東", 95, 49, 71, 10}, {1016, "第１４系　小笠原諸島", 95, 63, 78, 10},
    {1017, "第１５系　沖縄中", 95, 77, 64, 10},   {1018, "第１６系　沖縄西", 95, 91, 64, 10},
    {1019, "第１７系　沖縄東", 95, 105, 64, 10},  {1021, "第１８系　沖ノ鳥島", 95, 119, 71, 10},
    {1022, "第１９系　南鳥島", 95, 133, 64, 10},
};

}  // namespace

CZoneSelectionDlg::CZoneSelectionDlg(const ZonePresence& presence, QWidget* parent)
    : QDialog(parent), presence_(presence) {
    setObjectName(QStringLiteral("133"));
    setWindowTitle(QString::fromUtf8("新国家座標系選択ﾀﾞｲｱﾛｸﾞ"));
    setFont(DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.X(187), du.Y(173));

    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (const ZoneButton& zone : kZoneButtons) {
        auto* button = new QRadioButton(QString::fromUtf8(zone.text), this);
        button->setObjectName(QString::number(zone.id));
        button->setGeometry(du.Rect(zone.x, zone.y, zone.width, zone.height));
        const std::size_t number = buttons_.size() + 1;
        button->setEnabled(presence_[number] != 0);
        group->addButton(button, zone.id);
        buttons_.push_back(button);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1020"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(33, 152, 50, 14));
    auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(103, 152, 50, 14));
    connect(ok, &QPushButton::clicked, this, &CZoneSelectionDlg::OnConfirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton* CZoneSelectionDlg::ZoneButtonOf(int zone) const {
    return zone >= 1 && zone <= kLastZone ? buttons_[static_cast<std::size_t>(zone - 1)] : nullptr;
}

void CZoneSelectionDlg::OnConfirm() {
    selectedZone_ = 0;
    for (int zone = 1; zone <= kLastZone; ++zone) {
        if (ZoneButtonOf(zone)->isChecked()) {
            selectedZone_ = zone;
            break;
        }
    }
    if (selectedZone_ != 0) {
        accept();
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8("ｴﾗｰ"),
                    QString::fromUtf8("新国家座標系が選択されていません"), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace vesk::gui
