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
                StopAcquisition(3500, unknown);
                return;
            }

            const qint64 total = seconds * 1000 + 500 + 3000;
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
                StopAcquisition(total, stopwatch);
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
    QByteArray reply = GetResponse(200, true, false);
    if (!reply.isEmpty())
        reply.chop(1);
    if (!ReadSeconds(reply, seconds)) {
        if (cancelled)
            return false;
        throw EDeviceExchange({tErrorCode(source, code)}, tr("Error on measure request."), true);
    }
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

void CDeviceExchanger::StopAcquisition(qint64 totalMs, const QElapsedTimer& stopwatch)
{
    cancelled = false;
    Send(";OTDR:STOP\r");
    QByteArray reply = GetResponse(4000, true, true);
    if (reply == "OK\r")
        reply = GetResponse(4000, true, true);
    if (reply == "END\r") {
        cancelled = true;
        return;
    }
    const qint64 rounds = qBound<qint64>(0, totalMs - stopwatch.elapsed(), cStopRoundsMs) / 200;
    bool bAnswered = false;
    // A second cancel (the window closing) gives up on the instrument.
    for (qint64 k = 0; k <= rounds && !bAnswered && !cancelled; ++k) {
        bAnswered = !GetResponse(200, true, true).isEmpty();
        if (!bAnswered && !cancelled)
            Send("*IDN?\r");
    }
    if (!bAnswered)
        throw EDeviceExchange({tErrorCode(cSource, 1268)}, tr("Device don't response."), true);
    throw EDeviceExchange({tErrorCode(cSource, 1269)},
                          tr("Device don't support momental cancellation.\nPlease update firmware."), false);
}
