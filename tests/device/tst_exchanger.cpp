#include "ExchangerFixture.h"
#include "support/LogCatcher.h"
#include "support/ScriptedInstrument.h"
#include "support/Throws.h"

#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/DeviceExchanger.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <mutex>
#include <thread>
#include <new>

namespace {

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

// A port whose first IsConnected takes its time, and which notes being
// destroyed while that call is still inside it.
class CSlowPort : public IDeviceConnector
{
public:
    explicit CSlowPort(bool bOpen, bool bSlow) : bOpen(bOpen), bSlow(bSlow) {}
    ~CSlowPort() override
    {
        if (asked == this)
            bFreedWhileAsked = true;
    }
    bool Connect(const QString&, int, const tLineStates*) override { return bOpen; }
    QString GetPortName() override { return QStringLiteral("slow"); }
    QStringList EnumeratePorts() override { return {}; }
    void Disconnect() override {}
    void Send(const QByteArray&) override {}
    bool HasData() override { return false; }
    QByteArray Receive() override { return {}; }
    bool IsConnected() override
    {
        const bool bAnswer = bOpen;
        if (bSlow.exchange(false)) {
            asked = this;
            QThread::msleep(500);
            // Nothing of the object after the pause: it may be gone.
            asked = nullptr;
        }
        return bAnswer;
    }

    static std::atomic<const void*> asked;
    static std::atomic<bool> bFreedWhileAsked;

private:
    const bool bOpen;
    std::atomic<bool> bSlow;
};

std::atomic<const void*> CSlowPort::asked{nullptr};
std::atomic<bool> CSlowPort::bFreedWhileAsked{false};

// Reaches the engine's own port and its jobs outside the command cycle.
class CPortEngine : public CTestExchanger
{
public:
    using CTestExchanger::CTestExchanger;
    using CDeviceExchanger::RunOnExchangeThread;
    using CDeviceExchanger::TakeSelectedPort;
    void UsePort(const tConnector& port) { connector = port; }
    void Choose(const tFoundDevice& device) { selectedDevice = device; }
};

const QString cInvalid = QStringLiteral(
    "Device parameters are invalid.\nProbably, you use incompatible device or device is not connected.");

} // namespace

class TestExchanger : public QObject
{
    Q_OBJECT

private slots:
    void readsRepliesInTime();
    void reportsEachCommandOnce();
    void reportsWhatEscapesAStep_data();
    void reportsWhatEscapesAStep();
    void neverSeesOldBytes();
    void runsAThousandChainedCommands();
    void refusesASecondCommandWithAnEnd();
    void runsAJobThatOutlivedItsWaitOnce();
    void keepsThePortAskedWhileItIsReplaced();
    void downloadsBlocks_data();
    void downloadsBlocks();
    void carriesBytesAfterABlockWithinACommand();
    void refusedLengthHoldsTheNextCommandOnlyBriefly();
    void correctsLengthOfOldFirmware_data();
    void correctsLengthOfOldFirmware();
    void answersIdentityAndCapabilities_data();
    void answersIdentityAndCapabilities();
    void setsTheClock();
    void sharesRecordsWithThePanel();
};

