#include "dialogs/JapaneseFileList.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace vesk::gui {
namespace {

// The columns of Qt's file system model.
enum Column { kName, kSize, kType, kModified };

class JapaneseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr) {
            return QIdentityProxyModel::data(index, role);
        }
        const QModelIndex file = mapToSource(index);
        switch (index.column()) {
            case kSize:
                return files->isDir(file) ? QString()
                                          : QLocale().formattedDataSize(files->size(file));
            case kType:
                return files->isDir(file) ? QString::fromUtf8("フォルダ")
                                          : QIdentityProxyModel::data(index, role);
            case kModified:
                return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
            default:
                return QIdentityProxyModel::data(index, role);
        }
    }
};

}  // namespace

void ListFilesInJapanese(QFileDialog& dialog) {
    dialog.setProxyModel(new JapaneseFileColumns(&dialog));
}

}  // namespace vesk::gui
