#pragma once

#include <vector>

namespace vesk::gui {

// One command's item text and its string: the status-bar prompt before "\n",
// the tool tip after it.
struct CommandText {
    int id;
    const char* itemText;
    const char* promptString;
};

inline constexpr int kSeparator = 0;

// One menu of the menu bar: its title and its items in order (kSeparator for a line).
struct MenuText {
    const char* title;
    std::vector<int> items;
};

// One row of the accelerator table: a key in Qt's portable text form.
struct Accelerator {
    const char* key;
    int id;
};

const std::vector<CommandText>& CommandTexts();
const std::vector<MenuText>& MenuTexts();
const std::vector<Accelerator>& Accelerators();
// The tool bar's buttons in order (kSeparator for a gap).
const std::vector<int>& ToolBarItems();

}  // namespace vesk::gui
