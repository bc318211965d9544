#include "ProtocolFixture.h"
#include "support/FirstProtocolPersona.h"
#include "support/LogCatcher.h"

#include "device/DeviceExchanger3.h"

#include <QtTest>

namespace {

using tPersona = CFirstProtocolPersona;
using tEngine = CTestExchangerOf<CDeviceExchanger3>;

int IndexOf(const QList<CScriptedInstrument::tCommandSeen>& seen, const QByteArray& text)
{
    for (int i = 0; i < seen.size(); ++i)
        if (seen.at(i).text == text)
            return i;
    return -1;
}

QStringList ShortSilences(const QList<CScriptedInstrument::tCommandSeen>& seen)
{
    QStringList short_;
    for (const CScriptedInstrument::tCommandSeen& c : seen)
        if (c.silenceUsec < 50000)
            short_ << QString("%1 after %2 us").arg(QString::fromLatin1(c.text)).arg(c.silenceUsec);
    return short_;
}

// Connected to D with one wavelength, or with `waveLens` measured.
void Prepare(tEngine& engine, CEventsRecorder& events, tPersona& d, const QList<int>& waveLens, int averaging)
{
    SearchAndConnect(engine, events, {d.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = waveLens;
    p.AverageTime = averaging;
    engine.StoreParams(p);
    d.ClearCommands();
    events.ClearCalls();
}

} // namespace

class TestThirdProtocolMeasure : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetSerialPortList(nullptr); }

    void measuresWithLiveDumps_data();
    void measuresWithLiveDumps();
    void alternatesLasersInRealtime();
    void endsAtOnceWithoutWavelengths();
    void reportsAcquisitionFailures_data();
    void reportsAcquisitionFailures();
    void stopsAnAcquisitionCancelledAtItsStart_data();
    void stopsAnAcquisitionCancelledAtItsStart();
    void keepsTheFirstProtocolsFileCommands();
};

void TestThirdProtocolMeasure::measuresWithLiveDumps_data()
{
    QTest::addColumn<QByteArray>("dump");
    QTest::addColumn<bool>("bShown");
    QTest::newRow("whole dump") << tPersona::Dump(100, 0, 5600, 5600) << true;
    QTest::newRow("dump of the first protocol's size") << tPersona::Dump(100, 0, 4608, 5600) << false;
    // 1500 + 48 / 3 words lie past the last one.
    QTest::newRow("samples past the words") << tPersona::Dump(1500, 48, 5600, 5600) << false;
}

void TestThirdProtocolMeasure::measuresWithLiveDumps()
{
    QFETCH(QByteArray, dump);
    QFETCH(bool, bShown);
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.initReply = "12\r";
    setup.dumpPayload = dump;
    setup.measured = QByteArray(2000, 'M');
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    Prepare(engine, events, d, {1310}, 15);
    LogCatcher log;
    engine.Run(events, IDevicePlugin::Measure, 60000);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(events.LastResult().size(), 1);
    QCOMPARE(events.LastResult().at(0).data, QByteArray(2000, 'M'));

    const QStringList calls = events.Calls();
    QCOMPARE(calls.mid(0, 3), QStringList({"wait 3 1 ", "wait 15 1 ", "trace 4096"}));
    const QStringList traces = calls.filter("trace");
    QCOMPARE(traces.size() > 1, bShown);
    QCOMPARE(traces.count("trace 4096"), traces.size());

    const QList<CScriptedInstrument::tCommandSeen> seen = d.Commands();
    const int init = IndexOf(seen, ";INIT\r");
    const int firstDump = IndexOf(seen, ";OTDR:DUMP\r");
    QVERIFY(init >= 0 && firstDump > init);
    QVERIFY2(seen.at(firstDump).usec - seen.at(init).usec >= 8000000,
             qPrintable(QString::number(seen.at(firstDump).usec - seen.at(init).usec)));
    QVERIFY(IndexOf(seen, ";MMEM:LOAD:FILE? 0\r") > firstDump);
    QVERIFY(IndexOf(seen, "*IDN?\r") > firstDump);
    QCOMPARE(ShortSilences(seen), QStringList());
    for (const CScriptedInstrument::tCommandSeen& c : seen)
        QVERIFY2(!c.text.startsWith(";SYST:MODE 1"), "no measuring mode");
}

