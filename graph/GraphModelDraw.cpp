#include "graph/GraphModel.h"

#include "app/Constants.h"
#include "app/MainOpt.h"
#include "graph/GraphPainter.h"
#include "graph/MarkPainter.h"

#include <QPainter>

namespace {

const QColor kEditLineColour(0, 128, 0, 128);
const qreal kEditLineWidth = 2.5;

QColor GraphBackground()
{
    const CMainOpt* options = CMainOpt::Instance();
    return options ? options->GetBackgroundColor() : cDefaultGraphBackground;
}

} // namespace

void CGraphModel::Draw(QPainter* painter, const QRect& target, bool bScaledView, bool bGrid,
                       bool bGridLabels, bool bPrint, bool /*bIgnored*/)
{
    painter->save();
    if (!IsEnabled()) {
        painter->fillRect(target, Qt::lightGray);
        painter->restore();
        return;
    }
    // The plot widget is its own clip; on a page the traces' extra points
    // and events outside a zoomed window would spill over the report.
    if (bPrint)
        painter->setClipRect(target, Qt::IntersectClip);

    QRectF source(QPointF(0, 0), grSize);
    if (bScaledView)
        source = QRectF(ToGraph(scViewWin.topLeft()), ToGraphSize(scViewWin.size()));

    const QColor background = GraphBackground();
    if (!bPrint)
        painter->fillRect(target, background);

    const sor::IFileView* view = GetView();
    CGraphTransform t;
    t.Init(view->GetDataPointCount(), float(view->GetResolution()), source, target);

    for (const QSharedPointer<tListedFile>& element : *Data)
        if (element)
            DrawTrace(painter, element->GetView(), source, target, element->Color, bPrint);

    sor::CFile* current = IsViewOnly() ? nullptr : file();
    if (current && !bPrint)
        DrawMarkers(painter, t, cursors.data(), current, bScaledView, background, true, bPrint,
                    false);

    if (bGrid)
        DrawGrid(painter, int(grSize.width() * 1.0), 1.0f, source, target, Qt::blue,
                 bGridLabels);

    if (current) {
        const CCursors* c = cursors.data();
        if (bScaledView && c->IsEditMode() && !bPrint) {
            painter->setPen(QPen(kEditLineColour, kEditLineWidth));
            painter->drawLine(t.MapLinePoint(c->GetLeftCursor()->GetPosition(), c->GetFirstLine()),
                              t.MapLinePoint(c->GetLeftMarker()->GetPosition(), c->GetFirstLine()));
            painter->drawLine(
                t.MapLinePoint(c->GetRightCursor()->GetPosition(), c->GetSecondLine()),
                t.MapLinePoint(c->GetRightMarker()->GetPosition(), c->GetSecondLine()));
        } else if (!c->IsEditMode() && bShowMarkerLine) {
            const float left = c->GetLeftMarker()->GetPosition();
            const float right = c->GetRightMarker()->GetPosition();
            if (markerLineType == 0) {
                painter->setPen(QPen(Qt::magenta, 1));
                painter->drawLine(
                    QPoint(t.XToPixel(left), t.LevelToPixel(current->GetValueAt(left))),
                    QPoint(t.XToPixel(right), t.LevelToPixel(current->GetValueAt(right))));
            } else {
                painter->setPen(QPen(Qt::red, 1));
                painter->drawLine(t.MapLinePoint(right, c->GetMarkerLine()),
                                  t.MapLinePoint(left, c->GetMarkerLine()));
            }
        }
        DrawMarkers(painter, t, cursors.data(), current, bScaledView, background, false, bPrint,
                    bShowEvents);
    }
    painter->restore();
}
