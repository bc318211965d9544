#include "graph/Preview.h"

#include "graph/GraphModel.h"
#include "graph/GraphPix.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {
const int cWheelStep = 120;
// The window is kept visible and grabbable however far the plot is zoomed.
const int cMinDrawnSize = 3;
const int cMinGrabSize = 10;
} // namespace

Preview::Preview(CGraphModel* view, QWidget* parent)
    : QWidget(parent)
    , view(view)
{
    setMouseTracking(true);
}

QRect Preview::GetWindowRect() const
{
    return view->GetPreviewRect(size()).toRect();
}

QRect Preview::GetGrabRect() const
{
    QRect r = GetWindowRect();
    const QPoint c = r.center();
    if (r.width() < cMinGrabSize) {
        r.setLeft(c.x() - 5);
        r.setRight(c.x() + 10);
    }
    if (r.height() < cMinGrabSize) {
        r.setTop(c.y() - 5);
        r.setBottom(c.y() + 10);
    }
    return r;
}

void Preview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !view->IsZoomed())
        return;
    const QPointF p = event->localPos();
    QRectF r = view->GetPreviewRect(size());
    dragOffset = QPointF();
    if (!GetGrabRect().contains(p.toPoint())) {
        view->CenterOnPreviewPoint(size(), p, false);
        r = view->GetPreviewRect(size());
        repaint();
        emit sigUpdate();
    }
    dragOffset = r.center() - p;
    setCursor(Qt::ClosedHandCursor);
}

void Preview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        return;
    dragOffset = QPointF();
    const bool bOver = view->IsZoomed() && GetWindowRect().contains(event->pos());
    setCursor(bOver ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void Preview::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setCursor(Qt::ArrowCursor);
    view->ToggleZoom();
    repaint();
    emit sigUpdate();
}

void Preview::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->localPos();
    if (!dragOffset.isNull()) {
        view->CenterOnPreviewPoint(size(), p + dragOffset, false);
        repaint();
        emit sigUpdate();
        return;
    }
    const bool bOver = view->IsZoomed() && GetGrabRect().contains(p.toPoint());
    setCursor(bOver ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void Preview::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / cWheelStep;
    // Zooming by no steps would still recentre the plot on the pointer.
    if (steps == 0)
        return;
    QPointF p = event->position();
    if (event->buttons() == Qt::LeftButton && !dragOffset.isNull())
        p += dragOffset;
    view->Zoom(size(), p, steps, event->modifiers() & Qt::ControlModifier, false);

    if (view->IsZoomed() && view->GetPreviewRect(size()).contains(p))
        setCursor(dragOffset.isNull() ? Qt::OpenHandCursor : Qt::ClosedHandCursor);
    else
        setCursor(Qt::ArrowCursor);
    repaint();
    emit sigUpdate();
}

void Preview::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    view->Draw(&painter, QRect(0, 0, width(), height()), false, false, false, false, true);
    if (view->IsZoomed()) {
        QRect r = GetWindowRect();
        if (r.width() < cMinDrawnSize) {
            r.setWidth(cMinDrawnSize);
            r.moveLeft(qMax(0, r.left() - 1));
        }
        if (r.height() < cMinDrawnSize) {
            r.setHeight(cMinDrawnSize);
            r.moveTop(qMax(0, r.top() - 1));
        }
        // The pen strokes one pixel beyond right() and bottom().
        if (r.right() >= width() - 1)
            r.moveRight(width() - 2);
        if (r.bottom() >= height() - 1)
            r.moveBottom(height() - 2);
        r.setLeft(qMax(0, r.left()));
        r.setTop(qMax(0, r.top()));
        painter.setPen(Qt::red);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
    }
    painter.end();
    QWidget::paintEvent(event);
}

CPreviewFrame::CPreviewFrame(CGraphModel* view, CGraphPix* plot, QWidget* parent)
    : QFrame(parent)
    , preview(view, this)
    , plot(plot)
{
    setFrameStyle(QFrame::NoFrame);
    setMinimumWidth(150);
    setMaximumHeight(150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

QRect CPreviewFrame::PlaceOverview(const QSize& frameSize, const QSize& plotSize)
{
    const int W = frameSize.width();
    const int H = frameSize.height();
    const int w0 = plotSize.width();
    const int h0 = plotSize.height();
    // A plot not laid out yet has no proportions to copy.
    if (w0 <= 0 || h0 <= 0)
        return QRect(0, 0, W, H);

    float scale = float(W) / w0;
    int h = qRound(h0 * scale);
    int w = W;
    if (H < h) {
        h = H;
        scale = float(H) / h0;
        w = qRound(w0 * scale);
    }
    const int x = w < W ? W - w : 0;
    const int y = h < H ? (H - h) / 2 : 0;
    return QRect(x, y, w, h);
}

void CPreviewFrame::OnUpdatePix()
{
    LayoutPreview();
    preview.update();
}

void CPreviewFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayoutPreview();
}

void CPreviewFrame::LayoutPreview()
{
    preview.setGeometry(PlaceOverview(size(), plot ? plot->size() : QSize()));
}
