#include "core/CrashCallback.h"
#include "core/CrashReporter.h"
#include "core/LogFile.h"
#include "core/Version.h"
#include "support/LogCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

struct tAddedFile
{
    QString Path;
    QString Name;
    QString Description;
    quint32 Flags;
};

class FakeReporter : public ICrashReporter
{
public:
    int Install(const tCrashInstallInfo&) override { return 0; }
    int SetCrashCallback(tCrashCallback) override { return 0; }
    int AddFile(const QString& path, const QString& name, const QString& description,
                quint32 flags) override
    {
        added.append({path, name, description, flags});
        return addResult;
    }
    QString GetLastErrorText() const override { return QStringLiteral("disk on fire"); }
    int Uninstall() override { return 0; }
    int GenerateReport(bool) override { return 0; }
    QString GetLastReportFolder() const override { return QString(); }

    int addResult = 0;
    QList<tAddedFile> added;
};

class FakeSender : public ICrashSender
{
public:
    explicit FakeSender(int timeouts) : timeouts(timeouts) {}
    eWait Wait(int msecs) override
    {
        waits << msecs;
        return waits.size() <= timeouts ? eWait::TimedOut : eWait::Ended;
    }

    int timeouts;
    QList<int> waits;
};

// Closes every modal message box that comes up and keeps its title and text.
class BoxCloser : public QObject
{
public:
    BoxCloser()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            shown << box->windowTitle() + "|" + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        timer.start(5);
    }

    QStringList shown;

private:
    QTimer timer;
};

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// Deep enough to overflow any stack; the handler must run on its own.
int Recurse(int depth)
{
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (depth < 0)
        return 0;
    return Recurse(depth + 1) + frame[0];
}

// The fault itself must reach the reporter; a sanitized build would report
// the null store and exit before any signal is raised.
#if defined(__clang__) || defined(__GNUC__)
__attribute__((no_sanitize("undefined")))
#endif
void WriteToNull()
{
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

const char childLine[] = "last words before the report";

// Runs in a child process: install crash reporting like start-up does, log a
// line, then crash (or make a report on request) as the mode says.
int RunChild(int argc, char** argv)
{
    // Crash without leaving core files, and overflow a bounded stack even
    // where the shell allows an unlimited one.
    ::prctl(PR_SET_DUMPABLE, 0);
    rlimit stack{};
    if (::getrlimit(RLIMIT_STACK, &stack) == 0 && stack.rlim_cur > (8u << 20)) {
        stack.rlim_cur = 8u << 20;
        ::setrlimit(RLIMIT_STACK, &stack);
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Quorvane");
    QCoreApplication::setApplicationVersion(AppVersion().ToString());
    const QByteArray mode = argv[2];
    InstallMessageHandler();
    ICrashReporter& reporter = GetCrashReporter();
    if (reporter.Install({"Quorvane", AppVersion().ToString(), "Quorvane Crash Report",
                          QString(), QString::fromLocal8Bit(argv[3])})
            != 0
        || reporter.SetCrashCallback(&CrashCallback) != 0)
        return 3;
    qDebug("%s", childLine);
    if (mode == "segv") {
        WriteToNull();
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "overflow") {
        return Recurse(0);
    } else if (mode == "fpe") {
        std::raise(SIGFPE);
    } else if (mode == "request") {
        const int result = reporter.GenerateReport(true);
        WaitForCrashSender();
        reporter.Uninstall();
        return result;
    }
    return 4;
}

} // namespace

class TestCrashReport : public QObject
{
    Q_OBJECT

private slots:
    void preparingReportAttachesLogOnce();
    void senderStartedKeepsHandleForWait();
    void otherStagesAskToBeCalledAgain_data();
    void otherStagesAskToBeCalledAgain();
    void childLeavesReportFolder_data();
    void childLeavesReportFolder();
    void reporterRefusesWrongUse();
};

// One sequence: the attached flag lives for the whole process.
void TestCrashReport::preparingReportAttachesLogOnce()
{
    FakeReporter reporter;
    BoxCloser boxes;
    LogCatcher catcher;

    // Nothing was ever logged into the ring: no dump, no attachment, no box.
    QCOMPARE(CrashCallback({10, &reporter, {}}), 2);
    QVERIFY(reporter.added.isEmpty());

    const QtMessageHandler previous = InstallMessageHandler();
    reporter.addResult = 7;
    QCOMPARE(CrashCallback({10, &reporter, {}}), 2);
    QCOMPARE(reporter.added.size(), 1);
    const tAddedFile file = reporter.added.first();
    QCOMPARE(file.Name, QString("log.txt"));
    QCOMPARE(file.Description, QString("Log file"));
    QCOMPARE(file.Flags, 5u);
    QTRY_COMPARE(boxes.shown,
                 QStringList{"Report sender error|Can't attach log file: disk on fire\n"
                             "You can try attach it manually from\n\"" + file.Path + "\""});
    QVERIFY(ReadText(file.Path).contains(" 0: --> Version 0.272 in "));

    reporter.addResult = 0;
    QCOMPARE(CrashCallback({10, &reporter, {}}), 2);
    QCOMPARE(CrashCallback({10, &reporter, {}}), 2);
    qInstallMessageHandler(previous);
    QCOMPARE(reporter.added.size(), 2);
    QCOMPARE(boxes.shown.size(), 1);
    // Each preparation dumps again: the last one holds all three version lines.
    QCOMPARE(ReadText(reporter.added.last().Path).count("--> Version"), 3);
}

void TestCrashReport::senderStartedKeepsHandleForWait()
{
    FakeReporter reporter;
    LogCatcher catcher;
    auto sender = QSharedPointer<FakeSender>::create(2);
    QCOMPARE(CrashCallback({20, &reporter, sender}), 1);
    WaitForCrashSender();
    QCOMPARE(sender->waits, (QList<int>{100, 100, 100}));
    QVERIFY(catcher.Texts(QtCriticalMsg).isEmpty());

    WaitForCrashSender();
    QCOMPARE(catcher.Texts(QtCriticalMsg),
             QStringList{"ASSERTION FAILED: hCrashSenderProcessHandle"});
    QCOMPARE(sender->waits.size(), 3);
}

void TestCrashReport::otherStagesAskToBeCalledAgain_data()
{
    QTest::addColumn<int>("stage");
    QTest::newRow("0") << 0;
    QTest::newRow("30") << 30;
    QTest::newRow("11") << 11;
}

void TestCrashReport::otherStagesAskToBeCalledAgain()
{
    QFETCH(int, stage);
    FakeReporter reporter;
    QCOMPARE(CrashCallback({stage, &reporter, {}}), 2);
    QVERIFY(reporter.added.isEmpty());
}

void TestCrashReport::childLeavesReportFolder_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("bCrash");
    QTest::addColumn<QString>("folderPrefix");
    QTest::addColumn<QString>("reportLine");
    QTest::newRow("segmentation fault") << "segv" << true << "crash-" << "Signal: 11";
    QTest::newRow("abort") << "abort" << true << "crash-" << "Signal: 6";
    QTest::newRow("stack overflow") << "overflow" << true << "crash-" << "Signal: 11";
    QTest::newRow("floating point") << "fpe" << true << "crash-" << "Signal: 8";
    QTest::newRow("on request") << "request" << false << "report-" << "Manual report";
}

