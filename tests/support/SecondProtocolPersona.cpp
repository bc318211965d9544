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
