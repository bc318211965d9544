#include "device/DeviceExchanger3.h"

#include "core/Exception.h"
#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/ProgressData.h"
#include "device/ReplyParsers.h"

#include <QDebug>

#include <climits>

namespace {

constexpr int cSource = 256;
constexpr int cDumpSize = 22424;
constexpr quint32 cDumpWords = 5600;
// The words a trace of 4096 samples may start at.
constexpr quint32 cLastFirstWord = cDumpWords - CProgressData::cSampleCount;

} // namespace

void CDeviceExchanger3::DoMeasure(tCommandRes& res)
{
    const bool bRealtime = params.AverageTime == -1;
    if (params.WaveLenNm.isEmpty()) {
        // Nothing to measure, also in realtime: no endless empty loop.
        qCritical("ASSERTION FAILED: %s", "params.WaveLenNm.size()>0");
        return;
    }
    const QList<int> waveLens = params.WaveLenNm;
    const tStopDialect stop{cSource, 969, 970, 50, 3500};
    do {
        for (int i = 0; i < waveLens.size(); ++i) {
            const int waveLen = waveLens.at(i);
            const QString title = MeasureTitle(bRealtime, waveLens.size() > 1, i, waveLen, enums.WaveLenNm.size());
            if (events)
                events->SetWaiting(bRealtime ? 0 : 3, true, title);
            if (!SetParamsUnlessCancelled(waveLen))
                return;
            Pause(50);
            Send(";INIT\r");
            qint64 seconds = 0;
            if (!ReadStartReply(cSource, 851, &seconds)) {
                QElapsedTimer unknown;
                unknown.start();
                StopAcquisition(stop.extraMs, unknown, true, stop);
                return;
            }

            const qint64 deadline = seconds * 1000 + stop.extraMs;
            QElapsedTimer stopwatch;
            stopwatch.start();
            if (!cancelled && events)
                events->SetWaiting(bRealtime ? 0 : int(qMin<qint64>(deadline / 1000, INT_MAX)), true, title);
            if (events)
                events->ShowTrace(tFileView(new CProgressData()));

            // Any reply while the instrument starts skips the live view.
            if (GetResponse(int(qMin<qint64>(deadline, 8000)), true, true).isEmpty())
                ShowDumps(waveLen, deadline, stopwatch);

            if (!cancelled) {
                qDebug() << "Additional waiting for any data or IDN response in " << 15 << " cycles";
                for (int j = 0; j <= 15; ++j) {
                    if (!GetResponse(200, true, true).isEmpty() || cancelled)
                        break;
                    Pause(50);
                    Send("*IDN?\r");
                }
            }
            if (cancelled) {
                StopAcquisition(deadline, stopwatch, false, stop);
                return;
            }
            if (!bRealtime) {
                Pause(50);
                res.append(ReceiveFile(0));
            }
        }
    } while (bRealtime && !cancelled);
}

void CDeviceExchanger3::ShowDumps(int waveLen, qint64 deadlineMs, const QElapsedTimer& stopwatch)
{
    while (!cancelled && stopwatch.elapsed() < deadlineMs) {
        Pause(50);
        Send(";OTDR:DUMP\r");
        const qint64 remaining = qMax<qint64>(1, deadlineMs - stopwatch.elapsed());
        try {
            if (remaining < 4100) {
                GetResponse(int(remaining), true, true);
                break;
            }
            QByteArray dump;
            if (!DownloadData(dump, cDumpSize, 4000, cDumpSize, int(qMin<qint64>(remaining, INT_MAX)), true, false)) {
                if (dump == "END\r") {
                    Pause(50);
                    break;
                }
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
            // The samples read up to a third of the noise count past their
            // last word: a dump that has no such words is not shown.
            const bool bFits = header.FirstWord > 0 && header.FirstWord < 1504 && header.NoiseCount <= 48
                && header.WordCount == cDumpWords
                && quint64(header.FirstWord) + header.NoiseCount / 3 <= cLastFirstWord;
            if (bFits) {
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
