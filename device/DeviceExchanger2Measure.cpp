#include "device/DeviceExchanger2.h"

#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "device/ProgressData.h"

#include <QDateTime>
#include <QDebug>
#include <QElapsedTimer>

#include <optional>

namespace {

constexpr int cSource = 256;
constexpr int cMinFrame = tTraceBlockHeader::cSize + 256;
constexpr int cMaxFrame = 256000;
// How long a stopped run may take to confirm it.
constexpr qint64 cStopMs = 4000;

} // namespace

tTraceBlockHeader CDeviceExchanger2::ReadFrameHeader(float groupIndex, const QByteArray& frame)
{
    tTraceBlockHeader header;
    header.Read(groupIndex, frame);
    header.WaveLength = quint32(ReadInt16LE(frame, 8));
    header.PulseWidth = quint32(ReadInt16LE(frame, 10));
    header.FirstWord = quint32(ReadInt32LE(frame, 16));
    header.NoiseCount = quint32(ReadInt32LE(frame, 20));
    header.WordCount = 0;
    return header;
}

void CDeviceExchanger2::DoMeasure(tCommandRes& res)
{
    const bool bRealtime = params.AverageTime == -1;
    const QList<int> waveLens = params.WaveLenNm;
    const bool bSeveral = waveLens.size() > 1;
    if (waveLens.isEmpty()) {
        // Nothing to measure, also in realtime: no endless empty loop.
        qCritical("ASSERTION FAILED: %s", "params.WaveLenNm.size()>0");
        return;
    }
    QStringList missing;
    do {
        for (int i = 0; i < waveLens.size() && !cancelled; ++i) {
            const int waveLen = waveLens.at(i);
            const QString title = MeasureTitle(bRealtime, bSeveral, i, waveLen, waveLens.size());
            if (events)
                events->SetWaiting(bRealtime ? 0 : 3, true, title);
            if (!SetParamsUnlessCancelled(waveLen))
                break;

            // A run whose answer a cancel cut short may have started: it is
            // stopped with the frames below.
            const QByteArray answer = Exchange(QStringLiteral(";RMT:OTDR:RUN\r"), 200);
            if (answer != "OK\r" && !(cancelled && answer.isEmpty()))
                throw EDeviceExchange({tErrorCode(cSource, 888)}, tr("Device can't start measurenment"), false);
            // The averaging time comes from the instrument's offer: bounded
            // before it sizes the frame loop.
            const qint64 totalMs = bRealtime ? 0 : (BoundedSeconds(params.AverageTime) + 12) * 1000;
            if (events) {
                events->SetWaiting(int(qBound<qint64>(0, totalMs / 1000, INT_MAX)), false, title);
                events->ShowTrace(tFileView(new CProgressData2()));
            }
            QByteArray started = GetResponse(17000, true, true);
            // Whatever followed the first line already belongs to the frames.
            const int cr = started.indexOf('\r');
            if (cr >= 0 && cr + 1 < started.size()) {
                overData = started.mid(cr + 1);
                started.truncate(cr + 1);
            }
            if (started == "HIGH_INPUT\r")
                throw EDeviceExchange(
                    {tErrorCode(cSource, 917)},
                    tr("High input signal level was detected.\nPlease disable input signal."), false);
            if (events)
                events->EnableCancellation(true);

            bool bShown = false;
            try {
                bShown = ShowFrames(waveLen, bRealtime, totalMs);
            } catch (const EDeviceExchange&) {
                // The run is stopped already: the refused frame's error ends
                // the command once the laser choice is back.
                GiveLaserBack();
                throw;
            }
            if (cancelled || bRealtime || !bShown)
                continue;

            const auto iwl = enums.mWaveLen.constFind(waveLen);
            if (iwl == enums.mWaveLen.cend()) {
                qCritical("ASSERTION FAILED: %s", "iwl!=enums.mWaveLen.cend()");
                throw EExchangeParameters({tErrorCode(cSource, 1059)});
            }
            const QString name = QStringLiteral("TMP%1_%2.sor").arg(iwl.value()).arg(waveLen);
            const QString devicePath = QStringLiteral("0:_OTDR\\") + name;
            tReceivedFile received = LoadFile(devicePath, 10777, false);
            const QDateTime now = QDateTime::fromSecsSinceEpoch(qint64(Now()));
            const QString stamp =
                now.toString(QStringLiteral("yyMMdd_hhmm%1_")).arg(now.time().second() / 10);
            received.path.replace(name, stamp + name);
            // A file that a cancel cut short is no failure to report.
            if (!received.path.isEmpty())
                res.append(received);
            else if (!cancelled)
                missing << devicePath;
        }
    } while (bRealtime && !cancelled);

    GiveLaserBack();
    ReportMissing(missing);
}

