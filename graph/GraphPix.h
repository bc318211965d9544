#pragma once

#include <QPoint>
#include <QSharedPointer>
#include <QWidget>

class CGraphModel;
struct CCursorGrab;

// The trace plot operated with the mouse: the wheel zooms, a Control-drag
// draws a rectangle to zoom into, a drag pans a zoomed plot or moves the
// cursor under the mouse, and hovering a cursor shows its distance and level.
class CGraphPix : public QWidget
{
    Q_OBJECT

public:
    CGraphPix(CGraphModel* view, QWidget* parent = nullptr);
    ~CGraphPix() override;

signals:
    // The view window, zoom or cursors changed; everything showing the plot
    // must be refreshed.
    void sigUpdate();
    void sigCursorMoved();

public slots:
    void SetLeftMarkerHere();
    void SetRightMarkerHere();
    void SetLeftCursorHere();
    void SetRightCursorHere();
    void SetCenterCursorHere();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum tMode { IDLE = 0, PANNING = 1, ZOOM_RECT = 2, DRAGGING = 3 };

    void SetHoverState(bool bHover);
    void EnterHoverOrIdle(const QSharedPointer<CCursorGrab>& under);
    bool UpdateMarkerTip(const QSharedPointer<CCursorGrab>& under);
    void PlaceCursorHere(int kind);

    bool bTip = false;
    int mode = IDLE;
    QPoint lastMousePos;
    QSharedPointer<CCursorGrab> grabbed;
    QPoint currentPoint;
    QPoint pressPoint;
    QPoint originAtPress;
    CGraphModel* view;
};
