#pragma once

#include "device/ReceivedFile.h"

#include <QList>

// The instrument protocol seen from the device panel. The commands and the
// operations join with the instrument link; the file list already takes a
// command's received files.
class IDevicePlugin
{
public:
    // The files one command received, in the order they arrived.
    using tCommandRes = QList<tReceivedFile>;

    virtual ~IDevicePlugin();

protected:
    IDevicePlugin() = default;
    IDevicePlugin(const IDevicePlugin&) = default;
    IDevicePlugin& operator=(const IDevicePlugin&) = default;
};
