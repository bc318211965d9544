#include "ProtocolFixture.h"
#include "support/FirstProtocolPersona.h"
#include "support/LogCatcher.h"
#include "support/SecondProtocolPersona.h"

#include "device/DeviceExchanger2.h"

#include <QtTest>

#include <limits>

namespace {

using tPersona = CSecondProtocolPersona;
using tEngine = CTestExchangerOf<CDeviceExchanger2>;

const char* const cInvalid = "Cannot determine parameters of device hardware.\nAdditional information: Device "
                             "parameters are invalid.\n";

QList<QByteArray> Without(const QList<QByteArray>& commands, const QByteArray& dropped)
{
    QList<QByteArray> kept;
    for (const QByteArray& c : commands)
        if (c != dropped)
            kept << c;
    return kept;
}

} // namespace

class TestSecondProtocol : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetSerialPortList(nullptr); }

    void findsOnlyCurrentFirmware();
    void readsWhatTheInstrumentOffers();
    void keepsResetLimitsOnAShortEventsReply();
    void refusesSpoiledReplies_data();
    void refusesSpoiledReplies();
    void sendsTheParametersOfOneLaser();
    void checksTheEchoOfTheSettings();
    void sendsAnIntegerReflectanceToOlderFirmware();
    void tellsReflectanceKindAndIdentity_data();
    void tellsReflectanceKindAndIdentity();
    void warnsOfOldFirmwareAfterConnecting_data();
    void warnsOfOldFirmwareAfterConnecting();
    void connectsAndSetsTheClock();
    void failsConnectionsClearly();
    void disconnects();
};

void TestSecondProtocol::findsOnlyCurrentFirmware()
{
    tPersona e(tPersona::PersonaE());
    tPersona f(tPersona::PersonaF());
    CFirstProtocolPersona a(CFirstProtocolPersona::PersonaA());
    CFirstProtocolPersona c(CFirstProtocolPersona::PersonaC());
    CEventsRecorder events;
    tEngine engine(&events);
    tShownMessages messages(engine);
    UseSerialPorts({f.SlavePath(), a.SlavePath(), e.SlavePath(), c.SlavePath()});
    engine.Run(events, IDevicePlugin::Enumerate);
    QCOMPARE(events.Last().errors, QString());

    QCOMPARE(messages.texts, QStringList({"Device with out of date firmware detected\nPlease update device "
                                          "firmware\nDevice -" + f.SlavePath() + " R-9z s/n 3002_1.1500"}));
    const QList<tFoundDevice> found = engine.GetFoundDevices();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).description, e.SlavePath() + " R-9z s/n 3001_1.1700");
    QCOMPARE(found.at(0).baudRate, 460800);
    // The outdated instrument is asked once and let go.
    QCOMPARE(f.CommandTexts(), QList<QByteArray>({"*IDN?\r"}));
    QCOMPARE(f.Commands().at(0).baudRate, 921600);
    QVERIFY(PortIsFree(f.SlavePath()));
    QVERIFY(PortIsFree(c.SlavePath()));
    QVERIFY(!PortIsFree(e.SlavePath()));

    LogCatcher log;
    UseSerialPorts({});
    engine.Run(events, IDevicePlugin::Enumerate);
    QVERIFY(engine.GetFoundDevices().isEmpty());
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger::DoEnumerate()"), 1);
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger::DoEnumerate() done"), 0);
    QVERIFY(PortIsFree(e.SlavePath()));
}

void TestSecondProtocol::readsWhatTheInstrumentOffers()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(engine.IsConnected());

    const tDeviceEnumsPublic en = engine.GetEnums();
    QCOMPARE(en.WaveLenNm, QList<int>({1310, 1550}));
    QCOMPARE(en.WaveLenFlag, (QMap<int, int>{{1310, 1}, {1550, 4}}));
    QCOMPARE(en.WaveLenBits, QList<int>({1, 4, 5}));
    QCOMPARE(en.LineLen, QList<int>({2000, 8000, 32000}));
    QCOMPARE(en.PulseWidth, QList<int>({10, 100, 1000}));
    QCOMPARE(en.AverageTime, QList<int>({15, 30, 60}));

    const tDeviceParams p = engine.GetParams();
    QCOMPARE(p.LineLen, 8000);
    QCOMPARE(p.PulseWidth, 100);
    QCOMPARE(p.AverageTime, 30);
    QCOMPARE(p.SelectedWaveLen, 1);
    QCOMPARE(p.WaveLenNm, QList<int>({1310}));
    QCOMPARE(p.WaveLenGI, (QMap<int, float>{{1310, 1.468f}, {1550, 1.469f}}));
    QCOMPARE(p.WaveLenBC, (QMap<int, float>{{1310, -80.0f}, {1550, -81.5f}}));
    QCOMPARE(p.EventsEnabled, 1);
    QCOMPARE(p.EndThreshold, 3.0);
    QCOMPARE(p.ReflThresholdValue, -45.5f);
    QCOMPARE(p.LossThreshold, 0.2);

    // Asked at both rates, then the link is opened before anything else.
    QCOMPARE(e.CommandTexts().mid(0, 4), QList<QByteArray>({"*IDN?\r", "*IDN?\r", "*CONNECT\r", ";SYST:AVA?\r"}));
    QCOMPARE(e.Commands().at(0).baudRate, 921600);
    QCOMPARE(e.Commands().at(1).baudRate, 460800);
}

