#include "ProtocolFixture.h"
#include "support/FirstProtocolPersona.h"
#include "support/LogCatcher.h"
#include "support/Throws.h"

#include "device/DeviceConnectorCOM.h"
#include "device/DeviceExchange.h"
#include "device/SerialPortList.h"

#include <QtTest>

#include <memory>

namespace {

using tPersona = CFirstProtocolPersona;

// Collects the engine's messages on this thread, as the panel does.
struct tMessages : QObject
{
    explicit tMessages(CDeviceExchanger& engine)
    {
        connect(&engine, &CDeviceExchanger::sigShowMessage, this,
                [this](const QString& text) {
                    QThread::msleep(100);
                    texts << text;
                },
                Qt::BlockingQueuedConnection);
    }
    QStringList texts;
};

QList<QByteArray> From(const QList<QByteArray>& commands, const QByteArray& first)
{
    const int at = commands.lastIndexOf(first);
    return at < 0 ? QList<QByteArray>() : commands.mid(at);
}

} // namespace

class TestFirstProtocol : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetSerialPortList(nullptr); }

    void parsesConfigurationReplies_data();
    void parsesConfigurationReplies();
    void identifiesInstruments_data();
    void identifiesInstruments();
    void readsWhatTheInstrumentOffers();
    void refusesSpoiledParameterReplies_data();
    void refusesSpoiledParameterReplies();
    void readsTheThresholds_data();
    void readsTheThresholds();
    void sendsParametersOneWavelengthAtATime();
    void findsInstrumentsAtTheirRates();
    void cancelledSearchFindsNothing();
    void connectsAtTheHighRate_data();
    void connectsAtTheHighRate();
    void failsConnectionsClearly();
    void warnsOfOldFirmware();
    void disconnectsFromTheGuiThread();
};

void TestFirstProtocol::parsesConfigurationReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("current") << "CFG,2,10,15,1310(0),1.4680\r" << "2000,10,15,1310,0,1.468";
    QTest::newRow("point dropped") << "CFG,0.5,10,15,1310(0),1.4680\r" << "5000,10,15,1310,0,1.468";
    QTest::newRow("no position") << "CFG,2,10,15,1310,1.4680\r" << "16:159";
    QTest::newRow("group index too high") << "CFG,2,10,15,1310(0),1.7\r" << "16:168";
    QTest::newRow("group index not a number") << "CFG,2,10,15,1310(0),nan\r" << "16:168";
    QTest::newRow("other key") << "CFX,2,10,15,1310(0),1.4680\r" << "16:152";
    QTest::newRow("too few fields") << "CFG,2,10,15\r" << "16:152";
    QTest::newRow("empty") << "" << "16:148";
    QTest::newRow("range without digits") << "CFG,km,10,15,1310(0),1.4680\r" << "16:175";
    QTest::newRow("range too long") << "CFG,99999999999,10,15,1310(0),1.4680\r" << "16:179";
    // The range is kept in metres: one more km would not fit.
    QTest::newRow("longest range") << "CFG,2147483,1,1,1(0),1.5\r" << "2147483000,1,1,1,0,1.5";
    QTest::newRow("range past the metres") << "CFG,2147484,1,1,1(0),1.5\r" << "16:179";
    QTest::newRow("position not a number") << "CFG,2,10,15,1310(x),1.4680\r" << "16:165";
}

void TestFirstProtocol::parsesConfigurationReplies()
{
    QFETCH(QString, reply);
    QFETCH(QString, outcome);
    tCfgReply r;
    const QString trail = FailureTrail<EExchangeParameters>([&] { r = CDeviceExchanger::ParseCfgReply(reply); });
    const QString read = QString("%1,%2,%3,%4,%5,%6")
                             .arg(r.LineLen)
                             .arg(r.PulseWidth)
                             .arg(r.AverageTime)
                             .arg(r.WaveLen)
                             .arg(r.WaveLenIndex)
                             .arg(double(r.GI));
    QCOMPARE(trail == "nothing thrown" ? read : trail, outcome);
}

