#include "device/DeviceExchanger.h"

#include "core/Assert.h"
#include "device/DeviceConnectorCOM.h"
#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QWidget>

#include <climits>
#include <exception>

CDeviceExchanger::CDeviceExchanger(IDeviceEvents* events, QWidget* parent)
    : QThread(parent), parentWidget(parent), events(events),
      connector(CDeviceConnectorCOM::Create()), clock([] { return std::time(nullptr); })
{
}

CDeviceExchanger::~CDeviceExchanger()
{
    ShutDown();
}

void CDeviceExchanger::ShutDown()
{
    // A QThread destroyed while it runs ends the process: stop the command
    // first, then let the instrument go on the thread that opened its port.
    Cancel();
    wait();
    RunOnExchangeThread([this] {
        try {
            LetGo();
        } catch (...) {
        }
        ReleasePorts();
    });
}

void CDeviceExchanger::ClearFoundDevices()
{
    for (tFoundDevice& device : foundDevices)
        if (device.connector && device.connector != connector)
            ClosePort(device.connector);
    foundDevices.clear();
}

void CDeviceExchanger::ReleasePorts()
{
    ClearFoundDevices();
    if (selectedDevice.connector && selectedDevice.connector != connector)
        selectedDevice.connector->Disconnect();
    if (connector)
        ClosePort(connector);
}

bool CDeviceExchanger::RunOnExchangeThread(const std::function<void()>& job, int msWait)
{
    const unsigned long limit = msWait < 0 ? ULONG_MAX : static_cast<unsigned long>(msWait);
    if (!wait(limit)) {
        qCritical("ASSERTION FAILED: %s", "!isRunning()");
        return false;
    }
    pendingJob = job;
    start(QThread::LowestPriority);
    return wait(limit);
}

void CDeviceExchanger::DoDisconnect()
{
    if (QThread::currentThread() == this)
        LetGo();
    else
        RunOnExchangeThread([this] { LetGo(); }, 10000);
}

void CDeviceExchanger::LetGo()
{
    // The port closes next: what a cut block still sends answers nothing
    // and goes with it, so the parting command is not held back for it.
    cutBlock.bPending = false;
    Disconnecting();
}

void CDeviceExchanger::SelectDevice(const tDeviceInfo& device)
{
    QV_ASSERT(!IsConnected());
    for (const tFoundDevice& found : qAsConst(foundDevices))
        if (found.description == device.description && found.port == device.port)
            selectedDevice = found;
}

tDeviceInfo CDeviceExchanger::GetDeviceInfo()
{
    QV_ASSERT(IsConnected());
    return tDeviceInfo{selectedDevice.port, selectedDevice.description};
}

tDeviceParams CDeviceExchanger::GetParams()
{
    return params;
}

tDeviceEnumsPublic CDeviceExchanger::GetEnums()
{
    QV_ASSERT(IsConnected());
    return enums;
}

void CDeviceExchanger::StoreParams(const tDeviceParams& newParams)
{
    const tDeviceParams old = params;
    params = newParams;
    for (auto it = old.WaveLenGI.cbegin(); it != old.WaveLenGI.cend(); ++it)
        if (!params.WaveLenGI.contains(it.key()))
            params.WaveLenGI.insert(it.key(), it.value());
}

QList<tFoundDevice> CDeviceExchanger::GetFoundDevices()
{
    return foundDevices;
}

bool CDeviceExchanger::IsConnected()
{
    // The exchange thread may replace the connector meanwhile: the copy
    // keeps the one asked alive.
    tConnector current;
    {
        QMutexLocker lock(&connectorLock);
        current = connector;
    }
    return current && current->IsConnected();
}

void CDeviceExchanger::SetConnector(const tConnector& port)
{
    {
        QMutexLocker lock(&connectorLock);
        connector = port;
    }
    // The rest of a block on the old line never reaches the new one.
    cutBlock.bPending = false;
}

void CDeviceExchanger::StartCommand(tCommand command)
{
    if (cmd != NoCommand) {
        // The running command goes on; the caller learns at once that this
        // one never ran, rather than waiting for an end that never comes.
        qCritical("ASSERTION FAILED: %s", "cmd == NoCommand");
        if (events)
            events->ExchangeEnd(command, tr("The device is busy with another command."), false, false,
                                tCommandRes());
        return;
    }
    cmd = command;
    errors.clear();
    if (QThread::currentThread() == this) {
        // From the exchange end's handler on this thread: the run goes on.
        ClearCancels();
        bRunAgain = true;
        return;
    }
    // Never terminate a run: it may hold the log's lock. After its exchange
    // end it is at its last log line.
    wait();
    // Cleared before the thread starts, not when it runs: a cancel given
    // meanwhile belongs to this command.
    ClearCancels();
    start(QThread::LowestPriority);
}

