#include "print/Printer.h"

#include "app/MainOpt.h"

#include <QPrinter>

CPrinter::CPrinter(CFileList* flist, QObject* parent)
    : QObject(parent), flist(flist), printer(new QPrinter(QPrinter::HighResolution))
{
    if (CMainOpt* options = CMainOpt::Instance())
        options->LoadPrintSetup(printer.get());
}

CPrinter::~CPrinter()
{
    if (CMainOpt* options = CMainOpt::Instance())
        options->SavePrintSetup(printer.get());
}

// The report layout joins with the printing subsystem; until then the
// commands leave the printer as it is.
void CPrinter::Print() {}
void CPrinter::Preview() {}
void CPrinter::PageProperties() {}
