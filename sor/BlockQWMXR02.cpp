#include "sor/BlockQWMXR02.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

namespace bc {

namespace {

const qint32 kGroup1Codes = 684;
const qint32 kGroup2Codes = 702;

} // namespace

void CBlockQWMXR02::Stream(CFileStream& stream)
{
    BlockStep(676, [&] { stream.CheckBlockName(GetBlockNameQWMXR02()); });
    BlockStep(677, [&] { stream.ExchangeObject(lHeadValue1); });
    BlockStep(678, [&] { stream.ExchangeObject(lHeadValue2); });
    BlockStep(679, [&] { stream.ExchangeObject(sHeadValue3); });
    BlockStep(680, [&] { stream.ExchangeObject(lHeadValue4); });
    BlockStep(681, [&] { stream.ExchangeObject(usHeadValue5); });
    StreamGroup(stream, Group1, kGroup1Codes);
    StreamGroup(stream, Group2, kGroup2Codes);
    BlockStep(720, [&] { stream.ExchangeObject(lTailValue1); });
    BlockStep(721, [&] { stream.ExchangeObject(lTailValue2); });
    BlockStep(722, [&] { stream.ExchangeObject(lTailValue3); });
    BlockStep(723, [&] { stream.ExchangeObject(usTailValue4); });
    BlockStep(724, [&] { stream.ExchangeObject(lTailValue5); });
    BlockStep(725, [&] { stream.ExchangeObject(lTailValue6); });
    bPresent = true;
}

void CBlockQWMXR02::StreamGroup(CFileStream& stream, tGroup& group, qint32 codeBase)
{
    BlockStep(codeBase + 0, [&] { stream.ExchangeObject(group.sItem1); });
    BlockStep(codeBase + 1, [&] { stream.ExchangeObject(group.lItem2); });
    BlockStep(codeBase + 2, [&] { stream.ExchangeObject(group.sItem3); });
    BlockStep(codeBase + 3, [&] { stream.ExchangeObject(group.sItem4); });
    BlockStep(codeBase + 4, [&] { stream.ExchangeObject(group.lItem5); });
    BlockStep(codeBase + 8, [&] {
        // Reserved: written as zeros, dropped on reading.
        quint8 reserved[6] = {};
        stream.ExchangeBytes6(reserved);
    });
    BlockStep(codeBase + 10, [&] { stream.ExchangeObject(group.Text7); });
    BlockStep(codeBase + 11, [&] { stream.ExchangeObject(group.lItem8); });
    BlockStep(codeBase + 12, [&] { stream.ExchangeObject(group.lItem9); });
    BlockStep(codeBase + 13, [&] { stream.ExchangeObject(group.lItem10); });
    BlockStep(codeBase + 14, [&] { stream.ExchangeObject(group.lItem11); });
    BlockStep(codeBase + 15, [&] { stream.ExchangeObject(group.Text12); });
}

} // namespace bc
