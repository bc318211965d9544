#include "graph/GraphTransform.h"

#include "core/Assert.h"

#include <cmath>

void CGraphTransform::Init(int pointCount, float resolution, const QRectF& source, const QRect& target)
{
    this->target = target;
    this->source = source;
    this->pointCount = 0;
    firstPoint = 0;
    xOffset = target.left();
    yOffset = target.top();
    // Without a usable resolution there is no mapping; dividing by it would
    // poison every pixel position.
    if (!(resolution > 0.0f) || !std::isfinite(resolution))
        return;

    metresPerPoint = CRatio(resolution, 1.0f);
    pointsPerPixel = CRatio(float(source.width() / resolution), float(target.width()));
    unitsPerPixel = CRatio(float(source.height()), float(target.height() - 1));

    const float leftPoints = float(source.left() / resolution);
    firstPoint = qRound(std::floor(leftPoints));
    // Never start before the first sample: metre 0 keeps its own column and
    // the span before it is simply not drawn.
    int skipped = 0;
    if (firstPoint < 0) {
        skipped = -firstPoint;
        firstPoint = 0;
    }
    xOffset = target.left() - qRound(pointsPerPixel.Divide(leftPoints - float(firstPoint)));
    yOffset = target.top() - qRound(unitsPerPixel.Divide(float(source.top())));
    // The mapping above holds whatever the point count (the grid of a graph
    // narrower than a metre has none); only the samples to read depend on it.
    if (pointCount <= 0)
        return;
    int count = qRound(float(source.width() / resolution)) - skipped;
    if (firstPoint >= pointCount)
        firstPoint = pointCount - 1;
    count += 3;
    if (pointCount < firstPoint + count)
        count = pointCount - firstPoint;
    this->pointCount = qMax(0, count);
}

int CGraphTransform::XToPixel(float metres) const
{
    return PointToPixel(metresPerPoint.Divide(metres));
}

QPoint CGraphTransform::MapLinePoint(float metres, const tLine& line) const
{
    return QPoint(XToPixel(metres), LevelToPixel(int(line.At(metres))));
}

float CGraphTransform::PointsToMetres(int n) const
{
    return metresPerPoint.Multiply(float(n));
}

bool CGraphTransform::ContainsX(float metres) const
{
    return source.left() <= metres && metres <= source.right();
}

bool CGraphTransform::ContainsLevel(quint16 level) const
{
    return source.top() <= level && level <= source.bottom();
}

void FindGridStep(float wanted, const QList<int>& mantissas, int minExp, int maxExp,
                  int& mantissa, int& exponent)
{
    const float step = wanted;
    QV_ASSERT(step>0);
    float best = wanted;
    for (int e = minExp; e <= maxExp; ++e) {
        const float p = std::pow(10.0f, float(e));
        for (int m : mantissas) {
            const float d = std::fabs(wanted - float(m) * p);
            if (best > d) {
                mantissa = m;
                exponent = e;
                best = d;
            }
        }
    }
}
