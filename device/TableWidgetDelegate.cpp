#include "device/TableWidgetDelegate.h"

CTableWidgetDelegate::CTableWidgetDelegate(QObject* parent) : QItemDelegate(parent) {}

CTableWidgetDelegate::~CTableWidgetDelegate() = default;

void CTableWidgetDelegate::drawFocus(QPainter*, const QStyleOptionViewItem&, const QRect&) const {}
