#pragma once

#include "sor/Stream.h"

#include <QtGlobal>

namespace bc {

// A block header as the map announces it: revision and byte count. On
// reading, the block streamed through StreamSized must use exactly that
// many bytes; on writing, its real size is patched back into the header.
class CBlock : public IStream
{
public:
    CBlock() = default;
    explicit CBlock(quint16 revision) : m_revision(revision) {}
    CBlock(const CBlock&) = default;
    CBlock& operator=(const CBlock&) = default;
    virtual ~CBlock() = default;

    void Stream(CFileStream& stream) override;
    virtual quint32 GetMinSize(CFileStream& stream) const;

    quint16 GetRevision() const { return m_revision; }
    quint32 GetSize() const { return m_size; }

    // Streams `block` and checks (reading) or records (writing) the number
    // of bytes it takes against this header's byte count.
    void StreamSized(CFileStream& stream, IStream& block);
    // The same for a block whose bytes a save writes afresh whatever count
    // the load found (raw blocks, the checksum): a held count of 0 that the
    // reader accepted must not stop the save.
    void StreamSizedAnyCount(CFileStream& stream, IStream& block);
    void WriteBackSize(CFileStream& stream);

private:
    void StreamSized(CFileStream& stream, IStream& block, bool bRequireHeldCount);

    quint16 m_revision = 0;
    quint32 m_size = 1;
    qint64 m_sizePos = 0; // where the byte count was written; 0 = not yet
};

} // namespace bc
