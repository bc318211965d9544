#include "ProtocolFixture.h"
#include "support/LogCatcher.h"
#include "support/SecondProtocolPersona.h"
#include "support/Throws.h"

#include "core/Codec.h"
#include "core/Exception.h"
#include "device/DeviceExchanger2.h"
#include "device/FInfo.h"
#include "device/ProgressData.h"
#include "device/SelectFolderDialog.h"

#include <QApplication>
#include <QRadioButton>
#include <QTreeView>
#include <QDir>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

namespace {

using tPersona = CSecondProtocolPersona;
using tEngine = CTestExchangerOf<CDeviceExchanger2>;

// 2026-12-09 09:25:37 UTC
constexpr std::time_t cMeasured = 1796808337;

QByteArray Cp(const QString& text)
{
    return GetLocaleCodec()->fromUnicode(text);
}

QList<QByteArray> Starting(const QList<QByteArray>& commands, const QByteArray& prefix)
{
    QList<QByteArray> found;
    for (const QByteArray& c : commands)
        if (c.startsWith(prefix))
            found << c;
    return found;
}

// What a stopped run leaves on the line: one stop, the first laser given
// back after it and last, and no trace file asked for.
bool StoppedThenLaserBack(const QList<QByteArray>& sent)
{
    return sent.count(";OTDR:STOP\r") == 1 && !sent.isEmpty() && sent.last() == ";RMT:SET:LW 1\r"
        && sent.lastIndexOf(";RMT:SET:LW 1\r") > sent.indexOf(";OTDR:STOP\r")
        && Starting(sent, "*GET:FILE").isEmpty();
}

QStringList Paths(const IDevicePlugin::tCommandRes& res)
{
    QStringList paths;
    for (const tReceivedFile& f : res)
        paths << f.path;
    return paths;
}

// The tree as "name[date|size]" lines, indented by depth.
void Describe(const FInfo* node, int depth, QStringList& out)
{
    out << QString(depth * 2, ' ') + node->name
            + (node->isFolder ? QString("/") : QString("[%1|%2]").arg(node->date, node->size));
    for (const FInfo* child : node->children)
        Describe(child, depth + 1, out);
}

// Answers the file browser as the panel does: the dialog on the GUI thread,
// the choice handed back through the pointers.
void Browse(CEventsRecorder& events, std::function<void(SelectFolderDialog&)> choose)
{
    events.onDirectory = [choose](FInfo* root, QList<FInfo*>* list, bool* bAllFiles) {
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                SelectFolderDialog dialog(root);
                choose(dialog);
                list->append(dialog.GetFiles());
                *bAllFiles = dialog.IsAllFiles();
            },
            Qt::BlockingQueuedConnection);
    };
}

void ChooseAll(SelectFolderDialog& dialog)
{
    dialog.findChild<QRadioButton*>("radioButtonLoadAll")->click();
}

void ChooseFolder(SelectFolderDialog& dialog, const QString& name)
{
    QAbstractItemModel* model = dialog.findChild<QTreeView*>("treeView")->model();
    const QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly | Qt::MatchRecursive);
    QMetaObject::invokeMethod(&dialog, "onTreeItemClicked", Q_ARG(QModelIndex, found.value(0)));
}

// An instrument with a root, "_OTDR" and "Трасса" and a file in each.
tPersona::tSetup WithFiles()
{
    tPersona::tSetup s = tPersona::PersonaE();
    s.rootListing = Cp(QString::fromUtf8("DIR 0:\n<_OTDR\n<Трасса\n>a.SOR\n01.02.2026\n12345\n>notes.txt\nx\ny\n\r"));
    s.listings["0:\\_OTDR"] = ">TMP0_1310.sor\n09.12.2026\n300\n>empty.sor\n09.12.2026\n0\n\r";
    s.listings[Cp(QString::fromUtf8("0:\\Трасса"))] = Cp(QString::fromUtf8(">трасса1.sor\n03.02.2026\n400\r"));
    s.files["0:\\a.SOR"] = QByteArray("root file");
    s.files["0:\\_OTDR\\TMP0_1310.sor"] = QByteArray(300, 'T');
    s.files["0:\\_OTDR\\empty.sor"] = QByteArray("never asked");
    s.files[Cp(QString::fromUtf8("0:\\Трасса\\трасса1.sor"))] = QByteArray(400, 'R');
    return s;
}

} // namespace

class TestSecondProtocolFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void decodesFrames_data();
    void decodesFrames();
    void placesFilesInsideTheWorkingFolder_data();
    void placesFilesInsideTheWorkingFolder();
    void measuresEachLaserAndFetchesItsTrace();
    void reportsRunFailures_data();
    void reportsRunFailures();
    void stopsACancelledMeasurement();
    void cancelsWhileSettingUp();
    void streamsInRealtimeUntilCancelled_data();
    void streamsInRealtimeUntilCancelled();
    void stopsSoonWhenACancelCutsALongFrame_data();
    void stopsSoonWhenACancelCutsALongFrame();
    void stopsTheRunAfterARefusedFrame_data();
    void stopsTheRunAfterARefusedFrame();
    void readsTheFolderTreeOnce();
    void stopsFollowingFoldersAtSixteenLevels();
    void endsQuietlyWithoutARootListing_data();
    void endsQuietlyWithoutARootListing();
    void downloadsTheChosenFiles();
    void leavesOutWhatCannotArriveSafely();
    void endsOnAHangUpInAFile();
    void endsSoonWhenASilentDownloadIsCancelledOrClosed_data();
    void endsSoonWhenASilentDownloadIsCancelledOrClosed();
    void disconnectsAtOnceAfterACutFile();
    void dropsAFolderTreeCutShortByCancel();
    void clearsNothing();

private:
    std::unique_ptr<QTemporaryDir> folder;
    QString working;
};

void TestSecondProtocolFiles::init()
{
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    QVERIFY(QDir::setCurrent(folder->path()));
    working = QDir::current().canonicalPath();
}

void TestSecondProtocolFiles::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    folder.reset();
    SetSerialPortList(nullptr);
}

void TestSecondProtocolFiles::decodesFrames_data()
{
    QTest::addColumn<double>("gi");
    QTest::addColumn<quint32>("spacing");
    QTest::addColumn<quint32>("first");
    QTest::addColumn<quint32>("points");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("whole") << 1.468 << quint32(1000000) << quint32(0) << quint32(300) << 600 << "300";
    QTest::newRow("from a first point") << 1.468 << quint32(1000000) << quint32(100) << quint32(400) << 800
                                        << "300";
    QTest::newRow("group index 0.5") << 0.5 << quint32(1000000) << quint32(0) << quint32(300) << 600 << "256:1256";
    QTest::newRow("spacing below 1 ns") << 1.468 << quint32(99999) << quint32(0) << quint32(300) << 600
                                        << "256:1260";
    QTest::newRow("bytes short") << 1.468 << quint32(1000000) << quint32(0) << quint32(300) << 598 << "256:1268";
    QTest::newRow("first point past the end") << 1.468 << quint32(1000000) << quint32(2000) << quint32(1000)
                                              << 2000 << "256:1264";
    // The bytes are checked before the numbers size anything.
    QTest::newRow("huge count, few bytes") << 1.468 << quint32(1000000) << quint32(0) << quint32(0x7FFFFFFF) << 600
                                           << "256:1268";
}

void TestSecondProtocolFiles::decodesFrames()
{
    QFETCH(double, gi);
    QFETCH(quint32, spacing);
    QFETCH(quint32, first);
    QFETCH(quint32, points);
    QFETCH(int, bytes);
    QFETCH(QString, outcome);
    QByteArray samples;
    for (int i = 0; i < bytes / 2; ++i) {
        samples.append(char(i & 0xFF));
        samples.append(char((i >> 8) & 0xFF));
    }
    const QByteArray frame = tPersona::Frame(first, points, spacing, 0) + samples;
    const tTraceBlockHeader header = CDeviceExchanger2::ReadFrameHeader(float(gi), frame);
    QCOMPARE(header.WaveLength, quint32(1310));
    QCOMPARE(header.PulseWidth, quint32(10));
    std::unique_ptr<CProgressData2> trace;
    const QString trail =
        FailureTrail<EInternalError>([&] { trace = std::make_unique<CProgressData2>(header, samples); });
    if (trail != "nothing thrown") {
        QCOMPARE(trail, outcome);
        return;
    }
    QCOMPARE(QString::number(trace->GetDataPointCount()), outcome);
    QVERIFY(!trace->IsEmpty());
    for (int j : {0, 1, 299})
        QCOMPARE(int(trace->GetDataPoint(j)), int(first) + j);
    QCOMPARE(trace->GetResolution(), 10.0 * 299792458.0 / double(float(gi)) / 1e9);
    QVERIFY(CProgressData2().IsEmpty());
}

