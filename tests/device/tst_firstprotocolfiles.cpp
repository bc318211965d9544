#include "ProtocolFixture.h"
#include "support/FirstProtocolPersona.h"
#include "support/LogCatcher.h"
#include "support/Throws.h"
#include "support/TraceBuilder.h"

#include "core/Exception.h"
#include "device/DeviceExchange.h"
#include "device/ProgressData.h"
#include "device/SerialPortList.h"
#include "sor/File.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

using tPersona = CFirstProtocolPersona;

void Connect(CTestExchanger& engine, CEventsRecorder& events, const QString& port)
{
    SearchAndConnect(engine, events, {port});
    QCOMPARE(events.Last().errors, QString());
}

// Connected, with 1310 nm as the only wavelength to measure; returns what was stored.
tDeviceParams ConnectFor1310(CTestExchanger& engine, CEventsRecorder& events, const QString& port)
{
    Connect(engine, events, port);
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1310};
    engine.StoreParams(p);
    return p;
}

// A SOR file of our own stamped at `stamp`.
QByteArray SorFile(const QDir& dir, const QDateTime& stamp, int points = 3000)
{
    const QString path = dir.filePath(QString("stored-%1.sor").arg(stamp.toString("hhmmss")));
    auto file = TraceBuilder(points).Flat(5000).Slope(0.2).Build(path);
    file->GetFixedParameters()->DateTime = stamp;
    file->Save();
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    return saved.readAll();
}

QByteArray Words(const QList<quint32>& words)
{
    QByteArray bytes;
    for (quint32 w : words)
        for (int i = 0; i < 4; ++i)
            bytes.append(char((w >> (8 * i)) & 0xFF));
    return bytes;
}

tTraceBlockHeader Header(double gi, quint32 spacing, quint32 averages, quint32 first, quint32 noise)
{
    tTraceBlockHeader h;
    h.GroupIndex = float(gi);
    h.Spacing = spacing;
    h.Averages = averages;
    h.FirstWord = first;
    h.NoiseCount = noise;
    h.WordCount = 4608;
    return h;
}

} // namespace

class TestFirstProtocolFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void convertsDumps_data();
    void convertsDumps();
    void convertsSamples();
    void ceilsSamplesAtTheNoiseMean_data();
    void ceilsSamplesAtTheNoiseMean();
    void neverRisesForALargerWord_data();
    void neverRisesForALargerWord();
    void loadsAllStoredFiles();
    void refusesMemoryReplies_data();
    void refusesMemoryReplies();
    void stopsOnAFileCutShort_data();
    void stopsOnAFileCutShort();
    void cancelDropsTheFileOnItsWay_data();
    void cancelDropsTheFileOnItsWay();
    void measuresOneWavelength();
    void showsDumpsWhileMeasuring();
    void cancelsRealtime_data();
    void cancelsRealtime();
    void silentStopEndsTheConnection();
    void refusesStartReplies_data();
    void refusesStartReplies();
    void endsSoonAfterCancelOrClose_data();
    void endsSoonAfterCancelOrClose();
    void stopsAnAcquisitionCancelledAtItsStart_data();
    void stopsAnAcquisitionCancelledAtItsStart();
    void downloadsTheTraceAfterADumpAtTheLowRate();

private:
    QTemporaryDir folder;
    QString startDir;
};

void TestFirstProtocolFiles::init()
{
    startDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    QLocale::setDefault(QLocale(QStringLiteral("EN")));
}

void TestFirstProtocolFiles::cleanup()
{
    QDir::setCurrent(startDir);
    SetSerialPortList(nullptr);
}

void TestFirstProtocolFiles::convertsDumps_data()
{
    QTest::addColumn<double>("gi");
    QTest::addColumn<quint32>("spacing");
    QTest::addColumn<quint32>("averages");
    QTest::addColumn<quint32>("first");
    QTest::addColumn<quint32>("noise");
    QTest::addColumn<int>("words");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("converts") << 1.5 << 1000000u << 1u << 100u << 1u << 4608 << "1.99861638666667";
    QTest::newRow("group index 0.9") << 0.9 << 1000000u << 1u << 100u << 1u << 4608 << "16:1290";
    QTest::newRow("spacing below 1 ns") << 1.5 << 99999u << 1u << 100u << 1u << 4608 << "16:1294";
    QTest::newRow("too few words") << 1.5 << 1000000u << 1u << 100u << 1u << 4000 << "16:1303";
    QTest::newRow("noise past the first word") << 1.5 << 1000000u << 1u << 100u << 51u << 4608 << "16:1309";
    QTest::newRow("averages 0") << 1.5 << 1000000u << 0u << 100u << 1u << 4608 << "16:1330";
    QTest::newRow("averages 2^31") << 1.5 << 1000000u << 0x80000000u << 100u << 1u << 4608 << "16:1330";
    QTest::newRow("last words missing") << 1.5 << 1000000u << 1u << 497u << 48u << 4608 << "16:1303";
    QTest::newRow("last words there") << 1.5 << 1000000u << 1u << 496u << 48u << 4608 << "1.99861638666667";
}

