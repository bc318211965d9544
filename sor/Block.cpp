#include "sor/Block.h"

#include "core/Exception.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

namespace bc {

void CBlock::Stream(CFileStream& stream)
{
    BlockStep(159, [&] { stream.Exchange(m_revision); });
    if (stream.IsWriting())
        m_sizePos = stream.GetPos();
    BlockStep(163, [&] {
        // Stored through the signed exchange, compared as unsigned.
        qint32 size = qint32(m_size);
        stream.Exchange(size);
        m_size = quint32(size);
    });
    if (stream.IsReading() && m_size < GetMinSize(stream))
        throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 165)});
}

quint32 CBlock::GetMinSize(CFileStream& /*stream*/) const
{
    return 0;
}

void CBlock::StreamSized(CFileStream& stream, IStream& block)
{
    StreamSized(stream, block, true);
}

void CBlock::StreamSizedAnyCount(CFileStream& stream, IStream& block)
{
    StreamSized(stream, block, false);
}

void CBlock::StreamSized(CFileStream& stream, IStream& block, bool bRequireHeldCount)
{
    const qint64 count = BlockStep(130, [&] { return stream.StreamObject(block); });
    if (stream.IsReading()) {
        if (quint32(count) != m_size)
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 135)});
        return;
    }
    if (bRequireHeldCount && !(m_size > GetMinSize(stream)))
        throw EInternalError({tErrorCode(kBlockSource, 140)});
    m_size = quint32(count);
    WriteBackSize(stream);
}

void CBlock::WriteBackSize(CFileStream& stream)
{
    if (stream.IsReading() || m_sizePos == 0)
        throw EInternalError({tErrorCode(kBlockSource, 149)});
    const qint64 pos = BlockStep(151, [&] { return stream.GetPos(); });
    BlockStep(153, [&] {
        stream.Seek(m_sizePos);
        qint32 size = qint32(m_size);
        stream.Exchange(size);
        stream.Seek(pos);
    });
}

} // namespace bc
