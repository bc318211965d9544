#include "device/ProgressData.h"

#include "core/Exception.h"

#include <QDebug>

#include <cmath>

namespace {

[[noreturn]] void Refuse(int code)
{
    throw EInternalError({tErrorCode(16, code)});
}

quint32 Word(const QByteArray& words, qint64 index)
{
    const auto* p = reinterpret_cast<const uchar*>(words.constData()) + index * 4;
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

} // namespace

CProgressData::CProgressData() : data(cSampleCount, 0) {}

CProgressData::CProgressData(const tTraceBlockHeader& header, const QByteArray& words)
{
    const double gi = header.GroupIndex;
    if (!(gi >= 1.0 && gi <= 2.0))
        Refuse(1290);
    const double spacing = double(qint32(header.Spacing)) / 100000.0;
    if (!(spacing >= 1.0))
        Refuse(1294);
    resolution = spacing * 299792458.0 / gi / 1e9;

    const quint32 first = header.FirstWord;
    const quint32 noise = header.NoiseCount;
    // Every word the samples read must be there: up to first + 4095 + noise / 3.
    const qint64 needed = qint64(first) + cSampleCount + noise / 3;
    if (words.size() / 4 < needed)
        Refuse(1303);
    if (noise < 1 || qint64(noise) * 2 > qint64(first))
        Refuse(1309);

    double sum = 0.0;
    for (quint32 i = 0; i < 2 * noise; ++i)
        sum += Word(words, i);
    const quint32 mean = quint32(qint64(sum / (2.0 * noise)));

    // A count that reads as not positive would feed a logarithm of nothing.
    const qint32 averages = qint32(header.Averages);
    if (averages <= 0)
        Refuse(1330);
    const quint32 ceiling = quint32(std::trunc(std::log10(double(averages) * 4095.0) * 5000.0));

    data.resize(cSampleCount);
    for (quint32 k = 0; k < quint32(cSampleCount); ++k) {
        // Worked out wide: near the top of 32 bits a sum would wrap, and a
        // larger word would give a higher sample.
        qint64 v = noise == 48 ? (qint64(Word(words, k + first - 1)) + Word(words, k + first)) >> 1
                               : qint64(Word(words, k + first));
        v += qint64(std::trunc(double(Word(words, k + first + noise / 3)) * 0.0000256));
        // Above the noise mean, at least 1.
        const qint64 above = qMax<qint64>(v - qint64(mean), 1);
        quint32 level = quint32(std::trunc(std::log10(double(above)) * 5000.0));
        if (level > ceiling) {
            qCritical("ASSERTION FAILED: %s", "local<=CurrentMaxLog");
            level = ceiling;
        }
        level = ceiling - level;
        if (level > 0xFFFFu) {
            qCritical("ASSERTION FAILED: %s", "local<=0xFFFFu");
            level = 0xFFFFu;
        }
        data[k] = quint16(level);
    }
}

quint16 CProgressData::GetDataPoint(int n) const
{
    if (n < 0 || n >= int(data.size())) {
        qCritical("ASSERTION FAILED: %s", "n<(int)data.size()");
        return 0;
    }
    return data[size_t(n)];
}

CProgressData2::CProgressData2(const tTraceBlockHeader& frame, const QByteArray& samples)
{
    auto refuse = [](int code) { throw EInternalError({tErrorCode(256, code)}); };
    const double gi = frame.GroupIndex;
    if (!(gi >= 1.0 && gi <= 2.0))
        refuse(1256);
    const double spacing = double(frame.Spacing) / 100000.0;
    if (!(spacing >= 1.0))
        refuse(1260);
    resolution = spacing * 299792458.0 / gi / 1e9;

    // The second protocol's frame carries its first point and its point
    // count where the dumps have their first word and noise count. The bytes
    // are checked before anything is sized from those numbers.
    const qint64 first = frame.FirstWord;
    const qint64 points = frame.NoiseCount;
    if (qint64(samples.size()) != 2 * points)
        refuse(1268);
    if (first > points)
        refuse(1264);
    const auto* bytes = reinterpret_cast<const uchar*>(samples.constData());
    data.assign(size_t(points - first), 0);
    for (qint64 j = 0; j < points - first; ++j) {
        const qint64 at = 2 * (first + j);
        data[size_t(j)] = quint16(bytes[at] | (bytes[at + 1] << 8));
    }

    header.GroupIndex = frame.GroupIndex;
    header.Spacing = frame.Spacing;
    header.Averages = frame.Averages;
    header.PulseWidth = frame.PulseWidth;
    header.WaveLength = frame.WaveLength;
}