void TestFirstProtocolFiles::convertsDumps()
{
    QFETCH(double, gi);
    QFETCH(quint32, spacing);
    QFETCH(quint32, averages);
    QFETCH(quint32, first);
    QFETCH(quint32, noise);
    QFETCH(int, words);
    QFETCH(QString, outcome);
    const QByteArray bytes = Words(QVector<quint32>(words, 5000).toList());
    QString got;
    const QString trail = FailureTrail<EInternalError>([&] {
        CProgressData data(Header(gi, spacing, averages, first, noise), bytes);
        got = QString::number(data.GetResolution(), 'f', 14);
        QCOMPARE(data.GetDataPointCount(), 4096);
    });
    QCOMPARE(trail == "nothing thrown" ? got : trail, outcome);
}

void TestFirstProtocolFiles::convertsSamples()
{
    // Averages 1: the ceiling is trunc(log10(4095) x 5000) = 18061.
    QList<quint32> words = QVector<quint32>(4608, 1000).toList();
    words[100] = 900;           // below the noise mean
    words[101] = 1000 + 999;    // 999 above it
    CProgressData one(Header(1.5, 1000000, 1, 100, 1), Words(words));
    QCOMPARE(one.GetDataPoint(0), quint16(18061));
    QCOMPARE(one.GetDataPoint(1), quint16(18061 - int(std::trunc(std::log10(999.0 + 1.0 - 1.0) * 5000))));

    // Noise count 48 takes the mean of two neighbouring words.
    QList<quint32> pairs = QVector<quint32>(4608, 1000).toList();
    pairs[99] = 1000 + 2000;
    pairs[100] = 1000 + 4000;
    CProgressData mean(Header(1.5, 1000000, 1, 100, 48), Words(pairs));
    // The noise words (0 to 95) read 1000; the pair reads 3000 and 5000.
    const quint32 v = (3000 + 5000) / 2 - 1000;
    QCOMPARE(mean.GetDataPoint(0), quint16(18061 - int(std::trunc(std::log10(double(v)) * 5000))));

    LogCatcher log;
    QCOMPARE(one.GetDataPoint(4096), quint16(0));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: n<(int)data.size()"), 1);
    CProgressData empty;
    QCOMPARE(empty.GetDataPointCount(), 4096);
    QCOMPARE(empty.GetResolution(), 1.0);
    QCOMPARE(empty.GetDataPoint(4095), quint16(0));
}

void TestFirstProtocolFiles::ceilsSamplesAtTheNoiseMean_data()
{
    QTest::addColumn<quint32>("noiseWord");
    QTest::addColumn<quint32>("traceWord");
    QTest::addColumn<int>("sample");
    // Averages 1: the ceiling is 18061.
    QTest::newRow("below the mean") << 1000u << 900u << 18061;
    QTest::newRow("above the mean") << 1000u << 1999u << 18061 - int(std::trunc(std::log10(999.0) * 5000));
    QTest::newRow("mean at the top") << 0xFFFFFFFFu << 100u << 18061;
    // The word's share of its neighbour lifts it far above the mean.
    QTest::newRow("mean and word at the top") << 0xFFFFFFFFu << 0xFFFFFFFFu << 0;
    // The word plus its share of the word a third of the noise count on
    // reaches the mean exactly: log10(0) without the wide sum.
    QTest::newRow("word at the mean at the top") << 0xFFFFFFFFu << 4294857347u << 18061;
}

