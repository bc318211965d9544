#pragma once

#include "graph/Cursors.h"

#include <QColor>
#include <QRect>
#include <QString>

class CGraphTransform;
class QPainter;

namespace sor {
class CFile;
struct tKeyEvent;
}

// A key event seen as a mark, made for one paint: reflective events are
// kind 1, all others kind 2.
class CEventMark : public CCursors::CCursor
{
public:
    CEventMark(CCursors* owner, const sor::CFile* file, int eventNum);

    int GetEventNum() const { return eventNum; }
    // Null when the number lies outside the file's event list.
    const sor::tKeyEvent* GetEvent() const;

private:
    const sor::CFile* file;
    int eventNum;
};

// All marks of one pass: the halo pass draws the wide light outlines of
// markers and edit cursors, the main pass the marks themselves and, on a
// scaled view, the key events with their labels and icons.
void DrawMarkers(QPainter* painter, const CGraphTransform& t, CCursors* cursors,
                 sor::CFile* file, bool bScaledView, const QColor& background, bool bHaloPass,
                 bool bPrint, bool bShowEvents);

// One mark at its placed column and at the trace level under it. `colour`
// is the halo colour of edit cursors (markers and events pick their own).
void DrawMark(QPainter* painter, const CGraphTransform& t, sor::CFile* file, CCursors* cursors,
              CCursors::CCursor* mark, const QColor& colour, bool bHalo, bool bPrint,
              bool bMarkerRules, float previousEventPosition);

// A 1-pixel line in `colour`, or for a halo a 3-pixel line in its inverse.
void DrawMarkLine(QPainter* painter, int x1, int y1, int x2, int y2, const QColor& colour,
                  bool bHalo);

// Text with a one-pixel white outline, readable over traces and grid.
void DrawOutlinedText(QPainter* painter, const QRect& rect, int flags, const QString& text);
