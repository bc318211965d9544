#include "core/NumValue.h"
#include "core/StrValue.h"
#include "support/LogCatcher.h"

#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QtTest>

#include <functional>
#include <memory>

using namespace CType;

namespace {

// What a row of the instantiation table exposes, reachable by row number.
struct tProbe
{
    std::function<INumValue*()> Make;
    int Flags;
    double Min;
    double Max;
};

template <class T>
tProbe probe()
{
    const T value;
    return {[] { return new T; }, T::GetFlags(), double(value.GetMin()), double(value.GetMax())};
}

const QMap<int, tProbe>& rows()
{
    static const QMap<int, tProbe> table = {
        {1, probe<NumValue<short, short, 1, 0>>()},
        {2, probe<NumValue<short, short, 1, 2>>()},
        {3, probe<NumValue<unsigned short, unsigned short, 1, 2>>()},
        {4, probe<NumValue<unsigned int, short, 1, 0>>()},
        {5, probe<NumValue<unsigned int, short, 1, 2>>()},
        {6, probe<NumValue<unsigned int, unsigned short, 10, 2>>()},
        {7, probe<NumValue<unsigned int, qint32, 1, 2>>()},
        {8, probe<NumValue<qint32, qint32, 1, 2>>()},
        {9, probe<NumValue<qint32, qint32, 1, 7>>()},
        {10, probe<NumValue<float, short, 1, 0>>()},
        {11, probe<NumValue<float, short, 1, 2>>()},
        {12, probe<NumValue<float, short, 10, 0>>()},
        {13, probe<NumValue<float, short, -10, 0>>()},
        {14, probe<NumValue<float, short, 1000, 5>>()},
        {15, probe<NumValue<float, short, 1000, 7>>()},
        {16, probe<NumValue<float, unsigned short, 1, 2>>()},
        {17, probe<NumValue<float, unsigned short, 1000, 2>>()},
        {18, probe<NumValue<float, unsigned short, -1000, 2>>()},
        {19, probe<NumValue<double, unsigned short, -1000, 2>>()},
        {20, probe<NumValue<double, qint32, 1, 7>>()},
        {21, probe<NumValue<double, qint32, 10, 2>>()},
        {22, probe<NumValue<double, qint32, 10, 7>>()},
        {23, probe<NumValue<double, qint32, 1000, 2>>()},
        {24, probe<NumValue<double, qint32, 1000, 7>>()},
        {25, probe<NumValue<double, qint32, 10000, 0>>()},
        {26, probe<NumValue<double, qint32, 100000, 0>>()},
        {27, probe<NumValue<double, quint32, 1, 2>>()},
        {28, probe<NumValue<double, quint32, 10, 2>>()},
        {29, probe<NumValueC<short, short, 651, 699, 1, 0>>()},
        {30, probe<NumValueC<float, short, 400, 900, -10, 0>>()},
        {31, probe<NumValueC<double, qint32, 120000, 160000, 100000, 0>>()},
        {32, probe<NumValueC<double, qint32, 2, 99900000, 100000, 0>>()},
        {33, probe<NumValueC<double, qint32, 2, 9990000, 10000, 0>>()},
    };
    return table;
}

// Relative comparison: float bounds are the nearest float, but a bound one
// step from zero must not pass for zero.
bool sameBound(double actual, double expected)
{
    if (expected == 0)
        return actual == 0;
    return qAbs(actual - expected) <= 1e-6 * qAbs(expected);
}

} // namespace

class TestTypedValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void derivesRangeAndDigitsPerInstantiation_data();
    void derivesRangeAndDigitsPerInstantiation();
    void logsRangeWithoutRoomForStep();
    void sizesTextsByLimit();
    void logsTextLimitTooSmall();

    void parsesInDefaultLocale_data();
    void parsesInDefaultLocale();
    void formatsWithDecimalsOfScale();
    void cloneKeepsNarrowRange();
    void assignsValueAndEditWithoutRangeCheck();
    void comparesTexts();
};

