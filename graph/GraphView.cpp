#include "graph/GraphView.h"

#include "core/Assert.h"
#include "core/LoggedMessageBox.h"
#include "graph/Cursors.h"
#include "graph/EventList.h"
#include "graph/GraphModel.h"
#include "graph/GraphPix.h"
#include "sor/File.h"

#include <QAction>
#include <QGridLayout>
#include <QScrollBar>

#include <cmath>

namespace {

enum
{
    JUNCTION_CODE = 2,
    REFLECTION_CODE = 1,
    END_OF_FIBRE_CODE = 2, // "E"
    DEVICE_END_CODE = 5,   // "D"
};

void SetChecked(QAction* action, bool bChecked)
{
    if (action)
        action->setChecked(bChecked);
}

bool IsChecked(const QAction* action)
{
    return action && action->isChecked();
}

} // namespace

CGraphView::CGraphView(CGraphModel* view, CEventList* eventsTable, QWidget* parent)
    : QFrame(parent), eventsTable(eventsTable), view(view), pix(new CGraphPix(view, this)),
      hScroll(new QScrollBar(Qt::Horizontal, this)), vScroll(new QScrollBar(Qt::Vertical, this))
{
    setFrameStyle(QFrame::NoFrame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    for (QScrollBar* bar : {hScroll, vScroll}) {
        bar->setRange(0, 0);
        bar->hide();
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pix, 0, 0);
    layout->addWidget(vScroll, 0, 1);
    layout->addWidget(hScroll, 1, 0);

    connect(hScroll, &QScrollBar::sliderMoved, this, &CGraphView::UpdateHScroll);
    connect(hScroll, &QScrollBar::valueChanged, this, &CGraphView::UpdateHScroll);
    connect(vScroll, &QScrollBar::sliderMoved, this, &CGraphView::UpdateVScroll);
    connect(vScroll, &QScrollBar::valueChanged, this, &CGraphView::UpdateVScroll);
    if (eventsTable) {
        connect(eventsTable, &CEventList::sigBeginEditEvent, this, &CGraphView::OnBeginEdit);
        connect(eventsTable, &CEventList::sigEndEditEvent, this, &CGraphView::EndEdit);
    }
}

CGraphView::~CGraphView() = default;

bool CGraphView::event(QEvent*)
{
    return true;
}

void CGraphView::SetJunctionMeasAction(QAction* action)
{
    action->setCheckable(true);
    junctionMeasAction = action;
}

void CGraphView::SetReflectionMeasAction(QAction* action)
{
    action->setCheckable(true);
    reflectionMeasAction = action;
}

void CGraphView::SetReflectionMeasAtEndAction(QAction* action)
{
    action->setCheckable(true);
    reflectionMeasAtEndAction = action;
}

void CGraphView::SetEndMeasAction(QAction* action)
{
    endMeasAction = action;
}

void CGraphView::SetFixCursorsAction(QAction* action)
{
    action->setCheckable(true);
    fixCursorsAction = action;
}

void CGraphView::SetShowEventsOnGraphAction(QAction* action)
{
    action->setCheckable(true);
    action->setChecked(true);
    view->SetShowEvents(true);
    showEventsOnGraphAction = action;
}

void CGraphView::SetShowEventsTableAction(QAction* action)
{
    action->setCheckable(true);
    action->setChecked(true);
    showEventsTableAction = action;
}

void CGraphView::SetShowSpoolOnGraphAction(QAction* action)
{
    action->setCheckable(true);
    action->setChecked(false);
    showSpoolOnGraphAction = action;
}

void CGraphView::EndEdit(bool)
{
    SetChecked(junctionMeasAction, false);
    SetChecked(reflectionMeasAction, false);
    SetChecked(reflectionMeasAtEndAction, false);
    if (endMeasAction)
        endMeasAction->setEnabled(false);

    int endEvents = 0;
    if (view->IsEnabled() && !view->IsViewOnly()) {
        for (const sor::tKeyEvent& event : view->file()->GetKeyEventList())
            if (event.EventOrigin == END_OF_FIBRE_CODE || event.EventOrigin == DEVICE_END_CODE)
                ++endEvents;
    }
    if (endEvents > 1) {
        CLoggedMessageBox box(QMessageBox::Warning, tr("Предупреждение!"),
                              tr("Таблицв событий содержит несколько событий типа Конец Линии\n"
                                 " Удалите лишнее событие или результаты будут некорректными"),
                              QMessageBox::NoButton, this);
        box.Exec();
    }
    emit sigUpdate();
}

void CGraphView::OnBeginEdit(int eventNum)
{
    if (view->IsEnabled() && !view->IsViewOnly()) {
        const auto& events = view->file()->GetKeyEventList();
        QV_ASSERT(eventNum >= 0 && size_t(eventNum) < events.size());
        if (eventNum >= 0 && size_t(eventNum) < events.size()) {
            const sor::tKeyEvent& event = events[size_t(eventNum)];
            if (event.EventType != REFLECTION_CODE)
                SetChecked(junctionMeasAction, true);
            else if (event.EventOrigin == DEVICE_END_CODE)
                SetChecked(reflectionMeasAtEndAction, true);
            else
                SetChecked(reflectionMeasAction, true);
        }
    }
    if (endMeasAction)
        endMeasAction->setEnabled(true);
    emit sigUpdate();
}

void CGraphView::SetScrollRange(QScrollBar* bar, int page, int maximum, int value)
{
    bar->setPageStep(page);
    bar->setMaximum(maximum);
    bar->setValue(value);
}

void CGraphView::UpdateScrolls()
{
    if (!view->IsEnabled()) {
        hScroll->hide();
        vScroll->hide();
        return;
    }
    vScroll->setVisible(view->IsZoomedY());
    hScroll->setVisible(view->IsZoomedX());

    bUpdating = true;
    const QSize full = view->GetWindowSize();
    const QPoint topLeft = view->GetWindowTopLeft();
    SetScrollRange(hScroll, pix->width(), full.width() - pix->width(),
                   CCursors::RoundHalfUp(topLeft.x()));
    SetScrollRange(vScroll, pix->height(), full.height() - pix->height(),
                   CCursors::RoundHalfUp(topLeft.y()));
    bUpdating = false;
    emit sigUpdate();
}

void CGraphView::Zoom(int steps, bool bXOnly)
{
    view->Zoom(pix->size(), QPointF(pix->width() / 2, pix->height() / 2), steps, bXOnly, true);
    UpdateScrolls();
}

void CGraphView::OnZoomIn()
{
    Zoom(1, false);
}

void CGraphView::OnZoomOut()
{
    Zoom(-1, false);
}

void CGraphView::OnZoomXIn()
{
    Zoom(1, true);
}

void CGraphView::OnZoomXOut()
{
    Zoom(-1, true);
}

void CGraphView::OnZoomOff()
{
    // Nothing to reset without a trace; the model would only log.
    if (view->IsEnabled())
        view->ToggleZoom();
    UpdateScrolls();
}

void CGraphView::OnZoomXOff()
{
    if (view->IsEnabled()) {
        // The zoom takes whole graph units as origin; scrolling back to the
        // old centre keeps it to the pixel, even on a short trace.
        const QPointF centre = view->GetOrigin();
        view->SetZoom(view->GetScaleY(), view->GetScaleY(), view->GetOriginX(), view->GetOriginY());
        view->UpdateView();
        const QSizeF size = view->ToGraphSize(view->GetWindowRectSize());
        view->ScrollTo(view->ToPixels(centre - QPointF(size.width() / 2, size.height() / 2)));
    }
    UpdateScrolls();
}

void CGraphView::OnFixCursors()
{
    view->GetCursors()->SetFixedCursors(IsChecked(fixCursorsAction));
}

void CGraphView::OnMoveLeft()
{
    hScroll->setSliderPosition(hScroll->sliderPosition() - hScroll->pageStep() / 4);
}

void CGraphView::OnMoveRight()
{
    hScroll->setSliderPosition(hScroll->sliderPosition() + hScroll->pageStep() / 4);
}

void CGraphView::OnMoveUp()
{
    vScroll->setSliderPosition(vScroll->sliderPosition() - vScroll->pageStep() / 4);
}

void CGraphView::OnMoveDown()
{
    vScroll->setSliderPosition(vScroll->sliderPosition() + vScroll->pageStep() / 4);
}

void CGraphView::StepMarker(int kind, bool bToRight)
{
    // A live trace shows no markers, and without a file the cursors have no
    // group index to turn its distances into their times.
    if (!view->IsEnabled() || view->IsViewOnly())
        return;
    CCursors::CEditableCursor* marker = view->GetCursors()->GetCursor(kind);
    const double r = view->GetView()->GetResolution();
    if (!marker || !(r > 0.0))
        return;
    // A marker that already stands on a data point (within r / 1000 of a
    // point) steps a whole point; otherwise it steps onto the neighbour.
    if (bToRight) {
        const double points = double(marker->GetPosition()) / r;
        const double g = 1.0 - (points - std::floor(points));
        marker->MoveBy(float(g < r / 1000.0 ? r : g * r));
    } else {
        const double points = double(marker->GetBasePosition()) / r;
        const double f = points - std::floor(points);
        marker->MoveBy(float(f < r / 1000.0 ? -r : -f * r));
    }
    emit sigCursorMoved();
    emit sigUpdate();
}

void CGraphView::OnMoveLeftMarkerLeft()
{
    StepMarker(CCursors::LEFT_MARKER, false);
}

void CGraphView::OnMoveRightMarkerLeft()
{
    StepMarker(CCursors::LEFT_MARKER, true);
}

void CGraphView::OnMoveLeftMarkerRight()
{
    StepMarker(CCursors::RIGHT_MARKER, false);
}

void CGraphView::OnMoveRightMarkerRight()
{
    StepMarker(CCursors::RIGHT_MARKER, true);
}

void CGraphView::Measure(QAction* mode, int kind, bool atEnd, QAction* other1, QAction* other2)
{
    QV_ASSERT(view->IsEnabled());
    // A live trace has no file to hold the event; the action was toggled
    // by the click, so it is set back.
    if (!eventsTable || !view->IsEnabled() || view->IsViewOnly()) {
        SetChecked(mode, false);
        return;
    }
    if (!eventsTable->IsEditingEvent()) {
        eventsTable->BeginEditEvent(true, kind, atEnd);
        if (!eventsTable->IsEditingEvent())
            SetChecked(mode, false);
    } else if (IsChecked(other1) || IsChecked(other2)) {
        SetChecked(other1, false);
        SetChecked(other2, false);
        view->GetCursors()->SetEditedEventType(kind, atEnd);
        emit sigUpdate();
        eventsTable->Update();
    } else {
        eventsTable->EndEditEvent(false);
    }
}

void CGraphView::OnJunctionMeas()
{
    Measure(junctionMeasAction, JUNCTION_CODE, false, reflectionMeasAction,
            reflectionMeasAtEndAction);
}

void CGraphView::OnReflectionMeas()
{
    Measure(reflectionMeasAction, REFLECTION_CODE, false, junctionMeasAction,
            reflectionMeasAtEndAction);
}

void CGraphView::OnReflectionMeasAtEnd()
{
    Measure(reflectionMeasAtEndAction, REFLECTION_CODE, true, junctionMeasAction,
            reflectionMeasAction);
}

void CGraphView::OnEndMeas()
{
    if (eventsTable)
        eventsTable->EndEditEvent(true);
}

void CGraphView::OnShowEventsOnGraph()
{
    view->SetShowEvents(IsChecked(showEventsOnGraphAction));
    emit sigUpdate();
}

void CGraphView::OnShowEventsTable()
{
    if (!eventsTable)
        return;
    eventsTable->show();
    eventsTable->setVisible(IsChecked(showEventsTableAction));
}

// Coils are not drawn; the action only keeps its check state.
void CGraphView::OnShowSpoolOnGraph() {}

void CGraphView::OnShowEventsTableManually()
{
    SetChecked(showEventsTableAction, true);
    if (eventsTable)
        eventsTable->show();
}

void CGraphView::UpdateHScroll(int pos)
{
    if (bUpdating)
        return;
    view->ScrollTo(QPoint(pos, vScroll->value()));
    emit sigUpdate();
}

void CGraphView::UpdateVScroll(int pos)
{
    if (bUpdating)
        return;
    view->ScrollTo(QPoint(hScroll->value(), pos));
    emit sigUpdate();
}
