#include "ProtocolFixture.h"
#include "filelist/AccessChecks.h"
#include "filelist/ListFixture.h"
#include "support/FirstProtocolPersona.h"
#include "support/LogCatcher.h"
#include "support/SecondProtocolPersona.h"
#include "support/ModalAnswerer.h"

#include "app/MainOpt.h"
#include "app/Settings.h"
#include "device/Device.h"
#include "device/DeviceExchangeDlg.h"
#include "device/FInfo.h"
#include "device/SerialPortList.h"
#include "fileinfo/FileInfo.h"
#include "graph/GraphModel.h"
#include "resources/Resources.h"

#include <QComboBox>
#include <QLabel>
#include <QCloseEvent>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QRadioButton>
#include <QTranslator>

#include <thread>
#include <QtTest>

#include <memory>

namespace {

using tPersona = CFirstProtocolPersona;

// The panel's state signals in the order they came, with their values.
struct tSignals : QObject
{
    explicit tSignals(CDevice& panel)
    {
        const auto note = [this](const QString& name) { return [this, name] { names << name; }; };
        const auto noteBool = [this](const QString& name) {
            return [this, name](bool b) { names << QString("%1 %2").arg(name).arg(b); };
        };
        connect(&panel, &CDevice::sigConnect, this, note("connect"));
        connect(&panel, &CDevice::sigDisconnect, this, note("disconnect"));
        connect(&panel, &CDevice::sigConnectedChange, this, noteBool("connected"));
        connect(&panel, &CDevice::sigHasFilesChange, this, noteBool("files"));
        connect(&panel, &CDevice::sigCanClearMemoryChange, this, noteBool("clear"));
        connect(&panel, &CDevice::sigDisconnectedChange, this, noteBool("disconnected"));
        connect(&panel, &CDevice::sigEndMeasure, this, note("end measure"));
        connect(
            &panel, &CDevice::sigUpdateGraph, this,
            [this] {
                ++updates;
                if (QThread::currentThread() != qApp->thread())
                    bUpdateOffThread = true;
            },
            Qt::DirectConnection);
    }
    QStringList names;
    int updates = 0;
    bool bUpdateOffThread = false;
};

const QStringList cConnected{"connect", "connected 1", "files 1", "clear 1", "disconnected 0"};
const QStringList cDisconnected{"disconnect", "connected 0", "files 0", "clear 0", "disconnected 1"};

QByteArray SorFile(const QDir& dir, const QDateTime& stamp)
{
    const QString path = dir.filePath(QString("stored-%1.sor").arg(stamp.toString("hhmmss")));
    auto file = TraceBuilder(3000).Flat(5000).Slope(0.2).Build(path);
    file->GetFixedParameters()->DateTime = stamp;
    file->Save();
    return ListFixture::ReadAll(path);
}

bool Sent(const CScriptedInstrument& instrument, const QByteArray& prefix)
{
    for (const QByteArray& command : instrument.CommandTexts())
        if (command.startsWith(prefix))
            return true;
    return false;
}

void SetDeleteLoadedFiles(QWidget* window, bool bDelete)
{
    delete CMainOpt::Instance();
    QSettings* settings = GetSettings(1, 0);
    settings->setValue("Options/bNeedDeleteLoadedFiles", bDelete);
    settings->sync();
    CMainOpt::Create(window);
}

} // namespace

class TestDevicePanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectWithoutInstrumentAsksEveryProtocolInTurn();
    void cancelDuringEnumerationEndsTheChain();
    void oneInstrumentConnectsAtOnce();
    void errorsKeepOrEndTheConnection();
    void commandsWithoutInstrumentStartNothing_data();
    void commandsWithoutInstrumentStartNothing();
    void measurementShowsLiveTracesThenOpensTheResult();
    void cancelledRealtimeGivesTheViewBack();
    void loadAllErasesOnlyWhatIsStored_data();
    void loadAllErasesOnlyWhatIsStored();
    void namesEveryFileNotStored_data();
    void namesEveryFileNotStored();
    void clearMemoryAsksFirst_data();
    void clearMemoryAsksFirst();
    void propertiesFillTheForm();
    void propertiesCheckTheFields_data();
    void propertiesCheckTheFields();
    void propertiesStoreOnlyChanges();
    void formFollowsTheConnectedInstrumentsWavelengths();
    void chooserConnectsTheChosenInstrument_data();
    void chooserConnectsTheChosenInstrument();
    void formOffersEachWavelengthSetting();
    void directoryChoiceWaitsForTheUser_data();
    void directoryChoiceWaitsForTheUser();
    void grabsBothLanguages_data();
    void grabsBothLanguages();
    void destroyingDuringRealtimeStopsTheInstrument();
    void destroyingReleasesAMessageOnItsWay();
    void destroyingDuringALoadAllEndsSoon();
    void progressDialogStaysUntilTheEnd_data();
    void progressDialogStaysUntilTheEnd();
    void nothingElseStartsWhileACommandRuns();
    void searchEndWithoutSearchChangesNothing();
    void applyAndMeasureStartsTheMeasurement_data();
    void applyAndMeasureStartsTheMeasurement();
    void realReflectanceThreshold_data();
    void realReflectanceThreshold();
    void messageFromTheInstrumentWaitsForTheUser();

private:
    // Connects persona `persona` through the panel and waits until it is.
    bool ConnectTo(CDevice& panel, tPersona& persona);
    std::unique_ptr<CDevice> NewPanel();
    QString FolderFile(const QString& name) const { return fx->Path(name); }

    std::unique_ptr<ListFixture> fx;
};

void TestDevicePanel::initTestCase()
{
    InitResources();
    QLocale::setDefault(QLocale(QStringLiteral("EN")));
    fx.reset(new ListFixture);
}

void TestDevicePanel::init()
{
    fx->Open();
    fx->list->SetWorkingFolder(fx->Folder());
    QCOMPARE(QDir::current().canonicalPath(), fx->Folder());
    CFileInfo::SetExecHook([](CFileInfo&) { return int(QDialog::Rejected); });
}

void TestDevicePanel::cleanup()
{
    CFileInfo::SetExecHook({});
    SetSerialPortList(nullptr);
    fx->Close();
}

std::unique_ptr<CDevice> TestDevicePanel::NewPanel()
{
    return std::make_unique<CDevice>(fx->list.get(), &fx->window);
}

