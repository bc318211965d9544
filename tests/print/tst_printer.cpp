#include "PrintFixture.h"

#include "support/LogCatcher.h"
#include "print/Printer.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QToolBar>
#include <QtTest>

namespace {

// Types the whole path into the next file dialog and accepts it.
CModalAnswerer::tAction TypePath(const QString& path)
{
    return [path](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!edit) {
            dialog->close();
            return;
        }
        edit->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    };
}

CModalAnswerer::tAction Reject()
{
    return [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); };
}

// Where the pictures of pages and of the preview go, to be looked at.
QString GrabPath(const QString& name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/grabs");
    QDir().mkpath(dir);
    return dir + "/" + name;
}

// The printable area in pixels of a page rendered at the printer's resolution.
QRect PrintableArea(QPrinter* printer)
{
    return printer->pageRect(QPrinter::DevicePixel).toRect();
}

} // namespace

class TestPrinter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportsOnePagePerChosenTrace_data();
    void exportsOnePagePerChosenTrace();
    void nothingChosenWritesNothing_data();
    void nothingChosenWritesNothing();
    void pageCarriesTheReport_data();
    void pageCarriesTheReport();
    void pageWithoutSectionsHasOnlyTheHeader();
    void workAreaEntryPrintsTheFileCurrentAtStart_data();
    void workAreaEntryPrintsTheFileCurrentAtStart();
    void storedHighResolutionSetUpKeepsTheLayout();
    void workAreaWithoutFilePrintsAnEmptyPage();
    void unwritablePdfIsReported();
    void withoutPrinterPageSetupAsksForOne();
    void previewTogglesSectionsAndCoversTheWindow();
    void existingPdfIsReplacedOnlyWhenConfirmed_data();
    void existingPdfIsReplacedOnlyWhenConfirmed();
    void longEventTableKeepsEveryRow();
    void previewDrawsOnlyWhatTheListHolds();

private:
    // Runs Print() with the file choice and the PDF name answered.
    QList<CModalAnswerer::tSeen> PrintToPdf(CPrinter& printer, const QList<int>& rows,
                                            const QString& path);

    std::unique_ptr<PrintFixture> fixture;
    QFont applicationFont;
};

void TestPrinter::init()
{
    applicationFont = QApplication::font();
    fixture = std::make_unique<PrintFixture>();
}

void TestPrinter::cleanup()
{
    fixture.reset();
    QApplication::setFont(applicationFont);
}

QList<CModalAnswerer::tSeen> TestPrinter::PrintToPdf(CPrinter& printer, const QList<int>& rows,
                                                     const QString& path)
{
    CModalAnswerer answerer;
    answerer.Then(PrintFixture::ChooseRows(rows)).Then(TypePath(path));
    printer.Print();
    return answerer.Seen();
}

void TestPrinter::exportsOnePagePerChosenTrace_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("pages");
    QTest::newRow("two traces") << QList<int>{1, 2} << "report" << "report.pdf" << 2;
    QTest::newRow("one trace") << QList<int>{2} << "report.txt" << "report.txt" << 1;
}

void TestPrinter::exportsOnePagePerChosenTrace()
{
    QFETCH(QList<int>, rows);
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(int, pages);
    PrintFixture::SetSections(true);
    fixture->Add(PrintFixture::Fixture(), "first.sor");
    fixture->Add(PrintFixture::Fixture().Event(1000).Event(2500, 1), "second.sor");
    fixture->list->SelectRow(0);

    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    QCOMPARE(PrintToPdf(printer, rows, fixture->Path(name)).size(), 2);

    const QString path = fixture->Path(written);
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(fixture->Path(name + ".pdf")) || name + ".pdf" == written);
    const QString info = PrintFixture::PdfInfo(path);
    QVERIFY2(info.contains(QRegularExpression(QString("Pages:\\s+%1\n").arg(pages))), qPrintable(info));
    QVERIFY2(info.contains("595 x 842 pts (A4)"), qPrintable(info));
    QCOMPARE(fixture->list->currentRow(), 0);
    QCOMPARE(printer.GetPrinter()->outputFileName(), QString());
}

