#include "PrintFixture.h"

#include "graph/Cursors.h"
#include "graph/EventList.h"
#include "print/ReportPage.h"

#include <QFile>
#include <QPrinter>
#include <QTextDocument>
#include <QtTest>

namespace {

QString PlainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

// Rewrites the optical return loss of a saved trace, which nothing in the
// program sets, and loads the file again. The end-to-end loss and markers
// in front of it find the place.
QSharedPointer<sor::CFile> WithReturnLoss(const QString& path, qint32 loss, qint32 start, qint32 finish,
                                          quint16 returnLoss)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {};
    QByteArray bytes = file.readAll();
    QByteArray pattern;
    for (qint32 value : {loss, start, finish})
        for (int i = 0; i < 4; ++i)
            pattern.append(char((quint32(value) >> (8 * i)) & 0xFF));
    const int at = bytes.indexOf(pattern);
    if (at < 0 || bytes.indexOf(pattern, at + 1) >= 0)
        return {};
    bytes[at + 12] = char(returnLoss & 0xFF);
    bytes[at + 13] = char(returnLoss >> 8);
    file.seek(0);
    file.write(bytes);
    file.close();
    int warnings = 0;
    return QSharedPointer<sor::CFile>::create(path, &warnings);
}

int DocumentHeight(const QString& html, const QSizeF& pageSize)
{
    QTextDocument document;
    document.setDefaultFont(CReportPage::DefaultFont());
    document.setPageSize(pageSize);
    document.setHtml(html);
    return int(document.size().height());
}

// The printable area of an A4 page at screen resolution, as the printer
// lays its pages out.
QRect A4Page()
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    PrintFixture::SetA4(&printer);
    return printer.pageRect(QPrinter::DevicePixel).toRect();
}

// The event rows of a table's HTML, without its header row.
QStringList EventRows(QString html)
{
    html.remove("</table></font>");
    return html.split("<tr>").mid(2);
}

TraceBuilder WithEvents(int count)
{
    TraceBuilder builder = PrintFixture::Fixture(6000);
    for (int i = 0; i < count; ++i)
        builder.Event(200 + 250 * i, i % 2, QString("ev%1").arg(i + 1, 2, 10, QChar('0')));
    return builder;
}

} // namespace

class TestReportPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void escapesMarkupForHeaderFields();
    void headerKeepsUserTextsLiterally();
    void headerEscapesOnlyTheEscapedFields();
    void markerTableShowsTheMarkersInView();
    void markerTableWithOnlyTheLeftMarker();
    void eventTableRestartsOnEveryPage();
    void lineResults_data();
    void lineResults();
    void resultsWithoutEventsAreZero();
    void fittingPageKeepsTheOnePageLayout_data();
    void fittingPageKeepsTheOnePageLayout();
    void longEventTableContinuesOnFurtherPages_data();
    void longEventTableContinuesOnFurtherPages();

private:
    std::unique_ptr<PrintFixture> fixture;
};

void TestReportPage::init()
{
    fixture = std::make_unique<PrintFixture>();
}

void TestReportPage::cleanup()
{
    fixture.reset();
}

void TestReportPage::escapesMarkupForHeaderFields()
{
    QCOMPARE(EscapeHtml("<a/b c>\t"), QString("&lt;a&frasl;b&nbsp;c&gt;"));
    QCOMPARE(EscapeHtml("x\r\ny & \"z\""), QString("xy&nbsp;&&nbsp;\"z\""));
    QCOMPARE(FillTemplate("%1-%12-%2-%3%", {"a", "%2", "c", "", "", "", "", "", "", "", "", "L"}),
             QString("a-L-%2-c%"));
    QCOMPARE(FillTemplate("%10 %1%0 %9", {"x"}), QString("x0 x%0 %9"));
}

void TestReportPage::headerKeepsUserTextsLiterally()
{
    CMainOpt::Instance()->SetVolp("%5");
    CMainOpt::Instance()->SetOrganization("ORG");
    CMainOpt::Instance()->SetCablePart("%3 part");
    sor::CFile* file = fixture->Add(PrintFixture::Fixture(), "a%2b.sor");
    const QString text = PlainText(CReportPage(tReportSections(), nullptr).HeaderHtml(*file));
    QVERIFY2(text.contains("a%2b.sor"), qPrintable(text));
    QVERIFY2(text.contains("%5"), qPrintable(text));
    QVERIFY2(text.contains("%3 part"), qPrintable(text));
    QCOMPARE(text.count("ORG"), 1);
}

