#pragma once

#include "print/PrinterList.h"
#include "print/ReportPage.h"

#include <QList>
#include <QObject>
#include <QPrinter>

class CFileList;
class QPainter;
class QPrintPreviewDialog;
class QWidget;

// Prints, previews and exports the report of the listed traces, one page per
// chosen trace. The printer's set-up lives in the options object: read at
// construction, written back at destruction, so it must go before the
// options object does.
class CPrinter : public QObject
{
    Q_OBJECT

public:
    // `parent` owns the printer and is the parent of its dialogs.
    CPrinter(CFileList* files, QWidget* parent);
    ~CPrinter() override;

    QPrinter* GetPrinter() { return &printer; }
    bool HasPrinter() const;
    void NeedPrinter();
    // `file` null: the list's current file. False when the printer could
    // not start a further page for a long report.
    bool DrawPage(QPrinter* printer, QPainter* painter, sor::CFile* file);
    tReportSections GetSections() const;
    // Takes the sections stored in the report options, as every preview
    // starts with them.
    void LoadSections();

public slots:
    void Print();
    void Preview();
    void PageProperties();
    void ShowFooterTable();
    void ShowGraph();
    void ShowMarkerData();
    void ShowEventsData();
    void ShowResultsData();
    void Draw(QPrinter* printer);

private:
    QString AskPdfName();
    void ToggleSection(bool& bFlag);
    void ShowError(const QString& text);
    static void ReplaceWindow(QWidget* shown, QWidget* replacement);

    QPrinter printer;
    CFileList* files;
    QList<tPrinterListFile> selection;
    QWidget* parent;
    bool bShowFooter = true;
    bool bShowGraph = true;
    bool bShowMarkerData = true;
    bool bShowEventsData = true;
    bool bShowResultsData = true;
    QPrintPreviewDialog* previewDialog = nullptr;
};