void TestPrinter::nothingChosenWritesNothing_data()
{
    QTest::addColumn<bool>("bDeselect");
    QTest::newRow("everything deselected") << true;
    QTest::newRow("empty file name") << false;
}

void TestPrinter::nothingChosenWritesNothing()
{
    QFETCH(bool, bDeselect);
    fixture->Add(PrintFixture::Fixture(), "first.sor");
    CPrinter printer(fixture->list.get(), &fixture->window);

    CModalAnswerer answerer;
    answerer.Then(PrintFixture::ChooseRows(bDeselect ? QList<int>() : QList<int>{1}));
    if (!bDeselect)
        answerer.Then(Reject());
    printer.Print();
    QCOMPARE(answerer.Seen().size(), bDeselect ? 1 : 2);
    QCOMPARE(answerer.Pending(), 0);
    QCOMPARE(QDir(fixture->Folder()).entryList({"*.pdf"}), QStringList());
    QCOMPARE(printer.GetPrinter()->outputFileName(), QString());
}

void TestPrinter::pageCarriesTheReport_data()
{
    QTest::addColumn<int>("applicationPoints");
    QTest::newRow("desktop font") << 0;
    QTest::newRow("12-point desktop font") << 12;
}

void TestPrinter::pageCarriesTheReport()
{
    QFETCH(int, applicationPoints);
    // The bounds below are those of the suite's fonts, which CTest pins; other
    // fonts for the same faces set the header at another height. The report's
    // markup asks for plain Times, its default font for Times New Roman.
    for (const auto& [face, family] : {std::pair{"Times", "Liberation Serif"},
                                       std::pair{"Times New Roman", "Liberation Serif"},
                                       std::pair{"Arial", "Liberation Sans"}}) {
        const QString resolved = QFontInfo(QFont(face)).family();
        QVERIFY2(resolved == family,
                 qPrintable(QString("%1 resolves to %2, not %3; ctest sets FONTCONFIG_FILE to the suite's fonts")
                                .arg(face, resolved, family)));
    }
    if (applicationPoints) {
        QFont font = QApplication::font();
        font.setPointSize(applicationPoints);
        QApplication::setFont(font);
    }
    PrintFixture::SetSections(true);
    fixture->Add(PrintFixture::Fixture(), "fixture.sor");
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    const QString path = fixture->Path("page.pdf");
    PrintToPdf(printer, {1}, path);

    const QString text = PrintFixture::PdfText(path);
    for (const char* expected : {"Рефлектограмма", "Файл", "fixture.sor", "Wavelength: 1310nm",
                                 "Pulsewidth: 10ns", "Index: 1.468", "Результаты измерения линии",
                                 "Подписали"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QCOMPARE(text.count("0.000"), 4);

    const QRect page = PrintableArea(printer.GetPrinter());
    const QImage image = fixture->Render(path, 1, printer.GetPrinter()->resolution());
    QVERIFY(!image.isNull());
    const tPageInk ink = tPageInk::Inspect(image, page);
    QVERIFY2(ink.OutlineBottom >= 0, "no outline");
    QVERIFY2(qAbs(ink.OutlineBottom - (page.top() + page.height() / 2)) <= 2,
             qPrintable(QString("outline ends at %1 of %2").arg(ink.OutlineBottom).arg(page.height())));
    QVERIFY2(ink.OutlineBottom - ink.OutlineTop >= 200,
             qPrintable(QString("outline %1 px high").arg(ink.OutlineBottom - ink.OutlineTop)));
    QVERIFY2(ink.BottomRowDark >= page.width() - 2, qPrintable(QString::number(ink.BottomRowDark)));
    QVERIFY2(page.bottom() - ink.LastInkedRow <= 6,
             qPrintable(QString("ink ends at %1, page at %2").arg(ink.LastInkedRow).arg(page.bottom())));
    if (!applicationPoints)
        QVERIFY(image.save(GrabPath("report-page.png")));
}

void TestPrinter::pageWithoutSectionsHasOnlyTheHeader()
{
    PrintFixture::SetSections(false);
    fixture->Add(PrintFixture::Fixture().Event(1000), "fixture.sor");
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    const QString path = fixture->Path("page.pdf");
    PrintToPdf(printer, {1}, path);

    const QString text = PrintFixture::PdfText(path);
    QVERIFY(text.contains("fixture.sor"));
    QVERIFY(!text.contains("Wavelength"));
    QVERIFY(!text.contains(QString::fromUtf8("Подписали")));
    const QRect page = PrintableArea(printer.GetPrinter());
    const tPageInk ink = tPageInk::Inspect(fixture->Render(path, 1, printer.GetPrinter()->resolution()), page);
    QCOMPARE(ink.OutlineBottom, -1);
    QVERIFY(ink.LastInkedRow > page.top());
    QVERIFY2(ink.LastInkedRow < page.top() + page.height() / 3, qPrintable(QString::number(ink.LastInkedRow)));
}

void TestPrinter::workAreaEntryPrintsTheFileCurrentAtStart_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("trace 2, then the work area") << QList<int>{2, 0} << QStringList{"two.sor", "one.sor"};
    QTest::newRow("the work area and trace 1") << QList<int>{0, 1} << QStringList{"one.sor", "one.sor"};
}

void TestPrinter::workAreaEntryPrintsTheFileCurrentAtStart()
{
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, pages);
    PrintFixture::SetSections(true);
    fixture->Add(PrintFixture::Fixture(), "one.sor");
    fixture->Add(PrintFixture::Fixture(1500), "two.sor");
    fixture->list->SelectRow(0);
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    const QString path = fixture->Path("pages.pdf");
    PrintToPdf(printer, rows, path);

    QStringList texts;
    for (int page = 1; page <= pages.size(); ++page) {
        texts << PrintFixture::Run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page),
                                                 path, "-"});
        const QString other = pages[page - 1] == "one.sor" ? "two.sor" : "one.sor";
        QVERIFY2(texts.last().contains(pages[page - 1]) && !texts.last().contains(other),
                 qPrintable(texts.last()));
    }
    if (pages[0] == pages[1]) {
        QCOMPARE(texts[0], texts[1]);
        const int dpi = printer.GetPrinter()->resolution();
        QVERIFY(fixture->Render(path, 1, dpi) == fixture->Render(path, 2, dpi));
    }
    QCOMPARE(fixture->list->currentRow(), 0);
}

