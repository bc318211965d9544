#include "support/InstrumentEmulator.h"
#include "support/LogCatcher.h"
#include "support/Throws.h"

#include "device/DeviceConnectorCOM.h"
#include "device/SerialPortList.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

const tLineStates cLines{false, true, false, false};

class CFixedPortList : public ISerialPortList
{
public:
    explicit CFixedPortList(QList<tSerialPortEntry> ports) : ports(std::move(ports)) {}
    QList<tSerialPortEntry> Ports() const override { return ports; }

private:
    QList<tSerialPortEntry> ports;
};

// Everything waiting within `ms`, polled as the exchange thread does.
QByteArray ReceiveFor(IDeviceConnector& connector, int ms)
{
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (connector.HasData())
            bytes += connector.Receive();
        else
            QThread::msleep(5);
    }
    return bytes;
}

QStringList Matching(const LogCatcher& log, QtMsgType type, const QString& pattern)
{
    const QRegularExpression re(pattern);
    QStringList found;
    for (const QString& text : log.Texts(type))
        if (re.match(text).hasMatch())
            found << text;
    return found;
}

} // namespace

class TestConnector : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetSerialPortList(nullptr); }

    void sendsAndReceivesWithLog();
    void setsTheAllowedRates_data();
    void setsTheAllowedRates();
    void changesOnlyTheSpeedOfAnOpenPort();
    void connectingElsewhereClosesTheFirstPort();
    void reportsAMissingPort();
    void failsToSendAfterHangUp();
    void listsBridgePortsFirst();
    void keepsAPortToOneConnector();
    void worksFromAThreadWithoutEventLoop();
    void answersIsConnectedWhileAnotherThreadCloses();
};

void TestConnector::sendsAndReceivesWithLog()
{
    CInstrumentEmulator emulator;
    QVERIFY(emulator.IsOpen());
    CDeviceConnectorCOM connector;
    LogCatcher log;
    QVERIFY(connector.Connect(emulator.SlavePath(), 57600, &cLines));
    QVERIFY(connector.IsConnected());
    QCOMPARE(connector.GetPortName(), emulator.SlavePath());

    connector.Send(";SYST:MODE 2\r");
    QVERIFY(emulator.WaitForReceived(";SYST:MODE 2\r", 2000));
    QCOMPARE(emulator.Received(), QByteArray(";SYST:MODE 2\r"));

    const QByteArray reply("A\x00B\rC\r\n\xff", 8);
    emulator.Write(reply);
    QCOMPARE(ReceiveFor(connector, 300), reply);

    const QStringList sent = Matching(log, QtDebugMsg, "^Transmitted at \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ");
    QCOMPARE(sent.size(), 1);
    QVERIFY2(sent[0].contains(";SYST:MODE 2\\r") && sent[0].contains("to port " + emulator.SlavePath()),
             qPrintable(sent[0]));
    const QStringList got = Matching(log, QtDebugMsg, "^Received at \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ");
    QVERIFY(!got.isEmpty());
    QVERIFY2(got.last().contains("from port " + emulator.SlavePath()), qPrintable(got.last()));

    // Nothing waiting: nothing read, and the count 0 logged.
    log.Clear();
    QVERIFY(!connector.HasData());
    QCOMPARE(connector.Receive(), QByteArray());
    QCOMPARE(Matching(log, QtDebugMsg, "^Received at .* 0 bytes: ").size(), 1);
    QCOMPARE(log.Texts(QtCriticalMsg), QStringList());
}

void TestConnector::setsTheAllowedRates_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("set");
    QTest::addColumn<bool>("bAsserted");
    QTest::newRow("57600") << 57600 << 57600 << false;
    QTest::newRow("460800") << 460800 << 460800 << false;
    QTest::newRow("921600") << 921600 << 921600 << false;
    QTest::newRow("115200 refused") << 115200 << 57600 << true;
}

