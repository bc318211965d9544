#pragma once

#include "core/CrashReporter.h"

#include <QList>

// Crash reports on Linux: fatal signals are caught on an alternate stack and
// a report folder is written with nothing but open()/write()/mkdir() on
// paths prepared at install time. Nothing is uploaded.
class CCrashReporterLinux : public ICrashReporter
{
public:
    CCrashReporterLinux();
    ~CCrashReporterLinux() override;

    int Install(const tCrashInstallInfo& info) override;
    int SetCrashCallback(tCrashCallback callback) override;
    int AddFile(const QString& path, const QString& name, const QString& description,
                quint32 flags) override;
    QString GetLastErrorText() const override;
    int Uninstall() override;
    int GenerateReport(bool bManual) override;
    QString GetLastReportFolder() const override { return lastReportFolder; }

private:
    struct tAttachment
    {
        QString Path;
        QString Name;
        QString Description;
        quint32 Flags;
    };

    enum eError { NoError, ErrorNotInstalled, ErrorInstalled, ErrorFolder, ErrorSignals,
                  ErrorFile };

    int Fail(eError code, const QString& text);
    QString ReportHead() const;
    QString VersionLine() const;

    bool bInstalled;
    tCrashInstallInfo install;
    QString reportFolder;
    tCrashCallback callback;
    QList<tAttachment> attachments;
    QString lastError;
    QString lastReportFolder;
    int reportCount;
};
