#include "device/DeviceConnectorCOM.h"

#include "core/Codec.h"
#include "device/SerialPortList.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QMutex>
#include <QSerialPort>
#include <QSet>
#include <QTextCodec>
#include <QThread>
#include <QTime>

namespace {

constexpr qint32 cSource = 8;
constexpr int cFlushMs = 2000;

// Ports held open by a connector of this process. The system's exclusive
// open does not stop root, and a second open would steal an instrument's
// replies from the first.
QMutex g_openMutex;
QSet<QString> g_openPorts;

QString PortKey(const QString& name)
{
    const QString canonical = QFileInfo(name).canonicalFilePath();
    return canonical.isEmpty() ? name : canonical;
}

bool ClaimPort(const QString& key)
{
    QMutexLocker lock(&g_openMutex);
    if (g_openPorts.contains(key))
        return false;
    g_openPorts.insert(key);
    return true;
}

void ReleasePort(const QString& key)
{
    QMutexLocker lock(&g_openMutex);
    g_openPorts.remove(key);
}

QString BlockText(const QByteArray& bytes)
{
    QString text = GetLocaleCodec()->toUnicode(bytes);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

QString Now()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

} // namespace

IDeviceConnector::ESending::ESending(const tErrorTrail& trail) : Exception(trail)
{
    SetDescription(QCoreApplication::translate("IDeviceConnector::ESending", "Error of sending"));
}

QSharedPointer<IDeviceConnector> CDeviceConnectorCOM::Create()
{
    return QSharedPointer<IDeviceConnector>(new CDeviceConnectorCOM());
}

CDeviceConnectorCOM::CDeviceConnectorCOM() = default;

CDeviceConnectorCOM::~CDeviceConnectorCOM()
{
    Disconnect();
}

bool CDeviceConnectorCOM::Connect(const QString& name, int baudRate, const tLineStates* lines)
{
    if (lines)
        lineStates = *lines;
    if (baudRate != 57600 && baudRate != 460800 && baudRate != 921600) {
        qCritical("ASSERTION FAILED: %s", "baudRate==57600 || baudRate==460800 || baudRate==921600");
        baudRate = 57600;
    }

    if (name != portName || !IsConnected()) {
        Disconnect();
        portName = name;
        port = std::make_unique<QSerialPort>();
        connect(port.get(), &QSerialPort::readyRead, this, &CDeviceConnectorCOM::onDataAvailable,
                Qt::DirectConnection);
        port->setBaudRate(baudRate);
        port->setFlowControl(QSerialPort::NoFlowControl);
        port->setParity(QSerialPort::NoParity);
        port->setDataBits(QSerialPort::Data8);
        port->setStopBits(QSerialPort::OneStop);
        port->setPortName(name);

        const QString key = PortKey(name);
        QString error;
        if (!ClaimPort(key)) {
            error = QStringLiteral("the port is in use by this program");
        } else if (!port->open(QIODevice::ReadWrite)) {
            error = port->errorString();
            ReleasePort(key);
        } else {
            heldPort = key;
        }
        SetLine(true, lineStates.DtrOnOpen);
        QThread::msleep(100);
        SetLine(false, lineStates.RtsOnOpen);
        QThread::msleep(100);
        if (!error.isNull()) {
            qDebug() << "CDeviceConnectorCOM::Connect() system error: " << error;
            port.reset();
        }
        bOpen = port && port->isOpen();
    } else {
        port->setBaudRate(baudRate);
    }
    return IsConnected();
}

void CDeviceConnectorCOM::SetLine(bool bDtr, bool bLevel)
{
    if (!port || !port->isOpen())
        return;
    const bool bSet = bDtr ? port->setDataTerminalReady(bLevel) : port->setRequestToSend(bLevel);
    // A pseudo-terminal has no modem lines; the link works without them.
    if (!bSet) {
        qDebug() << "CDeviceConnectorCOM:" << (bDtr ? "DTR" : "RTS") << "not set:" << port->errorString();
        port->clearError();
    }
}

QString CDeviceConnectorCOM::GetPortName()
{
    return portName;
}

QStringList CDeviceConnectorCOM::EnumeratePorts()
{
    QStringList bridges;
    QStringList others;
    for (const tSerialPortEntry& entry : GetSerialPortList()->Ports()) {
        const bool bBridge = (entry.bHasVendorId && entry.vendorId == 0x0403)
            || entry.manufacturer == QLatin1String("FTDI");
        (bBridge ? bridges : others).append(entry.name);
    }
    return bridges + others;
}

void CDeviceConnectorCOM::Disconnect()
{
    bOpen = false;
    if (!port)
        return;
    if (port->isOpen()) {
        SetLine(true, lineStates.DtrOnClose);
        SetLine(false, lineStates.RtsOnClose);
        port->close();
    }
    port.reset();
    if (!heldPort.isEmpty()) {
        ReleasePort(heldPort);
        heldPort.clear();
    }
}

void CDeviceConnectorCOM::Send(const QByteArray& bytes)
{
    // write() only queues: the block is sent once the flush says so.
    const qint64 written = port && port->isOpen() ? port->write(bytes) : -1;
    bool bSent = written == bytes.size();
    while (bSent && port->bytesToWrite() > 0)
        bSent = port->waitForBytesWritten(cFlushMs);
    if (!bSent)
        throw ESending({tErrorCode(cSource, 161)});
    qDebug().noquote() << "Transmitted at" << Now() << ":[" + BlockText(bytes) + "]"
                       << "to port" << portName;
}

bool CDeviceConnectorCOM::HasData()
{
    if (!port || !port->isOpen())
        return false;
    port->waitForReadyRead(0);
    return port->bytesAvailable() != 0;
}

QByteArray CDeviceConnectorCOM::Receive()
{
    const bool bOpen = port && port->isOpen();
    if (!bOpen)
        qCritical("ASSERTION FAILED: %s", "port->isOpen()");
    QByteArray bytes;
    if (bOpen) {
        port->waitForReadyRead(0);
        bytes = port->readAll();
    }
    qDebug().noquote() << "Received at" << Now() << bytes.size() << "bytes: [" + BlockText(bytes) + "]"
                       << "from port" << portName;
    return bytes;
}

bool CDeviceConnectorCOM::IsConnected()
{
    return bOpen;
}

void CDeviceConnectorCOM::onDataAvailable()
{
    bDataArrived = true;
}
