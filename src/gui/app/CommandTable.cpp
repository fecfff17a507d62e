#include "app/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "app/CommandCatalog.h"

namespace vesk::gui {
namespace {

QString PromptPart(const QString& promptString) {
    return promptString.section('\n', 0, 0);
}

QString ToolTipPart(const QString& promptString) {
    return promptString.contains('\n') ? promptString.section('\n', 1) : QString();
}

}  // namespace

CommandTable::CommandTable(QWidget* owner) : owner_(owner) {
    for (const CommandText& text : CommandTexts()) {
        QAction* action = MakeAction(text.id);
        action->setText(QString::fromUtf8(text.itemText));
        const QString promptString = QString::fromUtf8(text.promptString);
        action->setStatusTip(PromptPart(promptString));
        action->setToolTip(ToolTipPart(promptString));
    }
    std::map<int, QList<QKeySequence>> keys;
    for (const Accelerator& accelerator : Accelerators()) {
        keys[accelerator.id].append(QKeySequence(QString::fromLatin1(accelerator.key)));
    }
    for (const auto& [id, sequences] : keys) {
        QAction* action = entries_.count(id) ? entries_[id].action : MakeAction(id);
        action->setShortcuts(sequences);
        // Shortcuts work wherever the focus is in the main window, also for
        // commands that have no menu item.
        action->setShortcutContext(Qt::WindowShortcut);
        owner_->addAction(action);
    }
}

QAction* CommandTable::MakeAction(int id) {
    auto* action = new QAction(owner_);
    action->setData(id);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    entries_[id].action = action;
    return action;
}

QAction* CommandTable::Action(int id) const {
    const auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second.action;
}

void CommandTable::SetHandler(int id, Handler handler, Query available, Query checked) {
    Entry& entry = entries_[id];
    if (!entry.action) {
        MakeAction(id);
    }
    entry.handler = std::move(handler);
    entry.available = std::move(available);
    entry.checked = std::move(checked);
    entry.action->setCheckable(static_cast<bool>(entry.checked));
    Update();
}

bool CommandTable::IsAvailable(int id) const {
    const auto found = entries_.find(id);
    if (found == entries_.end() || !found->second.handler) {
        return false;
    }
    return !found->second.available || found->second.available();
}

void CommandTable::Update() {
    for (auto& [id, entry] : entries_) {
        entry.action->setEnabled(IsAvailable(id));
        if (entry.checked) {
            entry.action->setChecked(entry.checked());
        }
    }
}

bool CommandTable::Run(int id) {
    if (!IsAvailable(id)) {
        Update();
        return false;
    }
    Entry& entry = entries_[id];
    if (entry.checked) {
        // The action toggled its own check state; the query decides it.
        entry.action->setChecked(entry.checked());
    }
    Handler handler = entry.handler;
    handler();
    Update();
    return true;
}

}  // namespace vesk::gui
