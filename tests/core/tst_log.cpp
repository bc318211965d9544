#include "core/LogFile.h"
#include "core/NullDevice.h"
#include "support/LogCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>

#include <memory>
#include <thread>

namespace {

QByteArray Dump(LogFile& log)
{
    const QString path = log.WriteLogFile();
    if (path.isEmpty())
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable dump>");
    return file.readAll();
}

// A byte stream that never repeats within the ring's size at the same offset.
QByteArray StreamBytes(qint64 from, qint64 count)
{
    QByteArray bytes(static_cast<int>(count), '\0');
    for (qint64 i = 0; i < count; ++i)
        bytes[static_cast<int>(i)] = static_cast<char>('!' + (from + i) % 89);
    return bytes;
}

} // namespace

class TestLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void writesRecordByTypeAndContext_data();
    void writesRecordByTypeAndContext();
    void passesEveryMessageOnToPreviousHandler();
    void keepsLastBytesOldestFirst_data();
    void keepsLastBytesOldestFirst();
    void emptyLogGivesNoFile();
    void failedDumpShowsLoggerError();
    void concurrentLoggingLosesNothing();
    void nullDebugSwallowsText();

private:
    std::unique_ptr<LogCatcher> catcher;
    QtMessageHandler previous = nullptr;
};

void TestLog::initTestCase()
{
    catcher = std::make_unique<LogCatcher>();
    previous = InstallMessageHandler();
}

void TestLog::cleanupTestCase()
{
    qInstallMessageHandler(previous);
    catcher.reset();
}

void TestLog::writesRecordByTypeAndContext_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("debug") << int(QtDebugMsg) << QByteArray() << 0 << "a" << QByteArray(" 0: a\n");
    QTest::newRow("warning") << int(QtWarningMsg) << QByteArray() << 0 << "b"
                             << QByteArray("!*** Warning:  0: b\n");
    QTest::newRow("critical") << int(QtCriticalMsg) << QByteArray() << 0 << "c"
                              << QByteArray("!********* CRITICAL:  0: c\n");
    QTest::newRow("fatal") << int(QtFatalMsg) << QByteArray() << 0 << "f"
                           << QByteArray("!****** FATAL:  0: f\n");
    QTest::newRow("info as critical") << int(QtInfoMsg) << QByteArray() << 0 << "i"
                                      << QByteArray("!********* CRITICAL:  0: i\n");
    QTest::newRow("mixed folders") << int(QtDebugMsg) << QByteArray("x/y\\z.cpp") << 12 << "m"
                                   << QByteArray("z 12: m\n");
    QTest::newRow("no extension") << int(QtDebugMsg) << QByteArray("src\\dir/Plain") << 7 << "n"
                                  << QByteArray("Plain 7: n\n");
    QTest::newRow("last dot only") << int(QtDebugMsg) << QByteArray("/a/b.c.h") << 3 << "d"
                                   << QByteArray("b.c 3: d\n");
    QTest::newRow("8-bit codec") << int(QtDebugMsg) << QByteArray() << 0
                                 << QString::fromUtf8("Ж") << QByteArray(" 0: \xC6\n");
}

void TestLog::writesRecordByTypeAndContext()
{
    QFETCH(int, type);
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QByteArray, record);
    const QMessageLogContext context(file.isEmpty() ? nullptr : file.constData(), line,
                                     "function", "default");
    const int before = Dump(LogFile::Instance()).size();
    MessageHandler(QtMsgType(type), context, text);
    QCOMPARE(Dump(LogFile::Instance()).mid(before), record);
}

void TestLog::passesEveryMessageOnToPreviousHandler()
{
    catcher->Clear();
    qDebug("to the log");
    qWarning("warned");
    qCritical("critical one");
    QCOMPARE(catcher->Count(QtDebugMsg, "to the log"), 1);
    QCOMPARE(catcher->Count(QtWarningMsg, "warned"), 1);
    QCOMPARE(catcher->Count(QtCriticalMsg, "critical one"), 1);
    const QByteArray dump = Dump(LogFile::Instance());
    QVERIFY(dump.contains("to the log\n!*** Warning: "));
    QVERIFY(dump.endsWith("critical one\n"));
}

