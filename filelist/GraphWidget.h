#pragma once

#include "filelist/ViewFile.h"

#include <QFrame>
#include <QSharedPointer>
#include <QStringList>

// The thumbnail of a listed trace: the whole trace in its colour, drawn as
// the plot draws it, with pulse width, wavelength, length and group index
// in the top right corner.
class CGraphWidget : public QFrame
{
    Q_OBJECT

public:
    CGraphWidget(const QSharedPointer<tListedFile>& file, QWidget* parent);

    // "τ=…ns", "λ=…nm", "L=…km", "k=…", in that order.
    static QStringList Labels(const tListedFile& file);
    // Where each label's top-left corner goes inside `target`.
    static QList<QPoint> LabelPlaces(const QRect& target, const QList<QSize>& sizes);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSharedPointer<tListedFile> file;
};