bool TestDevicePanel::ConnectTo(CDevice& panel, tPersona& persona)
{
    UseSerialPorts({persona.SlavePath()});
    QSignalSpy connected(&panel, &CDevice::sigConnect);
    panel.Connect();
    QElapsedTimer timer;
    timer.start();
    while (connected.isEmpty() && timer.elapsed() < 30000)
        QTest::qWait(20);
    return !connected.isEmpty() && panel.IsConnected();
}

void TestDevicePanel::connectWithoutInstrumentAsksEveryProtocolInTurn()
{
    CScriptedInstrument silent;
    UseSerialPorts({silent.SlavePath()});
    auto panel = NewPanel();
    tSignals seen(*panel);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    bool bProgressUp = true;
    answerer.Then([&](QWidget* box) {
        bProgressUp = panel->GetProgressDialog()->isVisible();
        QTest::keyClick(box, Qt::Key_Enter);
    });
    panel->Connect();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.Seen().size(), 1, 60000);
    QCOMPARE(answerer.Seen()[0].Title, QString("Devices not found"));
    QCOMPARE(answerer.Seen()[0].Text, QString("Can not be found devices or ports.\nTry to install device driver (FTDI "
                                              "COM driver).\nCheck device connection and power supply."));
    QVERIFY(bProgressUp);
    QTRY_COMPARE(seen.names, cDisconnected);
    QVERIFY(!panel->GetProgressDialog()->isVisible());

    QList<int> rates;
    qint64 lastEnd = 0;
    for (const CScriptedInstrument::tCommandSeen& command : silent.Commands()) {
        if (command.text != "*IDN?\r")
            continue;
        rates << command.baudRate;
        // One probe at a time: each comes after the previous one's silence.
        QVERIFY(command.usec > lastEnd);
        lastEnd = command.usec;
    }
    QCOMPARE(rates, QList<int>({57600, 460800, 921600, 460800, 460800}));
}

void TestDevicePanel::cancelDuringEnumerationEndsTheChain()
{
    CScriptedInstrument silent;
    UseSerialPorts({silent.SlavePath()});
    auto panel = NewPanel();
    tSignals seen(*panel);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    panel->Connect();
    QVERIFY(silent.WaitForCommand("*IDN?\r", 10000));
    panel->CancelExchange();
    QTRY_COMPARE_WITH_TIMEOUT(seen.names, cDisconnected, 10000);
    QTest::qWait(1500);
    // The first protocol may finish its probe; no other protocol is asked.
    for (const CScriptedInstrument::tCommandSeen& command : silent.Commands())
        QVERIFY(command.baudRate != 921600);
    QVERIFY(silent.CommandTexts().count("*IDN?\r") <= 2);
    QVERIFY(answerer.Seen().isEmpty());
}

void TestDevicePanel::oneInstrumentConnectsAtOnce()
{
    tPersona a(tPersona::PersonaA());
    auto panel = NewPanel();
    tSignals seen(*panel);
    LogCatcher log;
    QVERIFY(ConnectTo(*panel, a));
    QCOMPARE(log.Count(QtDebugMsg, "Autoselect first device"), 1);
    QCOMPARE(seen.names, cConnected);
    QCOMPARE(panel->GetDeviceDescription(), a.SlavePath() + " M-7x s/n 1001_5.1b(600)");
    QVERIFY(!panel->findChild<QTableWidget*>("DeviceList")->isEnabled());
    QVERIFY(!panel->findChild<QGroupBox*>("BlockMeasurement")->isHidden());
    QVERIFY(!panel->findChild<QPushButton*>("DoMeasure")->isHidden());
    QVERIFY(!panel->GetProgressDialog()->isVisible());

    // Disconnecting runs nothing on a thread: the port is let go at once.
    seen.names.clear();
    a.ClearCommands();
    panel->Disconnect();
    QCOMPARE(seen.names, cDisconnected);
    QVERIFY(!panel->IsConnected());
    QVERIFY(a.WaitForCommand(";SYST:MODE 0\r", 2000));
    QVERIFY(panel->findChild<QGroupBox*>("BlockMeasurement")->isHidden());
}

void TestDevicePanel::errorsKeepOrEndTheConnection()
{
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply.clear();
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    tSignals seen(*panel);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");

    answerer.Click(QMessageBox::Ok);
    panel->LoadAll();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.Seen().size(), 1, 20000);
    QCOMPARE(answerer.Seen()[0].Title, QString("Device communicates"));
    QCOMPARE(answerer.Seen()[0].Text, QString("Device is empty"));
    QTest::qWait(100);
    QVERIFY(panel->IsConnected());
    QVERIFY(seen.names.isEmpty());

    answerer.Click(QMessageBox::Ok);
    a.ClearCommands();
    panel->Measurement();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.Seen().size(), 2, 60000);
    QCOMPARE(answerer.Seen()[1].Text, QString("Error on measure request.\n\nError code is 0.272-16:1163\n\n"
                                              "Probably, device was broken. Please, contact to support."));
    QTRY_COMPARE(seen.names.mid(0, 5), cDisconnected);
    QVERIFY(!panel->IsConnected());
    QVERIFY(a.WaitForCommand(";SYST:MODE 0\r", 2000));
}

void TestDevicePanel::commandsWithoutInstrumentStartNothing_data()
{
    QTest::addColumn<QString>("slot");
    for (const char* slot : {"Measurement", "LoadAll", "ClearMemory", "UpdateDateTime", "Disconnect"})
        QTest::newRow(slot) << slot;
}

void TestDevicePanel::commandsWithoutInstrumentStartNothing()
{
    QFETCH(QString, slot);
    auto panel = NewPanel();
    tSignals seen(*panel);
    CModalAnswerer answerer;
    LogCatcher log;
    QVERIFY(QMetaObject::invokeMethod(panel.get(), qPrintable(slot)));
    QTest::qWait(50);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: dev->IsConnected()"), 1);
    QVERIFY(!panel->GetProgressDialog()->isVisible());
    QVERIFY(answerer.Seen().isEmpty());
    QVERIFY(seen.names.isEmpty());
}

