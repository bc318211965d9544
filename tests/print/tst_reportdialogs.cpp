#include "PrintFixture.h"

#include "print/ParametersOpt.h"
#include "print/PrinterList.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QLabel>
#include <QTranslator>
#include <QtTest>

namespace {

const char* const kTextFields[] = {"Organization", "customerPosition", "customerPersonName",
                                   "superviserPosition", "superviserPersonName", "VolpCID",
                                   "CablePart", "Cable", "Direction"};
const char* const kChecks[] = {"checkGraph", "checkMarkerData", "checkEventsTable", "checkResultsTable",
                               "checkSign"};

QString Field(QWidget* dialog, const char* name)
{
    auto* edit = dialog->findChild<QLineEdit*>(name);
    return edit ? edit->text() : QString("<missing %1>").arg(name);
}

// The nine texts and five section flags of the options, in the order of
// kTextFields and kChecks.
QStringList StoredTexts()
{
    const CMainOpt* o = CMainOpt::Instance();
    return {o->GetOrganization(),
            o->GetCustomerOrganizationPosition(),
            o->GetCustomerOrganizationPersonName(),
            o->GetSuperviserOrganizationPosition(),
            o->GetSuperviserOrganizationPersonName(),
            o->GetVolp(),
            o->GetCablePart(),
            o->GetCable(),
            o->GetDirection()};
}

QList<bool> StoredFlags()
{
    const CMainOpt* o = CMainOpt::Instance();
    return {o->GetIncludeGraphicandResults(), o->GetIncludeMarkerData(), o->GetIncludeEventsTable(),
            o->GetIncludeResultsTable(), o->GetIncludeSign()};
}

void StoreOptions()
{
    CMainOpt* o = CMainOpt::Instance();
    o->SetOrganization("Org");
    o->SetCustomerOrganizationPosition("Chief");
    o->SetCustomerOrganizationPersonName("Ivanov");
    o->SetSuperviserOrganizationPosition("Inspector");
    o->SetSuperviserOrganizationPersonName("Petrov");
    o->SetVolp("Line");
    o->SetCablePart("X - Y");
    o->SetCable("Cable");
    o->SetDirection("A->B");
    o->SetIncludeGraphicandResults(true);
    o->SetIncludeMarkerData(false);
    o->SetIncludeEventsTable(true);
    o->SetIncludeResultsTable(false);
    o->SetIncludeSign(true);
}

const QStringList kStoredTexts{"Org", "Chief", "Ivanov", "Inspector", "Petrov", "Line", "X - Y", "Cable", "A->B"};
const QList<bool> kStoredFlags{true, false, true, false, true};

// Where the pictures of the dialogs go, to be looked at.
QString GrabPath(const QString& name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/grabs");
    QDir().mkpath(dir);
    return dir + "/" + name;
}

QString Describe(const QWidget* widget)
{
    const QRect r = widget->geometry();
    return QString("%1 %2x%3+%4+%5").arg(widget->objectName()).arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

// Horizontal centre of a widget in the coordinates of `ancestor`.
int CentreIn(const QWidget* widget, const QWidget* ancestor)
{
    return widget->mapTo(ancestor, QPoint(widget->width() / 2, 0)).x();
}

} // namespace

class TestReportDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void parametersShowTheOptions();
    void fillButtonTakesTheCurrentTrace_data();
    void fillButtonTakesTheCurrentTrace();
    void fillButtonWithoutTraceKeepsTheFields();
    void acceptStoresEverything();
    void cancelStoresNothing_data();
    void cancelStoresNothing();
    void parametersShowEveryCaptionInFull_data();
    void parametersShowEveryCaptionInFull();
    void printerListOffersTheWorkAreaFirst();
    void printerListWithoutFiles();
    void printerListSelectionFollowsTheChoice();

private:
    std::unique_ptr<PrintFixture> fixture;
};

