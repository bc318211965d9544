#include "InfoFixture.h"

#include "core/Validator.h"
#include "sor/FileView.h"
#include "support/TraceDiff.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>

class TestFileInfo : public QObject
{
    Q_OBJECT

private slots:
    void init() { fx.SetServiceEditing(false); }
    void cleanup() { fx.Close(); }

    void storesOnlyGeneralFieldsWithoutServiceEditing();
    void fillsServiceFields();
    void offersWavelengths_data();
    void offersWavelengths();
    void derivesRangeAndResolutionFromGroupIndex();
    void showsEndToEndValues();
    void storesEndToEndOnlyWhenTyped_data();
    void storesEndToEndOnlyWhenTyped();
    void storesRecordsWithoutTheDialogsEdits();
    void refusesCharactersTheFileCannotHold_data();
    void refusesCharactersTheFileCannotHold();
    void answersInvalidField_data();
    void answersInvalidField();
    void ignoreAllLastsOneAcceptance();
    void renamesFromNameBox_data();
    void renamesFromNameBox();
    void showsCustomBlock_data();
    void showsCustomBlock();
    void grabsPages_data();
    void grabsPages();

private:
    // Opens the dialog on `file`, lets `edit` fill it and press a button,
    // answers the boxes that follow with `answers`, and returns exec()'s result.
    int Run(const QSharedPointer<sor::CFile>& file, const std::function<void(QWidget*)>& edit,
            const QList<CModalAnswerer::tAction>& answers = {}, CModalAnswerer* answerer = nullptr);

    InfoFixture fx;
};

namespace {

template <class T = QLineEdit>
T* Field(QWidget* dialog, const char* name)
{
    return InfoFixture::Child<T>(dialog, name);
}

void PressOk(QWidget* dialog)
{
    InfoFixture::Press(dialog, QDialogButtonBox::Ok);
}

QString HintFor(QLineEdit* edit, const QString& text)
{
    QString hint;
    auto* validator = dynamic_cast<const CType::CValidator*>(edit->validator());
    if (validator)
        validator->Check(text, &hint);
    return hint;
}

// The language code lives in the trace's own parameters block, which only
// the trace and its subclasses reach.
struct tLanguageSetter : sor::CFile
{
    static void Set(sor::CFile& file, int language)
    {
        (file.*(&tLanguageSetter::GeneralParameters)).SetLanguage(language);
    }
};

void SetLanguage(sor::CFile& file, int language)
{
    tLanguageSetter::Set(file, language);
}

std::unique_ptr<CComparableTrace> Reload(const QString& path)
{
    int warnings = 0;
    return std::make_unique<CComparableTrace>(path, warnings);
}

} // namespace

int TestFileInfo::Run(const QSharedPointer<sor::CFile>& file, const std::function<void(QWidget*)>& edit,
                      const QList<CModalAnswerer::tAction>& answers, CModalAnswerer* answerer)
{
    // Only one answerer may watch: an idle one would reject the dialog.
    std::unique_ptr<CModalAnswerer> own(answerer ? nullptr : new CModalAnswerer);
    CModalAnswerer& a = answerer ? *answerer : *own;
    a.Then(edit);
    for (const auto& answer : answers)
        a.Then(answer);
    CFileInfo dialog(file, fx.list.get());
    const int result = dialog.exec();
    if (a.Pending() != 0)
        qWarning("%d answers left over", a.Pending());
    return result;
}

void TestFileInfo::storesOnlyGeneralFieldsWithoutServiceEditing()
{
    auto file = fx.Open("trace1.sor", [](sor::CFile& f) { f.SetEndToEndMarkers(500, 1000); });
    QVERIFY(file);
    auto before = Reload(file->GetFileName());

    QStringList enabled;
    const int result = Run(file, [&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Information [trace1.sor]"));
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QDateTimeEdit*>(w))
                && w->isEnabled() && !w->objectName().startsWith("qt_"))
                enabled << w->objectName();
        Field(dialog, "CID")->clear();
        QTest::keyClicks(Field(dialog, "CID"), "Cable 7");
        QTest::keyClicks(Field(dialog, "OP"), "Ivanova");
        // Disabled service fields are not read back, whatever they hold.
        InfoFixture::Type(Field(dialog, "SN"), "Other maker");
        InfoFixture::Type(Field(dialog, "lineLength"), "9");
        PressOk(dialog);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    enabled.sort();
    QCOMPARE(enabled, QStringList({"CCD", "CDF", "CID", "CMT", "FID", "FileName", "OL", "OP", "TL"}));

    QVERIFY(file->IsChanged());
    file->Save();
    auto after = Reload(file->GetFileName());
    QCOMPARE(TraceDifference(*before, *after), QString("CableId, Operator"));
    QCOMPARE(after->GetGeneralParameters()->CableId.GetValue(), QString("Cable 7"));
    QCOMPARE(after->GetGeneralParameters()->Operator.GetValue(), QString("Ivanova"));
    QCOMPARE(file->GetShortFileName(), QString("trace1.sor"));
}