void TestDevicePanel::measurementShowsLiveTracesThenOpensTheResult()
{
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = "12\r";
    setup.measured = SorFile(store.path(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 35)));
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    tSignals seen(*panel);
    QList<const tListedFiles*> shown;
    connect(panel.get(), &CDevice::sigUpdateGraph, this,
            [&] { shown << fx->list->GetGraphModel()->GetData(); });
    int informationRuns = 0;
    QString informationFile;
    CFileInfo::SetExecHook([&](CFileInfo& dialog) {
        ++informationRuns;
        informationFile = dialog.GetFile()->GetShortFileName();
        return int(QDialog::Rejected);
    });

    panel->Measurement();
    QVERIFY(panel->GetProgressDialog()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(seen.names.contains("end measure"), 60000);
    QTRY_VERIFY(!panel->GetProgressDialog()->isVisible());

    QVERIFY(!seen.bUpdateOffThread);
    QVERIFY(!shown.isEmpty());
    const tListedFiles* live = shown.first();
    QCOMPARE(int(live->size()), 1);
    QVERIFY(live->front()->IsNull());
    QVERIFY(live->front()->GetView());
    QCOMPARE(ListFixture::ReadAll(FolderFile("260102_03043.sor")), setup.measured);
    QCOMPARE(fx->Names(), QStringList({"260102_03043.sor"}));
    QCOMPARE(fx->list->GetCurrentNum(), 0);
    QCOMPARE(informationRuns, 1);
    QCOMPARE(informationFile, QString("260102_03043.sor"));
    QVERIFY(fx->list->GetGraphModel()->GetData() != live);
}

void TestDevicePanel::cancelledRealtimeGivesTheViewBack()
{
    fx->Load({"kept.sor"});
    const tListedFiles* before = fx->list->GetGraphModel()->GetData();
    QVERIFY(before);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = "12\r";
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    tDeviceParams params = panel->GetPlugins()[0]->GetParams();
    params.AverageTime = -1;
    params.WaveLenNm = {1310};
    panel->GetPlugins()[0]->StoreParams(params);
    tSignals seen(*panel);

    panel->Measurement();
    QTRY_VERIFY_WITH_TIMEOUT(seen.updates >= 1, 30000);
    QVERIFY(fx->list->GetGraphModel()->GetData() != before);
    const int live = seen.updates;
    panel->CancelExchange();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 30000);
    QTRY_COMPARE(fx->list->GetGraphModel()->GetData(), before);
    QVERIFY(seen.updates > live);
    QVERIFY(!seen.names.contains("end measure"));
    QVERIFY(a.CommandTexts().contains(";OTDR:STOP\r"));
    QCOMPARE(fx->Names(), QStringList({"kept.sor"}));
    QVERIFY(panel->IsConnected());
}

void TestDevicePanel::loadAllErasesOnlyWhatIsStored_data()
{
    QTest::addColumn<bool>("bOption");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("cutFile");
    QTest::addColumn<bool>("bUnwritable");
    QTest::addColumn<bool>("bErased");
    QTest::newRow("yes") << true << "Yes" << 0 << false << true;
    QTest::newRow("no") << true << "No" << 0 << false << false;
    QTest::newRow("option off") << false << "" << 0 << false << false;
    QTest::newRow("download failed") << true << "" << 3 << false << false;
    QTest::newRow("file not written") << true << "" << 0 << true << false;
}

void TestDevicePanel::loadAllErasesOnlyWhatIsStored()
{
    QFETCH(bool, bOption);
    QFETCH(QString, answer);
    QFETCH(int, cutFile);
    QFETCH(bool, bUnwritable);
    QFETCH(bool, bErased);
    SetDeleteLoadedFiles(&fx->window, bOption);
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    const QDate day(2025, 3, 14);
    setup.files = {SorFile(store.path(), QDateTime(day, QTime(9, 27, 15))),
                   SorFile(store.path(), QDateTime(day, QTime(9, 27, 28))),
                   SorFile(store.path(), QDateTime(day, QTime(14, 37, 59)))};
    setup.cutFile = cutFile;
    tPersona a(setup);
    const QStringList names{"250314_09271.sor", "250314_09272.sor", "250314_14375.sor"};

    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    // A folder that refuses new files; received files are written on this
    // thread, the one whose access checks are enforced.
    std::unique_ptr<CAccessChecks> checks;
    struct tRestoreMode
    {
        QString Folder;
        QFileDevice::Permissions Mode;
        ~tRestoreMode()
        {
            if (!Folder.isEmpty())
                QFile::setPermissions(Folder, Mode);
        }
    } restore{QString(), {}};
    if (bUnwritable) {
        checks = std::make_unique<CAccessChecks>();
        if (!checks->IsEnforced())
            QSKIP("the file system does not refuse this process");
        restore = {fx->Folder(), QFile::permissions(fx->Folder())};
        QVERIFY(QFile::setPermissions(fx->Folder(), restore.Mode & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser
                                                                      | QFileDevice::WriteGroup
                                                                      | QFileDevice::WriteOther)));
    }
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    bool bStoredFirst = false;
    if (bUnwritable)
        answerer.Click("Ignore").Click("Ignore").Click("Ignore");
    if (cutFile)
        answerer.Click(QMessageBox::Ok);
    if (!answer.isEmpty())
        answerer.Then([&](QWidget* box) {
            bStoredFirst = true;
            for (int i = 0; i < names.size(); ++i)
                bStoredFirst = bStoredFirst && ListFixture::ReadAll(FolderFile(names[i])) == setup.files[i];
            QAbstractButton* button = CModalAnswerer::FindButton(box, answer == "Yes" ? "&Yes" : "&No");
            if (!button)
                button = CModalAnswerer::FindButton(box, answer);
            button->click();
        });
    a.ClearCommands();
    panel->LoadAll();
    QTRY_VERIFY_WITH_TIMEOUT(a.CommandTexts().contains(";MMEM:LOAD:FILE? 3\r") || cutFile, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(answerer.Pending() == 0, 60000);
    QTest::qWait(1500);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 10000);

    if (!answer.isEmpty()) {
        QCOMPARE(answerer.Seen().last().Title, QString("Delete files on the device"));
        QCOMPARE(answerer.Seen().last().Text, QString("Are you sure to delete ALL files on the device?"));
        QCOMPARE(answerer.Seen().last().Icon, QMessageBox::Question);
        QVERIFY(bStoredFirst);
    } else {
        QVERIFY(!answerer.Titles().contains("Delete files on the device"));
    }
    if (bUnwritable) {
        QStringList problems;
        for (const QString& name : names)
            problems << "Loading file \"" + name + "\" problem";
        QCOMPARE(answerer.Titles(), problems);
    }
    QCOMPARE(a.CommandTexts().contains(";MMEM:INIT\r"), bErased);
    QVERIFY(panel->IsConnected());
    SetDeleteLoadedFiles(&fx->window, false);
}

