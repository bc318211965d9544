#include "device/DeviceExchanger.h"

#include "core/Exception.h"
#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/ProgressData.h"
#include "device/ReplyParsers.h"

#include <QDebug>

namespace {

constexpr int cSource = 16;
constexpr int cDumpSize = 18456;

} // namespace

void CDeviceExchanger::DoMeasure(tCommandRes& res)
{
    const bool bRealtime = params.AverageTime == -1;
    if (params.WaveLenNm.isEmpty()) {
        // Nothing to measure, also in realtime: no endless empty loop.
        qCritical("ASSERTION FAILED: %s", "params.WaveLenNm.size()>0");
        return;
    }
    const QList<int> waveLens = params.WaveLenNm;
    const tStopDialect stop{cSource, 1268, 1269, 0, 500 + 3000};
    do {
        for (int i = 0; i < waveLens.size(); ++i) {
            const int waveLen = waveLens.at(i);
            const QString message = MeasureTitle(bRealtime, waveLens.size() > 1, i, waveLen, enums.WaveLenNm.size());
            if (events)
                events->SetWaiting(bRealtime ? 0 : 3, true, message);

            if (!SetParamsUnlessCancelled(waveLen))
                return;
            Send(";SYST:MODE 1\r");
            GetResponse(500, true, true);
            if (cancelled)
                return;
            Send(";INIT\r");
            qint64 seconds = 0;
            const bool bTimed = ReadStartReply(cSource, 1163, &seconds);
            Pause(50);
            if (!bTimed) {
                QElapsedTimer unknown;
                unknown.start();
                StopAcquisition(stop.extraMs, unknown, true, stop);
                return;
            }

            const qint64 total = seconds * 1000 + stop.extraMs;
            QElapsedTimer stopwatch;
            stopwatch.start();
            if (!cancelled && events)
                events->SetWaiting(bRealtime ? 0 : int(qMin<qint64>(total / 1000, INT_MAX)), true, message);
            if (events)
                events->ShowTrace(tFileView(new CProgressData()));

            // Any reply while the instrument starts skips the live view.
            if (GetResponse(int(qMin<qint64>(total, 9000)), true, true).isEmpty())
                ShowDumps(waveLen, total, stopwatch);

            if (!cancelled) {
                qDebug() << "Additional waiting for any data or IDN response in " << 15 << " cycles";
                for (int j = 0; j <= 15; ++j) {
                    const QByteArray any = GetResponse(200, true, true);
                    if (!any.isEmpty() || cancelled)
                        break;
                    Send("*IDN?\r");
                }
            }
            if (cancelled) {
                StopAcquisition(total, stopwatch, false, stop);
                return;
            }
            if (!bRealtime)
                res.append(ReceiveFile(0));
        }
    } while (bRealtime && !cancelled);
}

bool CDeviceExchanger::ReadStartReply(int source, int code, qint64* seconds)
{
    // Once the start is out a cancel must stop the acquisition, which needs
    // its time: the reply is not cut short.
    if (StartSeconds(GetResponse(200, true, false), seconds))
        return true;
    if (cancelled)
        return false;
    throw EDeviceExchange({tErrorCode(source, code)}, tr("Error on measure request."), true);
}

bool CDeviceExchanger::StartSeconds(QByteArray reply, qint64* seconds)
{
    if (!reply.isEmpty())
        reply.chop(1);
    if (!ReadSeconds(reply, seconds))
        return false;
    *seconds = BoundedSeconds(*seconds);
    return true;
}

qint64 CDeviceExchanger::BoundedSeconds(qint64 seconds)
{
    if (seconds <= cMaxAcquisitionSeconds)
        return seconds;
    qWarning() << "Acquisition time" << seconds << "s taken as" << cMaxAcquisitionSeconds << "s";
    return cMaxAcquisitionSeconds;
}

QString CDeviceExchanger::MeasureTitle(bool bRealtime, bool bSeveral, int index, int waveLen, int count)
{
    QString title = bRealtime ? tr("Realtime view") : QString();
    if (!bSeveral)
        return title;
    if (bRealtime)
        title += QLatin1Char('\n');
    return title + tr("Wave length %1ns (laser %2 from %3)").arg(waveLen).arg(index).arg(count);
}

