#pragma once

#include "ScriptedInstrument.h"

#include <QList>
#include <QMutex>

#include <atomic>

// A reflectometer of the first protocol: answers its identification at its
// own rates only, switches to the high rate on request, keeps range, pulse
// and averaging tables that the configuration command indexes, and answers
// the parameter and threshold queries. Everything else is recorded only.
class CFirstProtocolPersona : public CScriptedInstrument
{
public:
    enum eStopAnswer
    {
        StopOkEnd,
        StopSilent,
        StopOther
    };
    enum eHiAnswer
    {
        HiOk,
        HiErr,
        HiSilent
    };
    struct tSetup
    {
        QByteArray idn = "MAKER,M-7x,\xE2\x84\x96" "1001,FW ver:5.1b(600)\r";
        QList<int> idnRates{57600};
        eHiAnswer hi = HiOk;
        QList<QByteArray> rangesKm{"2", "8"};
        QList<int> pulses{10, 100, 1000};
        QList<int> averages{15, 30, 60, 600};
        QByteArray ava = "1310,0,1550\r";
        QByteArray current = "CFG,2,10,15,1310(0),1.4680\r";
        // The longest pulse the shortest range takes.
        int pulseLimit = 100;
        QByteArray blcr = "BC=800\nA=1\nB=2\nC=3\nD=4\nLT=200\nRT=45000\nET=3000\nEVNT=1\nE=5\r";

        // Acquisition: the reply to ";INIT" (none when empty), how a dump is
        // announced, and how ";OTDR:STOP" is answered.
        QByteArray initReply = "0\r";
        int initDelayMs = 5;
        // The acquisition ends this long before the time it announced (a
        // dump request after that is answered "END").
        int endBeforeMs = 1000;
        QByteArray dumpPrefix = "#518456";
        int dumpDelayMs = 400;
        QByteArray dumpPayload; // empty: Dump()
        eStopAnswer stop = StopOkEnd;
        // Stored files (number 1 first) and the measured one (number 0).
        QList<QByteArray> files;
        QByteArray measured;
        QByteArray freeReply; // empty: "<count>,100"
        int cutFile = 0;      // this file is sent half and then nothing
        int hangUpInFile = 0; // this file is sent half and then the line dies
        int dripFile = 0;     // this file comes one byte every 300 ms after its head
    };

    static tSetup PersonaA() { return tSetup(); }
    static tSetup PersonaB()
    {
        tSetup s;
        s.idn = "MAKER,M-7x,\xE2\x84\x96" "1002,FW ver:4.4a(498)\r";
        return s;
    }
    static tSetup PersonaC()
    {
        tSetup s;
        s.idn = "MAKER,M-7x,\xE2\x84\x96" "1003,FW ver:5.0a(600)\r";
        s.idnRates = {460800};
        return s;
    }
    static tSetup Version6()
    {
        tSetup s;
        s.idn = "MAKER,M-7x,\xE2\x84\x96" "1004,FW ver:6.0a(700)\r";
        s.idnRates = {57600, 460800};
        return s;
    }

    // Found by the third protocol only: a newer model at the high rate.
    static tSetup PersonaD()
    {
        tSetup s;
        s.idn = "MAKER,M-7y,\xE2\x84\x96" "2001,FW ver:6.0a(700)\r";
        s.idnRates = {460800};
        s.dumpPrefix = "#522424";
        s.dumpPayload = Dump(100, 0, 5600, 5600);
        return s;
    }

    explicit CFirstProtocolPersona(const tSetup& setup);
    // A 24-byte header and `totalWords` words that decode to a falling trace.
    static QByteArray Dump(quint32 firstWord = 100, quint32 noiseCount = 0, quint32 wordCount = 4608,
                           int totalWords = 4608);
    ~CFirstProtocolPersona() override { StopReading(); }

private:
    QByteArray Configure(const QByteArray& command);

    tSetup setup;
    QMutex mutex;
    qint64 acquisitionEndUsec = 0;
    qint64 initReplyDueUsec = 0;
    // Switched to the high rate, it answers there too.
    std::atomic<bool> bHighRate{false};
};