void TestReportDialogs::init()
{
    fixture = std::make_unique<PrintFixture>();
    StoreOptions();
}

void TestReportDialogs::cleanup()
{
    fixture.reset();
}

void TestReportDialogs::parametersShowTheOptions()
{
    CMainOpt::Instance()->SetIncludeHeader(false);
    QPointer<CParametersOpt> dialog(new CParametersOpt(fixture->list.get(), &fixture->window));
    QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Формирование отчета"));
    QCOMPARE(dialog->size(), QSize(797, 455));
    QStringList texts;
    for (const char* name : kTextFields)
        texts << Field(dialog, name);
    QCOMPARE(texts, kStoredTexts);
    QList<bool> flags;
    for (const char* name : kChecks)
        flags << (dialog->findChild<QCheckBox*>(name)->checkState() == Qt::Checked);
    QCOMPARE(flags, kStoredFlags);
    auto* header = dialog->findChild<QCheckBox*>("checkHeader");
    QVERIFY(header->isChecked());
    QVERIFY(!header->isEnabled());
    QCOMPARE(dialog->findChild<QGroupBox*>("groupBox_2")->title(),
             QString::fromUtf8("Выбор составных частей отчета"));
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

void TestReportDialogs::fillButtonTakesTheCurrentTrace_data()
{
    QTest::addColumn<QString>("terminating");
    QTest::addColumn<int>("traceType");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("direction");
    QTest::newRow("both ends, B->A") << "B" << 1 << "A - B" << "B->A";
    QTest::newRow("no terminating location") << "" << 0 << "A" << "A->B";
    QTest::newRow("unknown trace type") << "B" << 7 << "A - B" << "";
}

void TestReportDialogs::fillButtonTakesTheCurrentTrace()
{
    QFETCH(QString, terminating);
    QFETCH(int, traceType);
    QFETCH(QString, section);
    QFETCH(QString, direction);
    sor::CFile* file = fixture->Add(PrintFixture::Fixture(), "trace.sor");
    sor::tGeneralParameters* general = file->GetGeneralParameters();
    general->CableId.SetValue("VOLP-1");
    general->OriginatingLocation.SetValue("A");
    general->TerminatingLocation.SetValue(terminating);
    general->CableCode.SetValue("OKL");
    file->GetFixedParameters()->TraceType = traceType;

    std::unique_ptr<CParametersOpt> dialog(new CParametersOpt(fixture->list.get(), &fixture->window));
    dialog->findChild<QPushButton*>("pushButtonGetDataFromSpectr")->click();
    QCOMPARE(Field(dialog.get(), "VolpCID"), QString("VOLP-1"));
    QCOMPARE(Field(dialog.get(), "CablePart"), section);
    QCOMPARE(Field(dialog.get(), "Cable"), QString("OKL"));
    QCOMPARE(Field(dialog.get(), "Direction"), direction);
    QCOMPARE(Field(dialog.get(), "Organization"), QString("Org"));
    QCOMPARE(StoredTexts(), kStoredTexts);
}

void TestReportDialogs::fillButtonWithoutTraceKeepsTheFields()
{
    for (CFileList* list : {fixture->list.get(), static_cast<CFileList*>(nullptr)}) {
        std::unique_ptr<CParametersOpt> dialog(new CParametersOpt(list, &fixture->window));
        dialog->findChild<QPushButton*>("pushButtonGetDataFromSpectr")->click();
        QStringList texts;
        for (const char* name : kTextFields)
            texts << Field(dialog.get(), name);
        QCOMPARE(texts, kStoredTexts);
    }
}

void TestReportDialogs::acceptStoresEverything()
{
    CMainOpt::Instance()->SetIncludeHeader(false);
    QPointer<CParametersOpt> dialog(new CParametersOpt(fixture->list.get(), &fixture->window));
    QStringList texts;
    for (const char* name : kTextFields) {
        texts << QString(name) + " text";
        dialog->findChild<QLineEdit*>(name)->setText(texts.last());
    }
    for (const char* name : kChecks)
        dialog->findChild<QCheckBox*>(name)->toggle();

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    QCOMPARE(dialog->exec(), 1);
    QCOMPARE(StoredTexts(), texts);
    QCOMPARE(StoredFlags(), (QList<bool>{false, true, false, true, false}));
    QTRY_VERIFY(dialog.isNull());

    // OK on the dialog the main window shows without waiting stores too.
    QPointer<CParametersOpt> shown(new CParametersOpt(fixture->list.get(), &fixture->window));
    shown->show();
    shown->findChild<QLineEdit*>("Cable")->setText("Shown");
    shown->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(CMainOpt::Instance()->GetCable(), QString("Shown"));
    QTRY_VERIFY(shown.isNull());
}

void TestReportDialogs::cancelStoresNothing_data()
{
    QTest::addColumn<bool>("bFill");
    QTest::newRow("edited") << false;
    QTest::newRow("filled from the trace") << true;
}

void TestReportDialogs::cancelStoresNothing()
{
    QFETCH(bool, bFill);
    sor::CFile* file = fixture->Add(PrintFixture::Fixture(), "trace.sor");
    file->GetGeneralParameters()->CableId.SetValue("VOLP-1");
    QPointer<CParametersOpt> dialog(new CParametersOpt(fixture->list.get(), &fixture->window));
    if (bFill)
        dialog->findChild<QPushButton*>("pushButtonGetDataFromSpectr")->click();
    else
        dialog->findChild<QLineEdit*>("Organization")->setText("Other");
    dialog->findChild<QCheckBox*>("checkSign")->toggle();

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Cancel);
    QCOMPARE(dialog->exec(), 0);
    QCOMPARE(StoredTexts(), kStoredTexts);
    QCOMPARE(StoredFlags(), kStoredFlags);
    QTRY_VERIFY(dialog.isNull());
}

