#pragma once

#include <QList>
#include <QString>

#include <memory>

// What the system says of one serial port.
struct tSerialPortEntry
{
    QString name;
    bool bHasVendorId = false;
    quint16 vendorId = 0;
    QString manufacturer;
};

// Where the port listing comes from: the system by default; tests put in
// ports the system cannot list, such as pseudo-terminals.
class ISerialPortList
{
public:
    virtual ~ISerialPortList() = default;
    virtual QList<tSerialPortEntry> Ports() const = 0;
};

std::shared_ptr<const ISerialPortList> GetSerialPortList();
// Null puts the system's listing back.
void SetSerialPortList(std::shared_ptr<const ISerialPortList> list);
