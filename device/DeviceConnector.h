#pragma once

#include "core/Exception.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Modem-line levels set when a port opens and before it closes.
struct tLineStates
{
    bool DtrOnOpen = false;
    bool RtsOnOpen = false;
    bool DtrOnClose = false;
    bool RtsOnClose = false;
};

// One serial port to an instrument. Driven by one thread at a time.
class IDeviceConnector
{
public:
    // A block could not be written whole: the link is gone.
    class ESending : public Exception
    {
    public:
        explicit ESending(const tErrorTrail& trail);
    };

    // True when the port is open afterwards.
    virtual bool Connect(const QString& portName, int baudRate, const tLineStates* lines) = 0;
    virtual QString GetPortName() = 0;
    // Port names, those of the instruments' USB-serial bridge first.
    virtual QStringList EnumeratePorts() = 0;
    virtual void Disconnect() = 0;
    virtual void Send(const QByteArray& bytes) = 0;
    virtual bool HasData() = 0;
    virtual QByteArray Receive() = 0;
    virtual ~IDeviceConnector() = default;
    virtual bool IsConnected() = 0;

protected:
    IDeviceConnector() = default;
    IDeviceConnector(const IDeviceConnector&) = default;
    IDeviceConnector& operator=(const IDeviceConnector&) = default;
};