void TestFirstProtocol::identifiesInstruments_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("numero sign") << QByteArray("MAKER,M-7x,\xE2\x84\x96" "123,FW ver:4.5a(498)\r")
                                 << "M-7x|123|4.5a(498)|current";
    QTest::newRow("three fields") << QByteArray("MAKER,M-7x,123\r") << "16:121";
    QTest::newRow("five fields") << QByteArray("MAKER,M-7x,123,FW ver:5.1b(600),x\r") << "16:121";
    QTest::newRow("empty") << QByteArray() << "16:113";
}

void TestFirstProtocol::identifiesInstruments()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, outcome);
    tFoundDevice d;
    QString text;
    const QString trail = DescribeThrown<EDeviceExchange>(
        [&] { d = CDeviceExchanger::ReceiveInfo(reply, "COM7"); },
        [&](const EDeviceExchange& e) {
            text = e.GetDescription();
            return TrailOf(e) + (e.IsCritical() ? "" : " not critical");
        });
    const QString read = d.model + "|" + d.serial + "|" + d.version + "|"
        + (CDeviceExchanger::IsFirmwareOutdated(d.version) ? "outdated" : "current");
    QCOMPARE(trail == "nothing thrown" ? read : trail, outcome);
    if (outcome == "16:121")
        QCOMPARE(text, QString("Invalid device's identificator received from port COM7.\nProbably, you use "
                               "incompatible device."));

    // The firmware rule.
    QLocale::setDefault(QLocale(QStringLiteral("EN")));
    for (const char* v : {"4.5(498)", "504a(1)", "4.4z(1)"})
        QVERIFY2(CDeviceExchanger::IsFirmwareOutdated(v), v);
    for (const char* v : {"5.1b(600)", "505a(1)", "3", "", "4.5a(498)", "x.ya(1)"})
        QVERIFY2(!CDeviceExchanger::IsFirmwareOutdated(v), v);
}

