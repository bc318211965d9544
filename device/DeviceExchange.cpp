#include "device/DeviceExchange.h"

#include <QCoreApplication>

EDeviceExchange::EDeviceExchange(const tErrorTrail& trail, const QString& description, bool bCritical)
    : Exception(trail), bCritical(bCritical)
{
    SetDescription(description);
}

EExchangeParameters::EExchangeParameters(const tErrorTrail& trail)
    : EDeviceExchange(trail,
                      QCoreApplication::translate("QObject", "Device parameters are invalid.\nProbably, you use "
                                                             "incompatible device or device is not connected."),
                      true)
{
}
