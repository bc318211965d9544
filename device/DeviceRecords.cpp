#include "device/DeviceRecords.h"

#include "core/Assert.h"

void tDeviceParams::Reset()
{
    const QMap<int, float> keptBC = WaveLenBC;
    const float keptRefl = ReflThresholdValue;
    *this = tDeviceParams();
    WaveLenBC = keptBC;
    ReflThresholdValue = keptRefl;
}

void tDeviceEnums::Clear()
{
    const QMap<int, int> keptFlags = WaveLenFlag;
    *this = tDeviceEnums();
    WaveLenFlag = keptFlags;
}

qint32 ReadInt16LE(const QByteArray& bytes, int offset)
{
    const bool bInside = offset >= 0 && offset <= bytes.size() - 2;
    QV_ASSERT(bInside);
    if (!bInside)
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + offset;
    return qint32(quint16(p[0] | (p[1] << 8)));
}

qint32 ReadInt32LE(const QByteArray& bytes, int offset)
{
    const bool bInside = offset >= 0 && offset <= bytes.size() - 4;
    QV_ASSERT(bInside);
    if (!bInside)
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + offset;
    return qint32(quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24));
}

void tTraceBlockHeader::Read(float groupIndex, const QByteArray& bytes)
{
    *this = tTraceBlockHeader();
    Spacing = quint32(ReadInt32LE(bytes, 0));
    Averages = quint32(ReadInt32LE(bytes, 4));
    PulseWidth = quint32(ReadInt16LE(bytes, 8));
    WaveLength = quint32(ReadInt16LE(bytes, 10));
    FirstWord = quint32(ReadInt32LE(bytes, 12));
    NoiseCount = quint32(ReadInt32LE(bytes, 16));
    WordCount = quint32(ReadInt32LE(bytes, 20));
    GroupIndex = groupIndex;
}
