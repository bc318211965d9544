#include "app/Constants.h"
#include "app/MainOpt.h"
#include "app/PrintSetup.h"
#include "app/Settings.h"
#include "support/LogCatcher.h"

#include <QPrinter>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

namespace {

// Big-endian bytes written by hand, to hold the record to its documented layout.
void AppendInt(QByteArray& bytes, qint32 value)
{
    char raw[4];
    qToBigEndian(value, raw);
    bytes.append(raw, 4);
}

void AppendText(QByteArray& bytes, const QString& text)
{
    if (text.isNull()) {
        AppendInt(bytes, -1);
        return;
    }
    AppendInt(bytes, text.size() * 2);
    for (QChar c : text) {
        char raw[2];
        qToBigEndian(c.unicode(), raw);
        bytes.append(raw, 2);
    }
}

void AppendDouble(QByteArray& bytes, double value)
{
    quint64 bits;
    memcpy(&bits, &value, sizeof bits);
    char raw[8];
    qToBigEndian(bits, raw);
    bytes.append(raw, 8);
}

// Every property of the record, as the printer reports it.
QVariantList PrinterProperties(QPrinter& p)
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    qreal l, t, r, b;
    p.getPageMargins(&l, &t, &r, &b, QPrinter::Millimeter);
    return {p.printerName(), int(p.pageSize()), p.collateCopies(), int(p.colorMode()), p.copyCount(),
            p.creator(), p.docName(), p.doubleSidedPrinting(), int(p.duplex()),
            p.fontEmbeddingEnabled(), p.fullPage(), int(p.orientation()), p.outputFileName(),
            int(p.outputFormat()), int(p.pageOrder()), int(p.paperSize()), int(p.paperSource()),
            p.printProgram(), int(p.printRange()), p.resolution(), p.winPageSize(), l, t, r, b};
    QT_WARNING_POP
}

void Configure(QPrinter& printer)
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    printer.setOutputFileName("out.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOrientation(QPrinter::Landscape);
    printer.setCopyCount(3);
    printer.setCollateCopies(false);
    printer.setDocName("Report");
    printer.setCreator("Quorvane");
    printer.setPageMargins(10, 15, 20, 25, QPrinter::Millimeter);
    QT_WARNING_POP
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formsProgramConstants();
    void instanceIsLoggedBeforeCreation();
    void readsDefaultsFromEmptySettings();
    void takesLanguageFromSystemScopeWhenUserHasNone_data();
    void takesLanguageFromSystemScopeWhenUserHasNone();
    void readsHandWrittenUtf8Settings();
    void savesEveryOptionButLastDir();
    void savesOnDestruction();
    void readsStoredOptionsBack();
    void storesLastDirAtOnce_data();
    void storesLastDirAtOnce();
    void roundTripsPrintSetup();
    void writesPrintSetupInDocumentedLayout();
    void leavesPrinterAloneOnDamagedOrEmptyRecord_data();
    void leavesPrinterAloneOnDamagedOrEmptyRecord();

private:
    // A fresh options object over whatever the stores hold now.
    std::unique_ptr<CMainOpt> NewOptions() { return std::make_unique<CMainOpt>(&parent); }
    QSettings UserFile() const { return QSettings(GetSettings(0, 0)->fileName(), QSettings::IniFormat); }

    QTemporaryDir dir;
    QWidget parent;
    QString startDir;
};

