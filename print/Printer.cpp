#include "print/Printer.h"

#include "app/MainOpt.h"
#include "core/LoggedMessageBox.h"
#include "filelist/FileList.h"
#include "sor/File.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressBar>
#include <QProgressDialog>
#include <QToolBar>

#include <memory>

namespace {

const Qt::WindowFlags kBoxFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

CPrinter::CPrinter(CFileList* files, QWidget* parent)
    : QObject(parent), printer(QPrinter::ScreenResolution), files(files), parent(parent)
{
    // Pages are laid out in screen pixels; a stored set-up carries a
    // resolution of its own that must not change that.
    const int screenResolution = printer.resolution();
    if (CMainOpt* options = CMainOpt::Instance())
        options->LoadPrintSetup(&printer);
    printer.setResolution(screenResolution);
    LoadSections();
}

CPrinter::~CPrinter()
{
    if (CMainOpt* options = CMainOpt::Instance())
        options->SavePrintSetup(&printer);
}

bool CPrinter::HasPrinter() const
{
    return !printer.printerName().isEmpty();
}

void CPrinter::NeedPrinter()
{
    CLoggedMessageBox(QMessageBox::Information, tr("Need printer"),
                      tr("It need any printer for continue. Please install printer and try now."),
                      QMessageBox::Ok, parent, kBoxFlags)
        .Exec();
}

tReportSections CPrinter::GetSections() const
{
    tReportSections sections;
    sections.bShowFooter = bShowFooter;
    sections.bShowGraph = bShowGraph;
    sections.bShowMarkerData = bShowMarkerData;
    sections.bShowEventsData = bShowEventsData;
    sections.bShowResultsData = bShowResultsData;
    return sections;
}

void CPrinter::LoadSections()
{
    const CMainOpt* options = CMainOpt::Instance();
    if (!options)
        return;
    bShowGraph = options->GetIncludeGraphicandResults();
    bShowMarkerData = options->GetIncludeMarkerData();
    bShowEventsData = options->GetIncludeEventsTable();
    bShowResultsData = options->GetIncludeResultsTable();
    bShowFooter = options->GetIncludeSign();
}

void CPrinter::Print()
{
    if (!files || files->GetCount() <= 0)
        qCritical("ASSERTION FAILED: %s", "files.size()>0");

    CPrinterList list(files, true, parent);
    if (list.exec() != QDialog::Accepted)
        return;
    selection = list.GetSelection();
    if (selection.isEmpty())
        return;

    bool bGo = false;
    if (list.IsPdf()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString name = AskPdfName();
        if (!name.isEmpty()) {
            printer.setOutputFileName(name);
            bGo = true;
        }
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        QPrintDialog dialog(&printer, parent);
        bGo = dialog.exec() == QDialog::Accepted;
    }
    if (bGo)
        Draw(&printer);
    // The next run asks again rather than overwriting the last export.
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
}

QString CPrinter::AskPdfName()
{
    const QString caption = QCoreApplication::translate("QPrintPreviewDialog", "Export to PDF");
    QString name = printer.outputFileName();
    for (;;) {
        // The file dialog would ask about the typed name, but the file
        // written may be that name with ".pdf" added: asked here instead.
        name = QFileDialog::getSaveFileName(parent, caption, name, QStringLiteral("*.pdf"), nullptr,
                                            QFileDialog::DontUseNativeDialog |
                                                QFileDialog::DontConfirmOverwrite);
        if (name.isEmpty())
            return QString();
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".pdf");
        if (!QFileInfo::exists(name))
            return name;
        const int answer =
            CLoggedMessageBox(QMessageBox::Warning, caption,
                              tr("File \"%1\" already exists.\nDo you want to replace it?")
                                  .arg(QDir::toNativeSeparators(name)),
                              QMessageBox::Yes | QMessageBox::No, parent, kBoxFlags)
                .Exec();
        if (answer == QMessageBox::Yes)
            return name;
    }
}

