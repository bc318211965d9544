#include "core/Version.h"

tVersion::tVersion(qint32 major, qint32 minor, bool bFirstFlag, bool bSecondFlag)
    : Major(major), Minor(minor), bFirst(bFirstFlag), bSecond(bSecondFlag)
{
}

QString tVersion::ToString() const
{
    QString text = QStringLiteral("%1.%2").arg(Major).arg(Minor);
    if (bFirst)
        text += QLatin1Char('B');
    if (bSecond)
        text += QLatin1Char('D');
    return text;
}

const tVersion& AppVersion()
{
    static const tVersion version(0, 272, false, false);
    return version;
}
