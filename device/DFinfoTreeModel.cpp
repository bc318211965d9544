#include "device/DFinfoTreeModel.h"

#include "device/FInfo.h"

#include <QIcon>

DFinfoTreeItem::DFinfoTreeItem(const std::vector<QVariant>& data, DFinfoTreeItem* parent, int isFolder, FInfo* info)
    : Info(info), ItemData(data), ParentItem(parent), IsFolder(isFolder)
{
}

DFinfoTreeItem::~DFinfoTreeItem()
{
    qDeleteAll(ChildItems);
}

DFinfoTreeItem* DFinfoTreeItem::Child(int row) const
{
    return row >= 0 && row < ChildItems.size() ? ChildItems.at(row) : nullptr;
}

int DFinfoTreeItem::ChildNumber() const
{
    return ParentItem ? ParentItem->ChildItems.indexOf(const_cast<DFinfoTreeItem*>(this)) : 0;
}

QVariant DFinfoTreeItem::Data(int column) const
{
    return column >= 0 && column < ColumnCount() ? ItemData[size_t(column)] : QVariant();
}

bool DFinfoTreeItem::SetData(int column, const QVariant& value)
{
    if (column < 0 || column >= ColumnCount())
        return false;
    ItemData[size_t(column)] = value;
    return true;
}

bool DFinfoTreeItem::InsertChildren(int position, int count, int columns, int isFolder)
{
    if (position < 0 || position > ChildItems.size())
        return false;
    for (int row = 0; row < count; ++row)
        ChildItems.insert(position, new DFinfoTreeItem(std::vector<QVariant>(size_t(columns)), this, isFolder));
    return true;
}

bool DFinfoTreeItem::InsertColumns(int position, int columns)
{
    if (position < 0 || position > ColumnCount())
        return false;
    ItemData.insert(ItemData.begin() + position, size_t(columns), QVariant());
    for (DFinfoTreeItem* child : qAsConst(ChildItems))
        child->InsertColumns(position, columns);
    return true;
}

bool DFinfoTreeItem::RemoveChildren(int position, int count)
{
    if (position < 0 || position + count > ChildItems.size())
        return false;
    for (int row = 0; row < count; ++row)
        delete ChildItems.takeAt(position);
    return true;
}

bool DFinfoTreeItem::RemoveColumns(int position, int columns)
{
    if (position < 0 || position + columns > ColumnCount())
        return false;
    ItemData.erase(ItemData.begin() + position, ItemData.begin() + position + columns);
    for (DFinfoTreeItem* child : qAsConst(ChildItems))
        child->RemoveColumns(position, columns);
    return true;
}

DFinfoTreeModel::DFinfoTreeModel(const QStringList& headers, FInfo* root, QObject* parent)
    : QAbstractItemModel(parent), root(root)
{
    std::vector<QVariant> titles;
    for (const QString& h : headers)
        titles.emplace_back(h);
    header = new DFinfoTreeItem(titles, nullptr, 1);
    auto* top = new DFinfoTreeItem({root->name, root->size, root->date}, header, 1);
    header->AppendChild(top);
    Build(top, root);
}

DFinfoTreeModel::~DFinfoTreeModel()
{
    delete header;
}

void DFinfoTreeModel::Build(DFinfoTreeItem* node, const FInfo* entry)
{
    for (FInfo* child : entry->children) {
        auto* item = new DFinfoTreeItem({child->name, child->size, child->date}, node, child->isFolder, child);
        node->AppendChild(item);
        if (child->isFolder == 1) {
            node->HasSubfolders = true;
            Build(item, child);
        }
    }
}

DFinfoTreeItem* DFinfoTreeModel::Item(const QModelIndex& index) const
{
    if (index.isValid())
        if (auto* item = static_cast<DFinfoTreeItem*>(index.internalPointer()))
            return item;
    return header;
}

QModelIndex DFinfoTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return QModelIndex();
    DFinfoTreeItem* child = Item(parent)->Child(row);
    if (!child || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column, child);
}

QModelIndex DFinfoTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return QModelIndex();
    DFinfoTreeItem* up = Item(index)->Parent();
    if (!up || up == header)
        return QModelIndex();
    return createIndex(up->ChildNumber(), 0, up);
}

int DFinfoTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return Item(parent)->ChildCount();
}

int DFinfoTreeModel::columnCount(const QModelIndex&) const
{
    return header->ColumnCount();
}

QVariant DFinfoTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const DFinfoTreeItem* item = Item(index);
    if (role == Qt::CheckStateRole && index.column() == 0) {
        if (item->IsFolder == 0 || item->HasSubfolders)
            return QVariant();
        return checked.contains(QPersistentModelIndex(index)) ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::DecorationRole && index.column() == 0)
        return QIcon(item->IsFolder == 1 ? QStringLiteral(":/images/FolderSmall.png")
                                         : QStringLiteral(":/images/ShowDescription.png"));
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return item->Data(index.column());
    return QVariant();
}

bool DFinfoTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return false;
    DFinfoTreeItem* item = Item(index);
    if (role != Qt::CheckStateRole) {
        const bool bSet = item->SetData(index.column(), value);
        if (bSet)
            emit dataChanged(index, index);
        return bSet;
    }
    if (item->HasSubfolders)
        return false;
    if (value == Qt::Checked)
        checked.append(QPersistentModelIndex(index));
    else
        checked.removeOne(QPersistentModelIndex(index));
    for (int row = 0; row < rowCount(index); ++row)
        setData(this->index(row, 0, index), value, Qt::CheckStateRole);
    emit dataChanged(index, index);
    return true;
}

QVariant DFinfoTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return header->Data(section);
    return QVariant();
}

bool DFinfoTreeModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (role != Qt::EditRole || orientation != Qt::Horizontal)
        return false;
    const bool bSet = header->SetData(section, value);
    if (bSet)
        emit headerDataChanged(orientation, section, section);
    return bSet;
}

bool DFinfoTreeModel::insertRows(int position, int rows, const QModelIndex& parent)
{
    DFinfoTreeItem* item = Item(parent);
    beginInsertRows(parent, position, position + rows - 1);
    const bool bDone = item->InsertChildren(position, rows, header->ColumnCount(), 0);
    endInsertRows();
    return bDone;
}

bool DFinfoTreeModel::insertColumns(int position, int columns, const QModelIndex& parent)
{
    beginInsertColumns(parent, position, position + columns - 1);
    const bool bDone = header->InsertColumns(position, columns);
    endInsertColumns();
    return bDone;
}

bool DFinfoTreeModel::removeRows(int position, int rows, const QModelIndex& parent)
{
    DFinfoTreeItem* item = Item(parent);
    beginRemoveRows(parent, position, position + rows - 1);
    const bool bDone = item->RemoveChildren(position, rows);
    endRemoveRows();
    return bDone;
}

bool DFinfoTreeModel::removeColumns(int position, int columns, const QModelIndex& parent)
{
    beginRemoveColumns(parent, position, position + columns - 1);
    const bool bDone = header->RemoveColumns(position, columns);
    endRemoveColumns();
    if (header->ColumnCount() == 0)
        removeRows(0, rowCount());
    return bDone;
}

Qt::ItemFlags DFinfoTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractItemModel::flags(index);
}

QList<FInfo*> DFinfoTreeModel::GetCheckedFiles() const
{
    QList<FInfo*> files;
    for (const QPersistentModelIndex& index : checked) {
        if (!index.isValid())
            continue;
        const DFinfoTreeItem* item = Item(index);
        if (item->IsFolder != 1)
            files.append(item->Info);
    }
    return files;
}
