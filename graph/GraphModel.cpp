#include "graph/GraphModel.h"

#include "core/Assert.h"

#include <cmath>

QColor GetCompositionColor(int itemIndex, bool bBright)
{
    QV_ASSERT(itemIndex < 7);
    static const Qt::GlobalColor bright[cCompositionColorCnt] = {
        Qt::blue, Qt::green, Qt::yellow, Qt::magenta, Qt::red, Qt::cyan, Qt::gray};
    static const Qt::GlobalColor dark[cCompositionColorCnt] = {
        Qt::darkBlue, Qt::darkGreen, Qt::darkYellow, Qt::darkMagenta,
        Qt::darkRed, Qt::darkCyan, Qt::darkGray};
    if (itemIndex < 0 || itemIndex >= cCompositionColorCnt)
        return QColor(Qt::darkBlue);
    return QColor(bBright ? bright[itemIndex] : dark[itemIndex]);
}

CGraphModel::CGraphModel()
{
    // The cursor set only stores the pointer while it is built.
    cursors.reset(new CCursors(this));
}

bool CGraphModel::IsEnabled() const
{
    // A graph without width (a live trace with no samples yet, a trace
    // without a usable resolution) has nothing to map pixels onto.
    return scViewWin.width() > 0 && scViewWin.height() > 0 && Data && !Data->empty()
        && !Data->back().isNull() && Data->back()->GetView() && grSize.width() > 0.0;
}

sor::CFile* CGraphModel::file() const
{
    QV_ASSERT(IsEnabled());
    if (!Data || Data->empty() || Data->back().isNull())
        return nullptr;
    sor::CFile* pFile = Data->back()->FilePtr.data();
    QV_ASSERT(pFile);
    return pFile;
}

QSharedPointer<sor::CFile> CGraphModel::GetFilePtr() const
{
    QV_ASSERT(IsEnabled());
    if (!Data || Data->empty() || Data->back().isNull())
        return QSharedPointer<sor::CFile>();
    return Data->back()->FilePtr;
}

bool CGraphModel::IsViewOnly() const
{
    return Data && !Data->empty() && !Data->back().isNull() && Data->back()->IsNull();
}

sor::IFileView* CGraphModel::GetView() const
{
    QV_ASSERT(IsEnabled());
    if (!Data || Data->empty() || Data->back().isNull())
        return nullptr;
    return Data->back()->GetView();
}

bool CGraphModel::IsZoomed() const
{
    const double limit = 1.0 + double(0.001f);
    return double(scaleY) > limit || double(scaleX) > limit;
}

bool CGraphModel::IsZoomedX() const
{
    const float limit = 1.0f + 0.001f;
    return scaleX > limit;
}

bool CGraphModel::IsZoomedY() const
{
    const float limit = 1.0f + 0.001f;
    return scaleY > limit;
}

// Never below 1: on a trace shorter than 50 m (or flatter than 1 dB) a
// smaller maximum would zoom out past the whole graph and move the window
// before the first sample.
float CGraphModel::GetMaxScaleX() const
{
    return qMax(1.0f, float(grSize.width()) / 50.0f);
}

float CGraphModel::GetMaxScaleY() const
{
    return qMax(1.0f, float(grSize.height()) / 1000.0f);
}

float CGraphModel::GetViewWidth(bool bScaled) const
{
    const float width = float(grSize.width());
    return bScaled ? width / scaleX : width;
}

float CGraphModel::GetViewHeightDb(bool bScaled) const
{
    const float height = float(grSize.height());
    return (bScaled ? height / scaleY : height) / 1000.0f;
}

CGraphTransform CGraphModel::GetTransform() const
{
    CGraphTransform t;
    const QRectF source(ToGraph(scViewWin.topLeft()), ToGraphSize(scViewWin.size()));
    if (!IsEnabled()) {
        t.Init(0, 0.0f, source, scViewWin);
        return t;
    }
    const sor::IFileView* view = GetView();
    t.Init(view->GetDataPointCount(), float(view->GetResolution()), source, scViewWin);
    return t;
}

QPointF CGraphModel::ToGraph(const QPointF& p) const
{
    return QPointF(p.x() * metresPerPixel, p.y() * unitsPerPixel);
}

QSizeF CGraphModel::ToGraphSize(const QSize& s) const
{
    return QSizeF(s.width() * metresPerPixel, s.height() * unitsPerPixel);
}