void TestExchanger::readsRepliesInTime()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    QVERIFY(engine.IsConnected());
    LogCatcher log;

    QByteArray reply;
    qint64 ms = 0;
    auto timed = [&](std::function<QByteArray()> read) {
        engine.RunStep(events, [&] {
            QElapsedTimer timer;
            timer.start();
            reply = read();
            ms = timer.elapsed();
        });
    };

    // Early reply: back at the next poll.
    timed([&] {
        instrument.WriteAfter(30, "OK\r");
        return engine.GetResponse(200, true, true);
    });
    QCOMPARE(reply, QByteArray("OK\r"));
    QVERIFY2(ms < 150, qPrintable(QString::number(ms)));
    QVERIFY(log.Texts(QtDebugMsg).filter("GetResponse(").last().contains("OK"));

    timed([&] { return engine.GetResponse(200, true, true); });
    QCOMPARE(reply, QByteArray());
    QVERIFY(ms >= 200);
    QVERIFY(log.Texts(QtDebugMsg).filter("GetResponse(").last().contains("FAILED"));

    // Two chunks without a CR in the first: joined, or the first alone.
    timed([&] {
        instrument.WriteAfter(10, "AB");
        instrument.WriteAfter(80, "C\r");
        return engine.GetResponse(400, true, true);
    });
    QCOMPARE(reply, QByteArray("ABC\r"));
    timed([&] {
        instrument.WriteAfter(10, "AB");
        instrument.WriteAfter(80, "C\r");
        return engine.GetResponse(400, false, true);
    });
    QCOMPARE(reply, QByteArray("AB"));
    QTest::qWait(150);

    // Bytes after the CR stay in the reply.
    timed([&] {
        instrument.WriteAfter(10, "OK\rXY");
        QThread::msleep(60);
        return engine.GetResponse(200, true, true);
    });
    QCOMPARE(reply, QByteArray("OK\rXY"));

    // Cancel empties the reply even when bytes came.
    timed([&] {
        instrument.WriteAfter(10, "PART");
        QThread::msleep(40);
        engine.Cancel();
        return engine.GetResponse(2000, true, true);
    });
    QCOMPARE(reply, QByteArray());
    QVERIFY2(ms < 100, qPrintable(QString::number(ms)));
    QVERIFY(log.Texts(QtDebugMsg).filter("GetResponse(").last().contains("CANCELLED"));
}

void TestExchanger::reportsEachCommandOnce()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    LogCatcher log;
    // The next command starts from inside the exchange end.
    int chained = 0;
    events.onEnd = [&] {
        if (chained++ < 3)
            engine.StartCommand(IDevicePlugin::ClearMemory);
    };
    engine.step = [] {};
    engine.StartCommand(IDevicePlugin::ClearMemory);
    QVERIFY(events.WaitFor(1 + 4));
    QTest::qWait(100);
    QCOMPARE(events.Count(), 1 + 4);
    QCOMPARE(events.Last().cmd, IDevicePlugin::ClearMemory);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: cmd == NoCommand"), 0);
}

void TestExchanger::reportsWhatEscapesAStep_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<bool>("bCritical");
    const QString code = QStringLiteral("\n\nError code is 0.272-");
    QTest::newRow("exchange, not critical") << 0 << "Device is empty" << false;
    QTest::newRow("exchange parameters") << 1 << cInvalid + code + "16:313" << true;
    QTest::newRow("other exception") << 2 << "Application internal error" + code + "16:9" << true;
    QTest::newRow("bad_alloc") << 3 << "Application internal error" + code + "16:536" << true;
}

void TestExchanger::reportsWhatEscapesAStep()
{
    QFETCH(int, kind);
    QFETCH(QString, errors);
    QFETCH(bool, bCritical);
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    LogCatcher log;
    engine.RunStep(events, [kind] {
        switch (kind) {
        case 0: throw EDeviceExchange({tErrorCode(16, 1522)}, "Device is empty", false);
        case 1: throw EExchangeParameters({tErrorCode(16, 313)});
        case 2: throw EInternalError({tErrorCode(16, 9)});
        default: throw std::bad_alloc();
        }
    });
    QCOMPARE(events.Last().errors, errors);
    QCOMPARE(events.Last().bCritical, bCritical);
    QVERIFY(!events.Last().bCancelled);
    // The engine lives on and takes the next command.
    engine.RunStep(events, [] {});
    QCOMPARE(events.Last().errors, QString());
}

void TestExchanger::neverSeesOldBytes()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    instrument.Write("STALE\r");
    QTest::qWait(100);
    QByteArray reply = "unset";
    engine.RunStep(events, [&] { reply = engine.GetResponse(100, true, true); });
    QCOMPARE(reply, QByteArray());
}

