#include "FirstProtocolPersona.h"

#include <QList>

CFirstProtocolPersona::CFirstProtocolPersona(const tSetup& s) : setup(s)
{
    On("*IDN?\r", [this](CScriptedInstrument& self, const QByteArray&) {
        if (setup.idnRates.contains(SlaveSpeed()))
            self.WriteAfter(5, setup.idn);
    });
    On(";SYST:UART:HI\r", [this](CScriptedInstrument& self, const QByteArray&) {
        if (setup.hi == HiOk)
            self.WriteAfter(5, "OK\r");
        else if (setup.hi == HiErr)
            self.WriteAfter(5, "ERR\r");
    });
    On(";SYST:SET:CFG?\r", [this](CScriptedInstrument& self, const QByteArray&) {
        QMutexLocker lock(&mutex);
        self.WriteAfter(5, setup.current);
    });
    Answer(";SYST:AVA?\r", setup.ava, 5);
    Answer(";SYST:SET:BLCR?\r", setup.blcr, 5);
    OnPrefix(";SYST:MODE ", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "OK\r"); });
    OnPrefix(";SYST:SET:CFG ", [this](CScriptedInstrument& self, const QByteArray& command) {
        const QByteArray reply = Configure(command);
        if (!reply.isEmpty())
            self.WriteAfter(5, reply);
    });
}

QByteArray CFirstProtocolPersona::Configure(const QByteArray& command)
{
    const QList<QByteArray> fields = command.mid(14, command.size() - 15).split(',');
    if (fields.size() != 5)
        return QByteArray();
    auto pick = [](const auto& table, int index) { return table.at(qBound(0, index, table.size() - 1)); };
    const int rangeIndex = fields[0].toInt();
    const QByteArray range = pick(setup.rangesKm, rangeIndex);
    int pulse = pick(setup.pulses, fields[1].toInt());
    if (qBound(0, rangeIndex, setup.rangesKm.size() - 1) == 0)
        pulse = qMin(pulse, setup.pulseLimit);
    const int average = pick(setup.averages, fields[2].toInt());
    const QList<QByteArray> lasers = setup.ava.trimmed().split(',');
    const int laser = fields[3].toInt();
    const QByteArray waveLen = laser >= 0 && laser < lasers.size() ? lasers.at(laser) : QByteArray("0");
    const QByteArray reply = "CFG," + range + "," + QByteArray::number(pulse) + "," + QByteArray::number(average)
        + "," + waveLen + "(" + fields[3] + ")," + fields[4] + "\r";
    QMutexLocker lock(&mutex);
    setup.current = reply;
    return reply;
}
