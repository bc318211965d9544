#include "sor/BlockQWMXR02.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"

namespace bc {

namespace {

const qint32 kSource = 2;
const qint32 kGroup1Codes = 684;
const qint32 kGroup2Codes = 702;

template <class F>
void step(qint32 code, F&& body)
{
    GuardedStep(kSource, code, std::forward<F>(body));
}

} // namespace

void CBlockQWMXR02::Stream(CFileStream& stream)
{
    step(676, [&] { stream.CheckBlockName(GetBlockNameQWMXR02()); });
    step(677, [&] { stream.ExchangeObject(lHeadValue1); });
    step(678, [&] { stream.ExchangeObject(lHeadValue2); });
    step(679, [&] { stream.ExchangeObject(sHeadValue3); });
    step(680, [&] { stream.ExchangeObject(lHeadValue4); });
    step(681, [&] { stream.ExchangeObject(usHeadValue5); });
    StreamGroup(stream, Group1, kGroup1Codes);
    StreamGroup(stream, Group2, kGroup2Codes);
    step(720, [&] { stream.ExchangeObject(lTailValue1); });
    step(721, [&] { stream.ExchangeObject(lTailValue2); });
    step(722, [&] { stream.ExchangeObject(lTailValue3); });
    step(723, [&] { stream.ExchangeObject(usTailValue4); });
    step(724, [&] { stream.ExchangeObject(lTailValue5); });
    step(725, [&] { stream.ExchangeObject(lTailValue6); });
    bPresent = true;
}

void CBlockQWMXR02::StreamGroup(CFileStream& stream, tGroup& group, qint32 codeBase)
{
    step(codeBase + 0, [&] { stream.ExchangeObject(group.sItem1); });
    step(codeBase + 1, [&] { stream.ExchangeObject(group.lItem2); });
    step(codeBase + 2, [&] { stream.ExchangeObject(group.sItem3); });
    step(codeBase + 3, [&] { stream.ExchangeObject(group.sItem4); });
    step(codeBase + 4, [&] { stream.ExchangeObject(group.lItem5); });
    step(codeBase + 8, [&] {
        // Reserved: written as zeros, dropped on reading.
        quint8 reserved[6] = {};
        stream.ExchangeBytes6(reserved);
    });
    step(codeBase + 10, [&] { stream.ExchangeObject(group.Text7); });
    step(codeBase + 11, [&] { stream.ExchangeObject(group.lItem8); });
    step(codeBase + 12, [&] { stream.ExchangeObject(group.lItem9); });
    step(codeBase + 13, [&] { stream.ExchangeObject(group.lItem10); });
    step(codeBase + 14, [&] { stream.ExchangeObject(group.lItem11); });
    step(codeBase + 15, [&] { stream.ExchangeObject(group.Text12); });
}

} // namespace bc