void TestPrinter::storedHighResolutionSetUpKeepsTheLayout()
{
    {
        QPrinter stored(QPrinter::HighResolution);
        stored.setResolution(1200);
        stored.setPageSize(QPageSize(QPageSize::A5));
        stored.setPageOrientation(QPageLayout::Landscape);
        stored.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        CMainOpt::Instance()->SavePrintSetup(&stored);
    }
    PrintFixture::SetSections(true);
    fixture->Add(PrintFixture::Fixture(), "fixture.sor");
    CPrinter printer(fixture->list.get(), &fixture->window);
    QPrinter* setUp = printer.GetPrinter();
    QCOMPARE(setUp->pageLayout().pageSize().id(), QPageSize::A5);
    QCOMPARE(setUp->pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(setUp->resolution(), QPrinter(QPrinter::ScreenResolution).resolution());

    const QString a5 = fixture->Path("a5.pdf");
    PrintToPdf(printer, {1}, a5);
    QVERIFY2(PrintFixture::PdfInfo(a5).contains("595 x 420 pts (A5)"), qPrintable(PrintFixture::PdfInfo(a5)));

    // The page of the layout check above, printed through the restored set-up.
    PrintFixture::SetA4(setUp);
    const QString path = fixture->Path("a4.pdf");
    PrintToPdf(printer, {1}, path);
    const QRect page = PrintableArea(setUp);
    const tPageInk ink = tPageInk::Inspect(fixture->Render(path, 1, setUp->resolution()), page);
    QVERIFY2(qAbs(ink.OutlineBottom - (page.top() + page.height() / 2)) <= 2,
             qPrintable(QString("outline ends at %1 of %2").arg(ink.OutlineBottom).arg(page.height())));
    QVERIFY2(page.bottom() - ink.LastInkedRow <= 6,
             qPrintable(QString("ink ends at %1, page at %2").arg(ink.LastInkedRow).arg(page.bottom())));
}

void TestPrinter::workAreaWithoutFilePrintsAnEmptyPage()
{
    PrintFixture::SetSections(true);
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    const QString path = fixture->Path("empty.pdf");
    LogCatcher log;
    PrintToPdf(printer, {0}, path);

    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: files.size()>0"), 2);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: file"), 1);
    QVERIFY(PrintFixture::PdfInfo(path).contains(QRegularExpression("Pages:\\s+1\n")));
    const tPageInk ink = tPageInk::Inspect(fixture->Render(path, 1, printer.GetPrinter()->resolution()),
                                           PrintableArea(printer.GetPrinter()));
    QCOMPARE(ink.LastInkedRow, -1);
}