void TestSecondProtocolFiles::placesFilesInsideTheWorkingFolder_data()
{
    QTest::addColumn<QString>("devicePath");
    QTest::addColumn<bool>("bKeep");
    QTest::addColumn<QString>("local");
    QTest::newRow("flat") << "0:\\_OTDR\\a.sor" << false << "a.sor";
    QTest::newRow("kept") << "0:\\_OTDR\\a.sor" << true << "_OTDR/a.sor";
    QTest::newRow("deeper") << "0:\\A\\\\B\\c.sor" << true << "A/B/c.sor";
    QTest::newRow("slashes") << "0:/A/c.sor" << true << "A/c.sor";
    QTest::newRow("up and out") << "0:\\..\\..\\x.sor" << true << "";
    QTest::newRow("up, flat") << "0:\\..\\..\\x.sor" << false << "x.sor";
    QTest::newRow("dot folder") << "0:\\A\\.\\x.sor" << true << "";
    QTest::newRow("name up") << "0:\\A\\.." << true << "";
    // A NUL ends the name the system sees: "victim.txt" would be written.
    const QString nul(QChar(0));
    QTest::newRow("NUL in the name") << "0:\\_OTDR\\victim.txt" + nul + ".sor" << false << "";
    QTest::newRow("NUL in a folder") << "0:\\a" + nul + "b\\x.sor" << true << "";
    QTest::newRow("tab in the name") << "0:\\_OTDR\\a\tb.sor" << false << "";
    // Qt reads a path that starts with ":" as one of the program's resources.
    QTest::newRow("resource name") << ":evil.sor" << false << "";
    QTest::newRow("colon within") << "0:\\_OTDR\\a:b.sor" << false << "a:b.sor";
}

void TestSecondProtocolFiles::placesFilesInsideTheWorkingFolder()
{
    QFETCH(QString, devicePath);
    QFETCH(bool, bKeep);
    QFETCH(QString, local);
    QCOMPARE(CDeviceExchanger2::LocalPath(working, devicePath, bKeep),
             local.isEmpty() ? QString() : working + "/" + local);
}

void TestSecondProtocolFiles::measuresEachLaserAndFetchesItsTrace()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.frames = {tPersona::Frame(0, 1000), tPersona::Frame(800, 1000), tPersona::Frame(0, 1000, 1000000, 1998),
                    tPersona::Frame(100, 600)};
    setup.files["0:_OTDR\\TMP0_1310.sor"] = QByteArray(500, '1');
    setup.files["0:_OTDR\\TMP2_1550.sor"] = QByteArray(500, '5');
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    engine.SetClock([] { return cMeasured; });
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1310, 1550};
    p.AverageTime = 30;
    p.SelectedWaveLen = 5;
    engine.StoreParams(p);

    e.ClearCommands();
    events.ClearCalls();
    engine.Run(events, IDevicePlugin::Measure, 60000);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(!events.Last().bCancelled);

    const IDevicePlugin::tCommandRes res = events.LastResult();
    QCOMPARE(Paths(res), QStringList({working + "/261209_09253_TMP0_1310.sor", working + "/261209_09253_TMP2_1550.sor"}));
    QCOMPARE(res.at(0).data, QByteArray(500, '1'));
    QCOMPARE(res.at(1).data, QByteArray(500, '5'));

    const QList<QByteArray> sent = e.CommandTexts();
    const QList<QByteArray> parameters{";RMT:SET:GI1 1.468\r", ";RMT:SET:BS1 -80\r", ";RMT:SET:MD 8000\r",
                                       ";RMT:SET:LW 1\r", ";RMT:SET:IM 100\r", ";RMT:EVN:SET 1\r",
                                       ";RMT:EVN:LOSS 0.2\r", ";RMT:EVN:REFL -45.5\r", ";RMT:EVN:EOFL 3\r",
                                       ";RMT:SET:TA 30\r", ";RMT:OTDR:RUN\r", "*GET:FILE 0:_OTDR\\TMP0_1310.sor\r"};
    QCOMPARE(sent.mid(0, parameters.size()), parameters);
    QCOMPARE(sent.at(parameters.size()), QByteArray(";RMT:SET:GI3 1.469\r"));
    QCOMPARE(Starting(sent, "*GET:FILE"),
             QList<QByteArray>({"*GET:FILE 0:_OTDR\\TMP0_1310.sor\r", "*GET:FILE 0:_OTDR\\TMP2_1550.sor\r"}));
    QCOMPARE(sent.last(), QByteArray(";RMT:SET:LW 5\r"));

    const QString first = "Wave length 1310ns (laser 0 from 2)";
    const QString second = "Wave length 1550ns (laser 1 from 2)";
    QCOMPARE(events.Calls(), QStringList({"wait 3 1 " + first, "wait 42 0 " + first, "trace 4096", "cancellation 1",
                                          "trace 1000", "trace 500", "wait 3 1 " + second, "wait 42 0 " + second,
                                          "trace 4096", "cancellation 1", "trace 1000", "trace 500"}));
    const auto empty = events.Traces().at(0).dynamicCast<CProgressData2>();
    QVERIFY(empty && empty->IsEmpty());
}

