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

void CDeviceExchanger::DoMeasure(tCommandRes&) { NotYet(5); }
void CDeviceExchanger::DoLoadAll(tCommandRes&) { NotYet(6); }
void CDeviceExchanger::DoClearMemory() { NotYet(7); }
tReceivedFile CDeviceExchanger::LoadFile(const QString&, const QString&) { NotYet(8); }
tReceivedFile CDeviceExchanger::ReceiveFile(int) { NotYet(9); }
