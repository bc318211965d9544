#pragma once

#include "device/DeviceConnector.h"

#include <QObject>
#include <QSharedPointer>

#include <atomic>
#include <memory>

class QSerialPort;

// A serial port through Qt SerialPort. The port object exists only while a
// connection does, and lives on the thread that connected: the exchange
// thread has no event loop, so reads poll and writes flush.
class CDeviceConnectorCOM : public QObject, public IDeviceConnector
{
    Q_OBJECT

public:
    static QSharedPointer<IDeviceConnector> Create();

    CDeviceConnectorCOM();
    ~CDeviceConnectorCOM() override;

    bool Connect(const QString& portName, int baudRate, const tLineStates* lines) override;
    QString GetPortName() override;
    QStringList EnumeratePorts() override;
    void Disconnect() override;
    void Send(const QByteArray& bytes) override;
    bool HasData() override;
    QByteArray Receive() override;
    bool IsConnected() override;

private slots:
    void onDataAvailable();

private:
    void SetLine(bool bDtr, bool bLevel);

    std::unique_ptr<QSerialPort> port;
    QString portName;
    tLineStates lineStates;
    // Whom this connector holds in the process-wide register of open ports.
    QString heldPort;
    std::atomic<bool> bDataArrived{false};
    // Whether the port is open, for IsConnected from another thread while
    // the owning thread opens or closes it.
    std::atomic<bool> bOpen{false};
};