void CPrinter::Preview()
{
    printer.setOutputFormat(QPrinter::NativeFormat);
    {
        CPrinterList list(files, HasPrinter(), parent);
        if (list.exec() != QDialog::Accepted)
            return;
        selection = list.GetSelection();
        if (selection.isEmpty())
            return;
        printer.setOutputFileName(QString());
        if (list.IsPdf()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
        } else {
            printer.setOutputFormat(QPrinter::NativeFormat);
            if (!HasPrinter()) {
                NeedPrinter();
                return;
            }
        }
    }
    LoadSections();

    std::unique_ptr<QPrintPreviewDialog> dialog(new QPrintPreviewDialog(&printer, nullptr, Qt::Window));
    previewDialog = dialog.get();
    dialog->setWindowTitle(tr("Quorvane - Print preview mode (presss ESC or close)"));

    QList<QAction*> actions;
    const QList<QToolBar*> toolBars = dialog->findChildren<QToolBar*>();
    if (!toolBars.isEmpty()) {
        struct tToggle
        {
            QString Text;
            const char* Icon;
            bool bChecked;
            void (CPrinter::*Slot)();
        };
        const tToggle toggles[] = {
            {tr("Показывать График"), ":/images/g-32", bShowGraph, &CPrinter::ShowGraph},
            {tr("Показывать данные маркеров"), ":/images/m-32", bShowMarkerData, &CPrinter::ShowMarkerData},
            {tr("Показывать таблицу событий"), ":/images/e-32", bShowEventsData, &CPrinter::ShowEventsData},
            {tr("Показывать таблицу результатов"), ":/images/r-32", bShowResultsData,
             &CPrinter::ShowResultsData},
            {tr("Show Footer"), ":/images/pagefooter32", bShowFooter, &CPrinter::ShowFooterTable},
        };
        for (const tToggle& toggle : toggles) {
            auto* action = new QAction(QIcon(QString::fromLatin1(toggle.Icon)), toggle.Text, this);
            action->setCheckable(true);
            action->setChecked(toggle.bChecked);
            connect(action, &QAction::triggered, this, toggle.Slot);
            toolBars.first()->addAction(action);
            actions << action;
        }
    }
    connect(dialog.get(), &QPrintPreviewDialog::paintRequested, this, &CPrinter::Draw);

    if (parent)
        ReplaceWindow(parent, dialog.get());
    dialog->exec();
    if (parent)
        ReplaceWindow(dialog.get(), parent);

    dialog.reset();
    previewDialog = nullptr;
    qDeleteAll(actions);
    printer.setOutputFormat(QPrinter::NativeFormat);
}

void CPrinter::ReplaceWindow(QWidget* shown, QWidget* replacement)
{
    shown->show();
    const QSize size = shown->size();
    const bool bMaximized = shown->isMaximized();
    if (bMaximized)
        shown->showNormal();
    QApplication::processEvents();
    replacement->move(shown->pos());
    replacement->resize(size);
    if (bMaximized) {
        shown->showMaximized();
        replacement->showMaximized();
    } else {
        replacement->showNormal();
    }
    QApplication::processEvents();
    shown->hide();
}

