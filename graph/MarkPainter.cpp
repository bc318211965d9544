#include "graph/MarkPainter.h"

#include "core/Format.h"
#include "graph/GraphTransform.h"
#include "graph/MarkPlacement.h"
#include "sor/File.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>

namespace {

const qreal kHaloWidth = 3.0;
const int kGapRadius = 3;
const int kHalfTick = 5;      // half the height of cursor and event marks
const int kHalfFoot = 4;      // half the width of an event's foot
const int kEndIconSize = 48;
const int kLabelFlags = Qt::AlignLeft | Qt::AlignTop;
const QColor kLabelColour(100, 100, 28);
const QColor kCursorColour(0, 224, 0);
const QColor kCenterColour(0, 224, 224);
const QColor kEventColour(0, 192, 0);

QColor Inverse(const QColor& c)
{
    return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue(), c.alpha());
}

struct tEventImages
{
    QImage Reflection;
    QImage End;
    QImage Junction;
};

// Loaded once, after the application object exists (the first paint).
const tEventImages& EventImages()
{
    static const tEventImages images = [] {
        tEventImages loaded;
        loaded.Reflection.load(QStringLiteral(":/images/EventReflection.svg"));
        loaded.Junction.load(QStringLiteral(":/images/EventJunction.svg"));
        // Rendered at its drawn size rather than scaled from a small raster.
        QImageReader reader(QStringLiteral(":/images/EventReflectionAtEnd.svg"));
        reader.setScaledSize(QSize(kEndIconSize, kEndIconSize));
        loaded.End = reader.read();
        if (!loaded.End.isNull() && loaded.End.size() != QSize(kEndIconSize, kEndIconSize))
            loaded.End = loaded.End.scaled(kEndIconSize, kEndIconSize, Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation);
        return loaded;
    }();
    return images;
}

bool IsEndOfFibre(const sor::tKeyEvent& event)
{
    return event.EventOrigin == 2 || event.EventOrigin == 5; // "E" or "D"
}

// A label rectangle measured in the painter's font and centred on x.
QRect CentredLabel(QPainter* painter, const QString& text, int x)
{
    QRect r = painter->boundingRect(QRect(0, 0, 100, 100), kLabelFlags, text);
    r.moveLeft(x - r.center().x());
    return r;
}

void DrawEventLabels(QPainter* painter, const CGraphTransform& t, const sor::CFile* file,
                     const CEventMark* mark, int x, int y, bool bPrint,
                     float previousEventPosition)
{
    const sor::tKeyEvent* event = mark->GetEvent();
    if (!event)
        return;
    painter->save();
    painter->setPen(kLabelColour);
    QFont font = painter->font();

    if (!bPrint) {
        font.setPointSize(8);
        painter->setFont(font);

        const QString loss = QCoreApplication::translate("CGraphModel", "%1dB", "Loss - above event")
                                 .arg(QString::number(event->EventLoss.GetValue(), 'f', 3));
        QRect lossRect = CentredLabel(painter, loss, x);
        lossRect.moveTop(y - kHalfTick - lossRect.height());
        DrawOutlinedText(painter, lossRect, kLabelFlags, loss);

        if (mark->GetKind() == 1) {
            const QString reflectance = QCoreApplication::translate("CGraphModel", "%1dB", "Reflectance - above event")
                                            .arg(FormatReflectance(event->Reflectance.GetValue()));
            QRect r = CentredLabel(painter, reflectance, x);
            r.moveTop(lossRect.top() - r.height());
            DrawOutlinedText(painter, r, kLabelFlags, reflectance);
        }

        const float position = mark->GetPosition();
        const QString distance =
            QCoreApplication::translate("CGraphModel", "%1km", "Distance - below event")
                .arg(QString::number(file->TimeToDistance(event->PropagationTime.GetValue()) / 1000,
                                     'f', 3));
        QRect distanceRect = CentredLabel(painter, distance, x);
        distanceRect.moveTop(y + kHalfTick);
        DrawOutlinedText(painter, distanceRect, kLabelFlags, distance);

        const QString attenuation = QCoreApplication::translate("CGraphModel", "%1dB/km  ", "Att.coeff - between events")
                                        .arg(FormatLoss(event->AttenuationCoefficient.GetValue()));
        QRect attRect = painter->boundingRect(QRect(0, 0, 100, 100), kLabelFlags, attenuation);
        const int d = t.XToPixel(position) - t.XToPixel(previousEventPosition);
        if (d >= attRect.width() + distanceRect.width() + 2) {
            const float middle = previousEventPosition + (position - previousEventPosition) / 2;
            attRect.moveTo(t.XToPixel(middle) - attRect.width() / 2,
                           t.LevelToPixel(file->GetValueAt(middle)) - attRect.height());
            DrawOutlinedText(painter, attRect, kLabelFlags, attenuation);
        }

        const tEventImages& images = EventImages();
        const QImage& icon = IsEndOfFibre(*event) ? images.End
                             : mark->GetKind() == 1 ? images.Reflection
                                                    : images.Junction;
        if (!icon.isNull())
            painter->drawImage(QPoint(x - icon.width() / 2,
                                      t.GetTarget().bottom() - icon.height() - 1),
                               icon);
    }

    font.setPointSize(12);
    painter->setFont(font);
    const QString number = QString::number(event->Number.GetValue());
    const QFontMetrics metrics = painter->fontMetrics();
    painter->drawText(x - metrics.horizontalAdvance(number) / 2,
                      t.GetTarget().top() + metrics.height(), number);
    painter->restore();
}

} // namespace