void TestOptions::initTestCase()
{
    QVERIFY(dir.isValid());
    // Documents and both settings scopes live in the temporary folder.
    qputenv("HOME", dir.filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath("home/.config").toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("user"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath("system"));
    QCoreApplication::setOrganizationName("TestOrganisation");
    QCoreApplication::setApplicationName("TestOptions");
    QVERIFY(GetSettings(0, 0)->fileName().startsWith(dir.path()));
    QVERIFY(GetSettings(0, 1)->fileName().startsWith(dir.path()));
    QVERIFY(GetDefaultLastDir().startsWith(dir.path()));
    startDir = QDir::currentPath();
}

void TestOptions::init()
{
    GetSettings(0, 0)->clear();
    GetSettings(0, 1)->clear();
    GetSettings(0, 0)->sync();
    GetSettings(0, 1)->sync();
}

void TestOptions::cleanup()
{
    QDir::setCurrent(startDir);
}

void TestOptions::formsProgramConstants()
{
    QCOMPARE(cProgId, QString("Quorvane0_272.sor.1"));
    QCOMPARE(cProgramVersion.ToString(), QString("0.272"));
    QCOMPARE(cDefaultGraphBackground, QColor(218, 236, 255, 255));
    QCOMPARE(cThousandthsAsText(1500), QString("1.5"));
    QCOMPARE(cThousandthsAsText(1000000), QString("1000"));
    QCOMPARE(cThousandthsAsText(1), QString("0.001"));
    QCOMPARE(cValueAsText(-5), QString("-5"));
    QCOMPARE(cValueAsData(7), 7);
}

void TestOptions::instanceIsLoggedBeforeCreation()
{
    LogCatcher log;
    QVERIFY(!CMainOpt::Instance());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: pthis"), 1);

    CMainOpt::Create(nullptr);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: parent"), 1);
    std::unique_ptr<CMainOpt> created(CMainOpt::Instance());
    QVERIFY(created);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: pthis"), 1);

    created.reset();
    QVERIFY(!CMainOpt::Instance());
}

void TestOptions::readsDefaultsFromEmptySettings()
{
    auto opt = NewOptions();
    QCOMPARE(opt->GetBackgroundColor(), QColor(218, 236, 255, 255));
    QCOMPARE(opt->GetContrastColor(), QColor(37, 19, 0, 255));
    QCOMPARE(opt->GetNeedAckFileDeletion(), true);
    QCOMPARE(opt->GetNeedDeleteLoadedFiles(), false);
    QCOMPARE(opt->GetEnableServiceInfoEditing(), false);
    QCOMPARE(opt->GetLastDir(), GetDefaultLastDir());
    QCOMPARE(opt->GetLanguageName(), QString());
    QCOMPARE(opt->GetOrganization(), QString());
    QCOMPARE(opt->GetVolp(), QString());
    QCOMPARE(opt->GetIncludeHeader(), true);
    QCOMPARE(opt->GetIncludeSign(), false);
    QCOMPARE(opt->GetIncludeEventsTable(), false);

    QPrinter printer;
    const QVariantList before = PrinterProperties(printer);
    opt->LoadPrintSetup(&printer);
    QCOMPARE(PrinterProperties(printer), before);

    // The defaults that have no getter show in what is saved.
    opt.reset();
    QSettings file = UserFile();
    QCOMPARE(file.value("Options/bAutoConnectToDevice").toBool(), true);
    QCOMPARE(file.value("Options/bCopyReportHeaderDataFromActiveFile").toBool(), false);
    QCOMPARE(file.value("Options/PrintSetup").toByteArray(), QByteArray());
}

void TestOptions::takesLanguageFromSystemScopeWhenUserHasNone_data()
{
    QTest::addColumn<QVariant>("user");
    QTest::addColumn<QVariant>("system");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both missing") << QVariant() << QVariant() << "";
    QTest::newRow("user missing") << QVariant() << QVariant("Русский") << "Русский";
    QTest::newRow("user empty") << QVariant("") << QVariant("Русский") << "Русский";
    QTest::newRow("both empty") << QVariant("") << QVariant("") << "";
    QTest::newRow("user wins") << QVariant("English") << QVariant("Русский") << "English";
}

void TestOptions::takesLanguageFromSystemScopeWhenUserHasNone()
{
    QFETCH(QVariant, user);
    QFETCH(QVariant, system);
    QFETCH(QString, expected);
    if (user.isValid())
        GetSettings(0, 0)->setValue("Setup/LanguageName", user);
    if (system.isValid())
        GetSettings(0, 1)->setValue("Setup/LanguageName", system);
    QCOMPARE(NewOptions()->GetLanguageName(), expected);
}

void TestOptions::readsHandWrittenUtf8Settings()
{
    QSettings* user = GetSettings(0, 0);
    user->sync();
    QFile file(user->fileName());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("[Setup]\nLanguageName=Русский\n").toUtf8());
    file.close();
    user->sync();
    QCOMPARE(NewOptions()->GetLanguageName(), QStringLiteral("Русский"));
}

