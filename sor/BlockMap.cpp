#include "sor/BlockMap.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

namespace bc {

namespace {

// The block count is a signed 16-bit field that counts the map itself.
const size_t kMaxEntries = 32766;

} // namespace

void CBlockMap::StreamDetectingLayout(CFileStream& stream)
{
    if (stream.IsReading()) {
        const qint64 start = stream.GetPos();
        quint8 head[4];
        for (quint8& byte : head)
            byte = BlockStep(215, [&] { return stream.ReadByte(); });
        stream.SetVersion2(head[0] == 'M' && head[1] == 'a' && head[2] == 'p' && head[3] == 0);
        stream.Seek(start);
    }
    BlockStep(226, [&] { StreamSized(stream, *this); });
}

void CBlockMap::Stream(CFileStream& stream)
{
    BlockStep(231, [&] { stream.CheckBlockName(GetBlockNameMap()); });
    BlockStep(232, [&] { CBlock::Stream(stream); });

    if (stream.IsWriting() && m_blockInfos.size() > kMaxEntries)
        throw EInternalError({tErrorCode(kBlockSource, 236)});
    qint16 blockCount = qint16(m_blockInfos.size() + 1);
    BlockStep(234, [&] { stream.Exchange(blockCount); });
    if (blockCount < 1)
        throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 235)});

    // Entries grow as they are read, so a count the file cannot back
    // fails at the first missing entry without a large allocation first.
    const size_t entries = size_t(blockCount - 1);
    if (m_blockInfos.size() > entries)
        m_blockInfos.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
        if (i == m_blockInfos.size())
            m_blockInfos.emplace_back();
        BlockStep(237, [&] { stream.StreamObject(m_blockInfos[i]); });
    }
}

} // namespace bc
