#include "app/Constants.h"
#include "app/MainOpt.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "core/CrashCallback.h"
#include "core/CrashReporter.h"
#include "core/LogFile.h"
#include "core/Version.h"
#include "filelist/FileList.h"
#include "graph/EventList.h"
#include "graph/GraphModel.h"
#include "resources/Resources.h"
#include "sor/File.h"
#include "support/LogCatcher.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTranslator>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

const QString cLanguageBoxText =
    QStringLiteral("Language resources not found or corrupted\nPlease reinstall program.");

// Runs start-up as main does; once its event loop runs with the window up,
// hands the window to `probe` and closes it.
int RunStartup(const tVersion& version, const std::function<void(MainWindow&)>& probe)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // The constructor's own processEvents() must not see a half-built window.
        if (QThread::currentThread()->loopLevel() != 1)
            return;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<MainWindow*>(widget);
            if (!window || !window->isVisible())
                continue;
            poll.stop();
            probe(*window);
            window->close();
            QCoreApplication::exit(window->isVisible() ? 1 : 0);
            return;
        }
    });
    poll.start(10);
    return startup::Run(QStringLiteral("Quorvane"), version);
}

bool MainWindowExists()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<MainWindow*>(widget))
            return true;
    return false;
}

QStringList MenuTitles(MainWindow& window)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    return titles;
}

void StoreLanguage(const QVariant& name)
{
    QSettings* settings = GetSettings(1, 0);
    if (name.isValid())
        settings->setValue(QStringLiteral("Setup/LanguageName"), name);
    else
        settings->remove(QStringLiteral("Setup/LanguageName"));
    settings->sync();
}

bool ReporterInstalled()
{
    return GetCrashReporter().SetCrashCallback(&CrashCallback) == 0;
}

QString LogText()
{
    const char* first = nullptr;
    const char* second = nullptr;
    qint32 firstLength = 0;
    qint32 secondLength = 0;
    LogFile::Instance().RawParts(&first, &firstLength, &second, &secondLength);
    return QString::fromLocal8Bit(QByteArray(first, firstLength) + QByteArray(second, secondLength));
}

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A process of this program (or of the child mode below) with settings,
// reports and locale of its own.
struct tChild
{
    QTemporaryDir config;
    QTemporaryDir data;
    QProcess process;