void TestOptions::savesEveryOptionButLastDir()
{
    auto opt = NewOptions();
    opt->SetOrganization("Org");
    opt->SetCustomerOrganizationPosition("cpos");
    opt->SetCustomerOrganizationPersonName("cname");
    opt->SetSuperviserOrganizationPosition("spos");
    opt->SetSuperviserOrganizationPersonName("sname");
    opt->SetVolp("line");
    opt->SetCablePart("part");
    opt->SetCable("cable");
    opt->SetDirection("A-B");
    opt->SetIncludeHeader(true);
    opt->SetIncludeMarkerData(true);
    opt->SetIncludeSign(true);
    QPrinter printer;
    Configure(printer);
    opt->SavePrintSetup(&printer);
    opt->SaveSettings();

    QSettings file = UserFile();
    QCOMPARE(file.childGroups(), QStringList({"Options", "ReportOptions", "Setup"}));
    QCOMPARE(file.allKeys().filter(QRegularExpression("^Options/")).size(), 8);
    QVERIFY(!file.contains("Options/LastDir"));
    QCOMPARE(file.value("Options/GraphBackground").value<QColor>(), cDefaultGraphBackground);
    QCOMPARE(file.value("Options/Organization").toString(), QString("Org"));
    QCOMPARE(file.value("Options/bNeedAckFileDeletion").toBool(), true);
    QCOMPARE(file.value("Setup/LanguageName").toString(), QString());
    const QByteArray hex = file.value("Options/PrintSetup").toByteArray();
    QCOMPARE(hex, WritePrintSetup(printer).toHex());
    QCOMPARE(hex, hex.toLower());

    file.beginGroup("ReportOptions");
    QCOMPARE(file.allKeys().size(), 14);
    QCOMPARE(file.value("customerOrganizationPosition").toString(), QString("cpos"));
    QCOMPARE(file.value("customerOrganizationPersonName").toString(), QString("cname"));
    QCOMPARE(file.value("superviserOrganizationPosition").toString(), QString("spos"));
    QCOMPARE(file.value("superviserOrganizationPersonName").toString(), QString("sname"));
    QCOMPARE(file.value("volp").toString(), QString("line"));
    QCOMPARE(file.value("cablePart").toString(), QString("part"));
    QCOMPARE(file.value("Cable").toString(), QString("cable"));
    QCOMPARE(file.value("Direction").toString(), QString("A-B"));
    QCOMPARE(file.value("includeHeader").toBool(), true);
    QCOMPARE(file.value("includeGraphicandResults").toBool(), false);
    QCOMPARE(file.value("includeMarkerData").toBool(), true);
    QCOMPARE(file.value("includeEventsTable").toBool(), false);
    QCOMPARE(file.value("includeResultsTable").toBool(), false);
    QCOMPARE(file.value("includeSign").toBool(), true);
}

void TestOptions::savesOnDestruction()
{
    auto opt = NewOptions();
    opt->SetCable("kept at exit");
    QVERIFY(!UserFile().contains("ReportOptions/Cable"));
    opt.reset();
    QCOMPARE(UserFile().value("ReportOptions/Cable").toString(), QString("kept at exit"));
}