void TestSecondProtocolFiles::reportsRunFailures_data()
{
    QTest::addColumn<QByteArray>("runReply");
    QTest::addColumn<bool>("bHighInput");
    QTest::addColumn<quint32>("spacing");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<bool>("bCritical");
    QTest::newRow("refused") << QByteArray("ERR\r") << false << quint32(1000000) << "Device can't start measurenment"
                             << false;
    QTest::newRow("light at the port") << QByteArray("OK\r") << true << quint32(1000000)
                                       << "High input signal level was detected.\nPlease disable input signal."
                                       << false;
    QTest::newRow("spacing below 1 ns") << QByteArray("OK\r") << false << quint32(50000)
                                        << "Application internal error" << true;
}

void TestSecondProtocolFiles::reportsRunFailures()
{
    QFETCH(QByteArray, runReply);
    QFETCH(bool, bHighInput);
    QFETCH(quint32, spacing);
    QFETCH(QString, errors);
    QFETCH(bool, bCritical);
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.runReply = runReply;
    setup.bHighInput = bHighInput;
    setup.frames = {tPersona::Frame(0, 1000, spacing)};
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::Measure, 60000);
    const CEventsRecorder::tEnd end = events.Last();
    QCOMPARE(end.bCritical, bCritical);
    if (bCritical) {
        QVERIFY2(end.errors.startsWith(errors + "\n\n"), qPrintable(end.errors));
        QVERIFY2(end.errors.endsWith("-256:1260"), qPrintable(end.errors));
    } else {
        QCOMPARE(end.errors, errors);
    }
    QVERIFY(Starting(e.CommandTexts(), "*GET:FILE").isEmpty());
}

void TestSecondProtocolFiles::stopsACancelledMeasurement()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    for (int k = 0; k < 50; ++k)
        setup.frames << tPersona::Frame(0, 1000);
    setup.bReadyStop = true;
    setup.files["0:_OTDR\\TMP0_1310.sor"] = QByteArray(500, '1');
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1310, 1550};
    p.SelectedWaveLen = 5;
    engine.StoreParams(p);
    e.ClearCommands();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QTRY_VERIFY_WITH_TIMEOUT(e.FramesSent() >= 3, 10000);
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 10000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QCOMPARE(end.errors, QString());
    const QList<QByteArray> sent = e.CommandTexts();
    QCOMPARE(sent.count(";OTDR:STOP\r"), 1);
    QVERIFY(Starting(sent, "*GET:FILE").isEmpty());
    QCOMPARE(Starting(sent, ";RMT:OTDR:RUN"), QList<QByteArray>({";RMT:OTDR:RUN\r"}));
    QCOMPARE(sent.last(), QByteArray(";RMT:SET:LW 5\r"));
    QVERIFY(events.LastResult().isEmpty());
}

void TestSecondProtocolFiles::cancelsWhileSettingUp()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1310, 1550};
    p.SelectedWaveLen = 5;
    engine.StoreParams(p);
    // The echo of the averaging comes late: the cancel falls into its wait.
    e.Answer(";RMT:SET:TA 30\r", "1,8000,100,30\r", 150);
    e.ClearCommands();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QVERIFY(e.WaitForCommand(";RMT:SET:TA 30\r", 5000));
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 10000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QVERIFY(!end.bCritical);
    QCOMPARE(end.errors, QString());
    const QList<QByteArray> sent = e.CommandTexts();
    QVERIFY(!sent.contains(";RMT:OTDR:RUN\r"));
    QCOMPARE(sent.last(), QByteArray(";RMT:SET:LW 5\r"));
}

void TestSecondProtocolFiles::streamsInRealtimeUntilCancelled_data()
{
    QTest::addColumn<bool>("bSilentStop");
    QTest::addColumn<int>("cancels");
    QTest::newRow("stop confirmed") << false << 1;
    QTest::newRow("stop never confirmed") << true << 1;
    // The window closes a moment after the cancel: the stop and the laser
    // choice still go out, their answers are not awaited.
    QTest::newRow("stop never confirmed, window closed at once") << true << 2;
}