void TestPrinter::unwritablePdfIsReported()
{
    fixture->Add(PrintFixture::Fixture(), "fixture.sor");
    CPrinter printer(fixture->list.get(), &fixture->window);
    const QString path = fixture->Path("missing/report.pdf");

    CModalAnswerer answerer;
    answerer.Then(PrintFixture::ChooseRows({1})).Then(TypePath(path)).Click(QMessageBox::Ok);
    printer.Print();
    QCOMPARE(answerer.Seen().size(), 3);
    QCOMPARE(answerer.Seen()[2].Title, QString("Printer subsystem error"));
    QCOMPARE(answerer.Seen()[2].Text,
             QString("Can't open file \"%1\".\nProgram can't export to Adobe PDF.").arg(path));
    QCOMPARE(answerer.Seen()[2].Icon, QMessageBox::Critical);
    QVERIFY(!QFile::exists(path));
}

void TestPrinter::withoutPrinterPageSetupAsksForOne()
{
    CPrinter printer(fixture->list.get(), &fixture->window);
    if (printer.HasPrinter())
        QSKIP("a printer is installed here");
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    printer.PageProperties();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("Need printer"));
    QCOMPARE(answerer.Seen()[0].Text,
             QString("It need any printer for continue. Please install printer and try now."));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Information);
}

void TestPrinter::previewTogglesSectionsAndCoversTheWindow()
{
    CMainOpt* options = CMainOpt::Instance();
    PrintFixture::SetSections(true);
    options->SetIncludeMarkerData(false);
    options->SetIncludeResultsTable(false);
    fixture->Add(PrintFixture::Fixture().Event(1200).Event(3000, 1), "fixture.sor");
    fixture->window.setGeometry(120, 80, 900, 760);
    fixture->window.show();
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    if (printer.HasPrinter())
        QSKIP("a printer is installed here");

    const QStringList texts{QString::fromUtf8("Показывать График"),
                            QString::fromUtf8("Показывать данные маркеров"),
                            QString::fromUtf8("Показывать таблицу событий"),
                            QString::fromUtf8("Показывать таблицу результатов"), "Show Footer"};
    bool bPdfLocked = false;
    QString title;
    QRect previewPlace;
    QStringList shown;
    QList<bool> checked;
    int repaints = -1;
    const QString picture = GrabPath("print-preview-graph-off.png");
    QFile::remove(picture);
    const auto lookAtPreview = [&](QWidget* dialog) {
        title = dialog->windowTitle();
        previewPlace = dialog->geometry();
        QList<QAction*> actions;
        for (QToolBar* bar : dialog->findChildren<QToolBar*>())
            for (QAction* action : bar->actions())
                if (texts.contains(action->text()))
                    actions << action;
        for (QAction* action : actions) {
            shown << action->text();
            checked << (action->isCheckable() && action->isChecked());
        }
        int painted = 0;
        auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
        dialog->grab().save(GrabPath("print-preview.png"));
        if (preview && !actions.isEmpty()) {
            connect(preview, &QPrintPreviewDialog::paintRequested, [&painted] { ++painted; });
            actions[0]->trigger();
            repaints = painted;
        }
        dialog->grab().save(picture);
        static_cast<QDialog*>(dialog)->reject();
    };
    const auto lookAtChoice = [&](QWidget* dialog) {
        auto* pdf = dialog->findChild<QCheckBox*>();
        bPdfLocked = pdf && pdf->isChecked() && !pdf->isEnabled();
        PrintFixture::ChooseRows({1})(dialog);
    };

    CModalAnswerer answerer;
    CPreviewAnswerer previews;
    answerer.Then(lookAtChoice);
    previews.Then(lookAtPreview);
    printer.Preview();
    QCOMPARE(answerer.Pending(), 0);
    QCOMPARE(previews.Pending(), 0);
    QVERIFY(bPdfLocked);
    QCOMPARE(title, QString("Quorvane - Print preview mode (presss ESC or close)"));
    QCOMPARE(previewPlace.size(), QSize(900, 760));
    QCOMPARE(previewPlace.topLeft(), QPoint(120, 80));
    QCOMPARE(shown, texts);
    QCOMPARE(checked, (QList<bool>{true, false, true, false, true}));
    QCOMPARE(repaints, 1);
    QVERIFY(QFile::exists(picture));
    QVERIFY(fixture->window.isVisible());
    QCOMPARE(printer.GetPrinter()->outputFormat(),
             QPrinter::PdfFormat); // no printer: Qt keeps the PDF engine

    // The graph switched off in the preview stays off for printing...
    const QString path = fixture->Path("after.pdf");
    answerer.Then(PrintFixture::ChooseRows({1})).Then(TypePath(path));
    printer.Print();
    QVERIFY(!PrintFixture::PdfText(path).contains("Wavelength"));
    QVERIFY(PrintFixture::PdfText(path).contains(QString::fromUtf8("Подписали")));

    // ...and the next preview starts from the options again.
    shown.clear();
    checked.clear();
    answerer.Then(PrintFixture::ChooseRows({1}));
    previews.Then(lookAtPreview);
    printer.Preview();
    QCOMPARE(previews.Pending(), 0);
    QCOMPARE(checked, (QList<bool>{true, false, true, false, true}));
}

