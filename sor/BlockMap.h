#pragma once

#include "sor/Block.h"
#include "sor/BlockInfo.h"

#include <vector>

namespace bc {

// The map block: always first in the file, it lists every block with its
// name, revision and byte count in file order.
class CBlockMap : public CBlock
{
public:
    CBlockMap() = default;
    ~CBlockMap() override = default;

    void Stream(CFileStream& stream) override;
    // Reading decides the file's layout from its first four bytes before
    // the map is read; writing keeps the layout the stream already has.
    void StreamDetectingLayout(CFileStream& stream);

    std::vector<CBlockInfo>& GetBlockInfos() { return m_blockInfos; }
    const std::vector<CBlockInfo>& GetBlockInfos() const { return m_blockInfos; }

private:
    std::vector<CBlockInfo> m_blockInfos;
};

} // namespace bc
