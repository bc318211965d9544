#pragma once

#include "device/DeviceRecords.h"
#include "device/ReceivedFile.h"

#include <QList>
#include <QMap>

// The instrument protocol seen from the device panel. The panel calls it on
// the GUI thread while no command runs; a command runs on the protocol's own
// thread and ends with IDeviceEvents::ExchangeEnd.
class IDevicePlugin
{
public:
    // One run of the exchange thread.
    enum tCommand
    {
        NoCommand = 0,
        Enumerate = 1,
        Connect = 2,
        Disconnect = 3,
        ApplyParams = 4,
        Measure = 5,
        LoadAll = 6,
        ClearMemory = 7,
        SetDateTime = 8
    };

    // The files one command received, in the order they arrived.
    using tCommandRes = QList<tReceivedFile>;

    // Bit 4: event search and its thresholds.
    virtual int GetCapabilities() = 0;
    // Whether the reflectance threshold goes to the instrument as a real number.
    virtual bool HasRealReflectance() = 0;
    virtual QString GetName() = 0;
    virtual void SelectDevice(const tDeviceInfo& device) = 0;
    virtual tDeviceInfo GetDeviceInfo() = 0;
    virtual ~IDevicePlugin();
    virtual tDeviceParams GetParams() = 0;
    virtual tDeviceEnumsPublic GetEnums() = 0;
    virtual void StoreParams(const tDeviceParams& params) = 0;
    // The backscatter map to keep after the user entered `bc` for one wavelength.
    virtual QMap<int, float> MakeWaveLenBC(const QMap<int, float>& waveLenBC, float bc) = 0;
    virtual QList<tFoundDevice> GetFoundDevices() = 0;
    virtual bool IsConnected() = 0;
    virtual void StartCommand(tCommand cmd) = 0;
    virtual void Cancel() = 0;
    virtual void DoDisconnect() = 0;

protected:
    IDevicePlugin() = default;
    IDevicePlugin(const IDevicePlugin&) = default;
    IDevicePlugin& operator=(const IDevicePlugin&) = default;
};
