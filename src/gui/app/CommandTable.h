#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAction;
class QWidget;

namespace vesk::gui {

// The one place that maps each command id to its action, its handler and its
// availability and check-mark queries. Menu items, tool-bar buttons and shortcut
// keys share the action, so they always agree; a command without a handler, or
// whose query says no, is greyed and never runs by any route.
class CommandTable : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void()>;
    using Query = std::function<bool()>;

    // Makes the actions of every command of the catalogue, owned by owner, with
    // their texts, prompts, tool tips and shortcut keys.
    explicit CommandTable(QWidget* owner);

    QAction* Action(int id) const;

    void SetHandler(int id, Handler handler, Query available = {}, Query checked = {});

    // Asks every command's queries again: call after any change of state.
    void Update();

    bool IsAvailable(int id) const;

    // Runs the command if it is available; gives whether it ran.
    bool Run(int id);

private:
    struct Entry {
        QAction* action = nullptr;
        Handler handler;
        Query available;
        Query checked;
    };

    QAction* MakeAction(int id);

    QWidget* owner_;
    std::map<int, Entry> entries_;
};

}  // namespace vesk::gui