void TestTypedValues::initTestCase()
{
    QLocale locale(QLocale::English);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

void TestTypedValues::derivesRangeAndDigitsPerInstantiation_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("flags");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("real");
    QTest::addColumn<QString>("minText");
    QTest::addColumn<QString>("maxText");

    auto row = [](int n, int flags, double min, double max, int digits, int decimals, bool real,
                  const char* minText, const char* maxText) {
        QTest::addRow("row %d", n) << n << flags << min << max << digits << decimals << real
                                  << QString(minText) << QString(maxText);
    };
    row(1, 1, 1, 32767, 5, 0, false, "1", "32767");
    row(2, 3, 0, 32767, 5, 0, false, "0", "32767");
    row(3, 3, 0, 65535, 5, 0, false, "0", "65535");
    row(4, 1, 1, 32767, 5, 0, false, "1", "32767");
    row(5, 3, 0, 32767, 5, 0, false, "0", "32767");
    row(6, 3, 0, 6553, 4, 0, false, "0", "6553");
    row(7, 3, 0, 2147483647, 10, 0, false, "0", "2147483647");
    row(8, 3, 0, 2147483647, 10, 0, false, "0", "2147483647");
    row(9, 7, -2147483648.0, 2147483647, 10, 0, false, "-2147483648", "2147483647");
    row(10, 1, 0.000001, 32767, 5, 0, false, "0", "32767");
    row(11, 3, 0, 32767, 5, 0, false, "0", "32767");
    row(12, 1, 0.000001, 3276.7, 5, 1, true, "0.0", "3276.7");
    row(13, 4, -3276.7, -0.000001, 5, 1, true, "-3276.7", "-0.0");
    row(14, 5, -32.768, 32.767, 5, 3, true, "-32.768", "32.767");
    row(15, 7, -32.768, 32.767, 5, 3, true, "-32.768", "32.767");
    row(16, 3, 0, 65535, 5, 0, false, "0", "65535");
    row(17, 3, 0, 65.535, 5, 3, true, "0.000", "65.535");
    row(18, 6, -65.535, 0, 5, 3, true, "-65.535", "0.000");
    row(19, 6, -65.535, 0, 5, 3, true, "-65.535", "0.000");
    row(20, 7, -2147483648.0, 2147483647, 10, 0, false, "-2147483648", "2147483647");
    row(21, 3, 0, 214748364.7, 10, 1, true, "0.0", "214748364.7");
    row(22, 7, -214748364.8, 214748364.7, 10, 1, true, "-214748364.8", "214748364.7");
    row(23, 3, 0, 2147483.647, 10, 3, true, "0.000", "2147483.647");
    row(24, 7, -2147483.648, 2147483.647, 10, 3, true, "-2147483.648", "2147483.647");
    row(25, 1, 1e-15, 214748.3647, 10, 4, true, "0.0000", "214748.3647");
    row(26, 1, 1e-15, 21474.83647, 10, 5, true, "0.00000", "21474.83647");
    row(27, 3, 0, 4294967295.0, 10, 0, false, "0", "4294967295");
    row(28, 3, 0, 429496729.5, 10, 1, true, "0.0", "429496729.5");
    row(29, 1, 651, 699, 3, 0, false, "651", "699");
    row(30, 4, -90, -40, 3, 1, true, "-90.0", "-40.0");
    row(31, 1, 1.2, 1.6, 6, 5, true, "1.20000", "1.60000");
    row(32, 1, 0.00002, 999, 8, 5, true, "0.00002", "999.00000");
    row(33, 1, 0.0002, 999, 7, 4, true, "0.0002", "999.0000");
}

void TestTypedValues::derivesRangeAndDigitsPerInstantiation()
{
    QFETCH(int, row);
    QFETCH(int, flags);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, digits);
    QFETCH(int, decimals);
    QFETCH(bool, real);
    QFETCH(QString, minText);
    QFETCH(QString, maxText);

    LogCatcher log;
    const tProbe& probe = rows()[row];
    const std::unique_ptr<INumValue> value(probe.Make());
    QCOMPARE(probe.Flags, flags);
    QVERIFY2(sameBound(probe.Min, min), qPrintable(QString::number(probe.Min, 'g', 17)));
    QVERIFY2(sameBound(probe.Max, max), qPrintable(QString::number(probe.Max, 'g', 17)));
    QCOMPARE(value->Digits10(), digits);
    QCOMPARE(value->Digits10Frac(), decimals);
    QCOMPARE(value->IsReal(), real);
    QCOMPARE(value->MinText(), minText);
    QCOMPARE(value->MaxText(), maxText);
    QCOMPARE(value->IsZeroAllowed(), (flags & 2) != 0);
    QCOMPARE(value->CanBeNegative(), min < 0);
    QCOMPARE(value->CanBePositive(), max > 0);
    QCOMPARE(value->IsZeroExtra(), (flags & 2) != 0 && (min >= 0 || max <= 0));
    // No row is so narrow that the step beside a refused zero leaves its range.
    QVERIFY(log.Entries().isEmpty());
}

void TestTypedValues::logsRangeWithoutRoomForStep()
{
    LogCatcher log;
    const NumValueC<short, short, 0, 0, 1, 0> noRoom;
    QCOMPARE(noRoom.GetMin(), short(1));
    QCOMPARE(noRoom.GetMax(), short(-1));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: res<=maxValWOFlags()"), 1);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: res>=minValWOFlags()"), 1);
}

