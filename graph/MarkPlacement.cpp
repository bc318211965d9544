#include "graph/MarkPlacement.h"

#include "graph/GraphTransform.h"

#include <algorithm>
#include <limits>

namespace {

// Limits start at the ends of the int range and are moved by one or two
// pixels, so the arithmetic runs in 64 bits and only the result is narrowed.
qint64 MarkX(const CGraphTransform& t, const CCursors* cursors, const CCursors::CCursor* mark,
             bool bSpacing, bool bClamp)
{
    qint64 x = t.XToPixel(mark->GetPosition());
    qint64 lo = std::numeric_limits<int>::min();
    qint64 hi = std::numeric_limits<int>::max();
    if (bClamp) {
        lo = t.GetTarget().left();
        hi = t.GetTarget().right();
    }
    const int kind = mark->GetKind();
    if (bSpacing && cursors->IsEditMode()) {
        qint64 s = t.XToPixel(cursors->GetCenterCursor()->GetPosition());
        s = std::min(std::max(s, lo + 2), hi - 2);
        switch (kind) {
        case CCursors::CENTER_CURSOR:
            x = s;
            break;
        case CCursors::LEFT_MARKER:
            x = std::max(std::min(x, s - 1), lo + 1);
            break;
        case CCursors::RIGHT_MARKER:
            x = std::min(std::max(x, s + 1), hi - 1);
            break;
        case CCursors::LEFT_CURSOR:
            x = std::min(x, MarkX(t, cursors, cursors->GetLeftMarker(), bSpacing, bClamp) - 1);
            x = std::max(x, lo);
            break;
        case CCursors::RIGHT_CURSOR:
            x = std::max(x, MarkX(t, cursors, cursors->GetRightMarker(), bSpacing, bClamp) + 1);
            x = std::min(x, hi);
            break;
        default:
            break;
        }
        return x;
    }
    switch (kind) {
    case CCursors::LEFT_MARKER:
        x = std::max(std::min(x, hi - 1), lo);
        break;
    case CCursors::RIGHT_MARKER:
        x = std::max(x, MarkX(t, cursors, cursors->GetLeftMarker(), bSpacing, bClamp) + 1);
        x = std::min(x, hi);
        break;
    default:
        break;
    }
    return x;
}

int Narrow(qint64 x)
{
    return int(std::min<qint64>(std::max<qint64>(x, std::numeric_limits<int>::min()),
                                std::numeric_limits<int>::max()));
}

} // namespace

int GetMarkX(const CGraphTransform& t, const CCursors* cursors, const CCursors::CCursor* mark,
             bool bSpacing, bool bClamp)
{
    return Narrow(MarkX(t, cursors, mark, bSpacing, bClamp));
}

int GetClampedMarkX(const CGraphTransform& t, const CCursors* cursors,
                    const CCursors::CCursor* mark, bool bSpacing, bool* bInside)
{
    const int x = GetMarkX(t, cursors, mark, bSpacing, true);
    if (bInside)
        *bInside = x == GetMarkX(t, cursors, mark, bSpacing, false);
    return x;
}

QRect GetMarkHandle(int kind, const QPoint& at)
{
    switch (kind) {
    case CCursors::LEFT_MARKER:
    case CCursors::RIGHT_MARKER:
        return QRect(at.x(), 0, 1, std::numeric_limits<int>::max());
    case CCursors::LEFT_CURSOR:
    case CCursors::RIGHT_CURSOR:
        return QRect(at.x(), at.y() - 5, 1, 10);
    default:
        return QRect(at.x() - 4, at.y() - 5, 8, 10);
    }
}