void TestFirstProtocol::readsWhatTheInstrumentOffers()
{
    tPersona a(tPersona::PersonaA());
    CEventsRecorder events;
    CTestExchanger engine(&events);
    LogCatcher log;
    SearchAndConnect(engine, events, {a.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(engine.IsConnected());

    const tDeviceEnumsPublic e = engine.GetEnums();
    QCOMPARE(e.WaveLenNm, QList<int>({1310, 1550}));
    QCOMPARE(e.WaveLenBits, QList<int>({1, 4}));
    QCOMPARE(e.WaveLenFlag, (QMap<int, int>{{1310, 1}, {1550, 4}}));
    QCOMPARE(e.LineLen, QList<int>({2000, 8000}));
    QCOMPARE(e.PulseWidth, QList<int>({10, 100, 1000}));
    QCOMPARE(e.AverageTime, QList<int>({15, 30, 60, -1}));
    QCOMPARE(log.Count(QtDebugMsg, "AverageTime  600  was ignored."), 7);

    QList<QByteArray> probes;
    for (const QByteArray& c : a.CommandTexts())
        if (c.startsWith(";SYST:SET:CFG ") && c.endsWith(",0,1.468\r"))
            probes << c;
    QCOMPARE(probes.size(), 10);
    for (int k = 0; k < 10; ++k)
        QCOMPARE(probes.at(k), QString(";SYST:SET:CFG %1,%1,%1,0,1.468\r").arg(k).toLatin1());

    const tDeviceParams p = engine.GetParams();
    QCOMPARE(p.LineLen, 2000);
    QCOMPARE(p.PulseWidth, 10);
    QCOMPARE(p.AverageTime, 15);
    QCOMPARE(p.WaveLenNm, QList<int>({1310}));
    QCOMPARE(p.WaveLenGI, (QMap<int, float>{{1310, 1.468f}, {1550, 1.468f}}));
}

void TestFirstProtocol::refusesSpoiledParameterReplies_data()
{
    QTest::addColumn<QByteArray>("ava");
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QString>("outcome");
    const QByteArray cur = "CFG,2,10,15,1310(0),1.4680\r";
    QTest::newRow("no lasers listed") << QByteArray("0,0\r") << cur << "wavelengths 1310";
    QTest::newRow("empty") << QByteArray("") << cur << "16:313-16:995";
    QTest::newRow("not a number") << QByteArray("1310,x\r") << cur << "16:324-16:995";
    QTest::newRow("position 31") << QByteArray("1310" + QByteArray(",0").repeated(30) + ",1550\r") << cur
                                 << "16:324-16:995";
    QTest::newRow("unknown range") << QByteArray("1310,0,1550\r") << QByteArray("CFG,4,10,15,1310(0),1.4680\r")
                                   << "16:449-16:995";
    QTest::newRow("unknown pulse") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,20,15,1310(0),1.4680\r")
                                   << "16:460-16:995";
    QTest::newRow("unknown laser") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,10,15,1625(0),1.4680\r")
                                   << "16:474-16:995";
    QTest::newRow("wrong position") << QByteArray("1310,0,1550\r") << QByteArray("CFG,2,10,15,1310(1),1.4680\r")
                                    << "16:480-16:995";
    QTest::newRow("averaging not listed") << QByteArray("1310,0,1550\r")
                                          << QByteArray("CFG,2,10,45,1310(0),1.4680\r") << "averaging -1";
}

void TestFirstProtocol::refusesSpoiledParameterReplies()
{
    QFETCH(QByteArray, ava);
    QFETCH(QByteArray, current);
    QFETCH(QString, outcome);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.ava = ava;
    setup.current = current;
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    LogCatcher log;
    SearchAndConnect(engine, events, {a.SlavePath()});
    const CEventsRecorder::tEnd end = events.Last();
    if (outcome.startsWith("16:")) {
        QVERIFY(end.bCritical);
        QVERIFY2(end.errors.startsWith("Cannot determine parameters of device hardware.\nAdditional information: "
                                       "Device parameters are invalid.\n"),
                 qPrintable(end.errors));
        QVERIFY2(end.errors.endsWith(outcome), qPrintable(end.errors));
    } else if (outcome == "wavelengths 1310") {
        QCOMPARE(end.errors, QString());
        QCOMPARE(engine.GetEnums().WaveLenNm, QList<int>({1310}));
    } else {
        QCOMPARE(end.errors, QString());
        QCOMPARE(engine.GetParams().AverageTime, -1);
        QCOMPARE(log.Count(QtDebugMsg, "NOTE: Exception cancelled: it will interped as real time mode"), 1);
    }
}

void TestFirstProtocol::readsTheThresholds_data()
{
    QTest::addColumn<QByteArray>("blcr");
    QTest::addColumn<bool>("bRead");
    QTest::addColumn<int>("asserted");
    QTest::newRow("ten lines") << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=45000\nET=3000\nEVNT=1\nE=5\r")
                               << true << 0;
    QTest::newRow("nine lines") << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=45000\nET=3000\nEVNT=1\r")
                                << false << 0;
    QTest::newRow("eight lines") << QByteArray("BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=45000\nET=3000\r") << false
                                 << 1;
}

void TestFirstProtocol::readsTheThresholds()
{
    QFETCH(QByteArray, blcr);
    QFETCH(bool, bRead);
    QFETCH(int, asserted);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.blcr = blcr;
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    // A backscatter kept from an earlier connection stays.
    tDeviceParams kept;
    kept.WaveLenBC = {{1625, -79.0f}};
    engine.StoreParams(kept);
    LogCatcher log;
    SearchAndConnect(engine, events, {a.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    const tDeviceParams p = engine.GetParams();
    if (bRead) {
        QCOMPARE(p.WaveLenBC, (QMap<int, float>{{1310, -80.0f}, {1550, -80.0f}, {1625, -79.0f}}));
        QCOMPARE(p.LossThreshold, 0.2);
        QCOMPARE(p.ReflThreshold, -45);
        QCOMPARE(p.EndThreshold, 3.0);
        QCOMPARE(p.EventsEnabled, 1);
    } else {
        QCOMPARE(p.WaveLenBC, (QMap<int, float>{{1625, -79.0f}}));
        QCOMPARE(p.LossThreshold, 0.0);
        QCOMPARE(p.ReflThreshold, 0);
        QCOMPARE(p.EventsEnabled, 0);
    }
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: eventsDataList.size()==9"), asserted);
}

void TestFirstProtocol::sendsParametersOneWavelengthAtATime()
{
    tPersona a(tPersona::PersonaA());
    CEventsRecorder events;
    CTestExchanger engine(&events);
    tMessages messages(engine);
    SearchAndConnect(engine, events, {a.SlavePath()});
    QCOMPARE(events.Last().errors, QString());

    tDeviceParams p = engine.GetParams();
    p.WaveLenNm = {1550};
    p.AverageTime = -1;
    engine.StoreParams(p);
    a.ClearCommands();
    engine.Run(events, IDevicePlugin::ApplyParams);
    QCOMPARE(events.Last().errors, QString());
    const QList<QByteArray> sent = a.CommandTexts();
    // 1310 first, the wavelength to measure last.
    QVERIFY(sent.indexOf(";SYST:SET:CFG 0,0,0,0,1.468\r") >= 0);
    QVERIFY(sent.indexOf(";SYST:SET:CFG 0,0,0,0,1.468\r") < sent.indexOf(";SYST:SET:CFG 0,0,0,2,1.468\r"));
    const QList<QByteArray> last = From(sent, ";SYST:SET:CFG 0,0,0,2,1.468\r");
    QCOMPARE(last, QList<QByteArray>({";SYST:SET:CFG 0,0,0,2,1.468\r", ";SYST:MODE 6\r", ";SET:ENEVENTS 1\r",
                                      ";SYST:SET:BLCR:RT 45000\r", ";SYST:SET:BLCR:ET 3000\r",
                                      ";SYST:SET:BLCR:LT 200\r", ";SYST:SET:BLCR:BC 800\r"}));
    const QList<CScriptedInstrument::tCommandSeen> seen = a.Commands();
    for (int i = seen.size() - 5; i < seen.size(); ++i)
        QVERIFY2(seen.at(i).silenceUsec >= 195000, qPrintable(QString::number(seen.at(i).silenceUsec)));
    QCOMPARE(sent.at(sent.size() - 8), QByteArray(";SYST:MODE 2\r"));

    // The instrument cuts the pulse for the short range, and the user is told.
    p.WaveLenNm = {1310};
    p.AverageTime = 15;
    p.PulseWidth = 1000;
    engine.StoreParams(p);
    engine.Run(events, IDevicePlugin::ApplyParams);
    QCOMPARE(messages.texts.value(0),
             QString("Incompatible parameters combination requested\nRange(2 km) and Pulse width (1000 ns)!\nThe "
                     "maximum acceptable value for Pulse width is set (100 ns) for Range selected"));
    QCOMPARE(engine.GetParams().PulseWidth, 100);

    // Without event search no threshold is sent.
    tPersona b(tPersona::PersonaB());
    CTestExchanger old(&events);
    SearchAndConnect(old, events, {b.SlavePath()});
    QCOMPARE(old.GetCapabilities(), 3);
    b.ClearCommands();
    old.Run(events, IDevicePlugin::ApplyParams);
    for (const QByteArray& c : b.CommandTexts())
        QVERIFY2(!c.contains("BLCR") && !c.contains("ENEVENTS") && c != ";SYST:MODE 6\r", c.constData());
}

void TestFirstProtocol::findsInstrumentsAtTheirRates()
{
    tPersona a(tPersona::PersonaA());
    tPersona c(tPersona::PersonaC());
    tPersona six(tPersona::Version6());
    CScriptedInstrument silent;
    CScriptedInstrument garbage;
    garbage.On("*IDN?\r", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "\x01\x02zz\r"); });
    CEventsRecorder events;
    CTestExchanger engine(&events);
    UseSerialPorts({a.SlavePath(), silent.SlavePath(), c.SlavePath(), six.SlavePath(), garbage.SlavePath()});
    engine.Run(events, IDevicePlugin::Enumerate);
    QCOMPARE(events.Last().errors, QString());

    const QList<tFoundDevice> found = engine.GetFoundDevices();
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].description, a.SlavePath() + " M-7x s/n 1001_5.1b(600)");
    QCOMPARE(found[0].baudRate, 57600);
    QCOMPARE(found[1].description, c.SlavePath() + " M-7x s/n 1003_5.0a(600)");
    QCOMPARE(found[1].baudRate, 460800);
    // Found ports stay open; the others are free again.
    QVERIFY(!PortIsFree(a.SlavePath()));
    QVERIFY(!PortIsFree(c.SlavePath()));
    QVERIFY(PortIsFree(six.SlavePath()));
    QVERIFY(PortIsFree(silent.SlavePath()));
    QVERIFY(PortIsFree(garbage.SlavePath()));
    QCOMPARE(a.Commands().size(), 1);
    QCOMPARE(a.Commands().at(0).baudRate, 57600);
    QCOMPARE(six.CommandTexts(), QList<QByteArray>({"*IDN?\r", "*IDN?\r"}));
    QCOMPARE(six.Commands().at(1).baudRate, 460800);

}

