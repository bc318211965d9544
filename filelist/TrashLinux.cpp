#include "filelist/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

bool MoveFileToTrash(const QString& path)
{
    // Without the user's trash folder Qt builds one in the current directory,
    // which is the working folder, and reports success.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder))
        return false;
    const QString trash = dataFolder + QStringLiteral("/Trash");
    if (!QFileInfo(trash).isDir()) {
        if (!QDir().mkdir(trash))
            return false;
        // Only its owner may look into a trash.
        QFile::setPermissions(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QFile file(path);
    return file.moveToTrash() && !QFile::exists(path);
}