void TestSecondProtocol::keepsResetLimitsOnAShortEventsReply()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.events = "1,3.0,-45.5\r";
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    LogCatcher log;
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    const tDeviceParams p = engine.GetParams();
    QCOMPARE(p.EventsEnabled, 0);
    QCOMPARE(p.EndThreshold, 0.0);
    QCOMPARE(p.LossThreshold, 0.0);
    QCOMPARE(p.ReflThreshold, 0);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: limitDataList.size()==4"), 1);
}

void TestSecondProtocol::refusesSpoiledReplies_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("code");
    QTest::newRow("no lasers") << QByteArray(";SYST:AVA?\r") << QByteArray() << 298;
    QTest::newRow("laser not a number") << QByteArray(";SYST:AVA?\r") << QByteArray("1310,x\r") << 309;
    QTest::newRow("laser position 31") << QByteArray(";SYST:AVA?\r")
                                       << QByteArray("1310" + QByteArray(",0").repeated(30) + ",1550\r") << 309;
    QTest::newRow("other key") << QByteArray(";RMT:GET:ALLGI\r") << QByteArray("UserGX\n1.468\n\r") << 221;
    QTest::newRow("index not a number") << QByteArray(";RMT:GET:ALLGI\r") << QByteArray("UserGI\n1.468\nabc\n1.469\n\r")
                                        << 231;
    QTest::newRow("index missing") << QByteArray(";RMT:GET:ALLGI\r") << QByteArray("UserGI\n1.468\n\r") << 354;
    QTest::newRow("index too high") << QByteArray(";RMT:GET:ALLGI\r") << QByteArray("UserGI\n1.468\n1.468\n1.7\n\r")
                                    << 358;
    QTest::newRow("no configuration") << QByteArray(";RMT:GET:CFG?\r") << QByteArray() << 253;
    QTest::newRow("mask not a number") << QByteArray(";RMT:GET:CFG?\r") << QByteArray("x,8000,100,30\r") << 262;
    QTest::newRow("distance without digits") << QByteArray(";RMT:GET:CFG?\r") << QByteArray("1,km,100,30\r") << 273;
    QTest::newRow("mask of no laser") << QByteArray(";RMT:GET:CFG?\r") << QByteArray("2,8000,100,30\r") << 388;
    QTest::newRow("backscatter missing") << QByteArray(";RMT:GET:ALLBS\r") << QByteArray("UserBS\n-80.0\n\r") << 408;
    QTest::newRow("backscatter too high") << QByteArray(";RMT:GET:ALLBS\r")
                                          << QByteArray("UserBS\n-80.0\n-80.0\n-60\n\r") << 412;
}

void TestSecondProtocol::refusesSpoiledReplies()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(int, code);
    tPersona e(tPersona::PersonaE());
    e.Answer(command, reply, 5);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    const CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCritical);
    QVERIFY2(end.errors.startsWith(cInvalid), qPrintable(end.errors));
    QVERIFY2(EndsWithTrail(end.errors, QString("256:%1-256:152").arg(code)), qPrintable(end.errors));
}

void TestSecondProtocol::sendsTheParametersOfOneLaser()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());

    e.ClearCommands();
    engine.RunStep(events, [&] { engine.SetParams(1550); });
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(e.CommandTexts(),
             QList<QByteArray>({";RMT:SET:GI3 1.469\r", ";RMT:SET:BS3 -81.5\r", ";RMT:SET:MD 8000\r",
                                ";RMT:SET:LW 4\r", ";RMT:SET:IM 100\r", ";RMT:EVN:SET 1\r", ";RMT:EVN:LOSS 0.2\r",
                                ";RMT:EVN:REFL -45.5\r", ";RMT:EVN:EOFL 3\r", ";RMT:SET:TA 30\r"}));

    // Applying sets every laser and chooses the measured ones last.
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::ApplyParams);
    QCOMPARE(events.Last().errors, QString());
    const QList<QByteArray> sent = e.CommandTexts();
    QVERIFY(sent.contains(";RMT:SET:GI3 1.469\r"));
    QVERIFY(sent.indexOf(";RMT:SET:GI3 1.469\r") < sent.indexOf(";RMT:SET:GI1 1.468\r"));
    QCOMPARE(sent.last(), QByteArray(";RMT:SET:LW 1\r"));

    // A wavelength the instrument has no laser for.
    LogCatcher log;
    engine.RunStep(events, [&] { engine.SetParams(1625); });
    QVERIFY(events.Last().bCritical);
    QVERIFY2(events.Last().errors.endsWith("-256:451"), qPrintable(events.Last().errors));
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: iwl!=enums.mWaveLen.cend()"), 1);
}

