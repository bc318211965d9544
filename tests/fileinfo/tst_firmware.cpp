#include "fileinfo/Firmware.h"

#include <QLocale>
#include <QtTest>

class TestFirmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale locale(QStringLiteral("EN"));
        locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        QLocale::setDefault(locale);
    }

    void tellsMarkerUnit_data();
    void tellsMarkerUnit();
};

void TestFirmware::tellsMarkerUnit_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("revision");
    QTest::addColumn<bool>("bNewer");
    const QString m = QStringLiteral("QUELM7x");
    QTest::newRow("505a") << m << "505a" << true;
    QTest::newRow("lower-case model") << "quelm7x" << "505a" << true;
    QTest::newRow("505: release 50") << m << "505" << false;
    QTest::newRow("506b") << m << "506b" << true;
    QTest::newRow("4.5a") << m << "4.5a" << true;
    QTest::newRow("4.4z") << m << "4.4z" << false;
    QTest::newRow("4.6x") << m << "4.6x" << true;
    QTest::newRow("504z") << m << "504z" << false;
    QTest::newRow("506: release 50") << m << "506" << false;
    QTest::newRow("505 upper-case suffix") << m << "505A" << false;
    QTest::newRow("505 suffix DEL") << m << QString("505") + QChar(127) << true;
    QTest::newRow("505 suffix above 127") << m << QString::fromUtf8("505é") << false;
    QTest::newRow("4.5 suffix above 127") << m << QString::fromUtf8("4.5é") << false;
    QTest::newRow("single character") << m << "5" << false;
    QTest::newRow("not a number") << m << "x.ya" << false;
    QTest::newRow("empty") << m << "" << false;
    QTest::newRow("other 1.2") << "OTDR-9" << "1.2" << true;
    QTest::newRow("other 1.16019") << "OTDR-9" << "1.16019" << false;
    QTest::newRow("other 1.16") << "OTDR-9" << "1.16" << false;
    QTest::newRow("other 505a") << "OTDR-9" << "505a" << false;
    QTest::newRow("other empty") << "OTDR-9" << "" << false;
    QTest::newRow("short model") << "QUELM" << "2" << true;
}

void TestFirmware::tellsMarkerUnit()
{
    QFETCH(QString, model);
    QFETCH(QString, revision);
    QFETCH(bool, bNewer);
    QCOMPARE(IsNewerFirmware(model, revision), bNewer);
}

QTEST_APPLESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
