#pragma once

#include <QStringList>

namespace vesk::gui {

// The four most recently opened files, kept in the settings store under
// "Local AppWizard-Generated Applications" / "Vesk".
class RecentFileList {
public:
    static constexpr int kSize = 4;

    RecentFileList();

    const QStringList& Files() const { return files_; }
    // Puts path first, made absolute, dropping an older entry of the same file
    // and the oldest beyond four; saved at once.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Save() const;

    QStringList files_;
};

}  // namespace vesk::gui
