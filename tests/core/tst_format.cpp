#include "core/Format.h"

#include <QtTest>

#include <functional>

using tFormatter = std::function<QString(double)>;
Q_DECLARE_METATYPE(tFormatter)

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void formatsValues_data();
    void formatsValues();
    void formatsDateTime();
};

void TestFormat::formatsValues_data()
{
    QTest::addColumn<tFormatter>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const tFormatter loss = [](double v) { return FormatLoss(float(v)); };
    const tFormatter reflectance = [](double v) { return FormatReflectance(v); };
    const tFormatter attenuation = [](double v) { return FormatAttenuation(float(v)); };
    const tFormatter float3 = [](double v) { return FormatFloat3(float(v)); };
    QTest::newRow("loss at upper bound") << loss << 16.0 << "16.000";
    QTest::newRow("loss at lower bound") << loss << -16.0 << "-16.000";
    QTest::newRow("loss above") << loss << 20.0 << ">16";
    QTest::newRow("loss below") << loss << -20.0 << "<-16";
    QTest::newRow("loss just above") << loss << 16.001 << ">16";
    QTest::newRow("reflectance below") << reflectance << -75.5 << "<-70";
    QTest::newRow("reflectance above") << reflectance << 80.0 << ">70";
    QTest::newRow("reflectance inside") << reflectance << -45.25 << "-45.250";
    QTest::newRow("reflectance at bound") << reflectance << -70.0 << "-70.000";
    QTest::newRow("attenuation inside") << attenuation << 0.35 << "0.350";
    QTest::newRow("attenuation above") << attenuation << 17.0 << ">16";
    QTest::newRow("float3 positive") << float3 << 2.5 << "2.500";
    QTest::newRow("float3 negative") << float3 << -0.25 << "-0.250";
    QTest::newRow("float3 large, no group separator") << float3 << 12345.5 << "12345.500";
}

void TestFormat::formatsValues()
{
    QFETCH(tFormatter, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(format(value), text);
}

void TestFormat::formatsDateTime()
{
    QCOMPARE(FormatDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7))),
             QString("05/03/2024 14:07"));
    QCOMPARE(FormatDateTime(QDateTime(QDate(1999, 12, 31), QTime(0, 0))),
             QString("31/12/1999 00:00"));
}

QTEST_APPLESS_MAIN(TestFormat)
#include "tst_format.moc"
