#include "graph/GraphModel.h"

#include "core/Assert.h"
#include "graph/MarkPlacement.h"

#include <cmath>

QSharedPointer<CCursorGrab> CGraphModel::TestCursorAt(const CGraphTransform& t,
                                                      CCursors::CCursor* mark, const QPoint& pos)
{
    const QPoint at(GetClampedMarkX(t, cursors.data(), mark, true),
                    t.LevelToPixel(GetView()->GetValueAt(mark->GetPosition())));
    QRect r = GetMarkHandle(mark->GetKind(), at).adjusted(-2, 0, 2, 0);
    if (r.bottom() > fullSize.height())
        r.setBottom(fullSize.height());
    if (!r.contains(pos))
        return {};
    return QSharedPointer<CCursorGrab>::create(this, mark, r.center().x() - pos.x());
}

QSharedPointer<CCursorGrab> CGraphModel::FindCursorAt(const QPoint& pos)
{
    if (!IsEnabled() || IsViewOnly())
        return {};
    const QPoint p = pos + scViewWin.topLeft();
    const CGraphTransform t = GetTransform();
    const bool bEdit = cursors->IsEditMode();

    // The order settles overlaps: edit cursors over markers, the right
    // marker over the left.
    CCursors::CCursor* const candidates[] = {
        bEdit ? cursors->GetRightCursor() : nullptr,
        bEdit ? cursors->GetLeftCursor() : nullptr,
        cursors->GetRightMarker(),
        cursors->GetLeftMarker(),
        bEdit ? cursors->GetCenterCursor() : nullptr,
    };
    for (CCursors::CCursor* mark : candidates) {
        if (!mark)
            continue;
        QSharedPointer<CCursorGrab> grab = TestCursorAt(t, mark, p);
        if (!grab.isNull())
            return grab;
    }
    return {};
}

void CGraphModel::DragCursor(CCursors::CCursor* mark, int x, int offset)
{
    if (!IsEnabled() || IsViewOnly() || !mark)
        return;
    CCursors::CEditableCursor* cursor = cursors->GetCursor(mark->GetKind());
    QV_ASSERT(cursor == mark);
    if (cursor != mark)
        return;

    const float position = mark->GetPosition();
    const float d = position / metresPerPixel - scViewWin.left();
    const int e = qRound(x + offset - d);
    // Corrects the rounding of the full size to whole pixels.
    const float k = (scViewWin.width() * scaleX) / fullSize.width();
    float moved = position + metresPerPixel * e / k;

    const sor::IFileView* view = GetView();
    if (moved >= view->GetLength())
        moved = float(view->GetLength() - view->GetResolution());
    if (moved < 0)
        moved = 0;
    // The move recomputes the edited event.
    cursor->MoveTo(moved);
}

void CGraphModel::MoveGrabbedCursor(const QSharedPointer<CCursorGrab>& cur, int x)
{
    QV_ASSERT(!cur.isNull());
    if (cur.isNull())
        return;
    DragCursor(cur->Cursor, x, cur->Offset);
}

bool CGraphModel::GetMarkerPosition(int type, bool bSpacing, int* x)
{
    QV_ASSERT(type==CCursors::LEFT_MARKER || type==CCursors::RIGHT_MARKER);
    if (!IsEnabled() || IsViewOnly())
        return false;
    CCursors::CCursor* mark = type == CCursors::LEFT_MARKER ? cursors->GetLeftMarker()
                                                            : cursors->GetRightMarker();
    bool bInside = false;
    const int column = GetClampedMarkX(GetTransform(), cursors.data(), mark, bSpacing, &bInside);
    if (x)
        *x = column;
    return bInside;
}
