#include "device/Device.h"

#include "app/MainOpt.h"
#include "app/Settings.h"
#include "core/Assert.h"
#include "device/DeviceExchangeDlg.h"
#include "device/DeviceExchanger.h"
#include "device/DeviceExchanger2.h"
#include "device/DeviceExchanger3.h"
#include "device/FInfo.h"
#include "device/SelectFolderDialog.h"
#include "device/TableWidgetDelegate.h"
#include "filelist/FileList.h"
#include "graph/GraphModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QThread>

namespace {

const char* const cSettingsGroup = "Device";
const char* const cPortKey = "port";

// Whether `path` names a file in `folder` or below it once "." and ".."
// are resolved: an instrument's proposal is never trusted to stay there.
bool LiesInside(const QString& path, const QStringList& roots)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const QString& root : roots)
        if (!root.isEmpty() && absolute.startsWith(root + QLatin1Char('/')))
            return true;
    return false;
}

} // namespace

CDevice::CDevice(CFileList* flist, QWidget* parent)
    : QDialog(parent, Qt::MSWindowsFixedSizeDialogHint), flist(flist)
{
    qRegisterMetaType<IDevicePlugin::tCommandRes>("IDevicePlugin::tCommandRes");
    qRegisterMetaType<IDevicePlugin::tCommand>("IDevicePlugin::tCommand");
    qRegisterMetaType<tFileView>("tFileView");
    qRegisterMetaType<FInfo*>("FInfo*");
    qRegisterMetaType<QList<FInfo*>*>("QList<FInfo*>*");
    qRegisterMetaType<bool*>("bool*");

    BuildForm();

    progressDlg = new CDeviceExchangeDlg(parent);
    connect(progressDlg, &CDeviceExchangeDlg::sigCancel, this, &CDevice::CancelExchange);
    connect(form.DoMeasure, &QPushButton::clicked, this, &CDevice::OnDoMeasure);

    auto first = QSharedPointer<CDeviceExchanger>::create(this, parent);
    auto second = QSharedPointer<CDeviceExchanger2>::create(this, parent);
    auto third = QSharedPointer<CDeviceExchanger3>::create(this, parent);
    for (const QSharedPointer<CDeviceExchanger>& plugin :
         {first, second.staticCast<CDeviceExchanger>(), third.staticCast<CDeviceExchanger>()}) {
        connect(plugin.data(), &CDeviceExchanger::sigShowMessage, this, &CDevice::onShowMessageFromDevice,
                Qt::BlockingQueuedConnection);
        plugins.push_back(plugin);
    }

    form.bc->setText(QString::number(-80));
    form.BlockMeasurement->hide();
    form.DoMeasure->hide();
    QTableWidget* list = form.DeviceList;
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    connect(this, &CDevice::sigSetWaiting, progressDlg,
            qOverload<int, bool, QString>(&CDeviceExchangeDlg::SetWaiting));
    connect(this, &CDevice::sigEnableCancellation, progressDlg, &CDeviceExchangeDlg::EnableCancellation);
    connect(this, &CDevice::sigSetProgress, progressDlg, &CDeviceExchangeDlg::SetProgress);
    connect(this, &CDevice::sigExchangeEnd, this, &CDevice::ProcessExchangeEnd);
    connect(this, &CDevice::sigTraceArrived, this, &CDevice::OnTraceArrived, Qt::QueuedConnection);
    connect(this, &CDevice::sigDirStructureReceived, this, &CDevice::onDirectoryStructureReceived,
            Qt::BlockingQueuedConnection);
    ConnectWaveLen();
    connect(form.checkBoxFindEvents, &QCheckBox::toggled, this, &CDevice::onFindEventsToggled);

    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list->setTabKeyNavigation(false);
    list->setItemDelegate(new CTableWidgetDelegate(this));
    form.gi->setEnabled(false);
    form.bc->setEnabled(false);
    LoadSettings();
}

CDevice::~CDevice()
{
    // The file list and the views may be gone already: nothing here may
    // reach them or emit a state signal.
    bClosing = true;
    StopRunningCommands();
    if (dev)
        dev->DoDisconnect();
    dev = nullptr;
    plugins.clear();
    delete progressDlg;
}

