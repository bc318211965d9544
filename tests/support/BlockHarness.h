#pragma once

#include "core/Exception.h"
#include "sor/BlockMap.h"
#include "sor/FileStream.h"
#include "support/Throws.h"

#include <QFile>

#include <map>
#include <string>

// A small whole-file walk for tests: the map first, then every entry either
// through the block registered under its name or as a raw block. Failures
// get the walk's code of the block (or 537 for the map, 578 for raw).
class TestRoot : public bc::IStream
{
public:
    void Register(const std::string& name, bc::IStream& block, qint32 code)
    {
        m_blocks[name] = {&block, code};
    }

    void Stream(bc::CFileStream& stream) override
    {
        GuardedStep(2, 537, [&] { Map.StreamDetectingLayout(stream); });
        for (bc::CBlockInfo& info : Map.GetBlockInfos()) {
            const auto it = m_blocks.find(info.GetName());
            if (it == m_blocks.end())
                GuardedStep(2, 578, [&] { info.StreamUserBlock(stream); });
            else
                GuardedStep(2, it->second.second, [&] { info.StreamSized(stream, *it->second.first); });
        }
    }

    bc::CBlockMap Map;

private:
    std::map<std::string, std::pair<bc::IStream*, qint32>> m_blocks;
};

inline void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test fixture %s", qPrintable(path));
}

inline QByteArray ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}
