#include "core/NumValue.h"
#include "core/StrValue.h"
#include "core/Validator.h"
#include "support/LogCatcher.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidget>
#include <QTextCodec>
#include <QtTest>

#include <functional>
#include <memory>

using namespace CType;

namespace {

const QMap<int, std::function<INumValue*()>>& rows()
{
    static const QMap<int, std::function<INumValue*()>> table = {
        {1, [] { return new NumValue<short, short, 1, 0>; }},
        {3, [] { return new NumValue<unsigned short, unsigned short, 1, 2>; }},
        {4, [] { return new NumValue<unsigned int, short, 1, 0>; }},
        {9, [] { return new NumValue<qint32, qint32, 1, 7>; }},
        {14, [] { return new NumValue<float, short, 1000, 5>; }},
        {21, [] { return new NumValue<double, qint32, 10, 2>; }},
        {29, [] { return new NumValueC<short, short, 651, 699, 1, 0>; }},
        {30, [] { return new NumValueC<float, short, 400, 900, -10, 0>; }},
        {31, [] { return new NumValueC<double, qint32, 120000, 160000, 100000, 0>; }},
    };
    return table;
}

const char* const kWordPattern = "(\\w|-|\\s)+";

// A line edit of its own class: the hints are meant for plain edits only.
class CustomEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
};

// A window with a plain line edit above one of a subclass.
struct TwoEdits
{
    TwoEdits()
    {
        auto* layout = new QVBoxLayout(&Window);
        layout->addWidget(Plain);
        layout->addWidget(Custom);
    }

    QWidget Window;
    QLineEdit* Plain = new QLineEdit(&Window);
    CustomEdit* Custom = new CustomEdit(&Window);
};

} // namespace

class TestValidators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void checksNumbers_data();
    void checksNumbers();
    void checksTexts_data();
    void checksTexts();
    void refusesCharactersTheFileCannotHold_data();
    void refusesCharactersTheFileCannotHold();
    void refusesEverythingWithBrokenPattern();

    void bindsLineEdit();
    void readsBackOnlyChangedText();
    void refusesInvalidTextOnReadBack();
    void readsBackWithoutValidator();
    void logsUnrefusedInvalidReadBack();

    void showsHintBesidePlainEdit();
    void showsHintAgainWhenFocusEnters();
};

