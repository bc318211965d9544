#include "graph/GraphPix.h"

#include "app/Constants.h"
#include "app/MainOpt.h"
#include "core/Assert.h"
#include "graph/GraphModel.h"
#include "graph/ScopeTrace.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

namespace {

// One notch of an ordinary mouse wheel.
const int cWheelStep = 120;

// The options may not exist yet (or any more); the band then contrasts
// with the default background, as the plot falls back to it.
QColor ContrastColour()
{
    const CMainOpt* options = CMainOpt::Instance();
    if (options)
        return options->GetContrastColor();
    const QColor& b = cDefaultGraphBackground;
    return QColor(255 - b.red(), 255 - b.green(), 255 - b.blue());
}

} // namespace

CGraphPix::CGraphPix(CGraphModel* view, QWidget* parent)
    : QWidget(parent)
    , view(view)
{
    setMinimumSize(300, 300);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    view->SetWindowSize(size());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CGraphPix::~CGraphPix() = default;

bool CGraphPix::event(QEvent* event)
{
    return QWidget::event(event);
}

void CGraphPix::mousePressEvent(QMouseEvent* event)
{
    CScopeTrace trace(0, "CGraphPix::mousePressEvent");
    QV_ASSERT(event->type()==QEvent::MouseButtonPress);
    lastMousePos = event->pos();
    if (mode != IDLE)
        return;
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }

    grabbed = view->FindCursorAt(event->pos());
    if (!grabbed.isNull()) {
        mode = DRAGGING;
        EnterHoverOrIdle(grabbed);
        return;
    }

    if (event->modifiers() & Qt::ControlModifier) {
        setCursor(Qt::SizeAllCursor);
        mode = ZOOM_RECT;
    } else if (view->IsZoomed()) {
        setCursor(Qt::ClosedHandCursor);
        mode = PANNING;
    }
    pressPoint = currentPoint = event->pos();
    originAtPress = view->GetWindowTopLeft();
}

void CGraphPix::mouseReleaseEvent(QMouseEvent* event)
{
    CScopeTrace trace(0, "CGraphPix::mouseReleaseEvent");
    lastMousePos = event->pos();
    if (mode == IDLE || event->button() != Qt::LeftButton)
        return;

    if (mode == DRAGGING)
        grabbed.reset();
    if (mode == ZOOM_RECT && pressPoint != currentPoint) {
        const QPoint topLeft(qMin(pressPoint.x(), currentPoint.x()),
                             qMin(pressPoint.y(), currentPoint.y()));
        const QPoint bottomRight(qMax(pressPoint.x(), currentPoint.x()),
                                 qMax(pressPoint.y(), currentPoint.y()));
        view->ZoomToRect(QRect(topLeft, bottomRight));
    }
    mode = IDLE;
    EnterHoverOrIdle(view->FindCursorAt(event->pos()));
    repaint();
    emit sigUpdate();
}

void CGraphPix::mouseDoubleClickEvent(QMouseEvent* event)
{
    CScopeTrace trace(0, "CGraphPix::mouseDoubleClickEvent");
    if (!(event->buttons() & Qt::LeftButton))
        return;
    view->ToggleZoom();
    repaint();
    emit sigUpdate();
}

void CGraphPix::mouseMoveEvent(QMouseEvent* event)
{
    CScopeTrace trace(0, "CGraphPix::mouseMoveEvent");
    lastMousePos = event->pos();

    QSharedPointer<CCursorGrab> under;
    switch (mode) {
    case IDLE:
        under = view->FindCursorAt(lastMousePos);
        SetHoverState(!under.isNull());
        break;
    case DRAGGING:
        view->MoveGrabbedCursor(grabbed, event->pos().x());
        emit sigCursorMoved();
        break;
    case ZOOM_RECT:
        currentPoint = QPoint(qBound(0, event->pos().x(), width() - 1),
                              qBound(0, event->pos().y(), height() - 1));
        break;
    case PANNING:
        view->ScrollTo(originAtPress + (pressPoint - event->pos()));
        break;
    }

    // After a drag or a scroll something else may lie under the mouse.
    if (mode != IDLE)
        under = view->FindCursorAt(lastMousePos);
    if (UpdateMarkerTip(under))
        repaint();
    else
        update();

    if (event->buttons() != Qt::NoButton)
        emit sigUpdate();
    QWidget::mouseMoveEvent(event);
}

