#include "sor/DataPoints.h"

#include "core/Assert.h"
#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/RoundHalfUp.h"
#include "sor/BlockStep.h"

#include <algorithm>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstddef>
#include <iterator>
#include <limits>

namespace bc {

namespace {

// The smallest group on disk: point count, scale factor, one sample.
const qint64 kMinGroupBytes = 4 + 2 + 2;

quint16 clampToSample(int value)
{
    return quint16(std::clamp(value, 0, int(std::numeric_limits<quint16>::max())));
}

// Little-endian 16-bit values read in place, so that a vector is built from
// the file's bytes in one pass, without being zero-filled first.
class CLe16Iterator
{
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = quint16;
    using difference_type = std::ptrdiff_t;
    using pointer = const quint16*;
    using reference = quint16;

    explicit CLe16Iterator(const uchar* bytes) : m_bytes(bytes) {}

    quint16 operator*() const { return quint16(m_bytes[0] | (m_bytes[1] << 8)); }
    quint16 operator[](difference_type n) const { return *(*this + n); }
    CLe16Iterator& operator++()
    {
        m_bytes += 2;
        return *this;
    }
    CLe16Iterator operator++(int)
    {
        CLe16Iterator before = *this;
        m_bytes += 2;
        return before;
    }
    CLe16Iterator& operator--()
    {
        m_bytes -= 2;
        return *this;
    }
    CLe16Iterator& operator-=(difference_type n)
    {
        m_bytes -= 2 * n;
        return *this;
    }
    CLe16Iterator& operator+=(difference_type n)
    {
        m_bytes += 2 * n;
        return *this;
    }
    CLe16Iterator operator+(difference_type n) const { return CLe16Iterator(m_bytes + 2 * n); }
    difference_type operator-(const CLe16Iterator& other) const { return (m_bytes - other.m_bytes) / 2; }
    bool operator==(const CLe16Iterator& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const CLe16Iterator& other) const { return m_bytes != other.m_bytes; }
    bool operator<(const CLe16Iterator& other) const { return m_bytes < other.m_bytes; }

private:
    const uchar* m_bytes;
};

qint64 bytesLeft(CFileStream& stream)
{
    return qMax<qint64>(0, stream.GetSize() - stream.GetPos());
}

} // namespace

quint16 CDataPoints::LargestOf(const std::vector<quint16>& samples)
{
    const quint16* values = samples.data();
    const qint64 count = qint64(samples.size());
    qint64 i = 0;
    // Unsigned 16-bit values compare as signed ones once the top bit is
    // flipped; four running maxima keep the steps from waiting on each other.
    qint16 largest = std::numeric_limits<qint16>::min();
#ifdef __SSE2__
    const __m128i flip = _mm_set1_epi16(std::numeric_limits<qint16>::min());
    __m128i a = flip, b = flip, c = flip, d = flip;
    auto load = [&](qint64 at) {
        return _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(values + at)), flip);
    };
    for (; i + 32 <= count; i += 32) {
        a = _mm_max_epi16(a, load(i));
        b = _mm_max_epi16(b, load(i + 8));
        c = _mm_max_epi16(c, load(i + 16));
        d = _mm_max_epi16(d, load(i + 24));
    }
    alignas(16) qint16 lanes[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), _mm_max_epi16(_mm_max_epi16(a, b), _mm_max_epi16(c, d)));
    for (qint16 lane : lanes)
        largest = std::max(largest, lane);
#endif
    for (; i < count; ++i)
        largest = std::max(largest, qint16(values[i] ^ 0x8000));
    return quint16(largest ^ 0x8000);
}

quint16 CDataPoints::tDataPointsGroup::Normalise(quint16 stored, float scale)
{
    const float x = float(stored) * scale;
    // Out of range on either side (a negative factor) saturates at the top.
    const int r = RoundHalfUp(x);
    return r < 0 || r > int(std::numeric_limits<quint16>::max()) ? quint16(0xFFFF) : quint16(r);
}

quint16 CDataPoints::tDataPointsGroup::Denormalise(quint16 sample, float scale)
{
    const float x = float(sample) / scale;
    return clampToSample(RoundHalfUp(x));
}

void CDataPoints::tDataPointsGroup::Stream(CFileStream& stream)
{
    if (stream.IsWriting() && Samples.empty())
        throw EInternalError({tErrorCode(kBlockSource, 497)});
    if (stream.IsWriting() && Samples.size() > size_t(std::numeric_limits<qint32>::max()))
        throw EInternalError({tErrorCode(kBlockSource, 506)});

    qint32 count = qint32(Samples.size());
    BlockStep(500, [&] { stream.Exchange(count); });
    if (count < 1) {
        if (stream.IsReading())
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 504)});
        throw EInternalError({tErrorCode(kBlockSource, 506)});
    }

    BlockStep(510, [&] { stream.ExchangeObject(ScaleFactor); });

    if (stream.IsReading())
        ReadSamples(stream, count);
    else
        WriteSamples(stream);
}

