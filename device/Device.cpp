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

// Without a protocol engine no command runs, so nothing reports back.
void CDevice::ExchangeEnd(IDevicePlugin::tCommand, const QString&, bool, bool, const IDevicePlugin::tCommandRes&) {}
void CDevice::SetWaiting(int, bool, const QString&) {}
void CDevice::EnableCancellation(bool) {}
void CDevice::SetProgress(int, int, bool) {}
void CDevice::ShowTrace(tFileView) {}
