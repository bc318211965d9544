#pragma once

#include "filelist/ViewFile.h"

#include <QFrame>
#include <QSharedPointer>
#include <QStringList>

// The thumbnail of a listed trace: the whole trace in its colour with pulse
// width, wavelength, length and group index in the top right corner.
class QPainter;

namespace sor {
class IFileView;
}

class CGraphWidget : public QFrame
{
    Q_OBJECT

public:
    CGraphWidget(const QSharedPointer<tListedFile>& file, QWidget* parent);

    // "τ=…ns", "λ=…nm", "L=…km", "k=…", in that order.
    static QStringList Labels(const tListedFile& file);
    // The whole trace fitted into `target`; as the plot's polyline of every
    // sample looks, but with one line per column when samples outnumber them.
    static void DrawWholeTrace(QPainter* painter, const sor::IFileView* view, const QRect& target,
                               const QColor& colour);
    // Where each label's top-left corner goes inside `target`.
    static QList<QPoint> LabelPlaces(const QRect& target, const QList<QSize>& sizes);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSharedPointer<tListedFile> file;
};
