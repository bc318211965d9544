#pragma once

#include "graph/Cursors.h"

#include <QPoint>
#include <QRect>

class CGraphTransform;

// Pixel column of a mark. Markers and cursors keep their order along the
// fibre at least one pixel apart, also when they share a position or lie
// outside the window; with bClamp they stay inside t's target. bSpacing
// keeps the edit-mode cursors apart around the centre cursor.
int GetMarkX(const CGraphTransform& t, const CCursors* cursors, const CCursors::CCursor* mark,
             bool bSpacing, bool bClamp);

// GetMarkX clamped to the target; *bInside tells whether the clamp left the
// column alone, i.e. whether the mark lies inside the target.
int GetClampedMarkX(const CGraphTransform& t, const CCursors* cursors,
                    const CCursors::CCursor* mark, bool bSpacing, bool* bInside = nullptr);

// The area that picks a mark drawn at `at`: markers the whole height,
// cursors their 10-pixel tick, the centre cursor and events their T.
QRect GetMarkHandle(int kind, const QPoint& at);
