#include "core/LogFile.h"

#include "core/Assert.h"
#include "core/Codec.h"
#include "core/LoggedMessageBox.h"

#include <QApplication>
#include <QAtomicPointer>
#include <QTextCodec>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

QAtomicPointer<void(QtMsgType, const QMessageLogContext&, const QString&)> g_previousHandler;

QString RecordHead(const QMessageLogContext& context)
{
    QString name = QString::fromUtf8(context.file);
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    name = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return QStringLiteral("%1 %2: ").arg(name).arg(context.line);
}

QString RecordPrefix(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QString();
    case QtWarningMsg:
        return QStringLiteral("!*** Warning: ");
    case QtFatalMsg:
        return QStringLiteral("!****** FATAL: ");
    default:
        return QStringLiteral("!********* CRITICAL: ");
    }
}

} // namespace

LogFile& LogFile::Instance()
{
    // Never destroyed: messages from other objects' destructors at exit,
    // and a crash during exit, must still find the log.
    static LogFile* const log = [] {
        auto* made = new LogFile;
        // The object outlives exit, so its temporary file would too.
        std::atexit(&LogFile::RemoveDumpAtExit);
        return made;
    }();
    return *log;
}

void LogFile::RemoveDumpAtExit()
{
    // Plain unlink: at exit other statics may already be gone.
    const LogFile& log = Instance();
    if (!log.dumpName.isEmpty())
        ::unlink(log.dumpName.constData());
}

LogFile::LogFile() : buf(BufferSize, '\0'), beg(0), len(0)
{
    // Write-only from birth: nobody should have to remember to open the log.
    setOpenMode(QIODevice::WriteOnly);
}

LogFile::~LogFile() = default;

bool LogFile::isSequential() const
{
    return true;
}

qint64 LogFile::readData(char*, qint64)
{
    QV_ASSERT(0);
    return 0;
}

qint64 LogFile::writeData(const char* data, qint64 length)
{
    QMutexLocker lock(&mutex);
    const qint32 size = buf.size();
    // Of a write longer than the ring only its tail would survive anyway.
    const qint64 skipped = std::max<qint64>(0, length - size);
    const char* rest = data + skipped;
    qint32 sz = static_cast<qint32>(length - skipped);
    QV_ASSERT(sz<=buf.size());
    while (sz > 0) {
        const qint32 pos = (beg + len) % size;
        const qint32 chunk = std::min(sz, size - pos);
        std::memcpy(buf.data() + pos, rest, static_cast<size_t>(chunk));
        len += chunk;
        if (len > size) {
            beg = (pos + chunk) % size;
            len = size;
        }
        rest += chunk;
        sz -= chunk;
    }
    QV_ASSERT(beg<buf.size());
    QV_ASSERT(len<=buf.size());
    return length;
}

void LogFile::AppendRecord(const QByteArray& record)
{
    QMutexLocker lock(&mutex);
    write(record);
}

void LogFile::RawParts(const char** first, qint32* firstLength,
                       const char** second, qint32* secondLength) const noexcept
{
    // Read without the lock: a torn value is clamped instead of trusted.
    const qint32 size = buf.size();
    const qint32 start = std::min(std::max(beg, 0), size - 1);
    const qint32 held = std::min(std::max(len, 0), size);
    *first = buf.constData() + start;
    *firstLength = std::min(held, size - start);
    *second = buf.constData();
    *secondLength = held - *firstLength;
}

QString LogFile::WriteLogFile()
{
    QMutexLocker lock(&mutex);
    if (len == 0)
        return QString();
    if (!file.open()) {
        const QString error = file.errorString();
        lock.unlock();
        CLoggedMessageBox box(QMessageBox::Critical, tr("Logger error"),
                              tr("Can't create log file: %1").arg(error), QMessageBox::Ok,
                              QApplication::activeWindow(),
                              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        box.Exec();
        return QString();
    }
    const char* first = nullptr;
    const char* second = nullptr;
    qint32 firstLength = 0;
    qint32 secondLength = 0;
    RawParts(&first, &firstLength, &second, &secondLength);
    file.seek(0);
    file.write(first, firstLength);
    file.write(second, secondLength);
    file.resize(file.pos());
    file.flush();
    dumpName = QFile::encodeName(file.fileName());
    return file.fileName();
}

void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const QString record = RecordPrefix(type) + RecordHead(context) + text + QLatin1Char('\n');
    // The record goes in before the message moves on: a fatal message ends
    // the process in the previous handler.
    LogFile::Instance().AppendRecord(GetLocaleCodec()->fromUnicode(record));
    if (QtMessageHandler previous = g_previousHandler.loadAcquire())
        previous(type, context, text);
}

QtMessageHandler InstallMessageHandler()
{
    // Qt hands back its own default handler when no other was set, so the
    // previous one can always be called directly.
    QtMessageHandler previous = qInstallMessageHandler(&MessageHandler);
    if (previous != &MessageHandler)
        g_previousHandler.storeRelease(previous);
    return previous;
}
