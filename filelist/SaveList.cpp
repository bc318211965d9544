#include "filelist/SaveList.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSaveList::CSaveList(const QStringList& fileNames, QWidget* parent)
    : QDialog(parent), fileList(new QListWidget(this))
{
    setWindowTitle(tr("Saving modified files"));
    setModal(true);

    auto* question = new QLabel(tr("Some files were changed, but not saved.\nSave the following selected files?"), this);

    fileList->setSelectionMode(QAbstractItemView::MultiSelection);
    fileList->addItems(fileNames);
    fileList->selectAll();

    auto* note = new QLabel(tr("Note: You can deselect saving files."), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, Qt::Horizontal, this);
    QPushButton* save = buttons->addButton(tr("Save selected"), QDialogButtonBox::ActionRole);
    save->setDefault(true);
    QPushButton* discard = buttons->addButton(tr("Close without saving"), QDialogButtonBox::ActionRole);
    connect(save, &QPushButton::clicked, this, &CSaveList::saveWithSelected);
    connect(discard, &QPushButton::clicked, this, &CSaveList::saveWithoutSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(fileList);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

CSaveList::~CSaveList()
{
    while (fileList->count())
        delete fileList->takeItem(0);
}

QStringList CSaveList::GetSelectedNames() const
{
    QStringList names;
    if (!bSaveSelected)
        return names;
    for (const QListWidgetItem* item : fileList->selectedItems())
        names << item->text();
    return names;
}

void CSaveList::saveWithoutSelected()
{
    bSaveSelected = false;
    accept();
}

void CSaveList::saveWithSelected()
{
    bSaveSelected = true;
    accept();
}