void TestSecondProtocolFiles::streamsInRealtimeUntilCancelled()
{
    QFETCH(bool, bSilentStop);
    QFETCH(int, cancels);
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.frames = {tPersona::Frame(0, 1000), tPersona::Frame(100, 700)};
    setup.bSilentStop = bSilentStop;
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    tDeviceParams p = engine.GetParams();
    p.AverageTime = -1;
    engine.StoreParams(p);
    events.ClearCalls();
    e.ClearCommands();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QTRY_VERIFY_WITH_TIMEOUT(events.Traces().size() >= 8, 10000);
    QElapsedTimer stopping;
    stopping.start();
    for (int k = 0; k < cancels; ++k)
        engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 10000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    if (cancels == 1)
        QCOMPARE(end.errors, QString());
    QVERIFY2(bSilentStop && cancels == 1 ? stopping.elapsed() >= 3900 : stopping.elapsed() < 2000,
             qPrintable(QString::number(stopping.elapsed())));

    const QStringList calls = events.Calls();
    QCOMPARE(calls.mid(0, 3), QStringList({"wait 0 1 Realtime view", "wait 0 0 Realtime view", "trace 4096"}));
    QVERIFY(calls.contains("trace 600"));
    const QList<QByteArray> sent = e.CommandTexts();
    QCOMPARE(sent.count(";OTDR:STOP\r"), 1);
    QCOMPARE(sent.count(";RMT:OTDR:RUN\r"), 1);
    QVERIFY(sent.contains(";RMT:SET:TA -1\r"));
    QVERIFY(Starting(sent, "*GET:FILE").isEmpty());
    QCOMPARE(sent.last(), QByteArray(";RMT:SET:LW 1\r"));
}

void TestSecondProtocolFiles::stopsSoonWhenACancelCutsALongFrame_data()
{
    QTest::addColumn<bool>("bRealtime");
    QTest::addColumn<bool>("bDrops");
    QTest::newRow("realtime, frame dropped at the stop") << true << true;
    QTest::newRow("realtime, frame finished") << true << false;
    QTest::newRow("5 s, frame dropped at the stop") << false << true;
    QTest::newRow("5 s, frame finished") << false << false;
}

// A frame of 100,000 points takes over four seconds at 460800 baud. A cancel
// a second into it: the stop goes out within seconds, the frame's rest (if
// it comes) is no answer to anything, the laser choice goes back, and the
// command ends as cancelled.
void TestSecondProtocolFiles::stopsSoonWhenACancelCutsALongFrame()
{
    QFETCH(bool, bRealtime);
    QFETCH(bool, bDrops);
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.frames = {tPersona::Frame(0, 100000)};
    setup.framePeriodMs = 6000;
    setup.bDropFrameAtStop = bDrops;
    tPersona e(setup);
    e.PaceAtLineRate(true);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    tDeviceParams p = engine.GetParams();
    p.AverageTime = bRealtime ? -1 : 5;
    engine.StoreParams(p);
    e.ClearCommands();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QVERIFY(e.WaitForCommand(";RMT:OTDR:RUN\r", 10000));
    const qint64 sent = e.BytesWritten();
    QTRY_VERIFY_WITH_TIMEOUT(e.BytesWritten() - sent >= 46000, 10000);
    const qint64 cancelUsec = e.NowUsec();
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 20000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QVERIFY(!end.bCritical);
    QCOMPARE(end.errors, QString());
    QVERIFY(events.LastResult().isEmpty());

    const QList<CScriptedInstrument::tCommandSeen> seen = e.Commands();
    QList<QByteArray> texts;
    qint64 stopUsec = -1;
    for (const CScriptedInstrument::tCommandSeen& c : seen) {
        texts << c.text;
        if (c.text == ";OTDR:STOP\r")
            stopUsec = c.usec;
    }
    QVERIFY2(StoppedThenLaserBack(texts), texts.join('|').constData());
    QVERIFY2(stopUsec - cancelUsec < 4000000, qPrintable(QString::number(stopUsec - cancelUsec)));
}

void TestSecondProtocolFiles::stopsTheRunAfterARefusedFrame_data()
{
    QTest::addColumn<bool>("bRealtime");
    QTest::addColumn<bool>("bDrops");
    QTest::newRow("realtime, frame dropped at the stop") << true << true;
    QTest::newRow("realtime, frame finished") << true << false;
    QTest::newRow("5 s, frame finished") << false << false;
}

// A frame that declares 9,999,999 bytes, far over the largest, is refused
// while its bytes keep coming at the line's rate. The run is stopped as a
// cancel stops it, the laser choice goes back, the measurement ends with the
// error, and the next command goes out within one largest frame's time and
// is answered.
void TestSecondProtocolFiles::stopsTheRunAfterARefusedFrame()
{
    QFETCH(bool, bRealtime);
    QFETCH(bool, bDrops);
    tPersona::tSetup setup = tPersona::PersonaE();
    const QByteArray good = tPersona::Block(tPersona::Frame(0, 1000));
    setup.frames = {good, "#79999999" + QByteArray(40000, 'x'), good};
    setup.bRawFrames = true;
    setup.bDropFrameAtStop = bDrops;
    tPersona e(setup);
    e.PaceAtLineRate(true);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    tDeviceParams p = engine.GetParams();
    p.AverageTime = bRealtime ? -1 : 5;
    engine.StoreParams(p);
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::Measure, 30000);
    const CEventsRecorder::tEnd end = events.Last();
    QCOMPARE(end.errors, QString("Downloaded data invalid."));
    QVERIFY(!end.bCancelled);
    QVERIFY(!end.bCritical);
    QVERIFY(events.LastResult().isEmpty());
    QVERIFY2(StoppedThenLaserBack(e.CommandTexts()), e.CommandTexts().join('|').constData());

    const qint64 endUsec = e.NowUsec();
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::SetDateTime, 30000);
    QCOMPARE(events.Last().errors, QString());
    const QList<CScriptedInstrument::tCommandSeen> next = e.Commands();
    QVERIFY(!next.isEmpty());
    QVERIFY(next.first().text.startsWith(";SYST:DATE "));
    // 256,000 bytes take 5.6 s at 460800 baud.
    QVERIFY2(next.first().usec - endUsec < 7000000, qPrintable(QString::number(next.first().usec - endUsec)));
}

