#include "core/Format.h"

#include <QObject>

QString FormatDateTime(const QDateTime& dateTime)
{
    return dateTime.toString(
        QObject::tr("dd/MM/yyyy hh:mm", "Date format: year/month/day  hour:min"));
}

QString FormatBounded(double value, float lower, float upper, int decimals, int boundDecimals)
{
    if (value < lower)
        return QStringLiteral("<%1").arg(QString::number(lower, 'f', boundDecimals));
    if (value > upper)
        return QStringLiteral(">%1").arg(QString::number(upper, 'f', boundDecimals));
    return QString::number(value, 'f', decimals);
}

QString FormatReflectance(double reflectance)
{
    return FormatBounded(reflectance, -70, 70, 3, 0);
}

QString FormatLoss(float loss)
{
    return FormatBounded(loss, -16, 16, 3, 0);
}

QString FormatAttenuation(float attenuation)
{
    return FormatBounded(attenuation, -16, 16, 3, 0);
}

QString FormatFloat3(float value)
{
    return QString::number(value, 'f', 3);
}