bool CDeviceExchanger::SetParamsUnlessCancelled(int waveLen)
{
    // A cancel before the acquisition starts ends the command quietly:
    // there is nothing to stop yet.
    if (cancelled)
        return false;
    try {
        SetParams(waveLen);
    } catch (const Exception&) {
        if (cancelled)
            return false;
        throw;
    }
    return !cancelled;
}

void CDeviceExchanger::ShowDumps(int waveLen, qint64 totalMs, const QElapsedTimer& stopwatch)
{
    while (!cancelled && stopwatch.elapsed() < totalMs) {
        Send(";OTDR:DUMP\r");
        const qint64 remaining = qMax<qint64>(1, totalMs - stopwatch.elapsed());
        try {
            if (remaining < 4100) {
                GetResponse(int(remaining), true, true);
                break;
            }
            QByteArray dump;
            if (!DownloadData(dump, cDumpSize, 4000, cDumpSize, int(qMin<qint64>(remaining, INT_MAX)), true, false)) {
                if (dump == "END\r")
                    break;
                qWarning() << "DownloadData return " << dump.size() << " undefined bytes";
                if (cancelled)
                    break;
                if (dump.size() < 28)
                    continue;
            }
            if (cancelled)
                break;
            tTraceBlockHeader header;
            header.Read(params.WaveLenGI.value(waveLen), dump);
            dump.remove(0, tTraceBlockHeader::cSize);
            if (header.FirstWord > 0 && header.FirstWord < 512 && header.NoiseCount <= 48 && header.WordCount == 4608) {
                if (header.NoiseCount == 0)
                    header.NoiseCount = 1;
                if (events)
                    events->ShowTrace(tFileView(new CProgressData(header, dump)));
            }
        } catch (const Exception&) {
            // A dump that does not read is only a missed picture.
        }
    }
}

void CDeviceExchanger::StopAcquisition(qint64 totalMs, QElapsedTimer stopwatch, bool bStartPending,
                                       const tStopDialect& dialect)
{
    auto pause = [&] {
        if (dialect.pauseMs > 0)
            Pause(dialect.pauseMs);
    };
    // The user's cancel asked for this stop: its answer is read in spite of
    // it. A later cancel (the window closing) gives up at once.
    CReadThrough readThrough(*this, 1);
    pause();
    Send(";OTDR:STOP\r");
    QByteArray pending;
    // An instrument answers in turn: a start reply it still owed comes
    // first, tells the acquisition's time and leaves the stop its own wait.
    auto answer = [&](int timeoutMs) {
        for (;;) {
            const QByteArray line = ReadLine(pending, timeoutMs);
            qint64 seconds = 0;
            if (!bStartPending || !line.endsWith('\r') || !StartSeconds(line, &seconds))
                return line;
            bStartPending = false;
            qDebug() << "Start reply during the stop:" << seconds << "s";
            totalMs = seconds * 1000 + dialect.extraMs;
            stopwatch.start();
        }
    };
    QByteArray reply = answer(4000);
    if (reply == "OK\r") {
        reply = answer(4000);
        pause();
    }
    if (reply == "END\r")
        return;
    const qint64 rounds = qBound<qint64>(0, totalMs - stopwatch.elapsed(), cStopRoundsMs) / 200;
    bool bAnswered = false;
    for (qint64 k = 0; k <= rounds && !bAnswered && !CancelPending(); ++k) {
        bAnswered = !answer(200).isEmpty();
        if (!bAnswered && !CancelPending()) {
            pause();
            Send("*IDN?\r");
        }
    }
    // The instrument's failure is the command's end; a closing window's
    // cancel still ends it as cancelled.
    if (!CancelPending())
        cancelled = false;
    if (!bAnswered)
        throw EDeviceExchange({tErrorCode(dialect.source, dialect.silentCode)}, tr("Device don't response."), true);
    throw EDeviceExchange({tErrorCode(dialect.source, dialect.otherCode)},
                          tr("Device don't support momental cancellation.\nPlease update firmware."), false);
}

QByteArray CDeviceExchanger::ReadLine(QByteArray& pending, int timeoutMs)
{
    if (!pending.contains('\r'))
        pending += GetResponse(timeoutMs, true, true);
    const int cr = pending.indexOf('\r');
    const QByteArray line = cr < 0 ? pending : pending.left(cr + 1);
    pending.remove(0, line.size());
    return line;
}
