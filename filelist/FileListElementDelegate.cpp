#include "filelist/FileListElementDelegate.h"

#include "filelist/FileList.h"
#include "filelist/FileListElementWidget.h"
#include "sor/File.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>

namespace {

QSharedPointer<tListedFile> ListedFile(const QModelIndex& index)
{
    return index.data(Qt::UserRole).value<QSharedPointer<tListedFile>>();
}

} // namespace

CFileListElementDelegate::CFileListElementDelegate(QObject* parent)
    : QStyledItemDelegate(parent), view(qobject_cast<QAbstractItemView*>(parent))
{
}

void CFileListElementDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    unsigned state = 0;
    if (option.state & QStyle::State_HasFocus)
        state |= CFileListElementWidget::cFocused;
    if (option.state & QStyle::State_Selected)
        state |= CFileListElementWidget::cSelected;
    if (view && index == view->currentIndex())
        state |= CFileListElementWidget::cCurrent;

    painter->save();
    const QSharedPointer<tListedFile> file = ListedFile(index);
    {
        CFileListElementWidget card(index.row(), state, file, nullptr);
        const QSize size = sizeHint(option, index);
        card.setFixedSize(size);
        // A parentless widget lays itself out only when shown; render does not show it.
        card.layout()->activate();
        // At the screen's pixel density, or the card would be scaled up blurred.
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pixmap(size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        card.render(&pixmap, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter->drawPixmap(option.rect.topLeft(), pixmap);
    }
    if (state & CFileListElementWidget::cFocused) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QWidget* widget = option.widget ? option.widget : view;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize CFileListElementDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    if (!view)
        return QSize();
    const int contents = view->contentsRect().width();
    const QScrollBar* bar = view->verticalScrollBar();
    const int barWidth = bar && bar->minimum() != bar->maximum() ? bar->width() : 0;
    return QSize(contents - barWidth, qRound(contents * 70.0 / 185.0));
}

QWidget* CFileListElementDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                                const QModelIndex& index) const
{
    auto* editor = new CFileListElementWidget(index.row(), CFileListElementWidget::cSelected,
                                              ListedFile(index), parent);
    connect(editor, &CFileListElementWidget::editingOk, this, &CFileListElementDelegate::OnEditingOk);
    connect(editor, &CFileListElementWidget::editingLeave, this, &CFileListElementDelegate::OnEditingLeave);
    return editor;
}

void CFileListElementDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const
{
}

void CFileListElementDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (auto* card = qobject_cast<CFileListElementWidget*>(editor))
        card->Release();
    else
        QStyledItemDelegate::destroyEditor(editor, index);
}

void CFileListElementDelegate::OnEditingOk(CFileListElementWidget* editor)
{
    auto* list = qobject_cast<CFileList*>(view);
    const QSharedPointer<tListedFile> file = editor->GetListedFile();
    if (list && file && !file->IsNull() && list->RenameFile(file->GetFilePtr(), editor->GetEditedName())) {
        emit commitData(editor);
        return;
    }
    if (view)
        view->setFocus();
}

void CFileListElementDelegate::OnEditingLeave(CFileListElementWidget* editor)
{
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool CFileListElementDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                         const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QSharedPointer<tListedFile> file = ListedFile(index);
    if (event && event->type() == QEvent::ToolTip && file && !file->IsNull()) {
        const sor::CFile* trace = file->GetFile();
        const QString text = (trace->IsChanged() ? QStringLiteral("* ") : QString()) + trace->GetShortFileName();
        QToolTip::showText(event->globalPos(), text, view);
        // The base would show the item's empty tool tip and hide this one.
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}
