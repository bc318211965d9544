#pragma once

#include <QLabel>
#include <QPoint>
#include <QRect>

// A speech-balloon hint whose pointer aims at a screen point. It hides itself
// after a time, on any click, focus or window change, wheel turn, or when the
// mouse leaves it. At most one exists at a time.
class BalloonTip : public QLabel
{
    Q_OBJECT

public:
    struct tSide
    {
        bool bAtTop;  // pointer on the top edge, balloon below the point
        bool bAtLeft; // pointer near the left end, balloon right of the point
    };

    static void ShowTip(const QPoint& point, const QString& text, int msecs,
                        QWidget* parent = nullptr);
    static int PointerSize() { return 18; }
    static int PointerHeight() { return 18; }

    // Which side the balloon takes, and where its window goes, on the given
    // screen; `size` is the balloon's size hint.
    static tSide ChooseSide(const QRect& screen, const QPoint& point, const QSize& size);
    static QPoint WindowPosition(const QRect& screen, const QPoint& point, const QSize& size,
                                 tSide side);

    BalloonTip(const QPoint& point, const QString& text, QWidget* parent);
    ~BalloonTip() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void hideTip();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void PlaceAndShape(const QPoint& point);

    QRect balloonRect;
};
