#include "graph/GraphPainter.h"

#include "graph/GraphTransform.h"
#include "sor/FileView.h"

#include <QCoreApplication>
#include <QPainter>
#include <QVector>

#include <cfloat>
#include <cmath>

namespace {

// Points handed to the painter at once: large enough to keep the per-call
// cost negligible, small enough to stay in cache and never allocate per paint.
const int kChunk = 4096;

} // namespace

void DrawTrace(QPainter* painter, const sor::IFileView* view, const QRectF& source,
               const QRect& target, const QColor& colour, bool bCosmetic)
{
    const int count = view ? view->GetDataPointCount() : 0;
    const double resolution = view ? view->GetResolution() : 0.0;
    if (count <= 0 || !(resolution > 0.0) || !std::isfinite(resolution))
        return;

    QPen pen(colour, 1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setCosmetic(bCosmetic);
    painter->setPen(pen);

    CGraphTransform t;
    t.Init(count, float(resolution), source, target);
    const int first = t.GetFirstPoint();
    const int end = first + t.GetPointCount();
    if (first < 0 || first >= count || end <= first)
        return;

    // One polyline in chunks; each chunk starts at the previous one's last
    // point so the line stays joined.
    QPoint points[kChunk];
    int n = 0;
    points[n++] = t.MapPoint(QPoint(first, view->GetDataPoint(first)));
    for (int i = first + 1; i < end; ++i) {
        const QPoint p = t.MapPoint(QPoint(i, view->GetDataPoint(i)));
        // A zero-length segment adds no pixel: its end is already drawn.
        if (p == points[n - 1])
            continue;
        points[n++] = p;
        if (n == kChunk) {
            painter->drawPolyline(points, n);
            points[0] = points[n - 1];
            n = 1;
        }
    }
    if (n > 1)
        painter->drawPolyline(points, n);
}

void DrawGrid(QPainter* painter, int pointCount, float resolution, const QRectF& source,
              const QRect& target, const QColor& /*colour*/, bool bLabels)
{
    const QPen oldPen = painter->pen();
    QPen pen(Qt::darkYellow, 1, Qt::CustomDashLine);
    pen.setDashPattern({1, 14});
    painter->setPen(pen);
    QFont font(QStringLiteral("Arial"), 8);
    painter->setFont(font);

    CGraphTransform t;
    t.Init(pointCount, resolution, source, target);
    const QList<int> mantissas{1, 2, 5};
    DrawGridLines(painter, target, true, float(source.width()), float(source.right()), 50,
                  mantissas, -2, 3, t, bLabels);
    DrawGridLines(painter, target, false, float(source.height()), float(source.bottom()), 40,
                  mantissas, 2, 3, t, bLabels);
    painter->setPen(oldPen);
}

void DrawGridLines(QPainter* painter, const QRect& target, bool bX, float span, float end,
                   int minPixels, const QList<int>& mantissas, int minExp, int maxExp,
                   const CGraphTransform& t, bool bLabels)
{
    if (!(span > 0.0f))
        return;
    int mantissa = 0;
    int exponent = 0;
    FindGridStep(span / 10, mantissas, minExp, maxExp, mantissa, exponent);
    const float step = std::pow(10.0f, float(exponent)) * float(mantissa);
    if (!(step > 0.0f) || !std::isfinite(step))
        return;

    // Lines below the visible start are never drawn, so counting starts at
    // the last multiple before it; each value is a multiple of the step
    // rather than a running sum, which would drift and, far along a long
    // fibre, stop growing in single precision.
    const float begin = bX ? float(t.GetSource().left()) : float(t.GetSource().top());
    qint64 k = begin > 0.0f ? qint64(std::floor(begin / step)) : 0;
    if (k > 0)
        --k;
    const float windowMetres = t.PointsToMetres(t.GetPointCount());
    int last = -1;
    for (float v = k * step; end > v; v = float(++k) * step) {
        if (bX ? !t.ContainsX(v) : !t.ContainsLevel(quint16(v)))
            continue;
        const int pos = bX ? t.XToPixel(v) : t.LevelToPixel(int(v));
        if (last >= 0 && pos - last < minPixels)
            continue;
        last = pos;
        if (bX) {
            painter->drawLine(pos, target.top(), pos, target.bottom());
            if (bLabels)
                painter->drawText(pos, target.bottom() - 35, FormatXCaption(v, windowMetres));
        } else {
            painter->drawLine(target.left(), pos, target.right(), pos);
            if (bLabels)
                painter->drawText(target.left() + 10, pos, FormatYCaption(quint16(v)));
        }
    }
}

QString FormatXCaption(float metres, float windowMetres)
{
    if (metres < FLT_EPSILON)
        return QStringLiteral("0");
    if (windowMetres < 1)
        return QStringLiteral("%1 %2").arg(
            QString::number(metres * 100, 'f', 0),
            QCoreApplication::translate("CGraphModel", "cm",
                                        "workplace, Подпись к оси Х - сантиметры"));
    if (windowMetres > 10000)
        return QStringLiteral("%1 %2").arg(
            QString::number(metres / 1000, 'f', 0),
            QCoreApplication::translate("CGraphModel", "km",
                                        "workplace, Подпись к оси Х - километры"));
    return QStringLiteral("%1 %2").arg(
        QString::number(metres, 'f', 0),
        QCoreApplication::translate("CGraphModel", "m", "workplace, Подпись к оси Х - метры"));
}

QString FormatYCaption(quint16 level)
{
    const float d = level / 1000.0f;
    if (d < FLT_EPSILON)
        return QStringLiteral("0");
    const QString pattern =
        QCoreApplication::translate("CGraphModel", "-%1%2 dB", "workplace, Подпись к оси Y");
    // A level just under 1 dB rounds to ten tenths: it reads as -1.0 dB.
    const int tenths = qRound(d * 10);
    if (d < 1 && tenths < 10)
        return pattern.arg(QStringLiteral("0."), QString::number(tenths));
    return pattern.arg(QString(), QString::number(d, 'f', 1));
}
