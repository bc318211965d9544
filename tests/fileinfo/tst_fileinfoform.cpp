#include "ui_FileInfo.h"

#include "resources/Resources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QLineEdit>
#include <QTranslator>
#include <QtTest>

#include <memory>

class TestFileInfoForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitResources(); }

    void buildsPagesAndSize();
    void fixesWidthsAndEnabledStates_data();
    void fixesWidthsAndEnabledStates();
    void setsTabOrder();
    void leavesServiceFieldsDisabledAndCombosEmpty();
    void translatesCaptions_data();
    void translatesCaptions();
};

namespace {

struct tForm
{
    tForm() { ui.setupUi(&dialog); }
    QDialog dialog;
    Ui::CFileInfo ui;
};

QWidget* Named(QDialog& dialog, const QString& name)
{
    return dialog.findChild<QWidget*>(name);
}

} // namespace

void TestFileInfoForm::buildsPagesAndSize()
{
    tForm form;
    QCOMPARE(form.dialog.objectName(), QString("CFileInfo"));
    QCOMPARE(form.dialog.size(), QSize(463, 478));
    QCOMPARE(form.dialog.sizePolicy().horizontalPolicy(), QSizePolicy::MinimumExpanding);
    QCOMPARE(form.dialog.sizePolicy().verticalPolicy(), QSizePolicy::MinimumExpanding);
    QCOMPARE(form.dialog.windowTitle(), QString("Dialog"));

    QTabWidget* tabs = form.ui.tabs;
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->currentIndex(), 0);
    const QStringList names{"MainInfo", "Device", "AnalyzeInfo", "MeasInfo", "tab"};
    const QStringList titles{"Описание", "Прибор", "Анализ", "Измерение", "QWMXR01"};
    const QStringList tips{"Описание tooltip", "Прибор tooltip", "Анализ tooltip", "Измерение tooltip", ""};
    for (int page = 0; page < tabs->count(); ++page) {
        QCOMPARE(tabs->widget(page)->objectName(), names[page]);
        QCOMPARE(tabs->tabText(page), titles[page]);
        QCOMPARE(tabs->tabToolTip(page), tips[page]);
    }
    QCOMPARE(form.ui.buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(form.ui.label->text(), QString("Имя файла"));
    QCOMPARE(form.ui.label_22->text(), QString());
    QCOMPARE(form.ui.label_30->text(), QString());
    QCOMPARE(form.ui.label_6->text(), QString("дб"));
    QCOMPARE(form.ui.label_39->text(), QString("дБ"));
    QCOMPARE(form.ui.checksAddBeginConnectionLoss->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(form.ui.FileName->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
}

void TestFileInfoForm::fixesWidthsAndEnabledStates_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("bEnabled");
    QTest::newRow("general") << "MainInfo" << QStringList{"CID", "FID", "OL", "TL", "CDF", "CCD", "OP", "CMT"} << 200
                             << true;
    QTest::newRow("date") << "MainInfo" << QStringList{"DTS"} << 200 << false;
    QTest::newRow("instrument") << "Device" << QStringList{"SN", "MFID", "OTDR", "SR", "OT"} << 200 << false;
    QTest::newRow("thresholds") << "AnalyzeInfo" << QStringList{"BC", "LT", "RT", "ET"} << 60 << false;
    QTest::newRow("threshold units") << "AnalyzeInfo" << QStringList{"label_39", "label_41", "label_43", "label_45"}
                                     << 20 << true;
    QTest::newRow("measurement") << "MeasInfo"
                                 << QStringList{"GI", "ARkm", "DSmt", "PWUns", "NAV", "lineLength", "EEL"} << 60
                                 << false;
    QTest::newRow("measurement units")
        << "MeasInfo" << QStringList{"label_32", "label_22", "label_24", "label_26", "label_28", "label_30", "label_4", "label_6"}
        << 20 << true;
    QTest::newRow("custom block") << "tab"
                                  << QStringList{"lelLaunchCordLen_cm", "lelTailCordLen_cm", "lelDistToTheLeftMarker_cm",
                                                 "lelDistToTheRightMarker_cm", "lelDistBetweenMarkers_cm",
                                                 "leusLossBetweenMarkres", "leusMaxReflBetweenMarkers",
                                                 "leulORL_BetweenMarkers", "lelPrimaryLenOfLink_sm"}
                                  << 60 << false;
}

void TestFileInfoForm::fixesWidthsAndEnabledStates()
{
    QFETCH(QString, page);
    QFETCH(QStringList, fields);
    QFETCH(int, width);
    QFETCH(bool, bEnabled);
    tForm form;
    QWidget* pageWidget = Named(form.dialog, page);
    QVERIFY(pageWidget);
    for (const QString& name : fields) {
        QWidget* field = Named(form.dialog, name);
        QVERIFY2(field, qPrintable(name));
        QVERIFY2(pageWidget->isAncestorOf(field), qPrintable(name));
        QCOMPARE(field->minimumWidth(), width);
        QCOMPARE(field->maximumWidth(), width);
        QCOMPARE(field->isEnabled(), bEnabled);
    }
}

void TestFileInfoForm::setsTabOrder()
{
    tForm form;
    const QStringList order{"buttonBox", "DTS", "CID", "FID", "OL", "TL", "CDF", "CCD", "OP", "CMT", "SN", "MFID",
                            "OTDR", "SR", "OT", "GI", "ARkm", "DSmt", "PWUns", "NAV", "BC", "LT", "RT", "ET"};
    QStringList seen;
    QWidget* start = form.ui.buttonBox;
    QWidget* w = start;
    do {
        if (order.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    QCOMPARE(seen, order);
}

void TestFileInfoForm::leavesServiceFieldsDisabledAndCombosEmpty()
{
    tForm form;
    for (const char* name : {"SN", "MFID", "OTDR", "SR", "OT", "DTS", "GI", "ARkm", "DSmt", "PWUns", "NAV", "BC", "LT",
                             "RT", "ET", "lineLength", "EEL", "directionCombo"})
        QVERIFY2(!Named(form.dialog, name)->isEnabled(), name);
    QVERIFY(form.ui.AWnmCombo->isEnabled());
    QVERIFY(form.ui.FileName->isEnabled());
    for (QComboBox* combo : form.dialog.findChildren<QComboBox*>())
        QVERIFY2(combo->count() == 0, qPrintable(combo->objectName()));
    for (QWidget* field : form.ui.tab->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field) || qobject_cast<QCheckBox*>(field))
            QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
}

void TestFileInfoForm::translatesCaptions_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("tips");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("English") << ":/translations/English.qm"
                             << QStringList{"Trace information", "OTDR", "Threshold", "Measurement", "QWMXR01"}
                             << QStringList{"Trace information", "OTDR", "Fault detection threshold", "Measurement"}
                             << QStringList{"File name", "Fiber", "Cabel code", "Backscatter coefficient", "Terminate",
                                            "Wave length", "Pulsewidth", "dB", "dB", "ns", "Dialog"};
    QTest::newRow("Russian") << ":/translations/Русский.qm"
                             << QStringList{"Инф-я о рефлектограмме", "Прибор", "Анализ", "Измерение", "QWMXR01"}
                             << QStringList{"Информация о рефлектограмме", "Инф-я о приборе",
                                            "Параметры анализа рефлектограммы", "Инф-я о параметрах измерения"}
                             << QStringList{"Имя файла", "Волокно", "Код кабеля", "Коэффициент обратного рассеяния",
                                            "Конец линии", "Длина волны", "Длительность импульса", "дБ", "дб", "нс",
                                            "Диалог"};
}

void TestFileInfoForm::translatesCaptions()
{
    QFETCH(QString, catalogue);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, tips);
    QFETCH(QStringList, captions);
    QTranslator translator;
    QVERIFY(translator.load(catalogue));
    QCoreApplication::installTranslator(&translator);
    tForm form;
    QCoreApplication::removeTranslator(&translator);

    for (int page = 0; page < 5; ++page)
        QCOMPARE(form.ui.tabs->tabText(page), titles[page]);
    for (int page = 0; page < 4; ++page)
        QCOMPARE(form.ui.tabs->tabToolTip(page), tips[page]);
    const QStringList shown{form.ui.label->text(),    form.ui.label_19->text(), form.ui.label_51->text(),
                            form.ui.label_38->text(), form.ui.label_44->text(), form.ui.label_31->text(),
                            form.ui.label_27->text(), form.ui.label_39->text(), form.ui.label_6->text(),
                            form.ui.label_28->text(), form.dialog.windowTitle()};
    QCOMPARE(shown, captions);
}

QTEST_MAIN(TestFileInfoForm)
#include "tst_fileinfoform.moc"
