#include "device/SelectFolderDialog.h"

#include "device/DFinfoTreeModel.h"
#include "device/FInfo.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpacerItem>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Every entry below `entry`, each folder right after its own contents.
void CollectAll(const FInfo* entry, QList<FInfo*>& out)
{
    for (FInfo* child : entry->children) {
        if (child->isFolder == 1)
            CollectAll(child, out);
        out.append(child);
    }
}

} // namespace

SelectFolderDialog::SelectFolderDialog(FInfo* root, QWidget* parent) : QDialog(parent), root(root)
{
    BuildForm();
    model = new DFinfoTreeModel({tr("Name"), tr("Size"), tr("Date")}, root, this);
    form.treeView->setModel(model);
    connect(form.treeView, &QTreeView::clicked, this, &SelectFolderDialog::onTreeItemClicked);
    connect(form.radioButtonLoadSelectedFolder, &QRadioButton::clicked, this,
            &SelectFolderDialog::onLoadSelectedOptionClicked);
    connect(form.radioButtonLoadAll, &QRadioButton::clicked, this, &SelectFolderDialog::onLoadAllOptionClicked);

    form.radioButtonLoadAll->setChecked(false);
    form.radioButtonLoadSelectedFolder->setChecked(true);
    mode = 1;
    form.treeView->setEnabled(true);

    const QModelIndexList all =
        model->match(model->index(0, 0), Qt::DisplayRole, QStringLiteral("*"), -1, Qt::MatchWildcard | Qt::MatchRecursive);
    for (const QModelIndex& index : all)
        form.treeView->expand(index);
    for (int column = 0; column < model->columnCount(); ++column)
        form.treeView->resizeColumnToContents(column);
}

SelectFolderDialog::~SelectFolderDialog() = default;

void SelectFolderDialog::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("selectFolderDialog"));
    resize(640, 480);
    auto* verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    auto* horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    form.radioButtonLoadAll = new QRadioButton(this);
    form.radioButtonLoadAll->setObjectName(QStringLiteral("radioButtonLoadAll"));
    horizontalLayout->addWidget(form.radioButtonLoadAll);
    form.radioButtonLoadSelectedFolder = new QRadioButton(this);
    form.radioButtonLoadSelectedFolder->setObjectName(QStringLiteral("radioButtonLoadSelectedFolder"));
    horizontalLayout->addWidget(form.radioButtonLoadSelectedFolder);
    horizontalLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    verticalLayout->addLayout(horizontalLayout);
    form.treeView = new QTreeView(this);
    form.treeView->setObjectName(QStringLiteral("treeView"));
    form.treeView->setFrameShape(QFrame::Panel);
    verticalLayout->addWidget(form.treeView);
    form.buttonBox = new QDialogButtonBox(this);
    form.buttonBox->setObjectName(QStringLiteral("buttonBox"));
    form.buttonBox->setOrientation(Qt::Horizontal);
    form.buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    verticalLayout->addWidget(form.buttonBox);
    RetranslateForm();
    connect(form.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(form.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
}

void SelectFolderDialog::RetranslateForm()
{
    setWindowTitle(QCoreApplication::translate("selectFolderDialog", "Download files"));
    form.radioButtonLoadAll->setText(QCoreApplication::translate("selectFolderDialog", "Download all"));
    form.radioButtonLoadSelectedFolder->setText(
        QCoreApplication::translate("selectFolderDialog", "Download selected folder"));
}

QList<FInfo*> SelectFolderDialog::GetFiles() const
{
    if (mode == 1)
        return model->GetCheckedFiles();
    QList<FInfo*> files;
    CollectAll(root, files);
    return files;
}

void SelectFolderDialog::onTreeItemClicked(QModelIndex index)
{
    if (!index.isValid() || index.column() != 0)
        return;
    const int state = model->data(index, Qt::CheckStateRole).toInt();
    const Qt::CheckState next = state == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    model->ClearChecked();
    model->setData(index, next, Qt::CheckStateRole);
    form.treeView->viewport()->repaint();
}

void SelectFolderDialog::onLoadSelectedOptionClicked()
{
    mode = 1;
    form.treeView->setEnabled(true);
}

void SelectFolderDialog::onLoadAllOptionClicked()
{
    mode = 0;
    form.treeView->setEnabled(false);
}
