#pragma once

#include <QColor>
#include <QWidget>

// The swatch of a compared file's trace colour on its list entry.
class CColorBox : public QWidget
{
    Q_OBJECT

public:
    CColorBox(const QColor& color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color;
};
