#include "device/DeviceExchanger.h"

#include <QDebug>
#include <QRegularExpression>

#include <ctime>

namespace {

// The first number written in parentheses in a firmware version, as text;
// logs the failed check when there is none.
QString FirstParenthesisedNumber(const QString& version, bool* bFound)
{
    static const QRegularExpression numbers(QStringLiteral("\\((\\d+)\\)"));
    const QRegularExpressionMatch match = numbers.match(version);
    *bFound = match.hasMatch();
    if (!*bFound)
        qCritical("ASSERTION FAILED: %s", "list.size() > 0");
    return match.captured(1);
}

} // namespace

int CDeviceExchanger::GetCapabilities()
{
    int flags = 3;
    if (selectedDevice.model.contains(QLatin1String("M-7"))) {
        const QString& version = selectedDevice.version;
        const int leading = !version.isEmpty() && version.at(0).isDigit() ? version.at(0).digitValue() : 0;
        bool bFound = false;
        bool bOk = false;
        const int number = FirstParenthesisedNumber(version, &bFound).toInt(&bOk, 10);
        if (bFound && bOk && (number >= 509 || leading > 4))
            flags += 4;
    }
    return flags;
}

bool CDeviceExchanger::HasRealReflectance()
{
    return false;
}

QString CDeviceExchanger::GetName()
{
    return QStringLiteral("Veltramo");
}

QMap<int, float> CDeviceExchanger::MakeWaveLenBC(const QMap<int, float>& waveLenBC, float bc)
{
    QMap<int, float> result;
    for (auto it = waveLenBC.cbegin(); it != waveLenBC.cend(); ++it)
        result.insert(it.key(), bc);
    return result;
}

bool CDeviceExchanger::NeedsLengthCorrection(bool bAsResponse, bool bExactLength) const
{
    if (!bAsResponse || bExactLength || !selectedDevice.model.contains(QLatin1String("M-7")))
        return false;
    const QString& version = selectedDevice.version;
    if (version.isEmpty() || !version.at(0).isDigit() || version.at(0).digitValue() >= 5)
        return false;
    bool bFound = false;
    bool bOk = false;
    const int number = FirstParenthesisedNumber(version, &bFound).toInt(&bOk, 10);
    return !bFound || !bOk || number < 499;
}

void CDeviceExchanger::DoSetDateTime()
{
    qDebug() << "CDeviceExchanger::DoSetDateTime()";
    Send(";SYST:MODE 6\r");
    GetResponse(200, true, true);
    SendDateTime(0);
    qDebug() << "CDeviceExchanger::DoSetDateTime() done";
}

void CDeviceExchanger::SendDateTime(int pauseMs)
{
    const std::time_t now = Now();
    std::tm local{};
    const bool err = localtime_r(&now, &local) == nullptr;
    if (err)
        qCritical("ASSERTION FAILED: %s", "!err");

    if (pauseMs > 0)
        Pause(pauseMs);
    Send(QStringLiteral(";SYST:DATE %1,%2,%3\r")
             .arg(local.tm_mday, 2, 10, QLatin1Char('0'))
             .arg(local.tm_mon + 1, 2, 10, QLatin1Char('0'))
             .arg(local.tm_year + 1900, 2, 10, QLatin1Char('0'))
             .toLatin1());
    GetResponse(200, true, true);
    if (pauseMs > 0)
        Pause(pauseMs);
    Send(QStringLiteral(";SYST:TIME %1,%2,%3\r")
             .arg(local.tm_hour, 2, 10, QLatin1Char('0'))
             .arg(local.tm_min, 2, 10, QLatin1Char('0'))
             .arg(local.tm_sec, 2, 10, QLatin1Char('0'))
             .toLatin1());
    GetResponse(200, true, true);
}
