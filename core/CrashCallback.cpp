#include "core/CrashCallback.h"

#include "core/Assert.h"
#include "core/LogFile.h"
#include "core/LoggedMessageBox.h"

#include <QDebug>
#include <QApplication>
#include <QCoreApplication>

namespace {

tCrashSenderHandle hCrashSenderProcessHandle;
bool g_bLogAttached = false;

constexpr quint32 attachFlags = 5;
constexpr int lastErrorCapacity = 256;

} // namespace

int CrashCallback(const tCrashCallbackInfo& info)
{
    if (info.Stage == tCrashCallbackInfo::StageSenderStarted) {
        hCrashSenderProcessHandle = info.Sender;
        return tCrashCallbackInfo::ResultDone;
    }
    if (info.Stage != tCrashCallbackInfo::StagePreparing)
        return tCrashCallbackInfo::ResultCallAgain;

    qDebug().noquote().nospace() << "--> Version " << QCoreApplication::applicationVersion()
                                 << " in " << QCoreApplication::applicationFilePath()
                                 << " on OS " << OsDescription();
    const QString path = LogFile::Instance().WriteLogFile();
    if (path.isEmpty())
        return tCrashCallbackInfo::ResultCallAgain;
    if (!g_bLogAttached) {
        if (info.Reporter->AddFile(path, QStringLiteral("log.txt"), QStringLiteral("Log file"),
                                   attachFlags)
            != 0) {
            const QString error = info.Reporter->GetLastErrorText().left(lastErrorCapacity - 1);
            CLoggedMessageBox box(
                QMessageBox::Critical,
                QCoreApplication::translate("CrashCallback", "Report sender error"),
                QCoreApplication::translate("CrashCallback",
                                            "Can't attach log file: %1\n"
                                            "You can try attach it manually from\n"
                                            "\"%2\"")
                    .arg(error, path),
                QMessageBox::Ok, QApplication::activeWindow(),
                Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
            box.Exec();
            return tCrashCallbackInfo::ResultCallAgain;
        }
    }
    g_bLogAttached = true;
    return tCrashCallbackInfo::ResultCallAgain;
}

void WaitForCrashSender()
{
    QV_ASSERT(hCrashSenderProcessHandle);
    while (hCrashSenderProcessHandle
           && hCrashSenderProcessHandle->Wait(100) == ICrashSender::eWait::TimedOut)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    hCrashSenderProcessHandle.reset();
}