QPoint CGraphModel::ToPixels(const QPointF& g) const
{
    return QPoint(qRound(float(g.x()) / metresPerPixel), qRound(float(g.y()) / unitsPerPixel));
}

QPointF CGraphModel::MapToWindow(const QSize& res, const QPointF& pos, bool bIsScaledView) const
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wparentheses"
    QV_ASSERT(!bIsScaledView || res.width() == scViewWin.width() && res.height() == scViewWin.height());
#pragma GCC diagnostic pop
    float rx = float(res.width()) / float(fullSize.width());
    float ry = float(res.height()) / float(fullSize.height());
    if (bIsScaledView) {
        rx *= scaleX;
        ry *= scaleY;
    }
    return QPointF(float(pos.x()) / rx, float(pos.y()) / ry);
}

QRectF CGraphModel::GetPreviewRect(const QSize& res) const
{
    const float kx = float(res.width()) / float(fullSize.width());
    const float ky = float(res.height()) / float(fullSize.height());
    return QRectF(scViewWin.left() * kx, scViewWin.top() * ky,
                  scViewWin.width() * kx, scViewWin.height() * ky);
}

void CGraphModel::SetData(const tListedFiles* set)
{
    Data = set;
    QV_ASSERT(!Data || Data->size() <= cCompositionColorCnt);
    if (!Data || Data->empty()) {
        grSize = QSizeF();
        ZoomOff();
        return;
    }
    float width = 0.0f;
    float height = 0.0f;
    for (const QSharedPointer<tListedFile>& element : *Data) {
        const sor::IFileView* view = element ? element->GetView() : nullptr;
        if (!view)
            continue;
        if (height < view->GetMaxDataPoint())
            height = view->GetMaxDataPoint();
        if (view->GetLength() > width)
            width = float(view->GetLength());
    }
    grSize = QSizeF(width, height);
    const QSharedPointer<tListedFile>& first = Data->front();
    if (first)
        SetZoom(first->ScaleX, first->ScaleY, first->OriginX, first->OriginY);
    UpdateLimits();
}

void CGraphModel::SetZoom(float scaleX, float scaleY, int originX, int originY)
{
    this->scaleX = scaleX;
    this->scaleY = scaleY;
    origin = QPointF(originX, originY);
}

void CGraphModel::UpdateLimits()
{
    cursors->RefitLines();
    UpdateView();
}

void CGraphModel::SetWindowSize(const QSize& size)
{
    scViewWin.setSize(size);
    UpdateView();
}

bool CGraphModel::UpdateView()
{
    if (!IsEnabled())
        return false;
    fullSize = QSize(qRound(scViewWin.width() * scaleX), qRound(scViewWin.height() * scaleY));
    metresPerPixel = float(grSize.width()) / float(fullSize.width());
    unitsPerPixel = float(grSize.height()) / float(fullSize.height());

    const QSizeF grViewWinSize = ToGraphSize(scViewWin.size());
    QV_ASSERT(qRound(grViewWinSize.width()) <= qRound(grSize.width()) && qRound(grViewWinSize.height()) <= qRound(grSize.height()));

    const double halfWidth = grViewWinSize.width() / 2;
    const double halfHeight = grViewWinSize.height() / 2;
    // Both lower bounds first, so that on a graph narrower than the window
    // the upper bound wins.
    if (origin.x() < halfWidth)
        origin.setX(halfWidth);
    if (origin.y() < halfHeight)
        origin.setY(halfHeight);
    if (origin.x() > grSize.width() - halfWidth)
        origin.setX(grSize.width() - halfWidth);
    if (origin.y() > grSize.height() - halfHeight)
        origin.setY(grSize.height() - halfHeight);

    scViewWin.moveTopLeft(ToPixels(QPointF(origin.x() - halfWidth, origin.y() - halfHeight)));
    return true;
}

bool CGraphModel::ApplyScale(float& scale, float factor, float maxScale)
{
    QV_ASSERT(maxScale>=1.0f);
    const float n = scale * factor;
    if (n < 1.0f) {
        if (scale > 1.0f) {
            scale = 1.0f;
            return true;
        }
        return false;
    }
    if (n <= maxScale) {
        scale = n;
        return true;
    }
    // With so little room to zoom, overshooting returns to the whole graph.
    if (maxScale - maxScale * 0.5f / 3.0f <= 1.0f && scale > 1.0f) {
        scale = 1.0f;
        return true;
    }
    if (scale == maxScale)
        return false;
    scale = maxScale;
    return true;
}

