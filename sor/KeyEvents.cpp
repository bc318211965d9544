#include "sor/KeyEvents.h"

#include "core/Exception.h"
#include "sor/BlockInfo.h"
#include "sor/BlockNames.h"
#include "sor/Code.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

#include <QtGlobal>

#include <limits>

namespace bc {

void CKeyEvent::Stream(CFileStream& stream)
{
    BlockStep(370, [&] { stream.ExchangeObject(Number); });
    BlockStep(371, [&] { stream.ExchangeObject(PropagationTime); });
    BlockStep(372, [&] { stream.ExchangeObject(AttenuationCoefficient); });
    BlockStep(373, [&] { stream.ExchangeObject(EventLoss); });
    BlockStep(374, [&] { stream.ExchangeObject(Reflectance); });
    BlockStep(375, [&] { stream.ExchangeCode(GetEventCodeDigits(), EventType); });
    BlockStep(376, [&] { stream.ExchangeCode(GetEventCodeLetters(), EventOrigin); });
    BlockStep(377, [&] { stream.ExchangeBytes(Landmark, LANDMARK_SIZE); });
    BlockStep(378, [&] { stream.ExchangeCode(GetLossTechniqueCodes(), LossTechnique, ReadLossTechnique); });
    if (stream.IsVersion2()) {
        for (int i = 0; i < MARKER_COUNT; ++i)
            BlockStep(381 + i, [&] { stream.ExchangeObject(MarkerPositions[i]); });
    }
    BlockStep(387, [&] { stream.ExchangeObject(Comment); });
}

void CKeyEvents::tMarkers::Stream(CFileStream& stream)
{
    BlockStep(392, [&] { stream.ExchangeObject(Start); });
    BlockStep(393, [&] { stream.ExchangeObject(Finish); });
}

void CKeyEvents::SetEndToEndMarkers(int start, int finish)
{
    m_endToEndMarkers.Start.GetValue() = start;
    m_endToEndMarkers.Finish.GetValue() = finish;
}

void CKeyEvents::SetOpticalReturnLoss(int loss, int start, int finish)
{
    m_opticalReturnLoss.GetValue() = static_cast<unsigned short>(loss);
    m_returnLossMarkers.Start.GetValue() = start;
    m_returnLossMarkers.Finish.GetValue() = finish;
}

void CKeyEvents::Stream(CFileStream& stream)
{
    if (stream.IsReading())
        m_events.clear();
    else if (m_events.empty())
        throw EInternalError({tErrorCode(kBlockSource, 399)});

    BlockStep(404, [&] { stream.CheckBlockName(GetBlockNameKeyEvents()); });

    // The count field is signed 16-bit: a longer list would be stored with
    // a count that reads back as something else.
    if (stream.IsWriting() && m_events.size() > size_t(std::numeric_limits<qint16>::max()))
        throw EInternalError({tErrorCode(kBlockSource, 411)});
    qint16 count = qint16(m_events.size());
    BlockStep(405, [&] { stream.Exchange(count); });
    if (count < 1) {
        if (stream.IsReading())
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 409)});
        throw EInternalError({tErrorCode(kBlockSource, 411)});
    }

    StreamEvents(stream, count);

    BlockStep(431, [&] { stream.ExchangeObject(m_endToEndLoss); });
    BlockStep(432, [&] { stream.StreamObject(m_endToEndMarkers); });
    BlockStep(433, [&] { stream.ExchangeObject(m_opticalReturnLoss); });
    BlockStep(434, [&] { stream.StreamObject(m_returnLossMarkers); });
}

void CKeyEvents::StreamEvents(CFileStream& stream, qint16 count)
{
    if (stream.IsReading()) {
        // Events are appended as they arrive, so a count larger than the
        // file can hold fails at the first missing event.
        for (qint16 i = 0; i < count; ++i) {
            CKeyEvent event;
            BlockStep(418, [&] { stream.StreamObject(event); });
            m_events.push_back(event);
        }
        return;
    }
    for (const sor::tKeyEvent& held : m_events) {
        CKeyEvent event(held);
        BlockStep(427, [&] { stream.StreamObject(event); });
    }
}

void UpdateKeyEventsBlockInfo(std::vector<CBlockInfo>& blockInfos, bool bHasEvents)
{
    auto iDataPts = blockInfos.end();
    for (auto it = blockInfos.begin(); it != blockInfos.end(); ++it) {
        if (it->GetName() == GetBlockNameKeyEvents()) {
            if (!bHasEvents)
                blockInfos.erase(it);
            return;
        }
        if (it->GetName() == GetBlockNameDataPts())
            iDataPts = it;
    }
    auto iInsert = iDataPts;
    if (iDataPts == blockInfos.end()) {
        qCritical("ASSERTION FAILED: %s", "iDataPts != BlockMap.GetBlockInfos().end()");
        // Whatever else is missing, the checksum has to stay the last block.
        for (auto it = blockInfos.begin(); it != blockInfos.end(); ++it) {
            if (it->GetName() == GetBlockNameCksum()) {
                iInsert = it;
                break;
            }
        }
    }
    if (bHasEvents)
        blockInfos.insert(iInsert, CBlockInfo(GetBlockNameKeyEvents(), 1));
}

} // namespace bc
