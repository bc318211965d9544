#pragma once

#include "device/DeviceEvents.h"

#include <QDialog>
#include <QString>

class CFileList;

// The instrument panel: finds an instrument, runs its commands and hands what
// it received to the file list. Shown only on request. Until the protocol
// engines join, no instrument is ever found, so no command starts.
class CDevice : public QDialog, public IDeviceEvents
{
    Q_OBJECT

public:
    CDevice(CFileList* flist, QWidget* parent);
    ~CDevice() override;

    bool IsConnected() const;

    void ExchangeEnd(IDevicePlugin::tCommand cmd, const QString& errors, bool bCancelled, bool bCritical,
                     const IDevicePlugin::tCommandRes& res) override;
    void SetWaiting(int sec, bool bCanCancelled, const QString& message) override;
    void EnableCancellation(bool bEnable) override;
    void SetProgress(int cur, int total, bool bCanCancelled) override;
    void ShowTrace(tFileView view) override;
    // The connected instrument's description; empty (and logged) without one.
    QString GetDeviceDescription() const;

signals:
    void sigConnect();
    void sigDisconnect();
    void sigUpdateGraph();
    void sigConnectedChange(bool bConnected);
    void sigDisconnectedChange(bool bDisconnected);
    void sigHasFilesChange(bool bHasFiles);
    void sigCanClearMemoryChange(bool bCanClear);
    void sigDoMeasure();
    void sigEndMeasure();

public slots:
    void Connect();
    void Disconnect();
    void Measurement();
    void LoadAll();
    void ClearMemory();
    void Properties();
    void UpdateDateTime();

private:
    CFileList* flist;
};
