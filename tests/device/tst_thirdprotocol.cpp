#include "ProtocolFixture.h"
#include "support/FirstProtocolPersona.h"
#include "support/LogCatcher.h"
#include "support/SecondProtocolPersona.h"

#include "device/DeviceExchanger3.h"

#include <QtTest>

namespace {

using tPersona = CFirstProtocolPersona;
using tEngine = CTestExchangerOf<CDeviceExchanger3>;

// The silence before each command from `first` on, in ms, with its text.
QStringList Silences(const QList<CScriptedInstrument::tCommandSeen>& seen, int first, qint64 belowMs)
{
    QStringList short_;
    for (int i = first; i < seen.size(); ++i)
        if (seen.at(i).silenceUsec < belowMs * 1000)
            short_ << QString("%1 after %2 us").arg(QString::fromLatin1(seen.at(i).text)).arg(seen.at(i).silenceUsec);
    return short_;
}

int IndexOf(const QList<CScriptedInstrument::tCommandSeen>& seen, const QByteArray& text, int from = 0)
{
    for (int i = from; i < seen.size(); ++i)
        if (seen.at(i).text == text)
            return i;
    return -1;
}

} // namespace

class TestThirdProtocol : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetSerialPortList(nullptr); }

    void findsAtTheHighRateOnly();
    void connectsQuietlyAtItsOwnPace();
    void setsParametersAtItsOwnPace();
    void readsOrRefusesTheOffer_data();
    void readsOrRefusesTheOffer();
    void readsTheThresholds_data();
    void readsTheThresholds();
    void failsConnectionsClearly();
    void tellsItsIdentity();
};

void TestThirdProtocol::findsAtTheHighRateOnly()
{
    tPersona::tSetup both = tPersona::PersonaA();
    both.idnRates = {57600, 460800};
    tPersona a(both);
    tPersona d(tPersona::PersonaD());
    CSecondProtocolPersona e(CSecondProtocolPersona::PersonaE());
    CEventsRecorder events;
    CTestExchanger first(&events);
    UseSerialPorts({a.SlavePath()});
    first.Run(events, IDevicePlugin::Enumerate);
    QCOMPARE(first.GetFoundDevices().size(), 1);

    // The first protocol holds A's port: the third cannot list it again.
    tEngine engine(&events);
    UseSerialPorts({a.SlavePath(), d.SlavePath(), e.SlavePath()});
    engine.Run(events, IDevicePlugin::Enumerate);
    QCOMPARE(events.Last().errors, QString());
    const QList<tFoundDevice> found = engine.GetFoundDevices();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).description, d.SlavePath() + " M-7y s/n 2001_6.0a(700)");
    QCOMPARE(found.at(0).baudRate, 460800);
    QCOMPARE(d.CommandTexts(), QList<QByteArray>({"*IDN?\r"}));
    QCOMPARE(d.Commands().at(0).baudRate, 460800);
    QCOMPARE(e.Commands().size(), 1);
    QVERIFY(PortIsFree(e.SlavePath()));

    LogCatcher log;
    UseSerialPorts({});
    engine.Run(events, IDevicePlugin::Enumerate);
    QVERIFY(engine.GetFoundDevices().isEmpty());
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger3::DoEnumerate()"), 1);
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger3::DoEnumerate() done"), 0);
}

