#include "Firmware.h"

#include <QLocale>

namespace {

// The suffix letter counts from 'a' up to the top of 7-bit ASCII; the
// instruments never wrote anything above it, so such codes rank earlier.
bool SuffixAtLeastA(QChar suffix)
{
    const auto code = static_cast<signed char>(suffix.toLatin1());
    return code >= 'a';
}

} // namespace

bool IsNewerFirmware(QString model, QString revision)
{
    if (revision.isEmpty())
        return false;
    const QLocale locale;
    bool ok = false;
    if (model.left(6).compare(QLatin1String("QUELM7"), Qt::CaseInsensitive) == 0) {
        const QString release = revision.left(revision.size() - 1);
        const QChar suffix = revision.at(revision.size() - 1);
        bool digitsOnly = true;
        for (const QChar c : release) {
            locale.toInt(QString(c), &ok);
            if (!ok) {
                digitsOnly = false;
                break;
            }
        }
        if (!digitsOnly) {
            const double value = locale.toDouble(release, &ok);
            if (!ok)
                return false;
            if (value != 4.5)
                return value > 4.5;
            return SuffixAtLeastA(suffix);
        }
        const int value = locale.toInt(release, &ok);
        if (!ok)
            return false;
        if (value != 505)
            return value > 505;
        return SuffixAtLeastA(suffix);
    }
    const double value = locale.toDouble(revision, &ok);
    return ok && value > 1.16019;
}
