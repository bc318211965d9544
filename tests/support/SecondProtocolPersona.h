#pragma once

#include "ScriptedInstrument.h"

#include <QList>
#include <QMutex>

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
    ~CSecondProtocolPersona() override { StopReading(); }

private:
    // Applies ";RMT:SET:<key> <value>" to the configuration it reports.
    QByteArray Configure(const QByteArray& key, const QByteArray& value);

    tSetup setup;
    QMutex mutex;
    QByteArray current;
};
