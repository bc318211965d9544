#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QString>

class CGraphTransform;
class QPainter;

namespace sor {
class IFileView;
}

// Draws every sample of `view` inside `source` (graph units) onto `target`;
// nothing for a trace without samples or without a usable resolution.
void DrawTrace(QPainter* painter, const sor::IFileView* view, const QRectF& source,
               const QRect& target, const QColor& colour, bool bCosmetic);

// The dotted grid of both directions, at multiples of round steps from 0 so
// that lines stay put while scrolling. `colour` is not used: the grid has its
// own.
void DrawGrid(QPainter* painter, int pointCount, float resolution, const QRectF& source,
              const QRect& target, const QColor& colour, bool bLabels);

// The lines of one direction: vertical ones (bX) at metres, horizontal ones
// at levels, none closer than minPixels to the last one drawn, and none at
// all when no step fits the span.
void DrawGridLines(QPainter* painter, const QRect& target, bool bX, float span, float end,
                   int minPixels, const QList<int>& mantissas, int minExp, int maxExp,
                   const CGraphTransform& t, bool bLabels);

QString FormatXCaption(float metres, float windowMetres);
QString FormatYCaption(quint16 level);