void TestSecondProtocol::checksTheEchoOfTheSettings()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    auto outcome = [&](std::function<void()> step) {
        engine.RunStep(events, std::move(step));
        const QString errors = events.Last().errors;
        return errors.isEmpty() ? QString("accepted") : errors.section('-', -1);
    };

    e.Answer(";RMT:SET:TA 30\r", "4,2000,100,30\r", 5);
    QCOMPARE(outcome([&] { engine.SetParams(1550); }), QString("256:527"));
    e.Answer(";RMT:SET:TA 30\r", "4,8000,10,30\r", 5);
    QCOMPARE(outcome([&] { engine.SetParams(1550); }), QString("256:527"));
    e.Answer(";RMT:SET:TA 30\r", "1,8000,100,30\r", 5);
    QCOMPARE(outcome([&] { engine.SetParams(1550); }), QString("256:527"));

    // Realtime: the instrument reports some averaging of its own, never none.
    tDeviceParams p = engine.GetParams();
    p.AverageTime = -1;
    engine.StoreParams(p);
    QCOMPARE(outcome([&] { engine.SetParams(1550); }), QString("accepted"));
    QVERIFY(e.CommandTexts().contains(";RMT:SET:TA -1\r"));
    e.Answer(";RMT:SET:TA -1\r", "4,8000,100,60\r", 5);
    QCOMPARE(outcome([&] { engine.SetParams(1550); }), QString("accepted"));
    e.Answer(";RMT:SET:TA -1\r", "4,8000,100,0\r", 5);
    QCOMPARE(outcome([&] { engine.SetParams(1550); }), QString("256:527"));

    e.Answer(";RMT:SET:LW 5\r", "4,8000,100,30\r", 5);
    QCOMPARE(outcome([&] { engine.SelectWaveLength(5); }), QString("256:540"));
    e.Forget(";RMT:SET:LW 5\r");
    QCOMPARE(outcome([&] { engine.SelectWaveLength(5); }), QString("accepted"));
}

void TestSecondProtocol::sendsAnIntegerReflectanceToOlderFirmware()
{
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.idn = "MAKER,R-9z,\xE2\x84\x96" "3003,FW ver:1.1597\r";
    setup.events = "1,3.0,-45,0.2\r";
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(!engine.HasRealReflectance());
    QCOMPARE(engine.GetParams().ReflThreshold, -45);
    e.ClearCommands();
    engine.RunStep(events, [&] { engine.SetParams(1310); });
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(e.CommandTexts().contains(";RMT:EVN:REFL -45\r"));
}

void TestSecondProtocol::tellsReflectanceKindAndIdentity_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("bReal");
    QTest::newRow("1.1598") << "R-9z" << "1.1598" << true;
    QTest::newRow("1.1597") << "R-9z" << "1.1597" << false;
    QTest::newRow("1.1700") << "R-9z" << "1.1700" << true;
    QTest::newRow("other model") << "R-8z" << "1.1700" << false;
    QTest::newRow("not a number") << "R-9z" << "abc" << false;
}

void TestSecondProtocol::tellsReflectanceKindAndIdentity()
{
    QFETCH(QString, model);
    QFETCH(QString, version);
    QFETCH(bool, bReal);
    CEventsRecorder events;
    tEngine engine(&events);
    engine.SetDevice(model, version);
    QCOMPARE(engine.HasRealReflectance(), bReal);
    QCOMPARE(engine.GetCapabilities(), 5);
    QCOMPARE(engine.GetName(), QString("Veltramo2"));
    const QMap<int, float> bc{{1310, -79.0f}, {1550, -81.5f}};
    QCOMPARE(engine.MakeWaveLenBC(bc, -80.0f), bc);
}

