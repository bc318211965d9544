#include "ScriptedInstrument.h"

#include <algorithm>
#include <chrono>

CScriptedInstrument::CScriptedInstrument()
{
    writer = std::thread([this] { WriteLoop(); });
}

CScriptedInstrument::~CScriptedInstrument()
{
    AbandonWrites();
    StopReading();
    {
        std::lock_guard<std::mutex> lock(writeMutex);
        bStopping = true;
    }
    writeQueued.notify_all();
    writer.join();
}

void CScriptedInstrument::On(const QByteArray& command, tAnswer answer)
{
    std::lock_guard<std::mutex> lock(scriptMutex);
    Forget(command);
    rules.push_back({command, false, std::move(answer)});
}

void CScriptedInstrument::OnPrefix(const QByteArray& prefix, tAnswer answer)
{
    std::lock_guard<std::mutex> lock(scriptMutex);
    rules.push_back({prefix, true, std::move(answer)});
}

void CScriptedInstrument::Answer(const QByteArray& command, const QByteArray& reply, int delayMs)
{
    On(command, [reply, delayMs](CScriptedInstrument& instrument, const QByteArray&) {
        instrument.WriteAfter(delayMs, reply);
    });
}

void CScriptedInstrument::Forget(const QByteArray& command)
{
    // Called with the script's lock held or before any command arrives.
    rules.erase(std::remove_if(rules.begin(), rules.end(),
                               [&](const tRule& r) { return !r.bPrefix && r.key == command; }),
                rules.end());
}

void CScriptedInstrument::WriteAfter(int delayMs, const QByteArray& bytes)
{
    Schedule({NowUsec() + qint64(delayMs) * 1000, bytes, false});
}

void CScriptedInstrument::HangUpAfter(int delayMs)
{
    Schedule({NowUsec() + qint64(delayMs) * 1000, QByteArray(), true});
}

QByteArray CScriptedInstrument::Block(const QByteArray& payload)
{
    const QByteArray length = QByteArray::number(payload.size());
    return "#" + QByteArray::number(length.size()) + length + payload;
}

QList<CScriptedInstrument::tCommandSeen> CScriptedInstrument::Commands() const
{
    std::lock_guard<std::mutex> lock(scriptMutex);
    return commands;
}

QList<QByteArray> CScriptedInstrument::CommandTexts() const
{
    QList<QByteArray> texts;
    for (const tCommandSeen& c : Commands())
        texts << c.text;
    return texts;
}

void CScriptedInstrument::ClearCommands()
{
    std::lock_guard<std::mutex> lock(scriptMutex);
    commands.clear();
}

bool CScriptedInstrument::WaitForCommand(const QByteArray& text, int msTimeout) const
{
    std::unique_lock<std::mutex> lock(scriptMutex);
    return commandArrived.wait_for(lock, std::chrono::milliseconds(msTimeout), [&] {
        return std::any_of(commands.cbegin(), commands.cend(), [&](const tCommandSeen& c) { return c.text == text; });
    });
}

bool CScriptedInstrument::WaitForCommandCount(int count, int msTimeout) const
{
    std::unique_lock<std::mutex> lock(scriptMutex);
    return commandArrived.wait_for(lock, std::chrono::milliseconds(msTimeout),
                                   [&] { return commands.size() >= count; });
}

void CScriptedInstrument::NoteActivity()
{
    lastActivityUsec = NowUsec();
}

void CScriptedInstrument::OnReceived(const QByteArray& chunk)
{
    std::vector<std::pair<tAnswer, QByteArray>> toRun;
    {
        std::lock_guard<std::mutex> lock(scriptMutex);
        const qint64 now = NowUsec();
        if (pending.isEmpty())
            pendingStartUsec = now;
        const qint64 silence = pending.isEmpty() ? now - lastActivityUsec : 0;
        pending += chunk;
        lastActivityUsec = now;
        int cr;
        bool bFirst = true;
        while ((cr = pending.indexOf('\r')) >= 0) {
            const QByteArray text = pending.left(cr + 1);
            pending.remove(0, cr + 1);
            commands.append({now, text, SlaveSpeed(), bFirst ? silence : 0});
            bFirst = false;
            // An exact rule wins over a prefix rule.
            const tRule* match = nullptr;
            for (const tRule& rule : rules)
                if (!rule.bPrefix && text == rule.key)
                    match = &rule;
            for (const tRule& rule : rules)
                if (!match && rule.bPrefix && text.startsWith(rule.key))
                    match = &rule;
            if (match)
                toRun.emplace_back(match->answer, text);
        }
    }
    commandArrived.notify_all();
    for (auto& run : toRun)
        run.first(*this, run.second);
}

void CScriptedInstrument::Schedule(tWrite write)
{
    {
        std::lock_guard<std::mutex> lock(writeMutex);
        auto at = std::upper_bound(writes.begin(), writes.end(), write.dueUsec,
                                   [](qint64 due, const tWrite& w) { return due < w.dueUsec; });
        writes.insert(at, std::move(write));
    }
    writeQueued.notify_all();
}

void CScriptedInstrument::WriteLoop()
{
    std::unique_lock<std::mutex> lock(writeMutex);
    for (;;) {
        if (bStopping)
            return;
        if (writes.empty()) {
            writeQueued.wait(lock);
            continue;
        }
        const qint64 wait = writes.front().dueUsec - NowUsec();
        if (wait > 0) {
            writeQueued.wait_for(lock, std::chrono::microseconds(wait));
            continue;
        }
        tWrite next = std::move(writes.front());
        writes.pop_front();
        lock.unlock();
        if (next.bHangUp) {
            HangUp();
        } else {
            Write(next.bytes);
            std::lock_guard<std::mutex> script(scriptMutex);
            NoteActivity();
        }
        lock.lock();
    }
}
