#include "device/DeviceExchanger.h"

#include "core/Codec.h"
#include "device/DeviceExchange.h"
#include "graph/ScopeTrace.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QTextCodec>

namespace {

constexpr int cMaxLength = 9999999;

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

    for (;;) {
        if (bPrefix && acc.size() >= length + digits + 2)
            break;
        if (msTotalWait >= 0 && timer.elapsed() >= msTotalWait)
            break;
        QByteArray chunk;
        if (overData.isEmpty()) {
            const int wait = msTotalWait < 0
                ? msWait
                : int(qMin<qint64>(qMax<qint64>(0, msTotalWait - timer.elapsed()), msWait));
            chunk = GetResponse(wait, false, false);
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
