#include "device/DeviceExchanger.h"

#include "core/Exception.h"
#include "device/DeviceEvents.h"
#include "device/DeviceExchange.h"
#include "sor/File.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

constexpr int cSource = 16;
// The longest dump block of the protocols that read stored files this way:
// "#522424" and its bytes.
constexpr qint64 cLargestDump = 7 + 22424;

// "yyMMdd_hhmm" and the tens digit of the seconds, then "(k)" until the name
// is free in the current directory.
QString FreeName(const QDateTime& stamp)
{
    const QString base = stamp.toString(QStringLiteral("yyMMdd_hhmm")) + QString::number(stamp.time().second() / 10);
    const QDir folder = QDir::current();
    QString name = base + QStringLiteral(".sor");
    for (int k = 1; QFileInfo::exists(folder.filePath(name)); ++k)
        name = base + QStringLiteral("(%1).sor").arg(k);
    return folder.absoluteFilePath(name);
}

} // namespace

void CDeviceExchanger::DoLoadAll(tCommandRes& res)
{
    if (events)
        events->SetWaiting(0, true, QString());
    Send(";SYST:MODE 3\r");
    GetResponse(200, true, true);
    Send(";MMEM:FREE?\r");
    const QStringList parts = QString::fromLatin1(GetResponse(200, true, true)).split(QLatin1Char(','));
    if (parts.size() != 2)
        throw EDeviceExchange({tErrorCode(cSource, 1518)}, tr("Number of files is incorrect."), true);
    const int count = parts.at(0).toInt(nullptr, 10);
    if (count < 1)
        throw EDeviceExchange({tErrorCode(cSource, 1522)}, tr("Device is empty"), false);
    Send(";SYST:MODE 3\r");
    GetResponse(200, true, true);
    for (int i = 1; i <= count; ++i) {
        if (events)
            events->SetProgress(i - 1, count, true);
        tReceivedFile file = ReceiveFile(i);
        // A file cut short by the cancel comes back empty: it is no result.
        if (cancelled)
            return;
        res.append(file);
    }
    if (events)
        events->SetProgress(count, count, false);
}

void CDeviceExchanger::DoClearMemory()
{
    Send(";MMEM:INIT\r");
    GetResponse(200, true, true);
}

bool CDeviceExchanger::DrainLine()
{
    // The tail of a dump read as text may still be on the line; a file
    // download must start on its own "#". At 57600 baud a dump takes longer
    // than the usual two seconds.
    const qint64 limit = qMax<qint64>(2000, LineMs(cLargestDump) + 500);
    QElapsedTimer total;
    total.start();
    DrainUntilQuiet(150, total, limit);
    return !cancelled;
}

qint64 CDeviceExchanger::LineMs(qint64 bytes) const
{
    // Ten bits a byte; an unknown rate counts as the slowest one in use.
    const qint64 rate = lineRate > 0 ? lineRate : 57600;
    return (bytes * 10 * 1000 + rate - 1) / rate;
}

tReceivedFile CDeviceExchanger::ReceiveFile(int fileNumber)
{
    if (!DrainLine())
        return tReceivedFile();
    Send(QStringLiteral(";MMEM:LOAD:FILE? %1\r").arg(fileNumber).toLatin1());
    QByteArray bytes;
    try {
        DownloadData(bytes, 1000, 3000, 0, -1, false, false);
    } catch (const EDeviceExchange&) {
        // A download that a cancel cut short is dropped like a whole one.
        if (!cancelled)
            throw;
    }
    if (events)
        events->EnableCancellation(false);
    if (cancelled)
        return tReceivedFile();

    QDateTime stamp;
    {
        QTemporaryFile temporary;
        if (!temporary.open())
            throw EDeviceExchange(
                {tErrorCode(cSource, 1576)},
                tr("Cannot create temporary file.\nCheck empty space for %1 bytes on system disk.").arg(bytes.size()),
                false);
        if (temporary.write(bytes) != bytes.size() || !temporary.flush())
            throw EDeviceExchange({tErrorCode(cSource, 1580)},
                                  tr("Cannot write temporary file:\n%1").arg(temporary.errorString()), false);
        try {
            int warnings = 0;
            sor::CFile trace(temporary.fileName(), &warnings);
            stamp = trace.GetFixedParameters()->DateTime;
        } catch (const Exception&) {
            stamp = QDateTime();
        }
    }
    if (!stamp.isValid())
        stamp = QDateTime::currentDateTime();
    return tReceivedFile(FreeName(stamp), bytes);
}

tReceivedFile CDeviceExchanger::LoadFile(const QString&, int, bool)
{
    return tReceivedFile();
}
