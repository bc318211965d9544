#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QVariant>

#include <vector>

struct FInfo;

// One node of the browser's tree: the header node, the top node of the
// listing, or one entry of it.
class DFinfoTreeItem
{
public:
    DFinfoTreeItem(const std::vector<QVariant>& data, DFinfoTreeItem* parent, int isFolder, FInfo* info = nullptr);
    ~DFinfoTreeItem();
    DFinfoTreeItem(const DFinfoTreeItem&) = delete;
    DFinfoTreeItem& operator=(const DFinfoTreeItem&) = delete;

    DFinfoTreeItem* Child(int row) const;
    int ChildCount() const { return ChildItems.size(); }
    int ChildNumber() const;
    void AppendChild(DFinfoTreeItem* child) { ChildItems.append(child); }
    int ColumnCount() const { return int(ItemData.size()); }
    QVariant Data(int column) const;
    bool SetData(int column, const QVariant& value);
    DFinfoTreeItem* Parent() const { return ParentItem; }
    bool InsertChildren(int position, int count, int columns, int isFolder);
    bool InsertColumns(int position, int columns);
    bool RemoveChildren(int position, int count);
    bool RemoveColumns(int position, int columns);

    bool HasSubfolders = false;
    FInfo* Info;
    QList<DFinfoTreeItem*> ChildItems;
    std::vector<QVariant> ItemData;
    DFinfoTreeItem* ParentItem;
    int IsFolder;
};

// The instrument's file tree with one check mark per folder that holds no
// sub-folder. It reads the entries and never changes or frees them.
class DFinfoTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    DFinfoTreeModel(const QStringList& headers, FInfo* root, QObject* parent = nullptr);
    ~DFinfoTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool insertRows(int position, int rows, const QModelIndex& parent = QModelIndex()) override;
    bool insertColumns(int position, int columns, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int position, int rows, const QModelIndex& parent = QModelIndex()) override;
    bool removeColumns(int position, int columns, const QModelIndex& parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Without notification: the view's viewport is repainted by the caller.
    void ClearChecked() { checked.clear(); }
    // The files among the checked entries, in the order they were checked.
    QList<FInfo*> GetCheckedFiles() const;

private:
    DFinfoTreeItem* Item(const QModelIndex& index) const;
    static void Build(DFinfoTreeItem* node, const FInfo* entry);

    QList<QPersistentModelIndex> checked;
    FInfo* root;
    DFinfoTreeItem* header;
};