void TestExchanger::runsAThousandChainedCommands()
{
    CEventsRecorder events;
    CTestExchanger engine(&events);
    LogCatcher log;
    std::atomic<int> started{1};
    engine.step = [] {};
    events.onEnd = [&] {
        if (started < 1000) {
            ++started;
            engine.StartCommand(IDevicePlugin::ClearMemory);
        }
    };
    engine.StartCommand(IDevicePlugin::ClearMemory);
    QVERIFY(events.WaitFor(1000, 60000));
    QTest::qWait(50);
    QCOMPARE(events.Count(), 1000);
    QCOMPARE(log.Count(QtWarningMsg, "WARNING: CDeviceExchanger thread will be terminated manually"), 0);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: cmd == NoCommand"), 0);

    // Started from the GUI thread after each end, the same.
    events.onEnd = nullptr;
    for (int i = 0; i < 50; ++i) {
        engine.StartCommand(IDevicePlugin::ClearMemory);
        QVERIFY(events.WaitFor(1001 + i));
    }
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: cmd == NoCommand"), 0);
}

// The caller of a refused command learns of it at once; the running one
// goes on to its own end.
void TestExchanger::refusesASecondCommandWithAnEnd()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    LogCatcher log;
    const int before = events.Count();
    engine.step = [] { QThread::msleep(400); };
    engine.StartCommand(IDevicePlugin::ClearMemory);
    engine.StartCommand(IDevicePlugin::SetDateTime);
    QCOMPARE(events.Count(), before + 1);
    QCOMPARE(events.Last().cmd, IDevicePlugin::SetDateTime);
    QCOMPARE(events.Last().errors, QString("The device is busy with another command."));
    QVERIFY(!events.Last().bCancelled);
    QVERIFY(!events.Last().bCritical);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: cmd == NoCommand"), 1);

    QVERIFY(events.WaitFor(before + 2));
    QCOMPARE(events.Last().cmd, IDevicePlugin::ClearMemory);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(instrument.CommandTexts().isEmpty());
    bool bRan = false;
    engine.RunStep(events, [&] { bRan = true; });
    QVERIFY(bRan);
    QCOMPARE(events.Last().errors, QString());
}

// A disconnection that outlasts its wait ends later on its own; the next
// command runs itself, not the old job again.
void TestExchanger::runsAJobThatOutlivedItsWaitOnce()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CPortEngine engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    // The end is reported before the thread is done.
    QVERIFY(engine.wait(10000));
    std::atomic<int> jobRuns{0};
    std::atomic<bool> bReleased{false};
    QVERIFY(!engine.RunOnExchangeThread(
        [&] {
            ++jobRuns;
            while (!bReleased)
                QThread::msleep(1);
        },
        20));
    bReleased = true;
    bool bStepRan = false;
    const int before = events.Count();
    engine.step = [&] { bStepRan = true; };
    engine.StartCommand(IDevicePlugin::ClearMemory);
    QVERIFY(events.WaitFor(before + 1, 5000));
    QVERIFY(bStepRan);
    QCOMPARE(jobRuns.load(), 1);
    QCOMPARE(events.Last().cmd, IDevicePlugin::ClearMemory);
    QCOMPARE(events.Last().errors, QString());
}

// The status bar asks whether the link is up while a connection replaces
// the engine's port: the port asked is not freed under the question.
void TestExchanger::keepsThePortAskedWhileItIsReplaced()
{
    CEventsRecorder events;
    CPortEngine engine(&events);
    engine.UsePort(QSharedPointer<CSlowPort>::create(false, true));
    tFoundDevice chosen;
    chosen.port = QStringLiteral("slow");
    chosen.connector = QSharedPointer<CSlowPort>::create(true, false);
    engine.Choose(chosen);
    chosen = tFoundDevice();
    CSlowPort::bFreedWhileAsked = false;

    bool bAnswer = true;
    std::thread statusBar([&] { bAnswer = engine.IsConnected(); });
    QElapsedTimer timer;
    timer.start();
    while (!CSlowPort::asked && timer.elapsed() < 5000)
        QThread::msleep(1);
    QVERIFY(CSlowPort::asked);
    engine.RunStep(events, [&] { engine.TakeSelectedPort(16, 956); });
    statusBar.join();
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(!bAnswer);
    QVERIFY(engine.IsConnected());
    QVERIFY(!CSlowPort::bFreedWhileAsked);
}