void TestFileInfo::fillsServiceFields()
{
    fx.SetServiceEditing(true);
    auto file = fx.Open("t.sor", [](sor::CFile& f) {
        sor::tFixedParameters fixed = *f.GetFixedParameters();
        fixed.TraceType = 1;
        fixed.LossThreshold.GetValue() = 0.05f;
        f.SetFixedParameters(fixed);
    });
    QVERIFY(file);
    QStringList disabled;
    const int result = Run(file, [&](QWidget* dialog) {
        for (const char* name : {"FileName", "CID", "SN", "MFID", "OTDR", "SR", "OT", "GI", "ARkm", "DSmt", "BC", "LT",
                                 "RT", "ET", "lineLength", "EEL", "PWUns", "NAV"})
            if (!Field(dialog, name)->isEnabled())
                disabled << name;
        auto* date = Field<QDateTimeEdit>(dialog, "DTS");
        QVERIFY(date->isEnabled());
        QVERIFY(date->calendarPopup());
        QCOMPARE(date->timeSpec(), Qt::UTC);
        QCOMPARE(date->text(), QString("05.03.2024 07:08:09"));
        QCOMPARE(Field(dialog, "SN")->text(), QString("Veltramo"));
        QCOMPARE(Field(dialog, "SR")->text(), QString("504z"));
        QCOMPARE(Field(dialog, "GI")->text(), QString("1.50000"));
        QCOMPARE(Field(dialog, "PWUns")->text(), QString("100"));
        QCOMPARE(Field(dialog, "BC")->text(), QString("-80.0"));
        QCOMPARE(Field(dialog, "LT")->text(), QString("0.050"));
        QCOMPARE(Field(dialog, "FileName")->text(), QString("t"));
        auto* direction = Field<QComboBox>(dialog, "directionCombo");
        QVERIFY(!direction->isEnabled());
        QCOMPARE(direction->count(), 1);
        QCOMPARE(direction->currentText(), QString("RT (B->A)"));
        QCOMPARE(Field<QComboBox>(dialog, "CDF")->count(), 4);
        QCOMPARE(Field<QComboBox>(dialog, "CDF")->currentIndex(), 0);

        date->setDateTime(QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::UTC));
        QTest::keyClicks(Field(dialog, "OTDR"), "SN-42");
        Field(dialog, "LT")->selectAll();
        QTest::keyClicks(Field(dialog, "LT"), "0.2");
        Field<QComboBox>(dialog, "CDF")->setCurrentIndex(2);
        PressOk(dialog);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(disabled, QStringList({"PWUns", "NAV"}));
    QCOMPARE(file->GetFixedParameters()->DateTime, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::UTC));
    QCOMPARE(file->GetSupplierParameters()->MainframeSerialNumber.GetValue(), QString("SN-42"));
    QCOMPARE(file->GetFixedParameters()->LossThreshold.GetValue(), 0.2f);
    QCOMPARE(file->GetGeneralParameters()->CurrentDataFlag, 2);
}

void TestFileInfo::offersWavelengths_data()
{
    QTest::addColumn<int>("wavelength");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("choice");
    QTest::addColumn<float>("actual");
    QTest::addColumn<float>("nominal");
    QTest::newRow("1310 kept") << 1310 << QStringList{"1310", "1300"} << 0 << 0 << 1310.0f << 1310.0f;
    QTest::newRow("1310 to 1300") << 1310 << QStringList{"1310", "1300"} << 0 << 1 << 1300.0f << 1300.0f;
    QTest::newRow("1300 to 1310") << 1300 << QStringList{"1310", "1300"} << 1 << 0 << 1310.0f << 1310.0f;
    QTest::newRow("1550 alone") << 1550 << QStringList{"1550"} << 0 << 0 << 1550.0f << 1551.0f;
}

void TestFileInfo::offersWavelengths()
{
    QFETCH(int, wavelength);
    QFETCH(QStringList, items);
    QFETCH(int, selected);
    QFETCH(int, choice);
    QFETCH(float, actual);
    QFETCH(float, nominal);
    fx.SetServiceEditing(true);
    auto file = fx.Open("w.sor", [wavelength](sor::CFile& f) {
        sor::tFixedParameters fixed = *f.GetFixedParameters();
        fixed.ActualWavelength.GetValue() = float(wavelength);
        f.SetFixedParameters(fixed);
        sor::tGeneralParameters general = *f.GetGeneralParameters();
        general.NominalWavelength.GetValue() = 1551;
        f.SetGeneralParameters(general);
    });
    QVERIFY(file);
    QStringList shown;
    int shownIndex = -1;
    Run(file, [&](QWidget* dialog) {
        auto* combo = Field<QComboBox>(dialog, "AWnmCombo");
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        shownIndex = combo->currentIndex();
        combo->setCurrentIndex(choice);
        PressOk(dialog);
    });
    QCOMPARE(shown, items);
    QCOMPARE(shownIndex, selected);
    QCOMPARE(file->GetFixedParameters()->ActualWavelength.GetValue(), actual);
    QCOMPARE(file->GetGeneralParameters()->NominalWavelength.GetValue(), nominal);
}