void TestDevicePanel::namesEveryFileNotStored_data()
{
    const QString nul(QChar(0));
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("up and out") << int(IDevicePlugin::Measure) << "../x.sor" << "../x.sor";
    QTest::newRow("NUL after a file's name")
        << int(IDevicePlugin::LoadAll) << "victim.txt" + nul + ".sor" << "victim.txt\\x00.sor";
    QTest::newRow("NUL in a folder") << int(IDevicePlugin::LoadAll) << "a" + nul + "b/x.sor" << "a\\x00b/x.sor";
    QTest::newRow("escape in the name") << int(IDevicePlugin::Measure) << "x\x1b.sor" << "x\\x1b.sor";
    QTest::newRow("nothing in it") << int(IDevicePlugin::Measure) << "empty.sor" << "empty.sor";
}

// A received file the panel does not hand on is named in the exchange's
// errors; the others of the same command are stored.
void TestDevicePanel::namesEveryFileNotStored()
{
    QFETCH(int, cmd);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFile victim(FolderFile("victim.txt"));
    QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("the user's own") == 14);
    victim.close();
    const QByteArray trace = SorFile(fx->Root(), QDateTime(QDate(2025, 3, 14), QTime(9, 27, 15)));
    const QString refusedPath = fx->Folder() + "/" + name;
    const QByteArray refusedBytes = name == "empty.sor" ? QByteArray() : trace;
    auto panel = NewPanel();
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);

    panel->ProcessExchangeEnd(IDevicePlugin::tCommand(cmd), QString(), false, false,
                              {tReceivedFile(FolderFile("good.sor"), trace), tReceivedFile(refusedPath, refusedBytes)});

    QCOMPARE(answerer.Titles(), QStringList({"Device communicates"}));
    QCOMPARE(answerer.Seen()[0].Text, "Some received files were not stored:\n" + fx->Folder() + "/" + shown);
    QCOMPARE(ListFixture::ReadAll(FolderFile("good.sor")), trace);
    QCOMPARE(ListFixture::ReadAll(FolderFile("victim.txt")), QByteArray("the user's own"));
    QCOMPARE(QDir(fx->Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList({"good.sor", "victim.txt"}));
    QVERIFY(!QFileInfo::exists(fx->Root() + "/x.sor"));
}

void TestDevicePanel::clearMemoryAsksFirst_data()
{
    QTest::addColumn<bool>("bYes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestDevicePanel::clearMemoryAsksFirst()
{
    QFETCH(bool, bYes);
    tPersona a(tPersona::PersonaA());
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    answerer.Click(bYes ? QMessageBox::Yes : QMessageBox::No);
    a.ClearCommands();
    panel->ClearMemory();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("Clearing device memory"));
    QCOMPARE(answerer.Seen()[0].Text, QString("Are you sure to delete all files on device?"));
    QCOMPARE(a.WaitForCommand(";MMEM:INIT\r", bYes ? 10000 : 1000), bYes);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 10000);
}

void TestDevicePanel::propertiesFillTheForm()
{
    tPersona a(tPersona::PersonaA());
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    QStringList averages, ranges, waveLens;
    bool bPulseEnabled = false;
    QString gi, bc;
    answerer.Then([&](QWidget* dialog) {
        const auto items = [dialog](const char* name) {
            QStringList texts;
            auto* combo = dialog->findChild<QComboBox*>(name);
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
            return texts;
        };
        averages = items("nAverageTime");
        ranges = items("nLineLen");
        waveLens = items("nWaveLen");
        bPulseEnabled = dialog->findChild<QComboBox*>("nPulseWidth")->isEnabled();
        gi = dialog->findChild<QLineEdit*>("gi")->text();
        bc = dialog->findChild<QLineEdit*>("bc")->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    panel->Properties();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("Device properties"));
    QCOMPARE(averages, QStringList({"15", "30", "60", "realtime"}));
    QCOMPARE(ranges, QStringList({"2", "8"}));
    QCOMPARE(waveLens, QStringList({"1310", "1550"}));
    QVERIFY(bPulseEnabled);
    QCOMPARE(gi, QString("1.46800"));
    QCOMPARE(bc, QString("-80.000"));
}

void TestDevicePanel::propertiesCheckTheFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("box");
    QTest::newRow("end 0.1") << "lineEditEndOfLine" << "0.1" << "";
    QTest::newRow("end 20.01") << "lineEditEndOfLine" << "20.01" << "Invalid parameter End of fiber";
    QTest::newRow("loss 0.01") << "lineEditLoss" << "0.01" << "";
    QTest::newRow("loss 5") << "lineEditLoss" << "5" << "";
    QTest::newRow("loss 0.009") << "lineEditLoss" << "0.009" << "Invalid parameter Loss";
    QTest::newRow("gi 1.4") << "gi" << "1.4" << "";
    QTest::newRow("gi 1.6") << "gi" << "1.6" << "";
    QTest::newRow("gi 1.61") << "gi" << "1.61" << "Invalid parameter GI";
    QTest::newRow("gi 2") << "gi" << "2" << "Invalid parameter GI";
    QTest::newRow("reflectance -65") << "lineEditReflectance" << "-65" << "";
    QTest::newRow("reflectance -10") << "lineEditReflectance" << "-10" << "";
    QTest::newRow("reflectance -20.7") << "lineEditReflectance" << "-20.7" << "";
    QTest::newRow("reflectance -9") << "lineEditReflectance" << "-9" << "Invalid parameter Reflectance";
    QTest::newRow("reflectance -66") << "lineEditReflectance" << "-66" << "Invalid parameter Reflectance";
    QTest::newRow("backscatter -60") << "bc" << "-60" << "Invalid parameter BS";
}

