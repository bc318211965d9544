#include "core/Exception.h"
#include "core/NumValue.h"
#include "core/StrValue.h"
#include "sor/FileStream.h"
#include "support/LogCatcher.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <limits>

using namespace CType;

namespace {

class Root : public bc::IStream
{
public:
    explicit Root(FileStreams::IStream& value) : m_value(value) {}
    void Stream(bc::CFileStream& stream) override { m_value.Stream(stream); }

private:
    FileStreams::IStream& m_value;
};

QString g_path;

QByteArray saveBytes(FileStreams::IStream& value)
{
    Root root(value);
    bc::CFileStream(g_path).Save(root);
    QFile file(g_path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void loadBytes(const QByteArray& bytes, FileStreams::IStream& value)
{
    QFile file(g_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        QFAIL("cannot prepare the input file");
    file.close();
    Root root(value);
    bc::CFileStream(g_path).Load(root);
}

// Writes and reads one numeric row through the file stream.
struct tRowIo
{
    std::function<QByteArray(double)> Write;
    std::function<double(const QByteArray&)> Read;
};

template <class T>
tRowIo io()
{
    return {[](double v) {
                T value(static_cast<typename T::ValueType>(v));
                return saveBytes(value);
            },
            [](const QByteArray& bytes) {
                T value;
                loadBytes(bytes, value);
                return double(value.GetValue());
            }};
}

const QMap<int, tRowIo>& rows()
{
    static const QMap<int, tRowIo> table = {
        {4, io<NumValue<unsigned int, short, 1, 0>>()},
        {6, io<NumValue<unsigned int, unsigned short, 10, 2>>()},
        {7, io<NumValue<unsigned int, qint32, 1, 2>>()},
        {9, io<NumValue<qint32, qint32, 1, 7>>()},
        {10, io<NumValue<float, short, 1, 0>>()},
        {12, io<NumValue<float, short, 10, 0>>()},
        {14, io<NumValue<float, short, 1000, 5>>()},
        {15, io<NumValue<float, short, 1000, 7>>()},
        {17, io<NumValue<float, unsigned short, 1000, 2>>()},
        {18, io<NumValue<float, unsigned short, -1000, 2>>()},
        {19, io<NumValue<double, unsigned short, -1000, 2>>()},
        {21, io<NumValue<double, qint32, 10, 2>>()},
        {22, io<NumValue<double, qint32, 10, 7>>()},
        {25, io<NumValue<double, qint32, 10000, 0>>()},
        {26, io<NumValue<double, qint32, 100000, 0>>()},
        {27, io<NumValue<double, quint32, 1, 2>>()},
        {29, io<NumValueC<short, short, 651, 699, 1, 0>>()},
        {30, io<NumValueC<float, short, 400, 900, -10, 0>>()},
        {31, io<NumValueC<double, qint32, 120000, 160000, 100000, 0>>()},
    };
    return table;
}

bool nearlyEqual(double actual, double expected)
{
    return qAbs(actual - expected) <= 1e-6 * qMax(1.0, qAbs(expected));
}

} // namespace

class TestTypedValueStream : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void writesScaledLittleEndian_data();
    void writesScaledLittleEndian();
    void dropsTenthsOfWholeNumber();
    void refusesOutOfRange_data();
    void refusesOutOfRange();
    void keepsValueOfRefusedRead();
    void limitsTextLength_data();
    void limitsTextLength();

private:
    QTemporaryDir m_dir;
};

void TestTypedValueStream::init()
{
    QVERIFY(m_dir.isValid());
    g_path = m_dir.filePath("value.bin");
}

void TestTypedValueStream::writesScaledLittleEndian_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("readBack");

    QTest::newRow("offset drops hundredths") << 21 << 12.34 << QByteArray::fromHex("7b000000") << 12.3;
    QTest::newRow("backscatter negated") << 30 << -65.0 << QByteArray::fromHex("8a02") << -65.0;
    QTest::newRow("backscatter -80") << 30 << -80.0 << QByteArray::fromHex("2003") << -80.0;
    QTest::newRow("group index") << 31 << 1.4682 << QByteArray::fromHex("843d0200") << 1.4682;
    QTest::newRow("actual wavelength") << 12 << 1550.0 << QByteArray::fromHex("8c3c") << 1550.0;
    QTest::newRow("nominal wavelength") << 10 << 1550.0 << QByteArray::fromHex("0e06") << 1550.0;
    QTest::newRow("scale factor") << 14 << 1.0 << QByteArray::fromHex("e803") << 1.0;
    QTest::newRow("negative scale factor") << 14 << -1.0 << QByteArray::fromHex("18fc") << -1.0;
    QTest::newRow("half up") << 25 << 1.23456 << QByteArray::fromHex("3a300000") << 1.2346;
    QTest::newRow("half toward plus infinity") << 22 << -1.25 << QByteArray::fromHex("f4ffffff") << -1.2;
    QTest::newRow("below half") << 22 << -1.26 << QByteArray::fromHex("f3ffffff") << -1.3;
    QTest::newRow("tiny negative rounds to zero") << 15 << -0.0004 << QByteArray::fromHex("0000") << 0.0;
    QTest::newRow("noise floor float") << 18 << -30.5 << QByteArray::fromHex("2477") << -30.5;
    QTest::newRow("noise floor double") << 19 << -30.5 << QByteArray::fromHex("2477") << -30.5;
    QTest::newRow("zero at negative end") << 19 << 0.0 << QByteArray::fromHex("0000") << 0.0;
    QTest::newRow("backscatter lowest") << 30 << -90.0 << QByteArray::fromHex("8403") << -90.0;
    QTest::newRow("backscatter highest") << 30 << -40.0 << QByteArray::fromHex("9001") << -40.0;
    QTest::newRow("group index lowest") << 31 << 1.2 << QByteArray::fromHex("c0d40100") << 1.2;
    QTest::newRow("group index highest") << 31 << 1.6 << QByteArray::fromHex("00710200") << 1.6;
    QTest::newRow("acquisition offset top") << 22 << 214748364.7 << QByteArray::fromHex("ffffff7f") << 214748364.7;
    QTest::newRow("scale factor lowest") << 14 << -32.768 << QByteArray::fromHex("0080") << -32.768;
    QTest::newRow("float top of range") << 17 << 65.535 << QByteArray::fromHex("ffff") << 65.535;
    QTest::newRow("lowest long") << 9 << -2147483648.0 << QByteArray::fromHex("00000080") << -2147483648.0;
    QTest::newRow("unsigned long top") << 27 << 4294967295.0 << QByteArray::fromHex("ffffffff") << 4294967295.0;
    QTest::newRow("fibre type") << 29 << 652.0 << QByteArray::fromHex("8c02") << 652.0;
}

void TestTypedValueStream::writesScaledLittleEndian()
{
    QFETCH(int, row);
    QFETCH(double, value);
    QFETCH(QByteArray, bytes);
    QFETCH(double, readBack);

    QCOMPARE(rows()[row].Write(value).toHex(), bytes.toHex());
    const double read = rows()[row].Read(bytes);
    QVERIFY2(nearlyEqual(read, readBack), qPrintable(QString::number(read, 'g', 17)));
}

void TestTypedValueStream::dropsTenthsOfWholeNumber()
{
    NumValue<unsigned int, unsigned short, 10, 2> averagingTime;
    loadBytes(QByteArray::fromHex("1900"), averagingTime);
    QCOMPARE(averagingTime.GetValue(), 2u);
    QCOMPARE(saveBytes(averagingTime).toHex(), QByteArray("1400"));
}

void TestTypedValueStream::refusesOutOfRange_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("bReading");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("bytes");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto read = [](const char* name, int row, const char* hex) {
        QTest::newRow(name) << row << true << 0.0 << QByteArray::fromHex(hex);
    };
    auto write = [](const char* name, int row, double value) {
        QTest::newRow(name) << row << false << value << QByteArray();
    };
    read("backscatter stored 399", 30, "8f01");
    read("backscatter stored 901", 30, "8503");
    read("data spacing stored 0", 26, "00000000");
    read("group index stored 119999", 31, "bfd40100");
    read("group index stored 160001", 31, "01710200");
    read("offset stored negative", 21, "ffffffff");
    read("averages stored negative", 7, "ffffffff");
    read("event number stored negative", 4, "ffff");
    read("fibre type stored 650", 29, "8a02");
    read("fibre type stored 700", 29, "bc02");
    read("scale factor stored 0", 14, "0000");
    write("data spacing 0", 26, 0.0);
    write("backscatter -39.9", 30, -39.9);
    write("backscatter 0", 30, 0.0);
    write("actual wavelength 3276.8", 12, 3276.8);
    write("nominal wavelength 0", 10, 0.0);
    write("averaging time 6554", 6, 6554);
    write("fibre type 650", 29, 650);
    write("fibre type 700", 29, 700);
    write("reflectance threshold positive", 18, 0.001);
    write("noise floor positive", 19, 0.001);
    write("offset not a number", 21, nan);
    write("scale factor rounding to a refused 0", 14, -0.0004);
    write("wavelength rounding to a refused 0", 10, 0.3);
}