void TestOptions::readsStoredOptionsBack()
{
    QSettings* s = GetSettings(0, 0);
    s->setValue("Options/GraphBackground", QColor(10, 20, 30));
    s->setValue("Options/bNeedAckFileDeletion", false);
    s->setValue("Options/bNeedDeleteLoadedFiles", true);
    s->setValue("Options/bEnableServiceInfoEditing", true);
    s->setValue("Options/LastDir", "/some/folder");
    s->setValue("ReportOptions/includeHeader", false);
    s->setValue("ReportOptions/includeResultsTable", true);
    s->setValue("ReportOptions/Direction", "B-A");

    auto opt = NewOptions();
    QCOMPARE(opt->GetBackgroundColor(), QColor(10, 20, 30));
    QCOMPARE(opt->GetContrastColor(), QColor(245, 235, 225));
    QCOMPARE(opt->GetNeedAckFileDeletion(), false);
    QCOMPARE(opt->GetNeedDeleteLoadedFiles(), true);
    QCOMPARE(opt->GetEnableServiceInfoEditing(), true);
    QCOMPARE(opt->GetLastDir(), QString("/some/folder"));
    QCOMPARE(opt->GetIncludeHeader(), true);
    QCOMPARE(opt->GetIncludeResultsTable(), true);
    QCOMPARE(opt->GetDirection(), QString("B-A"));
}

void TestOptions::storesLastDirAtOnce_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("bDocuments");
    QTest::newRow("documents") << GetDefaultLastDir() << true;
    QTest::newRow("documents with trailing slash") << GetDefaultLastDir() + "/" << true;
    QTest::newRow("other folder") << dir.filePath("traces") << false;
}

void TestOptions::storesLastDirAtOnce()
{
    QFETCH(QString, folder);
    QFETCH(bool, bDocuments);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QDir::setCurrent(folder));

    auto opt = NewOptions();
    opt->SaveLastDir();
    const QString expected = bDocuments ? QString() : QDir::currentPath();
    QCOMPARE(opt->GetLastDir(), expected);
    QSettings file = UserFile();
    QVERIFY(file.contains("Options/LastDir"));
    QCOMPARE(file.value("Options/LastDir").toString(), expected);
    QVERIFY(!file.contains("Options/Organization"));
}

void TestOptions::roundTripsPrintSetup()
{
    QPrinter source;
    Configure(source);
    auto opt = NewOptions();
    opt->SavePrintSetup(&source);
    opt.reset();

    QPrinter restored;
    const QVariantList fresh = PrinterProperties(restored);
    NewOptions()->LoadPrintSetup(&restored);
    const QVariantList expected = PrinterProperties(source);
    QCOMPARE(PrinterProperties(restored), expected);
    QVERIFY(expected != fresh);
    QCOMPARE(restored.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(restored.copyCount(), 3);
    QCOMPARE(restored.collateCopies(), false);
    QCOMPARE(restored.outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(restored.outputFileName(), QString("out.pdf"));
    QCOMPARE(expected.mid(21), QVariantList({10.0, 15.0, 20.0, 25.0}));
}

void TestOptions::writesPrintSetupInDocumentedLayout()
{
    QPrinter printer;
    Configure(printer);
    const QVariantList p = PrinterProperties(printer);
    QByteArray expected;
    for (int i = 0; i < p.size(); ++i) {
        if (p[i].type() == QVariant::String)
            AppendText(expected, p[i].toString());
        else if (p[i].type() == QVariant::Double)
            AppendDouble(expected, p[i].toDouble());
        else
            AppendInt(expected, p[i].toInt());
    }
    QCOMPARE(WritePrintSetup(printer).toHex(), expected.toHex());
}

void TestOptions::leavesPrinterAloneOnDamagedOrEmptyRecord_data()
{
    QPrinter printer;
    Configure(printer);
    const QByteArray whole = WritePrintSetup(printer);
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("bWarned");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one byte") << whole.left(1) << true;
    QTest::newRow("before the margins") << whole.left(whole.size() - 32) << true;
    QTest::newRow("last margin cut") << whole.left(whole.size() - 1) << true;
}

void TestOptions::leavesPrinterAloneOnDamagedOrEmptyRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, bWarned);
    GetSettings(0, 0)->setValue("Options/PrintSetup", record.toHex());
    auto opt = NewOptions();
    QPrinter printer;
    const QVariantList fresh = PrinterProperties(printer);
    LogCatcher log;
    opt->LoadPrintSetup(&printer);
    QCOMPARE(PrinterProperties(printer), fresh);
    QCOMPARE(log.Texts(QtWarningMsg).size(), bWarned ? 1 : 0);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