void TestReportDialogs::parametersShowEveryCaptionInFull_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "English";
    QTest::newRow("Russian") << QString::fromUtf8("Русский");
}

void TestReportDialogs::parametersShowEveryCaptionInFull()
{
    QFETCH(QString, language);
    QTranslator translator;
    QVERIFY(translator.load(language + ".qm", ":/translations"));
    QCoreApplication::installTranslator(&translator);
    std::unique_ptr<CParametersOpt> dialog(new CParametersOpt(fixture->list.get(), &fixture->window));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QVERIFY(dialog->width() >= 797 && dialog->height() >= 455);
    dialog->grab().save(GrabPath(QString("report-parameters-%1.png").arg(QLocale(translator.language()).name())));
    QCoreApplication::removeTranslator(&translator);

    const auto edit = [&dialog](const char* name) { return dialog->findChild<QLineEdit*>(name); };
    // The fields of a group are as wide as each other, and wide enough to read.
    for (const QList<const char*>& group :
         {QList<const char*>{"VolpCID", "CablePart", "Cable", "Direction"},
          QList<const char*>{"customerPosition", "superviserPosition"},
          QList<const char*>{"customerPersonName", "superviserPersonName"}}) {
        for (const char* name : group) {
            QVERIFY2(edit(name)->width() == edit(group.first())->width(), qPrintable(Describe(edit(name))));
            QVERIFY2(edit(name)->width() >= 150, qPrintable(Describe(edit(name))));
        }
    }
    QVERIFY2(edit("Organization")->width() >= edit("customerPersonName")->width(),
             qPrintable(Describe(edit("Organization"))));
    // The headings stand over their columns.
    auto* group = dialog->findChild<QGroupBox*>("groupBox");
    for (auto [heading, field] : {std::make_pair("label_13", "customerPosition"),
                                  std::make_pair("label_14", "customerPersonName")}) {
        auto* label = dialog->findChild<QLabel*>(heading);
        QVERIFY2(qAbs(CentreIn(label, group) - CentreIn(edit(field), group)) <= 2,
                 qPrintable(Describe(label) + " over " + Describe(edit(field))));
    }
    // No caption is cut.
    for (QGroupBox* box : dialog->findChildren<QGroupBox*>())
        QVERIFY2(box->width() >= box->fontMetrics().horizontalAdvance(box->title()) + 20,
                 qPrintable(box->title() + " in " + Describe(box)));
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget))
            continue;
        QVERIFY2(widget->width() >= widget->sizeHint().width() && widget->height() >= widget->sizeHint().height(),
                 qPrintable(Describe(widget)));
        QVERIFY2(dialog->rect().contains(QRect(widget->mapTo(dialog.get(), QPoint(0, 0)), widget->size())),
                 qPrintable(Describe(widget)));
    }
}

