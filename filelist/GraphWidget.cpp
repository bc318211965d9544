#include "filelist/GraphWidget.h"

#include "app/Constants.h"
#include "app/MainOpt.h"
#include "graph/GraphPainter.h"
#include "graph/GraphTransform.h"
#include "sor/File.h"

#include <QCoreApplication>
#include <QPainter>
#include <QVector>

#include <algorithm>

namespace {

const int cLabelGap = 5;
const int cMinPointsPerColumn = 4;

QString GeneralNumber(double value)
{
    return QString::number(value, 'g', 6);
}

// The last index from `from` on that still maps to the column of `from`.
int LastInColumn(const CGraphTransform& t, int from, int end, double pointsPerPixel)
{
    const int x = t.IndexToPixel(from);
    int last = qBound(from, from + int(pointsPerPixel) - 1, end - 1);
    while (last > from && t.IndexToPixel(last) > x)
        --last;
    while (last + 1 < end && t.IndexToPixel(last + 1) == x)
        ++last;
    return last;
}

} // namespace

CGraphWidget::CGraphWidget(const QSharedPointer<tListedFile>& file, QWidget* parent)
    : QFrame(parent), file(file)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

QStringList CGraphWidget::Labels(const tListedFile& file)
{
    sor::CFile* trace = file.FilePtr.data();
    const sor::IFileView* view = file.GetView();
    if (!trace || !view)
        return {};
    return {
        QCoreApplication::translate("QFrame", "%1=%2ns")
            .arg(QChar(0x03C4))
            .arg(GeneralNumber(trace->GetFixedParameters()->PulseWidth.GetValue())),
        QCoreApplication::translate("QFrame", "%1=%2nm")
            .arg(QChar(0x03BB))
            .arg(GeneralNumber(trace->GetGeneralParameters()->NominalWavelength.GetValue())),
        QCoreApplication::translate("QFrame", "L=%1km").arg(view->GetLength() / 1000.0, 0, 'f', 3),
        QCoreApplication::translate("QFrame", "k=%1")
            .arg(GeneralNumber(trace->GetFixedParameters()->GroupIndex.GetValue())),
    };
}

void CGraphWidget::DrawWholeTrace(QPainter* painter, const sor::IFileView* view, const QRect& target,
                                  const QColor& colour)
{
    const int count = view ? view->GetDataPointCount() : 0;
    if (count <= 0 || target.width() <= 0 || target.height() <= 1)
        return;
    const QRectF source(0, 0, view->GetLength(), view->GetMaxDataPoint());
    // Few samples per column: the polyline is cheap, and its steep joins
    // between columns would look different.
    if (count <= cMinPointsPerColumn * target.width()) {
        DrawTrace(painter, view, source, target, colour, true);
        return;
    }
    CGraphTransform t;
    t.Init(count, float(view->GetResolution()), source, target);
    const int first = t.GetFirstPoint();
    const int end = first + t.GetPointCount();
    if (t.GetPointCount() <= 0 || first < 0 || end > count)
        return;

    // Each column shows the span of its samples, stretched halfway to the
    // neighbouring columns' nearest samples, as the steep step of a polyline
    // between two columns falls half into each: the pixels the polyline of
    // every sample sets, at the cost of one line a column.
    const double pointsPerPixel = double(t.GetPointCount()) / target.width();
    QVector<QLine> lines;
    lines.reserve(target.width() + 2);
    for (int from = first; from < end;) {
        const int last = LastInColumn(t, from, end, pointsPerPixel);
        int low = view->GetDataPoint(from);
        int high = low;
        for (int i = from + 1; i <= last; ++i) {
            const int level = view->GetDataPoint(i);
            low = qMin(low, level);
            high = qMax(high, level);
        }
        for (const int joint : {from - 1, last}) {
            if (joint < first || joint + 1 >= end)
                continue;
            const int middle = (view->GetDataPoint(joint) + view->GetDataPoint(joint + 1)) / 2;
            low = qMin(low, middle);
            high = qMax(high, middle);
        }
        const int x = t.IndexToPixel(from);
        lines << QLine(x, t.LevelToPixel(low), x, t.LevelToPixel(high));
        from = last + 1;
    }
    QPen pen(colour, 1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->drawLines(lines);
}

QList<QPoint> CGraphWidget::LabelPlaces(const QRect& target, const QList<QSize>& sizes)
{
    if (sizes.size() != 4)
        return {};
    const int w1 = std::max(sizes[0].width(), sizes[1].width());
    const int right = target.x() + target.width() - w1 - cLabelGap;
    const int w2 = std::max(sizes[2].width(), sizes[3].width());
    const int left = right - w2 - cLabelGap;
    const int top = target.y();
    return {QPoint(right, top), QPoint(right, top + sizes[0].height()), QPoint(left, top),
            QPoint(left, top + sizes[2].height())};
}

void CGraphWidget::paintEvent(QPaintEvent* event)
{
    const int line = lineWidth();
    const QRect target = rect().adjusted(line, line, -line, -line);
    {
        QPainter painter(this);
        const CMainOpt* options = CMainOpt::Instance();
        painter.fillRect(target, options ? options->GetBackgroundColor() : cDefaultGraphBackground);

        if (file && file->GetView()) {
            const sor::IFileView* view = file->GetView();
            painter.save();
            painter.setClipRect(target);
            DrawWholeTrace(&painter, view, target, file->Color);
            painter.restore();

            // Text straight onto the trace, as a transparent label would show it.
            const QStringList labels = Labels(*file);
            const QFontMetrics metrics = fontMetrics();
            QList<QSize> sizes;
            for (const QString& label : labels)
                sizes << metrics.size(Qt::TextSingleLine, label);
            const QList<QPoint> places = LabelPlaces(target, sizes);
            painter.setPen(palette().color(QPalette::WindowText));
            for (int i = 0; i < places.size(); ++i)
                painter.drawText(QRect(places[i], sizes[i]), Qt::AlignLeft | Qt::AlignTop, labels[i]);
        }
    }
    QFrame::paintEvent(event);
}
