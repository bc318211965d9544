#include "filelist/GraphWidget.h"

#include "app/Constants.h"
#include "app/MainOpt.h"
#include "graph/GraphPainter.h"
#include "sor/File.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

namespace {

const int cLabelGap = 5;

QString GeneralNumber(double value)
{
    return QString::number(value, 'g', 6);
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
            DrawTrace(&painter, view, QRectF(0, 0, view->GetLength(), view->GetMaxDataPoint()),
                      target, file->Color, false);
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