void TestValidators::initTestCase()
{
    QLocale locale(QLocale::English);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

void TestValidators::cleanup()
{
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestValidators::checksNumbers_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("hint");

    const int invalid = QValidator::Invalid;
    const int intermediate = QValidator::Intermediate;
    const int acceptable = QValidator::Acceptable;
    const QString offsetRange = "Enter numeric value from 0.0 to 214748364.7 (can be zero)";
    const QString backscatterRange = "Enter numeric value from -90.0 to -40.0";

    QTest::newRow("21 empty") << 21 << "" << intermediate << offsetRange;
    QTest::newRow("21 lone point") << 21 << "." << intermediate << offsetRange;
    QTest::newRow("21 negative") << 21 << "-1" << invalid << "Value can't be negative";
    QTest::newRow("21 valid") << 21 << "12.3" << acceptable << "";
    QTest::newRow("21 zero") << 21 << "0" << acceptable << "";
    QTest::newRow("21 two decimals") << 21 << "1.25" << invalid << offsetRange;
    QTest::newRow("21 ten integer digits") << 21 << "1234567890" << invalid << offsetRange;
    QTest::newRow("21 plus sign") << 21 << "+5" << invalid << "Enter a numeric value";
    QTest::newRow("21 letters") << 21 << "abc" << invalid << "Enter a numeric value";
    QTest::newRow("21 group separator") << 21 << "1,000" << invalid << "Enter a numeric value";
    QTest::newRow("30 positive") << 30 << "5" << invalid << "Value can't be positive (put '-' first)";
    QTest::newRow("30 lone minus") << 30 << "-" << intermediate << backscatterRange;
    QTest::newRow("30 minus point") << 30 << "-." << intermediate << backscatterRange;
    QTest::newRow("30 above") << 30 << "-4" << intermediate << "Maximum value is -40.0";
    QTest::newRow("30 below") << 30 << "-95" << intermediate << "Minimum value is -90.0";
    QTest::newRow("30 valid") << 30 << "-65.5" << acceptable << "";
    QTest::newRow("30 three digits") << 30 << "-100" << invalid << backscatterRange;
    QTest::newRow("4 zero") << 4 << "0" << intermediate << "Value can't be zero";
    QTest::newRow("4 zero in all digits") << 4 << "00000" << invalid << "Value can't be zero";
    QTest::newRow("4 decimal point") << 4 << "1.5" << invalid << "Value must be integer";
    QTest::newRow("14 zero") << 14 << "0.000" << intermediate << "Value can't be zero";
    QTest::newRow("3 top") << 3 << "65535" << acceptable << "";
    QTest::newRow("3 beyond unsigned short") << 3 << "70000" << intermediate << "Maximum value is 65535";
    QTest::newRow("1 beyond short") << 1 << "40000" << intermediate << "Maximum value is 32767";
    QTest::newRow("3 exponent beyond unsigned short") << 3 << "1e9" << invalid << "Enter a numeric value";
    QTest::newRow("9 beyond long") << 9 << "-9999999999" << intermediate << "Minimum value is -2147483648";
    QTest::newRow("9 negative") << 9 << "-5" << acceptable << "";
    QTest::newRow("29 below narrow range") << 29 << "650" << intermediate << "Minimum value is 651";
    QTest::newRow("31 above narrow range") << 31 << "1.7" << intermediate << "Maximum value is 1.60000";
    QTest::newRow("31 valid") << 31 << "1.46820" << acceptable << "";
}

void TestValidators::checksNumbers()
{
    QFETCH(int, row);
    QFETCH(QString, input);
    QFETCH(int, state);
    QFETCH(QString, hint);

    const std::unique_ptr<INumValue> value(rows()[row]());
    const CNumValidator validator(value.get(), nullptr, QString());
    QString actualHint;
    QCOMPARE(int(validator.Check(input, &actualHint)), state);
    QCOMPARE(actualHint, hint);
    QCOMPARE(int(validator.Check(input, nullptr)), state);

    // Without a line edit as parent, validate only judges.
    QString text = input;
    int position = -2;
    QCOMPARE(int(validator.validate(text, position)), state);
}

void TestValidators::checksTexts_data()
{
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("hint");

    const QString patternHint = "Please use only digits, letters, '_' or '-' and space";
    QTest::newRow("100 characters") << 101 << "" << QString(100, 'x') << int(QValidator::Acceptable) << "";
    QTest::newRow("101 characters") << 101 << "" << QString(101, 'x') << int(QValidator::Invalid)
                                    << "Maximum string length is 100";
    QTest::newRow("32 characters") << 32 << "" << QString(32, 'x') << int(QValidator::Invalid)
                                   << "Maximum string length is 31";
    QTest::newRow("empty, no pattern") << 101 << "" << "" << int(QValidator::Acceptable) << "";
    QTest::newRow("words") << 101 << kWordPattern << "Span-1 A_b" << int(QValidator::Acceptable) << "";
    QTest::newRow("slash") << 101 << kWordPattern << "a/b" << int(QValidator::Invalid) << patternHint;
    QTest::newRow("empty against pattern") << 101 << kWordPattern << "" << int(QValidator::Invalid) << patternHint;
    QTest::newRow("length before pattern") << 32 << kWordPattern << QString(32, '/') << int(QValidator::Invalid)
                                           << "Maximum string length is 31";
}

void TestValidators::checksTexts()
{
    QFETCH(int, maxBytes);
    QFETCH(QString, pattern);
    QFETCH(QString, input);
    QFETCH(int, state);
    QFETCH(QString, hint);

    std::unique_ptr<IStrValue> value;
    if (maxBytes == 32)
        value.reset(new StrValue<32>(pattern));
    else
        value.reset(new StrValue<101>(pattern));
    const CStrValidator validator(value.get(), nullptr, QString(), value->GetPattern());
    QString actualHint;
    QCOMPARE(int(validator.Check(input, &actualHint)), state);
    QCOMPARE(actualHint, hint);
}

void TestValidators::refusesCharactersTheFileCannotHold_data()
{
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("refused");

    QTest::newRow("Latin accents") << "" << QString::fromUtf8("Caf\u00e9 \u00e9 \u00fc") << QString::fromUtf8("\u00e9 \u00fc");
    QTest::newRow("Cyrillic and signs") << "" << QString::fromUtf8("\u041c\u0443\u0444\u0442\u0430 \u2116 5, 20\u2030 ?") << "";
    QTest::newRow("outside the basic plane") << "" << QString::fromUtf8("a\U0001F600b") << QString::fromUtf8("\U0001F600");
    QTest::newRow("Central European file") << "Windows-1250" << QString::fromUtf8("\u00e9 \u0416") << QString::fromUtf8("\u0416");
    QTest::newRow("not for a file") << "none" << QString::fromUtf8("\u00e9 \u0416") << "";
}

void TestValidators::refusesCharactersTheFileCannotHold()
{
    QFETCH(QString, codec);
    QFETCH(QString, input);
    QFETCH(QString, refused);
    StrValue<101> value;
    if (codec == "none")
        value.SetCodec(nullptr);
    else if (!codec.isEmpty())
        value.SetCodec(QTextCodec::codecForName(codec.toLatin1()));
    const CStrValidator validator(&value, nullptr, QString(), value.GetPattern());
    QString hint;
    QCOMPARE(validator.Check(input, &hint), refused.isEmpty() ? QValidator::Acceptable : QValidator::Invalid);
    QCOMPARE(hint, refused.isEmpty() ? QString() : "These characters can't be saved in the trace file: " + refused);
}

void TestValidators::refusesEverythingWithBrokenPattern()
{
    LogCatcher log;
    const StrValue<101> value("(");
    const CStrValidator validator(&value, nullptr, QString(), value.GetPattern());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: sregexp.isEmpty() || regexp.isValid()"), 1);
    QString hint;
    QCOMPARE(validator.Check("abc", &hint), QValidator::Invalid);
    QCOMPARE(hint, QString("Please use only digits, letters, '_' or '-' and space"));
}

void TestValidators::bindsLineEdit()
{
    NumValue<double, qint32, 10, 2> offset(12.3);
    QLineEdit edit;
    offset.ToLineEdit(&edit, true);
    QCOMPARE(offset.GetLineEdit(), &edit);
    QCOMPARE(edit.text(), QString("12.3"));
    QVERIFY(edit.isEnabled());
    QVERIFY(dynamic_cast<const CNumValidator*>(edit.validator()));
    QCOMPARE(edit.validator()->parent(), &edit);

    StrValue<101> comment;
    comment.GetValue() = "fibre 3";
    QLineEdit shown;
    comment.ToLineEdit(&shown, false);
    QCOMPARE(shown.text(), QString("fibre 3"));
    QVERIFY(!shown.isEnabled());
    QVERIFY(!shown.validator());

    comment.ToLineEdit(nullptr, true);
    QCOMPARE(comment.GetLineEdit(), static_cast<QLineEdit*>(nullptr));
    comment.FromLineEdit();
    QCOMPARE(comment.GetValue(), QString("fibre 3"));
}

void TestValidators::readsBackOnlyChangedText()
{
    NumValue<double, qint32, 10, 2> offset(12.3);
    QLineEdit edit;
    offset.ToLineEdit(&edit, true);

    edit.setText("45.6"); // not a user change
    offset.FromLineEdit();
    QCOMPARE(offset.GetValue(), 12.3);

    edit.setModified(true);
    edit.setEnabled(false);
    offset.FromLineEdit();
    QCOMPARE(offset.GetValue(), 12.3);

    edit.setEnabled(true);
    offset.FromLineEdit();
    QCOMPARE(offset.GetValue(), 45.6);
}

void TestValidators::refusesInvalidTextOnReadBack()
{
    NumValueC<float, short, 400, 900, -10, 0> backscatter(-80.0f);
    QWidget window;
    auto* edit = new QLineEdit(&window);
    window.show();
    backscatter.ToLineEdit(edit, true);
    edit->setText("-4"); // shows the hint as typing would
    edit->setModified(true);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    try {
        backscatter.FromLineEdit();
        QFAIL("an out-of-range text was taken");
    } catch (const IValue::ValidatorMessage& message) {
        QCOMPARE(message.Hint, QString("Maximum value is -40.0"));
        QCOMPARE(message.Widget, static_cast<QWidget*>(edit));
        QCOMPARE(message.InitialText, QString("-80.0"));
    }
    QCOMPARE(backscatter.GetValue(), -80.0f);
    QVERIFY(!QToolTip::isVisible());
}

void TestValidators::readsBackWithoutValidator()
{
    LogCatcher log;
    NumValue<qint32, qint32, 1, 7> loss(3);
    QLineEdit edit;
    loss.ToLineEdit(&edit, false);
    edit.setEnabled(true);
    edit.setText("-7");
    edit.setModified(true);

    loss.FromLineEdit();
    QCOMPARE(loss.GetValue(), -7);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: validator"), 1);
}

void TestValidators::logsUnrefusedInvalidReadBack()
{
    // Only a plain QLineEdit makes the validator refuse; a subclass's text
    // goes through, and the parse failure and wrong state are logged.
    LogCatcher log;
    NumValue<qint32, qint32, 1, 7> loss(3);
    CustomEdit edit;
    loss.ToLineEdit(&edit, true);
    edit.setText("abc");
    edit.setModified(true);

    loss.FromLineEdit();
    QCOMPARE(loss.GetValue(), 0);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: bOk"), 1);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: valid == QValidator::Acceptable"), 1);
}