void TestFirstProtocolFiles::ceilsSamplesAtTheNoiseMean()
{
    QFETCH(quint32, noiseWord);
    QFETCH(quint32, traceWord);
    QFETCH(int, sample);
    QList<quint32> words = QVector<quint32>(4608, traceWord).toList();
    words[0] = words[1] = noiseWord;
    const CProgressData data(Header(1.5, 1000000, 1, 100, 1), Words(words));
    QCOMPARE(int(data.GetDataPoint(0)), sample);
    QCOMPARE(int(data.GetDataPoint(4095)), sample);
}

void TestFirstProtocolFiles::neverRisesForALargerWord_data()
{
    QTest::addColumn<quint32>("noise");
    QTest::addColumn<quint32>("lower");
    QTest::addColumn<quint32>("higher");
    // Near the top of 32 bits the word plus its neighbour's share, or the
    // sum of a pair, no longer fits.
    QTest::newRow("one noise word") << 1u << 0xFFFE5000u << 0xFFFF0000u;
    QTest::newRow("48 noise words") << 48u << 0x40000000u << 0x80000000u;
}

void TestFirstProtocolFiles::neverRisesForALargerWord()
{
    QFETCH(quint32, noise);
    QFETCH(quint32, lower);
    QFETCH(quint32, higher);
    auto sampleOf = [&](quint32 word) {
        QList<quint32> words = QVector<quint32>(4608, word).toList();
        for (quint32 i = 0; i < 2 * noise; ++i)
            words[int(i)] = 1000;
        // Averages 16: the ceiling is trunc(log10(16 x 4095) x 5000) = 24081.
        const CProgressData data(Header(1.5, 1000000, 16, 100, noise), Words(words));
        return int(data.GetDataPoint(0));
    };
    const int low = sampleOf(lower);
    const int high = sampleOf(higher);
    QVERIFY2(high <= low, qPrintable(QString("%1 after %2").arg(high).arg(low)));
    // Both lie far above the ceiling.
    QCOMPARE(high, 0);
}

void TestFirstProtocolFiles::loadsAllStoredFiles()
{
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    const QDate day(2025, 3, 14);
    setup.files = {SorFile(store.path(), QDateTime(day, QTime(9, 27, 15))),
                   SorFile(store.path(), QDateTime(day, QTime(9, 27, 18)), 3100),
                   SorFile(store.path(), QDateTime(day, QTime(14, 37, 59)))};
    tPersona a(setup);
    QFile taken(QDir(folder.path()).filePath("250314_14375.sor"));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    const QStringList before = QDir(folder.path()).entryList(QDir::Files);

    CEventsRecorder events;
    CTestExchanger engine(&events);
    Connect(engine, events, a.SlavePath());
    a.ClearCommands();
    events.ClearCalls();
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(a.CommandTexts(), QList<QByteArray>({";SYST:MODE 3\r", ";MMEM:FREE?\r", ";SYST:MODE 3\r",
                                                  ";MMEM:LOAD:FILE? 1\r", ";MMEM:LOAD:FILE? 2\r",
                                                  ";MMEM:LOAD:FILE? 3\r"}));
    QCOMPARE(events.Calls(), QStringList({"wait 0 1 ", "progress 0 3 1", "cancellation 0", "progress 1 3 1",
                                          "cancellation 0", "progress 2 3 1", "cancellation 0", "progress 3 3 0"}));
    const IDevicePlugin::tCommandRes res = events.LastResult();
    QCOMPARE(res.size(), 3);
    const QDir dir(folder.path());
    QCOMPARE(res[0].path, dir.absoluteFilePath("250314_09271.sor"));
    QCOMPARE(res[1].path, dir.absoluteFilePath("250314_09271.sor"));
    QCOMPARE(res[2].path, dir.absoluteFilePath("250314_14375(1).sor"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(res[i].data, setup.files[i]);
    // Nothing is written, nothing erased.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
    QVERIFY(!a.CommandTexts().contains(";MMEM:INIT\r"));

    a.ClearCommands();
    engine.Run(events, IDevicePlugin::ClearMemory);
    QCOMPARE(a.CommandTexts(), QList<QByteArray>({";MMEM:INIT\r"}));
}

void TestFirstProtocolFiles::refusesMemoryReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<bool>("bCritical");
    const QString count = "Number of files is incorrect.\n\nError code is 0.272-16:1518";
    QTest::newRow("one field") << QByteArray("3\r") << count << true;
    QTest::newRow("three fields") << QByteArray("3,1,2\r") << count << true;
    QTest::newRow("no file") << QByteArray("0,100\r") << "Device is empty" << false;
    QTest::newRow("not a number") << QByteArray("x,100\r") << "Device is empty" << false;
}

void TestFirstProtocolFiles::refusesMemoryReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, errors);
    QFETCH(bool, bCritical);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.freeReply = reply;
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    Connect(engine, events, a.SlavePath());
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, errors);
    QCOMPARE(events.Last().bCritical, bCritical);
    for (const QByteArray& c : a.CommandTexts())
        QVERIFY(!c.startsWith(";MMEM:LOAD"));
}

