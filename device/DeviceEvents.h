#pragma once

#include "device/DevicePlugin.h"
#include "sor/FileView.h"

#include <QList>
#include <QSharedPointer>
#include <QString>

struct FInfo;

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
    // Asks which entries of the instrument's file tree to download and
    // returns once the user has chosen: the chosen files are appended to
    // `list`, and `bAllFiles` says whether the instrument's folders are to be
    // kept below the working folder. The tree stays the protocol's. Without
    // an answer nothing is chosen.
    virtual void DirStructureReceived(FInfo* /*pFiles*/, QList<FInfo*>* /*list*/, bool* /*bAllFiles*/) {}
    virtual ~IDeviceEvents() = default;

protected:
    IDeviceEvents() = default;
    IDeviceEvents(const IDeviceEvents&) = default;
    IDeviceEvents& operator=(const IDeviceEvents&) = default;
};