    explicit tChild(const QString& storedLanguageLine)
    {
        QDir(config.path()).mkpath(QStringLiteral("Veltramo"));
        QFile ini(config.filePath(QStringLiteral("Veltramo/Quorvane.conf")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(("[Setup]\n" + storedLanguageLine + "\n").toUtf8());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        // In a sanitized build a deliberate fault belongs to the reporter.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS"))
                       + QStringLiteral(":handle_segv=0:allow_user_segv_handler=1"));
        process.setProcessEnvironment(env);
    }

    QString ReportFolder() const { return data.filePath(QStringLiteral("Veltramo/Quorvane/crashreports")); }
    QString Config() const { return ReadText(config.filePath(QStringLiteral("Veltramo/Quorvane.conf"))); }
};

// Folders of a report kind ("crash-", "report-") in a report folder.
QStringList Reports(const QString& folder, const QString& prefix)
{
    QStringList found;
    for (const QString& name : QDir(folder).entryList({prefix + QLatin1Char('*')}, QDir::Dirs))
        found << folder + QLatin1Char('/') + name;
    return found;
}

// The child mode: start-up with exactly one argument, as a user runs it,
// printing what it sees for the parent to check.
int RunChild(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const QByteArray mode = argv[2];
    static char* args[] = {argv[0], argv[3], nullptr};
    static int count = 2;
    QApplication app(count, args);
    InitResources();
    QTextStream out(stdout);
    const int result = RunStartup(cProgramVersion, [&](MainWindow& window) {
        if (mode == "open") {
            auto* list = window.findChild<CFileList*>();
            auto* events = window.findChild<CEventList*>();
            out << "title=" << window.windowTitle() << "\n"
                << "files=" << list->count() << "\n"
                << "shown=" << list->GetGraphModel()->IsEnabled() << "\n"
                << "events=" << events->rowCount() << "\n";
            if (list->IsEnabled())
                out << "current=" << QFileInfo(list->GetCurrentFile()->GetFileName()).fileName()
                    << "\n";
        } else if (mode == "support") {
            QStringList states;
            QObject watcher;
            struct Filter : QObject
            {
                QStringList* states;
                bool eventFilter(QObject* object, QEvent* event) override
                {
                    if (event->type() == QEvent::EnabledChange)
                        *states << (static_cast<QWidget*>(object)->isEnabled() ? "on" : "off");
                    return false;
                }
            } filter;
            filter.states = &states;
            window.installEventFilter(&filter);
            CModalAnswerer answerer;
            answerer.Click(QMessageBox::Ok);
            for (QAction* action : window.findChildren<QAction*>())
                if (action->text() == QLatin1String("&Report of the issue")) {
                    action->trigger();
                    break;
                }
            window.removeEventFilter(&filter);
            out << "enabled=" << states.join(QLatin1Char(',')) << "\n"
                << "windowEnabled=" << window.isEnabled() << "\n";
            for (const CModalAnswerer::tSeen& seen : answerer.Seen())
                out << "box=" << seen.Title << "|" << seen.Text << "|" << seen.Icon << "\n";
        }
        out.flush();
    });
    out << "result=" << result << "\n";
    return result;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsInTheStoredLanguage_data();
    void startsInTheStoredLanguage();
    void qtButtonsFollowTheLanguage_data();
    void qtButtonsFollowTheLanguage();
    void oddMinorVersionForcesEnglish();
    void prefersCatalogueInCurrentFolder();
    void refusesLanguageWithoutCatalogue();
    void setsNamesLocaleAndLog();
    void failedCrashReporting_data();
    void failedCrashReporting();

    void opensFolderGivenAsOnlyArgument();
    void reportsOnRequestWithTheLog();
    void crashLeavesReportWithStartupLog();

private:
    QTemporaryDir workDir;
    QString startDir;
};

void TestStartup::init()
{
    // Start in a folder that holds no catalogue; the window moves on from there.
    startDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    StoreLanguage(QVariant());
}

void TestStartup::cleanup()
{
    QDir::setCurrent(startDir);
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}

void TestStartup::startsInTheStoredLanguage_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<bool>("bWarned");
    QTest::addColumn<QString>("manual");
    QTest::newRow("none stored") << QVariant() << "&Report" << false << "Quorvane_UM_en.pdf";
    QTest::newRow("English") << QVariant("English") << "&Report" << false << "Quorvane_UM_en.pdf";
    QTest::newRow("empty") << QVariant("") << "&Report" << true << "Quorvane_UM_en.pdf";
    QTest::newRow("Russian") << QVariant(QStringLiteral("Русский")) << QStringLiteral("&Файл")
                             << false << "Quorvane_UM_ru.pdf";
}

void TestStartup::startsInTheStoredLanguage()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, menu);
    QFETCH(bool, bWarned);
    QFETCH(QString, manual);
    StoreLanguage(stored);
    LogCatcher log;
    QStringList menus;
    QString manualPath;
    const int result = RunStartup(cProgramVersion, [&](MainWindow& window) {
        menus = MenuTitles(window);
        manualPath = CMainOpt::Instance()->GetManualPath();
    });
    QCOMPARE(result, 0);
    QVERIFY2(menus.contains(menu), qPrintable(menus.join(' ')));
    QCOMPARE(QFileInfo(manualPath).fileName(), manual);
    QCOMPARE(log.Count(QtWarningMsg, "Settings.LanguageName is empty, English will be used"),
             bWarned ? 1 : 0);
}

void TestStartup::qtButtonsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("qtCatalogue");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("English") << "English" << QString() << QStringList({"Retry", "Ignore", "Abort"});
    QTest::newRow("Russian") << QStringLiteral("Русский") << "qtbase_ru.qm"
                             << QStringList({QStringLiteral("Повторить"), QStringLiteral("Пропустить"),
                                             QStringLiteral("Прервать")});
}

void TestStartup::qtButtonsFollowTheLanguage()
{
    QFETCH(QString, stored);
    QFETCH(QString, qtCatalogue);
    QFETCH(QStringList, buttons);
    if (!qtCatalogue.isEmpty()
        && !QFile::exists(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + '/' + qtCatalogue))
        QSKIP("The system has no Qt catalogue for this language (qttranslations5-l10n)");
    StoreLanguage(stored);
    QStringList shown;
    const int result = RunStartup(cProgramVersion, [&](MainWindow& window) {
        QMessageBox box(QMessageBox::Warning, "title", "text",
                        QMessageBox::Retry | QMessageBox::Ignore | QMessageBox::Abort, &window);
        for (QMessageBox::StandardButton which : {QMessageBox::Retry, QMessageBox::Ignore, QMessageBox::Abort})
            shown << box.button(which)->text();
    });
    QCOMPARE(result, 0);
    QCOMPARE(shown, buttons);
}

