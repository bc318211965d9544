#include "filelist/ColorBox.h"

#include <QPainter>

CColorBox::CColorBox(const QColor& color, QWidget* parent) : QWidget(parent), color(color)
{
    setFixedSize(10, 10);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
}

void CColorBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color);
}
