#pragma once

#include "sor/CustomQWMXR01.h"
#include "sor/Stream.h"

namespace bc {

class CFileStream;

// The first proprietary block, "QWMXR01".
class CBlockQWMXR01 : public IStream, public sor::tCustomQWMXR01
{
public:
    CBlockQWMXR01() = default;
    virtual ~CBlockQWMXR01() = default;

    void Stream(CFileStream& stream) override;
};

} // namespace bc
