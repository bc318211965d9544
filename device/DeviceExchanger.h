#pragma once

#include "device/DeviceConnector.h"
#include "device/DevicePlugin.h"
#include "device/DeviceRecords.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QSharedPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <ctime>
#include <functional>

class EDeviceExchange;
class Exception;
class IDeviceEvents;

// One "CFG" reply: what the instrument is set to.
struct tCfgReply
{
    int LineLen = 0;
    int PulseWidth = 0;
    int AverageTime = 0;
    int WaveLen = 0;
    int WaveLenIndex = 0;
    float GI = 0.0f;
};
struct FInfo;
class QWidget;

// The engine of the first protocol and the base of the other two. Every
// command runs once on the object's own thread, which has no event loop:
// replies are polled, and Cancel is noticed at every wait.
class CDeviceExchanger : public QThread, public IDevicePlugin
{
    Q_OBJECT

public:
    using tConnector = QSharedPointer<IDeviceConnector>;
    // The computer's clock as the instrument is set to it.
    using tClock = std::function<std::time_t()>;

    CDeviceExchanger(IDeviceEvents* events, QWidget* parent);
    ~CDeviceExchanger() override;

    int GetCapabilities() override;
    bool HasRealReflectance() override;
    QString GetName() override;
    void SelectDevice(const tDeviceInfo& device) override;
    tDeviceInfo GetDeviceInfo() override;
    tDeviceParams GetParams() override;
    tDeviceEnumsPublic GetEnums() override;
    void StoreParams(const tDeviceParams& newParams) override;
    QMap<int, float> MakeWaveLenBC(const QMap<int, float>& waveLenBC, float bc) override;
    QList<tFoundDevice> GetFoundDevices() override;
    bool IsConnected() override;
    void StartCommand(tCommand command) override;
    void Cancel() override;
    void DoDisconnect() override;

    void SetClock(tClock source) { clock = std::move(source); }

    static tCfgReply ParseCfgReply(const QString& text);
    // The identification "maker,model,serial,FW ver:version" of a port.
    static tFoundDevice ReceiveInfo(const QByteArray& reply, const QString& port);
    static bool IsFirmwareOutdated(const QString& version);

signals:
    void sigShowMessage(QString strMessage);

protected:
    void run() override;
    virtual void DoEnumerate();
    virtual void CheckPort(QStringList& ports, int baudRate, const QString& marker, bool bAcceptNewer);
    virtual void DoConnect();
    virtual void ApplyParams();
    virtual void DoMeasure(tCommandRes& res);
    virtual void DoLoadAll(tCommandRes& res);
    virtual void DoClearMemory();
    virtual void DoSetDateTime();
    // One file named by its path on the instrument; an empty record when it
    // did not arrive.
    virtual tReceivedFile LoadFile(const QString& devicePath, int size, bool bKeepFolders);
    virtual tReceivedFile ReceiveFile(int fileNumber);
    // Reads one "#<n><length><bytes>" block; see the definition.
    virtual bool DownloadData(QByteArray& out, int minSize, int msWait, int maxSize, int msTotalWait,
                              bool bAsResponse, bool bExactLength);
    virtual void ReceiveParams();
    virtual void SetParams(int waveLen);
    virtual void SelectWaveLength(int waveLenMask);
    virtual void ClosePort(const tConnector& port);
    virtual bool OpenPort(const tConnector& port, const QString& portName, int baudRate);

    // Collects a reply for up to timeoutMs. Stops at the first chunk, or at
    // the first CR when bStopAtCR; a cancel empties it when bCancellable.
    QByteArray GetResponse(int timeoutMs, bool bStopAtCR, bool bCancellable);
    void Pause(int ms);
    void Send(const QByteArray& command);
    // Runs `job` on the exchange thread outside the command cycle (no
    // ExchangeEnd) and waits for it: ports belong to the thread that opened them.
    // With msWait >= 0 it gives up on a thread that does not end in time
    // and returns false.
    bool RunOnExchangeThread(const std::function<void()>& job, int msWait = -1);
    // Whether an old firmware counts the block's head in its length.
    bool NeedsLengthCorrection(bool bAsResponse, bool bExactLength) const;
    std::time_t Now() const { return clock(); }
    // Drops what is left on the line until it has been quiet for a moment,
    // for as long as a whole dump takes at the line's rate. False when a
    // cancel cut it short.
    bool DrainLine();
    // A block was given up before its last byte: the rest, about `bytes`,
    // may still be on its way and is drained before the next command goes out.
    void NoteCutBlock(qint64 bytes);
    // Drains the rest of a block given up earlier until the line is quiet,
    // for at most as long as that rest takes at the line's rate; returns the
    // last bytes drained. Only a cancel given after the block was cut ends
    // it early.
    QByteArray DrainCutBlock();
    // Drops what arrives until the line has been quiet for quietMs, `since`
    // has reached limitMs or a cancel is pending; returns the last bytes.
    QByteArray DrainUntilQuiet(qint64 quietMs, const QElapsedTimer& since, qint64 limitMs);
    // Sends without draining first: a stop must reach the instrument while
    // the block it interrupts is still arriving.
    void SendOverCutBlock(const QByteArray& command);

