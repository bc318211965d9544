#pragma once

#include <QItemDelegate>

// Draws table cells as usual but without the dotted frame around the current
// cell: the tables select whole rows, and the frame on one cell reads as if
// only that value were chosen.
class CTableWidgetDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit CTableWidgetDelegate(QObject* parent);
    ~CTableWidgetDelegate() override;

protected:
    void drawFocus(QPainter* painter, const QStyleOptionViewItem& option,
                   const QRect& rect) const override;
};
