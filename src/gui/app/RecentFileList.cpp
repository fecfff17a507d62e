#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vesk::gui {
namespace {

const char* const kGroup = "Recent File List";

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

// A path named relative to where the program was started would lead elsewhere
// from another folder, and name one file twice.
QString Absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentFileList::RecentFileList() {
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    for (int i = 0; i < kSize; ++i) {
        const QString file = settings.value(Key(i)).toString();
        if (!file.isEmpty()) {
            files_.append(file);
        }
    }
}

void RecentFileList::Add(const QString& path) {
    const QString entry = Absolute(path);
    files_.removeAll(entry);
    files_.prepend(entry);
    while (files_.size() > kSize) {
        files_.removeLast();
    }
    Save();
}

void RecentFileList::Remove(const QString& path) {
    files_.removeAll(Absolute(path));
    Save();
}

void RecentFileList::Save() const {
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    for (int i = 0; i < kSize; ++i) {
        if (i < files_.size()) {
            settings.setValue(Key(i), files_[i]);
        } else {
            settings.remove(Key(i));
        }
    }
}

}  // namespace vesk::gui