void CGraphPix::wheelEvent(QWheelEvent* event)
{
    CScopeTrace trace(0, "CGraphPix::wheelEvent");
    if (!view->IsEnabled())
        return;
    const int steps = event->angleDelta().y() / cWheelStep;
    // A zoom by no steps would still recentre on the rounded pointer
    // position, so fine-grained wheels would drift the plot.
    if (steps == 0)
        return;
    const bool bXOnly = event->modifiers() & Qt::ControlModifier;
    view->Zoom(size(), event->position(), steps, bXOnly, true);
    repaint();
    emit sigUpdate();
}

void CGraphPix::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (view->IsEnabled()) {
        view->Draw(&painter, QRect(0, 0, width(), height()), true, true, true, false, true);
        if (mode == ZOOM_RECT) {
            painter.setPen(QPen(ContrastColour(), 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(pressPoint, QSizeF(currentPoint.x() - pressPoint.x(),
                                                       currentPoint.y() - pressPoint.y()))
                                 .normalized());
        }
        painter.end();
        QWidget::paintEvent(event);
    } else {
        painter.fillRect(rect(), QApplication::style()->standardPalette().window());
    }
}

void CGraphPix::resizeEvent(QResizeEvent* event)
{
    CScopeTrace trace(0, "CGraphPix::resizeEvent");
    QWidget::resizeEvent(event);
    view->SetWindowSize(size());
    if (view->IsEnabled())
        emit sigUpdate();
}

void CGraphPix::SetHoverState(bool bHover)
{
    setCursor(bHover ? Qt::SizeHorCursor : Qt::ArrowCursor);
    bTip = bHover;
}

void CGraphPix::EnterHoverOrIdle(const QSharedPointer<CCursorGrab>& under)
{
    SetHoverState(!under.isNull());
    UpdateMarkerTip(under);
}

bool CGraphPix::UpdateMarkerTip(const QSharedPointer<CCursorGrab>& under)
{
    if (!bTip || under.isNull()) {
        QToolTip::hideText();
        return false;
    }
    const float position = under->Cursor->GetPosition();
    const int level = view->GetView()->GetValueAt(position);
    const QString text = tr("%1km %2dB", "Tooltip moving marker")
                             .arg(position / 1000.0, 0, 'f', 3)
                             .arg(level / -1000.0, 0, 'f', 2, QLatin1Char(' '));
    QToolTip::showText(mapToGlobal(lastMousePos), text, this);
    return true;
}

void CGraphPix::PlaceCursorHere(int kind)
{
    CCursors* cursors = view->GetCursors();
    const bool bFixed = cursors->IsFixedCursors();
    // A cursor put by hand goes exactly there, without dragging the others.
    cursors->SetFixedCursors(false);
    view->DragCursor(cursors->GetCursor(kind), lastMousePos.x(), 0);
    cursors->SetFixedCursors(bFixed);
    emit sigCursorMoved();
    emit sigUpdate();
}

void CGraphPix::SetLeftMarkerHere()
{
    PlaceCursorHere(CCursors::LEFT_MARKER);
}

void CGraphPix::SetRightMarkerHere()
{
    PlaceCursorHere(CCursors::RIGHT_MARKER);
}

void CGraphPix::SetLeftCursorHere()
{
    PlaceCursorHere(CCursors::LEFT_CURSOR);
}

void CGraphPix::SetRightCursorHere()
{
    PlaceCursorHere(CCursors::RIGHT_CURSOR);
}

void CGraphPix::SetCenterCursorHere()
{
    PlaceCursorHere(CCursors::CENTER_CURSOR);
}
