#include "device/DeviceExchanger2.h"

#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/FInfo.h"

#include <QDebug>
#include <QLocale>

namespace {

constexpr int cSource = 256;

// Firmware versions are plain decimal numbers, compared in single precision
// as the instruments' own tools do.
bool VersionAbove(const QString& version, double limit)
{
    bool bOk = false;
    const float value = QLocale::c().toFloat(version, &bOk);
    return bOk && value > limit;
}

} // namespace

CDeviceExchanger2::CDeviceExchanger2(IDeviceEvents* events, QWidget* parent) : CDeviceExchanger(events, parent) {}

CDeviceExchanger2::~CDeviceExchanger2()
{
    ShutDown();
}

int CDeviceExchanger2::GetCapabilities()
{
    return 5;
}

bool CDeviceExchanger2::HasRealReflectance()
{
    return selectedDevice.model.contains(QLatin1String("-9")) && VersionAbove(selectedDevice.version, 1.1598);
}

QString CDeviceExchanger2::GetName()
{
    return QStringLiteral("Veltramo2");
}

QMap<int, float> CDeviceExchanger2::MakeWaveLenBC(const QMap<int, float>& waveLenBC, float)
{
    // Every laser keeps its own coefficient.
    return waveLenBC;
}

QByteArray CDeviceExchanger2::Exchange(const QString& command, int timeoutMs)
{
    Send(command.toLatin1());
    return GetResponse(timeoutMs, true, true);
}

void CDeviceExchanger2::DoEnumerate()
{
    qDebug() << "CDeviceExchanger::DoEnumerate()";
    if (events)
        events->SetWaiting(0, true, QString());
    ClearFoundDevices();
    QStringList ports = connector->EnumeratePorts();
    if (ports.isEmpty())
        return;
    // An instrument of this family that still answers at the old top rate
    // runs firmware that this program cannot serve.
    CheckPort(ports, 921600, QStringLiteral("-9"), false);
    if (!foundDevices.isEmpty()) {
        emit sigShowMessage(tr("Device with out of date firmware detected\nPlease update device firmware\nDevice -%1")
                                .arg(foundDevices.first().description));
        ClearFoundDevices();
    }
    CheckPort(ports, 460800, QStringLiteral("-9"), false);
    qDebug() << "CDeviceExchanger::DoEnumerate() done";
}

void CDeviceExchanger2::DoConnect()
{
    qDebug() << "CDeviceExchanger::DoConnect()";
    const tFoundDevice device = TakeSelectedPort(cSource, 130);
    Exchange(QStringLiteral("*CONNECT\r"), 200);

    try {
        ReceiveParams();
    } catch (const Exception& e) {
        throw ConnectStepFailed(e, cSource, 152, tr("Cannot determine parameters of device hardware.\nAdditional information: %1"));
    }
    try {
        DoSetDateTime();
    } catch (const Exception& e) {
        throw ConnectStepFailed(e, cSource, 166, tr("Cannot synchronize hardware clock.\nAdditional information: %1"));
    }
    qDebug() << "CDeviceExchanger::DoConnect() done";
    if (!VersionAbove(device.version, 1.16019))
        emit sigShowMessage(tr("The firmware version (FW) of the connected device is out of date.\n Update FW to the "
                               "latest version available on the device manufacturer's website"));
    pFiles.reset();
}

void CDeviceExchanger2::DoSetDateTime()
{
    SendDateTime(0);
}

void CDeviceExchanger2::DoClearMemory()
{
    // The instrument keeps its files; the program never erases them.
}

void CDeviceExchanger2::Disconnecting()
{
    qDebug() << "CDeviceExchanger::DoDisconnect()";
    pFiles.reset();
    ClearFoundDevices();
    if (IsConnected()) {
        try {
            Send("*DISCONN\r");
        } catch (const Exception&) {
        }
    }
    if (connector)
        ClosePort(connector);
    qDebug() << "CDeviceExchanger::DoDisconnect() done";
}
