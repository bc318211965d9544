#pragma once

#include "ScriptedInstrument.h"

#include <QList>
#include <QMap>
#include <QMutex>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// A reflectometer of the second protocol: answers its identification at its
// own rates only, the keyed lists of what it offers, its configuration, the
// remote setters (echoing the configuration after averaging and laser
// choice), the clock and the link commands.
class CSecondProtocolPersona : public CScriptedInstrument
{
public:
    struct tSetup
    {
        QByteArray idn = "MAKER,R-9z,\xE2\x84\x96" "3001,FW ver:1.1700\r";
        QList<int> idnRates{460800};
        QByteArray ava = "1310,0,1550\r";
        QByteArray laserSet = "SetLS\n1\n4\n5\n\r";
        QByteArray groupIndexes = "UserGI\n1.4680\n1.4680\n1.4690\n\r";
        QByteArray distances = "Distance\n2000\n8000\n32000\n\r";
        QByteArray pulses = "Impulses\n10\n100\n1000\n\r";
        QByteArray averages = "TimeAvr\n15\n30\n60\n\r";
        // mask, distance, pulse, averaging
        QByteArray configuration = "1,8000,100,30\r";
        QByteArray backscatter = "UserBS\n-80.0\n-80.0\n-81.5\n\r";
        QByteArray events = "1,3.0,-45.5,0.2\r";

        // Measurement: the answer to the run, then (unless the input is too
        // bright) the wavelength and the frames, one every framePeriodMs, and
        // "STOP_OK" after the last; in realtime the frames repeat until a stop.
        QByteArray runReply = "OK\r";
        bool bHighInput = false;
        QList<QByteArray> frames; // payloads; empty: one Frame()
        int framePeriodMs = 80;
        bool bReadyStop = false;  // "READY_STOP" before "STOP_OK"
        bool bSilentStop = false; // a stop is never confirmed
        bool bDropFrameAtStop = false; // a frame on its way ends at the stop
        bool bRawFrames = false;       // frames go out as they stand, not as blocks

        // Files: the listing of "*GET:DIR", the listings of its folders by
        // their path, and the files by path (paths as the instrument's
        // 8-bit text). A folder nobody listed answers an empty listing.
        QByteArray rootListing = "DIR 0:\n\r";
        QMap<QByteArray, QByteArray> listings;
        QMap<QByteArray, QByteArray> files;
        QByteArray extraByteFile; // its first delivery has one byte too many
        QByteArray cutFile;       // half of it, then nothing
        QByteArray hangUpFile;    // half of it, then the line dies
        QByteArray hugeFile;      // announced with 10,000,000 bytes
    };

    static tSetup PersonaE() { return tSetup(); }
    static tSetup PersonaF()
    {
        tSetup s;
        s.idn = "MAKER,R-9z,\xE2\x84\x96" "3002,FW ver:1.1500\r";
        s.idnRates = {921600};
        return s;
    }

    explicit CSecondProtocolPersona(const tSetup& setup);
    ~CSecondProtocolPersona() override;

    // A frame: 24-byte head (spacing, averages, wavelength, pulse, unused,
    // first point, point count) and `points` falling 16-bit samples, or
    // `sampleBytes` bytes of them when not negative.
    static QByteArray Frame(quint32 first, quint32 points, quint32 spacing = 1000000, int sampleBytes = -1);
    int FramesSent() const { return framesSent; }

private:
    void Run(const QByteArray& waveLen, bool bRealtime);
    void Stream(bool bRealtime);
    void Stop();
    QByteArray CurrentWaveLen();
    void AnswerFile(CScriptedInstrument& self, const QByteArray& path);

    // Applies ";RMT:SET:<key> <value>" to the configuration it reports.
    QByteArray Configure(const QByteArray& key, const QByteArray& value);

    tSetup setup;
    QMutex mutex;
    QByteArray current;
    int extraSent = 0;

    std::thread streamer;
    std::mutex streamMutex;
    std::condition_variable streamWake;
    bool bStopRequested = false;
    bool bStreaming = false;
    std::atomic<int> framesSent{0};
};