void CDeviceExchanger2::GiveLaserBack()
{
    // Also after a cancel, and its reply must not be cut short by the cancel
    // itself.
    CReadThrough readThrough(*this, 1);
    SelectWaveLength(params.SelectedWaveLen);
}

bool CDeviceExchanger2::ShowFrames(int waveLen, bool bRealtime, qint64 totalMs)
{
    const float groupIndex = params.WaveLenGI.value(waveLen);
    const QByteArray ownWaveLen = QByteArray::number(waveLen) + '\r';
    bool bShown = false;
    bool bStopSent = false;
    QElapsedTimer stopwatch;
    stopwatch.start();
    QElapsedTimer sinceStop;
    // Once the stop is out its answer is read in spite of the user's cancel;
    // a later one (the window closing) gives it up.
    std::optional<CReadThrough> afterStop;
    // A frame refused as invalid: the run is stopped as a cancel stops it,
    // then its error ends the measurement.
    std::optional<EDeviceExchange> refused;
    for (;;) {
        if (!bRealtime && !bStopSent && stopwatch.elapsed() >= totalMs)
            break;
        if ((cancelled || refused) && !bStopSent) {
            // At once, over the rest of a frame the cancel cut or the reader
            // refused: that rest and the answer follow.
            SendOverCutBlock(";OTDR:STOP\r");
            bStopSent = true;
            sinceStop.start();
            afterStop.emplace(*this, 1);
            if (DrainCutBlock().endsWith("STOP_OK\r"))
                break;
        }
        if (bStopSent && CancelPending())
            break;
        // A realtime run has no end of its own; a stopped one has a short one.
        int msTotalWait = -1;
        if (bStopSent) {
            if (sinceStop.elapsed() >= cStopMs)
                break;
            msTotalWait = int(cStopMs - sinceStop.elapsed());
        } else if (!bRealtime) {
            msTotalWait = int(qMin<qint64>(qMax<qint64>(1500, totalMs - stopwatch.elapsed()), INT_MAX));
        }
        QByteArray frame;
        bool bFrame = false;
        try {
            bFrame = DownloadData(frame, cMinFrame, 1500, cMaxFrame, msTotalWait, true, true);
        } catch (const EDeviceExchange& e) {
            // A frame the cancel cut short is dropped; after a refused one
            // the stop goes out above, as after a cancel.
            if (!cancelled && !refused)
                refused = e;
            continue;
        }
        if (bFrame) {
            const tTraceBlockHeader header = ReadFrameHeader(groupIndex, frame);
            frame.remove(0, tTraceBlockHeader::cSize);
            const qint64 first = header.FirstWord;
            const qint64 points = header.NoiseCount;
            if (points >= first + 256 && qint64(frame.size()) == 2 * points) {
                if (events)
                    events->ShowTrace(tFileView(new CProgressData2(header, frame)));
                bShown = true;
            }
            continue;
        }
        if (frame == "STOP_OK\r")
            break;
        if (frame == ownWaveLen || (bStopSent && frame == "READY_STOP\r"))
            continue;
        // After a cancel the stop is sent at the top and awaited there.
        qWarning() << "DownloadData return " << frame.size() << " undefined bytes";
    }
    if (refused)
        throw *refused;
    return bShown;
}

void CDeviceExchanger2::ReportMissing(const QStringList& devicePaths)
{
    if (devicePaths.isEmpty())
        return;
    QStringList shown;
    for (const QString& path : devicePaths)
        shown << ShownName(path);
    throw EDeviceExchange({tErrorCode(cSource, 1075)},
                          tr("Some files could not be downloaded:\n%1").arg(shown.join(QLatin1Char('\n'))), false);
}
