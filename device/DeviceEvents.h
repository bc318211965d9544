#pragma once

#include "device/DevicePlugin.h"
#include "sor/FileView.h"

#include <QSharedPointer>
#include <QString>

using tFileView = QSharedPointer<sor::IFileView>;

// What a protocol reports while a command runs. The calls come from the
// exchange thread: an implementation hands each one over to its own thread.
class IDeviceEvents
{
public:
    virtual void ExchangeEnd(IDevicePlugin::tCommand cmd, const QString& errors, bool bCancelled, bool bCritical,
                             const IDevicePlugin::tCommandRes& res) = 0;
    virtual void SetWaiting(int sec, bool bCanCancelled, const QString& message) = 0;
    virtual void EnableCancellation(bool bEnable) = 0;
    virtual void SetProgress(int cur, int total, bool bCanCancelled) = 0;
    virtual void ShowTrace(tFileView view) = 0;
    virtual ~IDeviceEvents() = default;

protected:
    IDeviceEvents() = default;
    IDeviceEvents(const IDeviceEvents&) = default;
    IDeviceEvents& operator=(const IDeviceEvents&) = default;
};
