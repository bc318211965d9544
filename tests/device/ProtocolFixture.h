#pragma once

#include "ExchangerFixture.h"

#include "device/DeviceConnectorCOM.h"
#include "device/SerialPortList.h"

#include <QtTest>

#include <memory>

// What the protocol and panel tests share: a fixed port list,
// the search-and-connect sequence and the panel's message boxes.

class CNamedPortList : public ISerialPortList
{
public:
    explicit CNamedPortList(QStringList names) : names(std::move(names)) {}
    QList<tSerialPortEntry> Ports() const override
    {
        QList<tSerialPortEntry> ports;
        for (const QString& name : names)
            ports.append({name, false, 0, QString()});
        return ports;
    }

private:
    QStringList names;
};

inline void UseSerialPorts(const QStringList& names)
{
    SetSerialPortList(std::make_shared<CNamedPortList>(names));
}

// Finds the instruments on `ports` and connects the first one found.
template <class TEngine>
void SearchAndConnect(TEngine& engine, CEventsRecorder& events, const QStringList& ports)
{
    UseSerialPorts(ports);
    engine.Run(events, IDevicePlugin::Enumerate);
    QVERIFY(!engine.GetFoundDevices().isEmpty());
    engine.SelectDevice(engine.GetFoundDevices().first());
    engine.Run(events, IDevicePlugin::Connect);
}

// Collects the engine's messages on this thread, as the panel does.
struct tShownMessages : QObject
{
    explicit tShownMessages(CDeviceExchanger& engine)
    {
        connect(&engine, &CDeviceExchanger::sigShowMessage, this, [this](const QString& text) { texts << text; },
                Qt::BlockingQueuedConnection);
    }
    QStringList texts;
};

inline bool PortIsFree(const QString& port)
{
    CDeviceConnectorCOM probe;
    const tLineStates lines;
    const bool bOpen = probe.Connect(port, 57600, &lines);
    probe.Disconnect();
    return bOpen;
}

// The error trail at the end of a command's error text.
inline bool EndsWithTrail(const QString& errors, const QString& trail)
{
    return errors.endsWith(QLatin1Char('-') + trail);
}
