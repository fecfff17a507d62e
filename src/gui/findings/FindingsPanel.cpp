#include "findings/FindingsPanel.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <utility>

namespace vesk::gui {
namespace {

constexpr int kBlockRole = Qt::UserRole;
constexpr int kFindingRole = Qt::UserRole + 1;

const char* const kTitle = "ﾃﾞｰﾀ検査結果";
const char* const kRunningTitle = "ﾃﾞｰﾀ検査結果 (検査中)";

QString SeverityText(Severity severity) {
    return QString::fromUtf8(severity == Severity::kError ? "ｴﾗｰ" : "警告");
}

// The message, and for a building its number counted from 1 as users count.
QString MessageText(const Finding& finding) {
    QString text = QString::fromStdString(finding.japanese);
    if (finding.building) {
        text = QString::fromUtf8("建物%1: ").arg(*finding.building + 1) + text;
    }
    return text;
}

}  // namespace

FindingsPanel::FindingsPanel(QWidget* parent)
    : QDockWidget(QString::fromUtf8(kTitle), parent), list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("FindingsPanel"));
    list_->setColumnCount(4);
    list_->setHeaderLabels({QString::fromUtf8("区画"), QString::fromUtf8("種別"),
                            QString::fromUtf8("ｺｰﾄﾞ"), QString::fromUtf8("内容")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(true);
    setWidget(list_);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Choose(item); });
}

void FindingsPanel::List(std::shared_ptr<const SheetCheck> check, bool running, int selectedBlock) {
    if (check == check_ && running == running_ && selectedBlock == selectedBlock_) {
        return;
    }
    if (check != check_) {
        chosen_.reset();
    }
    check_ = std::move(check);
    running_ = running;
    selectedBlock_ = selectedBlock;
    setWindowTitle(QString::fromUtf8(running ? kRunningTitle : kTitle));
    list_->clear();
    if (!check_) {
        return;
    }
    for (std::size_t i = 0; i < check_->blocks.size(); ++i) {
        const BlockCheck& block = check_->blocks[i];
        if (selectedBlock < 0 || block.number == selectedBlock) {
            AddBlock(i, block);
        }
    }
}

void FindingsPanel::AddBlock(std::size_t index, const BlockCheck& block) {
    for (std::size_t k = 0; k < block.findings.size(); ++k) {
        const Finding& finding = block.findings[k];
        auto* item = new QTreeWidgetItem(
            list_, {QString::number(block.number + 1), SeverityText(finding.severity),
                    QString::number(static_cast<int>(finding.code)), MessageText(finding)});
        item->setData(0, kBlockRole, QVariant::fromValue(static_cast<qulonglong>(index)));
        item->setData(0, kFindingRole, QVariant::fromValue(static_cast<qulonglong>(k)));
        if (chosen_ == FindingRef{index, k}) {
            list_->setCurrentItem(item);
        }
    }
}

int FindingsPanel::RowCount() const {
    return list_->topLevelItemCount();
}

QStringList FindingsPanel::RowTexts(int row) const {
    QStringList texts;
    if (const QTreeWidgetItem* item = list_->topLevelItem(row)) {
        for (int column = 0; column < list_->columnCount(); ++column) {
            texts.append(item->text(column));
        }
    }
    return texts;
}

int FindingsPanel::CurrentRow() const {
    return list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
}

void FindingsPanel::ChooseRow(int row) {
    if (QTreeWidgetItem* item = list_->topLevelItem(row)) {
        list_->setCurrentItem(item);
        Choose(item);
    }
}

void FindingsPanel::Choose(QTreeWidgetItem* item) {
    if (!check_ || !item) {
        return;
    }
    const FindingRef ref{item->data(0, kBlockRole).toULongLong(),
                         item->data(0, kFindingRole).toULongLong()};
    chosen_ = ref;
    const BlockCheck& block = check_->blocks[ref.block];
    // The receiver may list again, which deletes the item but not the check.
    const std::shared_ptr<const SheetCheck> keep = check_;
    emit FindingChosen(block.number, block.findings[ref.finding]);
}

}  // namespace vesk::gui
