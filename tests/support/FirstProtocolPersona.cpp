#include "FirstProtocolPersona.h"

#include <QList>

CFirstProtocolPersona::CFirstProtocolPersona(const tSetup& s) : setup(s)
{
    On("*IDN?\r", [this](CScriptedInstrument& self, const QByteArray&) {
        const int speed = SlaveSpeed();
        if (setup.idnRates.contains(speed) || (bHighRate && speed == 460800))
            self.WriteAfter(5, setup.idn);
    });
    On(";SYST:UART:HI\r", [this](CScriptedInstrument& self, const QByteArray&) {
        if (setup.hi == HiOk) {
            bHighRate = true;
            self.WriteAfter(5, "OK\r");
        }
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
    OnPrefix(";SYST:DATE ", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "OK\r"); });
    OnPrefix(";SYST:TIME ", [](CScriptedInstrument& self, const QByteArray&) { self.WriteAfter(5, "OK\r"); });
    On(";INIT\r", [this](CScriptedInstrument& self, const QByteArray&) {
        const qint64 seconds = setup.initReply.trimmed().toLongLong();
        QMutexLocker lock(&mutex);
        acquisitionEndUsec = NowUsec() + (seconds * 1000 - setup.endBeforeMs) * 1000;
        if (!setup.initReply.isEmpty()) {
            self.WriteAfter(setup.initDelayMs, setup.initReply);
            initReplyDueUsec = NowUsec() + qint64(setup.initDelayMs) * 1000;
        }
    });
    On(";OTDR:DUMP\r", [this](CScriptedInstrument& self, const QByteArray&) {
        QMutexLocker lock(&mutex);
        if (NowUsec() >= acquisitionEndUsec)
            self.WriteAfter(5, "END\r");
        else
            self.WriteAfter(setup.dumpDelayMs,
                            setup.dumpPrefix + (setup.dumpPayload.isEmpty() ? Dump() : setup.dumpPayload));
    });
    On(";OTDR:STOP\r", [this](CScriptedInstrument& self, const QByteArray&) {
        // Answers in turn: a start reply still due goes first.
        int lagMs = 0;
        {
            QMutexLocker lock(&mutex);
            lagMs = int(qMax<qint64>(0, initReplyDueUsec - NowUsec()) / 1000);
        }
        if (setup.stop == StopOkEnd) {
            self.WriteAfter(lagMs + 5, "OK\r");
            self.WriteAfter(lagMs + 60, "END\r");
        } else if (setup.stop == StopOther) {
            self.WriteAfter(lagMs + 5, "ERR\r");
        }
    });
    On(";MMEM:FREE?\r", [this](CScriptedInstrument& self, const QByteArray&) {
        self.WriteAfter(5, setup.freeReply.isEmpty() ? QByteArray::number(setup.files.size()) + ",100\r"
                                                     : setup.freeReply);
    });
    OnPrefix(";MMEM:LOAD:FILE? ", [this](CScriptedInstrument& self, const QByteArray& command) {
        const int number = command.mid(17, command.size() - 18).toInt();
        const QByteArray file = number == 0 ? setup.measured : setup.files.value(number - 1);
        const QByteArray block = Block(file);
        if (number != 0 && number == setup.dripFile) {
            const int head = block.size() - file.size();
            self.WriteAfter(5, block.left(head));
            for (int k = head; k < block.size(); ++k)
                self.WriteAfter(5 + 300 * (k - head + 1), block.mid(k, 1));
            return;
        }
        if (number != 0 && (number == setup.cutFile || number == setup.hangUpInFile)) {
            self.WriteAfter(5, block.left(block.size() / 2));
            if (number == setup.hangUpInFile)
                self.HangUpAfter(100);
            return;
        }
        self.WriteAfter(5, block);
    });
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

QByteArray CFirstProtocolPersona::Dump(quint32 firstWord, quint32 noiseCount, quint32 wordCount, int totalWords)
{
    QByteArray dump;
    auto put32 = [&dump](quint32 v) {
        for (int i = 0; i < 4; ++i)
            dump.append(char((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&dump](quint16 v) {
        dump.append(char(v & 0xFF));
        dump.append(char(v >> 8));
    };
    put32(1000000); // 10 ns between samples
    put32(1000);
    put16(10);
    put16(1310);
    put32(firstWord);
    put32(noiseCount);
    put32(wordCount);
    for (quint32 i = 0; i < quint32(totalWords); ++i)
        put32(i < firstWord ? 1000 : 1000 + 4000000 / (1 + (i - firstWord) / 64));
    return dump;
}