void TestFirstProtocol::cancelledSearchFindsNothing()
{
    CScriptedInstrument silent;
    CScriptedInstrument other;
    tPersona a(tPersona::PersonaA());
    UseSerialPorts({silent.SlavePath(), other.SlavePath(), a.SlavePath()});
    CEventsRecorder events;
    CTestExchanger engine(&events);
    // Each port of the first pass takes the connector's 200 ms of line waits.
    engine.StartCommand(IDevicePlugin::Enumerate);
    QThread::msleep(100);
    engine.Cancel();
    QVERIFY(events.WaitFor(1));
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(events.Last().bCancelled);
    QVERIFY(engine.GetFoundDevices().isEmpty());
    QVERIFY(a.CommandTexts().isEmpty());
    QVERIFY(PortIsFree(silent.SlavePath()));
}

void TestFirstProtocol::connectsAtTheHighRate_data()
{
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("speed");
    QTest::newRow("OK") << int(tPersona::HiOk) << 460800;
    QTest::newRow("ERR") << int(tPersona::HiErr) << 57600;
    QTest::newRow("silent") << int(tPersona::HiSilent) << 57600;
}

void TestFirstProtocol::connectsAtTheHighRate()
{
    QFETCH(int, hi);
    QFETCH(int, speed);
    tPersona::tSetup setup = tPersona::PersonaA();
    setup.hi = tPersona::eHiAnswer(hi);
    tPersona a(setup);
    CEventsRecorder events;
    CTestExchanger engine(&events);
    engine.SetClock([] { return std::time_t(1772694249); });
    SearchAndConnect(engine, events, {a.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(engine.IsConnected());
    QCOMPARE(a.SlaveSpeed(), speed);
    const QList<QByteArray> sent = a.CommandTexts();
    QCOMPARE(sent.value(1), QByteArray(";SYST:UART:HI\r"));
    QVERIFY(sent.indexOf(";SYST:SET:CFG?\r") > 1);
    QVERIFY(sent.last().startsWith(";SYST:TIME "));

    // Found at the high rate already: no switch.
    tPersona c(tPersona::PersonaC());
    CTestExchanger other(&events);
    SearchAndConnect(other, events, {c.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(!c.CommandTexts().contains(";SYST:UART:HI\r"));
}

void TestFirstProtocol::failsConnectionsClearly()
{
    // The clock fails when the instrument is unplugged.
    tPersona b(tPersona::PersonaB());
    b.On(";SYST:MODE 6\r", [](CScriptedInstrument& self, const QByteArray&) { self.HangUpAfter(0); });
    CEventsRecorder events;
    CTestExchanger engine(&events);
    SearchAndConnect(engine, events, {b.SlavePath()});
    CEventsRecorder::tEnd end = events.Last();
    QVERIFY2(end.bCritical, qPrintable(end.errors));
    QVERIFY2(end.errors.startsWith("Cannot synchronize hardware clock.\nAdditional information: Error of sending"),
             qPrintable(end.errors));
    QVERIFY2(end.errors.endsWith("8:161-16:1009"), qPrintable(end.errors));

    // A found port that was closed since cannot be connected.
    tPersona a(tPersona::PersonaA());
    CTestExchanger second(&events);
    UseSerialPorts({a.SlavePath()});
    second.Run(events, IDevicePlugin::Enumerate);
    QCOMPARE(second.GetFoundDevices().size(), 1);
    tFoundDevice found = second.GetFoundDevices().first();
    second.SelectDevice(found);
    second.step = [&] { found.connector->Disconnect(); };
    second.Run(events, IDevicePlugin::ClearMemory);
    second.Run(events, IDevicePlugin::Connect);
    end = events.Last();
    QVERIFY(end.bCritical);
    QVERIFY2(end.errors.startsWith("Cannot connect to port " + a.SlavePath()
                                   + ".\nProbably, port in using by another application."),
             qPrintable(end.errors));
    QVERIFY(end.errors.endsWith("16:956"));
}

void TestFirstProtocol::warnsOfOldFirmware()
{
    tPersona b(tPersona::PersonaB());
    CEventsRecorder events;
    CTestExchanger engine(&events);
    tMessages messages(engine);
    LogCatcher log;
    SearchAndConnect(engine, events, {b.SlavePath()});
    QCOMPARE(events.Last().errors, QString());
    QVERIFY(engine.IsConnected());
    QCOMPARE(messages.texts, QStringList({"The firmware version (FW) of the connected device is out of date.\nUpdate "
                                          "FW to the latest version available on the device manufacturer's website"}));
    QVERIFY(log.Count(QtDebugMsg, "CDeviceExchanger::DoConnect() done") == 1);
}

void TestFirstProtocol::disconnectsFromTheGuiThread()
{
    tPersona a(tPersona::PersonaA());
    CEventsRecorder events;
    LogCatcher log;
    {
        CTestExchanger engine(&events);
        SearchAndConnect(engine, events, {a.SlavePath()});
        QVERIFY(engine.IsConnected());
        const int ends = events.Count();
        engine.DoDisconnect();
        QVERIFY(!engine.IsConnected());
        QCOMPARE(events.Count(), ends);
        QVERIFY(a.WaitForCommand(";SYST:MODE 0\r", 2000));
        QVERIFY(PortIsFree(a.SlavePath()));
    }
    // Destroyed in the middle of a long command, it neither hangs nor aborts.
    tPersona slow(tPersona::PersonaA());
    {
        CTestExchanger engine(&events);
        SearchAndConnect(engine, events, {slow.SlavePath()});
        engine.step = [&] { QThread::msleep(50); };
        engine.StartCommand(IDevicePlugin::SetDateTime);
        QThread::msleep(50);
    }
    QVERIFY(slow.WaitForCommand(";SYST:MODE 0\r", 2000));
    QCOMPARE(log.Texts(QtWarningMsg).filter(QRegularExpression("thread|[Nn]otifier|[Tt]imer")), QStringList());
}

QTEST_GUILESS_MAIN(TestFirstProtocol)
#include "tst_firstprotocol.moc"