void TestFirstProtocolFiles::stopsOnAFileCutShort_data()
{
    QTest::addColumn<bool>("bHangUp");
    QTest::newRow("cut short") << false;
    QTest::newRow("hang-up") << true;
}

void TestFirstProtocolFiles::stopsOnAFileCutShort()
{
    QFETCH(bool, bHangUp);
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.files = {SorFile(store.path(), QDateTime(QDate(2025, 3, 14), QTime(9, 27, 15))),
                   SorFile(store.path(), QDateTime(QDate(2025, 3, 14), QTime(9, 28, 15))),
                   QByteArray("not a trace at all, but long enough").repeated(40)};
    (bHangUp ? setup.hangUpInFile : setup.cutFile) = 2;
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    Connect(engine, events, a.SlavePath());
    QElapsedTimer timer;
    timer.start();
    engine.Run(events, IDevicePlugin::LoadAll);
    QVERIFY(timer.elapsed() >= 3000);
    QCOMPARE(events.Last().errors, QString("Downloaded data invalid."));
    QVERIFY(!events.Last().bCritical);
    const IDevicePlugin::tCommandRes res = events.LastResult();
    QCOMPARE(res.size(), 1);
    QCOMPARE(res[0].data, setup.files[0]);
    if (bHangUp) {
        engine.Run(events, IDevicePlugin::ClearMemory);
        QVERIFY(events.Last().bCritical);
        QVERIFY2(events.Last().errors.startsWith("Error of sending"), qPrintable(events.Last().errors));
    }
}

// At 57600 baud (the speed change refused) a stored file of 50 KB takes
// nine seconds. A cancel half a second into it drops it, the command ends
// as cancelled, and the seconds of it still on the line answer nothing of
// the next command.
void TestFirstProtocolFiles::cancelDropsTheFileOnItsWay_data()
{
    QTest::addColumn<bool>("bDisconnect");
    QTest::newRow("then a measurement") << false;
    QTest::newRow("then a disconnection") << true;
}

// The file's rest keeps coming after the cancel: the next command waits for
// it, a disconnection does not, since the port closes with it.
void TestFirstProtocolFiles::cancelDropsTheFileOnItsWay()
{
    QFETCH(bool, bDisconnect);
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.hi = tPersona::HiErr;
    setup.files = {SorFile(store.path(), QDateTime(QDate(2025, 3, 14), QTime(9, 27, 15))),
                   SorFile(store.path(), QDateTime(QDate(2025, 3, 14), QTime(9, 28, 15)), 25000),
                   SorFile(store.path(), QDateTime(QDate(2025, 3, 14), QTime(9, 29, 15)))};
    QVERIFY(setup.files[1].size() >= 50000);
    setup.measured = SorFile(store.path(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 35)));
    tPersona a(setup);
    a.PaceAtLineRate(true);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    ConnectFor1310(engine, events, a.SlavePath());
    QCOMPARE(a.Commands().last().baudRate, 57600);
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::LoadAll);
    QVERIFY(a.WaitForCommand(";MMEM:LOAD:FILE? 2\r", 20000));
    const qint64 sent = a.BytesWritten();
    QTRY_VERIFY_WITH_TIMEOUT(a.BytesWritten() - sent >= 2900, 10000);
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 30000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QVERIFY(!end.bCritical);
    QCOMPARE(end.errors, QString());
    const IDevicePlugin::tCommandRes res = events.LastResult();
    QCOMPARE(res.size(), 1);
    QCOMPARE(res[0].data, setup.files[0]);
    QVERIFY(!a.CommandTexts().contains(";MMEM:LOAD:FILE? 3\r"));

    if (bDisconnect) {
        QElapsedTimer closing;
        closing.start();
        engine.DoDisconnect();
        QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
        QVERIFY(!engine.IsConnected());
        QVERIFY(a.WaitForCommand(";SYST:MODE 0\r", 2000));
        return;
    }
    engine.Run(events, IDevicePlugin::Measure, 60000);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(events.LastResult().size(), 1);
    QCOMPARE(events.LastResult().at(0).data, setup.measured);
}

