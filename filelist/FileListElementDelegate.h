#pragma once

#include <QStyledItemDelegate>

class CFileListElementWidget;
class QAbstractItemView;

// Paints each list entry by rendering a short-lived card, so that no widget
// lives per row, and offers the same card with a name field for renaming.
class CFileListElementDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The parent is the list view the delegate paints.
    explicit CFileListElementDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The rename has already happened when the editor commits.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    // An entry closed while its rename box is open must not take the editor
    // along before the box returns.
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

public slots:
    void OnEditingOk(CFileListElementWidget* editor);
    void OnEditingLeave(CFileListElementWidget* editor);
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    QAbstractItemView* view;
};
