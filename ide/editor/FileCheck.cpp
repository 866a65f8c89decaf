#include "editor/FileCheck.h"

#include <QFileInfo>

namespace quorvel {

bool CheckRegularFile(const QString& path, QString& error) {
    // QFileInfo follows links and only stats the target: nothing is opened here.
    const QFileInfo info(path);
    if (!info.exists()) {
        error = QStringLiteral("File not found");
        return false;
    }
    if (info.isDir()) {
        error = QStringLiteral("It is a folder");
        return false;
    }
    if (!info.isFile()) {
        error = QStringLiteral("Not a regular file");
        return false;
    }
    return true;
}

} // namespace quorvel
