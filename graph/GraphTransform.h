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

    int PointToPixel(float point) const;
    int IndexToPixel(int index) const;
    int XToPixel(float metres) const;
    int LevelToPixel(int level) const;
    QPoint MapPoint(const QPoint& indexAndLevel) const;
    QPoint MapLinePoint(float metres, const tLine& line) const;
    float PointsToMetres(int n) const;
    bool ContainsX(float metres) const;
    bool ContainsLevel(quint16 level) const;

private:
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
