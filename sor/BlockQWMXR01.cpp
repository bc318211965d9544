#include "sor/BlockQWMXR01.h"

#include "core/Exception.h"
#include "sor/BlockStep.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"

namespace bc {

void CBlockQWMXR01::Stream(CFileStream& stream)
{
    BlockStep(634, [&] { stream.CheckBlockName(GetBlockNameQWMXR01()); });
    BlockStep(635, [&] { stream.ExchangeObject(lDistToTheLeftMarker_cm); });
    BlockStep(636, [&] { stream.ExchangeObject(lDistToTheRightMarker_cm); });
    BlockStep(638, [&] { stream.ExchangeObject(usApproxMethod); });
    BlockStep(639, [&] { stream.ExchangeObject(usLossBetweenMarkers); });
    BlockStep(640, [&] { stream.ExchangeObject(usMeanSlopeBetweenMarkers); });
    BlockStep(642, [&] { stream.ExchangeObject(ulMaxReflBetweenMarkers); });
    BlockStep(644, [&] { stream.ExchangeObject(usORL_BetweenMarkers); });
    BlockStep(645, [&] { stream.ExchangeObject(usDisplayFlag); });
    bPresent = true;
}

} // namespace bc