void TestPrinter::existingPdfIsReplacedOnlyWhenConfirmed_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("bReplace");
    QTest::newRow("typed without suffix, kept") << "report" << false;
    QTest::newRow("typed without suffix, replaced") << "report" << true;
    QTest::newRow("typed with suffix, kept") << "report.pdf" << false;
    QTest::newRow("typed with suffix, replaced") << "report.pdf" << true;
}

void TestPrinter::existingPdfIsReplacedOnlyWhenConfirmed()
{
    QFETCH(QString, typed);
    QFETCH(bool, bReplace);
    fixture->Add(PrintFixture::Fixture(), "fixture.sor");
    const QString path = fixture->Path("report.pdf");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier report");
    }
    CPrinter printer(fixture->list.get(), &fixture->window);

    CModalAnswerer answerer;
    answerer.Then(PrintFixture::ChooseRows({1})).Then(TypePath(fixture->Path(typed)));
    if (bReplace)
        answerer.Click(QMessageBox::Yes);
    else
        answerer.Click(QMessageBox::No).Then(Reject());
    printer.Print();

    QCOMPARE(answerer.Pending(), 0);
    QCOMPARE(answerer.Seen().size(), bReplace ? 3 : 4);
    const CModalAnswerer::tSeen& box = answerer.Seen()[2];
    QCOMPARE(box.Title, QString("Export to PDF"));
    QCOMPARE(box.Text, QString("File \"%1\" already exists.\nDo you want to replace it?").arg(path));
    QCOMPARE(box.Buttons.size(), 2);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().startsWith("%PDF"), bReplace);
    QCOMPARE(QDir(fixture->Folder()).entryList({"report*"}), QStringList{"report.pdf"});
}