void TestFirstProtocolFiles::measuresOneWavelength()
{
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.measured = SorFile(store.path(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 35)));
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    ConnectFor1310(engine, events, a.SlavePath());
    a.ClearCommands();
    events.ClearCalls();
    engine.Run(events, IDevicePlugin::Measure, 30000);
    QCOMPARE(events.Last().errors, QString());
    const QList<QByteArray> sent = a.CommandTexts();
    const int init = sent.indexOf(";INIT\r");
    QVERIFY(init > 0);
    QCOMPARE(sent.at(init - 1), QByteArray(";SYST:MODE 1\r"));
    QVERIFY(!sent.contains(";OTDR:DUMP\r"));
    QVERIFY(sent.mid(init + 1).contains("*IDN?\r"));
    QCOMPARE(sent.last(), QByteArray(";MMEM:LOAD:FILE? 0\r"));
    const QStringList calls = events.Calls();
    QCOMPARE(calls.filter("wait 3 1").size(), 2);
    QCOMPARE(calls.filter("trace ").size(), 1);
    QCOMPARE(events.Traces().first()->GetDataPoint(0), quint16(0));
    QCOMPARE(events.Traces().first()->GetResolution(), 1.0);
    const IDevicePlugin::tCommandRes res = events.LastResult();
    QCOMPARE(res.size(), 1);
    QCOMPARE(res[0].data, setup.measured);
    QCOMPARE(QFileInfo(res[0].path).fileName(), QString("260102_03043.sor"));
}

void TestFirstProtocolFiles::showsDumpsWhileMeasuring()
{
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaB();
    setup.initReply = "12\r";
    // The old firmware counts the block's head in its length.
    setup.dumpPrefix = "#518464";
    setup.measured = SorFile(store.path(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 35)));
    tPersona b(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    Connect(engine, events, b.SlavePath());
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1310, 1550};
    engine.StoreParams(p);
    events.ClearCalls();
    QElapsedTimer timer;
    timer.start();
    engine.Run(events, IDevicePlugin::Measure, 90000);
    QCOMPARE(events.Last().errors, QString());
    QStringList calls = events.Calls();
    QCOMPARE(calls.filter("wait 15 1 Wave length 1310ns (laser 0 from 2)").size(), 1);
    QCOMPARE(calls.filter("wait 15 1 Wave length 1550ns (laser 1 from 2)").size(), 1);
    // Empty trace first, then the dumps of each acquisition.
    const QList<tFileView> traces = events.Traces();
    QVERIFY2(traces.size() >= 4, qPrintable(calls.join('|')));
    int shown = 0;
    for (const tFileView& t : traces)
        shown += t->GetDataPoint(4000) != 0;
    QVERIFY(shown >= 2);
    QCOMPARE(events.LastResult().size(), 2);
}

void TestFirstProtocolFiles::cancelsRealtime_data()
{
    QTest::addColumn<int>("stop");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<bool>("bCancelled");
    QTest::newRow("OK then END") << int(tPersona::StopOkEnd) << "" << true;
    QTest::newRow("other answer") << int(tPersona::StopOther)
                                  << "Device don't support momental cancellation.\nPlease update firmware." << false;
}

void TestFirstProtocolFiles::cancelsRealtime()
{
    QFETCH(int, stop);
    QFETCH(QString, errors);
    QFETCH(bool, bCancelled);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = "60\r";
    setup.dumpDelayMs = 50;
    setup.stop = tPersona::eStopAnswer(stop);
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    Connect(engine, events, a.SlavePath());
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1310};
    p.AverageTime = -1;
    engine.StoreParams(p);
    events.ClearCalls();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QVERIFY(a.WaitForCommand(";OTDR:DUMP\r", 30000));
    QTest::qWait(300);
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 60000));
    QCOMPARE(events.Last().errors, errors);
    QCOMPARE(events.Last().bCancelled, bCancelled);
    QVERIFY(events.LastResult().isEmpty());
    QCOMPARE(a.CommandTexts().count(";OTDR:STOP\r"), 1);
}

