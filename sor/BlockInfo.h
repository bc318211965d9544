#pragma once

#include "sor/Block.h"

#include <memory>
#include <string>

namespace bc {

// One entry of the map: a block's name, revision and byte count, and the
// block's raw bytes when nothing parses it.
class CBlockInfo : public CBlock
{
public:
    // The bytes of a block carried through load and save unparsed.
    class CUserBlock : public IStream
    {
    public:
        CUserBlock() = default;
        CUserBlock(const CUserBlock& other);
        CUserBlock& operator=(const CUserBlock& other);
        ~CUserBlock() = default;

        void Stream(CFileStream& stream) override;
        // Drops the bytes; the next read allocates `length` bytes.
        void Reset(quint32 length);

        quint32 GetLength() const { return m_length; }
        const quint8* GetData() const { return m_data.get(); }

    private:
        std::unique_ptr<quint8[]> m_data;
        quint32 m_length = 0;
    };

    CBlockInfo() = default;
    CBlockInfo(const std::string& name, quint16 revision) : CBlock(revision), m_name(name) {}
    CBlockInfo(const CBlockInfo&) = default;
    CBlockInfo& operator=(const CBlockInfo&) = default;
    ~CBlockInfo() override = default;

    void Stream(CFileStream& stream) override;
    // Reads or writes this entry's block as raw bytes, sized by the entry.
    void StreamUserBlock(CFileStream& stream);

    const std::string& GetName() const { return m_name; }
    const CUserBlock& GetUserBlock() const { return m_userBlock; }

private:
    std::string m_name;
    CUserBlock m_userBlock;
};

} // namespace bc
