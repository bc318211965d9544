#pragma once

#include "device/DeviceEvents.h"
#include "device/DevicePlugin.h"
#include "filelist/ViewFile.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSharedPointer>
#include <QString>

#include <functional>
#include <vector>

class CDeviceExchangeDlg;
class CFileList;
class QComboBox;
class QCheckBox;
class QDialogButtonBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct FInfo;

// The program's front end to the instrument link: finds an instrument over
// the three protocols, runs its commands, shows live traces and hands what
// arrived to the file list. The dialog itself is the instrument chooser while
// disconnected and the measurement-parameter form while connected.
class CDevice : public QDialog, public IDeviceEvents
{
    Q_OBJECT

public:
    CDevice(CFileList* flist, QWidget* parent);
    ~CDevice() override;

    bool IsConnected() const;
    // The connected instrument's description; logged when there is none.
    QString GetDeviceDescription() const;

    void ExchangeEnd(IDevicePlugin::tCommand cmd, const QString& errors, bool bCancelled, bool bCritical,
                     const IDevicePlugin::tCommandRes& res) override;
    void SetWaiting(int sec, bool bCanCancelled, const QString& message) override;
    void EnableCancellation(bool bEnable) override;
    void SetProgress(int cur, int total, bool bCanCancelled) override;
    void ShowTrace(tFileView view) override;
    void DirStructureReceived(FInfo* pFiles, QList<FInfo*>* list, bool* bAllFiles) override;

    // The protocols in the order they are asked; tests reach them here.
    QList<IDevicePlugin*> GetPlugins() const;
    CDeviceExchangeDlg* GetProgressDialog() const { return progressDlg; }

signals:
    void sigSetWaiting(int sec, bool bCanCancelled, QString message);
    void sigEnableCancellation(bool bCanCancelled);
    void sigSetProgress(int cur, int total, bool bCanCancelled);
    void sigExchangeEnd(IDevicePlugin::tCommand cmd, QString errors, bool bCancelled, bool bCritical,
                        IDevicePlugin::tCommandRes res);
    void sigConnect();
    void sigConnectedChange(bool bConnected);
    void sigHasFilesChange(bool bConnected);
    void sigCanClearMemoryChange(bool bConnected);
    void sigDisconnectedChange(bool bDisconnected);
    void sigDisconnect();
    void sigUpdateGraph();
    void sigDoMeasure();
    void sigEndMeasure();
    // Carries a live trace to the GUI thread behind the exchange ends
    // already queued, so a restore never lands before the last live trace.
    void sigTraceArrived(tFileView view);
    // Asks the user, on the GUI thread, which instrument files to download.
    void sigDirStructureReceived(FInfo* pFiles, QList<FInfo*>* list, bool* bAllFiles);

public slots:
    void updateGI();
    void updateFindEventsControls();
    void onFindEventsToggled(bool b);
    void Properties();
    void Connect();
    void Disconnect();
    void Measurement();
    void LoadAll();
    void ClearMemory();
    void UpdateDateTime();
    void OnDoMeasure();
    void CancelExchange();
    void ProcessExchangeEnd(IDevicePlugin::tCommand cmd, QString errors, bool bCancelled, bool bCritical,
                            IDevicePlugin::tCommandRes res);
    void onDirectoryStructureReceived(FInfo* pFiles, QList<FInfo*>* p, bool* bAllFiles);
    void onShowMessageFromDevice(QString strMessage);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void OnTraceArrived(tFileView view);

private:
    struct tForm
    {
        QTableWidget* DeviceList;
        QGroupBox* BlockMeasurement;
        QCheckBox* checkBoxFindEvents;
        QComboBox* nWaveLen;
        QComboBox* nLineLen;
        QComboBox* nPulseWidth;
        QComboBox* nAverageTime;
        QLineEdit* gi;
        QLineEdit* bc;
        QLineEdit* lineEditLoss;
        QLineEdit* lineEditReflectance;
        QLineEdit* lineEditEndOfLine;
        QPushButton* DoMeasure;
        QDialogButtonBox* buttonBox;
    };

    void BuildForm();
    void RetranslateForm();
    void LoadSettings();
    void SaveSettings();
    // Starts a command on the current protocol with the progress dialog up.
    void StartWithProgress(IDevicePlugin::tCommand cmd);
    void RunCommand(IDevicePlugin::tCommand cmd);
    bool HasInstrument() const;
    // False, and logged, while a command runs: one command at a time.
    bool IsIdle() const;
    void OnEnumerationEnd();
    void SetConnectedState();
    void SetDisconnectedState();
    // The records that may be written into the working folder; the paths of
    // the others, fit to be shown, go to `refused`.
    static IDevicePlugin::tCommandRes SortReceived(const IDevicePlugin::tCommandRes& res, QStringList& refused);
    // Writes what a command brought; false when the file list did not take
    // every record whole.
    bool OpenReceived(const IDevicePlugin::tCommandRes& res);
    void AskToDeleteLoadedFiles();
    // Empties the cancelled command's queue before the panel goes away.
    void StopRunningCommands();

    void FillForm();
    void FillCombo(QComboBox* combo, const QList<int>& values, int current, int specialValue,
                   const QString& specialText, int specialData, const std::function<int(int)>& value,
                   const std::function<QString(int)>& text);
    void ConnectWaveLen();
    void DisconnectWaveLen();
    int SelectedData(QComboBox* combo) const;
    // Each check reads its field; a refused text keeps the member.
    void CheckGI();
    void CheckBC();
    void CheckLoss();
    void CheckReflectance();
    void CheckEndOfLine();

    QString rememberedPort;
    QMap<int, float> waveLenGI;
    QMap<int, float> waveLenBC;
    int currentWaveLen = -1;
    int bFindEvents = 0;
    float lossThreshold = 0.05f;
    int reflThreshold = -70;
    float reflThresholdValue = -69.9f;
    float endThreshold = 0.1f;
    tForm form{};
    CDeviceExchangeDlg* progressDlg = nullptr;
    IDevicePlugin* dev = nullptr;
    std::vector<QSharedPointer<IDevicePlugin>> plugins;
    int currentPlugin = -1;
    CFileList* flist;
    tListedFiles realtimeList;
    const tListedFiles* savedData = nullptr;
    // (plug-in index, device index) of each row of the device list.
    QList<QPair<int, int>> rowDevices;
    // From the start of a command to its exchange end.
    bool bCommandRunning = false;
    IDevicePlugin::tCommand runningCmd = IDevicePlugin::NoCommand;
    bool bKeepDialog = false;
    bool bReceivedOpened = false;
    // Set while the panel is destroyed: late messages of a cancelled
    // command are let through without showing anything.
    bool bClosing = false;
};