void TestThirdProtocolMeasure::alternatesLasersInRealtime()
{
    tPersona d(tPersona::PersonaD());
    CEventsRecorder events;
    tEngine engine(&events);
    Prepare(engine, events, d, {1310, 1550}, -1);
    const QString first = "wait 0 1 Realtime view\nWave length 1310ns (laser 0 from 2)";
    const QString second = "wait 0 1 Realtime view\nWave length 1550ns (laser 1 from 2)";
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QTRY_VERIFY_WITH_TIMEOUT(events.Calls().count(first) >= 2 * 2, 40000);
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 20000));
    QVERIFY(events.Last().bCancelled);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(events.LastResult().isEmpty());

    QStringList titles = events.Calls().filter("Realtime view");
    titles.removeDuplicates();
    QCOMPARE(titles, QStringList({first, second}));
    QStringList order;
    for (const QString& call : events.Calls())
        if (call.startsWith("wait 0 1 ") && (order.isEmpty() || order.last() != call))
            order << call;
    for (int i = 0; i < order.size(); ++i)
        QCOMPARE(order.at(i), i % 2 ? second : first);
    QCOMPARE(ShortSilences(d.Commands()), QStringList());
}

void TestThirdProtocolMeasure::endsAtOnceWithoutWavelengths()
{
    tPersona d(tPersona::PersonaD());
    CEventsRecorder events;
    tEngine engine(&events);
    Prepare(engine, events, d, {}, -1);
    LogCatcher log;
    QElapsedTimer timer;
    timer.start();
    engine.Run(events, IDevicePlugin::Measure);
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: params.WaveLenNm.size()>0"), 1);
    QVERIFY(d.CommandTexts().isEmpty());
}

void TestThirdProtocolMeasure::reportsAcquisitionFailures_data()
{
    QTest::addColumn<QByteArray>("initReply");
    QTest::addColumn<int>("stop");
    QTest::addColumn<bool>("bQuietIdn");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("cancels");
    QTest::newRow("no answer to the start") << QByteArray() << int(tPersona::StopOkEnd) << false
                                            << "Error on measure request.|critical|256:851" << 0;
    QTest::newRow("stopped") << QByteArray("12\r") << int(tPersona::StopOkEnd) << false << "cancelled" << 1;
    QTest::newRow("silent instrument") << QByteArray("12\r") << int(tPersona::StopSilent) << true
                                       << "Device don't response.|critical|256:969" << 1;
    // The window closes a moment after the cancel, before the stop begins:
    // the stop goes out and is given up at once.
    QTest::newRow("silent instrument, window closed at once")
        << QByteArray("12\r") << int(tPersona::StopSilent) << true << "Device don't response.|critical|256:969" << 2;
    QTest::newRow("no momentary stop") << QByteArray("12\r") << int(tPersona::StopOther) << false
                                       << "Device don't support momental cancellation.\nPlease update "
                                          "firmware.|not critical" << 1;
}