void TestReportDialogs::printerListOffersTheWorkAreaFirst()
{
    fixture->Add(PrintFixture::Fixture(), "one.sor");
    fixture->Add(PrintFixture::Fixture(), "two.sor");
    CPrinterList dialog(fixture->list.get(), true, &fixture->window);
    QCOMPARE(dialog.windowTitle(), QString("Print files"));
    QVERIFY(dialog.isModal());
    auto* files = dialog.findChild<QListWidget*>();
    QStringList texts;
    for (int row = 0; row < files->count(); ++row)
        texts << files->item(row)->text();
    QCOMPARE(texts, (QStringList{"Work area - selected file", "one.sor", "two.sor"}));
    QCOMPARE(files->currentRow(), 0);
    QCOMPARE(files->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(dialog.GetSelection(), QList<tPrinterListFile>{tPrinterListFile()});
    auto* pdf = dialog.findChild<QCheckBox*>();
    QCOMPARE(pdf->text(), QString("Print to Adobe PDF file"));
    QVERIFY(pdf->isEnabled());
    QVERIFY(!dialog.IsPdf());
}

void TestReportDialogs::printerListWithoutFiles()
{
    for (CFileList* list : {fixture->list.get(), static_cast<CFileList*>(nullptr)}) {
        CPrinterList dialog(list, false, &fixture->window);
        auto* files = dialog.findChild<QListWidget*>();
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QString("Work area - selected file"));
        QVERIFY(files->item(0)->isSelected());
        auto* pdf = dialog.findChild<QCheckBox*>();
        QVERIFY(pdf->isChecked());
        QVERIFY(!pdf->isEnabled());
        QCOMPARE(pdf->toolTip(), QString("Please setup any printer"));
        QVERIFY(dialog.IsPdf());
    }
}

void TestReportDialogs::printerListSelectionFollowsTheChoice()
{
    fixture->Add(PrintFixture::Fixture(), "one.sor");
    fixture->Add(PrintFixture::Fixture(), "two.sor");
    const tPrinterListFile one = fixture->list->GetFile(0);
    const tPrinterListFile two = fixture->list->GetFile(1);
    CPrinterList dialog(fixture->list.get(), true, &fixture->window);
    auto* files = dialog.findChild<QListWidget*>();
    files->clearSelection();
    files->item(2)->setSelected(true);
    files->item(0)->setSelected(true);
    files->item(1)->setSelected(true);
    QList<tPrinterListFile> expected;
    for (QListWidgetItem* item : files->selectedItems())
        expected << (item->text() == "one.sor" ? one : item->text() == "two.sor" ? two : tPrinterListFile());
    QCOMPARE(dialog.GetSelection(), expected);
    QCOMPARE(dialog.GetSelection(), (QList<tPrinterListFile>{two, tPrinterListFile(), one}));
    files->clearSelection();
    QVERIFY(dialog.GetSelection().isEmpty());
}

QTEST_MAIN(TestReportDialogs)
#include "tst_reportdialogs.moc"
