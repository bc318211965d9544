#include "graph/Cursors.h"

#include "core/Assert.h"
#include "graph/GraphModel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

float Bound(double value, double low, double high)
{
    return float(qBound(low, value, high));
}

bool IsEndOfLine(const sor::tKeyEvent& event)
{
    return event.EventOrigin == 2 || event.EventOrigin == 5;
}

} // namespace

CCursors::CCursor::CCursor(CCursors* owner, int kind, double time)
    : time(time), kind(kind), owner(owner)
{
}

float CCursors::CCursor::GetPosition() const
{
    return owner->TimeToDistance(time);
}

CCursors::CEditableCursor::CEditableCursor(CCursors* owner, int kind, double time,
                                           const tSlot& left, const tSlot& right)
    : CCursor(owner, kind, time), left(left), right(right)
{
}

float CCursors::CEditableCursor::GetPosition() const
{
    return qBound(0.0f, GetBasePosition(), owner->GetTraceLength());
}

void CCursors::CEditableCursor::MoveTo(float metres)
{
    // A NaN planted here would later become a sample index.
    if (!std::isfinite(metres)) {
        QV_ASSERT(std::isfinite(metres));
        return;
    }
    MoveBy(metres - GetBasePosition());
}

void CCursors::CEditableCursor::MoveBy(float delta)
{
    if (!std::isfinite(delta)) {
        QV_ASSERT(std::isfinite(delta));
        return;
    }
    if (bMoving)
        return;
    bMoving = true;
    ++owner->moveDepth;

    SetPosition(GetBasePosition() + delta);

    const bool bFixed = owner->bFixed;
    if (bFixed) {
        if (left)
            left->MoveBy(delta);
        if (right)
            right->MoveBy(delta);
    } else {
        if (left && left->kind == LEFT_CURSOR)
            left->MoveBy(delta);
        if (right && right->kind == RIGHT_CURSOR)
            right->MoveBy(delta);
        // Pushing keeps the order along the fibre; a neighbour already in
        // order is left alone, so its stored time does not drift through a
        // float round trip.
        if (left && GetBasePosition() < left->GetBasePosition())
            left->MoveTo(GetBasePosition());
        if (right && GetBasePosition() > right->GetBasePosition())
            right->MoveTo(GetBasePosition());
    }

    if (kind == LEFT_CURSOR)
        owner->pendingFits |= FIT_FIRST;
    if (kind == RIGHT_CURSOR)
        owner->pendingFits |= FIT_SECOND;
    owner->pendingFits |= FIT_MARKER;

    // The lines depend only on where the chain leaves the cursors, so they
    // are fitted once, when the move that started it ends. The edited event
    // follows every move, whoever made it, so that what the panel shows is
    // what Enter stores.
    if (--owner->moveDepth == 0) {
        owner->FitPending();
        owner->UpdateEditedEvent();
    }
    bMoving = false;
}

void CCursors::CEditableCursor::SetPosition(float metres)
{
    time = owner->DistanceToTime(metres);
}

CCursors::CCursors(CGraphModel* view) : view(view)
{
    const double left = DefaultLeftMarkerPos;
    const double right = DefaultRightMarkerPos;
    leftCursor.reset(new CEditableCursor(this, LEFT_CURSOR, left / 2, noCursor, leftMarker));
    leftMarker.reset(new CEditableCursor(this, LEFT_MARKER, left, leftCursor, centerCursor));
    centerCursor.reset(new CEditableCursor(this, CENTER_CURSOR, (left + right) / 2, leftMarker, rightMarker));
    rightMarker.reset(new CEditableCursor(this, RIGHT_MARKER, right, centerCursor, rightCursor));
    rightCursor.reset(new CEditableCursor(this, RIGHT_CURSOR, right + left / 2, rightMarker, noCursor));
}

CCursors::~CCursors() = default;

CCursors::CEditableCursor* CCursors::GetCursor(int kind) const
{
    switch (kind) {
    case LEFT_CURSOR: return leftCursor.get();
    case LEFT_MARKER: return leftMarker.get();
    case CENTER_CURSOR: return centerCursor.get();
    case RIGHT_MARKER: return rightMarker.get();
    case RIGHT_CURSOR: return rightCursor.get();
    default: return nullptr;
    }
}

sor::CFile* CCursors::file() const
{
    QV_ASSERT(view);
    return view ? view->file() : nullptr;
}

QSharedPointer<sor::CFile> CCursors::GetFilePtr() const
{
    QV_ASSERT(view);
    return view ? view->GetFilePtr() : QSharedPointer<sor::CFile>();
}

const tViewFile* CCursors::CurrentRecord() const
{
    const tListedFiles* data = view ? view->GetData() : nullptr;
    if (!data || data->empty())
        return nullptr;
    return data->back().data();
}