bool CGraphModel::Zoom(const QSize& res, const QPointF& pos, int steps, bool bXOnly, bool bIsScaledView)
{
    if (!IsEnabled())
        return false;
    const float f = float(steps) / 3.0f;
    const float factor = f < 0.0f ? 1.0f / (1.0f - f) : f + 1.0f;

    const QPointF w = MapToWindow(res, pos, bIsScaledView);
    const QPointF g = ToGraph(w + QPointF(scViewWin.topLeft()));

    float trialX = scaleX;
    float trialY = scaleY;
    const bool bX = ApplyScale(trialX, factor, GetMaxScaleX());
    if (bXOnly) {
        if (!bX)
            return false;
    } else if (!bX && !ApplyScale(trialY, factor, GetMaxScaleY())) {
        return false;
    }

    if (!bIsScaledView)
        origin = ToGraph(w);

    ApplyScale(scaleX, factor, GetMaxScaleX());
    if (!bXOnly)
        ApplyScale(scaleY, factor, GetMaxScaleY());

    if (bIsScaledView) {
        // Keep the graph point under the mouse where it was.
        const float kx = float(scViewWin.width() * scaleX / grSize.width());
        const float ky = float(scViewWin.height() * scaleY / grSize.height());
        const QPointF p(g.x() * kx, g.y() * ky);
        const QRect r((p - w).toPoint(), scViewWin.size());
        const QPointF c = QPointF(r.center()) + QPointF(0.5, 0.5);
        origin = QPointF(c.x() / kx, c.y() / ky);
    }
    return UpdateView();
}

void CGraphModel::ZoomToRect(const QRect& r)
{
    if (!IsEnabled())
        return;
    const QRect full = r.translated(scViewWin.topLeft());
    origin = ToGraph(full.center());

    const float wrelation = float(scViewWin.width()) / float(r.width());
    QV_ASSERT(wrelation>=1.0f);
    ApplyScale(scaleX, wrelation, GetMaxScaleX());

    const float hrelation = float(scViewWin.height()) / float(r.height());
    QV_ASSERT(hrelation>=1.0f);
    ApplyScale(scaleY, hrelation, GetMaxScaleY());

    UpdateView();
}

void CGraphModel::ZoomOff()
{
    scaleY = 1.0f;
    scaleX = 1.0f;
    origin = QPointF(grSize.width() / 2, grSize.height() / 2);
    UpdateView();
}

void CGraphModel::ToggleZoom()
{
    if (!IsEnabled()) {
        GetView();
        return;
    }
    sor::IFileView* view = GetView();
    if (scaleX != 1.0f || scaleY != 1.0f) {
        if (!IsViewOnly()) {
            const QPointF topLeft = ToGraph(scViewWin.topLeft());
            const QSizeF size = ToGraphSize(scViewWin.size());
            view->SetViewRect(QRect(int(topLeft.x()), int(topLeft.y()),
                                    int(size.width()), int(size.height())));
        }
        ZoomOff();
        return;
    }

    const QRect v = view->GetViewRect();
    if (v.width() < 100 && v.height() < 100)
        return;
    origin = v.center();
    const float wdelta = float(grSize.width()) / float(v.width());
    QV_ASSERT(wdelta>=1.0f);
    ApplyScale(scaleX, wdelta, GetMaxScaleX());
    const float hdelta = float(grSize.height()) / float(v.height());
    QV_ASSERT(hdelta>=1.0f);
    ApplyScale(scaleY, hdelta, GetMaxScaleY());
    UpdateView();
}

void CGraphModel::ScrollTo(const QPoint& topLeft)
{
    if (!IsEnabled())
        return;
    const QPointF t = ToGraph(topLeft);
    const QSizeF s = ToGraphSize(scViewWin.size());
    origin = QPointF(t.x() + s.width() / 2, t.y() + s.height() / 2);
    UpdateView();
}

void CGraphModel::CenterOnPreviewPoint(const QSize& res, const QPointF& pos, bool bIsScaledView)
{
    if (!IsEnabled())
        return;
    origin = ToGraph(MapToWindow(res, pos, bIsScaledView));
    UpdateView();
}
