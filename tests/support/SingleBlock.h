#pragma once

#include "support/BlockHarness.h"

#include <QByteArray>
#include <QTemporaryDir>

// Loads and saves one block on its own: the root streams just that block in
// the layout the test picks, so fixtures need no map around them.
class SingleBlock : public bc::IStream
{
public:
    SingleBlock(bc::IStream& block, bool bVersion2) : m_block(block), m_bVersion2(bVersion2) {}

    void Stream(bc::CFileStream& stream) override
    {
        stream.SetVersion2(m_bVersion2);
        Consumed = stream.StreamObject(m_block);
    }

    // Streams the block from `bytes`; returns the bytes it took.
    qint64 Load(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("block.sor");
        WriteFileBytes(path, bytes);
        bc::CFileStream stream(path);
        stream.Load(*this);
        return Consumed;
    }

    // Writes the block and returns the bytes written.
    QByteArray Save()
    {
        const QString path = m_dir.filePath("saved.sor");
        bc::CFileStream stream(path);
        stream.Save(*this);
        return ReadFileBytes(path);
    }

    qint64 Consumed = 0;

private:
    bc::IStream& m_block;
    bool m_bVersion2;
    QTemporaryDir m_dir;
};
