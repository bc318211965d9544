#include "sor/BlockInfo.h"

#include "core/Exception.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

#include <cstring>

namespace bc {

CBlockInfo::CUserBlock::CUserBlock(const CUserBlock& other)
{
    *this = other;
}

CBlockInfo::CUserBlock& CBlockInfo::CUserBlock::operator=(const CUserBlock& other)
{
    if (this == &other)
        return *this;
    std::unique_ptr<quint8[]> data;
    if (other.m_length != 0 && other.m_data) {
        data.reset(new quint8[other.m_length]);
        std::memcpy(data.get(), other.m_data.get(), other.m_length);
    }
    m_data = std::move(data);
    m_length = other.m_length;
    return *this;
}

void CBlockInfo::CUserBlock::Reset(quint32 length)
{
    m_data.reset();
    m_length = length;
}

void CBlockInfo::CUserBlock::Stream(CFileStream& stream)
{
    if (m_length == 0)
        return;
    if (!m_data && stream.IsWriting())
        throw EInternalError({tErrorCode(kBlockSource, 182)});
    BlockStep(184, [&] {
        if (!m_data) {
            // The length comes from the file: never allocate more than
            // the file can still deliver.
            if (qint64(m_length) > stream.GetSize() - stream.GetPos())
                throw EFileLoadInvalidFormat({tErrorCode(1, 145)});
            m_data.reset(new quint8[m_length]);
        }
        stream.ExchangeBytes(m_data.get(), m_length);
    });
}

void CBlockInfo::Stream(CFileStream& stream)
{
    BlockStep(194, [&] { stream.ExchangeRawString(m_name); });
    if (m_name.empty()) {
        if (stream.IsReading())
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 198)});
        throw EInternalError({tErrorCode(kBlockSource, 200)});
    }
    BlockStep(202, [&] { CBlock::Stream(stream); });
    if (stream.IsReading())
        m_userBlock.Reset(GetSize());
}

void CBlockInfo::StreamUserBlock(CFileStream& stream)
{
    BlockStep(189, [&] { StreamSizedAnyCount(stream, m_userBlock); });
}

} // namespace bc