void TestSecondProtocolFiles::readsTheFolderTreeOnce()
{
    tPersona e(WithFiles());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QStringList tree;
    events.onDirectory = [&](FInfo* root, QList<FInfo*>*, bool*) { Describe(root, 0, tree); };
    e.ClearCommands();
    events.ClearCalls();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(events.LastResult().isEmpty());
    QCOMPARE(tree, QStringList({"0:/", "  _OTDR/", "    TMP0_1310.sor[09.12.2026|300]", "    empty.sor[09.12.2026|0]",
                                QString::fromUtf8("  Трасса/"), QString::fromUtf8("    трасса1.sor[03.02.2026|400]"),
                                "  a.SOR[01.02.2026|12345]"}));
    QCOMPARE(events.Calls(), QStringList({"wait 0 1 ", "directory", "progress 0 0 0"}));

    const QList<CScriptedInstrument::tCommandSeen> seen = e.Commands();
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.at(0).text, QByteArray("*GET:DIR\r"));
    QCOMPARE(seen.at(1).text, QByteArray("*GET:DIR 0:\\_OTDR\r"));
    QCOMPARE(seen.at(2).text, "*GET:DIR " + Cp(QString::fromUtf8("0:\\Трасса")) + "\r");
    QVERIFY2(seen.at(1).silenceUsec >= 50000, qPrintable(QString::number(seen.at(1).silenceUsec)));
    QVERIFY2(seen.at(2).silenceUsec >= 50000, qPrintable(QString::number(seen.at(2).silenceUsec)));

    // Read once per connection.
    tree.clear();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(e.Commands().size(), 3);
    QCOMPARE(tree.size(), 7);
    engine.Run(events, IDevicePlugin::Disconnect);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(Starting(e.CommandTexts(), "*GET:DIR"), QList<QByteArray>({"*GET:DIR\r", "*GET:DIR 0:\\_OTDR\r",
                                                                       "*GET:DIR " + seen.at(2).text.mid(9)}));
}

void TestSecondProtocolFiles::stopsFollowingFoldersAtSixteenLevels()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.rootListing = "DIR 0:\n<loop\n<.\n<..\n<\n\r";
    QByteArray path = "0:";
    for (int level = 1; level <= 20; ++level) {
        path += "\\loop";
        setup.listings[path] = "<loop\n<.\n<..\n\r";
    }
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    int depth = 0;
    events.onDirectory = [&](FInfo* root, QList<FInfo*>*, bool*) {
        for (const FInfo* node = root; !node->children.isEmpty(); node = node->children.first()) {
            QCOMPARE(node->children.size(), 1);
            ++depth;
        }
    };
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll, 30000);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(Starting(e.CommandTexts(), "*GET:DIR ").size(), 16);
    QCOMPARE(depth, 17);
}

void TestSecondProtocolFiles::endsQuietlyWithoutARootListing_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::newRow("empty") << QByteArray("\r");
    QTest::newRow("one word") << QByteArray("DIR\n<_OTDR\r");
}

void TestSecondProtocolFiles::endsQuietlyWithoutARootListing()
{
    QFETCH(QByteArray, listing);
    tPersona::tSetup setup = WithFiles();
    setup.rootListing = listing;
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    events.ClearCalls();
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(events.LastResult().isEmpty());
    QCOMPARE(events.Calls(), QStringList({"wait 0 1 "}));
    QCOMPARE(e.CommandTexts(), QList<QByteArray>({"*GET:DIR\r"}));
}

