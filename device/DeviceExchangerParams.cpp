#include "device/DeviceExchanger.h"

#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/ReplyParsers.h"

#include <QDebug>
#include <QLocale>
#include <QRegularExpression>

#include <climits>
#include <cmath>

namespace {

constexpr int cSource = 16;

[[noreturn]] void Refuse(int code)
{
    throw EExchangeParameters({tErrorCode(cSource, code)});
}

int Digits(const QString& text)
{
    static const QRegularExpression nonDigits(QStringLiteral("\\D+"));
    QString digits = text;
    digits.remove(nonDigits);
    if (digits.isEmpty())
        Refuse(175);
    bool bOk = false;
    const int value = digits.toInt(&bOk, 10);
    if (!bOk)
        Refuse(179);
    return value;
}

QString List(const QList<int>& values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts.join(QLatin1Char(','));
}

// The integer after `key` up to the end of the line; 0 when it does not read.
int KeyValue(const QString& line, const QString& key, bool* bFound)
{
    const int at = line.indexOf(key);
    *bFound = at >= 0;
    return *bFound ? line.mid(at + key.size()).toInt(nullptr, 10) : 0;
}

} // namespace

tCfgReply CDeviceExchanger::ParseCfgReply(const QString& text)
{
    if (text.isEmpty())
        Refuse(148);
    const QStringList fields = text.left(text.size() - 1).split(QLatin1Char(','));
    if (fields.size() < 6 || fields.at(0) != QLatin1String("CFG"))
        Refuse(152);
    tCfgReply r;
    // The range comes in km and is kept in metres: a range whose metres do
    // not fit does not convert either.
    const int km = Digits(fields.at(1));
    if (km > INT_MAX / 1000)
        Refuse(179);
    r.LineLen = km * 1000;
    r.PulseWidth = Digits(fields.at(2));
    r.AverageTime = Digits(fields.at(3));
    const QStringList wave = fields.at(4).split(QLatin1Char('('));
    if (wave.size() != 2 || wave.at(1).size() <= 1 || !wave.at(1).endsWith(QLatin1Char(')')))
        Refuse(159);
    r.WaveLen = Digits(wave.at(0));
    bool bOk = false;
    r.WaveLenIndex = wave.at(1).chopped(1).toInt(&bOk, 10);
    if (!bOk)
        Refuse(165);
    r.GI = QLocale::c().toFloat(fields.at(5), &bOk);
    // Written so that "nan", which reads, is refused too.
    if (!bOk || !(r.GI >= 1.4f && r.GI <= 1.6f))
        Refuse(168);
    return r;
}

void CDeviceExchanger::ReceiveParams()
{
    ReadOffer({"CDeviceExchanger", cSource, 0, 0, 313, 324, 449, 460, 474, 480});
}

