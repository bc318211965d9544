#include "app/Settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Without a codec the INI reader takes raw bytes as Latin-1, so a value such
// as "Русский" typed into the file by hand would not be read back.
QSettings* Utf8(QSettings* settings)
{
    settings->setIniCodec("UTF-8");
    return settings;
}

} // namespace

QSettings* GetSettings(int, int bSystem)
{
    static QSettings userSettings;
    static QSettings systemSettings(QSettings::SystemScope, QCoreApplication::organizationName(),
                                    QCoreApplication::applicationName());
    static QSettings* const user = Utf8(&userSettings);
    static QSettings* const system = Utf8(&systemSettings);
    return bSystem ? system : user;
}

QString GetDefaultLastDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
