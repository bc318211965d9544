#pragma once

#include <QFrame>

class CEventList;
class CGraphModel;
class CGraphPix;
class QAction;
class QScrollBar;

// The plot with its scroll bars, and the plot's commands: zooming, scrolling,
// stepping the markers, and the three five-marker measurement modes that
// place a key event through the event table.
class CGraphView : public QFrame
{
    Q_OBJECT

public:
    CGraphView(CGraphModel* view, CEventList* eventsTable, QWidget* parent = nullptr);
    ~CGraphView() override;

    CGraphPix* GetGraphPix() const { return pix; }
    QScrollBar* GetHScrollBar() const { return hScroll; }
    QScrollBar* GetVScrollBar() const { return vScroll; }

    void SetJunctionMeasAction(QAction* action);
    void SetReflectionMeasAction(QAction* action);
    void SetReflectionMeasAtEndAction(QAction* action);
    void SetEndMeasAction(QAction* action);
    void SetFixCursorsAction(QAction* action);
    void SetShowEventsOnGraphAction(QAction* action);
    void SetShowEventsTableAction(QAction* action);
    void SetShowSpoolOnGraphAction(QAction* action);

signals:
    void sigCursorMoved();
    void sigUpdate();

public slots:
    void EndEdit(bool accept);
    void OnBeginEdit(int eventNum);
    void UpdateScrolls();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomOff();
    void OnZoomXIn();
    void OnZoomXOut();
    void OnZoomXOff();
    void OnFixCursors();
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveUp();
    void OnMoveDown();
    // Named move + direction + "Marker" + which marker.
    void OnMoveLeftMarkerLeft();
    void OnMoveRightMarkerLeft();
    void OnMoveLeftMarkerRight();
    void OnMoveRightMarkerRight();
    void OnJunctionMeas();
    void OnReflectionMeas();
    void OnReflectionMeasAtEnd();
    void OnEndMeas();
    void OnShowEventsOnGraph();
    void OnShowEventsTable();
    void OnShowSpoolOnGraph();
    void OnShowEventsTableManually();
    void UpdateHScroll(int pos);
    void UpdateVScroll(int pos);

protected:
    // The frame neither paints nor takes input; its children do.
    bool event(QEvent* event) override;

private:
    void Zoom(int steps, bool bXOnly);
    void StepMarker(int kind, bool bToRight);
    void Measure(QAction* mode, int kind, bool atEnd, QAction* other1, QAction* other2);
    void SetScrollRange(QScrollBar* bar, int page, int maximum, int value);

    CEventList* eventsTable;
    bool bUpdating = false;
    CGraphModel* view;
    CGraphPix* pix;
    QScrollBar* hScroll;
    QScrollBar* vScroll;
    QAction* junctionMeasAction = nullptr;
    QAction* reflectionMeasAction = nullptr;
    QAction* reflectionMeasAtEndAction = nullptr;
    QAction* endMeasAction = nullptr;
    QAction* fixCursorsAction = nullptr;
    QAction* showEventsOnGraphAction = nullptr;
    QAction* showEventsTableAction = nullptr;
    QAction* showSpoolOnGraphAction = nullptr;
};
