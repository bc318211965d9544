#pragma once

#include "sor/BlockMap.h"
#include "sor/BlockQWMXR01.h"
#include "sor/BlockQWMXR02.h"
#include "sor/CheckSum.h"
#include "sor/DataPoints.h"
#include "sor/FixedParameters.h"
#include "sor/GeneralParameters.h"
#include "sor/KeyEvents.h"
#include "sor/Stream.h"
#include "sor/SupplierParameters.h"

namespace bc {

// One whole SOR file in memory: the map and an object for every block kind
// the program understands. Blocks it does not parse travel as raw bytes in
// their map entries, so saving never drops them.
class CBellcore : public IStream
{
public:
    void Stream(CFileStream& stream) override;

    // Keeps the map's "KeyEvents" entry present exactly while there are events.
    void UpdateKeyEventsBlockInfo();

    CBlockMap& GetBlockMap() { return BlockMap; }
    const CBlockMap& GetBlockMap() const { return BlockMap; }

protected:
    CBlockMap BlockMap;
    CGeneralParameters GeneralParameters;
    CSupplierParameters SupplierParameters;
    CFixedParameters FixedParameters;
    CKeyEvents KeyEvents;
    CDataPoints DataPoints;
    CBlockQWMXR01 QWMXR01;
    CBlockQWMXR02 QWMXR02;
    CCheckSum CheckSum;
};

} // namespace bc
