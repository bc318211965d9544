#include "SecondProtocolPersona.h"

CSecondProtocolPersona::CSecondProtocolPersona(const tSetup& s) : setup(s), current(s.configuration)
{
    On("*IDN?\r", [this](CScriptedInstrument& self, const QByteArray&) {
        if (setup.idnRates.contains(SlaveSpeed()))
            self.WriteAfter(5, setup.idn);
    });
    Answer("*CONNECT\r", "OK\r", 5);
    Answer(";SYST:AVA?\r", setup.ava, 5);
    Answer(";RMT:GET:SEQLW\r", setup.laserSet, 5);
    Answer(";RMT:GET:ALLGI\r", setup.groupIndexes, 5);
    Answer(";RMT:GET:SEQMD\r", setup.distances, 5);
    Answer(";RMT:GET:SEQIM\r", setup.pulses, 5);
    Answer(";RMT:GET:SEQTA\r", setup.averages, 5);
    Answer(";RMT:GET:ALLBS\r", setup.backscatter, 5);
    Answer(";RMT:EVN:CFG\r", setup.events, 5);
    On(";RMT:GET:CFG?\r", [this](CScriptedInstrument& self, const QByteArray&) {
        QMutexLocker lock(&mutex);
        self.WriteAfter(5, current);
    });
    OnPrefix(";RMT:SET:", [this](CScriptedInstrument& self, const QByteArray& command) {
        const QByteArray body = command.mid(9, command.size() - 10);
        const int blank = body.indexOf(' ');
        const QByteArray key = body.left(blank);
        const QByteArray echo = Configure(key, body.mid(blank + 1));
        self.WriteAfter(5, key == "TA" || key == "LW" ? echo : QByteArray("OK\r"));
    });
    OnPrefix(";RMT:EVN:", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "OK\r"); });
    OnPrefix(";SYST:DATE ", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "OK\r"); });
    OnPrefix(";SYST:TIME ", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "OK\r"); });

    On(";RMT:OTDR:RUN\r", [this](CScriptedInstrument& self, const QByteArray&) {
        self.WriteAfter(5, setup.runReply);
        if (setup.runReply != "OK\r")
            return;
        if (setup.bHighInput) {
            self.WriteAfter(60, "HIGH_INPUT\r");
            return;
        }
        bool bRealtime = false;
        QByteArray waveLen;
        {
            QMutexLocker lock(&mutex);
            bRealtime = current.split(',').value(3).startsWith('-');
        }
        waveLen = CurrentWaveLen();
        self.WriteAfter(60, waveLen + "\r");
        Run(waveLen, bRealtime);
    });
    On(";OTDR:STOP\r", [this](CScriptedInstrument&, const QByteArray&) { Stop(); });
    On("*GET:DIR\r", [this](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, setup.rootListing); });
    OnPrefix("*GET:DIR ", [this](CScriptedInstrument& self, const QByteArray& command) {
        const QByteArray path = command.mid(9, command.size() - 10);
        self.WriteAfter(5, setup.listings.value(path, "\r"));
    });
    OnPrefix("*GET:FILE ", [this](CScriptedInstrument& self, const QByteArray& command) {
        AnswerFile(self, command.mid(10, command.size() - 11));
    });
}

CSecondProtocolPersona::~CSecondProtocolPersona()
{
    {
        std::lock_guard<std::mutex> lock(streamMutex);
        bStopRequested = true;
    }
    streamWake.notify_all();
    if (streamer.joinable())
        streamer.join();
    StopReading();
}

QByteArray CSecondProtocolPersona::CurrentWaveLen()
{
    QMutexLocker lock(&mutex);
    const int mask = current.split(',').value(0).toInt();
    const QList<QByteArray> lasers = setup.ava.trimmed().split(',');
    for (int i = 0; i < lasers.size(); ++i)
        if (mask == (1 << i))
            return lasers.at(i);
    return "0";
}