void TestValidators::showsHintBesidePlainEdit()
{
    NumValue<double, qint32, 10, 2> offset;
    TwoEdits edits;
    QWidget& window = edits.Window;
    QLineEdit* plain = edits.Plain;
    CustomEdit* custom = edits.Custom;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    offset.ToLineEdit(custom, true);
    QString text = "-1";
    int position = 0;
    QCOMPARE(custom->validator()->validate(text, position), QValidator::Invalid);
    QVERIFY(!QToolTip::isVisible());

    offset.ToLineEdit(plain, true);
    QCOMPARE(plain->validator()->validate(text, position), QValidator::Invalid);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString("Value can't be negative"));

    text = "12.3";
    QCOMPARE(plain->validator()->validate(text, position), QValidator::Acceptable);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestValidators::showsHintAgainWhenFocusEnters()
{
    NumValue<double, qint32, 10, 2> offset;
    TwoEdits edits;
    QWidget& window = edits.Window;
    QLineEdit* plain = edits.Plain;
    CustomEdit* custom = edits.Custom;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    offset.ToLineEdit(plain, true);
    NumValue<double, qint32, 10, 2> other;
    other.ToLineEdit(custom, true);
    const QString rangeHint = "Enter numeric value from 0.0 to 214748364.7 (can be zero)";

    plain->setText("");
    QString text;
    int position = 0;
    plain->validator()->validate(text, position);
    QCOMPARE(QToolTip::text(), rangeHint);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    // The same hint again while typing is not shown twice...
    plain->validator()->validate(text, position);
    QVERIFY(!QToolTip::isVisible());

    // ...but focus entering the edit shows it again.
    custom->setFocus();
    QTRY_VERIFY(custom->hasFocus());
    QVERIFY(!QToolTip::isVisible());
    plain->setFocus();
    QTRY_VERIFY(plain->hasFocus());
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), rangeHint);
}

QTEST_MAIN(TestValidators)
#include "tst_validators.moc"
