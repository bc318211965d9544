#include "device/DeviceExchanger2.h"

#include "device/DeviceExchange.h"
#include "device/ReplyParsers.h"

#include <QDebug>
#include <QLocale>

namespace {

constexpr int cSource = 256;

[[noreturn]] void Refuse(int code)
{
    throw EExchangeParameters({tErrorCode(cSource, code)});
}

const QLocale& ReplyLocale()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString List(const QList<int>& values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts.join(QLatin1Char(','));
}

} // namespace

tLineValues CDeviceExchanger2::ExchangeConfiguration(const QString& command)
{
    tLineValues values;
    ParseLine(QString::fromLatin1(Exchange(command, 200)), values);
    return values;
}

void CDeviceExchanger2::ReceiveParams()
{
    qDebug() << "CDeviceExchanger::ReceiveParams()";
    enums.Clear();
    params.Reset();

    const QString available = QString::fromLatin1(Exchange(QStringLiteral(";SYST:AVA?\r"), 1000));
    if (available.isEmpty())
        Refuse(298);
    const QStringList lasers = available.left(available.size() - 1).split(QLatin1Char(','));
    for (int i = 0; i < lasers.size(); ++i) {
        if (lasers.at(i) == QLatin1String("0"))
            continue;
        bool bOk = false;
        const int waveLen = lasers.at(i).toInt(&bOk, 10);
        // A laser bit is an int: a position past 30 cannot be one.
        if (!bOk || i > 30)
            Refuse(309);
        enums.WaveLenNm.append(waveLen);
        if (!enums.mWaveLen.contains(waveLen))
            enums.mWaveLen.insert(waveLen, i);
        enums.WaveLenFlag.insert(waveLen, 1 << i);
    }
    if (enums.WaveLenNm.isEmpty())
        qCritical("ASSERTION FAILED: %s", "!enums.WaveLenNm.isEmpty()");

    const QString bits = QString::fromLatin1(Exchange(QStringLiteral(";RMT:GET:SEQLW\r"), 1000));
    if (bits.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size() < enums.WaveLenNm.size())
        qCritical("ASSERTION FAILED: %s", "n >= enums.WaveLenNm.size()");
    ParseIntList(bits, enums.WaveLenBits, QStringLiteral("SetLS"), true);
    qDebug() << "enums.WaveLenNm (" << List(enums.WaveLenNm) << ")";

    QList<float> groupIndexes;
    ParseFloatList(QString::fromLatin1(Exchange(QStringLiteral(";RMT:GET:ALLGI\r"), 200)), groupIndexes,
                   QStringLiteral("UserGI"), false);
    for (auto it = enums.mWaveLen.cbegin(); it != enums.mWaveLen.cend(); ++it) {
        if (it.value() >= groupIndexes.size())
            Refuse(354);
        const float gi = groupIndexes.at(it.value());
        if (gi < 1.4f || gi > 1.6f)
            Refuse(358);
        params.WaveLenGI.insert(it.key(), gi);
    }

    ParseIntList(QString::fromLatin1(Exchange(QStringLiteral(";RMT:GET:SEQMD\r"), 200)), enums.LineLen,
                 QStringLiteral("Distance"), true);
    ParseIntList(QString::fromLatin1(Exchange(QStringLiteral(";RMT:GET:SEQIM\r"), 200)), enums.PulseWidth,
                 QStringLiteral("Impulses"), true);
    ParseIntList(QString::fromLatin1(Exchange(QStringLiteral(";RMT:GET:SEQTA\r"), 200)), enums.AverageTime,
                 QStringLiteral("TimeAvr"), true);

    const tLineValues cfg = ExchangeConfiguration(QStringLiteral(";RMT:GET:CFG?\r"));
    params.LineLen = cfg.Value1;
    params.PulseWidth = cfg.Value2;
    params.AverageTime = cfg.Value3;
    params.SelectedWaveLen = cfg.Index;
    for (auto it = enums.mWaveLen.cbegin(); it != enums.mWaveLen.cend(); ++it)
        if (cfg.Index & (1 << it.value()))
            params.WaveLenNm.append(it.key());
    if (params.WaveLenNm.isEmpty())
        Refuse(388);

    QList<float> backscatter;
    ParseFloatList(QString::fromLatin1(Exchange(QStringLiteral(";RMT:GET:ALLBS\r"), 200)), backscatter,
                   QStringLiteral("UserBS"), true);
    for (auto it = enums.mWaveLen.cbegin(); it != enums.mWaveLen.cend(); ++it) {
        if (it.value() >= backscatter.size())
            Refuse(408);
        const float bc = backscatter.at(it.value());
        if (bc < -95.0f || bc > -65.0f)
            Refuse(412);
        params.WaveLenBC.insert(it.key(), bc);
    }

    const QString limits = QString::fromLatin1(Exchange(QStringLiteral(";RMT:EVN:CFG\r"), 200));
    const QStringList fields = limits.split(QLatin1Char(','));
    if (fields.size() == 4) {
        // A field that does not read counts as 0; the last one carries the CR.
        auto real = [&fields](int i) { return ReplyLocale().toDouble(fields.at(i).trimmed()); };
        params.EventsEnabled = fields.at(0).trimmed().toInt(nullptr, 10);
        params.EndThreshold = real(1);
        if (HasRealReflectance())
            params.ReflThresholdValue = float(real(2));
        else
            params.ReflThreshold = fields.at(2).trimmed().toInt(nullptr, 10);
        params.LossThreshold = real(3);
    } else {
        qCritical("ASSERTION FAILED: %s", "limitDataList.size()==4");
    }
    qDebug() << "CDeviceExchanger::ReceiveParams() done";
}