void TestExchanger::downloadsBlocks_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("minSize");
    QTest::addColumn<int>("maxSize");
    QTest::addColumn<bool>("bAsResponse");
    QTest::addColumn<QString>("outcome"); // "true:<hex>", "false:<hex>" or the trail
    QTest::newRow("block") << QByteArray("#14ABCD") << 4 << 0 << false << "true:41424344";
    QTest::newRow("block with zero bytes") << QByteArray("#14A\0\rD", 7) << 4 << 4 << true << "true:41000d44";
    QTest::newRow("digit count 0") << QByteArray("#04ABCD") << 1 << 0 << false << "16:1495";
    QTest::newRow("digit count 8") << QByteArray("#800000004ABCD") << 1 << 0 << false << "16:1495";
    QTest::newRow("digit count not a digit") << QByteArray("#x4ABCD") << 1 << 0 << false << "16:1495";
    QTest::newRow("signed length") << QByteArray("#2+5ABCDE") << 1 << 0 << false << "16:1495";
    QTest::newRow("below minimum") << QByteArray("#13ABC") << 4 << 0 << true << "16:1495";
    QTest::newRow("above maximum") << QByteArray("#15ABCDE") << 1 << 4 << true << "16:1495";
    QTest::newRow("cut short") << QByteArray("#16ABC") << 1 << 0 << true << "16:1495";
    QTest::newRow("END as response") << QByteArray("END\r") << 1 << 0 << true << "false:454e440d";
    QTest::newRow("not a block") << QByteArray("X123") << 1 << 0 << false << "16:1495";
}

// Runs DownloadData on the exchange thread: "true:"/"false:" and the bytes in
// hex, or the trail of the exchange error (with its flag when critical).
QString Download(CTestExchanger& engine, CEventsRecorder& events, std::function<void()> before, int minSize,
                 int msWait, int maxSize, int msTotalWait, bool bAsResponse)
{
    QString got;
    engine.RunStep(events, [&] {
        before();
        QByteArray out;
        try {
            const bool bBlock = engine.DownloadData(out, minSize, msWait, maxSize, msTotalWait, bAsResponse, false);
            got = (bBlock ? "true:" : "false:") + QString::fromLatin1(out.toHex());
        } catch (const EDeviceExchange& e) {
            got = TrailOf(e) + (e.IsCritical() ? " critical" : "");
            if (e.GetDescription() != "Downloaded data invalid.")
                got += " " + e.GetDescription();
        }
    });
    return got;
}

void TestExchanger::downloadsBlocks()
{
    QFETCH(QByteArray, sent);
    QFETCH(int, minSize);
    QFETCH(int, maxSize);
    QFETCH(bool, bAsResponse);
    QFETCH(QString, outcome);
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(Download(engine, events, [&] { instrument.WriteAfter(20, sent); }, minSize, 300, maxSize, 2000,
                      bAsResponse),
             outcome);
    // The overall bound holds however the bytes came.
    QVERIFY(timer.elapsed() < 2500);
}

void TestExchanger::carriesBytesAfterABlockWithinACommand()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    LogCatcher log;
    QByteArray first, second, response;
    engine.RunStep(events, [&] {
        instrument.WriteAfter(10, "#13ABC#12XY");
        QThread::msleep(50);
        engine.DownloadData(first, 3, 300, 0, 1000, false, false);
        response = engine.GetResponse(50, true, false);
        engine.DownloadData(second, 2, 300, 0, 1000, false, false);
    });
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(first, QByteArray("ABC"));
    QCOMPARE(response, QByteArray());
    QCOMPARE(second, QByteArray("XY"));
    QCOMPARE(log.Count(QtDebugMsg, "DownloadData(): overData used"), 1);

    // Leftovers of one command never reach the next.
    engine.RunStep(events, [&] {
        instrument.WriteAfter(10, "#12AB#1");
        QThread::msleep(50);
        engine.DownloadData(first, 2, 300, 0, 1000, false, false);
    });
    QCOMPARE(first, QByteArray("AB"));
    QCOMPARE(Download(engine, events, [&] { instrument.WriteAfter(10, "#12CD"); }, 2, 300, 0, 1000, false),
             QString("true:4344"));
}

