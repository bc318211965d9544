#include "device/Device.h"

#include "core/Assert.h"

CDevice::CDevice(CFileList* flist, QWidget* parent) : QDialog(parent), flist(flist) {}

CDevice::~CDevice() = default;

bool CDevice::IsConnected() const
{
    return false;
}

QString CDevice::GetDeviceDescription() const
{
    QV_ASSERT(IsConnected());
    return QString();
}

// No protocol engine is attached yet, so there is no instrument to command.
void CDevice::Connect() {}
void CDevice::Disconnect() {}
void CDevice::Measurement() {}
void CDevice::LoadAll() {}
void CDevice::ClearMemory() {}
void CDevice::Properties() {}
void CDevice::UpdateDateTime() {}
