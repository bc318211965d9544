#include "core/CrashReporterLinux.h"

#include "core/LogFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Everything the signal handler touches is prepared at install time: it may
// neither allocate nor lock.
constexpr int fatalSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
constexpr int signalCount = sizeof(fatalSignals) / sizeof(fatalSignals[0]);
constexpr size_t pathCapacity = 4096;
constexpr size_t textCapacity = 4096;

struct tSignalState
{
    char Folder[pathCapacity];
    char LogPath[pathCapacity];
    char ReportPath[pathCapacity];
    char VersionLine[textCapacity];
    size_t VersionLength;
    char ReportHead[textCapacity];
    size_t ReportHeadLength;
    const LogFile* Log;
    struct sigaction Previous[signalCount];
    stack_t PreviousStack;
};

tSignalState g_state;
volatile sig_atomic_t g_bHandling = 0;
alignas(16) char g_altStack[1 << 16];

bool CopyPath(char* target, const QString& text)
{
    const QByteArray bytes = QFile::encodeName(text);
    if (static_cast<size_t>(bytes.size()) >= pathCapacity)
        return false;
    std::memcpy(target, bytes.constData(), static_cast<size_t>(bytes.size()) + 1);
    return true;
}

size_t CopyText(char* target, const QString& text)
{
    const QByteArray bytes = text.toUtf8().left(static_cast<int>(textCapacity) - 1);
    std::memcpy(target, bytes.constData(), static_cast<size_t>(bytes.size()) + 1);
    return static_cast<size_t>(bytes.size());
}

void WriteAll(int fd, const char* data, size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        length -= static_cast<size_t>(written);
    }
}

void WriteNumber(int fd, int value)
{
    char digits[16];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0)
        WriteAll(fd, "-", 1);
    while (count > 0)
        WriteAll(fd, &digits[--count], 1);
}

void WriteCrashReport(int signalNumber)
{
    ::mkdir(g_state.Folder, 0700);
    int fd = ::open(g_state.LogPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if (g_state.Log) {
            const char* first = nullptr;
            const char* second = nullptr;
            qint32 firstLength = 0;
            qint32 secondLength = 0;
            g_state.Log->RawParts(&first, &firstLength, &second, &secondLength);
            WriteAll(fd, first, static_cast<size_t>(firstLength));
            WriteAll(fd, second, static_cast<size_t>(secondLength));
        }
        WriteAll(fd, g_state.VersionLine, g_state.VersionLength);
        ::close(fd);
    }
    fd = ::open(g_state.ReportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        WriteAll(fd, g_state.ReportHead, g_state.ReportHeadLength);
        WriteAll(fd, "Signal: ", 8);
        WriteNumber(fd, signalNumber);
        WriteAll(fd, "\n", 1);
        ::close(fd);
    }
}

void OnFatalSignal(int signalNumber, siginfo_t*, void*)
{
    if (!g_bHandling) {
        g_bHandling = 1;
        WriteCrashReport(signalNumber);
    }
    // Let the signal end the process the way it would have without us; it
    // stays blocked until this handler returns.
    for (int i = 0; i < signalCount; ++i)
        if (fatalSignals[i] == signalNumber)
            ::sigaction(signalNumber, &g_state.Previous[i], nullptr);
    ::raise(signalNumber);
}

// Reports made from normal code have already finished when the callback
// hears of them: there is no sender process to wait for.
class CFinishedSender : public ICrashSender
{
public:
    eWait Wait(int) override { return eWait::Ended; }
};

QString Stamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
}

} // namespace

ICrashReporter& GetCrashReporter()
{
    static CCrashReporterLinux reporter;
    return reporter;
}

QString OsDescription()
{
    return QStringLiteral("%1 (%2 %3)")
        .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion());
}

CCrashReporterLinux::CCrashReporterLinux()
    : bInstalled(false), callback(nullptr), reportCount(0)
{
}

CCrashReporterLinux::~CCrashReporterLinux()
{
    if (bInstalled)
        Uninstall();
}

int CCrashReporterLinux::Fail(eError code, const QString& text)
{
    lastError = text;
    return code;
}

QString CCrashReporterLinux::VersionLine() const
{
    return QStringLiteral("--> Version %1 in %2 on OS %3\n")
        .arg(install.AppVersion, QCoreApplication::applicationFilePath(), OsDescription());
}

QString CCrashReporterLinux::ReportHead() const
{
    return QStringLiteral("%1\nApplication: %2 %3\nOS: %4\n")
        .arg(install.Subject, install.AppName, install.AppVersion, OsDescription());
}