CEventMark::CEventMark(CCursors* owner, const sor::CFile* file, int eventNum)
    : CCursors::CCursor(owner, 2, 0.0), file(file), eventNum(eventNum)
{
    const int count = file ? int(file->GetKeyEventList().size()) : 0;
    if (!(eventNum >= 0 && eventNum < count)) {
        qCritical("ASSERTION FAILED: %s",
                  "eventNum>=0 && eventNum < (int)file().GetKeyEventList().size()");
        return;
    }
    const sor::tKeyEvent& event = file->GetKeyEventList()[eventNum];
    time = event.PropagationTime.GetValue();
    kind = event.EventType == 1 ? 1 : 2; // first code "1": reflective
}

const sor::tKeyEvent* CEventMark::GetEvent() const
{
    const int count = file ? int(file->GetKeyEventList().size()) : 0;
    if (!(eventNum >= 0 && eventNum < count)) {
        qCritical("ASSERTION FAILED: %s",
                  "eventNum>=0 && eventNum < (int)parent->file().GetKeyEventList().size()");
        return nullptr;
    }
    return &file->GetKeyEventList()[eventNum];
}

void DrawMarkers(QPainter* painter, const CGraphTransform& t, CCursors* cursors,
                 sor::CFile* file, bool bScaledView, const QColor& background, bool bHaloPass,
                 bool bPrint, bool bShowEvents)
{
    if (bScaledView && !bHaloPass && bShowEvents) {
        const int count = int(file->GetKeyEventList().size());
        float previous = 0;
        for (int i = 0; i < count; ++i) {
            CEventMark mark(cursors, file, i);
            DrawMark(painter, t, file, cursors, &mark, background, false, bPrint, false, previous);
            previous = mark.GetPosition();
        }
    }
    DrawMark(painter, t, file, cursors, cursors->GetLeftMarker(), QColor(), bHaloPass, bPrint,
             bScaledView, 0);
    DrawMark(painter, t, file, cursors, cursors->GetRightMarker(), QColor(), bHaloPass, bPrint,
             bScaledView, 0);
    if (!bPrint && bScaledView && cursors->IsEditMode()) {
        // Placed by the rule that picks them: a cursor scrolled out of the
        // window stands at its edge, where a click would grab it, instead of
        // lying hidden under a marker that then cannot be grabbed there.
        DrawMark(painter, t, file, cursors, cursors->GetLeftCursor(), background, bHaloPass,
                 bPrint, true, 0);
        DrawMark(painter, t, file, cursors, cursors->GetRightCursor(), background, bHaloPass,
                 bPrint, true, 0);
        DrawMark(painter, t, file, cursors, cursors->GetCenterCursor(), background, bHaloPass,
                 bPrint, true, 0);
    }
}