void TestFileInfo::derivesRangeAndResolutionFromGroupIndex()
{
    fx.SetServiceEditing(true);
    auto file = fx.Open("gi.sor");
    QVERIFY(file);
    const sor::tFixedParameters original = *file->GetFixedParameters();
    double range = 0;
    double resolution = 0;
    const int result = Run(file, [&](QWidget* dialog) {
        const QLocale locale;
        QLineEdit* gi = Field(dialog, "GI");
        QCOMPARE(locale.toDouble(Field(dialog, "DSmt")->text()),
                 std::round(sor::TimeToDistance(original.DataSpacing.GetValue(), 1.5) * 1e5) / 1e5);
        gi->setFocus();
        gi->selectAll();
        QTest::keyClicks(gi, "1.6");
        range = locale.toDouble(Field(dialog, "ARkm")->text());
        resolution = locale.toDouble(Field(dialog, "DSmt")->text());
        // Half-typed: the derived boxes keep what they showed.
        QTest::keyClick(gi, Qt::Key_Backspace);
        QCOMPARE(locale.toDouble(Field(dialog, "ARkm")->text()), range);
        QTest::keyClicks(gi, "6");
        Field(dialog, "ARkm")->selectAll();
        QTest::keyClicks(Field(dialog, "ARkm"), "5");
        Field(dialog, "DSmt")->selectAll();
        QTest::keyClicks(Field(dialog, "DSmt"), "7");
        PressOk(dialog);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(qAbs(range - sor::TimeToDistance(original.AcquisitionRange.GetValue(), 1.6) / 1000) < 1e-4);
    QVERIFY(qAbs(resolution - sor::TimeToDistance(original.DataSpacing.GetValue(), 1.6)) < 1e-5);
    const sor::tFixedParameters* stored = file->GetFixedParameters();
    QCOMPARE(stored->GroupIndex.GetValue(), 1.6);
    QCOMPARE(stored->AcquisitionRange.GetValue(), original.AcquisitionRange.GetValue());
    QCOMPARE(stored->DataSpacing.GetValue(), original.DataSpacing.GetValue());
}

void TestFileInfo::showsEndToEndValues()
{
    fx.SetServiceEditing(true);
    auto file = fx.Open("e.sor");
    QVERIFY(file);
    QVERIFY(file->GetPointDistance(1) > 1.9999 && file->GetPointDistance(1) <= 2.0);
    Run(file, [](QWidget* dialog) {
        QCOMPARE(Field(dialog, "lineLength")->text(), QString("2.000"));
        QCOMPARE(Field(dialog, "lineLength")->toolTip(), QString("MarkerFinish= 1000"));
        QCOMPARE(Field(dialog, "EEL")->text(), QString("1.234"));
        QVERIFY(Field(dialog, "lineLength")->isEnabled());
        QVERIFY(Field(dialog, "EEL")->isEnabled());
        InfoFixture::Press(dialog, QDialogButtonBox::Cancel);
    });

    // Newer firmware: the markers are times of 100 ps, slowed by the group index.
    file = fx.Open("n.sor", [](sor::CFile& f) {
        sor::tSupplierParameters supplier = *f.GetSupplierParameters();
        supplier.SoftwareRevision.SetValue("505a");
        f.SetSupplierParameters(supplier);
        f.SetEndToEndMarkers(100000, 200000);
    });
    QVERIFY(file);
    Run(file, [](QWidget* dialog) {
        QCOMPARE(Field(dialog, "lineLength")->text(), QString::number(100000 * 299792458e-10 / 1.5 / 1000, 'f', 3));
        InfoFixture::Press(dialog, QDialogButtonBox::Cancel);
    });

    // Without key events the values are shown but cannot be edited.
    file = fx.Open("none.sor", [](sor::CFile& f) { f.SetKeyEventList({}); });
    QVERIFY(file);
    QVERIFY(file->GetKeyEventList().empty());
    Run(file, [](QWidget* dialog) {
        QVERIFY(!Field(dialog, "lineLength")->isEnabled());
        QVERIFY(!Field(dialog, "EEL")->isEnabled());
        PressOk(dialog);
    });
    QVERIFY(!file->IsChanged());
}

void TestFileInfo::storesEndToEndOnlyWhenTyped_data()
{
    QTest::addColumn<QString>("revision");
    QTest::addColumn<double>("groupIndex");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("loss");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newFinish");
    QTest::addColumn<int>("newLoss");
    QTest::newRow("OK unedited") << "504z" << 1.5 << 0 << "" << "" << 0 << 1000 << 1234;
    QTest::newRow("OK unedited, start 500") << "504z" << 1.5 << 500 << "" << "" << 500 << 1000 << 1234;
    QTest::newRow("OK unedited, newer, index 0") << "505a" << 0.0 << 0 << "" << "" << 0 << 1000 << 1234;
    QTest::newRow("length 3") << "504z" << 1.5 << 0 << "3" << "" << 0 << 1500 << 1234;
    QTest::newRow("length 3 from start 500") << "504z" << 1.5 << 500 << "3" << "" << 0 << 1500 << 1234;
    // 1000 m at index 1.5 is 50034.6 tenths of a nanosecond.
    QTest::newRow("length 1 newer") << "505a" << 1.5 << 0 << "1" << "" << 0 << 50035 << 1234;
    QTest::newRow("length 1 newer, index 0") << "505a" << 0.0 << 0 << "1" << "" << 0 << 33356 << 1234;
    QTest::newRow("negative length") << "504z" << 1.5 << 0 << "-1" << "" << 0 << 0 << 1234;
    QTest::newRow("loss 1.5") << "504z" << 1.5 << 0 << "" << "1.5" << 0 << 1000 << 1500;
    QTest::newRow("loss 1.234 retyped") << "504z" << 1.5 << 0 << "" << "1.234" << 0 << 1000 << 1234;
    // Typed values are stored to the nearest unit, never a unit low.
    QTest::newRow("loss 0.251") << "504z" << 1.5 << 0 << "" << "0.251" << 0 << 1000 << 251;
    QTest::newRow("loss 4.003") << "504z" << 1.5 << 0 << "" << "4.003" << 0 << 1000 << 4003;
    QTest::newRow("loss 0") << "504z" << 1.5 << 0 << "" << "0" << 0 << 1000 << 0;
    QTest::newRow("loss largest") << "504z" << 1.5 << 0 << "" << "2147483.647" << 0 << 1000 << 2147483647;
    QTest::newRow("loss above largest") << "504z" << 1.5 << 0 << "" << "2147483.648" << 0 << 1000 << 1234;
    // 4003 m over points of 1.9999994 m is point 2001.5006.
    QTest::newRow("length 4.003") << "504z" << 1.5 << 0 << "4.003" << "" << 0 << 2002 << 1234;
    QTest::newRow("length 0") << "504z" << 1.5 << 0 << "0" << "" << 0 << 0 << 1234;
    QTest::newRow("length 1e12") << "504z" << 1.5 << 0 << "1e12" << "" << 0 << 1000 << 1234;
    QTest::newRow("loss 1e12") << "504z" << 1.5 << 0 << "" << "1e12" << 0 << 1000 << 1234;
    QTest::newRow("not numbers") << "504z" << 1.5 << 0 << "abc" << "x" << 0 << 1000 << 1234;
}

void TestFileInfo::storesEndToEndOnlyWhenTyped()
{
    QFETCH(QString, revision);
    QFETCH(double, groupIndex);
    QFETCH(int, start);
    QFETCH(QString, length);
    QFETCH(QString, loss);
    QFETCH(int, newStart);
    QFETCH(int, newFinish);
    QFETCH(int, newLoss);
    fx.SetServiceEditing(true);
    auto file = fx.Open("m.sor", [&](sor::CFile& f) {
        sor::tSupplierParameters supplier = *f.GetSupplierParameters();
        supplier.SoftwareRevision.SetValue(revision);
        f.SetSupplierParameters(supplier);
        f.SetEndToEndMarkers(start, 1000);
    });
    QVERIFY(file);
    // A group index the writer refuses, as a foreign file may hold it.
    sor::tFixedParameters fixed = *file->GetFixedParameters();
    fixed.GroupIndex.GetValue() = groupIndex;
    file->SetFixedParameters(fixed);
    file->SetChanged(false);
    QCOMPARE(file->GetFixedParameters()->GroupIndex.GetValue(), groupIndex);
    const bool bEdited = !length.isEmpty() || !loss.isEmpty();

    const int result = Run(file, [&](QWidget* dialog) {
        if (!length.isEmpty()) {
            Field(dialog, "lineLength")->selectAll();
            QTest::keyClicks(Field(dialog, "lineLength"), length);
        }
        if (!loss.isEmpty()) {
            Field(dialog, "EEL")->selectAll();
            QTest::keyClicks(Field(dialog, "EEL"), loss);
        }
        PressOk(dialog);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    const bc::CKeyEvents* events = file->GetKeyEvents();
    QCOMPARE(events->GetEndToEndMarkerStart(), newStart);
    QCOMPARE(events->GetEndToEndMarkerFinish(), newFinish);
    QCOMPARE(events->GetEndToEndLoss(), newLoss);
    if (!bEdited)
        QVERIFY(!file->IsChanged());
}

void TestFileInfo::storesRecordsWithoutTheDialogsEdits()
{
    fx.SetServiceEditing(true);
    auto file = fx.Open("u.sor");
    QVERIFY(file);
    const int result = Run(file, [](QWidget* dialog) {
        for (const char* name : {"CID", "FID", "OL", "TL", "CCD", "OP", "CMT", "SN", "MFID", "OTDR", "SR", "OT"})
            InfoFixture::Type(Field(dialog, name), QString::fromLatin1(name) + " 2");
        InfoFixture::Type(Field(dialog, "GI"), "1.47");
        InfoFixture::Type(Field(dialog, "BC"), "-79.0");
        InfoFixture::Type(Field(dialog, "LT"), "0.3");
        InfoFixture::Type(Field(dialog, "RT"), "-60.0");
        InfoFixture::Type(Field(dialog, "ET"), "4");
        PressOk(dialog);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    // The dialog and its edits are gone; the file's records must not point at them.
    sor::tGeneralParameters general = *file->GetGeneralParameters();
    sor::tSupplierParameters supplier = *file->GetSupplierParameters();
    sor::tFixedParameters fixed = *file->GetFixedParameters();
    QCOMPARE(general.CableId.GetValue(), QString("CID 2"));
    QCOMPARE(supplier.Other.GetValue(), QString("OT 2"));
    QCOMPARE(fixed.GroupIndex.GetValue(), 1.47);
    const std::initializer_list<const CType::IValue*> values{
        &general.CableId, &general.FiberId, &general.OriginatingLocation, &general.TerminatingLocation,
        &general.CableCode, &general.Operator, &general.Comment, &supplier.SupplierName, &supplier.MainframeId,
        &supplier.MainframeSerialNumber, &supplier.SoftwareRevision, &supplier.Other, &fixed.GroupIndex,
        &fixed.PulseWidth, &fixed.NumberOfAverages, &fixed.BackscatterCoefficient, &fixed.LossThreshold,
        &fixed.ReflThreshold, &fixed.EndThreshold};
    int bound = 0;
    for (const CType::IValue* value : values)
        bound += value->GetLineEdit() ? 1 : 0;
    QCOMPARE(bound, 0);
}

void TestFileInfo::refusesCharactersTheFileCannotHold_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refused");
    // The language of a trace chooses the code page its texts are saved in.
    QTest::newRow("Russian file, accents") << 6 << QString::fromUtf8("\u00e9 \u00fc") << QString::fromUtf8("\u00e9 \u00fc");
    QTest::newRow("Russian file, Cyrillic") << 6 << QString::fromUtf8("\u041a\u0430\u0431\u0435\u043b\u044c \u2116 5") << "";
    QTest::newRow("French file, accents") << 1 << QString::fromUtf8("\u00e9 \u00fc") << "";
    QTest::newRow("French file, Cyrillic") << 1 << QString::fromUtf8("\u0416\u00e9") << QString::fromUtf8("\u0416");
}

void TestFileInfo::refusesCharactersTheFileCannotHold()
{
    QFETCH(int, language);
    QFETCH(QString, typed);
    QFETCH(QString, refused);
    auto file = fx.Open("c.sor", [&](sor::CFile& f) {
        SetLanguage(f, language);
        sor::tGeneralParameters general = *f.GetGeneralParameters();
        general.CableId.SetValue("Cable 7");
        f.SetGeneralParameters(general);
    });
    QVERIFY(file);
    const QString hint = "These characters can't be saved in the trace file: " + refused;

    QString keyed;
    QString tip;
    CModalAnswerer answerer;
    QList<CModalAnswerer::tAction> answers;
    if (!refused.isEmpty())
        answers << [](QWidget* box) { CModalAnswerer::FindButton(box, "Ignore")->click(); };
    const int result = Run(
        file,
        [&](QWidget* dialog) {
            QLineEdit* cable = Field(dialog, "CID");
            cable->setFocus();
            cable->clear();
            for (const QChar c : typed)
                QTest::sendKeyEvent(QTest::Click, cable, Qt::Key_unknown, QString(c), Qt::NoModifier);
            keyed = cable->text();
            tip = QToolTip::isVisible() ? QToolTip::text() : QString();
            // Pasted whole, or set by a program: read back at OK.
            InfoFixture::Type(cable, typed);
            PressOk(dialog);
        },
        answers, &answerer);
    QCOMPARE(result, int(QDialog::Accepted));

    if (refused.isEmpty()) {
        QCOMPARE(keyed, typed);
        QCOMPARE(answerer.Seen().size(), 1);
    } else {
        // Each refused keystroke is named beside the field; the rest is typed.
        QVERIFY2(!keyed.contains(refused.at(0)), qPrintable(keyed));
        QVERIFY2(tip.startsWith("These characters can't be saved in the trace file: "), qPrintable(tip));
        QCOMPARE(answerer.Seen().size(), 2);
        QCOMPARE(answerer.Seen()[1].Text, "Field completed uncorrectly.\n" + hint);
    }
    file->Save();
    auto saved = Reload(file->GetFileName());
    QCOMPARE(saved->GetGeneralParameters()->CableId.GetValue(), refused.isEmpty() ? typed : QString("Cable 7"));
}

void TestFileInfo::answersInvalidField_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("result");
    QTest::newRow("Ignore") << "Ignore" << int(QDialog::Accepted);
    QTest::newRow("Ignore all") << "Ignore all" << int(QDialog::Accepted);
    QTest::newRow("Retry") << "Retry" << int(QDialog::Rejected);
    QTest::newRow("Abort") << "Abort" << int(QDialog::Rejected);
    QTest::newRow("Escape") << "Escape" << int(QDialog::Rejected);
}

void TestFileInfo::answersInvalidField()
{
    QFETCH(QString, answer);
    QFETCH(int, result);
    fx.SetServiceEditing(true);
    auto file = fx.Open("v.sor");
    QVERIFY(file);

    QString hint;
    QPoint anchor;
    QPoint boxAt;
    int boxWidth = 0;
    QString pageShown;
    QString focusAfterRetry;
    QString tipAfterRetry;
    CModalAnswerer answerer;
    QList<CModalAnswerer::tAction> answers;
    answers << [&](QWidget* box) {
        QWidget* dialog = box->parentWidget();
        QLineEdit* gi = Field(dialog, "GI");
        hint = HintFor(gi, QString());
        const QRect place = gi->geometry();
        anchor = dialog->mapToGlobal(QPoint(place.x() - place.width() / 2, place.y() + place.height() + 35));
        boxAt = box->pos();
        boxWidth = box->width();
        pageShown = Field<QTabWidget>(dialog, "tabs")->currentWidget()->objectName();
        if (answer == "Escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            CModalAnswerer::FindButton(box, answer)->click();
    };
    if (answer == "Retry")
        answers << [&](QWidget* dialog) {
            focusAfterRetry = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
            tipAfterRetry = QToolTip::isVisible() ? QToolTip::text() : QString();
            InfoFixture::Press(dialog, QDialogButtonBox::Cancel);
        };
    const int shown = Run(
        file,
        [](QWidget* dialog) {
            QTest::keyClicks(Field(dialog, "CID"), "typed before the failure");
            Field<QTabWidget>(dialog, "tabs")->setCurrentIndex(0);
            // A whole index typed over the old one, then taken back: a user
            // emptying it after the box had read 1.3 on the way.
            QLineEdit* gi = Field(dialog, "GI");
            gi->selectAll();
            QTest::keyClicks(gi, "1.3");
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(gi, Qt::Key_Backspace);
            PressOk(dialog);
        },
        answers, &answerer);

    QCOMPARE(shown, result);
    QCOMPARE(answerer.Seen().size(), answer == "Retry" ? 3 : 2);
    const CModalAnswerer::tSeen& box = answerer.Seen()[1];
    QCOMPARE(box.Title, QString("Editing File Information"));
    QVERIFY(!hint.isEmpty());
    QCOMPARE(box.Text, "Field completed uncorrectly.\n" + hint);
    QCOMPARE(box.Icon, QMessageBox::Warning);
    QCOMPARE(box.Buttons.size(), 4);
    QVERIFY(box.Buttons.contains("Ignore all"));
    QCOMPARE(pageShown, QString("MeasInfo"));
    // The box places itself by its width before it is shown, so only the
    // top edge is exact; the anchor lies within its span.
    QCOMPARE(boxAt.y(), anchor.y());
    QVERIFY2(boxAt.x() <= anchor.x() && anchor.x() <= boxAt.x() + boxWidth,
             qPrintable(QString("box at %1, width %2, anchor %3").arg(boxAt.x()).arg(boxWidth).arg(anchor.x())));

    const bool bAccepted = result == QDialog::Accepted;
    QCOMPARE(file->GetFixedParameters()->GroupIndex.GetValue(), 1.5);
    QCOMPARE(file->GetGeneralParameters()->CableId.GetValue(),
             bAccepted ? QString("typed before the failure") : QString());
    QCOMPARE(file->IsChanged(), bAccepted);
    if (answer == "Retry") {
        QCOMPARE(focusAfterRetry, QString("GI"));
        QCOMPARE(tipAfterRetry, hint);
    }
}

void TestFileInfo::ignoreAllLastsOneAcceptance()
{
    fx.SetServiceEditing(true);
    auto file = fx.Open("i.sor");
    QVERIFY(file);
    CFileInfo dialog(file, fx.list.get());
    QLineEdit* gi = Field(&dialog, "GI");
    QLineEdit* bc = Field(&dialog, "BC");
    auto spoil = [&] {
        InfoFixture::Type(gi, "");
        InfoFixture::Type(bc, "-20");
    };

    QString asked;
    CModalAnswerer answerer;
    answerer.Click("Ignore all").Then([&](QWidget* box) {
        asked = Field<QTabWidget>(&dialog, "tabs")->currentWidget()->objectName() + " " + bc->selectedText();
        CModalAnswerer::FindButton(box, "Abort")->click();
    });
    spoil();
    dialog.accept();
    QCOMPARE(answerer.Titles(), QStringList({"Editing File Information"}));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(gi->text(), QString("1.50000"));
    QCOMPARE(bc->text(), QString("-80.0"));
    QCOMPARE(file->GetFixedParameters()->BackscatterCoefficient.GetValue(), -80.0f);

    // The next OK asks again, about the field that fails now.
    InfoFixture::Type(bc, "-20");
    dialog.accept();
    QCOMPARE(answerer.Titles(), QStringList({"Editing File Information", "Editing File Information"}));
    QCOMPARE(asked, QString("AnalyzeInfo -20"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestFileInfo::renamesFromNameBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("result");
    QTest::newRow("dot ignored") << "a.sor" << "new.name" << "Ignore" << "a.sor" << int(QDialog::Accepted);
    // The records are stored before the name is checked.
    QTest::newRow("dot aborted") << "a.sor" << "new.name" << "Abort" << "a.sor" << int(QDialog::Rejected);
    QTest::newRow("blank and dash") << "a.sor" << "new name-2" << "" << "new name-2.sor" << int(QDialog::Accepted);
    QTest::newRow("dotted name kept") << "a.b.sor" << "" << "" << "a.b.sor" << int(QDialog::Accepted);
}

void TestFileInfo::renamesFromNameBox()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    QFETCH(int, result);
    auto file = fx.Open(name);
    QVERIFY(file);
    QString shownName;
    QString asked;
    QList<CModalAnswerer::tAction> answers;
    if (!answer.isEmpty())
        answers << [&](QWidget* box) {
            QWidget* dialog = box->parentWidget();
            asked = Field<QTabWidget>(dialog, "tabs")->currentWidget()->objectName();
            // The box returns once this action is over; the name box is read as the dialog closes.
            QObject::connect(static_cast<QDialog*>(dialog), &QDialog::finished, dialog,
                             [&asked, dialog] { asked += " " + Field(dialog, "FileName")->text(); });
            CModalAnswerer::FindButton(box, answer)->click();
        };
    CModalAnswerer answerer;
    const int shown = Run(
        file,
        [&](QWidget* dialog) {
            shownName = Field(dialog, "FileName")->text();
            if (!typed.isEmpty())
                InfoFixture::Type(Field(dialog, "FileName"), typed);
            QTest::keyClicks(Field(dialog, "CMT"), "renamed?");
            Field<QTabWidget>(dialog, "tabs")->setCurrentIndex(3);
            PressOk(dialog);
        },
        answers, &answerer);
    QCOMPARE(shown, result);
    QCOMPARE(shownName, QFileInfo(name).completeBaseName());
    QCOMPARE(answerer.Seen().size(), answer.isEmpty() ? 1 : 2);
    if (answer == "Ignore")
        QCOMPARE(asked, QString("MainInfo "));
    if (answer == "Abort")
        QCOMPARE(asked, QString("MainInfo new.name"));
    QCOMPARE(file->GetShortFileName(), expected);
    QVERIFY(QFile::exists(fx.Path(expected)));
    QCOMPARE(QDir(fx.Folder()).entryList(QDir::Files).size(), 1);
    QCOMPARE(file->GetGeneralParameters()->Comment.GetValue(), QString("renamed?"));
}

void TestFileInfo::showsCustomBlock_data()
{
    QTest::addColumn<bool>("bPresent");
    QTest::addColumn<int>("method");
    QTest::addColumn<float>("display");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("methodIndex");
    QTest::addColumn<int>("displayIndex");
    QTest::newRow("present, 2P, max reflection")
        << true << 0 << 0.0f << QStringList{"1234.5", "-20", "300", "1e+06", "77"} << 0 << 0;
    QTest::newRow("present, LS, ORL") << true << 3 << 0.5f << QStringList{"1234.5", "-20", "300", "1e+06", "77"} << 1
                                      << 1;
    QTest::newRow("absent") << false << 3 << 0.5f << QStringList{"", "", "", "", ""} << -1 << -1;
}

void TestFileInfo::showsCustomBlock()
{
    QFETCH(bool, bPresent);
    QFETCH(int, method);
    QFETCH(float, display);
    QFETCH(QStringList, texts);
    QFETCH(int, methodIndex);
    QFETCH(int, displayIndex);
    fx.SetServiceEditing(true);
    auto file = fx.Open("c.sor");
    QVERIFY(file);
    sor::tCustomQWMXR01& block = *file->GetCustomQWMXR01();
    block.bPresent = bPresent;
    block.lDistToTheLeftMarker_cm.GetValue() = 1234.5;
    block.lDistToTheRightMarker_cm.GetValue() = -20;
    block.usApproxMethod.GetValue() = static_cast<unsigned short>(method);
    block.usLossBetweenMarkers.GetValue() = 300;
    block.usMeanSlopeBetweenMarkers.GetValue() = 55;
    block.ulMaxReflBetweenMarkers.GetValue() = 1e6;
    block.usORL_BetweenMarkers.GetValue() = 77;
    block.usDisplayFlag.GetValue() = display;

    Run(file, [&](QWidget* dialog) {
        const QStringList shown{Field(dialog, "lelDistToTheLeftMarker_cm")->text(),
                                Field(dialog, "lelDistToTheRightMarker_cm")->text(),
                                Field(dialog, "leusLossBetweenMarkres")->text(),
                                Field(dialog, "leusMaxReflBetweenMarkers")->text(),
                                Field(dialog, "leulORL_BetweenMarkers")->text()};
        QCOMPARE(shown, texts);
        auto* approx = Field<QComboBox>(dialog, "combousApproxMethod");
        auto* flag = Field<QComboBox>(dialog, "combousDisplayFlag");
        QCOMPARE(approx->currentIndex(), methodIndex);
        QCOMPARE(flag->currentIndex(), displayIndex);
        if (bPresent) {
            QCOMPARE(approx->itemText(0) + approx->itemText(1), QString("2PLS"));
            QCOMPARE(flag->itemText(0) + flag->itemText(1), QString("MaxReflectionORL"));
        } else {
            QCOMPARE(approx->count() + flag->count(), 0);
        }
        QWidget* page = Field<QWidget>(dialog, "tab");
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(w) && w->objectName() != "lelDistToTheLeftMarker_cm"
                && w->objectName() != "lelDistToTheRightMarker_cm" && w->objectName() != "leusLossBetweenMarkres"
                && w->objectName() != "leusMaxReflBetweenMarkers" && w->objectName() != "leulORL_BetweenMarkers"
                && !w->objectName().startsWith("qt_"))
                QVERIFY2(static_cast<QLineEdit*>(w)->text().isEmpty(), qPrintable(w->objectName()));
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w))
                QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        }
        PressOk(dialog);
    });
    QVERIFY(!file->IsChanged());
}

void TestFileInfo::grabsPages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("English") << "English" << ":/translations/English.qm";
    QTest::newRow("Russian") << "Russian" << ":/translations/Русский.qm";
}

void TestFileInfo::grabsPages()
{
    QFETCH(QString, language);
    QFETCH(QString, catalogue);
    QTranslator translator;
    QVERIFY(translator.load(catalogue));
    QCoreApplication::installTranslator(&translator);
    fx.SetServiceEditing(true);
    auto file = fx.Open("route 12.sor", [](sor::CFile& f) {
        sor::tGeneralParameters general = *f.GetGeneralParameters();
        general.CableId.SetValue("Cable 7");
        general.FiberId.SetValue("12");
        general.OriginatingLocation.SetValue("Exchange A");
        general.TerminatingLocation.SetValue("Cabinet 4");
        general.Operator.SetValue("Ivanova");
        f.SetGeneralParameters(general);
    });
    QVERIFY(file);
    sor::tCustomQWMXR01& block = *file->GetCustomQWMXR01();
    block.bPresent = true;
    block.lDistToTheLeftMarker_cm.GetValue() = 1500;
    block.lDistToTheRightMarker_cm.GetValue() = 180000;
    block.usLossBetweenMarkers.GetValue() = 412;
    block.ulMaxReflBetweenMarkers.GetValue() = 45000;
    block.usORL_BetweenMarkers.GetValue() = 32000;

    QStringList saved;
    QStringList hiddenTabs;
    Run(file, [&](QWidget* dialog) {
        auto* tabs = Field<QTabWidget>(dialog, "tabs");
        // Every tab is shown whole in the dialog's first width: no scroll arrows.
        QApplication::processEvents();
        const QTabBar* bar = tabs->tabBar();
        for (int page = 0; page < tabs->count(); ++page)
            if (!bar->rect().contains(bar->tabRect(page)))
                hiddenTabs << tabs->tabText(page);
        for (const QToolButton* arrow : bar->findChildren<QToolButton*>())
            if (arrow->isVisible())
                hiddenTabs << "arrow";
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QApplication::processEvents();
            const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(
                QString("fileinfo-%1-%2.png").arg(language, tabs->widget(page)->objectName()));
            if (dialog->grab().save(path))
                saved << path;
        }
        InfoFixture::Press(dialog, QDialogButtonBox::Cancel);
    });
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(hiddenTabs, QStringList());
    QCOMPARE(saved.size(), 5);
    qInfo("%s", qPrintable(saved.join('\n')));
}

QTEST_MAIN(TestFileInfo)
#include "tst_fileinfo.moc"
