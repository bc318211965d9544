#include "core/NullDevice.h"

QNullDevice::QNullDevice()
{
    setOpenMode(QIODevice::ReadWrite);
}

QNullDevice::~QNullDevice() = default;

qint64 QNullDevice::readData(char*, qint64)
{
    return 0;
}

qint64 QNullDevice::writeData(const char*, qint64 length)
{
    return length;
}

QDebug NullDebug()
{
    static QNullDevice device;
    return QDebug(&device);
}
