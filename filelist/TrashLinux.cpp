#include "filelist/Trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

bool MoveFileToTrash(const QString& path)
{
    // Without the user's data folder Qt builds the trash in the current
    // directory, which is the working folder, and reports success.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder))
        return false;
    QFile file(path);
    return file.moveToTrash() && !QFile::exists(path);
}
