#include "core/BalloonTip.h"

#include <QApplication>
#include <QBitmap>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

QPointer<BalloonTip> g_current;

constexpr int cornerRadius = 7;
constexpr int sideMargin = 4;
constexpr int plainMargin = 3;

QRect ScreenGeometryAt(const QPoint& point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

void BalloonTip::ShowTip(const QPoint& point, const QString& text, int msecs, QWidget* parent)
{
    auto* tip = new BalloonTip(point, text, parent); // deletes itself in hideTip()
    // The balloon is the timer's context: if a newer one replaced it, the
    // timer dies with it.
    QTimer::singleShot(msecs, tip, &BalloonTip::hideTip);
}

BalloonTip::tSide BalloonTip::ChooseSide(const QRect& screen, const QPoint& point,
                                         const QSize& size)
{
    // Against the screen's edges, not its extent: a second monitor does not
    // start at zero.
    return {point.y() + size.height() + PointerHeight() < screen.bottom(),
            point.x() + size.width() - PointerSize() < screen.right()};
}

QPoint BalloonTip::WindowPosition(const QRect& screen, const QPoint& point, const QSize& size,
                                  tSide side)
{
    const int x = side.bAtLeft
        ? std::max(point.x() - PointerSize(), screen.left() + 2)
        : std::min(point.x() - size.width() + PointerSize(), screen.right() - size.width() - 2);
    const int y = side.bAtTop ? point.y() : point.y() - size.height();
    return {x, y};
}

BalloonTip::BalloonTip(const QPoint& point, const QString& text, QWidget* parent)
    : QLabel(text, parent, Qt::ToolTip)
{
    delete g_current.data();
    g_current = this;

    PlaceAndShape(point);

    QPalette pal = palette();
    pal.setBrush(QPalette::Window, pal.brush(QPalette::ToolTipBase));
    setPalette(pal);

    qApp->installEventFilter(this);
    setMouseTracking(true);
    show();
}

BalloonTip::~BalloonTip()
{
    if (g_current == this)
        g_current = nullptr;
}

void BalloonTip::PlaceAndShape(const QPoint& point)
{
    const QRect scr = ScreenGeometryAt(point);
    const tSide side = ChooseSide(scr, point, sizeHint());
    const int pointerMargin = PointerHeight() + plainMargin;
    setContentsMargins(sideMargin, side.bAtTop ? pointerMargin : plainMargin, sideMargin,
                       side.bAtTop ? plainMargin : pointerMargin);
    updateGeometry();
    const QSize sh = sizeHint();
    balloonRect = QRect(point, sh);

    const int ps = PointerSize();
    const int ph = PointerHeight();
    const int d = 2 * cornerRadius;
    const int ml = 0;
    const int mr = sh.width() - 1;
    const int mt = side.bAtTop ? ph : 0;
    const int mb = side.bAtTop ? sh.height() - 1 : sh.height() - ph - 1;

    QPainterPath path;
    path.moveTo(ml + cornerRadius, mt);
    if (side.bAtTop && side.bAtLeft) {
        path.lineTo(ml + ps, mt);
        path.lineTo(ml + ps, mt - ph);
        path.lineTo(ml + 2 * ps, mt);
    } else if (side.bAtTop) {
        path.lineTo(mr - 2 * ps, mt);
        path.lineTo(mr - ps, mt - ph);
        path.lineTo(mr - ps, mt);
    }
    path.lineTo(mr - cornerRadius, mt);
    path.arcTo(QRect(mr - d, mt, d, d), 90, -90);
    path.lineTo(mr, mb - cornerRadius);
    path.arcTo(QRect(mr - d, mb - d, d, d), 0, -90);
    if (!side.bAtTop && !side.bAtLeft) {
        path.lineTo(mr - ps, mb);
        path.lineTo(mr - ps, mb + ph);
        path.lineTo(mr - 2 * ps, mb);
    } else if (!side.bAtTop) {
        path.lineTo(2 * ps, mb);
        path.lineTo(ps, mb + ph);
        path.lineTo(ps, mb);
    }
    path.lineTo(ml + cornerRadius, mb);
    path.arcTo(QRect(ml, mb - d, d, d), -90, -90);
    path.lineTo(ml, mt + cornerRadius);
    path.arcTo(QRect(ml, mt, d, d), 180, -90);

    move(WindowPosition(scr, point, sh, side));

    QBitmap bitmap(sh);
    bitmap.clear();
    QPainter painter(&bitmap);
    painter.setPen(QPen(Qt::color1, 1));
    painter.setBrush(QBrush(Qt::color1));
    painter.drawPath(path);
    painter.end();
    setMask(bitmap);
}

bool BalloonTip::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Leave:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::Wheel:
        hideTip();
        break;
    case QEvent::MouseMove:
        if (watched == parentWidget() && !balloonRect.isNull()
            && !balloonRect.contains(static_cast<QMouseEvent*>(event)->pos()))
            hideTip();
        break;
    default:
        break;
    }
    return false;
}

void BalloonTip::mouseMoveEvent(QMouseEvent* event)
{
    if (balloonRect.isNull())
        return;
    QPoint pos = event->globalPos();
    if (parentWidget())
        pos = parentWidget()->mapFromGlobal(pos);
    if (!balloonRect.contains(pos))
        hideTip();
    QLabel::mouseMoveEvent(event);
}

void BalloonTip::hideTip()
{
    close();
    deleteLater();
}