void DrawMark(QPainter* painter, const CGraphTransform& t, sor::CFile* file, CCursors* cursors,
              CCursors::CCursor* mark, const QColor& colour, bool bHalo, bool bPrint,
              bool bMarkerRules, float previousEventPosition)
{
    const float position = mark->GetPosition();
    const int y = t.LevelToPixel(file->GetValueAt(position));
    bool bInside = true;
    const int x = GetClampedMarkX(t, cursors, mark, bMarkerRules && !bPrint, &bInside);
    const QRect& target = t.GetTarget();
    const int kind = mark->GetKind();

    switch (kind) {
    case CCursors::LEFT_MARKER:
    case CCursors::RIGHT_MARKER: {
        // A printed page area need not start at 0: test against its own edges.
        if (x < target.left() || x > target.right() || (bPrint && !bInside))
            return;
        QColor c = kind == CCursors::LEFT_MARKER ? QColor(Qt::red) : QColor(Qt::blue);
        if (bHalo)
            c = Inverse(c.lighter(150)); // DrawMarkLine inverts it back
        if (bMarkerRules) {
            const int g = bHalo ? 1 : 0;
            DrawMarkLine(painter, x, target.top(), x, y - kGapRadius - g, c, bHalo);
            if (!bHalo) {
                painter->setPen(QPen(c, 1));
                painter->setBrush(Qt::NoBrush);
                painter->drawEllipse(QPoint(x, y), kGapRadius, kGapRadius);
            }
            DrawMarkLine(painter, x, y + kGapRadius + g, x, target.bottom(), c, bHalo);
        } else {
            DrawMarkLine(painter, x, target.top(), x, target.bottom(), c, false);
        }
        return;
    }
    case CCursors::LEFT_CURSOR:
    case CCursors::RIGHT_CURSOR:
        DrawMarkLine(painter, x, y - kHalfTick, x, y + kHalfTick, bHalo ? colour : kCursorColour,
                     bHalo);
        return;
    default:
        break;
    }

    const bool bEvent = kind != CCursors::CENTER_CURSOR;
    const QColor c = bHalo ? colour : bEvent ? kEventColour : kCenterColour;
    DrawMarkLine(painter, x, y - kHalfTick, x, y + kHalfTick, c, bHalo);
    DrawMarkLine(painter, x - kHalfFoot, y + kHalfTick, x + kHalfFoot, y + kHalfTick, c, bHalo);
    if (bEvent)
        if (const auto* eventMark = dynamic_cast<const CEventMark*>(mark))
            DrawEventLabels(painter, t, file, eventMark, x, y, bPrint, previousEventPosition);
}

void DrawMarkLine(QPainter* painter, int x1, int y1, int x2, int y2, const QColor& colour,
                  bool bHalo)
{
    if (bHalo)
        painter->setPen(QPen(Inverse(colour), kHaloWidth));
    else
        painter->setPen(QPen(colour, 1));
    painter->drawLine(x1, y1, x2, y2);
}

void DrawOutlinedText(QPainter* painter, const QRect& rect, int flags, const QString& text)
{
    painter->save();
    QPen pen = painter->pen();
    pen.setColor(Qt::white);
    painter->setPen(pen);
    painter->drawText(rect.translated(1, 1), flags, text);
    painter->drawText(rect.translated(-1, -1), flags, text);
    painter->drawText(rect.translated(-1, 1), flags, text);
    painter->drawText(rect.translated(1, -1), flags, text);
    painter->restore();
    painter->drawText(rect, flags, text);
}