void TestReportPage::headerEscapesOnlyTheEscapedFields()
{
    CMainOpt::Instance()->SetVolp("A/B");
    CMainOpt::Instance()->SetCablePart("C/D");
    CMainOpt::Instance()->SetDirection("<b>E</b>");
    sor::CFile* file = fixture->Add(PrintFixture::Fixture(), "trace.sor");
    tReportSections sections;
    sections.bShowGraph = false;
    const QString html = CReportPage(sections, nullptr).HeaderHtml(*file);
    const QString text = PlainText(html);
    QVERIFY2(text.contains(QString("A") + QChar(0x2044) + "B"), qPrintable(text));
    QVERIFY2(text.contains("C/D"), qPrintable(text));
    // The direction is taken as markup.
    QVERIFY(html.contains("<b>E</b>"));
    QVERIFY(!text.contains("<b>"));
    QVERIFY(!text.contains("Wavelength"));
}

void TestReportPage::markerTableShowsTheMarkersInView()
{
    sor::CFile* file = fixture->Add(TraceBuilder(20000).Flat(5000), "long.sor");
    CGraphModel* model = fixture->list->GetGraphModel();
    model->GetCursors()->GetLeftMarker()->SetPosition(15000);
    model->GetCursors()->GetRightMarker()->SetPosition(30000);
    const QString html = CReportPage(tReportSections(), model).MarkerHtml(*file);
    for (const char* cell : {"<td width = 25%>Marker L</td>", "<td width = 25%>Marker R</td>",
                             "<td>15.000km</td>", "<td>30.000km</td>",
                             "<td>Distance L-R</td><td>15.000km</td>", "<td>-5dB</td>",
                             "<td>Delta L-R</td><td>0dB</td>"})
        QVERIFY2(html.contains(cell), cell);
    QCOMPARE(html.count("<tr>"), 3);
    QVERIFY(html.endsWith("</table><hr/>"));
}

void TestReportPage::markerTableWithOnlyTheLeftMarker()
{
    sor::CFile* file = fixture->Add(TraceBuilder(20000).Flat(5000), "long.sor");
    CGraphModel* model = fixture->list->GetGraphModel();
    model->GetCursors()->GetLeftMarker()->SetPosition(5000);
    model->GetCursors()->GetRightMarker()->SetPosition(30000);
    model->SetZoom(4.0f, 1.0f, 5000, int(model->GetGraphSize().height() / 2));
    model->UpdateView();
    QVERIFY(model->GetMarkerPosition(CCursors::LEFT_MARKER, false));
    QVERIFY(!model->GetMarkerPosition(CCursors::RIGHT_MARKER, false));

    const QString html = CReportPage(tReportSections(), model).MarkerHtml(*file);
    QVERIFY2(html.contains("<td width = 25%>Marker</td>"), qPrintable(html));
    QVERIFY(html.contains("<td>5.000km</td>"));
    QVERIFY(!html.contains("Marker L"));
    QVERIFY(!html.contains("Distance"));
    QVERIFY(!html.contains("Delta"));
    QVERIFY(!html.contains("&nbsp;"));
}

void TestReportPage::eventTableRestartsOnEveryPage()
{
    sor::CFile* file = fixture->Add(PrintFixture::Fixture().Event(1000).Event(2500, 1, "a<b"), "events.sor");
    const QString first = CReportPage::EventHtml(*file);
    QCOMPARE(CReportPage::EventHtml(*file), first);
    QCOMPARE(first.count("<tr>"), 3);
    for (const QString& title : CEventList::GetColumnTitles())
        QVERIFY2(first.contains("<td>" + EscapeHtml(title) + "</td>"), qPrintable(title));
    QCOMPARE(CEventList::GetColumnTitles().size(), 8);
    QVERIFY(first.contains("<td>a&lt;b</td>"));
    QVERIFY(first.startsWith("<font size=4 face=Arial><table width = 100%><tr>"));

    QVERIFY(CReportPage::EventHtml(*fixture->Add(PrintFixture::Fixture(), "none.sor")).isEmpty());
}