void CDeviceExchanger::ReadOffer(const tOfferDialect& d)
{
    const QByteArray name(d.className);
    auto refuse = [&d](int code) { throw EExchangeParameters({tErrorCode(d.source, code)}); };
    auto lead = [this](int ms) {
        if (ms > 0)
            Pause(ms);
    };
    qDebug() << (name + "::ReceiveParams()").constData();
    lead(d.leadPauseMs);
    Send(";SYST:MODE 2\r");
    GetResponse(500, true, true);
    Pause(50);
    enums.Clear();
    params.Reset();

    Send(";SYST:SET:CFG?\r");
    const tCfgReply cur = ParseCfgReply(QString::fromLatin1(GetResponse(200, true, true)));
    Pause(50);

    Send(";SYST:AVA?\r");
    const QString available = QString::fromLatin1(GetResponse(200, true, true));
    if (available.isEmpty())
        refuse(d.emptyAva);
    const QStringList lasers = available.left(available.size() - 1).split(QLatin1Char(','));
    for (int i = 0; i < lasers.size(); ++i) {
        if (lasers.at(i) == QLatin1String("0"))
            continue;
        bool bOk = false;
        const int waveLen = lasers.at(i).toInt(&bOk, 10);
        // A flag bit is an int: a position past 30 cannot be one.
        if (!bOk || i > 30)
            refuse(d.badAva);
        enums.WaveLenNm.append(waveLen);
        enums.mWaveLen.insert(waveLen, i);
        enums.WaveLenFlag.insert(waveLen, 1 << i);
    }
    if (enums.WaveLenNm.isEmpty()) {
        enums.WaveLenNm.append(0);
        enums.mWaveLen.insert(0, 0);
    }
    for (int waveLen : qAsConst(enums.WaveLenNm))
        enums.WaveLenBits.append(1 << enums.mWaveLen.value(waveLen));
    qDebug() << "enums.WaveLenNm " << List(enums.WaveLenNm);

    qDebug() << ("=============== " + name + "::ReceiveParams() - begin ===============").constData();
    bool bRange = true;
    bool bAverage = true;
    bool bPulse = true;
    for (int k = 0; k < 10 && (bRange || bAverage || bPulse); ++k) {
        qDebug() << ("--------------- " + name + "::ReceiveParams() - step ").constData() << k
                 << " ---------------";
        lead(d.leadPauseMs);
        Send(QStringLiteral(";SYST:SET:CFG %1,%1,%1,%2,%3\r").arg(k).arg(cur.WaveLenIndex).arg(RealText(cur.GI)).toLatin1());
        const tCfgReply s = ParseCfgReply(QString::fromLatin1(GetResponse(200, true, true)));
        bRange = bRange && !enums.LineLen.contains(s.LineLen);
        bAverage = bAverage && !enums.AverageTime.contains(s.AverageTime);
        bPulse = bPulse && !enums.PulseWidth.contains(s.PulseWidth);
        if (bRange) {
            enums.mLineLen.insert(s.LineLen, enums.mLineLen.size());
            enums.LineLen.append(s.LineLen);
        }
        if (bAverage) {
            if (s.AverageTime == 3 || s.AverageTime == 600) {
                qDebug() << "AverageTime " << s.AverageTime << " was ignored.";
            } else {
                enums.mAverageTime.insert(s.AverageTime, enums.mAverageTime.size());
                enums.AverageTime.append(s.AverageTime);
            }
        }
        if (bPulse) {
            enums.mPulseWidth.insert(s.PulseWidth, enums.mPulseWidth.size());
            enums.PulseWidth.append(s.PulseWidth);
        }
        qDebug() << "enums.LineLen " << List(enums.LineLen);
        qDebug() << "enums.AverageTime " << List(enums.AverageTime);
        qDebug() << "enums.PulseWidth " << List(enums.PulseWidth);
    }
    qDebug() << ("=============== " + name + "::ReceiveParams() - end ===============").constData();
    enums.AverageTime.append(-1);
    enums.mAverageTime.insert(-1, 0);

    if (!enums.LineLen.contains(cur.LineLen))
        refuse(d.unknownRange);
    params.LineLen = cur.LineLen;
    params.AverageTime = cur.AverageTime;
    if (!enums.AverageTime.contains(cur.AverageTime)) {
        qDebug() << "NOTE: Exception cancelled: it will interped as real time mode";
        params.AverageTime = -1;
    }
    if (!enums.PulseWidth.contains(cur.PulseWidth))
        refuse(d.unknownPulse);
    params.PulseWidth = cur.PulseWidth;

    if (!enums.WaveLenNm.contains(cur.WaveLen)) {
        if (enums.WaveLenNm.size() > 1 || enums.WaveLenNm.first() != 0)
            refuse(d.unknownWaveLen);
        enums.WaveLenNm.first() = cur.WaveLen;
        enums.mWaveLen.clear();
        enums.mWaveLen.insert(cur.WaveLen, cur.WaveLenIndex);
    }
    if (enums.mWaveLen.value(cur.WaveLen) != cur.WaveLenIndex)
        refuse(d.wrongPosition);
    params.WaveLenNm.append(cur.WaveLen);
    for (int waveLen : qAsConst(enums.WaveLenNm))
        params.WaveLenGI.insert(waveLen, cur.GI);

    if (GetCapabilities() & 4) {
        lead(d.leadPauseMs);
        Send(";SYST:MODE 6\r");
        GetResponse(500, true, true);
        lead(d.thresholdPauseMs);
        Send(";SYST:SET:BLCR?\r");
        const QStringList lines =
            QString::fromLatin1(GetResponse(1000, true, true)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (lines.size() == 10) {
            bool bFound = false;
            const int rt = KeyValue(lines.at(6), QStringLiteral("RT="), &bFound);
            if (bFound)
                params.ReflThreshold = int(rt * -0.001);
            const int et = KeyValue(lines.at(7), QStringLiteral("ET="), &bFound);
            if (bFound)
                params.EndThreshold = et * 0.001;
            const int lt = KeyValue(lines.at(5), QStringLiteral("LT="), &bFound);
            if (bFound)
                params.LossThreshold = lt * 0.001;
            const int events = KeyValue(lines.at(8), QStringLiteral("EVNT="), &bFound);
            if (bFound)
                params.EventsEnabled = events;
            const float bc = float(KeyValue(lines.at(0), QStringLiteral("BC="), &bFound) * -0.1);
            for (auto it = enums.mWaveLen.cbegin(); it != enums.mWaveLen.cend(); ++it)
                if (!params.WaveLenBC.contains(it.key()))
                    params.WaveLenBC.insert(it.key(), bc);
        } else if (lines.size() != 9) {
            qCritical("ASSERTION FAILED: %s", "eventsDataList.size()==9");
        }
    }
    qDebug() << (name + "::ReceiveParams() done").constData();
}

void CDeviceExchanger::AcceptCfgEcho(int waveLen, float gi)
{
    const tCfgReply r = ParseCfgReply(QString::fromLatin1(GetResponse(200, true, true)));
    const bool bHolds = r.LineLen == params.LineLen
        && (r.AverageTime == params.AverageTime || (params.AverageTime == -1 && r.AverageTime != 0))
        && r.PulseWidth == params.PulseWidth && r.GI == gi && r.WaveLen == waveLen;
    if (!bHolds) {
        const QString text = tr("Incompatible parameters combination requested\nRange(%1 km) and Pulse width (%2 "
                                "ns)!\nThe maximum acceptable value for Pulse width is set (%3 ns) for Range selected")
                                 .arg(params.LineLen / 1000)
                                 .arg(params.PulseWidth)
                                 .arg(r.PulseWidth);
        params.PulseWidth = r.PulseWidth;
        emit sigShowMessage(text);
    }
}

void CDeviceExchanger::SetParams(int waveLen)
{
    Send(";SYST:MODE 2\r");
    GetResponse(500, true, true);
    const int range = enums.mLineLen.value(params.LineLen, 0);
    const int pulse = enums.mPulseWidth.value(params.PulseWidth, 0);
    const int average = enums.mAverageTime.value(params.AverageTime, 0);
    const int laser = enums.mWaveLen.value(waveLen, 0);
    const float gi = params.WaveLenGI.value(waveLen, 0.0f);
    Send(QStringLiteral(";SYST:SET:CFG %1,%2,%3,%4,%5\r")
             .arg(range)
             .arg(pulse)
             .arg(average)
             .arg(laser)
             .arg(RealText(gi))
             .toLatin1());
    AcceptCfgEcho(waveLen, gi);

    if (GetCapabilities() & 4) {
        Send(";SYST:MODE 6\r");
        GetResponse(200, true, true);
        msleep(200);
        Send(QStringLiteral(";SET:ENEVENTS %1\r").arg(params.EventsEnabled).toLatin1());
        msleep(200);
        GetResponse(200, true, true);
        const QList<QString> settings{
            QStringLiteral(";SYST:SET:BLCR:RT %1\r").arg(params.ReflThreshold * -1000),
            QStringLiteral(";SYST:SET:BLCR:ET %1\r").arg(RealText(params.EndThreshold * 1000)),
            QStringLiteral(";SYST:SET:BLCR:LT %1\r").arg(RealText(params.LossThreshold * 1000)),
            QStringLiteral(";SYST:SET:BLCR:BC %1\r").arg(RealText(params.WaveLenBC.value(waveLen) * -10.0))};
        for (const QString& setting : settings) {
            Send(setting.toLatin1());
            msleep(200);
            GetResponse(200, true, true);
        }
    }
}

void CDeviceExchanger::ApplyParams()
{
    for (int waveLen : qAsConst(enums.WaveLenNm))
        if (params.WaveLenNm.isEmpty() || waveLen != params.WaveLenNm.first())
            SetParams(waveLen);
    if (params.WaveLenNm.isEmpty())
        return;
    SetParams(params.WaveLenNm.first());
    SelectWaveLength(params.SelectedWaveLen);
}
