#include "device/SerialPortList.h"

#include <QMutex>
#include <QSerialPortInfo>

namespace {

class CSystemPortList : public ISerialPortList
{
public:
    QList<tSerialPortEntry> Ports() const override
    {
        QList<tSerialPortEntry> ports;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            ports.append({info.portName(), info.hasVendorIdentifier(), info.vendorIdentifier(), info.manufacturer()});
        return ports;
    }
};

QMutex g_mutex;
std::shared_ptr<const ISerialPortList> g_list;

} // namespace

std::shared_ptr<const ISerialPortList> GetSerialPortList()
{
    static const auto system = std::make_shared<const CSystemPortList>();
    QMutexLocker lock(&g_mutex);
    return g_list ? g_list : system;
}

void SetSerialPortList(std::shared_ptr<const ISerialPortList> list)
{
    QMutexLocker lock(&g_mutex);
    g_list = std::move(list);
}
