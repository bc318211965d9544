#include "device/DeviceExchanger.h"

#include "core/Codec.h"
#include "device/DeviceExchange.h"
#include "graph/ScopeTrace.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QTextCodec>

#include <climits>

namespace {

constexpr int cMaxLength = 9999999;
constexpr qint64 cCancelPollMs = 200;
// A cut block's rest is over once the line has been quiet this long; it may
// take this much longer than the line needs for it.
constexpr qint64 cCutTailQuietMs = 250;
constexpr qint64 cCutTailMarginMs = 1000;
// What a drain keeps of its end, for an answer that followed the rest.
constexpr int cDrainKept = 64;

// Exactly `count` decimal digits; no sign, no blanks.
bool ReadDigits(const QByteArray& text, qint64* value)
{
    qint64 v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return !text.isEmpty();
}

QString Shown(const QByteArray& bytes)
{
    QString text = GetLocaleCodec()->toUnicode(bytes);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

} // namespace

bool CDeviceExchanger::DownloadData(QByteArray& out, int minSize, int msWait, int maxSize, int msTotalWait,
                                    bool bAsResponse, bool bExactLength)
{
    CScopeTrace trace(2, "CDeviceExchanger::DownloadData");
    qDebug() << "DownloadData(minSize=" << minSize << ", msTotalWait=" << msTotalWait << ")";
    if (minSize < 1)
        qCritical("ASSERTION FAILED: %s", "minSize>0");
    if (maxSize != 0 && maxSize < minSize)
        qCritical("ASSERTION FAILED: %s", "!maxSize || maxSize>=minSize");
    out.clear();
    QElapsedTimer timer;
    timer.start();
    QByteArray acc;
    qint64 length = 0;
    int digits = 0;
    bool bPrefix = false;
    const bool bCorrection = NeedsLengthCorrection(bAsResponse, bExactLength);
    // After a cancel the block on its way gets one more of its waits, no
    // more: an instrument that drips its bytes must not hold the command. A
    // caller that reads on after a cancel (for the instrument's answer to a
    // stop) reads through it and bounds that read itself.
    QElapsedTimer sinceCancel;
    auto deadline = [&]() -> qint64 {
        qint64 left = msTotalWait < 0 ? LLONG_MAX : msTotalWait - timer.elapsed();
        if (CancelPending() && !sinceCancel.isValid())
            sinceCancel.start();
        if (sinceCancel.isValid())
            left = qMin<qint64>(left, msWait - sinceCancel.elapsed());
        return left;
    };

    for (;;) {
        if (bPrefix && acc.size() >= length + digits + 2)
            break;
        if (deadline() <= 0)
            break;
        QByteArray chunk;
        if (overData.isEmpty()) {
            // Waits in short slices, so that a cancel is seen in time.
            QElapsedTimer quiet;
            quiet.start();
            for (;;) {
                const qint64 wait = qMin<qint64>(deadline(), msWait - quiet.elapsed());
                if (wait <= 0)
                    break;
                chunk = GetResponse(int(qMin<qint64>(wait, cCancelPollMs)), false, false);
                if (!chunk.isEmpty())
                    break;
            }
        } else {
            qDebug() << "DownloadData(): overData used";
            chunk = overData;
            overData.clear();
        }
        if (chunk.isEmpty())
            break;
        acc += chunk;
        if (bPrefix)
            continue;
        if (acc.at(0) != '#') {
            if (bAsResponse) {
                out = acc;
                qDebug() << "DownloadData() work as GetResponse() and return " << out.size() << " bytes in "
                         << timer.elapsed() << " ms";
                return false;
            }
            break;
        }
        if (acc.size() < 2)
            continue;
        const char n = acc.at(1);
        if (n < '1' || n > '7')
            break;
        digits = n - '0';
        if (acc.size() < digits + 2)
            continue;
        if (!ReadDigits(acc.mid(2, digits), &length)) {
            digits = 0;
            break;
        }
        if (bCorrection)
            length -= digits + 3;
        bPrefix = true;
        if (length < minSize || (maxSize != 0 && length > maxSize) || length > cMaxLength)
            break;
    }

    const bool bValidLength =
        bPrefix && length >= minSize && (maxSize == 0 || length <= maxSize) && length <= cMaxLength;
    // A length the reader refuses is believed no further than the largest
    // block it takes: the next command must not wait for a length made up.
    const qint64 largest = maxSize != 0 ? qMin<qint64>(maxSize, cMaxLength) : cMaxLength;
    const qint64 owedTotal = qMin(length, largest) + digits + 2;
    if (bPrefix && acc.size() < owedTotal)
        NoteCutBlock(owedTotal - acc.size());
    else if (!bPrefix && !acc.isEmpty())
        NoteCutBlock(qMax(minSize, maxSize));
    if (bPrefix) {
        const qint64 total = length + digits + 2;
        // Bytes after a block whose length is not believable are no next block.
        if (bValidLength && total < acc.size()) {
            overData = acc.mid(int(total));
            qDebug() << "DownloadData(): get overData " << overData.size() << " bytes is : ["
                     << Shown(overData) << "]";
        }
        acc = acc.mid(digits + 2, int(qBound<qint64>(0, length, cMaxLength)));
    } else {
        // Without a length prefix the bytes are unusable, also for the next call.
        acc.clear();
    }

    if (bAsResponse && acc.isEmpty())
        return false;
    if (bValidLength && acc.size() == length) {
        out = acc;
        qDebug() << "DownloadData() return " << out.size() << " bytes in " << timer.elapsed() << " ms";
        return true;
    }
    qWarning() << "DownloadData(): downloaded " << acc.size() << ", declared " << length << ", minimum "
               << minSize << ", maximum " << maxSize << " bytes";
    throw EDeviceExchange({tErrorCode(16, 1495)}, tr("Downloaded data invalid."), false);
}

void CDeviceExchanger::NoteCutBlock(qint64 bytes)
{
    qDebug() << "Block cut short; about" << bytes << "bytes may follow";
    cutBlock.bPending = true;
    cutBlock.since.start();
    cutBlock.limitMs = LineMs(qBound<qint64>(0, bytes, cMaxLength)) + cCutTailMarginMs;
    cutBlock.cancels = cancels;
}

QByteArray CDeviceExchanger::DrainCutBlock()
{
    if (!cutBlock.bPending)
        return QByteArray();
    cutBlock.bPending = false;
    // The cancel that cut the block does not end the drain; closing the
    // window after it does.
    CReadThrough scope(*this, cutBlock.cancels);
    // Drained late, it still waits for one quiet moment.
    const qint64 limitMs = qMax(cutBlock.limitMs, cutBlock.since.elapsed() + cCutTailQuietMs);
    return DrainUntilQuiet(cCutTailQuietMs, cutBlock.since, limitMs);
}

QByteArray CDeviceExchanger::DrainUntilQuiet(qint64 quietMs, const QElapsedTimer& since, qint64 limitMs)
{
    QByteArray last;
    qint64 drained = 0;
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < quietMs && since.elapsed() < limitMs && !CancelPending()) {
        if (connector && connector->HasData()) {
            const QByteArray bytes = connector->Receive();
            drained += bytes.size();
            last = (last + bytes).right(cDrainKept);
            quiet.restart();
        } else {
            msleep(5);
        }
    }
    overData.clear();
    qDebug() << "Drained" << drained << "bytes";
    return last;
}