void TestSecondProtocolFiles::downloadsTheChosenFiles()
{
    tPersona e(WithFiles());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});

    // One folder: its files straight into the working folder.
    Browse(events, [](SelectFolderDialog& dialog) { ChooseFolder(dialog, "_OTDR"); });
    events.ClearCalls();
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(Paths(events.LastResult()), QStringList({working + "/TMP0_1310.sor"}));
    QCOMPARE(events.LastResult().at(0).data, QByteArray(300, 'T'));
    QCOMPARE(Starting(e.CommandTexts(), "*GET:FILE"), QList<QByteArray>({"*GET:FILE 0:\\_OTDR\\TMP0_1310.sor\r"}));
    QCOMPARE(events.Calls().filter("progress"),
             QStringList({"progress 1 2 1", "progress 2 2 1", "progress 2 2 0"}));

    // Everything: below folders named like the instrument's.
    Browse(events, ChooseAll);
    events.ClearCalls();
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(Paths(events.LastResult()),
             QStringList({working + "/_OTDR/TMP0_1310.sor", working + QString::fromUtf8("/Трасса/трасса1.sor"),
                          working + "/a.SOR"}));
    QCOMPARE(events.LastResult().at(1).data, QByteArray(400, 'R'));
    QCOMPARE(Starting(e.CommandTexts(), "*GET:FILE").size(), 3);
    const QStringList progress = events.Calls().filter("progress");
    QCOMPARE(progress.size(), 7);
    QCOMPARE(progress.first(), QString("progress 1 6 1"));
    QCOMPARE(progress.mid(5), QStringList({"progress 6 6 1", "progress 6 6 0"}));
}

void TestSecondProtocolFiles::leavesOutWhatCannotArriveSafely()
{
    tPersona::tSetup setup = WithFiles();
    setup.rootListing = "DIR 0:\n<_OTDR\n<Sub\n>..\\..\\x.sor\n01.01.2026\n10\n>huge.sor\n01.01.2026\n10\n"
                        ">twice.sor\n01.01.2026\n10\n";
    setup.rootListing += QByteArray(">victim.txt\0.sor\n01.01.2026\n10\n\r", 32);
    setup.listings["0:\\Sub"] = ">s.sor\n01.01.2026\n10\n\r";
    setup.files["0:\\..\\..\\x.sor"] = "escaped!";
    setup.files["0:\\huge.sor"] = QByteArray(100, 'H');
    setup.files["0:\\twice.sor"] = QByteArray(100, 'W');
    setup.files[QByteArray("0:\\victim.txt\0.sor", 18)] = "instrument bytes";
    setup.files["0:\\Sub\\s.sor"] = QByteArray(100, 'S');
    setup.hugeFile = "0:\\huge.sor";
    setup.extraByteFile = "0:\\twice.sor";
    tPersona e(setup);
    // "_OTDR" in the working folder leads somewhere else.
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(elsewhere.path(), working + "/_OTDR"));

    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    Browse(events, ChooseAll);
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll, 60000);
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(!end.bCritical);
    QCOMPARE(end.errors, QString("Some files could not be downloaded:\n0:\\_OTDR\\TMP0_1310.sor\n0:\\..\\..\\x.sor\n"
                                 "0:\\huge.sor\n0:\\victim.txt\\x00.sor"));
    QCOMPARE(Paths(events.LastResult()), QStringList({working + "/Sub/s.sor", working + "/twice.sor"}));
    QCOMPARE(events.LastResult().at(1).data, QByteArray(100, 'W'));
    for (const QString& path : Paths(events.LastResult()))
        QVERIFY(path.startsWith(working + "/"));

    const QList<QByteArray> asked = Starting(e.CommandTexts(), "*GET:FILE");
    QCOMPARE(asked.count("*GET:FILE 0:\\huge.sor\r"), 3);
    QCOMPARE(asked.count("*GET:FILE 0:\\twice.sor\r"), 2);
    QVERIFY(!asked.contains("*GET:FILE 0:\\..\\..\\x.sor\r"));
    QVERIFY(!asked.contains(QByteArray("*GET:FILE 0:\\victim.txt\0.sor\r", 29)));
    QVERIFY(!asked.contains("*GET:FILE 0:\\_OTDR\\TMP0_1310.sor\r"));
    QVERIFY(!asked.contains("*GET:FILE 0:\\_OTDR\\empty.sor\r"));
}

void TestSecondProtocolFiles::endsOnAHangUpInAFile()
{
    tPersona::tSetup setup = WithFiles();
    setup.hangUpFile = "0:\\a.SOR";
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    Browse(events, ChooseAll);
    engine.Run(events, IDevicePlugin::LoadAll, 60000);
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCritical);
    QVERIFY2(end.errors.startsWith("Error of sending\n\n"), qPrintable(end.errors));
    QVERIFY2(end.errors.endsWith("-8:161"), qPrintable(end.errors));
    QCOMPARE(Paths(events.LastResult()),
             QStringList({working + "/_OTDR/TMP0_1310.sor", working + QString::fromUtf8("/Трасса/трасса1.sor")}));
}

void TestSecondProtocolFiles::endsSoonWhenASilentDownloadIsCancelledOrClosed_data()
{
    QTest::addColumn<bool>("bClose");
    QTest::newRow("cancel") << false;
    QTest::newRow("close") << true;
}