void TestSecondProtocol::warnsOfOldFirmwareAfterConnecting_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("bWarned");
    QTest::newRow("1.16019") << QByteArray("1.16019") << true;
    QTest::newRow("abc") << QByteArray("abc") << true;
    QTest::newRow("1.1602") << QByteArray("1.1602") << false;
    QTest::newRow("1.1700") << QByteArray("1.1700") << false;
}

void TestSecondProtocol::warnsOfOldFirmwareAfterConnecting()
{
    QFETCH(QByteArray, version);
    QFETCH(bool, bWarned);
    tPersona::tSetup setup = tPersona::PersonaE();
    setup.idn = "MAKER,R-9z,\xE2\x84\x96" "3004,FW ver:" + version + "\r";
    tPersona e(setup);
    CEventsRecorder events;
    tEngine engine(&events);
    tShownMessages messages(engine);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(engine.IsConnected());
    const QStringList warning{"The firmware version (FW) of the connected device is out of date.\n Update FW to the "
                              "latest version available on the device manufacturer's website"};
    QCOMPARE(messages.texts, bWarned ? warning : QStringList());
}

void TestSecondProtocol::connectsAndSetsTheClock()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    tEngine engine(&events);
    engine.SetClock([] { return std::time_t(1772694249); });
    SearchAndConnect(engine, events, {e.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    const QList<QByteArray> sent = e.CommandTexts();
    QCOMPARE(sent.value(2), QByteArray("*CONNECT\r"));
    QCOMPARE(sent.mid(sent.size() - 2), QList<QByteArray>({";SYST:DATE 05,03,2026\r", ";SYST:TIME 07,04,09\r"}));
    for (const QByteArray& c : sent)
        QVERIFY2(!c.startsWith(";SYST:MODE"), c.constData());

    e.ClearCommands();
    engine.Run(events, IDevicePlugin::SetDateTime);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(e.CommandTexts(), QList<QByteArray>({";SYST:DATE 05,03,2026\r", ";SYST:TIME 07,04,09\r"}));

    // A clock that cannot be read as local time is logged and sent as it came.
    LogCatcher log;
    engine.SetClock([] { return std::numeric_limits<std::time_t>::max(); });
    engine.Run(events, IDevicePlugin::SetDateTime);
    QCOMPARE(events.Last().errors, QString());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !err"), 1);
}

void TestSecondProtocol::failsConnectionsClearly()
{
    // The instrument is unplugged while its clock is set.
    tPersona e(tPersona::PersonaE());
    e.On(";SYST:DATE 05,03,2026\r", [](CScriptedInstrument& self, const QByteArray&) { self.HangUpAfter(0); });
    CEventsRecorder events;
    tEngine engine(&events);
    engine.SetClock([] { return std::time_t(1772694249); });
    SearchAndConnect(engine, events, {e.SlavePath()});
    CEventsRecorder::tEnd end = events.Last();
    QVERIFY(end.bCritical);
    QVERIFY2(end.errors.startsWith("Cannot synchronize hardware clock.\nAdditional information: Error of sending"),
             qPrintable(end.errors));
    QVERIFY2(EndsWithTrail(end.errors, "8:161-256:166"), qPrintable(end.errors));

    // A found port that was closed since cannot be connected.
    tPersona other(tPersona::PersonaE());
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
    QVERIFY2(EndsWithTrail(end.errors, "256:130"), qPrintable(end.errors));
    QVERIFY(!other.CommandTexts().contains("*CONNECT\r"));
}

void TestSecondProtocol::disconnects()
{
    tPersona e(tPersona::PersonaE());
    CEventsRecorder events;
    LogCatcher log;
    tEngine engine(&events);
    SearchAndConnect(engine, events, {e.SlavePath()});
    QVERIFY(engine.IsConnected());
    e.ClearCommands();
    engine.Run(events, IDevicePlugin::Disconnect);
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(!engine.IsConnected());
    QVERIFY(e.WaitForCommand("*DISCONN\r", 2000));
    QCOMPARE(Without(e.CommandTexts(), "*DISCONN\r"), QList<QByteArray>());
    QVERIFY(PortIsFree(e.SlavePath()));
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger::DoDisconnect() done"), 1);

    // The link died first: nothing to say, the port is still let go.
    tPersona gone(tPersona::PersonaE());
    tEngine second(&events);
    SearchAndConnect(second, events, {gone.SlavePath()});
    QVERIFY(second.IsConnected());
    const int ends = events.Count();
    gone.HangUp();
    second.DoDisconnect();
    QCOMPARE(events.Count(), ends);
    QVERIFY(!second.IsConnected());
    QCOMPARE(log.Count(QtDebugMsg, "CDeviceExchanger::DoDisconnect() done"), 2);
}

QTEST_GUILESS_MAIN(TestSecondProtocol)
#include "tst_secondprotocol.moc"
