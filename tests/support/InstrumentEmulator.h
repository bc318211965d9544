#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// An instrument at the far end of a pseudo-terminal. The program opens the
// slave path as its serial port; the emulator reads the master on a thread of
// its own, records every chunk with a monotonic time stamp and the speed the
// program set, and writes whatever a test (or a subclass) answers.
class CInstrumentEmulator
{
public:
    struct tChunk
    {
        qint64 usec; // since the emulator was made
        QByteArray bytes;
        int baudRate; // the slave's speed when the chunk arrived
    };

    CInstrumentEmulator();
    virtual ~CInstrumentEmulator();
    CInstrumentEmulator(const CInstrumentEmulator&) = delete;
    CInstrumentEmulator& operator=(const CInstrumentEmulator&) = delete;

    bool IsOpen() const { return master >= 0; }
    QString SlavePath() const { return slavePath; }
    // The speed the program set on its end, as a number (57600, ...); 0 when unknown.
    int SlaveSpeed() const;

    // Writes at once, or at the speed the program set (ten bits a byte) when
    // paced: a real line takes its time over a long reply.
    void Write(const QByteArray& bytes);
    void PaceAtLineRate(bool bPaced) { bPacedWrites = bPaced; }
    // Ends a paced write under way after its current piece, as an
    // instrument that drops the rest of what it was sending.
    void DropWriteInProgress();
    // Ends every write under way and to come: the test is over.
    void AbandonWrites() { bAbandonWrites = true; }
    // Every byte written so far.
    qint64 BytesWritten() const { return bytesWritten; }
    // Closes both ends: to the program the instrument is unplugged.
    void HangUp();

    QList<tChunk> Chunks() const;
    QByteArray Received() const;
    void ClearReceived();
    // Waits until everything received so far contains `bytes`.
    bool WaitForReceived(const QByteArray& bytes, int msTimeout) const;
    qint64 NowUsec() const;

protected:
    // Runs on the reading thread for each chunk, after it was recorded.
    virtual void OnReceived(const QByteArray& chunk);
    // Subclasses that answer from OnReceived call this in their destructor,
    // so no chunk reaches a half-destroyed object.
    void StopReading();

private:
    void ReadLoop();

    int master = -1;
    int slave = -1;
    int stopPipe[2] = {-1, -1};
    QString slavePath;
    qint64 startNsec = 0;
    std::thread reader;
    std::atomic<bool> bPacedWrites{false};
    std::atomic<qint64> writesStarted{0};
    std::atomic<qint64> writeDropped{0};
    std::atomic<bool> bWriting{false};
    std::atomic<bool> bAbandonWrites{false};
    std::atomic<qint64> bytesWritten{0};

    mutable std::mutex mutex;
    mutable std::condition_variable arrived;
    QList<tChunk> chunks;
    QByteArray received;
};
