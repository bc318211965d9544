#include "device/DeviceExchanger.h"

#include "core/Codec.h"
#include "device/DeviceConnectorCOM.h"
#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"

#include <QDebug>
#include <QLocale>
#include <QTextCodec>
#include <QTime>

namespace {

constexpr int cSource = 16;

QString Clock()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

} // namespace

void CDeviceExchanger::DoEnumerate()
{
    qDebug() << "CDeviceExchanger::DoEnumerate()";
    if (events)
        events->SetWaiting(0, true, QString());
    ClearFoundDevices();
    QStringList ports = connector->EnumeratePorts();
    if (ports.isEmpty())
        return;
    CheckPort(ports, 57600, QStringLiteral("M-7"), false);
    if (!ports.isEmpty())
        CheckPort(ports, 460800, QStringLiteral("M-7"), false);
    qDebug() << "CDeviceExchanger::DoEnumerate() done";
}

void CDeviceExchanger::CheckPort(QStringList& ports, int baudRate, const QString& marker, bool bAcceptNewer)
{
    QList<tConnector> probed;
    const QStringList names = ports;
    for (const QString& name : names) {
        tConnector probe = CDeviceConnectorCOM::Create();
        try {
            qDebug() << "Check port " << name << " at " << Clock() << " with baud rate " << baudRate;
            if (OpenPort(probe, name, baudRate))
                probe->Send("*IDN?\r");
        } catch (const Exception&) {
        }
        probed.append(probe);
        if (cancelled) {
            for (const tConnector& p : qAsConst(probed))
                ClosePort(p);
            return;
        }
    }
    Pause(200);

    for (const tConnector& probe : qAsConst(probed)) {
        if (!probe->IsConnected())
            continue;
        const QString port = probe->GetPortName();
        try {
            const QByteArray reply = probe->Receive();
            if (reply.isEmpty() || !GetLocaleCodec()->toUnicode(reply).contains(marker)) {
                ClosePort(probe);
            } else {
                tFoundDevice device = ReceiveInfo(reply, port);
                device.port = port;
                device.description = port + QLatin1Char(' ') + device.model + tr(" s/n ") + device.serial
                    + QLatin1Char('_') + device.version;
                device.baudRate = baudRate;
                device.connector = probe;
                bool bQualifies = true;
                if (marker == QLatin1String("M-7")) {
                    const QChar first = device.version.isEmpty() ? QChar() : device.version.at(0);
                    const int digit = first.isDigit() ? first.digitValue() : -1;
                    bQualifies = digit >= 0 && (digit <= 5 || bAcceptNewer);
                }
                if (bQualifies) {
                    foundDevices.append(device);
                    ports.removeOne(port);
                } else {
                    ClosePort(probe);
                }
            }
        } catch (const Exception&) {
            ClosePort(probe);
        }
        qDebug() << "End checking port " << port << " at " << Clock();
        if (cancelled)
            break;
    }
    // A search that was cancelled half-way keeps no port it did not report.
    for (const tConnector& probe : qAsConst(probed)) {
        bool bFound = false;
        for (const tFoundDevice& d : qAsConst(foundDevices))
            bFound = bFound || d.connector == probe;
        if (!bFound && probe->IsConnected())
            ClosePort(probe);
    }
}

tFoundDevice CDeviceExchanger::ReceiveInfo(const QByteArray& reply, const QString& port)
{
    const QString text = QString::fromUtf8(reply);
    qDebug() << "ReceiveInfo(" << text << ")";
    if (text.isEmpty())
        throw EDeviceExchange({tErrorCode(cSource, 113)},
                              tr("Cannot receive device's identificator from port %1.\nProbably, you use "
                                 "incompatible device or device is not connected.")
                                  .arg(port),
                              true);
    const QStringList lines = text.left(text.size() - 1).split(QLatin1Char('\r'));
    const QStringList fields = lines.isEmpty() ? QStringList() : lines.first().split(QLatin1Char(','));
    if (fields.size() != 4)
        throw EDeviceExchange(
            {tErrorCode(cSource, 121)},
            tr("Invalid device's identificator received from port %1.\nProbably, you use incompatible device.")
                .arg(port),
            true);
    tFoundDevice device;
    device.model = fields.at(1);
    device.serial = fields.at(2);
    if (device.serial.startsWith(QChar(0x2116)))
        device.serial.remove(0, 1);
    device.version = fields.at(3).mid(7);
    qDebug() << "ReceiveInfo() done";
    return device;
}