void CDataPoints::tDataPointsGroup::ReadSamples(CFileStream& stream, qint32 count)
{
    // One pass over the bytes in place. Never size the lists beyond what
    // the rest of the file holds; a larger count fails at the first missing
    // sample.
    const qint64 start = stream.GetPos();
    const qint32 present = qint32(qMin<qint64>(count, bytesLeft(stream) / 2));
    const auto* bytes = reinterpret_cast<const uchar*>(stream.PeekBytes(start, qint64(present) * 2));
    const float scale = ScaleFactor.GetValue();
    // At a factor of 1.0 both directions are the identity: the held samples
    // are the stored ones and no second copy is needed.
    std::vector<quint16>& stored = scale == 1.0f ? Samples : m_storedSamples;
    stored.assign(CLe16Iterator(bytes), CLe16Iterator(bytes) + present);
    if (scale == 1.0f) {
        m_storedSamples.clear();
    } else {
        Samples.clear();
        Samples.reserve(size_t(present));
        for (quint16 value : m_storedSamples)
            Samples.push_back(Normalise(value, scale));
    }
    stream.Seek(start + qint64(present) * 2);

    if (present < count) {
        quint16 missing = 0;
        BlockStep(516, [&] { stream.Exchange(missing); });
    }
}

void CDataPoints::tDataPointsGroup::WriteSamples(CFileStream& stream)
{
    const float scale = ScaleFactor.GetValue();
    QByteArray bytes(int(Samples.size() * 2), Qt::Uninitialized);
    char* out = bytes.data();
    for (size_t i = 0; i < Samples.size(); ++i) {
        // The stored value stands as long as it still yields the held
        // sample; a sample changed since the load (or never loaded) is
        // converted back from the held value.
        quint16 value = 0;
        if (i < m_storedSamples.size()
            && (scale == 1.0f ? m_storedSamples[i] == Samples[i]
                              : Normalise(m_storedSamples[i], scale) == Samples[i]))
            value = m_storedSamples[i];
        else
            value = scale == 1.0f ? Samples[i] : Denormalise(Samples[i], scale);
        out[2 * i] = char(value & 0xFF);
        out[2 * i + 1] = char(value >> 8);
    }
    BlockStep(525, [&] { stream.ExchangeBytes(bytes.data(), bytes.size()); });
}

void CDataPoints::Stream(CFileStream& stream)
{
    if (stream.IsReading())
        m_groups.clear();
    else if (m_groups.empty())
        throw EInternalError({tErrorCode(kBlockSource, 475)});

    BlockStep(477, [&] { stream.CheckBlockName(GetBlockNameDataPts()); });
    BlockStep(478, [&] { stream.Exchange(m_numberOfPoints); });

    // The count field is signed 16-bit: a longer list cannot be stored.
    if (stream.IsWriting() && m_groups.size() > size_t(std::numeric_limits<qint16>::max()))
        throw EInternalError({tErrorCode(kBlockSource, 487)});
    qint16 count = qint16(m_groups.size());
    BlockStep(481, [&] { stream.Exchange(count); });
    if (count < 1) {
        if (stream.IsReading())
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 485)});
        throw EInternalError({tErrorCode(kBlockSource, 487)});
    }

    if (stream.IsReading()) {
        ReadGroups(stream, count);
        return;
    }
    for (tDataPointsGroup& group : m_groups)
        BlockStep(491, [&] { stream.StreamObject(group); });
}

void CDataPoints::ReadGroups(CFileStream& stream, qint16 count)
{
    // Groups are made as they are read, never more than the rest of the
    // file can hold; a larger count fails at the first missing group.
    m_groups.reserve(size_t(qMin<qint64>(count, bytesLeft(stream) / kMinGroupBytes)));
    for (qint16 i = 0; i < count; ++i) {
        m_groups.emplace_back();
        BlockStep(491, [&] { stream.StreamObject(m_groups.back()); });
    }
}

const std::vector<quint16>& CDataPoints::GetDataPoints() const
{
    static const std::vector<quint16> none;
    QV_ASSERT(!m_groups.empty());
    return m_groups.empty() ? none : m_groups.front().Samples;
}

} // namespace bc
