#include "sor/BlockQWMXR01.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"

namespace bc {

namespace {

const qint32 kSource = 2;

template <class F>
void step(qint32 code, F&& body)
{
    GuardedStep(kSource, code, std::forward<F>(body));
}

} // namespace

void CBlockQWMXR01::Stream(CFileStream& stream)
{
    step(634, [&] { stream.CheckBlockName(GetBlockNameQWMXR01()); });
    step(635, [&] { stream.ExchangeObject(lDistToTheLeftMarker_cm); });
    step(636, [&] { stream.ExchangeObject(lDistToTheRightMarker_cm); });
    step(638, [&] { stream.ExchangeObject(usApproxMethod); });
    step(639, [&] { stream.ExchangeObject(usLossBetweenMarkers); });
    step(640, [&] { stream.ExchangeObject(usMeanSlopeBetweenMarkers); });
    step(642, [&] { stream.ExchangeObject(ulMaxReflBetweenMarkers); });
    step(644, [&] { stream.ExchangeObject(usORL_BetweenMarkers); });
    step(645, [&] { stream.ExchangeObject(usDisplayFlag); });
    bPresent = true;
}

} // namespace bc