void TestThirdProtocolMeasure::reportsAcquisitionFailures()
{
    QFETCH(QByteArray, initReply);
    QFETCH(int, stop);
    QFETCH(bool, bQuietIdn);
    QFETCH(QString, outcome);
    QFETCH(int, cancels);
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.initReply = initReply;
    setup.stop = tPersona::eStopAnswer(stop);
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    Prepare(engine, events, d, {1310}, 15);
    if (bQuietIdn)
        d.On("*IDN?\r", [](CScriptedInstrument&, const QByteArray&) {});
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QElapsedTimer stopping;
    if (!initReply.isEmpty()) {
        QVERIFY(d.WaitForCommand(";INIT\r", 20000));
        QThread::msleep(1000);
        stopping.start();
        for (int k = 0; k < cancels; ++k)
            engine.Cancel();
    }
    QVERIFY(events.WaitFor(before + 1, 40000));
    if (cancels > 1)
        QVERIFY2(stopping.elapsed() < 2000, qPrintable(QString::number(stopping.elapsed())));
    const CEventsRecorder::tEnd end = events.Last();
    if (outcome == "cancelled") {
        QVERIFY(end.bCancelled);
        QCOMPARE(end.errors, QString());
    } else if (outcome.endsWith("not critical")) {
        QVERIFY(!end.bCritical);
        QCOMPARE(end.errors, outcome.section('|', 0, 0));
    } else {
        QVERIFY(end.bCritical);
        QVERIFY2(end.errors.startsWith(outcome.section('|', 0, 0) + "\n\n"), qPrintable(end.errors));
        QVERIFY2(end.errors.endsWith("-" + outcome.section('|', 2, 2)), qPrintable(end.errors));
    }
    if (!initReply.isEmpty()) {
        const QList<QByteArray> sent = d.CommandTexts();
        QCOMPARE(sent.count(";OTDR:STOP\r"), 1);
        QVERIFY(!sent.contains(";MMEM:LOAD:FILE? 0\r"));
        if (cancels > 1)
            QVERIFY(!sent.mid(sent.indexOf(";OTDR:STOP\r")).contains("*IDN?\r"));
    }
    QCOMPARE(ShortSilences(d.Commands()), QStringList());
}

void TestThirdProtocolMeasure::stopsAnAcquisitionCancelledAtItsStart_data()
{
    QTest::addColumn<QByteArray>("initReply");
    QTest::addColumn<int>("initDelayMs");
    // The start's own wait is 200 ms; a reply after it comes during the stop.
    QTest::newRow("start answered within its wait") << QByteArray("60\r") << 150;
    QTest::newRow("start answered 400 ms late") << QByteArray("10\r") << 400;
    QTest::newRow("start answered 1500 ms late") << QByteArray("10\r") << 1500;
    QTest::newRow("start unanswered") << QByteArray() << 0;
}

void TestThirdProtocolMeasure::stopsAnAcquisitionCancelledAtItsStart()
{
    QFETCH(QByteArray, initReply);
    QFETCH(int, initDelayMs);
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.initReply = initReply;
    setup.initDelayMs = initDelayMs;
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    Prepare(engine, events, d, {1310}, 15);
    const int before = events.Count();
    engine.StartCommand(IDevicePlugin::Measure);
    QVERIFY(d.WaitForCommand(";INIT\r", 10000));
    engine.Cancel();
    QVERIFY(events.WaitFor(before + 1, 15000));
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCancelled);
    QCOMPARE(end.errors, QString());
    const QList<QByteArray> sent = d.CommandTexts();
    QCOMPARE(sent.count(";OTDR:STOP\r"), 1);
    QVERIFY(sent.indexOf(";OTDR:STOP\r") > sent.indexOf(";INIT\r"));
    QVERIFY(!sent.contains(";MMEM:LOAD:FILE? 0\r"));
    // The stop was confirmed: nothing was prodded after it.
    QVERIFY(!sent.mid(sent.indexOf(";OTDR:STOP\r")).contains("*IDN?\r"));
}

void TestThirdProtocolMeasure::keepsTheFirstProtocolsFileCommands()
{
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.files = {QByteArray(1500, 'a'), QByteArray(1600, 'b')};
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    QCOMPARE(engine.GetCapabilities() & 3, 0);
    Prepare(engine, events, d, {1310}, 15);
    engine.Run(events, IDevicePlugin::LoadAll);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(events.LastResult().size(), 2);
    QCOMPARE(events.LastResult().at(1).data, QByteArray(1600, 'b'));
    QCOMPARE(d.CommandTexts().mid(0, 2), QList<QByteArray>({";SYST:MODE 3\r", ";MMEM:FREE?\r"}));

    d.ClearCommands();
    engine.Run(events, IDevicePlugin::ClearMemory);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(d.CommandTexts(), QList<QByteArray>({";MMEM:INIT\r"}));
}

QTEST_GUILESS_MAIN(TestThirdProtocolMeasure)
#include "tst_thirdprotocolmeasure.moc"
