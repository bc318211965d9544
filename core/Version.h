#pragma once

#include <QString>

// Program version; the letters flag builds that are not plain releases.
struct tVersion
{
    qint32 Major;
    qint32 Minor;
    bool bFirst;
    bool bSecond;

    tVersion(qint32 major, qint32 minor, bool bFirstFlag, bool bSecondFlag);
    QString ToString() const;
};

// The version of this build, as it appears in error codes and in About.
const tVersion& AppVersion();
