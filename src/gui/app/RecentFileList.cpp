#include "app/RecentFileList.h"

#include <QSettings>

namespace vesk::gui {
namespace {

const char* const kGroup = "Recent File List";

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
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
    files_.removeAll(path);
    files_.prepend(path);
    while (files_.size() > kSize) {
        files_.removeLast();
    }
    Save();
}

void RecentFileList::Remove(const QString& path) {
    files_.removeAll(path);
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