int CCrashReporterLinux::Install(const tCrashInstallInfo& info)
{
    if (bInstalled)
        return Fail(ErrorInstalled, QStringLiteral("Crash reporting is already installed"));
    install = info;
    reportFolder = info.ReportFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
              + QStringLiteral("/crashreports")
        : info.ReportFolder;
    if (!QDir().mkpath(reportFolder))
        return Fail(ErrorFolder,
                    QStringLiteral("Can't create the report folder %1").arg(reportFolder));

    const QString crashFolder = QStringLiteral("%1/crash-%2-%3")
                                    .arg(reportFolder, Stamp())
                                    .arg(QCoreApplication::applicationPid());
    if (!CopyPath(g_state.Folder, crashFolder)
        || !CopyPath(g_state.LogPath, crashFolder + QStringLiteral("/log.txt"))
        || !CopyPath(g_state.ReportPath, crashFolder + QStringLiteral("/report.txt")))
        return Fail(ErrorFolder, QStringLiteral("Report folder path too long: %1").arg(crashFolder));
    g_state.VersionLength = CopyText(g_state.VersionLine, VersionLine());
    g_state.ReportHeadLength = CopyText(g_state.ReportHead, ReportHead());
    g_state.Log = &LogFile::Instance();

    stack_t stack{};
    stack.ss_sp = g_altStack;
    stack.ss_size = sizeof(g_altStack);
    if (::sigaltstack(&stack, &g_state.PreviousStack) != 0)
        return Fail(ErrorSignals, QString::fromLocal8Bit(std::strerror(errno)));

    struct sigaction action {};
    action.sa_sigaction = &OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < signalCount; ++i) {
        if (::sigaction(fatalSignals[i], &action, &g_state.Previous[i]) != 0) {
            const QString error = QString::fromLocal8Bit(std::strerror(errno));
            for (int j = 0; j < i; ++j)
                ::sigaction(fatalSignals[j], &g_state.Previous[j], nullptr);
            ::sigaltstack(&g_state.PreviousStack, nullptr);
            return Fail(ErrorSignals, error);
        }
    }
    bInstalled = true;
    return NoError;
}

int CCrashReporterLinux::SetCrashCallback(tCrashCallback newCallback)
{
    if (!bInstalled)
        return Fail(ErrorNotInstalled, QStringLiteral("Crash reporting is not installed"));
    callback = newCallback;
    return NoError;
}

int CCrashReporterLinux::AddFile(const QString& path, const QString& name,
                                 const QString& description, quint32 flags)
{
    if (!bInstalled)
        return Fail(ErrorNotInstalled, QStringLiteral("Crash reporting is not installed"));
    if (!QFile::exists(path))
        return Fail(ErrorFile, QStringLiteral("File not found: %1").arg(path));
    attachments.append({path, name, description, flags});
    return NoError;
}

QString CCrashReporterLinux::GetLastErrorText() const
{
    return lastError;
}

int CCrashReporterLinux::Uninstall()
{
    if (!bInstalled)
        return Fail(ErrorNotInstalled, QStringLiteral("Crash reporting is not installed"));
    for (int i = 0; i < signalCount; ++i)
        ::sigaction(fatalSignals[i], &g_state.Previous[i], nullptr);
    ::sigaltstack(&g_state.PreviousStack, nullptr);
    bInstalled = false;
    callback = nullptr;
    attachments.clear();
    return NoError;
}

int CCrashReporterLinux::GenerateReport(bool bManual)
{
    if (!bInstalled)
        return Fail(ErrorNotInstalled, QStringLiteral("Crash reporting is not installed"));
    const QString folder = QStringLiteral("%1/report-%2-%3-%4")
                               .arg(reportFolder, Stamp())
                               .arg(QCoreApplication::applicationPid())
                               .arg(++reportCount);
    if (!QDir().mkpath(folder))
        return Fail(ErrorFolder, QStringLiteral("Can't create the report folder %1").arg(folder));

    int next = tCrashCallbackInfo::ResultCallAgain;
    if (callback)
        next = callback({tCrashCallbackInfo::StagePreparing, this, {}});

    for (const tAttachment& attachment : qAsConst(attachments)) {
        const QString target = folder + QLatin1Char('/') + attachment.Name;
        QFile::remove(target);
        QFile::copy(attachment.Path, target);
    }
    QFile head(folder + QStringLiteral("/report.txt"));
    if (!head.open(QIODevice::WriteOnly))
        return Fail(ErrorFile, head.errorString());
    head.write((ReportHead() + (bManual ? QStringLiteral("Manual report\n")
                                        : QStringLiteral("Report on request\n")))
                   .toUtf8());
    head.close();
    lastReportFolder = folder;

    if (callback && next == tCrashCallbackInfo::ResultCallAgain)
        callback({tCrashCallbackInfo::StageSenderStarted, this,
                  tCrashSenderHandle(new CFinishedSender)});
    return NoError;
}