// A block that declares 9,999,999 bytes where 1,000 is the most taken, then
// bytes that never pause: the next command waits for what the largest block
// still owes (about 1 KB at 57600 baud and a margin), not for the length
// declared (half an hour) nor for the end of the stream (8 s).
void TestExchanger::refusedLengthHoldsTheNextCommandOnlyBriefly()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    instrument.WriteAfter(10, "#79999999");
    for (int k = 1; k <= 400; ++k)
        instrument.WriteAfter(10 + 20 * k, QByteArray(64, 'x'));
    QString trail;
    qint64 refusedUsec = 0;
    engine.RunStep(events, [&] {
        QByteArray out;
        try {
            engine.DownloadData(out, 1, 300, 1000, 2000, false, false);
        } catch (const EDeviceExchange& e) {
            trail = TrailOf(e);
        }
        refusedUsec = instrument.NowUsec();
        engine.Send("*IDN?\r");
    });
    QCOMPARE(trail, QString("16:1495"));
    QVERIFY(instrument.WaitForCommand("*IDN?\r", 10000));
    const qint64 waited = instrument.Commands().last().usec - refusedUsec;
    QVERIFY2(waited < 3000000, qPrintable(QString::number(waited)));
}

void TestExchanger::correctsLengthOfOldFirmware_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("bAsResponse");
    QTest::addColumn<bool>("bExactLength");
    QTest::addColumn<bool>("bCorrected");
    QTest::newRow("old firmware") << "M-7x" << "4.4a(498)" << true << false << true;
    QTest::newRow("no number") << "M-7x" << "4.4a" << true << false << true;
    QTest::newRow("leading 5") << "M-7x" << "5.0a(400)" << true << false << false;
    QTest::newRow("499") << "M-7x" << "4.4a(499)" << true << false << false;
    QTest::newRow("other model") << "R-9z" << "4.4a(498)" << true << false << false;
    QTest::newRow("exact length") << "M-7x" << "4.4a(498)" << true << true << false;
    QTest::newRow("not as response") << "M-7x" << "4.4a(498)" << false << false << false;
}

void TestExchanger::correctsLengthOfOldFirmware()
{
    QFETCH(QString, model);
    QFETCH(QString, version);
    QFETCH(bool, bAsResponse);
    QFETCH(bool, bExactLength);
    QFETCH(bool, bCorrected);
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.ConnectTo(events, instrument.SlavePath());
    engine.SetDevice(model, version);
    LogCatcher log;
    QByteArray out, rest;
    engine.RunStep(events, [&] {
        // An old firmware counts "#", the digits, the length and one byte more.
        instrument.WriteAfter(10, bCorrected ? QByteArray("#3011ABCDEZ") : QByteArray("#3005ABCDEZ"));
        QThread::msleep(50);
        engine.DownloadData(out, 5, 300, 0, 1000, bAsResponse, bExactLength);
        engine.DownloadData(rest, 1, 50, 0, 100, true, bExactLength);
    });
    QCOMPARE(out, QByteArray("ABCDE"));
    QCOMPARE(rest, QByteArray("Z"));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: list.size() > 0"),
             version == "4.4a" && bAsResponse && !bExactLength ? 2 : 0);
}

void TestExchanger::answersIdentityAndCapabilities_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("capabilities");
    QTest::newRow("other model") << "R-9z" << "5.1b(600)" << 3;
    QTest::newRow("newer leading digit") << "M-7x" << "5.1b(600)" << 7;
    QTest::newRow("508") << "M-7x" << "3.0a(508)" << 3;
    QTest::newRow("509") << "M-7x" << "3.0a(509)" << 7;
    QTest::newRow("no number") << "M-7x" << "5.1b" << 3;
}