void TestReportPage::lineResults_data()
{
    QTest::addColumn<QString>("revision");
    QTest::addColumn<qint32>("start");
    QTest::addColumn<qint32>("finish");
    QTest::addColumn<double>("groupIndex");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("newer firmware") << "505a" << 0 << 100000 << 1.5
                                    << QStringList{"1.999", "5.000", "2.502", "32.000"};
    QTest::newRow("finish before start") << "505a" << 100000 << 0 << 1.5
                                         << QStringList{"0.000", "5.000", "0.000", "32.000"};
    QTest::newRow("newer firmware, group index 0") << "505a" << 0 << 100000 << 0.0
                                                   << QStringList{"2.998", "5.000", "1.668", "32.000"};
    // Older firmware: the markers are point indexes of 1.99862 m.
    QTest::newRow("older firmware") << "504z" << 0 << 1000 << 1.5
                                    << QStringList{"1.999", "5.000", "2.502", "32.000"};
}

void TestReportPage::lineResults()
{
    QFETCH(QString, revision);
    QFETCH(qint32, start);
    QFETCH(qint32, finish);
    QFETCH(double, groupIndex);
    QFETCH(QStringList, cells);

    QSharedPointer<sor::CFile> built = TraceBuilder(2000).Flat(3000).Event(1000).Build(fixture->Path("r.sor"));
    sor::tSupplierParameters supplier = *built->GetSupplierParameters();
    supplier.MainframeId.SetValue("QUELM7x");
    supplier.SoftwareRevision.SetValue(revision);
    built->SetSupplierParameters(supplier);
    built->GetKeyEvents()->SetEndToEndLoss(5000);
    built->GetKeyEvents()->SetEndToEndMarkers(start, finish);
    built->Save();
    QSharedPointer<sor::CFile> file = WithReturnLoss(fixture->Path("r.sor"), 5000, start, finish, 32000);
    QVERIFY(file);
    file->GetFixedParameters()->GroupIndex.GetValue() = groupIndex;

    const QString html = CReportPage::ResultsHtml(CReportPage::LineResults(*file));
    QVERIFY2(html.contains(QString("<tr><td width=20%>%1</td><td>%2 </td><td>%3</td><td>%4</td></tr>")
                               .arg(cells[0], cells[1], cells[2], cells[3])),
             qPrintable(html));
}

void TestReportPage::resultsWithoutEventsAreZero()
{
    sor::CFile* file = fixture->Add(PrintFixture::Fixture(), "none.sor");
    file->GetKeyEvents()->SetEndToEndLoss(5000);
    const QString text = PlainText(CReportPage::ResultsHtml(CReportPage::LineResults(*file)));
    QCOMPARE(text.count("0.000"), 4);
    QVERIFY(text.contains(QString::fromUtf8("Результаты измерения линии")));
}

void TestReportPage::fittingPageKeepsTheOnePageLayout_data()
{
    QTest::addColumn<int>("events");
    QTest::addColumn<bool>("bGraph");
    QTest::addColumn<bool>("bMarkers");
    QTest::addColumn<bool>("bEvents");
    QTest::newRow("no events") << 0 << true << true << true;
    QTest::newRow("three events") << 3 << true << true << true;
    QTest::newRow("twelve events") << 12 << true << true << true;
    QTest::newRow("three events, no graph") << 3 << false << true << true;
    QTest::newRow("three events, tables off") << 3 << true << false << false;
}