void CPrinter::PageProperties()
{
    if (!HasPrinter()) {
        NeedPrinter();
        return;
    }
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

void CPrinter::ToggleSection(bool& bFlag)
{
    bFlag = !bFlag;
    if (!previewDialog)
        return;
    const QList<QPrintPreviewWidget*> previews = previewDialog->findChildren<QPrintPreviewWidget*>();
    if (!previews.isEmpty())
        previews.first()->updatePreview();
}

void CPrinter::ShowFooterTable() { ToggleSection(bShowFooter); }
void CPrinter::ShowGraph() { ToggleSection(bShowGraph); }
void CPrinter::ShowMarkerData() { ToggleSection(bShowMarkerData); }
void CPrinter::ShowEventsData() { ToggleSection(bShowEventsData); }
void CPrinter::ShowResultsData() { ToggleSection(bShowResultsData); }

void CPrinter::ShowError(const QString& text)
{
    CLoggedMessageBox(QMessageBox::Critical, tr("Printer subsystem error"), text, QMessageBox::NoButton,
                      parent, kBoxFlags)
        .Exec();
}

void CPrinter::Draw(QPrinter* target)
{
    if (!files || files->GetCount() <= 0)
        qCritical("ASSERTION FAILED: %s", "files.size()>0");

    QPainter painter;
    if (!painter.begin(target)) {
        if (target->outputFormat() == QPrinter::PdfFormat) {
            ShowError(tr("Can't open file \"%1\".\nProgram can't export to Adobe PDF.")
                          .arg(target->outputFileName()));
        } else {
            const QString text = tr("Printer subsystem internal error.\nProgram can't produce any printing.");
            qDebug("%s", qPrintable(text));
            ShowError(text);
        }
        return;
    }

    QProgressDialog progress(tr("Generate pages..."), tr("Cancel"), 0, selection.size(), parent);
    // Set directly: a modal progress dialog's own setValue runs the event
    // loop, and nothing may run while pages are drawn.
    auto* bar = new QProgressBar(&progress);
    progress.setBar(bar);
    progress.setCancelButton(nullptr);
    progress.setModal(true);
    progress.setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint);
    bar->setRange(0, selection.size());
    bar->setValue(0);
    progress.show();
    QApplication::processEvents();

    QHash<QString, int> rows;
    for (int row = 0; files && row < files->GetCount(); ++row)
        rows.insert(files->GetFile(row)->GetShortFileName(), row);
    const QModelIndex current = files ? files->currentIndex() : QModelIndex();

    // A chosen trace may have been reloaded or closed since it was chosen
    // (the folder watcher runs while dialogs and the preview are open):
    // its page shows what the list holds under its name now, and a trace
    // the list no longer holds gets no page, since the trace drawing can
    // only show listed files.
    struct tPage
    {
        sor::CFile* File;
        int Row;
    };
    QList<tPage> pages;
    for (const tPrinterListFile& entry : selection) {
        if (!entry) {
            pages << tPage{nullptr, -1};
            continue;
        }
        const auto row = rows.constFind(entry->GetShortFileName());
        if (row == rows.constEnd() || !files) {
            qWarning("%s is no longer listed; its page is left out", qPrintable(entry->GetFileName()));
            continue;
        }
        pages << tPage{files->GetFile(*row).data(), *row};
    }

    int printed = 0;
    for (int i = 0; i < pages.size(); ++i) {
        // The work-area entry stands for the file current when printing
        // began, not for the one an earlier entry has just made current.
        if (pages[i].File)
            files->setCurrentIndex(files->model()->index(pages[i].Row, 0));
        else if (files && files->currentIndex() != current)
            files->setCurrentIndex(current);
        bool bPaged = DrawPage(target, &painter, pages[i].File);
        if (pages[i].File)
            bar->setValue(++printed);
        if (bPaged && i + 1 < pages.size())
            bPaged = target->newPage();
        if (!bPaged) {
            CLoggedMessageBox(QMessageBox::Warning, tr("Printer subsystem error"),
                              tr("Printer subsystem can't generate new page.\nNot all pages can be printed."),
                              QMessageBox::NoButton, parent, kBoxFlags)
                .Exec();
            break;
        }
    }

    painter.end();
    if (files && files->currentIndex() != current)
        files->setCurrentIndex(current);
    progress.close();
}

bool CPrinter::DrawPage(QPrinter* target, QPainter* painter, sor::CFile* file)
{
    if (!file && files && files->IsEnabled())
        file = files->GetFile(files->GetCurrentRow()).data();
    if (!file) {
        // Nothing to read: the page stays empty.
        qCritical("ASSERTION FAILED: %s", "file");
        return true;
    }
    CReportPage page(GetSections(), files ? files->GetGraphModel() : nullptr);
    return page.Draw(target, painter, *file);
}