void TestExchanger::answersIdentityAndCapabilities()
{
    QFETCH(QString, model);
    QFETCH(QString, version);
    QFETCH(int, capabilities);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.SetDevice(model, version);
    QCOMPARE(engine.GetCapabilities(), capabilities);
    QCOMPARE(engine.GetName(), QString("Veltramo"));
    QVERIFY(!engine.HasRealReflectance());
    QCOMPARE(engine.MakeWaveLenBC({{1310, -79.0f}, {1550, -81.5f}}, -80.0f),
             (QMap<int, float>{{1310, -80.0f}, {1550, -80.0f}}));
    QCOMPARE(engine.MakeWaveLenBC({}, -80.0f), (QMap<int, float>{}));
}

void TestExchanger::setsTheClock()
{
    CScriptedInstrument instrument;
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.SetClock([] { return LocalTime(2026, 3, 5, 7, 4, 9); });
    engine.ConnectTo(events, instrument.SlavePath());
    instrument.Answer(";SYST:MODE 6\r", "OK\r", 10);
    instrument.Answer(";SYST:DATE 05,03,2026\r", "OK\r", 10);
    instrument.Answer(";SYST:TIME 07,04,09\r", "OK\r", 10);
    engine.StartCommand(IDevicePlugin::SetDateTime);
    QVERIFY(events.WaitFor(2));
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(instrument.CommandTexts(),
             QList<QByteArray>({";SYST:MODE 6\r", ";SYST:DATE 05,03,2026\r", ";SYST:TIME 07,04,09\r"}));

    // Unanswered, the clock is still set, after three waits.
    CScriptedInstrument silent;
    engine.ConnectTo(events, silent.SlavePath());
    QElapsedTimer timer;
    timer.start();
    engine.StartCommand(IDevicePlugin::SetDateTime);
    QVERIFY(events.WaitFor(4));
    QVERIFY(timer.elapsed() >= 600);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(silent.CommandTexts().size(), 3);
}

void TestExchanger::sharesRecordsWithThePanel()
{
    CEventsRecorder events;
    CTestExchanger engine(&events);
    tDeviceParams stored;
    stored.WaveLenGI = {{1310, 1.468f}, {1550, 1.469f}};
    engine.StoreParams(stored);
    tDeviceParams next;
    next.LineLen = 8000;
    engine.StoreParams(next);
    QCOMPARE(engine.GetParams().LineLen, 8000);
    QCOMPARE(engine.GetParams().WaveLenGI, (QMap<int, float>{{1310, 1.468f}, {1550, 1.469f}}));
    next.WaveLenGI = {{1310, 1.47f}};
    engine.StoreParams(next);
    QCOMPARE(engine.GetParams().WaveLenGI, (QMap<int, float>{{1310, 1.47f}, {1550, 1.469f}}));

    tFoundDevice found;
    found.port = "/dev/ttyUSB0";
    found.description = "/dev/ttyUSB0 M-7x s/n 1_5.1b(600)";
    found.model = "M-7x";
    engine.AddFound(found);
    QCOMPARE(engine.GetFoundDevices().size(), 1);
    engine.SelectDevice(tDeviceInfo{"/dev/ttyUSB1", found.description});
    QCOMPARE(engine.Selected().model, QString());
    engine.SelectDevice(found);
    QCOMPARE(engine.Selected().model, QString("M-7x"));

    LogCatcher log;
    tDeviceEnums enums;
    enums.LineLen = {2000};
    enums.mLineLen = {{2000, 2}};
    engine.SetEnums(enums);
    QCOMPARE(engine.GetEnums().LineLen, QList<int>({2000}));
    engine.GetDeviceInfo();
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: IsConnected()"), 2);
}

QTEST_GUILESS_MAIN(TestExchanger)
#include "tst_exchanger.moc"