void TestConnector::setsTheAllowedRates()
{
    QFETCH(int, asked);
    QFETCH(int, set);
    QFETCH(bool, bAsserted);
    CInstrumentEmulator emulator;
    CDeviceConnectorCOM connector;
    LogCatcher log;
    QVERIFY(connector.Connect(emulator.SlavePath(), asked, &cLines));
    QCOMPARE(emulator.SlaveSpeed(), set);
    QCOMPARE(log.Count(QtCriticalMsg,
                       "ASSERTION FAILED: baudRate==57600 || baudRate==460800 || baudRate==921600"),
             bAsserted ? 1 : 0);
    // A pseudo-terminal has no modem lines; that is no failure of the link.
    if (!bAsserted)
        QCOMPARE(log.Texts(QtCriticalMsg), QStringList());
}

void TestConnector::changesOnlyTheSpeedOfAnOpenPort()
{
    CInstrumentEmulator emulator;
    CDeviceConnectorCOM connector;
    QVERIFY(connector.Connect(emulator.SlavePath(), 57600, &cLines));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(connector.Connect(emulator.SlavePath(), 460800, &cLines));
    // The two line waits of an open take 200 ms.
    QVERIFY2(timer.elapsed() < 150, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(connector.IsConnected());
    QCOMPARE(emulator.SlaveSpeed(), 460800);
    connector.Send("X\r");
    QVERIFY(emulator.WaitForReceived("X\r", 2000));
}

void TestConnector::connectingElsewhereClosesTheFirstPort()
{
    CInstrumentEmulator first;
    CInstrumentEmulator second;
    CDeviceConnectorCOM connector;
    QVERIFY(connector.Connect(first.SlavePath(), 57600, &cLines));
    QVERIFY(connector.Connect(second.SlavePath(), 57600, &cLines));
    QCOMPARE(connector.GetPortName(), second.SlavePath());
    // The first port is free again.
    CDeviceConnectorCOM other;
    QVERIFY(other.Connect(first.SlavePath(), 57600, &cLines));
}

void TestConnector::reportsAMissingPort()
{
    CDeviceConnectorCOM connector;
    LogCatcher log;
    QVERIFY(!connector.Connect("/dev/quorvane-no-such-port", 57600, &cLines));
    QVERIFY(!connector.IsConnected());
    QCOMPARE(connector.GetPortName(), QString("/dev/quorvane-no-such-port"));
    const QStringList errors = Matching(log, QtDebugMsg, "^CDeviceConnectorCOM::Connect\\(\\) system error: .+");
    QCOMPARE(errors.size(), 1);
    QVERIFY(!connector.HasData());
}

void TestConnector::failsToSendAfterHangUp()
{
    CInstrumentEmulator emulator;
    CDeviceConnectorCOM connector;
    QVERIFY(connector.Connect(emulator.SlavePath(), 460800, &cLines));
    emulator.HangUp();
    try {
        // A pseudo-terminal may take one more block before the hang-up shows.
        for (int i = 0; i < 3; ++i)
            connector.Send(";OTDR:DUMP\r");
        QFAIL("sent into a dead link");
    } catch (const IDeviceConnector::ESending& e) {
        QCOMPARE(e.GetDescription(), QString("Error of sending"));
        QVERIFY2(e.GetCodeString().endsWith("-8:161"), qPrintable(e.GetCodeString()));
    }
    // Not connected at all, the same.
    CDeviceConnectorCOM closed;
    QCOMPARE(FailureTrail<IDeviceConnector::ESending>([&] { closed.Send("X\r"); }), QString("8:161"));
}

void TestConnector::listsBridgePortsFirst()
{
    tSerialPortEntry com1{"COM1", false, 0, "Other"};
    tSerialPortEntry com5{"COM5", true, 0x0403, ""};
    tSerialPortEntry com3{"COM3", false, 0, "FTDI"};
    tSerialPortEntry com7{"COM7", true, 0x1234, "Someone"};
    SetSerialPortList(std::make_shared<CFixedPortList>(QList<tSerialPortEntry>{com1, com5, com7, com3}));
    CDeviceConnectorCOM connector;
    QCOMPARE(connector.EnumeratePorts(), QStringList({"COM5", "COM3", "COM1", "COM7"}));
    SetSerialPortList(std::make_shared<CFixedPortList>(QList<tSerialPortEntry>{}));
    QCOMPARE(connector.EnumeratePorts(), QStringList());
}

void TestConnector::keepsAPortToOneConnector()
{
    CInstrumentEmulator emulator;
    CDeviceConnectorCOM holder;
    QVERIFY(holder.Connect(emulator.SlavePath(), 57600, &cLines));
    CDeviceConnectorCOM intruder;
    QVERIFY(!intruder.Connect(emulator.SlavePath(), 57600, &cLines));
    holder.Disconnect();
    QVERIFY(!holder.IsConnected());
    QVERIFY(intruder.Connect(emulator.SlavePath(), 57600, &cLines));
}

void TestConnector::worksFromAThreadWithoutEventLoop()
{
    CInstrumentEmulator emulator;
    // Made on this thread, used on the other one, as the exchanger does.
    CDeviceConnectorCOM connector;
    LogCatcher log;
    QByteArray got;
    bool bConnected = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        bConnected = connector.Connect(emulator.SlavePath(), 460800, &cLines);
        if (!bConnected)
            return;
        connector.Send("*IDN?\r");
        emulator.WaitForReceived("*IDN?\r", 2000);
        emulator.Write("MAKER,M-7x\r");
        got = ReceiveFor(connector, 300);
        connector.Disconnect();
    }));
    thread->start();
    QVERIFY(thread->wait(10000));
    QVERIFY(bConnected);
    QCOMPARE(got, QByteArray("MAKER,M-7x\r"));
    QCOMPARE(Matching(log, QtWarningMsg, "notifier|[Tt]imer|thread|[Pp]arent").join('\n'), QString());
}

