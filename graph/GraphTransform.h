#pragma once

#include "graph/Line.h"
#include "graph/Ratio.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>

// Maps a graph rectangle (metres, level units) onto pixels, counting x in
// data points of the trace so that the trace and every mark on it share one
// pixel grid. Built afresh for each paint and each pick.
class CGraphTransform
{
public:
    void Init(int pointCount, float resolution, const QRectF& source, const QRect& target);

    int GetFirstPoint() const { return firstPoint; }
    int GetPointCount() const { return pointCount; }
    const QRect& GetTarget() const { return target; }
    const QRectF& GetSource() const { return source; }

    // Inline: the trace maps every visible sample through these.
    int PointToPixel(float point) const
    {
        return RoundPixel(pointsPerPixel.Divide(point - float(firstPoint))) + xOffset;
    }
    int IndexToPixel(int index) const { return PointToPixel(float(index)); }
    int XToPixel(float metres) const;
    int LevelToPixel(int level) const
    {
        return RoundPixel(unitsPerPixel.Divide(float(level))) + yOffset;
    }
    QPoint MapPoint(const QPoint& indexAndLevel) const
    {
        return QPoint(IndexToPixel(indexAndLevel.x()), LevelToPixel(indexAndLevel.y()));
    }
    QPoint MapLinePoint(float metres, const tLine& line) const;
    float PointsToMetres(int n) const;
    bool ContainsX(float metres) const;
    bool ContainsLevel(quint16 level) const;

private:
    // A key event of a damaged file can lie hundreds of kilometres away or,
    // with no group index, at infinity; rounding that to int is undefined,
    // and text beyond 2^25 pixels wraps round in the painter's fixed-point
    // positions. Such a point is parked far outside any target instead.
    static int RoundPixel(float v)
    {
        const int limit = 1 << 24;
        if (!(v > -float(limit)))
            return -limit;
        if (v > float(limit))
            return limit;
        return qRound(v);
    }

    QRect target;
    QRectF source;
    CRatio metresPerPoint;
    CRatio pointsPerPixel;
    CRatio unitsPerPixel;
    int firstPoint = 0;
    int xOffset = 0;
    int yOffset = 0;
    int pointCount = 0;
};

// Picks the step m x 10^e (m from `mantissas`, e in [minExp, maxExp]) nearest
// to `wanted`; the first candidate wins a tie. Outputs are left untouched
// when no candidate is nearer than `wanted` itself, so callers must
// initialise them (and treat a zero step as "no lines").
void FindGridStep(float wanted, const QList<int>& mantissas, int minExp, int maxExp,
                  int& mantissa, int& exponent);