void TestSecondProtocolFiles::endsSoonWhenASilentDownloadIsCancelledOrClosed()
{
    QFETCH(bool, bClose);
    tPersona::tSetup setup = WithFiles();
    setup.cutFile = "0:\\a.SOR";
    tPersona e(setup);
    CEventsRecorder events;
    auto engine = std::make_unique<tEngine>(&events);
    SearchAndConnect(*engine, events, {e.SlavePath()});
    events.onDirectory = [](FInfo* root, QList<FInfo*>* list, bool*) {
        for (FInfo* child : root->children)
            if (child->name == "a.SOR")
                list->append(child);
    };
    const int before = events.Count();
    engine->StartCommand(IDevicePlugin::LoadAll);
    QVERIFY(e.WaitForCommand("*GET:FILE 0:\\a.SOR\r", 10000));
    QThread::msleep(500);

    QElapsedTimer ending;
    ending.start();
    if (bClose) {
        engine.reset();
        QCOMPARE(events.Count(), before + 1);
    } else {
        engine->Cancel();
        QVERIFY(events.WaitFor(before + 1, 10000));
    }
    QVERIFY2(ending.elapsed() < 10000, qPrintable(QString::number(ending.elapsed())));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QCOMPARE(end.errors, QString());
    QVERIFY(events.LastResult().isEmpty());
    QCOMPARE(Starting(e.CommandTexts(), "*GET:FILE").size(), 1);
}

// The rest of a file cut by Cancel still comes at the line's rate; a
// disconnection sends its command and closes the port without waiting for it.
void TestSecondProtocolFiles::disconnectsAtOnceAfterACutFile()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.rootListing = "DIR 0:\n>a.SOR\n01.02.2026\n300000\n\r";
    setup.files["0:\\a.SOR"] = QByteArray(300000, 'A');
    tPersona e(setup);
    e.PaceAtLineRate(true);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    events.onDirectory = [](FInfo* root, QList<FInfo*>* list, bool*) { list->append(root->children.value(0)); };
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::LoadAll);
    QVERIFY(e.WaitForCommand("*GET:FILE 0:\\a.SOR\r", 10000));
    const qint64 sent = e.BytesWritten();
    // Half a second into a file of six and a half.
    QTRY_VERIFY_WITH_TIMEOUT(e.BytesWritten() - sent >= 23000, 10000);
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 10000));
    QVERIFY(events.Last().bCancelled);
    QVERIFY(events.LastResult().isEmpty());

    QElapsedTimer closing;
    closing.start();
    engine.DoDisconnect();
    QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
    QVERIFY(!engine.IsConnected());
    QVERIFY(e.WaitForCommand("*DISCONN\r", 2000));
}

void TestSecondProtocolFiles::dropsAFolderTreeCutShortByCancel()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.rootListing = "DIR 0:\n";
    for (int k = 0; k < 12; ++k) {
        const QByteArray name = "f" + QByteArray::number(k);
        setup.rootListing += "<" + name + "\n";
        setup.listings["0:\\" + name] = ">" + name + ".sor\n01.01.2026\n10\n\r";
    }
    setup.rootListing += "\r";
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QStringList tree;
    events.onDirectory = [&](FInfo* root, QList<FInfo*>*, bool*) { Describe(root, 0, tree); };
    e.ClearCommands();
    events.ClearCalls();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::LoadAll);
    QVERIFY(e.WaitForCommand("*GET:DIR 0:\\f2\r", 10000));
    QElapsedTimer ending;
    ending.start();
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 10000));
    // No browser over a partial tree, no listing after the cancel.
    QVERIFY(!events.Calls().contains("directory"));
    QVERIFY(events.Last().bCancelled);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(Starting(e.CommandTexts(), "*GET:DIR ").size() <= 4);
    QVERIFY2(ending.elapsed() < 1000, qPrintable(QString::number(ending.elapsed())));

    // The next "load all" lists the whole tree anew.
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(e.CommandTexts().first(), QByteArray("*GET:DIR\r"));
    QCOMPARE(tree.size(), 1 + 2 * 12);
    QCOMPARE(tree.filter(".sor[01.01.2026|10]").size(), 12);
}

void TestSecondProtocolFiles::clearsNothing()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::ClearMemory);
    QCOMPARE(events.Last().errors, QString());
    QThread::msleep(100);
    QVERIFY(e.CommandTexts().isEmpty());
}

int main(int argc, char** argv)
{
    // Cyrillic folder names need a UTF-8 locale.
    qputenv("LC_ALL", "C.UTF-8");
    QApplication app(argc, argv);
    TestSecondProtocolFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_secondprotocolfiles.moc"