// A stop that gets no answer at all, not even to the identification that
// follows it: the link is lost.
void TestFirstProtocolFiles::silentStopEndsTheConnection()
{
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.stop = tPersona::StopSilent;
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    ConnectFor1310(engine, events, a.SlavePath());
    events.ClearCalls();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    // The empty live trace comes once the start reply was read.
    QElapsedTimer timer;
    timer.start();
    while (events.Calls().filter("trace ").isEmpty() && timer.elapsed() < 20000)
        QThread::msleep(5);
    QVERIFY(!events.Calls().filter("trace ").isEmpty());
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 30000));
    QCOMPARE(events.Last().errors, QString("Device don't response.\n\nError code is 0.272-16:1268"));
    QVERIFY(events.Last().bCritical);
    QVERIFY(events.LastResult().isEmpty());
    QCOMPARE(a.CommandTexts().count(";OTDR:STOP\r"), 1);
    QVERIFY(!a.CommandTexts().contains(";MMEM:LOAD:FILE? 0\r"));
}

void TestFirstProtocolFiles::refusesStartReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("unanswered") << QByteArray();
    QTest::newRow("not a number") << QByteArray("abc\r");
    QTest::newRow("negative") << QByteArray("-1\r");
}

void TestFirstProtocolFiles::refusesStartReplies()
{
    QFETCH(QByteArray, reply);
    tPersona::tSetup setup = tPersona::PersonaB();
    setup.initReply = reply;
    tPersona b(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    tDeviceParams p = ConnectFor1310(engine, events, b.SlavePath());
    engine.Run(events, IDevicePlugin::Measure);
    QCOMPARE(events.Last().errors, QString("Error on measure request.\n\nError code is 0.272-16:1163"));
    QVERIFY(events.Last().bCritical);

    // Realtime without a wavelength ends at once.
    p.WaveLenNm.clear();
    p.AverageTime = -1;
    engine.StoreParams(p);
    LogCatcher log;
    QElapsedTimer timer;
    timer.start();
    engine.Run(events, IDevicePlugin::Measure);
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(events.LastResult().isEmpty());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: params.WaveLenNm.size()>0"), 1);
}

void TestFirstProtocolFiles::endsSoonAfterCancelOrClose_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<bool>("bClose");
    QTest::newRow("dripping file, cancel") << "drips" << false;
    QTest::newRow("dripping file, close") << "drips" << true;
    QTest::newRow("three hours, stop ignored, cancel") << "ignores the stop" << false;
    QTest::newRow("three hours, stop ignored, close") << "ignores the stop" << true;
    QTest::newRow("three hours, stop ignored, cancel then close") << "ignores the stop, closed" << false;
    // The window closes a moment after the cancel, before the stop begins.
    QTest::newRow("three hours, stop ignored, cancel and close at once") << "ignores the stop, closed at once"
                                                                          << false;
}

void TestFirstProtocolFiles::endsSoonAfterCancelOrClose()
{
    QFETCH(QString, instrument);
    QFETCH(bool, bClose);
    const bool bDrips = instrument == "drips";
    tPersona::tSetup setup = tPersona::PersonaA();
    // One byte every 300 ms: each within the download's wait, the whole
    // file in seven minutes.
    setup.files = {QByteArray(1400, 'd')};
    setup.dripFile = 1;
    setup.initReply = "10800\r";
    setup.stop = tPersona::StopSilent;
    tPersona a(setup);
    CEventsRecorder events;
    auto engine = std::make_unique<CTestExchanger>(&events);
    ConnectFor1310(*engine, events, a.SlavePath());
    // Prodded after the stop, it stays silent too.
    a.On("*IDN?\r", [](CScriptedInstrument&, const QByteArray&) {});
    a.ClearCommands();
    const int before = events.Count();
    engine->StartCommand(bDrips ? IDevicePlugin::LoadAll : IDevicePlugin::Measure);
    QVERIFY(a.WaitForCommand(bDrips ? ";MMEM:LOAD:FILE? 1\r" : ";INIT\r", 10000));
    QThread::msleep(800);

    QElapsedTimer ending;
    ending.start();
    if (bClose) {
        engine.reset();
        QCOMPARE(events.Count(), before + 1);
    } else if (instrument.endsWith("at once")) {
        engine->Cancel();
        QElapsedTimer closing;
        closing.start();
        engine.reset();
        QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
        QCOMPARE(events.Count(), before + 1);
    } else if (instrument.endsWith("closed")) {
        // The window closes while the stop is awaited: it is given up at once.
        engine->Cancel();
        QVERIFY(a.WaitForCommand(";OTDR:STOP\r", 5000));
        QThread::msleep(300);
        QElapsedTimer closing;
        closing.start();
        engine.reset();
        QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
        QCOMPARE(events.Count(), before + 1);
    } else {
        engine->Cancel();
        QVERIFY(events.WaitFor(before + 1, 10000));
    }
    QVERIFY2(ending.elapsed() < 10000, qPrintable(QString::number(ending.elapsed())));
    const CEventsRecorder::tEnd end = events.Last();
    if (bDrips) {
        QVERIFY(end.bCancelled);
        QCOMPARE(end.errors, QString());
        for (const tReceivedFile& f : events.LastResult())
            QVERIFY(f.data.isEmpty());
    } else {
        const QList<QByteArray> sent = a.CommandTexts();
        QCOMPARE(sent.count(";OTDR:STOP\r"), 1);
        QVERIFY(end.bCritical);
        QVERIFY2(end.errors.startsWith("Device don't response.\n\n"), qPrintable(end.errors));
        // Given up, the silent instrument is not prodded after the stop.
        if (instrument.contains("closed"))
            QVERIFY(!sent.mid(sent.indexOf(";OTDR:STOP\r")).contains("*IDN?\r"));
    }
}