void TestStartup::oddMinorVersionForcesEnglish()
{
    StoreLanguage(QStringLiteral("Русский"));
    QCOMPARE(startup::LanguageName(tVersion(0, 272, false, false)), QStringLiteral("Русский"));
    QCOMPARE(startup::LanguageName(tVersion(0, 273, false, false)), QStringLiteral("English"));
    // The group is closed again for whoever reads the settings next.
    QCOMPARE(GetSettings(1, 0)->group(), QString());
}

void TestStartup::prefersCatalogueInCurrentFolder()
{
    QVERIFY(QFile::copy(QStringLiteral(QUORVANE_EXTERNAL_QM), workDir.filePath("English.qm")));
    LogCatcher log;
    QStringList menus;
    const int result = RunStartup(cProgramVersion, [&](MainWindow& window) { menus = MenuTitles(window); });
    QFile::remove(workDir.filePath("English.qm"));
    QCOMPARE(result, 0);
    QVERIFY2(menus.contains("&Outside report"), qPrintable(menus.join(' ')));
    QCOMPARE(log.Count(QtDebugMsg, "External translation loaded: " + workDir.path() + "/English.qm"), 1);
}

void TestStartup::refusesLanguageWithoutCatalogue()
{
    StoreLanguage(QStringLiteral("Klingon"));
    bool bWindowBeforeBox = true;
    CModalAnswerer answerer;
    answerer.Then([&](QWidget* box) {
        bWindowBeforeBox = MainWindowExists();
        static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    bool bProbed = false;
    const int result = RunStartup(cProgramVersion, [&](MainWindow&) { bProbed = true; });
    QCOMPARE(result, -1);
    QVERIFY(!bProbed);
    QVERIFY(!bWindowBeforeBox);
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QStringLiteral("Quorvane"));
    QCOMPARE(answerer.Seen()[0].Text, cLanguageBoxText);
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Critical);
    QVERIFY(!ReporterInstalled());
}

void TestStartup::setsNamesLocaleAndLog()
{
    LogCatcher log;
    QString names, locale, icon;
    bool bInstalledWhileRunning = false;
    bool bParsedGrouped = true;
    const int result = RunStartup(cProgramVersion, [&](MainWindow& window) {
        names = QStringList{QCoreApplication::organizationName(), QCoreApplication::applicationName(),
                            QCoreApplication::applicationVersion()}
                    .join('|');
        icon = QApplication::windowIcon().pixmap(32).isNull() || window.windowIcon().isNull()
            ? "none" : "set";
        locale = QLocale().toString(1234567);
        QLocale().toDouble(QStringLiteral("1,234"), &bParsedGrouped);
        bInstalledWhileRunning = ReporterInstalled();
        qWarning("a message while the window runs");
    });
    QCOMPARE(result, 0);
    QCOMPARE(names, QStringLiteral("Veltramo|Quorvane|0.272"));
    QCOMPARE(icon, QStringLiteral("set"));
    QCOMPARE(locale, QStringLiteral("1234567"));
    QVERIFY(!bParsedGrouped);
    QVERIFY(bInstalledWhileRunning);
    QVERIFY(!ReporterInstalled()); // uninstalled when the loop ended
    // The log keeps the message and still hands it to the handler before it.
    QVERIFY(LogText().contains("a message while the window runs"));
    QCOMPARE(log.Count(QtWarningMsg, "a message while the window runs"), 1);
}

void TestStartup::failedCrashReporting_data()
{
    QTest::addColumn<bool>("bDebugFlag");
    QTest::newRow("release build runs on") << false;
    QTest::newRow("D build stops") << true;
}

void TestStartup::failedCrashReporting()
{
    QFETCH(bool, bDebugFlag);
    // A second install fails: the reporter is taken already.
    QTemporaryDir reports;
    QCOMPARE(GetCrashReporter().Install({"Other", "1", "Other", QString(), reports.path()}), 0);
    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    bool bProbed = false;
    const int result = RunStartup(tVersion(0, 272, false, bDebugFlag), [&](MainWindow&) { bProbed = true; });
    const bool bStillInstalled = ReporterInstalled();
    GetCrashReporter().Uninstall();

    QVERIFY(log.Texts(QtWarningMsg).join('\n').contains(QRegularExpression("^CrpRpt: crInstall error [1-9]", QRegularExpression::MultilineOption)));
    // Uninstall belongs to the run that installed.
    QVERIFY(bStillInstalled);
    if (bDebugFlag) {
        QCOMPARE(result, -1);
        QVERIFY(!bProbed);
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(answerer.Seen()[0].Title, QStringLiteral("Crash report installation"));
        QCOMPARE(answerer.Seen()[0].Text,
                 QStringLiteral("Can not install crash report:\nCrash reporting is already "
                                "installed\nPlease reinstall program."));
    } else {
        QCOMPARE(result, 0);
        QVERIFY(bProbed);
        QCOMPARE(answerer.Pending(), 1);
    }
}