void CDevice::StopRunningCommands()
{
    for (const QSharedPointer<IDevicePlugin>& plugin : plugins) {
        plugin->Cancel();
        auto* thread = dynamic_cast<QThread*>(plugin.data());
        // The thread may wait for this one to take a message: deliver it
        // (it is dropped while closing) until the thread is done.
        while (thread && !thread->wait(10))
            QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

QList<IDevicePlugin*> CDevice::GetPlugins() const
{
    QList<IDevicePlugin*> list;
    for (const QSharedPointer<IDevicePlugin>& plugin : plugins)
        list << plugin.data();
    return list;
}

void CDevice::LoadSettings()
{
    QSettings* settings = GetSettings(0, 0);
    settings->beginGroup(QLatin1String(cSettingsGroup));
    rememberedPort = settings->value(QLatin1String(cPortKey), QString()).toString();
    settings->endGroup();
}

void CDevice::SaveSettings()
{
    QSettings* settings = GetSettings(0, 0);
    settings->beginGroup(QLatin1String(cSettingsGroup));
    settings->setValue(QLatin1String(cPortKey), rememberedPort);
    settings->endGroup();
    settings->sync();
}

bool CDevice::IsConnected() const
{
    return dev && dev->IsConnected();
}

QString CDevice::GetDeviceDescription() const
{
    QV_ASSERT(IsConnected());
    return dev ? dev->GetDeviceInfo().description : QString();
}

void CDevice::ExchangeEnd(IDevicePlugin::tCommand cmd, const QString& errors, bool bCancelled, bool bCritical,
                          const IDevicePlugin::tCommandRes& res)
{
    emit sigExchangeEnd(cmd, errors, bCancelled, bCritical, res);
}

void CDevice::SetWaiting(int sec, bool bCanCancelled, const QString& message)
{
    emit sigSetWaiting(sec, bCanCancelled, message);
}

void CDevice::EnableCancellation(bool bEnable)
{
    emit sigEnableCancellation(bEnable);
}

void CDevice::SetProgress(int cur, int total, bool bCanCancelled)
{
    emit sigSetProgress(cur, total, bCanCancelled);
}

void CDevice::ShowTrace(tFileView view)
{
    emit sigTraceArrived(view);
}

void CDevice::DirStructureReceived(FInfo* pFiles, QList<FInfo*>* list, bool* bAllFiles)
{
    // The protocol waits for the user's choice.
    if (QThread::currentThread() == thread())
        onDirectoryStructureReceived(pFiles, list, bAllFiles);
    else
        emit sigDirStructureReceived(pFiles, list, bAllFiles);
}

void CDevice::OnTraceArrived(tFileView view)
{
    if (bClosing || !flist)
        return;
    realtimeList.clear();
    // A record's defaults are the live trace's: blue, unzoomed, not compared.
    realtimeList.push_back(QSharedPointer<tListedFile>::create(view));
    flist->GetGraphModel()->SetData(&realtimeList);
    emit sigUpdateGraph();
}

void CDevice::StartWithProgress(IDevicePlugin::tCommand cmd)
{
    progressDlg->show();
    RunCommand(cmd);
}

void CDevice::RunCommand(IDevicePlugin::tCommand cmd)
{
    if (!IsIdle())
        return;
    bCommandRunning = true;
    runningCmd = cmd;
    dev->StartCommand(cmd);
}

bool CDevice::IsIdle() const
{
    if (bCommandRunning) {
        qCritical("ASSERTION FAILED: %s", "!bCommandRunning");
        return false;
    }
    return true;
}

void CDevice::Connect()
{
    // A second search over a running one, or over a connection, would lose
    // track of the first.
    if (dev) {
        qCritical("ASSERTION FAILED: %s", "!dev");
        return;
    }
    if (!IsIdle())
        return;
    currentPlugin = 0;
    dev = plugins[0].data();
    StartWithProgress(IDevicePlugin::Enumerate);
}

// The command slots refuse to run without an instrument: there is nothing
// to command, and carrying on would reach through a null protocol.
bool CDevice::HasInstrument() const
{
    if (!dev) {
        qCritical("ASSERTION FAILED: %s", "dev->IsConnected()");
        return false;
    }
    QV_ASSERT(dev->IsConnected());
    return true;
}

void CDevice::Disconnect()
{
    if (!HasInstrument() || !IsIdle())
        return;
    ExchangeEnd(IDevicePlugin::Disconnect, QString(), false, false, IDevicePlugin::tCommandRes());
}

void CDevice::Measurement()
{
    if (!HasInstrument() || !IsIdle())
        return;
    if (flist)
        savedData = flist->GetGraphModel()->GetData();
    StartWithProgress(IDevicePlugin::Measure);
}

void CDevice::LoadAll()
{
    if (!HasInstrument() || !IsIdle())
        return;
    StartWithProgress(IDevicePlugin::LoadAll);
}

void CDevice::ClearMemory()
{
    if (!HasInstrument() || !IsIdle())
        return;
    if (QMessageBox::question(this, tr("Clearing device memory"), tr("Are you sure to delete all files on device?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    StartWithProgress(IDevicePlugin::ClearMemory);
}

void CDevice::UpdateDateTime()
{
    if (!HasInstrument() || !IsIdle())
        return;
    StartWithProgress(IDevicePlugin::SetDateTime);
}

void CDevice::OnDoMeasure()
{
    emit sigDoMeasure();
    done(100);
}

void CDevice::CancelExchange()
{
    if (!dev) {
        qCritical("ASSERTION FAILED: %s", "dev");
        return;
    }
    dev->Cancel();
}

void CDevice::ProcessExchangeEnd(IDevicePlugin::tCommand cmd, QString errors, bool bCancelled, bool bCritical,
                                 IDevicePlugin::tCommandRes res)
{
    if (bClosing)
        return;
    qDebug().noquote() << QStringLiteral("CDevice::OnExchangeEnd(%1,%2,%3,%4,res)")
                              .arg(int(cmd))
                              .arg(errors)
                              .arg(bCancelled)
                              .arg(bCritical);
    // While a command runs only its own end counts: the end of a refused
    // start is that of a command that never ran, and the running one goes on.
    if (bCommandRunning && cmd != runningCmd) {
        qWarning() << "Exchange end of a command not running ignored:" << int(cmd) << errors;
        return;
    }
    bCommandRunning = false;
    bKeepDialog = false;
    bReceivedOpened = false;
    if (cmd != IDevicePlugin::Enumerate)
        progressDlg->hide();

    // A file that is not stored is named with the exchange's errors.
    QStringList refused;
    const IDevicePlugin::tCommandRes storable = SortReceived(res, refused);
    if (!refused.isEmpty() && !bCancelled && !bCritical) {
        if (!errors.isEmpty())
            errors += QLatin1String("\n\n");
        errors += tr("Some received files were not stored:\n%1").arg(refused.join(QLatin1Char('\n')));
    }

    if (!errors.isEmpty() && !bCancelled) {
        if (bCritical)
            errors += tr("\n\nProbably, device was broken. Please, contact to support.");
        QMessageBox::information(this, tr("Device communicates"), errors);
    }

    if (bCancelled) {
        if (cmd == IDevicePlugin::Enumerate || cmd == IDevicePlugin::Connect)
            SetDisconnectedState();
    } else if (bCritical) {
        SetDisconnectedState();
    } else {
        switch (cmd) {
        case IDevicePlugin::Enumerate:
            OnEnumerationEnd();
            break;
        case IDevicePlugin::Connect:
            SetConnectedState();
            break;
        case IDevicePlugin::Disconnect:
            SetDisconnectedState();
            break;
        case IDevicePlugin::Measure:
            emit sigEndMeasure();
            OpenReceived(storable);
            bReceivedOpened = true;
            break;
        case IDevicePlugin::LoadAll:
            if (!res.isEmpty()) {
                const bool bAllStored = OpenReceived(storable) && refused.isEmpty();
                bReceivedOpened = true;
                // The instrument's copies go only once every trace is safe here.
                if (errors.isEmpty() && bAllStored && dev && (dev->GetCapabilities() & 2) &&
                    CMainOpt::Instance()->GetNeedDeleteLoadedFiles())
                    AskToDeleteLoadedFiles();
            }
            break;
        default:
            break;
        }
    }

    if (!bKeepDialog)
        progressDlg->hide();
    if (cmd == IDevicePlugin::Measure && flist) {
        // A measurement that brought nothing to show gives the view its
        // traces back rather than leaving a live trace behind.
        const tListedFiles* shown = flist->GetGraphModel()->GetData();
        if (!bReceivedOpened || shown == &realtimeList) {
            flist->GetGraphModel()->SetData(savedData);
            emit sigUpdateGraph();
        }
    }
    qDebug() << "CDevice::OnExchangeEnd() done";
}

IDevicePlugin::tCommandRes CDevice::SortReceived(const IDevicePlugin::tCommandRes& res, QStringList& refused)
{
    const QDir here = QDir::current();
    const QStringList roots{QDir::cleanPath(here.absolutePath()), here.canonicalPath()};
    IDevicePlugin::tCommandRes storable;
    for (const tReceivedFile& received : res) {
        const QString& path = received.path;
        const int cut = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
        const bool bSafe = IsSafeDeviceName(path) && IsSafeDeviceName(path.mid(cut + 1));
        if (!received.data.isEmpty() && bSafe && LiesInside(path, roots)) {
            storable.append(received);
            continue;
        }
        qWarning().noquote() << "Received file refused:" << ShownName(path) << received.data.size() << "bytes";
        // The empty record of a download that did not happen names nothing.
        if (!path.isEmpty())
            refused << ShownName(path);
    }
    return storable;
}

bool CDevice::OpenReceived(const IDevicePlugin::tCommandRes& res)
{
    return flist && flist->OpenFiles(res);
}

void CDevice::AskToDeleteLoadedFiles()
{
    QMessageBox box(QMessageBox::Question, tr("Delete files on the device"),
                    tr("Are you sure to delete ALL files on the device?"), QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() != QMessageBox::Yes)
        return;
    StartWithProgress(IDevicePlugin::ClearMemory);
    bKeepDialog = true;
}

void CDevice::OnEnumerationEnd()
{
    QV_ASSERT(!IsConnected());
    // An end that no search of this panel waits for.
    if (!dev) {
        qCritical("ASSERTION FAILED: %s", "dev");
        return;
    }
    qDebug().noquote() << QStringLiteral("Enumerate was processed for plugin %1, %2 devices found")
                              .arg(dev->GetName())
                              .arg(dev->GetFoundDevices().size());
    if (currentPlugin + 1 < int(plugins.size())) {
        ++currentPlugin;
        dev = plugins[currentPlugin].data();
        qDebug().noquote() << "Enumerate next plugin " + dev->GetName();
        RunCommand(IDevicePlugin::Enumerate);
        bKeepDialog = true;
        return;
    }

    rowDevices.clear();
    QStringList descriptions;
    int rememberedRow = -1;
    for (int p = 0; p < int(plugins.size()); ++p) {
        const QList<tFoundDevice> found = plugins[p]->GetFoundDevices();
        for (int d = 0; d < found.size(); ++d) {
            if (rememberedRow < 0 && found[d].port == rememberedPort)
                rememberedRow = rowDevices.size();
            rowDevices.append({p, d});
            descriptions << found[d].description;
        }
    }

    if (rowDevices.isEmpty()) {
        QMessageBox::warning(this, tr("Devices not found"),
                             tr("Can not be found devices or ports.\nTry to install device driver (FTDI COM "
                                "driver).\nCheck device connection and power supply."));
        SetDisconnectedState();
        return;
    }

    if (rememberedRow < 0)
        rememberedRow = 0;
    QTableWidget* list = form.DeviceList;
    list->setRowCount(descriptions.size());
    for (int row = 0; row < descriptions.size(); ++row) {
        list->setItem(row, 0, new QTableWidgetItem(descriptions[row]));
        qDebug().noquote() << "Founded device: " + descriptions[row];
    }
    list->resizeColumnsToContents();
    list->resizeRowsToContents();
    list->selectRow(rememberedRow);
    list->setCurrentCell(rememberedRow, 0);

    bool bChosen = true;
    if (rowDevices.size() == 1)
        qDebug() << "Autoselect first device";
    else
        bChosen = exec() != QDialog::Rejected;

    dev = nullptr;
    currentPlugin = -1;
    const int row = rowDevices.size() == 1 ? 0 : list->currentRow();
    if (!bChosen || row < 0 || row >= rowDevices.size())
        return;

    const QPair<int, int> pair = rowDevices[row];
    currentPlugin = pair.first;
    dev = plugins[currentPlugin].data();
    const tFoundDevice device = dev->GetFoundDevices().value(pair.second);
    if (device.port != rememberedPort)
        rememberedPort = device.port;
    dev->SelectDevice(device);
    RunCommand(IDevicePlugin::Connect);
    bKeepDialog = true;
}

void CDevice::SetConnectedState()
{
    form.gi->setEnabled(false);
    form.bc->setEnabled(false);
    form.DeviceList->setEnabled(false);
    form.BlockMeasurement->show();
    form.DoMeasure->show();
    emit sigConnect();
    emit sigConnectedChange(true);
    const int capabilities = dev ? dev->GetCapabilities() : 0;
    if (capabilities & 1)
        emit sigHasFilesChange(true);
    if (capabilities & 2)
        emit sigCanClearMemoryChange(true);
    emit sigDisconnectedChange(false);
}

void CDevice::SetDisconnectedState()
{
    if (dev)
        dev->DoDisconnect();
    dev = nullptr;
    currentPlugin = -1;
    waveLenGI.clear();
    waveLenBC.clear();
    form.gi->setEnabled(false);
    form.bc->setEnabled(false);
    form.DeviceList->setEnabled(true);
    form.BlockMeasurement->hide();
    form.DoMeasure->hide();
    emit sigDisconnect();
    emit sigConnectedChange(false);
    emit sigHasFilesChange(false);
    emit sigCanClearMemoryChange(false);
    emit sigDisconnectedChange(true);
}

void CDevice::onShowMessageFromDevice(QString strMessage)
{
    if (bClosing)
        return;
    QMessageBox::warning(this, QCoreApplication::applicationName(), strMessage);
}

void CDevice::onDirectoryStructureReceived(FInfo* pFiles, QList<FInfo*>* p, bool* bAllFiles)
{
    if (bClosing)
        return;
    SelectFolderDialog dialog(pFiles, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (p)
        p->append(dialog.GetFiles());
    if (bAllFiles)
        *bAllFiles = dialog.IsAllFiles();
}