// The first protocol edits the reflectance as an integer; the check runs
// when Properties is accepted, and a refused value keeps the old one.
void TestDevicePanel::propertiesCheckTheFields()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, box);
    tPersona a(tPersona::PersonaA());
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    IDevicePlugin* plugin = panel->GetPlugins()[0];
    const tDeviceParams before = plugin->GetParams();
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    answerer.Then([&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(field);
        edit->setText(text);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    if (!box.isEmpty())
        answerer.Click(QMessageBox::Ok);
    panel->Properties();
    QTRY_COMPARE(answerer.Pending(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 20000);
    const tDeviceParams after = plugin->GetParams();
    if (!box.isEmpty()) {
        QCOMPARE(answerer.Seen().size(), 2);
        QCOMPARE(answerer.Seen()[1].Title, box);
        if (text == "2")
            QCOMPARE(answerer.Seen()[1].Text,
                     QString("Parameter GI is invalid value 2. Enter real number between 1.40000 and 1.60000"));
        QCOMPARE(after.WaveLenGI, before.WaveLenGI);
        QCOMPARE(after.WaveLenBC, before.WaveLenBC);
        QCOMPARE(after.LossThreshold, before.LossThreshold);
        QCOMPARE(after.ReflThreshold, before.ReflThreshold);
        QCOMPARE(after.EndThreshold, before.EndThreshold);
        return;
    }
    QCOMPARE(answerer.Seen().size(), 1);
    const float value = text.toFloat();
    if (field == "gi")
        QCOMPARE(after.WaveLenGI.value(1310), value);
    else if (field == "lineEditLoss")
        QCOMPARE(float(after.LossThreshold), value);
    else if (field == "lineEditEndOfLine")
        QCOMPARE(float(after.EndThreshold), value);
    else if (field == "lineEditReflectance")
        QCOMPARE(after.ReflThreshold, int(value));
}

void TestDevicePanel::propertiesStoreOnlyChanges()
{
    tPersona a(tPersona::PersonaA());
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    IDevicePlugin* plugin = panel->GetPlugins()[0];
    QSettings* settings = GetSettings(0, 0);
    settings->remove("Device/port");
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");

    // Unchanged: nothing is sent, stored or remembered.
    a.ClearCommands();
    answerer.Then([](QWidget* dialog) {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    panel->Properties();
    QCOMPARE(answerer.Seen().size(), 1);
    QTest::qWait(500);
    QVERIFY(a.CommandTexts().isEmpty());
    QVERIFY(!settings->contains("Device/port"));

    // Cancelled with a new range: the record stays.
    const tDeviceParams before = plugin->GetParams();
    answerer.Then([](QWidget* dialog) {
        dialog->findChild<QComboBox*>("nLineLen")->setCurrentIndex(1);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    panel->Properties();
    QCOMPARE(plugin->GetParams().LineLen, before.LineLen);
    QVERIFY(a.CommandTexts().isEmpty());

    // Accepted with a new range: stored, remembered and sent.
    answerer.Then([](QWidget* dialog) {
        dialog->findChild<QComboBox*>("nLineLen")->setCurrentIndex(1);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    panel->Properties();
    QCOMPARE(plugin->GetParams().LineLen, 8000);
    QCOMPARE(settings->value("Device/port").toString(), a.SlavePath());
    QTRY_VERIFY_WITH_TIMEOUT(Sent(a, ";SYST:SET:CFG "), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 20000);
}

void TestDevicePanel::formFollowsTheConnectedInstrumentsWavelengths()
{
    tPersona::tSetup first = tPersona::PersonaA();
    first.ava = "1310\r";
    tPersona one(first);
    tPersona::tSetup second = tPersona::PersonaB();
    second.idn = "MAKER,M-7x,\xE2\x84\x96" "1009,FW ver:5.1b(600)\r";
    second.ava = "1550\r";
    second.current = "CFG,2,10,15,1550(0),1.4690\r";
    tPersona two(second);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, one));
    panel->Disconnect();
    QVERIFY(ConnectTo(*panel, two));
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    QString waveLens, gi;
    answerer.Then([&](QWidget* dialog) {
        waveLens = dialog->findChild<QComboBox*>("nWaveLen")->currentText();
        gi = dialog->findChild<QLineEdit*>("gi")->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    panel->Properties();
    QCOMPARE(waveLens, QString("1550"));
    QCOMPARE(gi, QString("1.46900"));
}

void TestDevicePanel::chooserConnectsTheChosenInstrument_data()
{
    QTest::addColumn<QString>("choice");
    QTest::newRow("second row") << "second row";
    QTest::newRow("remembered port") << "remembered";
    QTest::newRow("cancelled") << "cancel";
}

void TestDevicePanel::chooserConnectsTheChosenInstrument()
{
    QFETCH(QString, choice);
    tPersona a(tPersona::PersonaA());
    tPersona d(tPersona::PersonaD());
    QSettings* settings = GetSettings(0, 0);
    if (choice == "remembered")
        settings->setValue("Device/port", d.SlavePath());
    else
        settings->remove("Device/port");
    auto panel = NewPanel();
    tSignals seen(*panel);
    UseSerialPorts({a.SlavePath(), d.SlavePath()});
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    QStringList rows;
    int selected = -1;
    answerer.Then([&](QWidget* dialog) {
        auto* list = dialog->findChild<QTableWidget*>("DeviceList");
        for (int row = 0; row < list->rowCount(); ++row)
            rows << list->item(row, 0)->text();
        selected = list->currentRow();
        if (choice == "cancel") {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        if (choice == "second row")
            list->setCurrentCell(1, 0);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    panel->Connect();
    QTRY_COMPARE_WITH_TIMEOUT(answerer.Seen().size(), 1, 60000);
    QCOMPARE(rows, QStringList({a.SlavePath() + " M-7x s/n 1001_5.1b(600)", d.SlavePath() + " M-7y s/n 2001_6.0a(700)"}));
    QCOMPARE(selected, choice == "remembered" ? 1 : 0);
    if (choice == "cancel") {
        QTest::qWait(500);
        QVERIFY(seen.names.isEmpty());
        QVERIFY(!panel->IsConnected());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(seen.names.contains("connect"), 30000);
    QVERIFY(panel->GetPlugins()[2]->IsConnected());
    QVERIFY(!panel->GetPlugins()[0]->IsConnected());
    // Capabilities 4: neither stored files nor clearing.
    QCOMPARE(seen.names, QStringList({"connect", "connected 1", "disconnected 0"}));
    QCOMPARE(panel->GetDeviceDescription(), d.SlavePath() + " M-7y s/n 2001_6.0a(700)");
}

void TestDevicePanel::formOffersEachWavelengthSetting()
{
    CSecondProtocolPersona e(CSecondProtocolPersona::PersonaE());
    auto panel = NewPanel();
    UseSerialPorts({e.SlavePath()});
    QSignalSpy connected(panel.get(), &CDevice::sigConnect);
    panel->Connect();
    QTRY_VERIFY_WITH_TIMEOUT(!connected.isEmpty(), 60000);
    IDevicePlugin* second = panel->GetPlugins()[1];
    QVERIFY(second->IsConnected());

    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    QStringList items;
    bool bBothDisabled = false;
    QString gi, bc;
    answerer.Then([&](QWidget* dialog) {
        auto* waveLen = dialog->findChild<QComboBox*>("nWaveLen");
        auto* giEdit = dialog->findChild<QLineEdit*>("gi");
        auto* bcEdit = dialog->findChild<QLineEdit*>("bc");
        for (int i = 0; i < waveLen->count(); ++i)
            items << waveLen->itemText(i);
        waveLen->setCurrentIndex(2);
        bBothDisabled = !giEdit->isEnabled() && !bcEdit->isEnabled() && giEdit->text().isEmpty() &&
                        bcEdit->text().isEmpty();
        waveLen->setCurrentIndex(1);
        gi = giEdit->text();
        bc = bcEdit->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    panel->Properties();
    QCOMPARE(items, QStringList({"1310", "1550", "1310+1550"}));
    QVERIFY(bBothDisabled);
    QCOMPARE(gi, QString("1.46900"));
    QCOMPARE(bc, QString("-81.500"));
    QCOMPARE(second->MakeWaveLenBC({{1310, -80.0f}, {1550, -81.5f}}, -70.0f),
             (QMap<int, float>{{1310, -80.0f}, {1550, -81.5f}}));
    QCOMPARE(panel->GetPlugins()[0]->MakeWaveLenBC({{1310, -80.0f}, {1550, -81.5f}}, -70.0f),
             (QMap<int, float>{{1310, -70.0f}, {1550, -70.0f}}));
}

void TestDevicePanel::directoryChoiceWaitsForTheUser_data()
{
    QTest::addColumn<bool>("bAccept");
    QTest::newRow("download all") << true;
    QTest::newRow("cancelled") << false;
}

// The protocol's thread asks and waits; the browser runs on this thread.
void TestDevicePanel::directoryChoiceWaitsForTheUser()
{
    QFETCH(bool, bAccept);
    FInfo root;
    auto* folder = new FInfo(&root);
    folder->isFolder = 1;
    folder->name = "Traces";
    root.AddChild(folder);
    auto* file = new FInfo(folder);
    file->name = "a.sor";
    file->size = "100";
    folder->AddChild(file);

    auto panel = NewPanel();
    CModalAnswerer answerer;
    answerer.Then([bAccept](QWidget* dialog) {
        if (!bAccept) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        dialog->findChild<QRadioButton*>("radioButtonLoadAll")->click();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QList<FInfo*> chosen;
    bool bAllFiles = false;
    std::atomic<bool> bDone{false};
    std::thread protocol([&] {
        panel->DirStructureReceived(&root, &chosen, &bAllFiles);
        bDone = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(bDone.load(), 10000);
    protocol.join();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(bAllFiles, bAccept);
    QCOMPARE(chosen.contains(file), bAccept);
}

void TestDevicePanel::grabsBothLanguages_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("en") << "English";
    QTest::newRow("ru") << "Русский";
}

// Pictures to look at: the chooser with two instruments and the form of a
// connected one.
void TestDevicePanel::grabsBothLanguages()
{
    QFETCH(QString, catalogue);
    QTranslator translator;
    QVERIFY(translator.load(":/translations/" + catalogue + ".qm"));
    QCoreApplication::installTranslator(&translator);
    const QString tag = QTest::currentDataTag();
    const QString dir = QCoreApplication::applicationDirPath() + "/grabs";
    QDir().mkpath(dir);

    tPersona a(tPersona::PersonaA());
    tPersona d(tPersona::PersonaD());
    auto panel = NewPanel();
    UseSerialPorts({a.SlavePath(), d.SlavePath()});
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    bool bSaved = false;
    answerer.Then([&](QWidget* dialog) {
        bSaved = dialog->grab().save(dir + "/chooser-" + tag + ".png");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    panel->Connect();
    QTRY_VERIFY_WITH_TIMEOUT(panel->IsConnected(), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 10000);
    QVERIFY(bSaved);
    bSaved = false;
    answerer.Then([&](QWidget* dialog) {
        bSaved = dialog->grab().save(dir + "/properties-" + tag + ".png");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    panel->Properties();
    QVERIFY(bSaved);
    QCoreApplication::removeTranslator(&translator);
}

void TestDevicePanel::destroyingDuringRealtimeStopsTheInstrument()
{
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = "12\r";
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    tDeviceParams params = panel->GetPlugins()[0]->GetParams();
    params.AverageTime = -1;
    params.WaveLenNm = {1310};
    panel->GetPlugins()[0]->StoreParams(params);
    tSignals seen(*panel);
    panel->Measurement();
    QTRY_VERIFY_WITH_TIMEOUT(seen.updates >= 1, 30000);
    panel.reset();
    QVERIFY(a.CommandTexts().contains(";OTDR:STOP\r"));
    QVERIFY(a.CommandTexts().contains(";SYST:MODE 0\r"));
}

// A protocol thread that waits for the panel to show its message is let go
// when the panel goes, and nothing is shown.
void TestDevicePanel::destroyingReleasesAMessageOnItsWay()
{
    CSecondProtocolPersona f(CSecondProtocolPersona::PersonaF());
    UseSerialPorts({f.SlavePath()});
    auto panel = NewPanel();
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    panel->Connect();
    QTRY_VERIFY_WITH_TIMEOUT(panel->GetPlugins()[1]->GetName() == "Veltramo2" &&
                                 dynamic_cast<QThread*>(panel->GetPlugins()[1])->isRunning(),
                             30000);
    // This thread takes no event now: the out-of-date firmware message of
    // the search waits for it while the panel goes.
    QVERIFY(f.WaitForCommand("*IDN?\r", 10000));
    QThread::msleep(1000);
    panel.reset();
    QTest::qWait(100);
    QVERIFY(answerer.Seen().isEmpty());
}

// The window closes while a stored file of some 20 s at 57600 baud is on
// its way: the panel cancels, the download gives the file up after one more
// wait of 3 s, and the instrument is let go at once, the file's rest
// dropped with the port.
void TestDevicePanel::destroyingDuringALoadAllEndsSoon()
{
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.hi = tPersona::HiErr;
    const QDate day(2025, 3, 14);
    auto file = TraceBuilder(60000).Flat(5000).Slope(0.2).Build(store.filePath("long.sor"));
    file->GetFixedParameters()->DateTime = QDateTime(day, QTime(9, 27, 15));
    file->Save();
    setup.files = {ListFixture::ReadAll(store.filePath("long.sor"))};
    QVERIFY(setup.files[0].size() >= 110000);
    tPersona a(setup);
    a.PaceAtLineRate(true);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    a.ClearCommands();
    panel->LoadAll();
    QVERIFY(a.WaitForCommand(";MMEM:LOAD:FILE? 1\r", 20000));
    const qint64 sent = a.BytesWritten();
    QTRY_VERIFY_WITH_TIMEOUT(a.BytesWritten() - sent >= 5800, 10000);

    QElapsedTimer closing;
    closing.start();
    panel.reset();
    QVERIFY2(closing.elapsed() < 6000, qPrintable(QString::number(closing.elapsed())));
    QVERIFY(a.WaitForCommand(";SYST:MODE 0\r", 2000));
    QVERIFY(PortIsFree(a.SlavePath()));
    QVERIFY(answerer.Seen().isEmpty());
}

void TestDevicePanel::progressDialogStaysUntilTheEnd_data()
{
    QTest::addColumn<bool>("bCloseButton");
    QTest::newRow("Esc") << false;
    QTest::newRow("close button") << true;
}

// Setting the clock offers no Cancel: Esc and the close button do nothing.
// A measurement offers it: they cancel, and the dialog shows the
// cancellation until the panel hides it at the exchange end.
void TestDevicePanel::progressDialogStaysUntilTheEnd()
{
    QFETCH(bool, bCloseButton);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = "12\r";
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    tSignals seen(*panel);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    CDeviceExchangeDlg* progress = panel->GetProgressDialog();
    const auto dismiss = [&] {
        if (bCloseButton) {
            QCloseEvent close;
            QCoreApplication::sendEvent(progress->windowHandle(), &close);
        } else {
            QTest::keyClick(progress, Qt::Key_Escape);
        }
    };
    const auto shows = [progress](const QString& text) {
        for (QLabel* label : progress->findChildren<QLabel*>())
            if (label->text() == text)
                return true;
        return false;
    };

    a.ClearCommands();
    panel->UpdateDateTime();
    // Its end is queued behind this: the command still counts as running.
    dismiss();
    QVERIFY(progress->isVisible());
    QVERIFY(shows("Wait for device communicates..."));
    QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), 10000);
    QVERIFY(Sent(a, ";SYST:TIME "));

    panel->Measurement();
    QVERIFY(a.WaitForCommand(";INIT\r", 20000));
    QTRY_VERIFY_WITH_TIMEOUT(progress->findChild<QPushButton*>()->isVisible(), 10000);
    QTest::qWait(300);
    dismiss();
    QVERIFY(progress->isVisible());
    QVERIFY(shows("Cancellation, please wait..."));
    QVERIFY(!progress->findChild<QPushButton*>()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), 30000);
    QVERIFY(a.CommandTexts().contains(";OTDR:STOP\r"));
    QVERIFY(!seen.names.contains("end measure"));
    QVERIFY(panel->IsConnected());
    QVERIFY(answerer.Seen().isEmpty());
}

void TestDevicePanel::nothingElseStartsWhileACommandRuns()
{
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = "12\r";
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    tSignals seen(*panel);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    a.ClearCommands();
    panel->Measurement();
    QVERIFY(a.WaitForCommand(";INIT\r", 20000));

    LogCatcher log;
    for (const char* slot :
         {"Connect", "Disconnect", "Properties", "Measurement", "LoadAll", "ClearMemory", "UpdateDateTime"})
        QVERIFY(QMetaObject::invokeMethod(panel.get(), slot));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !bCommandRunning"), 6);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !dev"), 1);
    QVERIFY(answerer.Seen().isEmpty());
    QVERIFY(seen.names.isEmpty());
    QVERIFY(panel->IsConnected());
    QVERIFY(panel->GetProgressDialog()->isVisible());

    // A second start that reaches the protocol anyway is refused with an
    // end of its own, which does not end the running command at the panel.
    panel->GetPlugins().first()->StartCommand(IDevicePlugin::Connect);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: cmd == NoCommand"), 1);
    QTest::qWait(50);
    QVERIFY(answerer.Seen().isEmpty());
    QVERIFY(seen.names.isEmpty());
    QVERIFY(panel->GetProgressDialog()->isVisible());
    for (const char* slot : {"Measurement", "LoadAll"})
        QVERIFY(QMetaObject::invokeMethod(panel.get(), slot));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !bCommandRunning"), 8);

    panel->CancelExchange();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 30000);
    const QList<QByteArray> sent = a.CommandTexts();
    QCOMPARE(sent.count(";INIT\r"), 1);
    for (const QByteArray& command : sent)
        QVERIFY2(!command.startsWith(";MMEM:") && !command.startsWith(";SYST:DATE ") && command != ";SYST:MODE 0\r",
                 command.constData());
    QVERIFY(panel->IsConnected());
    QVERIFY(seen.names.isEmpty());
}

// An enumeration's end that no search of the panel waits for.
void TestDevicePanel::searchEndWithoutSearchChangesNothing()
{
    auto panel = NewPanel();
    tSignals seen(*panel);
    CModalAnswerer answerer;
    LogCatcher log;
    panel->ProcessExchangeEnd(IDevicePlugin::Enumerate, QString(), false, false, IDevicePlugin::tCommandRes());
    QTest::qWait(50);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: dev"), 1);
    QVERIFY(seen.names.isEmpty());
    QVERIFY(answerer.Seen().isEmpty());
    QVERIFY(!panel->IsConnected());
    for (IDevicePlugin* plugin : panel->GetPlugins())
        QVERIFY(!dynamic_cast<QThread*>(plugin)->isRunning());
}

void TestDevicePanel::applyAndMeasureStartsTheMeasurement_data()
{
    QTest::addColumn<bool>("bChange");
    QTest::newRow("unchanged") << false;
    QTest::newRow("new range") << true;
}

// "Apply and start measure" closes the form with 100 and measures with the
// record as the form left it; no separate apply command runs.
void TestDevicePanel::applyAndMeasureStartsTheMeasurement()
{
    QFETCH(bool, bChange);
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.measured = SorFile(store.path(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 35)));
    tPersona a(setup);
    auto panel = NewPanel();
    QVERIFY(ConnectTo(*panel, a));
    IDevicePlugin* plugin = panel->GetPlugins()[0];
    QCOMPARE(plugin->GetParams().LineLen, 2000);
    tSignals seen(*panel);
    QSignalSpy doMeasure(panel.get(), &CDevice::sigDoMeasure);
    QSignalSpy finished(panel.get(), &QDialog::finished);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    answerer.Then([bChange](QWidget* dialog) {
        if (bChange)
            dialog->findChild<QComboBox*>("nLineLen")->setCurrentIndex(1);
        dialog->findChild<QPushButton*>("DoMeasure")->click();
    });
    a.ClearCommands();
    panel->Properties();
    QCOMPARE(doMeasure.count(), 1);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished[0][0].toInt(), 100);
    QVERIFY(panel->GetProgressDialog()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(seen.names.contains("end measure"), 60000);
    QTRY_VERIFY(!panel->GetProgressDialog()->isVisible());

    QCOMPARE(plugin->GetParams().LineLen, bChange ? 8000 : 2000);
    const QList<QByteArray> sent = a.CommandTexts();
    const int init = sent.indexOf(";INIT\r");
    QVERIFY(init > 0);
    QCOMPARE(sent.count(";INIT\r"), 1);
    // The range goes out by its index with the measurement's own settings.
    QList<QByteArray> settings;
    for (const QByteArray& command : sent.mid(0, init))
        if (command.startsWith(";SYST:SET:CFG "))
            settings << command;
    QVERIFY(!settings.isEmpty());
    QVERIFY2(settings.last().startsWith(bChange ? ";SYST:SET:CFG 1," : ";SYST:SET:CFG 0,"),
             settings.last().constData());
    QCOMPARE(fx->Names(), QStringList({"260102_03043.sor"}));
    QVERIFY(answerer.Seen().size() == 1);
}

void TestDevicePanel::realReflectanceThreshold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bAccepted");
    QTest::newRow("-69.9") << "-69.9" << true;
    QTest::newRow("-10") << "-10" << true;
    QTest::newRow("-70") << "-70" << false;
    QTest::newRow("-9.9") << "-9.9" << false;
}

// The second protocol's newer instruments take the reflectance threshold
// as a real number.
void TestDevicePanel::realReflectanceThreshold()
{
    QFETCH(QString, text);
    QFETCH(bool, bAccepted);
    CSecondProtocolPersona e(CSecondProtocolPersona::PersonaE());
    auto panel = NewPanel();
    UseSerialPorts({e.SlavePath()});
    QSignalSpy connected(panel.get(), &CDevice::sigConnect);
    panel->Connect();
    QTRY_VERIFY_WITH_TIMEOUT(!connected.isEmpty(), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 10000);
    IDevicePlugin* second = panel->GetPlugins()[1];
    QVERIFY(second->HasRealReflectance());
    const tDeviceParams before = second->GetParams();
    QCOMPARE(before.ReflThresholdValue, -45.5f);

    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    QString shown;
    answerer.Then([&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("lineEditReflectance");
        shown = edit->text();
        edit->setText(text);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    if (!bAccepted)
        answerer.Click(QMessageBox::Ok);
    panel->Properties();
    QTRY_COMPARE(answerer.Pending(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!panel->GetProgressDialog()->isVisible(), 20000);
    QCOMPARE(shown, QString("-45.5"));
    const tDeviceParams after = second->GetParams();
    if (bAccepted) {
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(after.ReflThresholdValue, text.toFloat());
        return;
    }
    QCOMPARE(answerer.Seen().size(), 2);
    QCOMPARE(answerer.Seen()[1].Title, QString("Invalid parameter Reflectance"));
    QCOMPARE(answerer.Seen()[1].Text, QString("Parameter Reflectance has invalid value %1. Enter real number between "
                                              "-69.9 and -10")
                                          .arg(text));
    QCOMPARE(after.ReflThresholdValue, -45.5f);
}

// The instrument's word comes as a warning box titled with the program's
// name; the exchange waits for the user and then goes on.
void TestDevicePanel::messageFromTheInstrumentWaitsForTheUser()
{
    tPersona b(tPersona::PersonaB());
    UseSerialPorts({b.SlavePath()});
    auto panel = NewPanel();
    tSignals seen(*panel);
    CModalAnswerer answerer;
    answerer.LeaveAlone("CDeviceExchangeDlg");
    auto* first = dynamic_cast<QThread*>(panel->GetPlugins()[0]);
    bool bWaited = false;
    answerer.Then([&](QWidget* box) {
        QTest::qWait(300);
        bWaited = first->isRunning() && seen.names.isEmpty() && panel->GetProgressDialog()->isVisible();
        qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    panel->Connect();
    QTRY_VERIFY_WITH_TIMEOUT(seen.names.contains("connect"), 60000);
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QCoreApplication::applicationName());
    QCOMPARE(answerer.Seen()[0].Title, QString("Quorvane"));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    QCOMPARE(answerer.Seen()[0].Text, QString("The firmware version (FW) of the connected device is out of date.\n"
                                              "Update FW to the latest version available on the device "
                                              "manufacturer's website"));
    QVERIFY(bWaited);
    QCOMPARE(seen.names, cConnected);
    QVERIFY(panel->IsConnected());
    QTRY_VERIFY(!panel->GetProgressDialog()->isVisible());
}

QTEST_MAIN(TestDevicePanel)
#include "tst_devicepanel.moc"