void CDeviceExchanger::ClearCancels()
{
    cancelled = false;
    cancels = 0;
    // The rest of a block cut in an earlier command is drained until this
    // command's own cancel.
    cutBlock.cancels = 0;
}

void CDeviceExchanger::Cancel()
{
    ++cancels;
    cancelled = true;
}

void CDeviceExchanger::run()
{
    if (pendingJob) {
        // Taken here: a job that outlives its caller's wait must not run
        // again in place of the next command.
        const std::function<void()> job = std::move(pendingJob);
        pendingJob = nullptr;
        job();
        return;
    }
    do {
        bRunAgain = false;
        RunOneCommand();
    } while (bRunAgain);
}

void CDeviceExchanger::RunOneCommand()
{
    qDebug() << "CDeviceExchanger::run()";
    QElapsedTimer timer;
    timer.start();
    bool bCritical = false;
    tCommandRes res;
    const tCommand command = cmd;

    if (!IsConnected() && command != Enumerate && command != Connect)
        qCritical("ASSERTION FAILED: %s", "0");
    // A new command never sees an old reply, nor the tail of an old block.
    overData.clear();
    if (IsConnected())
        connector->Receive();

    try {
        switch (command) {
        case NoCommand: qCritical("ASSERTION FAILED: %s", "0"); break;
        case Enumerate: DoEnumerate(); break;
        case Connect: DoConnect(); break;
        case Disconnect: DoDisconnect(); break;
        case IDevicePlugin::ApplyParams: ApplyParams(); break;
        case Measure: DoMeasure(res); break;
        case LoadAll: DoLoadAll(res); break;
        case ClearMemory: DoClearMemory(); break;
        case SetDateTime: DoSetDateTime(); break;
        }
    } catch (const EDeviceExchange& e) {
        bCritical = e.IsCritical();
        errors = bCritical ? e.GetText() : e.GetDescription();
    } catch (const Exception& e) {
        bCritical = true;
        errors = e.GetText();
    } catch (...) {
        // Anything else leaving QThread::run would end the process.
        bCritical = true;
        errors = EInternalError({tErrorCode(16, 536)}).GetText();
    }

    cmd = NoCommand;
    if (events)
        events->ExchangeEnd(command, errors, cancelled, bCritical, res);
    qDebug() << "CDeviceExchanger::run() done in" << timer.elapsed() << "ms...";
}

QByteArray CDeviceExchanger::GetResponse(int timeoutMs, bool bStopAtCR, bool bCancellable)
{
    if (timeoutMs <= 0)
        qCritical("ASSERTION FAILED: %s", "pauseMs>0");
    const int poll = qMin(timeoutMs, 10);
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (timer.elapsed() >= timeoutMs)
            break;
        if (connector && connector->HasData()) {
            buffer += connector->Receive();
            if (!bStopAtCR || buffer.contains('\r'))
                break;
        }
        if (poll > 0)
            QThread::msleep(ulong(poll));
        if (bCancellable && CancelPending())
            break;
    }
    const char* outcome = buffer.isEmpty() ? "FAILED" : "OK";
    if (bCancellable && CancelPending()) {
        buffer.clear();
        outcome = "CANCELLED";
    }
    qDebug() << "GetResponse(" << timeoutMs << ")" << outcome << " in" << timer.elapsed() << "mS";
    return buffer;
}

void CDeviceExchanger::Pause(int ms)
{
    qDebug() << "Pause " << ms << "mS";
    QThread::msleep(ulong(qMax(ms, 0)));
}

void CDeviceExchanger::Send(const QByteArray& command)
{
    // Whatever a cut block still sends would be read as this command's reply.
    DrainCutBlock();
    connector->Send(command);
}

void CDeviceExchanger::SendOverCutBlock(const QByteArray& command)
{
    connector->Send(command);
}

bool CDeviceExchanger::OpenPort(const tConnector& port, const QString& portName, int baudRate)
{
    const tLineStates lines{false, true, false, false};
    return port->Connect(portName, baudRate, &lines);
}

void CDeviceExchanger::ClosePort(const tConnector& port)
{
    port->Disconnect();
}

void CDeviceExchanger::SelectWaveLength(int)
{
    // The first protocol chooses its laser with the configuration command.
}
