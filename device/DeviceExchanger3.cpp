#include "device/DeviceExchanger3.h"

#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/ReplyParsers.h"

#include <QDebug>

namespace {

constexpr int cSource = 256;

} // namespace

CDeviceExchanger3::CDeviceExchanger3(IDeviceEvents* events, QWidget* parent) : CDeviceExchanger(events, parent) {}

CDeviceExchanger3::~CDeviceExchanger3()
{
    ShutDown();
}

int CDeviceExchanger3::GetCapabilities()
{
    return 4;
}

bool CDeviceExchanger3::HasRealReflectance()
{
    return false;
}

QString CDeviceExchanger3::GetName()
{
    return QStringLiteral("Veltramo3");
}

QMap<int, float> CDeviceExchanger3::MakeWaveLenBC(const QMap<int, float>& waveLenBC, float)
{
    // Every wavelength keeps its own coefficient.
    return waveLenBC;
}

void CDeviceExchanger3::DoEnumerate()
{
    qDebug() << "CDeviceExchanger3::DoEnumerate()";
    if (events)
        events->SetWaiting(0, true, QString());
    ClearFoundDevices();
    QStringList ports = connector->EnumeratePorts();
    if (ports.isEmpty())
        return;
    CheckPort(ports, 460800, QStringLiteral("-7"), true);
    qDebug() << "CDeviceExchanger3::DoEnumerate() done";
}

void CDeviceExchanger3::DoConnect()
{
    qDebug() << "CDeviceExchanger3::DoConnect()";
    const tFoundDevice device = TakeSelectedPort(cSource, 122);

    try {
        ReceiveParams();
        Pause(50);
    } catch (const Exception& e) {
        throw ConnectStepFailed(e, cSource, 163, tr("Cannot determine parameters of device hardware.\nAdditional information: %1"));
    }
    try {
        DoSetDateTime();
    } catch (const Exception& e) {
        throw ConnectStepFailed(e, cSource, 177, tr("Cannot synchronize hardware clock.\nAdditional information: %1"));
    }
    qDebug() << "CDeviceExchanger3::DoConnect() done";
}

void CDeviceExchanger3::ReceiveParams()
{
    ReadOffer({"CDeviceExchanger3", cSource, 50, 60, 242, 253, 379, 390, 404, 410});
}

void CDeviceExchanger3::SetParams(int waveLen)
{
    Pause(50);
    Send(";SYST:MODE 2\r");
    GetResponse(500, true, true);
    const float gi = params.WaveLenGI.value(waveLen, 0.0f);
    Pause(50);
    Send(QStringLiteral(";SYST:SET:CFG %1,%2,%3,%4,%5\r")
             .arg(enums.mLineLen.value(params.LineLen, 0))
             .arg(enums.mPulseWidth.value(params.PulseWidth, 0))
             .arg(enums.mAverageTime.value(params.AverageTime, 0))
             .arg(enums.mWaveLen.value(waveLen, 0))
             .arg(RealText(double(gi)))
             .toLatin1());
    AcceptCfgEcho(waveLen, gi);

    if (GetCapabilities() & 4) {
        Pause(50);
        Send(";SYST:MODE 6\r");
        GetResponse(500, true, true);
        Pause(200);
        Send(QStringLiteral(";SET:ENEVENTS %1\r").arg(params.EventsEnabled).toLatin1());
        GetResponse(200, true, true);
        const QStringList settings{
            QStringLiteral(";SYST:SET:BLCR:RT %1\r").arg(params.ReflThreshold * -1000),
            QStringLiteral(";SYST:SET:BLCR:ET %1\r").arg(RealText(params.EndThreshold * 1000)),
            QStringLiteral(";SYST:SET:BLCR:LT %1\r").arg(RealText(params.LossThreshold * 1000)),
            QStringLiteral(";SYST:SET:BLCR:BC %1\r").arg(RealText(params.WaveLenBC.value(waveLen) * -10.0))};
        for (const QString& setting : settings) {
            Pause(50);
            Send(setting.toLatin1());
            GetResponse(200, true, true);
        }
    }
}

void CDeviceExchanger3::SelectWaveLength(int)
{
    // The wavelength travels inside the configuration command.
}

void CDeviceExchanger3::DoSetDateTime()
{
    SendDateTime(50);
}

void CDeviceExchanger3::Disconnecting()
{
    qDebug() << "CDeviceExchanger3::DoDisconnect()";
    ClearFoundDevices();
    if (IsConnected()) {
        try {
            Pause(50);
            Send("*DISCONN\r");
        } catch (const Exception&) {
        }
    }
    if (connector)
        ClosePort(connector);
    qDebug() << "CDeviceExchanger3::DoDisconnect() done";
}
