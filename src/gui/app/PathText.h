#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace vesk::gui {

// Paths keep the file system's bytes: a name that is not valid in the locale's
// encoding still reaches the core unchanged.
inline std::filesystem::path ToPath(const QString& text) {
    const QByteArray bytes = QFile::encodeName(text);
    return std::filesystem::path(
        std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

inline QString ToText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace vesk::gui
