#pragma once

#include <QString>

class QWidget;

namespace vesk::gui {

// What the program keeps from one run to the next besides the recent files,
// in the same settings store: the main window's place and size, and the
// folder of the last sheet opened.

// Gives the window its remembered place and size; false when none is kept.
bool RestoreWindowGeometry(QWidget& window);
void RememberWindowGeometry(const QWidget& window);

// The folder of the last sheet opened, absolute; empty before the first.
QString LastSheetFolder();
void RememberSheetFolder(const QString& sheetPath);

}  // namespace vesk::gui
