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
    // Builds with an odd minor number run in English only.
    bool IsMinorOdd() const { return Minor % 2 != 0; }
};

// The version of this build, as it appears in error codes and in About.
const tVersion& AppVersion();