void TestTypedValueStream::refusesOutOfRange()
{
    QFETCH(int, row);
    QFETCH(bool, bReading);
    QFETCH(double, value);
    QFETCH(QByteArray, bytes);

    LogCatcher log; // every exception logs its text
    try {
        if (bReading)
            rows()[row].Read(bytes);
        else
            rows()[row].Write(value);
        QFAIL("the value was accepted");
    } catch (const Exception& e) {
        QVERIFY(!e.GetCodes().isEmpty());
        const tErrorCode first = e.GetCodes().first();
        QCOMPARE(first.Source, 1);
        if (bReading) {
            QVERIFY(dynamic_cast<const EFileLoadInvalidFormat*>(&e));
            QCOMPARE(first.Code, 51);
        } else {
            QVERIFY(dynamic_cast<const EInternalError*>(&e));
            QCOMPARE(first.Code, 56);
        }
    }
}

void TestTypedValueStream::keepsValueOfRefusedRead()
{
    LogCatcher log;
    NumValueC<float, short, 400, 900, -10, 0> backscatter;
    QVERIFY_EXCEPTION_THROWN(loadBytes(QByteArray::fromHex("8f01"), backscatter), EFileLoadInvalidFormat);
    QCOMPARE(backscatter.GetValue(), -39.9f);
}