    // How a protocol of the dump family stops an acquisition.
    struct tStopDialect
    {
        int source;
        int silentCode; // no answer at all
        int otherCode;  // an answer other than the end
        int pauseMs;    // before each command and after the second answer
        qint64 extraMs; // how much longer than announced an acquisition takes
    };
    // The instrument's answer to a cancelled acquisition; T is its total
    // time as far as known, `stopwatch` runs since it started. With
    // bStartPending the answer to ";INIT" has not come yet: it may still
    // come during the stop and is no answer to it.
    void StopAcquisition(qint64 totalMs, QElapsedTimer stopwatch, bool bStartPending, const tStopDialect& dialect);
    // The next line of replies (with its CR, or what came of it), keeping
    // what followed it in `pending`.
    QByteArray ReadLine(QByteArray& pending, int timeoutMs);
    // The stop sequence asks at most this long whether an instrument that did
    // not confirm the stop still answers: a cancel must end the command soon
    // whatever time the instrument announced.
    static constexpr qint64 cStopRoundsMs = 2000;
    // The longest acquisition an instrument is believed to announce.
    static constexpr qint64 cMaxAcquisitionSeconds = 24 * 60 * 60;
    // The acquisition's seconds from the instrument's answer to ";INIT",
    // bounded. False when none came and a cancel is pending: the caller
    // stops the acquisition. Without a time otherwise, fails with
    // (source, code).
    bool ReadStartReply(int source, int code, qint64* seconds);
    // The bounded seconds of an answer to ";INIT" (its last byte the CR).
    static bool StartSeconds(QByteArray reply, qint64* seconds);
    // An announced acquisition time as far as it is believed.
    static qint64 BoundedSeconds(qint64 seconds);
    // How long the bytes of `bytes` take on the line at its current rate.
    qint64 LineMs(qint64 bytes) const;
    // The dumps of one acquisition shown live until its time is up or it ends.
    void ShowDumps(int waveLen, qint64 totalMs, const QElapsedTimer& stopwatch);
    // The selected instrument's open port becomes the engine's; the other
    // ports of the search go. A port that is not open fails with (source, code).
    tFoundDevice TakeSelectedPort(int source, int code);
    // Replaces the engine's port; the interface thread may be asking
    // IsConnected meanwhile.
    void SetConnector(const tConnector& port);
    // A failed connection step as the critical error the panel shows.
    static EDeviceExchange ConnectStepFailed(const Exception& e, int source, int code, const QString& text);
    // Reads the configuration the instrument echoes after a "CFG" setting; a
    // pulse width the range does not take is replaced and the user told.
    void AcceptCfgEcho(int waveLen, float gi);
    // The waiting message of one wavelength's acquisition.
    static QString MeasureTitle(bool bRealtime, bool bSeveral, int index, int waveLen, int count);
    // Sends one wavelength's settings; false when a cancel came before or
    // during them (nothing runs yet, so that is no failure).
    bool SetParamsUnlessCancelled(int waveLen);
    // Closes every port the engine holds, on the calling thread.
    void ReleasePorts();
    // Releases the probed connectors of an earlier search.
    void ClearFoundDevices();
    // The disconnection proper, on the exchange thread.
    virtual void Disconnecting();
    // Stops a running command and lets the instrument go on the thread that
    // opened its port. Every destructor of the family calls it: a base
    // destructor no longer reaches the derived protocol's disconnection.
    void ShutDown();

    // How a protocol of the configuration family paces its parameter
    // dialogue and which error records its refusals carry.
    struct tOfferDialect
    {
        const char* className;
        int source;
        int leadPauseMs;      // before each command that has no pause of its own
        int thresholdPauseMs; // before the threshold query
        int emptyAva;
        int badAva;
        int unknownRange;
        int unknownPulse;
        int unknownWaveLen;
        int wrongPosition;
    };
    // Reads lasers, ranges, pulses, averaging and thresholds by probing the
    // configuration command.
    void ReadOffer(const tOfferDialect& dialect);
    // The computer's date, then its time, each after pauseMs.
    void SendDateTime(int pauseMs);

    QByteArray overData;
    QWidget* parentWidget;
    IDeviceEvents* events;
    tConnector connector;
    QString errors;
    QList<tFoundDevice> foundDevices;
    tFoundDevice selectedDevice;
    tDeviceParams params;
    tDeviceEnums enums;
    // Whether the command was cancelled; what its end reports.
    std::atomic<bool> cancelled{false};
    // Every Cancel since the command started: the user's, then the window's
    // closing.
    std::atomic<int> cancels{0};
    // How many of them the running step reads through (exchange thread).
    int cancelsReadThrough = 0;
    // A cancel the running step has to heed.
    bool CancelPending() const { return cancels > cancelsReadThrough; }
    // While it lives, cancellable waits read through the first `count`
    // cancels: a stop has to hear the instrument in spite of the cancel that
    // asked for it, and still gives up at a later one.
    class CReadThrough
    {
    public:
        CReadThrough(CDeviceExchanger& engine, int count)
            : engine(engine), previous(engine.cancelsReadThrough)
        {
            engine.cancelsReadThrough = qMax(previous, count);
        }
        ~CReadThrough() { engine.cancelsReadThrough = previous; }
        CReadThrough(const CReadThrough&) = delete;
        CReadThrough& operator=(const CReadThrough&) = delete;

    private:
        CDeviceExchanger& engine;
        int previous;
    };
    std::atomic<tCommand> cmd{NoCommand};
    // The connected instrument's baud rate; 0 when not known.
    int lineRate = 0;

private:
    void RunOneCommand();
    void ClearCancels();
    // Disconnecting, without waiting for the rest of a cut block.
    void LetGo();

    tClock clock;
    std::function<void()> pendingJob;
    // The block given up last, while its rest may still arrive.
    struct tCutBlock
    {
        bool bPending = false;
        QElapsedTimer since;
        qint64 limitMs = 0;
        int cancels = 0; // the cancels that had come when it was cut
    } cutBlock;
    // Guards the connector pointer between its replacement on the exchange
    // thread and IsConnected on the interface thread.
    QMutex connectorLock;
    // Set when the exchange end's handler started the next command on this
    // thread: the same run carries it out.
    bool bRunAgain = false;
};