void CDeviceExchanger2::SetParams(int waveLen)
{
    const auto iwl = enums.mWaveLen.constFind(waveLen);
    if (iwl == enums.mWaveLen.cend()) {
        qCritical("ASSERTION FAILED: %s", "iwl!=enums.mWaveLen.cend()");
        Refuse(451);
    }
    const int laser = iwl.value();
    const int mask = 1 << laser;
    const QString reflectance = HasRealReflectance() ? RealText(double(params.ReflThresholdValue))
                                                     : QString::number(params.ReflThreshold);
    const QStringList commands{
        QStringLiteral(";RMT:SET:GI%1 %2\r").arg(laser + 1).arg(RealText(double(params.WaveLenGI.value(waveLen)))),
        QStringLiteral(";RMT:SET:BS%1 %2\r").arg(laser + 1).arg(RealText(double(params.WaveLenBC.value(waveLen)))),
        QStringLiteral(";RMT:SET:MD %1\r").arg(params.LineLen),
        QStringLiteral(";RMT:SET:LW %1\r").arg(mask),
        QStringLiteral(";RMT:SET:IM %1\r").arg(params.PulseWidth),
        QStringLiteral(";RMT:EVN:SET %1\r").arg(params.EventsEnabled),
        QStringLiteral(";RMT:EVN:LOSS %1\r").arg(RealText(params.LossThreshold)),
        QStringLiteral(";RMT:EVN:REFL %1\r").arg(reflectance),
        QStringLiteral(";RMT:EVN:EOFL %1\r").arg(RealText(params.EndThreshold))};
    for (const QString& command : commands)
        Exchange(command, 200);

    const tLineValues echo = ExchangeConfiguration(QStringLiteral(";RMT:SET:TA %1\r").arg(params.AverageTime));
    const bool bAveraging = params.AverageTime == -1 ? echo.Value3 != 0 : echo.Value3 == params.AverageTime;
    if (echo.Value1 != params.LineLen || !bAveraging || echo.Value2 != params.PulseWidth || echo.Index != mask)
        Refuse(527);
}

void CDeviceExchanger2::SelectWaveLength(int waveLenMask)
{
    if (ExchangeConfiguration(QStringLiteral(";RMT:SET:LW %1\r").arg(waveLenMask)).Index != waveLenMask)
        Refuse(540);
}
