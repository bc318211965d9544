#pragma once

#include "device/DeviceEvents.h"
#include "device/DeviceExchanger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtTest>

#include <functional>
#include <mutex>

// Records what the engine reports; an optional handler runs inside ExchangeEnd
// on the exchange thread, as a direct panel would.
class CEventsRecorder : public IDeviceEvents
{
public:
    struct tEnd
    {
        IDevicePlugin::tCommand cmd;
        QString errors;
        bool bCancelled;
        bool bCritical;
    };

    void ExchangeEnd(IDevicePlugin::tCommand cmd, const QString& errors, bool bCancelled, bool bCritical,
                     const IDevicePlugin::tCommandRes& res) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ends.append({cmd, errors, bCancelled, bCritical});
            lastRes = res;
        }
        if (onEnd)
            onEnd();
    }
    void SetWaiting(int sec, bool bCanCancelled, const QString& message) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls << QString("wait %1 %2 %3").arg(sec).arg(bCanCancelled).arg(message);
    }
    void EnableCancellation(bool bEnable) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls << QString("cancellation %1").arg(bEnable);
    }
    void SetProgress(int cur, int total, bool bCanCancelled) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls << QString("progress %1 %2 %3").arg(cur).arg(total).arg(bCanCancelled);
    }
    void ShowTrace(tFileView view) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        traces.append(view);
        calls << QString("trace %1").arg(view->GetDataPointCount());
    }
    // Runs `onDirectory` on the exchange thread, as the panel's blocking
    // browser would answer; chooses nothing without one.
    void DirStructureReceived(FInfo* pFiles, QList<FInfo*>* list, bool* bAllFiles) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            calls << QString("directory");
        }
        if (onDirectory)
            onDirectory(pFiles, list, bAllFiles);
    }
    // What the engine reported besides the ends, in order.
    QStringList Calls()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }
    QList<tFileView> Traces()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return traces;
    }
    IDevicePlugin::tCommandRes LastResult()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return lastRes;
    }
    void ClearCalls()
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls.clear();
        traces.clear();
    }

    int Count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return ends.size();
    }
    tEnd Last()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return ends.last();
    }
    // Keeps this thread's events going: messages from the engine come
    // blocking-queued.
    bool WaitFor(int count, int ms = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (Count() < count && timer.elapsed() < ms) {
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        return Count() >= count;
    }

    std::function<void()> onEnd;
    std::function<void(FInfo*, QList<FInfo*>*, bool*)> onDirectory;

private:
    std::mutex mutex;
    QList<tEnd> ends;
    QStringList calls;
    QList<tFileView> traces;
    IDevicePlugin::tCommandRes lastRes;
};

// The engine with its protected steps reachable: command 7 runs whatever the
// test puts into `step` (the real command without one), and Connect opens the emulator's port.
template <class TEngine>
class CTestExchangerOf : public TEngine
{
public:
    using tCommand = IDevicePlugin::tCommand;

    explicit CTestExchangerOf(IDeviceEvents* events) : TEngine(events, nullptr) {}
    // A command may still run this class's steps: it ends before they go.
    ~CTestExchangerOf() override { this->ShutDown(); }

    using TEngine::DownloadData;
    using TEngine::GetResponse;
    using TEngine::Pause;
    using TEngine::SetParams;
    using TEngine::SelectWaveLength;
    using TEngine::ReceiveParams;
    using TEngine::DoSetDateTime;
    using TEngine::Send;

    // Runs `body` as a command on the exchange thread and waits for its end.
    void RunStep(CEventsRecorder& events, std::function<void()> body)
    {
        const int before = events.Count();
        step = std::move(body);
        this->StartCommand(IDevicePlugin::ClearMemory);
        QVERIFY(events.WaitFor(before + 1));
    }
    // Opens the port directly, without the protocol's connection.
    void ConnectTo(CEventsRecorder& events, const QString& port, int baud = 57600)
    {
        portName = port;
        baudRate = baud;
        const int before = events.Count();
        this->StartCommand(IDevicePlugin::Connect);
        QVERIFY(events.WaitFor(before + 1));
    }
    void SetDevice(const QString& model, const QString& version)
    {
        this->selectedDevice.model = model;
        this->selectedDevice.version = version;
    }
    void AddFound(const tFoundDevice& device) { this->foundDevices.append(device); }
    tFoundDevice Selected() const { return this->selectedDevice; }
    void SetEnums(const tDeviceEnums& e) { this->enums = e; }

    // Runs a command the protocol's own way and waits for its end.
    void Run(CEventsRecorder& events, tCommand command, int ms = 20000)
    {
        portName.clear();
        const int before = events.Count();
        this->StartCommand(command);
        QVERIFY(events.WaitFor(before + 1, ms));
    }
    std::function<void()> step;

protected:
    void DoConnect() override
    {
        if (portName.isEmpty())
            TEngine::DoConnect();
        else
            this->OpenPort(this->connector, portName, baudRate);
    }
    void DoClearMemory() override
    {
        if (step)
            step();
        else
            TEngine::DoClearMemory();
    }

private:
    QString portName;
    int baudRate = 57600;
};

using CTestExchanger = CTestExchangerOf<CDeviceExchanger>;
