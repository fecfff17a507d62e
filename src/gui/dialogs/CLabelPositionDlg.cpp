#include "dialogs/CLabelPositionDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/DialogUnits.h"
#include "zonemap/PrefectureTable.h"

namespace vesk::gui {
namespace {

QString PrefectureName(int zone, int index) {
    return QString::fromStdString(PrefectureNameAndLabel(zone, index).name);
}

QLineEdit* MakeReadOnlyField(QWidget* parent, int id, const QRect& geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::number(id));
    field->setReadOnly(true);
    field->setGeometry(geometry);
    return field;
}

}  // namespace

CLabelPositionDlg::CLabelPositionDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("134"));
    setWindowTitle(QString::fromUtf8("都道府県名表示位置設定ﾀﾞｲｱﾛｸﾞ"));
    setFont(DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.X(187), du.Y(137));

    auto* group =
        new QGroupBox(QString::fromUtf8("選択された都道府県名の現在位置（新国家座標系）"), this);
    group->setGeometry(du.Rect(7, 30, 173, 34));
    nameField_ = MakeReadOnlyField(this, 1025, du.Rect(13, 44, 57, 14));
    positionField_ = MakeReadOnlyField(this, 1026, du.Rect(74, 43, 99, 14));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1023"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(35, 116, 50, 14));
    auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(101, 116, 50, 14));

    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("1022"));
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setGeometry(du.Rect(85, 7, 95, 14));
    auto* comboLabel = new QLabel(QString::fromUtf8("位置を設定する都道府県"), this);
    comboLabel->setGeometry(du.Rect(10, 10, 74, 8));
    auto* hint = new QLabel(QString::fromUtf8("位置の移動は矢印ｷｰで行います"), this);
    hint->setGeometry(du.Rect(44, 92, 98, 8));

    // Only a name picked from the list counts; typed text is never looked up.
    connect(combo_, &QComboBox::activated, this, [this](int index) { pickedIndex_ = index; });
    connect(combo_->lineEdit(), &QLineEdit::textEdited, this, [this] { pickedIndex_ = -1; });
    connect(ok, &QPushButton::clicked, this, &CLabelPositionDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CLabelPositionDlg::SetInputs(int zone, int prefectureCount, const LabelPlacement& placement) {
    zone_ = zone;
    prefectureCount_ = prefectureCount;
    combo_->clear();
    for (int index = 0; index < prefectureCount_; ++index) {
        combo_->addItem(PrefectureName(zone_, index));
    }
    combo_->setCurrentIndex(-1);
    pickedIndex_ = -1;
    if (placement.on) {
        nameField_->setText(PrefectureName(zone_, placement.index));
        positionField_->setText(
            QString::asprintf("X,Y = %.1f,%.1f", double{placement.x}, double{placement.y}));
    } else {
        nameField_->clear();
        positionField_->clear();
    }
}

void CLabelPositionDlg::OnOk() {
    if (pickedIndex_ < 0 || pickedIndex_ >= prefectureCount_) {
        QMessageBox box(QMessageBox::Critical, QString::fromUtf8("ｴﾗｰ"),
                        QString::fromUtf8("都道府県名が選択されていません"), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    chosenIndex_ = pickedIndex_;
    accept();
}

}  // namespace vesk::gui