// The layout a report has always had on one page: header on top, the trace
// down to the middle of the page, the tables and the results under it, the
// signatures ending at the page bottom.
void TestReportPage::fittingPageKeepsTheOnePageLayout()
{
    QFETCH(int, events);
    QFETCH(bool, bGraph);
    QFETCH(bool, bMarkers);
    QFETCH(bool, bEvents);
    sor::CFile* file = fixture->Add(WithEvents(events), "few.sor");
    tReportSections sections;
    sections.bShowGraph = bGraph;
    sections.bShowMarkerData = bMarkers;
    sections.bShowEventsData = bEvents;
    const CReportPage page(sections, fixture->list->GetGraphModel());
    const QRect area = A4Page();
    const QRect viewport(QPoint(0, 0), area.size());
    const QSizeF size = area.size();

    QVector<tReportBlock> expected;
    const auto add = [&expected](tReportBlock::tKind kind, const QRect& rect) {
        tReportBlock block;
        block.Kind = kind;
        block.Area = rect;
        expected << block;
    };
    const int header = DocumentHeight(page.HeaderHtml(*file), size);
    add(tReportBlock::Header, QRect(0, 0, viewport.width(), header));
    int y = header;
    if (bGraph) {
        add(tReportBlock::Trace, QRect(0, header, area.width(), area.height() / 2 - header));
        y = area.height() / 2;
    }
    const QString tablesHtml = (bMarkers ? page.MarkerHtml(*file) : QString()) +
                               (bEvents ? CReportPage::EventHtml(*file) : QString());
    const int tables = events > 0 || bMarkers ? DocumentHeight(tablesHtml, size) : 0;
    if ((bMarkers || bEvents) && tables)
        add(tReportBlock::Tables, QRect(0, y, viewport.width(), tables));
    add(tReportBlock::Results, QRect(0, y + tables, viewport.width(),
                                     DocumentHeight(CReportPage::ResultsHtml(CReportPage::LineResults(*file)), size)));
    const int signatures = DocumentHeight(CReportPage::SignaturesHtml(), size);
    add(tReportBlock::Signatures, QRect(0, viewport.height() - signatures, viewport.width(), signatures));

    const QVector<tReportBlock> blocks = page.Layout(area, viewport, *file);
    QCOMPARE(blocks.size(), expected.size());
    for (int i = 0; i < blocks.size(); ++i) {
        QCOMPARE(blocks[i].Kind, expected[i].Kind);
        QCOMPARE(blocks[i].Page, 0);
        QCOMPARE(blocks[i].Area, expected[i].Area);
    }
    QVERIFY(y + tables + blocks[blocks.size() - 2].Area.height() <= blocks.last().Area.top());
}

void TestReportPage::longEventTableContinuesOnFurtherPages_data()
{
    QTest::addColumn<int>("events");
    QTest::addColumn<bool>("bGraph");
    QTest::addColumn<int>("pages");
    QTest::newRow("44 events") << 44 << true << 2;
    QTest::newRow("120 events, no graph") << 120 << false << 3;
}

void TestReportPage::longEventTableContinuesOnFurtherPages()
{
    QFETCH(int, events);
    QFETCH(bool, bGraph);
    QFETCH(int, pages);
    sor::CFile* file = fixture->Add(WithEvents(events), "long.sor");
    tReportSections sections;
    sections.bShowGraph = bGraph;
    const CReportPage page(sections, fixture->list->GetGraphModel());
    const QRect area = A4Page();
    const QRect viewport(QPoint(0, 0), area.size());
    const QVector<tReportBlock> blocks = page.Layout(area, viewport, *file);

    QCOMPARE(blocks.first().Kind, tReportBlock::Header);
    QCOMPARE(blocks.last().Kind, tReportBlock::Signatures);
    QCOMPARE(blocks.last().Page, pages - 1);
    QCOMPARE(blocks.last().Area.bottom(), viewport.bottom());
    const QStringList allRows = EventRows(CReportPage::EventHtml(*file));
    QCOMPARE(allRows.size(), events);
    int next = 0;
    int previousPage = -1;
    for (int i = 0; i < blocks.size(); ++i) {
        const tReportBlock& block = blocks[i];
        QVERIFY(block.Page >= previousPage);
        previousPage = block.Page;
        QVERIFY2(block.Area.top() >= 0 && block.Area.bottom() <= viewport.bottom(),
                 qPrintable(QString("block %1 at %2..%3").arg(i).arg(block.Area.top()).arg(block.Area.bottom())));
        for (int j = 0; j < i; ++j)
            QVERIFY2(blocks[j].Page != block.Page || !blocks[j].Area.intersects(block.Area),
                     qPrintable(QString("blocks %1 and %2 overlap").arg(j).arg(i)));
        if (block.Kind != tReportBlock::Tables)
            continue;
        // Every part repeats the column titles and continues the rows,
        // running values included, where the last part stopped.
        QCOMPARE(block.FirstEvent, next);
        QCOMPARE(block.bMarkers, next == 0);
        const QString html = CReportPage::EventHtml(*file, block.FirstEvent, block.EventCount);
        QVERIFY(html.contains("<td>" + EscapeHtml(CEventList::GetColumnTitles().last()) + "</td>"));
        QCOMPARE(EventRows(html), allRows.mid(block.FirstEvent, block.EventCount));
        next += block.EventCount;
    }
    QCOMPARE(next, events);
}

QTEST_MAIN(TestReportPage)
#include "tst_reportpage.moc"
