#pragma once

#include <QFrame>
#include <QPointF>
#include <QRect>
#include <QWidget>

class CGraphModel;
class CGraphPix;

// The whole current trace in small, with the plot's visible window as a red
// rectangle that can be dragged, clicked beside, wheeled and double-clicked.
class Preview : public QWidget
{
    Q_OBJECT

public:
    Preview(CGraphModel* view, QWidget* parent = nullptr);

signals:
    // The overview changed the plot's window or zoom.
    void sigUpdate();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect GetWindowRect() const;
    QRect GetGrabRect() const;

    CGraphModel* view;
    // Window centre minus the grab point while dragging; null when idle.
    QPointF dragOffset;
};

// Holds the overview in the tool strip with the plot's proportions.
class CPreviewFrame : public QFrame
{
    Q_OBJECT

public:
    CPreviewFrame(CGraphModel* view, CGraphPix* plot, QWidget* parent = nullptr);

    Preview* GetPreview() { return &preview; }

    // Where an overview of a plot of plotSize goes inside a frame of frameSize:
    // as large as fits, at the right edge and centred vertically.
    static QRect PlaceOverview(const QSize& frameSize, const QSize& plotSize);

public slots:
    void OnUpdatePix();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutPreview();

    Preview preview;
    CGraphPix* plot;
};