void TestFirstProtocolFiles::stopsAnAcquisitionCancelledAtItsStart_data()
{
    QTest::addColumn<QByteArray>("initReply");
    QTest::addColumn<int>("initDelayMs");
    // The start's own wait is 200 ms; a reply after it comes during the stop.
    QTest::newRow("start answered within its wait") << QByteArray("60\r") << 150;
    QTest::newRow("start answered 400 ms late") << QByteArray("10\r") << 400;
    QTest::newRow("start answered 1500 ms late") << QByteArray("10\r") << 1500;
    QTest::newRow("start unanswered") << QByteArray() << 0;
}

void TestFirstProtocolFiles::stopsAnAcquisitionCancelledAtItsStart()
{
    QFETCH(QByteArray, initReply);
    QFETCH(int, initDelayMs);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.initReply = initReply;
    setup.initDelayMs = initDelayMs;
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    ConnectFor1310(engine, events, a.SlavePath());
    a.ClearCommands();
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QVERIFY(a.WaitForCommand(";INIT\r", 10000));
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 15000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QCOMPARE(end.errors, QString());
    const QList<QByteArray> sent = a.CommandTexts();
    QCOMPARE(sent.count(";OTDR:STOP\r"), 1);
    QVERIFY(sent.indexOf(";OTDR:STOP\r") > sent.indexOf(";INIT\r"));
    QVERIFY(!sent.contains(";MMEM:LOAD:FILE? 0\r"));
    // The stop was confirmed: nothing was prodded after it.
    QVERIFY(!sent.mid(sent.indexOf(";OTDR:STOP\r")).contains("*IDN?\r"));
}

void TestFirstProtocolFiles::downloadsTheTraceAfterADumpAtTheLowRate()
{
    QTemporaryDir store;
    tPersona::tSetup setup = tPersona::PersonaA();
    // The speed change is refused: the link stays at 57600 baud, where a
    // dump takes over three seconds.
    setup.hi = tPersona::HiErr;
    // T = 9.5 s: the only dump is asked for with half a second left and read
    // as text, which ends at its first CR (the first word, 13).
    setup.initReply = "6\r";
    setup.endBeforeMs = -5000;
    setup.dumpDelayMs = 20;
    setup.dumpPayload = tPersona::Dump(13);
    setup.measured = SorFile(store.path(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 35)));
    tPersona a(setup);
    a.PaceAtLineRate(true);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    ConnectFor1310(engine, events, a.SlavePath());
    a.ClearCommands();
    engine.Run(events, IDevicePlugin::Measure, 40000);
    QCOMPARE(events.Last().errors, QString());
    const QList<QByteArray> sent = a.CommandTexts();
    QCOMPARE(sent.count(";OTDR:DUMP\r"), 1);
    QCOMPARE(a.Commands().last().baudRate, 57600);
    const IDevicePlugin::tCommandRes res = events.LastResult();
    QCOMPARE(res.size(), 1);
    QCOMPARE(res[0].data, setup.measured);
}

QTEST_GUILESS_MAIN(TestFirstProtocolFiles)
#include "tst_firstprotocolfiles.moc"