void TestTypedValues::sizesTextsByLimit()
{
    QCOMPARE(StrValue<101>().MaxLength(), 100);
    QCOMPARE(StrValue<32>().MaxLength(), 31);
    const StrValue<32> name;
    const std::unique_ptr<StrValue<32>> copy(name.Clone());
    QCOMPARE(copy->MaxLength(), 31);
}

void TestTypedValues::logsTextLimitTooSmall()
{
    LogCatcher log;
    StrValue<1> value;
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: maxBytes>1"), 1);
    QVERIFY(value.FromString("still usable"));
    QCOMPARE(value.ToString(), QString("still usable"));
}

void TestTypedValues::parsesInDefaultLocale_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("decimal") << 21 << "12.34" << true << "12.3";
    QTest::newRow("letters") << 21 << "abc" << false << "0.0";
    QTest::newRow("group separator") << 21 << "1,000" << false << "0.0";
    QTest::newRow("float") << 30 << "-65.5" << true << "-65.5";
    QTest::newRow("unsigned short in range") << 3 << "65535" << true << "65535";
    QTest::newRow("unsigned short beyond its type") << 3 << "70000" << false << "0";
    QTest::newRow("short beyond its type") << 1 << "40000" << false << "0";
    QTest::newRow("short below its type") << 9 << "-2147483649" << false << "0";
    QTest::newRow("negative into unsigned") << 7 << "-1" << false << "0";
    QTest::newRow("unsigned int above signed range") << 7 << "4294967295" << true << "4294967295";
    QTest::newRow("negative integer keeps sign") << 9 << "-5" << true << "-5";
    QTest::newRow("decimal into integer") << 9 << "1.5" << false << "0";
}

void TestTypedValues::parsesInDefaultLocale()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(bool, parsed);
    QFETCH(QString, shown);

    const std::unique_ptr<INumValue> value(rows()[row].Make());
    QCOMPARE(value->FromString(text), parsed);
    QCOMPARE(value->ToString(), shown);
}

void TestTypedValues::formatsWithDecimalsOfScale()
{
    QCOMPARE((NumValue<double, qint32, 1000, 7>(-1.5).ToString()), QString("-1.500"));
    QCOMPARE((NumValue<float, unsigned short, 1000, 2>(65.535f).ToString()), QString("65.535"));
    QCOMPARE((NumValue<qint32, qint32, 1, 7>(-5).ToString()), QString("-5"));
    QCOMPARE((NumValue<unsigned int, qint32, 1, 2>(4294967295u).ToString()), QString("4294967295"));
    QCOMPARE((NumValueC<double, qint32, 120000, 160000, 100000, 0>(1.4682).ToString()), QString("1.46820"));
}

void TestTypedValues::cloneKeepsNarrowRange()
{
    NumValueC<double, qint32, 120000, 160000, 100000, 0> groupIndex(1.7);
    const std::unique_ptr<INumValue> clone(groupIndex.Clone());
    QVERIFY(clone->IsAboveMax());
    QCOMPARE(clone->ToString(), QString("1.70000"));
    QVERIFY((dynamic_cast<NumValueC<double, qint32, 120000, 160000, 100000, 0>*>(clone.get())));

    groupIndex.GetValue() = 1.1;
    QVERIFY(groupIndex.IsBelowMin());
    groupIndex.GetValue() = 1.5;
    QVERIFY(!groupIndex.IsBelowMin() && !groupIndex.IsAboveMax());
}

void TestTypedValues::assignsValueAndEditWithoutRangeCheck()
{
    NumValue<qint32, qint32, 1, 7> source(-7);
    QLineEdit edit;
    source.ToLineEdit(&edit, false);
    NumValue<qint32, qint32, 1, 7> target;
    QVERIFY(target.IsZero());
    target = source;
    QCOMPARE(target.GetValue(), -7);
    QCOMPARE(target.GetLineEdit(), &edit);
    QCOMPARE(edit.text(), QString("-7"));

    NumValue<float, short, 10, 0> wavelength(99999.f);
    NumValue<float, short, 10, 0> copy;
    copy = wavelength;
    QVERIFY(copy.IsAboveMax());
}

void TestTypedValues::comparesTexts()
{
    StrValue<101> comment;
    comment.SetValue("Span A");
    QVERIFY(!(comment != QString("Span A")));
    QVERIFY(comment != QString("span a"));
    QVERIFY(comment == QString("Span A"));
}

QTEST_MAIN(TestTypedValues)
#include "tst_typedvalues.moc"
