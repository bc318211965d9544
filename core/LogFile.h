#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QRecursiveMutex>
#include <QTemporaryFile>
#include <QtGlobal>

// The in-memory log: the most recent 102,400 bytes of every Qt message, kept
// for crash reports. Messages arrive from the GUI thread and the instrument
// thread, so the ring and the dump are guarded.
class LogFile : public QIODevice
{
    Q_OBJECT

public:
    static constexpr qint32 BufferSize = 102400;

    static LogFile& Instance();

    // Tests make their own rings; the program uses Instance() only.
    LogFile();
    ~LogFile() override;

    bool isSequential() const override;

    // Dumps the log, oldest byte first, into a temporary file and returns its
    // path; empty when the log is empty or the file cannot be made.
    QString WriteLogFile();

    // The held text as at most two pieces, oldest first. Takes no lock and
    // allocates nothing, so a fatal-signal handler may call it.
    void RawParts(const char** first, qint32* firstLength,
                  const char** second, qint32* secondLength) const noexcept;

    // Appends one finished record as a whole, so records from several threads
    // never interleave.
    void AppendRecord(const QByteArray& record);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 length) override;

private:
    static void RemoveDumpAtExit();

    QByteArray buf;
    qint32 beg;
    qint32 len;
    QTemporaryFile file;
    QByteArray dumpName; // the dump's path, encoded once for the exit handler
    mutable QRecursiveMutex mutex;
};

// The Qt message handler: writes a record into the log, then hands the
// message to the handler that was installed before it.
void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text);

// Installs MessageHandler and remembers the previous handler; returns it.
QtMessageHandler InstallMessageHandler();
