#include "PrintFixture.h"

#include "graph/Cursors.h"
#include "graph/EventList.h"
#include "print/ReportPage.h"

#include <QFile>
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

QTEST_MAIN(TestReportPage)
#include "tst_reportpage.moc"