void CSecondProtocolPersona::Run(const QByteArray&, bool bRealtime)
{
    if (streamer.joinable())
        streamer.join();
    {
        std::lock_guard<std::mutex> lock(streamMutex);
        bStopRequested = false;
        bStreaming = true;
    }
    streamer = std::thread([this, bRealtime] { Stream(bRealtime); });
}

void CSecondProtocolPersona::Stream(bool bRealtime)
{
    const QList<QByteArray> frames = setup.frames.isEmpty() ? QList<QByteArray>{Frame(0, 1000)} : setup.frames;
    std::unique_lock<std::mutex> lock(streamMutex);
    // The first frame comes well after the wavelength line.
    streamWake.wait_for(lock, std::chrono::milliseconds(150), [this] { return bStopRequested; });
    for (int k = 0; !bStopRequested && (bRealtime || k < frames.size()); ++k) {
        const QByteArray& frame = frames.at(k % frames.size());
        WriteAfter(0, setup.bRawFrames ? frame : Block(frame));
        ++framesSent;
        streamWake.wait_for(lock, std::chrono::milliseconds(setup.framePeriodMs), [this] { return bStopRequested; });
    }
    if (bStopRequested && setup.bReadyStop)
        WriteAfter(0, "READY_STOP\r");
    if (!bStopRequested || !setup.bSilentStop)
        WriteAfter(bStopRequested ? 30 : 0, "STOP_OK\r");
    bStreaming = false;
}

void CSecondProtocolPersona::Stop()
{
    bool bWasStreaming = false;
    {
        std::lock_guard<std::mutex> lock(streamMutex);
        bWasStreaming = bStreaming;
        bStopRequested = true;
    }
    streamWake.notify_all();
    if (setup.bDropFrameAtStop)
        DropWriteInProgress();
    if (!bWasStreaming && !setup.bSilentStop)
        WriteAfter(5, "STOP_OK\r");
}

void CSecondProtocolPersona::AnswerFile(CScriptedInstrument& self, const QByteArray& path)
{
    if (!setup.files.contains(path))
        return;
    const QByteArray block = Block(setup.files.value(path));
    if (path == setup.hugeFile) {
        self.WriteAfter(5, "#810000000" + setup.files.value(path));
        return;
    }
    if (path == setup.cutFile || path == setup.hangUpFile) {
        self.WriteAfter(5, block.left(block.size() / 2));
        if (path == setup.hangUpFile)
            self.HangUpAfter(100);
        return;
    }
    if (path == setup.extraByteFile && extraSent++ == 0) {
        self.WriteAfter(5, block + "\r");
        return;
    }
    self.WriteAfter(5, block);
}

QByteArray CSecondProtocolPersona::Frame(quint32 first, quint32 points, quint32 spacing, int sampleBytes)
{
    QByteArray frame;
    auto put32 = [&frame](quint32 v) {
        for (int i = 0; i < 4; ++i)
            frame.append(char((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&frame](quint16 v) {
        frame.append(char(v & 0xFF));
        frame.append(char(v >> 8));
    };
    put32(spacing);
    put32(1000);
    put16(1310);
    put16(10);
    put32(0);
    put32(first);
    put32(points);
    const int count = sampleBytes < 0 ? int(points) : sampleBytes / 2;
    for (int j = 0; j < count; ++j)
        put16(quint16(1000 + 20 * j));
    if (sampleBytes > 0 && sampleBytes % 2)
        frame.append('\0');
    return frame;
}

QByteArray CSecondProtocolPersona::Configure(const QByteArray& key, const QByteArray& value)
{
    QMutexLocker lock(&mutex);
    QList<QByteArray> fields = current.left(current.size() - 1).split(',');
    if (fields.size() != 4)
        fields = {"1", "8000", "100", "30"};
    if (key == "LW")
        fields[0] = value;
    else if (key == "MD")
        fields[1] = value;
    else if (key == "IM")
        fields[2] = value;
    else if (key == "TA")
        fields[3] = value;
    else
        return current;
    current = fields.join(',') + "\r";
    return current;
}