void TestStartup::opensFolderGivenAsOnlyArgument()
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Трассы"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(QStringLiteral(QUORVANE_SAMPLES "/line-20km-1310nm.sor"),
                        folder + QStringLiteral("/Линия 1.sor")));
    tChild child(QStringLiteral("LanguageName=English"));
    child.process.start(QCoreApplication::applicationFilePath(), {"--child", "open", folder});
    QVERIFY(child.process.waitForFinished(60000));
    const QString out = QString::fromUtf8(child.process.readAllStandardOutput());
    QVERIFY2(out.contains("title=Quorvane 0.272 - [" + folder + "]\n"), qPrintable(out));
    QVERIFY2(out.contains("files=1\nshown=1\nevents=3\ncurrent=Линия 1.sor\n"), qPrintable(out));
    QVERIFY(out.contains("result=0"));
    QCOMPARE(child.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.process.exitCode(), 0);
}

void TestStartup::reportsOnRequestWithTheLog()
{
    tChild child(QStringLiteral("LanguageName="));
    child.process.start(QCoreApplication::applicationFilePath(),
                        {"--child", "support", QStringLiteral(QUORVANE_SAMPLES)});
    QVERIFY(child.process.waitForFinished(60000));
    const QString out = QString::fromUtf8(child.process.readAllStandardOutput());
    const QString err = QString::fromUtf8(child.process.readAllStandardError());
    QVERIFY2(out.contains("enabled=off,on\nwindowEnabled=1\n"), qPrintable(out));
    QVERIFY(out.contains("result=0"));
    QVERIFY2(child.process.exitStatus() == QProcess::NormalExit && child.process.exitCode() == 0,
             qPrintable(err));
    QVERIFY2(!err.contains("ASSERTION FAILED: hCrashSenderProcessHandle"), qPrintable(err));

    const QStringList reports = Reports(child.ReportFolder(), "report-");
    QCOMPARE(reports.size(), 1);
    // The user is told where the report went.
    QVERIFY2(out.contains("box=Report of the issue|The report of the issue was written to the folder\n" + reports[0]
                          + "|" + QString::number(QMessageBox::Information) + "\n"),
             qPrintable(out));
    QVERIFY(ReadText(reports[0] + "/report.txt").contains("Manual report"));
    const QString log = ReadText(reports[0] + "/log.txt");
    QVERIFY2(log.contains("Settings.LanguageName is empty, English will be used"), qPrintable(log));
    QVERIFY(log.contains("--> Version 0.272"));
}

void TestStartup::crashLeavesReportWithStartupLog()
{
    tChild child(QStringLiteral("LanguageName="));
    child.process.start(QStringLiteral(QUORVANE_BINARY), {QStringLiteral(QUORVANE_SAMPLES)});
    QVERIFY(child.process.waitForStarted());
    // The window stores the folder it opened: from then on it is up and running.
    QTRY_VERIFY_WITH_TIMEOUT(child.Config().contains("LastDir="), 30000);
    ::kill(pid_t(child.process.processId()), SIGSEGV);
    QVERIFY(child.process.waitForFinished(30000));
    QCOMPARE(child.process.exitStatus(), QProcess::CrashExit);

    const QStringList crashes = Reports(child.ReportFolder(), "crash-");
    QCOMPARE(crashes.size(), 1);
    const QString log = ReadText(crashes[0] + "/log.txt");
    QVERIFY2(log.contains("Settings.LanguageName is empty, English will be used"), qPrintable(log));
    QVERIFY(log.contains("--> Version 0.272"));
    QVERIFY(ReadText(crashes[0] + "/report.txt").contains("Signal: 11"));
}

int main(int argc, char** argv)
{
    // Cyrillic folder names need a UTF-8 locale; settings and reports stay
    // in folders of this run.
    qputenv("LC_ALL", "C.UTF-8");
    if (argc >= 2 && qstrcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv);

    rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    QApplication app(argc, argv);
    InitResources();
    QCoreApplication::setOrganizationName(QStringLiteral("Veltramo"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