sor::CFile* CCursors::CurrentFile() const
{
    const tViewFile* record = CurrentRecord();
    return record ? record->FilePtr.data() : nullptr;
}

sor::IFileView* CCursors::CurrentView() const
{
    const tViewFile* record = CurrentRecord();
    return record ? record->GetView() : nullptr;
}

bool CCursors::CanMeasure() const
{
    const sor::IFileView* trace = CurrentView();
    return view->IsEnabled() && !view->IsViewOnly() && trace && trace->GetResolution() > 0.0
        && std::isfinite(trace->GetResolution());
}

float CCursors::TimeToDistance(double ns) const
{
    const sor::CFile* f = CurrentFile();
    return float(f ? f->TimeToDistance(ns) : ns);
}

double CCursors::DistanceToTime(float metres) const
{
    const sor::CFile* f = CurrentFile();
    return f ? f->DistanceToTime(metres) : double(metres);
}

float CCursors::GetTraceLength() const
{
    const sor::IFileView* trace = CurrentView();
    if (!trace)
        return float(DefaultLeftMarkerPos / 2 + DefaultRightMarkerPos);
    const double length = (trace->GetDataPointCount() - 1) * trace->GetResolution();
    return std::isfinite(length) && length > 0.0 ? float(length) : 0.0f;
}

float CCursors::GetPointSpanDistance(int n) const
{
    const sor::IFileView* trace = CurrentView();
    const float resolution = trace ? float(trace->GetResolution()) : 0.0f;
    return std::isfinite(resolution) ? n * resolution : 0.0f;
}