void TestPrinter::longEventTableKeepsEveryRow()
{
    PrintFixture::SetSections(true);
    TraceBuilder builder = PrintFixture::Fixture(6000);
    QStringList comments;
    for (int i = 0; i < 44; ++i) {
        comments << QString("ev%1").arg(i + 1, 2, 10, QChar('0'));
        builder.Event(200 + 250 * i, i % 2, comments.last());
    }
    fixture->Add(builder, "long.sor");
    fixture->Add(PrintFixture::Fixture().Event(1000).Event(2500, 1), "short.sor");
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    const QString path = fixture->Path("long.pdf");
    PrintToPdf(printer, {1, 2}, path);

    const QString info = PrintFixture::PdfInfo(path);
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\n")), qPrintable(info));
    QStringList pages;
    for (int page = 1; page <= 3; ++page)
        pages << PrintFixture::Run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page),
                                                 "-layout", path, "-"});
    const QString all = pages.join(QString());
    for (const QString& comment : comments)
        QVERIFY2(all.count(comment) == 1, qPrintable(comment));
    // The table goes on with its titles on the second page; the short
    // trace keeps its one page.
    for (int page = 0; page < 3; ++page)
        QVERIFY2(pages[page].contains("Comment"), qPrintable(pages[page]));
    QVERIFY(pages[0].contains("long.sor") && pages[0].contains("ev01") && !pages[0].contains("ev44"));
    QVERIFY(pages[1].contains("ev44") && pages[1].contains(QString::fromUtf8("Подписали")));
    QVERIFY(!pages[0].contains(QString::fromUtf8("Подписали")));
    QVERIFY(pages[2].contains("short.sor") && pages[2].contains(QString::fromUtf8("Подписали")));
    for (int page = 1; page <= 3; ++page)
        QVERIFY(fixture->Render(path, page, 60).save(GrabPath(QString("long-report-%1.png").arg(page))));
}

void TestPrinter::previewDrawsOnlyWhatTheListHolds()
{
    PrintFixture::SetSections(true);
    const auto build = [this](const QString& fibre) {
        QSharedPointer<sor::CFile> file = PrintFixture::Fixture().Event(1000).Build(fixture->Path("one.sor"));
        file->GetGeneralParameters()->FiberId.SetValue(fibre);
        file->Save();
    };
    build("OLD-FIBRE");
    fixture->list->SetWorkingFolder(fixture->Folder());
    fixture->Add(PrintFixture::Fixture(1500), "two.sor");
    QCOMPARE(fixture->list->GetCount(), 2);
    QCOMPARE(fixture->list->GetFile(0)->GetShortFileName(), QString("one.sor"));
    fixture->window.show();
    CPrinter printer(fixture->list.get(), &fixture->window);
    PrintFixture::SetA4(printer.GetPrinter());
    if (printer.HasPrinter())
        QSKIP("a printer is installed here");

    const auto exportTo = [&printer](const QString& path) {
        QPrinter pdf(QPrinter::ScreenResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(path);
        PrintFixture::SetA4(&pdf);
        printer.Draw(&pdf);
    };
    const QString reloaded = fixture->Path("reloaded.pdf");
    const QString closed = fixture->Path("closed.pdf");
    int repaints = -1;
    const auto whileShown = [&](QWidget* dialog) {
        // The folder watcher's answer to a change made outside: the list
        // lets the chosen file go and lists a new one.
        build("NEW-FIBRE");
        fixture->list->ReloadFile(0);
        int painted = 0;
        connect(static_cast<QPrintPreviewDialog*>(dialog), &QPrintPreviewDialog::paintRequested,
                [&painted] { ++painted; });
        printer.ShowGraph();
        repaints = painted;
        exportTo(reloaded);
        const int two = fixture->list->GetFile(0)->GetShortFileName() == "two.sor" ? 0 : 1;
        fixture->list->CloseFile(two);
        printer.ShowGraph();
        exportTo(closed);
        static_cast<QDialog*>(dialog)->reject();
    };

    CModalAnswerer answerer;
    CPreviewAnswerer previews;
    answerer.Then(PrintFixture::ChooseRows({1, 2}));
    previews.Then(whileShown);
    printer.Preview();
    QCOMPARE(previews.Pending(), 0);
    QCOMPARE(repaints, 1);

    QVERIFY(PrintFixture::PdfInfo(reloaded).contains(QRegularExpression("Pages:\\s+2\n")));
    const QString text = PrintFixture::PdfText(reloaded);
    QVERIFY2(text.contains("NEW-FIBRE") && !text.contains("OLD-FIBRE"), qPrintable(text));
    QVERIFY(text.contains("two.sor"));
    QVERIFY(PrintFixture::PdfInfo(closed).contains(QRegularExpression("Pages:\\s+1\n")));
    const QString left = PrintFixture::PdfText(closed);
    QVERIFY2(left.contains("NEW-FIBRE") && !left.contains("two.sor"), qPrintable(left));
}

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
