#include "sor/Block.h"

#include "core/Exception.h"
#include "sor/FileStream.h"

namespace bc {

namespace {

const qint32 kSource = 2;

} // namespace

void CBlock::Stream(CFileStream& stream)
{
    GuardedStep(kSource, 159, [&] { stream.Exchange(m_revision); });
    if (stream.IsWriting())
        m_sizePos = stream.GetPos();
    GuardedStep(kSource, 163, [&] {
        // Stored through the signed exchange, compared as unsigned.
        qint32 size = qint32(m_size);
        stream.Exchange(size);
        m_size = quint32(size);
    });
    if (stream.IsReading() && m_size < GetMinSize(stream))
        throw EFileLoadInvalidFormat({tErrorCode(kSource, 165)});
}

quint32 CBlock::GetMinSize(CFileStream& /*stream*/) const
{
    return 0;
}

void CBlock::StreamSized(CFileStream& stream, IStream& block)
{
    const qint64 count = GuardedStep(kSource, 130, [&] { return stream.StreamObject(block); });
    if (stream.IsReading()) {
        if (quint32(count) != m_size)
            throw EFileLoadInvalidFormat({tErrorCode(kSource, 135)});
        return;
    }
    if (!(m_size > GetMinSize(stream)))
        throw EInternalError({tErrorCode(kSource, 140)});
    m_size = quint32(count);
    WriteBackSize(stream);
}

void CBlock::WriteBackSize(CFileStream& stream)
{
    if (stream.IsReading() || m_sizePos == 0)
        throw EInternalError({tErrorCode(kSource, 149)});
    const qint64 pos = GuardedStep(kSource, 151, [&] { return stream.GetPos(); });
    GuardedStep(kSource, 153, [&] {
        stream.Seek(m_sizePos);
        qint32 size = qint32(m_size);
        stream.Exchange(size);
        stream.Seek(pos);
    });
}

} // namespace bc