int CCursors::RoundHalfUp(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = std::floor(x + 0.5);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

float CCursors::GetAverageLevel(float a, float b) const
{
    const sor::IFileView* trace = CurrentView();
    const double r = trace->GetResolution();
    const int last = trace->GetDataPointCount() - 1;
    const int i0 = qMax(0, RoundHalfUp(a / r));
    const int i1 = qMin(last, RoundHalfUp(b / r));
    if (i1 - i0 + 1 <= 0)
        return 0.0f;
    double sum = 0.0;
    for (int i = i0; i <= i1; ++i)
        sum += trace->GetDataPoint(i);
    return float(sum / (i1 - i0 + 1));
}

// Kept as the instrument software fits: x starts at a rather than at the
// first point's own distance.
float CCursors::GetSlope(float a, float b, float mid, float avg) const
{
    const sor::IFileView* trace = CurrentView();
    const float r = float(trace->GetResolution());
    const int last = trace->GetDataPointCount() - 1;
    const int j0 = qRound(a / r);
    const int j1 = qMin(last, qRound(b / r));
    double products = 0.0;
    double squares = 0.0;
    float x = a;
    for (int j = qMax(0, j0); j <= j1; ++j, x += r) {
        const double dx = x - mid;
        products += (trace->GetDataPoint(j) - avg) * dx;
        squares += dx * dx;
    }
    return squares != 0.0 ? float(products / squares) : 0.0f;
}

void CCursors::FitLine(tLine& line, float a, float b) const
{
    const float mid = (a + b) / 2;
    const float avg = GetAverageLevel(a, b);
    line.Slope = GetSlope(a, b, mid, avg);
    line.Intercept = avg - line.Slope * mid;
}

void CCursors::FitPending()
{
    const int fits = pendingFits;
    pendingFits = 0;
    if (!view || !CanMeasure())
        return;
    if (fits & FIT_FIRST)
        FitLine(firstLine, leftCursor->GetPosition(), leftMarker->GetPosition());
    if (fits & FIT_SECOND)
        FitLine(secondLine, rightMarker->GetPosition(), rightCursor->GetPosition());
    if (fits & FIT_MARKER)
        FitLine(markerLine, leftMarker->GetPosition(), rightMarker->GetPosition());
}

void CCursors::RefitLines()
{
    pendingFits = FIT_FIRST | FIT_SECOND | FIT_MARKER;
    FitPending();
}

float CCursors::GetAttenuation() const
{
    if (!CanMeasure())
        return 0.0f;
    const float a = IsEditMode() ? leftCursor->GetPosition() : leftMarker->GetPosition();
    const float b = IsEditMode() ? leftMarker->GetPosition() : rightMarker->GetPosition();
    const double resolution = CurrentView()->GetResolution();
    if (b - a < resolution / 1000)
        return 0.0f;
    const float slope = GetSlope(a, b, (a + b) / 2, GetAverageLevel(a, b));
    return Bound(slope, -32.768, 32.767);
}

float CCursors::GetSpliceLoss() const
{
    if (!CanMeasure())
        return 0.0f;
    const float x = GetCenterPosition();
    return Bound((secondLine.At(x) - firstLine.At(x)) / 1000.0, -32.768, 32.767);
}

float CCursors::GetReflectance() const
{
    if (!CanMeasure())
        return 0.0f;
    sor::CFile* f = CurrentFile();
    const sor::tFixedParameters* fixed = f->GetFixedParameters();
    double base = fixed->BackscatterCoefficient.GetValue()
        + 10.0 * std::log10(double(fixed->PulseWidth.GetValue()));

    const double r = f->GetResolution();
    const double start = GetCenterPosition();
    const double end = rightMarker->GetPosition();
    const int centreLevel = f->GetValueAt(start);
    int level = centreLevel;
    double peak = start;
    for (double x = start; x <= end; x += r) {
        const int v = f->GetValueAt(x);
        if (v < level) {
            level = v;
            peak = x;
        }
    }
    const double h = std::abs(centreLevel - f->GetValueAt(peak)) / 1000.0;
    if (h != 0.0)
        base += 10.0 * std::log10(std::pow(10.0, h / 5.0) - 1.0);
    return Bound(base, -2147483.75, 2147483.75);
}

void CCursors::AppendEvent(int kind, bool atEnd)
{
    bc::tKeyEventList& events = CurrentFile()->GetKeyEventList();
    sor::tKeyEvent event;
    event.EventType = kind;
    event.EventOrigin = atEnd ? 5 : 0;
    event.PropagationTime.GetValue() = DistanceToTime(GetCenterPosition());
    event.LossTechnique = 1;
    event.Number.GetValue() = unsigned(events.size() + 1);
    event.AttenuationCoefficient.GetValue() = GetAttenuation();
    event.EventLoss.GetValue() = GetSpliceLoss();
    events.push_back(event);
}

void CCursors::PlaceWithoutMarkers(const sor::tKeyEvent& event, bool atEnd)
{
    markerScale = 1.0;
    std::iota(markerOrder.begin(), markerOrder.end(), 0);
    const float p = TimeToDistance(event.PropagationTime.GetValue());
    const float s = float(CurrentView()->GetLength() / 20);
    centerCursor->MoveTo(p);
    leftMarker->MoveTo(p - s);
    leftCursor->MoveTo(p - 2 * s);
    rightMarker->MoveTo(p + s);
    rightCursor->MoveTo(atEnd ? p + s : p + 2 * s);
}

void CCursors::BeginEditEvent(int eventNum, int kind, bool atEnd)
{
    QV_ASSERT(!IsEditMode());
    sor::CFile* f = file();
    // A second begin would overwrite the list a cancel has to restore.
    if (IsEditMode() || !f)
        return;
    bc::tKeyEventList& events = f->GetKeyEventList();
    QV_ASSERT(eventNum>=0);
    QV_ASSERT(eventNum<=int(events.size()));
    if (eventNum < 0 || eventNum > int(events.size()))
        return;

    savedEvents = events;
    if (eventNum == int(events.size()))
        AppendEvent(kind, atEnd);
    else
        events[size_t(eventNum)].EventOrigin = atEnd ? 5 : 1;

    markerScale = 1.0;
    std::iota(markerOrder.begin(), markerOrder.end(), 0);
    const bool bWasFixed = bFixed;
    bFixed = false;

    const sor::tKeyEvent event = events[size_t(eventNum)];
    std::array<double, sor::tKeyEvent::MARKER_COUNT> values;
    bool bHasMarkers = false;
    for (int k = 0; k < sor::tKeyEvent::MARKER_COUNT; ++k) {
        values[size_t(k)] = event.MarkerPositions[k].GetValue();
        bHasMarkers = bHasMarkers || values[size_t(k)] != 0.0;
    }

    bool bPlaced = false;
    if (bHasMarkers) {
        std::array<int, sor::tKeyEvent::MARKER_COUNT> byValue;
        std::iota(byValue.begin(), byValue.end(), 0);
        std::stable_sort(byValue.begin(), byValue.end(),
                         [&values](int x, int y) { return values[size_t(x)] < values[size_t(y)]; });
        std::array<double, sor::tKeyEvent::MARKER_COUNT> s;
        for (int rank = 0; rank < sor::tKeyEvent::MARKER_COUNT; ++rank)
            s[size_t(rank)] = values[size_t(byValue[size_t(rank)])];
        const double scale = event.PropagationTime.GetValue() / s[2];
        // Without a positive middle marker, or for an event at time 0, there
        // is no scale to place by; a zero scale would write the markers back
        // divided by zero.
        if (s[2] > 0.0 && scale > 0.0 && std::isfinite(scale)) {
            for (int rank = 0; rank < sor::tKeyEvent::MARKER_COUNT; ++rank)
                markerOrder[size_t(byValue[size_t(rank)])] = rank;
            markerScale = scale;
            centerCursor->MoveTo(TimeToDistance(scale * s[2]));
            leftMarker->MoveTo(TimeToDistance(scale * s[1]));
            leftCursor->MoveTo(TimeToDistance(scale * s[0]));
            rightMarker->MoveTo(TimeToDistance(scale * s[3]));
            rightCursor->MoveTo(TimeToDistance(scale * s[4]));
            bPlaced = true;
        }
    }
    if (!bPlaced)
        PlaceWithoutMarkers(event, atEnd);

    bFixed = bWasFixed;
    editedNum = eventNum;
    UpdateEditedEvent();
}

void CCursors::UpdateEditedEvent()
{
    if (!IsEditMode())
        return;
    sor::CFile* f = CurrentFile();
    if (!f || editedNum >= int(f->GetKeyEventList().size()))
        return;
    sor::tKeyEvent& event = f->GetKeyEventList()[size_t(editedNum)];
    event.PropagationTime.GetValue() = DistanceToTime(GetCenterPosition());
    event.AttenuationCoefficient.GetValue() = GetAttenuation();
    event.EventLoss.GetValue() = IsEndOfLine(event) ? 0.0f : GetSpliceLoss();
    event.Reflectance.GetValue() = event.EventType == 1 ? GetReflectance() : 0.0;
    const CEditableCursor* inOrder[sor::tKeyEvent::MARKER_COUNT] = {
        leftCursor.get(), leftMarker.get(), centerCursor.get(), rightMarker.get(), rightCursor.get()};
    for (int k = 0; k < sor::tKeyEvent::MARKER_COUNT; ++k) {
        const CEditableCursor* cursor = inOrder[markerOrder[size_t(k)]];
        event.MarkerPositions[k].GetValue() = DistanceToTime(cursor->GetPosition()) / markerScale;
    }
}

void CCursors::SetEditedEventType(int kind, bool atEnd)
{
    QV_ASSERT(IsEditMode());
    sor::CFile* f = CurrentFile();
    if (!IsEditMode() || !f || editedNum >= int(f->GetKeyEventList().size()))
        return;
    sor::tKeyEvent& event = f->GetKeyEventList()[size_t(editedNum)];
    event.EventType = kind;
    event.EventOrigin = atEnd ? 5 : 0;
    UpdateEditedEvent();
}

const sor::tKeyEvent& CCursors::GetEditedEvent() const
{
    QV_ASSERT(IsEditMode());
    static const sor::tKeyEvent none;
    const sor::CFile* f = CurrentFile();
    if (!IsEditMode() || !f || editedNum >= int(f->GetKeyEventList().size()))
        return none;
    return f->GetKeyEventList()[size_t(editedNum)];
}

int CCursors::EndEditEvent(bool accept)
{
    QV_ASSERT(IsEditMode());
    if (!IsEditMode())
        return -1;
    const int n = editedNum;
    editedNum = -1;
    sor::CFile* f = file();
    if (!f || n >= int(f->GetKeyEventList().size())) {
        savedEvents.clear();
        return -1;
    }
    bc::tKeyEventList events = f->GetKeyEventList();
    sor::tKeyEvent edited = events[size_t(n)];

    if (!accept) {
        if (n < int(savedEvents.size()))
            savedEvents[size_t(n)].Comment = edited.Comment;
        f->GetKeyEventList() = savedEvents;
        savedEvents.clear();
        return -1;
    }

    if (n < int(savedEvents.size()) && savedEvents[size_t(n)] == edited) {
        savedEvents.clear();
        return n;
    }

    events.erase(events.begin() + n);
    QV_ASSERT(n <= int(events.size()));
    std::stable_sort(events.begin(), events.end(), [](const sor::tKeyEvent& x, const sor::tKeyEvent& y) {
        return x.PropagationTime.GetValue() < y.PropagationTime.GetValue();
    });

    const double nearby = 5 * f->GetResolution();
    const double time = edited.PropagationTime.GetValue();
    int pos = 0;
    bool bMerged = false;
    for (sor::tKeyEvent& e : events) {
        const double other = e.PropagationTime.GetValue();
        if (f->TimeToDistance(std::abs(other - time)) <= nearby) {
            const QString& ownComment = edited.Comment.GetValue();
            const QString& otherComment = e.Comment.GetValue();
            // The separator stays even after an empty comment: it records
            // that two events were joined.
            if (ownComment.isEmpty())
                edited.Comment.SetValue(otherComment);
            else
                edited.Comment.SetValue(ownComment + QStringLiteral(" | ") + otherComment);
            e = edited;
            bMerged = true;
            break;
        }
        if (time > other)
            ++pos;
        else
            break;
    }
    if (!bMerged)
        events.insert(events.begin() + pos, edited);

    unsigned number = 1;
    for (sor::tKeyEvent& e : events)
        e.Number.GetValue() = number++;

    savedEvents.clear();
    f->SetKeyEventList(events);
    return pos;
}
