#include "findings/FindingsPanel.h"

#include <QLabel>
#include <QStackedWidget>
#include <utility>

#include "findings/FindingsList.h"
#include "model/BuildingNumber.h"

namespace vesk::gui {
namespace {

constexpr int kBlockRole = Qt::UserRole;
constexpr int kFindingRole = Qt::UserRole + 1;

const char* const kTitle = "ﾃﾞｰﾀ検査結果";
const char* const kRunningTitle = "ﾃﾞｰﾀ検査結果 (検査中)";
const char* const kRunningText = "検査中...";
const char* const kNothingFoundText = "問題は見つかりませんでした";
const char* const kStoppedText = "ﾃﾞｰﾀ検査を完了できませんでした";

QString SeverityText(Severity severity) {
    return QString::fromUtf8(severity == Severity::kError ? "ｴﾗｰ" : "警告");
}

// The message, and for a building its number as people know it.
QString MessageText(const Finding& finding) {
    QString text = QString::fromStdString(finding.japanese);
    if (finding.building) {
        text = QString::fromUtf8("建物%1: ").arg(ShownBuildingNumber(*finding.building)) + text;
    }
    return text;
}

}  // namespace

FindingsPanel::FindingsPanel(QWidget* parent)
    : QDockWidget(QString::fromUtf8(kTitle), parent),
      pages_(new QStackedWidget(this)),
      list_(new FindingsList(pages_)),
      state_(new QLabel(pages_)) {
    setObjectName(QStringLiteral("FindingsPanel"));
    state_->setAlignment(Qt::AlignCenter);
    state_->setWordWrap(true);
    pages_->addWidget(list_);
    pages_->addWidget(state_);
    setWidget(pages_);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Choose(item); });
}

void FindingsPanel::List(std::shared_ptr<const SheetCheck> check, bool running, int selectedBlock,
                         const std::string& failure) {
    if (check == check_ && running == running_ && selectedBlock == selectedBlock_ &&
        failure == failure_) {
        return;
    }
    if (check != check_) {
        chosen_.reset();
    }
    check_ = std::move(check);
    running_ = running;
    failure_ = failure;
    selectedBlock_ = selectedBlock;
    setWindowTitle(QString::fromUtf8(running ? kRunningTitle : kTitle));
    list_->clear();
    if (check_) {
        for (std::size_t i = 0; i < check_->blocks.size(); ++i) {
            const BlockCheck& block = check_->blocks[i];
            if (selectedBlock < 0 || block.number == selectedBlock) {
                AddBlock(i, block);
            }
        }
    }
    ShowListOrState();
}

// Without a check and not running (no sheet, a survey map, a file that could
// not be read again) the list is shown empty.
void FindingsPanel::ShowListOrState() {
    QString state;
    if (running_) {
        state = QString::fromUtf8(kRunningText);
    } else if (!failure_.empty()) {
        state =
            QString::fromUtf8(kStoppedText) + QLatin1Char('\n') + QString::fromStdString(failure_);
    } else if (check_ && RowCount() == 0) {
        state = QString::fromUtf8(kNothingFoundText);
    }
    state_->setText(state);
    pages_->setCurrentWidget(state.isEmpty() ? static_cast<QWidget*>(list_) : state_);
}

void FindingsPanel::ForgetChoice() {
    chosen_.reset();
    list_->clearSelection();
    list_->setCurrentItem(nullptr);
}

void FindingsPanel::AddBlock(std::size_t index, const BlockCheck& block) {
    for (std::size_t k = 0; k < block.findings.size(); ++k) {
        const Finding& finding = block.findings[k];
        QTreeWidgetItem* item =
            list_->AddRow(QString::number(block.number + 1), SeverityText(finding.severity),
                          QString::number(static_cast<int>(finding.code)), MessageText(finding));
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

QString FindingsPanel::MessageToolTip(int row) const {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    return item ? item->toolTip(FindingsList::kMessageColumn) : QString();
}

QString FindingsPanel::StateText() const {
    return pages_->currentWidget() == state_ ? state_->text() : QString();
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
