#pragma once

#include "filelist/ViewFile.h"
#include "graph/Cursors.h"
#include "graph/GraphTransform.h"

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSharedPointer>
#include <QSize>
#include <QSizeF>

class QPainter;
class CGraphModel;

// The number of traces that can be compared, and of colours per palette.
const int cCompositionColorCnt = 7;

// Colour of comparison slot 0..6 in the bright or the dark palette.
QColor GetCompositionColor(int itemIndex, bool bBright);

// A cursor picked by the mouse, with the pixel offset from the mouse to
// the centre of its handle, so that a drag does not make it jump.
struct CCursorGrab
{
    CCursorGrab(CGraphModel* model, CCursors::CCursor* cursor, int offset)
        : Model(model), Cursor(cursor), Offset(offset) {}

    CGraphModel* Model;
    CCursors::CCursor* Cursor;
    qint32 Offset;
};

// The one shared state of the trace plot: which traces are shown (the
// current one last), how large the whole graph is, which part of it is
// visible and at what zoom. Graph units are metres along x and sample
// levels (1000 per dB, larger is lower) along y; full pixels cover the
// whole graph at the current zoom; the view window scViewWin is a
// widget-sized rectangle in full pixels.
class CGraphModel
{
public:
    CGraphModel();
    CGraphModel(const CGraphModel&) = delete;
    CGraphModel& operator=(const CGraphModel&) = delete;

    bool IsEnabled() const;
    sor::CFile* file() const;
    QSharedPointer<sor::CFile> GetFilePtr() const;
    bool IsViewOnly() const;
    sor::IFileView* GetView() const;
    CCursors* GetCursors() const { return cursors.data(); }
    // The displayed set, null when nothing is shown; not owned.
    const tListedFiles* GetData() const { return Data; }

    float GetScaleX() const { return scaleX; }
    float GetScaleY() const { return scaleY; }
    int GetOriginX() const { return int(origin.x()); }
    int GetOriginY() const { return int(origin.y()); }
    QPointF GetOrigin() const { return origin; }
    QSize GetWindowSize() const { return fullSize; }
    QPoint GetWindowTopLeft() const { return scViewWin.topLeft(); }
    QSize GetWindowRectSize() const { return scViewWin.size(); }
    QRect GetViewWin() const { return scViewWin; }
    QSizeF GetGraphSize() const { return grSize; }
    float GetMetresPerPixel() const { return metresPerPixel; }
    float GetUnitsPerPixel() const { return unitsPerPixel; }

    bool IsZoomed() const;
    bool IsZoomedX() const;
    bool IsZoomedY() const;
    float GetMaxScaleX() const;
    float GetMaxScaleY() const;
    // Visible width in metres and height in dB (whole graph without bScaled).
    float GetViewWidth(bool bScaled) const;
    float GetViewHeightDb(bool bScaled) const;

    bool IsShowEvents() const { return bShowEvents; }
    void SetShowEvents(bool b) { bShowEvents = b; }
    bool IsShowMarkerLine() const { return bShowMarkerLine; }
    void SetShowMarkerLine(bool b) { bShowMarkerLine = b; }
    // 0: straight line between the trace levels at the markers; otherwise
    // the cursor set's fitted marker line.
    qint32 GetMarkerLineType() const { return markerLineType; }
    void SetMarkerLineType(qint32 type) { markerLineType = type; }

    CGraphTransform GetTransform() const;

    QPointF ToGraph(const QPointF& p) const;
    QSizeF ToGraphSize(const QSize& s) const;
    QPoint ToPixels(const QPointF& g) const;
    QPointF MapToWindow(const QSize& res, const QPointF& pos, bool bIsScaledView) const;
    QRectF GetPreviewRect(const QSize& res) const;

    // The caller keeps the set alive while it is attached.
    void SetData(const tListedFiles* set);
    void SetZoom(float scaleX, float scaleY, int originX, int originY);
    void UpdateLimits();
    void SetWindowSize(const QSize& size);
    bool UpdateView();
    bool Zoom(const QSize& res, const QPointF& pos, int steps, bool bXOnly, bool bIsScaledView);
    void ZoomToRect(const QRect& r);
    void ZoomOff();
    void ToggleZoom();
    void ScrollTo(const QPoint& topLeft);
    void CenterOnPreviewPoint(const QSize& res, const QPointF& pos, bool bIsScaledView);

    // Multiplies scale by factor within [1, maxScale]; false when nothing changed.
    static bool ApplyScale(float& scale, float factor, float maxScale);

    // Defined by the renderer (painting, placement and picking of marks).
    void Draw(QPainter* painter, const QRect& target, bool bScaledView, bool bGrid,
              bool bGridLabels, bool bPrint, bool bIgnored);
    QSharedPointer<CCursorGrab> FindCursorAt(const QPoint& pos);
    QSharedPointer<CCursorGrab> TestCursorAt(const CGraphTransform& t, CCursors::CCursor* mark,
                                             const QPoint& pos);
    void DragCursor(CCursors::CCursor* mark, int x, int offset);
    void MoveGrabbedCursor(const QSharedPointer<CCursorGrab>& grab, int x);
    // True when the marker lies inside the view window; its column goes to *x.
    bool GetMarkerPosition(int type, bool bSpacing, int* x = nullptr);

private:
    const tListedFiles* Data = nullptr;
    QSharedPointer<CCursors> cursors;
    bool bShowEvents = true;
    bool bShowMarkerLine = false;
    qint32 markerLineType = 0;
    QSizeF grSize;
    QPointF origin;
    QSize fullSize;
    float metresPerPixel = 0.0f;
    float unitsPerPixel = 0.0f;
    QRect scViewWin;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};