// The status bar asks from the interface thread while the exchange thread
// opens and closes the port. The answer comes from what Connect and
// Disconnect published, never from the port object they are building or
// freeing: a port still being set up is not connected yet. (Under the
// sanitizers a reader of the port object itself also shows as a use after
// free.)
void TestConnector::answersIsConnectedWhileAnotherThreadCloses()
{
    CInstrumentEmulator instrument;
    CDeviceConnectorCOM connector;
    // Odd while a Connect runs; counts every entry and return.
    std::atomic<int> phase{0};
    std::atomic<bool> bDone{false};
    std::atomic<int> opened{0};
    std::thread exchange([&] {
        for (int i = 0; i < 5; ++i) {
            ++phase;
            const bool bOpen = connector.Connect(instrument.SlavePath(), 57600, &cLines);
            ++phase;
            opened += bOpen ? 1 : 0;
            connector.Disconnect();
        }
        bDone = true;
    });
    // Connect lets the line settle for 200 ms after it opened the port. An
    // answer "connected" that is followed by 100 ms more of the same Connect
    // came from the port being set up.
    int connectedWhileSettingUp = 0;
    while (!bDone) {
        const int before = phase;
        if (before % 2 == 1 && connector.IsConnected()) {
            QThread::msleep(100);
            if (phase == before)
                ++connectedWhileSettingUp;
        }
    }
    exchange.join();
    QCOMPARE(opened.load(), 5);
    QCOMPARE(connectedWhileSettingUp, 0);
    QVERIFY(!connector.IsConnected());
    QVERIFY(connector.Connect(instrument.SlavePath(), 57600, &cLines));
    QVERIFY(connector.IsConnected());
    connector.Disconnect();
    QVERIFY(!connector.IsConnected());
}

QTEST_GUILESS_MAIN(TestConnector)
#include "tst_connector.moc"
