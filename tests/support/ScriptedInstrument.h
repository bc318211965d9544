#pragma once

#include "InstrumentEmulator.h"

#include <QByteArray>
#include <QList>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// An emulated instrument that answers commands from a script. A command is
// everything up to and including a CR; the script maps a command (exactly or
// by its start; an exact entry wins) to an answer, which schedules writes (at once, later, in
// chunks) or a hang-up. Commands nobody scripted get no answer.
class CScriptedInstrument : public CInstrumentEmulator
{
public:
    struct tCommandSeen
    {
        qint64 usec;        // when its last byte arrived
        QByteArray text;    // with its CR
        int baudRate;       // the slave's speed then
        qint64 silenceUsec; // quiet line before its first byte, either way
    };
    using tAnswer = std::function<void(CScriptedInstrument& instrument, const QByteArray& command)>;

    CScriptedInstrument();
    ~CScriptedInstrument() override;

    void On(const QByteArray& command, tAnswer answer);
    void OnPrefix(const QByteArray& prefix, tAnswer answer);
    // The common case: this reply after `delayMs`.
    void Answer(const QByteArray& command, const QByteArray& reply, int delayMs = 0);
    void Forget(const QByteArray& command);

    // Writes `bytes` once `delayMs` have passed (after earlier scheduled writes
    // that are due no later).
    void WriteAfter(int delayMs, const QByteArray& bytes);
    void HangUpAfter(int delayMs);

    // "#", the digit count, the length and the bytes.
    static QByteArray Block(const QByteArray& payload);

    QList<tCommandSeen> Commands() const;
    QList<QByteArray> CommandTexts() const;
    void ClearCommands();
    bool WaitForCommand(const QByteArray& text, int msTimeout) const;
    bool WaitForCommandCount(int count, int msTimeout) const;

protected:
    void OnReceived(const QByteArray& chunk) override;

private:
    struct tRule
    {
        QByteArray key;
        bool bPrefix;
        tAnswer answer;
    };
    struct tWrite
    {
        qint64 dueUsec;
        QByteArray bytes;
        bool bHangUp;
    };

    void WriteLoop();
    void Schedule(tWrite write);
    void NoteActivity();

    mutable std::mutex scriptMutex;
    mutable std::condition_variable commandArrived;
    std::vector<tRule> rules;
    QByteArray pending;
    qint64 pendingStartUsec = -1;
    qint64 lastActivityUsec = 0;
    QList<tCommandSeen> commands;

    std::mutex writeMutex;
    std::condition_variable writeQueued;
    std::deque<tWrite> writes;
    bool bStopping = false;
    std::thread writer;
};
