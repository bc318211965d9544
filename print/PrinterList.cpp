#include "print/PrinterList.h"

#include "filelist/IFileList.h"
#include "sor/File.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

const int kFileTypeId = qRegisterMetaType<tPrinterListFile>("tPrinterListFile");

} // namespace

CPrinterList::CPrinterList(const IFileList* files, bool bHasPrinter, QWidget* parent)
    : QDialog(parent), fileList(new QListWidget(this)), pdfBox(new QCheckBox(this))
{
    Q_UNUSED(kFileTypeId);
    setWindowTitle(tr("Print files"));
    setModal(true);

    auto* title = new QLabel(tr("List of files for printing"), this);
    fileList->setSelectionMode(QAbstractItemView::MultiSelection);
    AddFileItem(tPrinterListFile());
    for (int row = 0; files && row < files->GetCount(); ++row)
        AddFileItem(files->GetFile(row));
    fileList->setCurrentRow(0, QItemSelectionModel::Select);
    auto* note = new QLabel(tr("Note: You can select files for printing."), this);
    pdfBox->setText(tr("Print to Adobe PDF file"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(fileList);
    layout->addWidget(note);
    layout->addWidget(pdfBox);
    layout->addWidget(buttons);

    if (!bHasPrinter) {
        pdfBox->setCheckState(Qt::Checked);
        pdfBox->setEnabled(false);
        pdfBox->setToolTip(tr("Please setup any printer"));
    }
}

CPrinterList::~CPrinterList()
{
    while (fileList->count())
        delete fileList->takeItem(0);
}

void CPrinterList::AddFileItem(const tPrinterListFile& file)
{
    auto* item = new QListWidgetItem(file ? file->GetShortFileName() : tr("Work area - selected file"));
    item->setData(Qt::UserRole, QVariant::fromValue(file));
    fileList->addItem(item);
}

bool CPrinterList::IsPdf() const
{
    return pdfBox->checkState() == Qt::Checked;
}

QList<tPrinterListFile> CPrinterList::GetSelection() const
{
    QList<tPrinterListFile> selection;
    for (const QListWidgetItem* item : fileList->selectedItems())
        selection << item->data(Qt::UserRole).value<tPrinterListFile>();
    return selection;
}
