#pragma once

#include "core/NumValue.h"
#include "sor/KeyEvent.h"
#include "sor/Stream.h"

#include <deque>
#include <vector>

namespace bc {

class CBlockInfo;
class CFileStream;

using tKeyEventList = std::deque<sor::tKeyEvent>;

// One event record wrapped for streaming; built on the spot and dropped.
class CKeyEvent : public IStream, public sor::tKeyEvent
{
public:
    CKeyEvent() = default;
    explicit CKeyEvent(const sor::tKeyEvent& event) : sor::tKeyEvent(event) {}
    ~CKeyEvent() override = default;

    void Stream(CFileStream& stream) override;
};

// The "KeyEvents" block: the events along the fibre followed by the
// end-to-end loss and the optical return loss with their marker pairs.
class CKeyEvents : public IStream
{
public:
    // A marker pair, as propagation times in tenths of a nanosecond.
    class tMarkers : public IStream
    {
    public:
        tMarkers() : Start(0), Finish(1) {}
        virtual ~tMarkers() = default;

        void Stream(CFileStream& stream) override;

        CType::NumValue<qint32, qint32, 1, 7> Start;
        CType::NumValue<qint32, qint32, 1, 7> Finish;
    };

    CKeyEvents() = default;
    virtual ~CKeyEvents() = default;

    void Stream(CFileStream& stream) override;

    tKeyEventList& GetKeyEventList() { return m_events; }
    const tKeyEventList& GetKeyEventList() const { return m_events; }

    int GetEndToEndLoss() const { return m_endToEndLoss.GetValue(); }
    int GetEndToEndMarkerStart() const { return m_endToEndMarkers.Start.GetValue(); }
    int GetEndToEndMarkerFinish() const { return m_endToEndMarkers.Finish.GetValue(); }
    void SetEndToEndMarkers(int start, int finish);
    void SetEndToEndLoss(int loss) { m_endToEndLoss.GetValue() = loss; }

    int GetOpticalReturnLoss() const { return m_opticalReturnLoss.GetValue(); }
    int GetReturnLossMarkerStart() const { return m_returnLossMarkers.Start.GetValue(); }
    int GetReturnLossMarkerFinish() const { return m_returnLossMarkers.Finish.GetValue(); }
    void SetOpticalReturnLoss(int loss, int start, int finish);

private:
    void StreamEvents(CFileStream& stream, qint16 count);

    tKeyEventList m_events;
    CType::NumValue<qint32, qint32, 1, 7> m_endToEndLoss;
    tMarkers m_endToEndMarkers;
    CType::NumValue<unsigned short, unsigned short, 1, 2> m_opticalReturnLoss;
    tMarkers m_returnLossMarkers;
};

// Keeps the map's "KeyEvents" entry in step with the event list: present
// exactly when there are events, placed in front of the data points.
void UpdateKeyEventsBlockInfo(std::vector<CBlockInfo>& blockInfos, bool bHasEvents);

} // namespace bc