bool CDeviceExchanger::IsFirmwareOutdated(const QString& version)
{
    const int parenthesis = version.indexOf(QLatin1Char('('));
    if (version.isEmpty() || parenthesis < 0)
        return false;
    const QString head = version.left(parenthesis);
    if (head.isEmpty())
        return false;
    const QString number = head.left(head.size() - 1);
    const bool bEarlierSuffix = head.at(head.size() - 1).unicode() < 'a';
    bool bAllDigits = !number.isEmpty();
    for (const QChar c : number)
        bAllDigits = bAllDigits && c.isDigit();
    bool bOk = false;
    if (!bAllDigits) {
        const double value = QLocale().toDouble(number, &bOk);
        if (!bOk || value > 4.5)
            return false;
        return value < 4.5 || bEarlierSuffix;
    }
    const int value = QLocale().toInt(number, &bOk);
    if (!bOk || value > 505)
        return false;
    return value < 505 || bEarlierSuffix;
}

void CDeviceExchanger::DoConnect()
{
    qDebug() << "CDeviceExchanger::DoConnect()";
    const tFoundDevice device = TakeSelectedPort(cSource, 956);
    bool bNeedHi = device.baudRate != 460800;
    bool bSpeedOk = !bNeedHi;

    if (bNeedHi) {
        try {
            Send(";SYST:UART:HI\r");
        } catch (const Exception&) {
            bNeedHi = false;
        }
    }
    if (bNeedHi)
        bSpeedOk = GetResponse(200, true, true) == "OK\r";
    if (bNeedHi && bSpeedOk && !OpenPort(connector, connector->GetPortName(), 460800))
        throw EDeviceExchange({tErrorCode(cSource, 985)}, tr("Cannot reconnect on HI speed."), true);
    // An instrument that did not confirm the change stays at its own rate.
    lineRate = bNeedHi && bSpeedOk ? 460800 : device.baudRate;

    try {
        ReceiveParams();
    } catch (const Exception& e) {
        throw ConnectStepFailed(e, cSource, 995, tr("Cannot determine parameters of device hardware.\nAdditional information: %1"));
    }
    try {
        DoSetDateTime();
    } catch (const Exception& e) {
        throw ConnectStepFailed(e, cSource, 1009, tr("Cannot synchronize hardware clock.\nAdditional information: %1"));
    }
    qDebug() << "CDeviceExchanger::DoConnect() done";
    if (IsFirmwareOutdated(device.version))
        emit sigShowMessage(tr("The firmware version (FW) of the connected device is out of date.\nUpdate FW to "
                               "the latest version available on the device manufacturer's website"));
}

tFoundDevice CDeviceExchanger::TakeSelectedPort(int source, int code)
{
    const tFoundDevice device = selectedDevice;
    if (device.port.isEmpty())
        qCritical("ASSERTION FAILED: %s", "!device.port.isEmpty()");
    if (device.connector)
        SetConnector(device.connector);
    lineRate = device.baudRate;
    ClearFoundDevices();
    if (!IsConnected())
        throw EDeviceExchange(
            {tErrorCode(source, code)},
            tr("Cannot connect to port %1.\nProbably, port in using by another application.").arg(device.port), true);
    qDebug() << "Connected to " << device.port;
    return device;
}

EDeviceExchange CDeviceExchanger::ConnectStepFailed(const Exception& e, int source, int code, const QString& text)
{
    tErrorTrail trail = e.GetCodes();
    trail.append(tErrorCode(source, code));
    return EDeviceExchange(trail, text.arg(e.GetDescription()), true);
}

void CDeviceExchanger::Disconnecting()
{
    qDebug() << "CDeviceExchanger::DoDisconnect()";
    ClearFoundDevices();
    if (IsConnected()) {
        try {
            Send(";SYST:MODE 0\r");
        } catch (const Exception&) {
        }
    }
    if (connector)
        ClosePort(connector);
    qDebug() << "CDeviceExchanger::DoDisconnect() done";
}