void TestCrashReport::childLeavesReportFolder()
{
    QFETCH(QString, mode);
    QFETCH(bool, bCrash);
    QFETCH(QString, folderPrefix);
    QFETCH(QString, reportLine);
    QTemporaryDir reports;
    QVERIFY(reports.isValid());
    QTemporaryDir childTemp;
    QVERIFY(childTemp.isValid());

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", childTemp.path());
    // In a sanitized build the deliberate faults belong to the reporter,
    // not to the sanitizers' own handlers.
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS")
                           + ":handle_segv=0:handle_abort=0:handle_sigfpe=0:handle_sigbus=0"
                             ":handle_sigill=0:allow_user_segv_handler=1");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--child", mode, reports.path()});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), bCrash ? QProcess::CrashExit : QProcess::NormalExit);
    if (!bCrash)
        QCOMPARE(child.exitCode(), 0);

    const QStringList folders = QDir(reports.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(folders.size(), 1);
    QVERIFY2(folders.first().startsWith(folderPrefix), qPrintable(folders.first()));
    const QString folder = reports.path() + "/" + folders.first();
    const QString log = ReadText(folder + "/log.txt");
    QVERIFY2(log.contains(QString(" 0: ") + childLine + "\n"), qPrintable(log));
    QVERIFY2(log.contains("--> Version 0.272 in " + QCoreApplication::applicationFilePath()
                          + " on OS "),
             qPrintable(log));
    const QString report = ReadText(folder + "/report.txt");
    QVERIFY2(report.startsWith("Quorvane Crash Report\nApplication: Quorvane 0.272\nOS: "),
             qPrintable(report));
    QVERIFY2(report.contains(reportLine + "\n"), qPrintable(report));

    // The log's own dump is temporary: a process that ends normally takes it
    // along.
    if (!bCrash) {
        const QStringList left = QDir(childTemp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
    }
}

void TestCrashReport::reporterRefusesWrongUse()
{
    ICrashReporter& reporter = GetCrashReporter();
    QVERIFY(reporter.GenerateReport(true) != 0);
    QVERIFY(!reporter.GetLastErrorText().isEmpty());
    QVERIFY(reporter.Uninstall() != 0);

    QTemporaryDir reports;
    const tCrashInstallInfo info{"Quorvane", "0.272", "Quorvane Crash Report", QString(),
                                 reports.path() + "/deeper/still"};
    QCOMPARE(reporter.Install(info), 0);
    QVERIFY(QFileInfo(reports.path() + "/deeper/still").isDir());
    QVERIFY(reporter.Install(info) != 0);
    QVERIFY(reporter.AddFile(reports.path() + "/missing.txt", "log.txt", "Log file", 5) != 0);
    QVERIFY2(reporter.GetLastErrorText().contains("missing.txt"),
             qPrintable(reporter.GetLastErrorText()));
    QCOMPARE(reporter.Uninstall(), 0);
}

int main(int argc, char** argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(AppVersion().ToString());
    TestCrashReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashreport.moc"
