#include "device/DeviceExchanger.h"

#include "core/Exception.h"

// Protocol steps that this engine does not carry out yet; the command cycle
// reports them to the panel as internal errors.
namespace {
[[noreturn]] void NotYet(int code)
{
    throw EInternalError({tErrorCode(16, code)});
}
} // namespace

void CDeviceExchanger::DoEnumerate() { NotYet(1); }
void CDeviceExchanger::CheckPort(QStringList&, int, const QString&, bool) { NotYet(2); }
void CDeviceExchanger::DoConnect() { NotYet(3); }
void CDeviceExchanger::ApplyParams() { NotYet(4); }
void CDeviceExchanger::DoMeasure(tCommandRes&) { NotYet(5); }
void CDeviceExchanger::DoLoadAll(tCommandRes&) { NotYet(6); }
void CDeviceExchanger::DoClearMemory() { NotYet(7); }
tReceivedFile CDeviceExchanger::LoadFile(const QString&, const QString&) { NotYet(8); }
tReceivedFile CDeviceExchanger::ReceiveFile(int) { NotYet(9); }
void CDeviceExchanger::ReceiveParams() { NotYet(10); }
void CDeviceExchanger::SetParams(int) { NotYet(11); }
void CDeviceExchanger::DoDisconnect() { NotYet(12); }
