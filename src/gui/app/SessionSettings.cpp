#include "app/SessionSettings.h"

#include <QFileInfo>
#include <QSettings>
#include <QWidget>

namespace vesk::gui {
namespace {

const char* const kGeometryKey = "Settings/WindowGeometry";
const char* const kSheetFolderKey = "Settings/LastSheetFolder";

}  // namespace

bool RestoreWindowGeometry(QWidget& window) {
    const QByteArray geometry = QSettings().value(QLatin1String(kGeometryKey)).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void RememberWindowGeometry(const QWidget& window) {
    QSettings().setValue(QLatin1String(kGeometryKey), window.saveGeometry());
}

QString LastSheetFolder() {
    return QSettings().value(QLatin1String(kSheetFolderKey)).toString();
}

// Called after every change of the document: written only when it changes.
void RememberSheetFolder(const QString& sheetPath) {
    const QString folder = QFileInfo(sheetPath).absolutePath();
    if (folder != LastSheetFolder()) {
        QSettings().setValue(QLatin1String(kSheetFolderKey), folder);
    }
}

}  // namespace vesk::gui
