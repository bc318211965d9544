#pragma once

#include "graph/Line.h"
#include "sor/File.h"
#include "sor/KeyEvents.h"

#include <QSharedPointer>

#include <array>
#include <memory>

class CGraphModel;
struct tViewFile;

// The five vertical cursors over the current trace: two markers for the
// two-marker measurement and three cursors that with them measure one key
// event. Cursors hold propagation times, so they stay on the same time when
// the trace or its group index changes. Also runs the key-event edit mode.
class CCursors
{
public:
    enum
    {
        LEFT_MARKER = 3,
        RIGHT_MARKER = 4,
        LEFT_CURSOR = 5,
        RIGHT_CURSOR = 6,
        CENTER_CURSOR = 7,
    };

    static constexpr double DefaultLeftMarkerPos = 15000.0;
    static constexpr double DefaultRightMarkerPos = 30000.0;
    static constexpr int PointSpanCount = 15;

    // A position on the trace: key events are drawn through temporary ones.
    class CCursor
    {
    public:
        CCursor(CCursors* owner, int kind, double time);
        virtual ~CCursor() = default;

        // Distance in metres of the current trace, without limits.
        virtual float GetPosition() const;
        int GetKind() const { return kind; }
        double GetTime() const { return time; }

    protected:
        double time; // ns
        int kind;
        CCursors* owner;
    };

    // One of the set's five cursors: linked to its neighbours and clamped to
    // the trace when read.
    class CEditableCursor : public CCursor
    {
    public:
        typedef std::unique_ptr<CEditableCursor> tSlot;

        CEditableCursor(CCursors* owner, int kind, double time, const tSlot& left,
                        const tSlot& right);

        // Clamped into [0, trace length].
        float GetPosition() const override;
        float GetBasePosition() const { return CCursor::GetPosition(); }

        void MoveTo(float metres);
        void MoveBy(float delta);
        void SetPosition(float metres);

    private:
        const tSlot& left;
        const tSlot& right;
        bool bMoving = false;
    };

    explicit CCursors(CGraphModel* view);
    ~CCursors();
    CCursors(const CCursors&) = delete;
    CCursors& operator=(const CCursors&) = delete;

    CEditableCursor* GetLeftMarker() const { return GetCursor(LEFT_MARKER); }
    CEditableCursor* GetRightMarker() const { return GetCursor(RIGHT_MARKER); }
    CEditableCursor* GetLeftCursor() const { return GetCursor(LEFT_CURSOR); }
    CEditableCursor* GetRightCursor() const { return GetCursor(RIGHT_CURSOR); }
    CEditableCursor* GetCenterCursor() const { return GetCursor(CENTER_CURSOR); }
    // Null for a kind that is not one of the five.
    CEditableCursor* GetCursor(int kind) const;
    float GetCenterPosition() const { return GetCenterCursor()->GetPosition(); }

    const tLine& GetFirstLine() const { return firstLine; }
    const tLine& GetSecondLine() const { return secondLine; }
    const tLine& GetMarkerLine() const { return markerLine; }

    bool IsEditMode() const { return editedNum >= 0; }
    void SetFixedCursors(bool b) { bFixed = b; }
    bool IsFixedCursors() const { return bFixed; }

    sor::CFile* file() const;
    QSharedPointer<sor::CFile> GetFilePtr() const;
    // (points - 1) x resolution; 37500 while no trace is shown.
    float GetTraceLength() const;
    // n data points of the current trace in metres (0 without a trace).
    float GetPointSpanDistance(int n) const;

    float GetAttenuation() const; // dB/km
    float GetSpliceLoss() const;  // dB
    float GetReflectance() const; // dB
    void RefitLines();

    void BeginEditEvent(int eventNum, int kind, bool atEnd);
    void UpdateEditedEvent();
    void SetEditedEventType(int kind, bool atEnd);
    const sor::tKeyEvent& GetEditedEvent() const;
    // The edited event's index afterwards, or -1 when cancelled.
    int EndEditEvent(bool accept);

    // Nearest integer, halves upward: floor(x + 0.5).
    static int RoundHalfUp(double x);

private:
    friend class CEditableCursor;

    enum
    {
        FIT_FIRST = 1,
        FIT_SECOND = 2,
        FIT_MARKER = 4,
    };

    // The current record, file and view; null when none, and silent, since
    // positions are read while nothing is shown.
    const tViewFile* CurrentRecord() const;
    sor::CFile* CurrentFile() const;
    sor::IFileView* CurrentView() const;
    // A trace with a file and a usable resolution is shown.
    bool CanMeasure() const;
    float TimeToDistance(double ns) const;
    double DistanceToTime(float metres) const;

    float GetAverageLevel(float a, float b) const;
    float GetSlope(float a, float b, float mid, float avg) const;
    void FitLine(tLine& line, float a, float b) const;
    void FitPending();
    void AppendEvent(int kind, bool atEnd);
    void PlaceWithoutMarkers(const sor::tKeyEvent& event, bool atEnd);

    tLine firstLine;
    tLine secondLine;
    tLine markerLine;
    bc::tKeyEventList savedEvents;
    int editedNum = -1;
    double markerScale = 1.0;
    std::array<int, sor::tKeyEvent::MARKER_COUNT> markerOrder{{0, 1, 2, 3, 4}};
    CGraphModel* view;
    bool bFixed = false;
    int moveDepth = 0;
    int pendingFits = 0;
    const CEditableCursor::tSlot noCursor;
    CEditableCursor::tSlot leftCursor;
    CEditableCursor::tSlot leftMarker;
    CEditableCursor::tSlot centerCursor;
    CEditableCursor::tSlot rightMarker;
    CEditableCursor::tSlot rightCursor;
};