void TestTypedValueStream::limitsTextLength_data()
{
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("bAccepted");

    QTest::newRow("supplier name at limit") << 32 << 31 << true;
    QTest::newRow("supplier name beyond") << 32 << 32 << false;
    QTest::newRow("cable ID at limit") << 101 << 100 << true;
    QTest::newRow("cable ID beyond") << 101 << 101 << false;
}

void TestTypedValueStream::limitsTextLength()
{
    QFETCH(int, maxBytes);
    QFETCH(int, length);
    QFETCH(bool, bAccepted);

    LogCatcher log;
    const QString text(length, QLatin1Char('x'));
    QByteArray raw = text.toLatin1();
    raw.append('\0');
    auto check = [&](FileStreams::IStream& value, IStrValue& str) {
        str.GetValue() = text;
        if (bAccepted) {
            QCOMPARE(saveBytes(value), raw);
            str.GetValue().clear();
            loadBytes(raw, value);
            QCOMPARE(str.GetValue(), text);
            return;
        }
        try {
            saveBytes(value);
            QFAIL("an overlong text was written");
        } catch (const EInternalError& e) {
            QCOMPARE(e.GetCodes().first().Code, 213);
        }
        try {
            loadBytes(raw, value);
            QFAIL("an overlong text was read");
        } catch (const EFileLoadInvalidFormat& e) {
            QCOMPARE(e.GetCodes().first().Code, 211);
        }
    };
    if (maxBytes == 32) {
        StrValue<32> value;
        check(value, value);
    } else {
        StrValue<101> value;
        check(value, value);
    }
}

QTEST_MAIN(TestTypedValueStream)
#include "tst_typedvaluestream.moc"
