#pragma once

#include <QSharedPointer>
#include <QString>
#include <QtGlobal>

class ICrashReporter;

// A running report sender; WaitForCrashSender waits on it.
class ICrashSender
{
public:
    enum class eWait { Ended, TimedOut, Failed };

    virtual ~ICrashSender() = default;
    virtual eWait Wait(int msecs) = 0;
};

using tCrashSenderHandle = QSharedPointer<ICrashSender>;

// What the reporter tells its callback while it prepares a report.
struct tCrashCallbackInfo
{
    enum { StagePreparing = 10, StageSenderStarted = 20 };
    enum { ResultDone = 1, ResultCallAgain = 2 };

    qint32 Stage;
    ICrashReporter* Reporter;  // the reporter that calls, for attaching files
    tCrashSenderHandle Sender; // set at StageSenderStarted
};

using tCrashCallback = int (*)(const tCrashCallbackInfo& info);

struct tCrashInstallInfo
{
    QString AppName;
    QString AppVersion;
    QString Subject;      // the report's title
    QString UploadUrl;    // kept for the record; reports always stay on this computer
    QString ReportFolder; // empty: the user's application data folder
    QString LanguageFile{}; // texts of the report dialog; this platform shows none
};

// Crash reporting: on a fatal signal, and on demand, a report folder is
// written holding the log as "log.txt" and the version and system.
// Operations answering int return 0 on success, else an error code whose
// text GetLastErrorText() gives.
class ICrashReporter
{
public:
    virtual ~ICrashReporter() = default;

    virtual int Install(const tCrashInstallInfo& info) = 0;
    virtual int SetCrashCallback(tCrashCallback callback) = 0;
    virtual int AddFile(const QString& path, const QString& name, const QString& description,
                        quint32 flags) = 0;
    virtual QString GetLastErrorText() const = 0;
    virtual int Uninstall() = 0;
    // A report made from normal code, e.g. at the user's request.
    virtual int GenerateReport(bool bManual) = 0;
    // The folder the last report went to; empty before the first one.
    virtual QString GetLastReportFolder() const = 0;
};

// The process-wide reporter of this platform.
ICrashReporter& GetCrashReporter();

// The running system as shown in crash reports.
QString OsDescription();
