#include "app/Settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

QSettings* GetSettings(int, int bSystem)
{
    static QSettings user;
    static QSettings system(QSettings::SystemScope, QCoreApplication::organizationName(),
                            QCoreApplication::applicationName());
    return bSystem ? &system : &user;
}

QString GetDefaultLastDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
