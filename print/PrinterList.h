#pragma once

#include <QDialog>
#include <QList>
#include <QMetaType>
#include <QSharedPointer>

class IFileList;
class QCheckBox;
class QListWidget;

namespace sor {
class CFile;
}

// One entry of the print choice: a listed trace; null stands for whatever file
// the work area shows when the pages are drawn. Shared, so that a choice
// outliving the list's copy (the folder watcher reloads or closes files while
// dialogs and the preview are open) never points at a freed trace.
typedef QSharedPointer<sor::CFile> tPrinterListFile;

// Lets the user pick the traces to print and choose a PDF file instead of a
// printer.
class CPrinterList : public QDialog
{
    Q_OBJECT

public:
    // `files` may be null: only the work-area entry is offered then.
    CPrinterList(const IFileList* files, bool bHasPrinter, QWidget* parent);
    ~CPrinterList() override;

    void AddFileItem(const tPrinterListFile& file);
    bool IsPdf() const;
    QList<tPrinterListFile> GetSelection() const;

private:
    QListWidget* fileList;
    QCheckBox* pdfBox;
};