void TestThirdProtocol::connectsQuietlyAtItsOwnPace()
{
    tPersona d(tPersona::PersonaD());
    CEventsRecorder events;
    tEngine engine(&events);
    tShownMessages messages(engine);
    engine.SetClock([] { return std::time_t(1772694249); });
    SearchAndConnect(engine, events, {d.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(engine.IsConnected());
    QCOMPARE(d.SlaveSpeed(), 460800);
    QCOMPARE(messages.texts, QStringList());

    const tDeviceEnumsPublic en = engine.GetEnums();
    QCOMPARE(en.WaveLenNm, QList<int>({1310, 1550}));
    QCOMPARE(en.LineLen, QList<int>({2000, 8000}));
    QCOMPARE(en.PulseWidth, QList<int>({10, 100, 1000}));
    QCOMPARE(en.AverageTime, QList<int>({15, 30, 60, -1}));

    const QList<CScriptedInstrument::tCommandSeen> seen = d.Commands();
    QCOMPARE(seen.value(1).text, QByteArray(";SYST:MODE 2\r"));
    // The thresholds are read last; the clock needs no mode of its own.
    const int blcr = IndexOf(seen, ";SYST:SET:BLCR?\r");
    QVERIFY(blcr > 0);
    QCOMPARE(seen.size(), blcr + 3);
    QCOMPARE(seen.at(blcr + 1).text, QByteArray(";SYST:DATE 05,03,2026\r"));
    QCOMPARE(seen.at(blcr + 2).text, QByteArray(";SYST:TIME 07,04,09\r"));
    QCOMPARE(Silences(seen, 1, 50), QStringList());
    QCOMPARE(Silences(seen.mid(blcr, 1), 0, 60), QStringList());
    for (const CScriptedInstrument::tCommandSeen& c : seen)
        QVERIFY2(c.text != ";SYST:UART:HI\r", "no speed switch");

    // The clock right after another exchange, then the release.
    d.ClearCommands();
    engine.RunStep(events, [&] {
        engine.Send("*IDN?\r");
        engine.GetResponse(200, true, true);
        engine.DoSetDateTime();
    });
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(d.CommandTexts(),
             QList<QByteArray>({"*IDN?\r", ";SYST:DATE 05,03,2026\r", ";SYST:TIME 07,04,09\r"}));
    QCOMPARE(Silences(d.Commands(), 1, 50), QStringList());

    LogCatcher log;
    QThread::msleep(20);
    d.ClearCommands();
    engine.DoDisconnect();
    QVERIFY(!engine.IsConnected());
    QVERIFY(d.WaitForCommand("*DISCONN\r", 2000));
    QCOMPARE(d.CommandTexts(), QList<QByteArray>({"*DISCONN\r"}));
    QCOMPARE(Silences(d.Commands(), 0, 70), QStringList());
    QVERIFY(PortIsFree(d.SlavePath()));
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger3::DoDisconnect() done"), 1);
}

void TestThirdProtocol::setsParametersAtItsOwnPace()
{
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.blcr = "BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=-45000\nET=3000\nEVNT=1\nE=5\r";
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    tShownMessages messages(engine);
    SearchAndConnect(engine, events, {d.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(engine.GetParams().ReflThreshold, 45);

    d.ClearCommands();
    engine.Run(events, IDevicePlugin::ApplyParams);
    QCOMPARE(events.Last().errors, QString());
    const QList<CScriptedInstrument::tCommandSeen> seen = d.Commands();
    const int last = IndexOf(seen, ";SYST:SET:CFG 0,0,0,0,1.468\r");
    QVERIFY(last > 0);
    QList<QByteArray> tail;
    for (int i = last - 1; i < seen.size(); ++i)
        tail << seen.at(i).text;
    QCOMPARE(tail, QList<QByteArray>({";SYST:MODE 2\r", ";SYST:SET:CFG 0,0,0,0,1.468\r", ";SYST:MODE 6\r",
                                      ";SET:ENEVENTS 1\r", ";SYST:SET:BLCR:RT -45000\r", ";SYST:SET:BLCR:ET 3000\r",
                                      ";SYST:SET:BLCR:LT 200\r", ";SYST:SET:BLCR:BC 800\r"}));
    QCOMPARE(Silences(seen, 0, 50), QStringList());
    for (int i = 0; i < seen.size(); ++i)
        if (seen.at(i).text.startsWith(";SET:ENEVENTS"))
            QCOMPARE(Silences(seen.mid(i, 1), 0, 200), QStringList());
    QCOMPARE(messages.texts, QStringList());

    // The instrument shortens the pulse for the range: adopted, and the user is told.
    tDeviceParams p = engine.GetParams();
    p.PulseWidth = 1000;
    engine.StoreParams(p);
    engine.Run(events, IDevicePlugin::ApplyParams);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(messages.texts.value(0),
             QString("Incompatible parameters combination requested\nRange(2 km) and Pulse width (1000 ns)!\nThe "
                     "maximum acceptable value for Pulse width is set (100 ns) for Range selected"));
    QCOMPARE(engine.GetParams().PulseWidth, 100);
}

void TestThirdProtocol::readsOrRefusesTheOffer_data()
{
    QTest::addColumn<QByteArray>("ava");
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QString>("outcome");
    const QByteArray cur = "CFG,2,10,15,1310(0),1.4680\r";
    QTest::newRow("one laser in the middle") << QByteArray("0,1550,0\r") << QByteArray("CFG,2,10,15,1550(1),1.4680\r")
                                             << "lasers";
    QTest::newRow("no lasers") << QByteArray() << cur << "256:242";
    QTest::newRow("laser not a number") << QByteArray("1310,x\r") << cur << "256:253";
    QTest::newRow("laser position 31") << QByteArray("1310" + QByteArray(",0").repeated(30) + ",1550\r") << cur
                                       << "256:253";
    QTest::newRow("unknown range") << QByteArray("1310,0,1550\r") << QByteArray("CFG,4,10,15,1310(0),1.4680\r")
                                   << "256:379";
    QTest::newRow("unknown pulse") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,20,15,1310(0),1.4680\r")
                                   << "256:390";
    QTest::newRow("unknown laser") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,10,15,1625(0),1.4680\r")
                                   << "256:404";
    QTest::newRow("laser elsewhere") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,10,15,1550(0),1.4680\r")
                                     << "256:410";
    QTest::newRow("configuration spoiled") << QByteArray("1310,0,1550\r")
                                           << QByteArray("CFG,2,10,15,1310(0),1.7\r") << "16:168";
    QTest::newRow("averaging 3") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,10,3,1310(0),1.4680\r")
                                 << "averaging";
}

void TestThirdProtocol::readsOrRefusesTheOffer()
{
    QFETCH(QByteArray, ava);
    QFETCH(QByteArray, current);
    QFETCH(QString, outcome);
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.ava = ava;
    setup.current = current;
    setup.averages = {3, 3, 10, 10, 20, 40};
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    LogCatcher log;
    SearchAndConnect(engine, events, {d.SlavePath()});
    const CEventsRecorder::tEnd end = events.Last();
    if (outcome == "lasers") {
        QCOMPARE(end.errors, QString());
        const tDeviceEnumsPublic en = engine.GetEnums();
        QCOMPARE(en.WaveLenNm, QList<int>({1550}));
        QCOMPARE(en.WaveLenFlag, (QMap<int, int>{{1550, 2}}));
        QCOMPARE(en.WaveLenBits, QList<int>({2}));
        QCOMPARE(engine.GetParams().WaveLenNm, QList<int>({1550}));
    } else if (outcome == "averaging") {
        QCOMPARE(end.errors, QString());
        QCOMPARE(engine.GetEnums().AverageTime, QList<int>({10, -1}));
        QCOMPARE(engine.GetParams().AverageTime, -1);
        QCOMPARE(log.Count(QtDebugMsg, "AverageTime  3  was ignored."), 2);
        QCOMPARE(log.Count(QtDebugMsg, "NOTE: Exception cancelled: it will interped as real time mode"), 1);
    } else {
        QVERIFY(end.bCritical);
        QVERIFY2(end.errors.startsWith("Cannot determine parameters of device hardware.\nAdditional information: "),
                 qPrintable(end.errors));
        QVERIFY2(EndsWithTrail(end.errors, outcome + "-256:163"), qPrintable(end.errors));
    }
}

void TestThirdProtocol::readsTheThresholds_data()
{
    QTest::addColumn<QByteArray>("blcr");
    QTest::addColumn<bool>("bRead");
    QTest::addColumn<int>("asserted");
    QTest::newRow("ten lines") << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=-45000\nET=3000\nEVNT=1\nE=5\r")
                               << true << 0;
    QTest::newRow("nine lines") << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=-45000\nET=3000\nEVNT=1\r")
                                << false << 0;
    QTest::newRow("eight lines") << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=-45000\nET=3000\r") << false
                                 << 1;
    QTest::newRow("eleven lines")
        << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=-45000\nET=3000\nEVNT=1\nE=5\nF=6\r") << false << 1;
}

void TestThirdProtocol::readsTheThresholds()
{
    QFETCH(QByteArray, blcr);
    QFETCH(bool, bRead);
    QFETCH(int, asserted);
    tPersona::tSetup setup = tPersona::PersonaD();
    setup.blcr = blcr;
    tPersona d(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    LogCatcher log;
    SearchAndConnect(engine, events, {d.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    const tDeviceParams p = engine.GetParams();
    QCOMPARE(p.ReflThreshold, bRead ? 45 : 0);
    QCOMPARE(p.LossThreshold, bRead ? 0.2 : 0.0);
    QCOMPARE(p.EndThreshold, bRead ? 3.0 : 0.0);
    QCOMPARE(p.EventsEnabled, bRead ? 1 : 0);
    const QMap<int, float> read{{1310, -80.0f}, {1550, -80.0f}};
    QCOMPARE(p.WaveLenBC, bRead ? read : (QMap<int, float>()));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: eventsDataList.size()==9"), asserted);
}

void TestThirdProtocol::failsConnectionsClearly()
{
    tPersona d(tPersona::PersonaD());
    d.On(";SYST:DATE 05,03,2026\r", [](CScriptedInstrument& self, const QByteArray&) { self.HangUpAfter(0); });
    CEventsRecorder events;
    tEngine engine(&events);
    engine.SetClock([] { return std::time_t(1772694249); });
    SearchAndConnect(engine, events, {d.SlavePath()});
    CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCritical);
    QVERIFY2(end.errors.startsWith("Cannot synchronize hardware clock.\nAdditional information: Error of sending"),
             qPrintable(end.errors));
    QVERIFY2(EndsWithTrail(end.errors, "8:161-256:177"), qPrintable(end.errors));

    tPersona other(tPersona::PersonaD());
    tEngine second(&events);
    UseSerialPorts({other.SlavePath()});
    second.Run(events, IDevicePlugin::Enumerate);
    QCOMPARE(second.GetFoundDevices().size(), 1);
    tFoundDevice found = second.GetFoundDevices().first();
    second.SelectDevice(found);
    second.step = [&] { found.connector->Disconnect(); };
    second.Run(events, IDevicePlugin::ClearMemory);
    second.Run(events, IDevicePlugin::Connect);
    end = events.Last();
    QVERIFY(end.bCritical);
    QVERIFY2(end.errors.startsWith("Cannot connect to port " + other.SlavePath()
                                   + ".\nProbably, port in using by another application."),
             qPrintable(end.errors));
    QVERIFY2(EndsWithTrail(end.errors, "256:122"), qPrintable(end.errors));
}

void TestThirdProtocol::tellsItsIdentity()
{
    CEventsRecorder events;
    tEngine engine(&events);
    engine.SetDevice("M-7y", "6.0a(700)");
    QCOMPARE(engine.GetCapabilities(), 4);
    QVERIFY(!engine.HasRealReflectance());
    QCOMPARE(engine.GetName(), QString("Veltramo3"));
    const QMap<int, float> bc{{1310, -79.0f}, {1550, -81.5f}};
    QCOMPARE(engine.MakeWaveLenBC(bc, -80.0f), bc);
}

QTEST_GUILESS_MAIN(TestThirdProtocol)
#include "tst_thirdprotocol.moc"