void TestLog::keepsLastBytesOldestFirst_data()
{
    QTest::addColumn<QList<int>>("writes");
    const int size = LogFile::BufferSize;
    QTest::newRow("under capacity") << QList<int>{10, 20};
    QTest::newRow("exactly full") << QList<int>{size};
    QTest::newRow("k past full") << QList<int>{size, 5};
    QTest::newRow("write across the end") << QList<int>{size - 10, 25};
    QTest::newRow("wrapped twice") << QList<int>{size - 3, size - 3, 40};
    QTest::newRow("single write of size") << QList<int>{7, size};
    QTest::newRow("single long write") << QList<int>{size + 7};
    QTest::newRow("huge write after others") << QList<int>{100, 3 * size + 5};
    QList<int> lines;
    for (int i = 0; i < 1000; ++i)
        lines << 150;
    QTest::newRow("many lines") << lines;
}

void TestLog::keepsLastBytesOldestFirst()
{
    QFETCH(QList<int>, writes);
    LogFile log;
    qint64 total = 0;
    for (int length : writes) {
        QCOMPARE(log.write(StreamBytes(total, length)), qint64(length));
        total += length;
    }
    const qint64 kept = qMin<qint64>(total, LogFile::BufferSize);
    const QByteArray dump = Dump(log);
    QCOMPARE(dump.size(), int(kept));
    QVERIFY(dump == StreamBytes(total - kept, kept));
}

void TestLog::emptyLogGivesNoFile()
{
    LogFile log;
    QCOMPARE(log.WriteLogFile(), QString());
}

void TestLog::failedDumpShowsLoggerError()
{
    // The dump's folder is fixed when the log is made; take it away after.
    auto tempDir = std::make_unique<QTemporaryDir>();
    QVERIFY(tempDir->isValid());
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tempDir->path()));
    LogFile log;
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
    tempDir.reset();
    log.write("something\n");

    QString shownText;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(10);
    catcher->Clear();
    QCOMPARE(log.WriteLogFile(), QString());
    QVERIFY2(shownText.startsWith("Can't create log file: "), qPrintable(shownText));
    QCOMPARE(catcher->Texts(QtDebugMsg).size(), 1);
    QVERIFY(catcher->Texts(QtDebugMsg).first().startsWith("MessageBox:\n\tLogger error\n\t"));
}

void TestLog::concurrentLoggingLosesNothing()
{
    const int perThread = 3000;
    const QByteArray before = Dump(LogFile::Instance());
    QVERIFY(before.size() + 2 * perThread * 16 < LogFile::BufferSize);
    catcher->Clear();
    auto logLines = [](char name) {
        for (int i = 0; i < perThread; ++i)
            qDebug("%c%05d", name, i);
    };
    std::thread first(logLines, 'P');
    std::thread second(logLines, 'Q');
    first.join();
    second.join();

    QCOMPARE(catcher->Entries().size(), 2 * perThread);
    const QList<QByteArray> lines = Dump(LogFile::Instance()).mid(before.size()).split('\n');
    QCOMPARE(lines.size(), 2 * perThread + 1);
    QVERIFY(lines.last().isEmpty());
    int next[2] = {0, 0};
    for (int i = 0; i < lines.size() - 1; ++i) {
        const QByteArray& line = lines[i];
        QVERIFY2(line.size() > 6, line.constData());
        const QByteArray body = line.right(6);
        const int which = body[0] == 'P' ? 0 : 1;
        QVERIFY2(body[0] == 'P' || body[0] == 'Q', line.constData());
        QCOMPARE(body.mid(1).toInt(), next[which]);
        ++next[which];
    }
    QCOMPARE(next[0], perThread);
    QCOMPARE(next[1], perThread);
}

void TestLog::nullDebugSwallowsText()
{
    catcher->Clear();
    NullDebug() << "swallowed text";
    QVERIFY(catcher->Entries().isEmpty());
    QVERIFY(!Dump(LogFile::Instance()).contains("swallowed text"));
}

QTEST_MAIN(TestLog)
#include "tst_log.moc"
