#include "app/Startup.h"

#include "app/MainWindow.h"
#include "app/Settings.h"
#include "core/CrashCallback.h"
#include "core/CrashReporter.h"
#include "core/LogFile.h"
#include "core/LoggedMessageBox.h"
#include "core/Version.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <QLibraryInfo>

#include <memory>

namespace startup {
namespace {

const Qt::WindowFlags cBoxFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
constexpr int cLastErrorCapacity = 256;

// Shows a critical box that no later step depends on; the caller ends with -1.
void ShowFatalBox(const QString& title, const QString& text)
{
    CLoggedMessageBox box(QMessageBox::Critical, title, text, QMessageBox::NoButton, nullptr,
                          cBoxFlags);
    box.Exec();
}

} // namespace

QString LanguageName(const tVersion& version, bool bQuiet)
{
    QSettings* settings = GetSettings(1, 0);
    settings->beginGroup(QStringLiteral("Setup"));
    QString name = settings->value(QStringLiteral("LanguageName"), QStringLiteral("English"))
                       .toString();
    settings->endGroup();
    if (name.isEmpty()) {
        if (!bQuiet)
            qWarning("Settings.LanguageName is empty, English will be used");
        name = QStringLiteral("English");
    }
    if (version.IsMinorOdd())
        name = QStringLiteral("English");
    return name;
}

void SetDefaultLocale()
{
    QLocale locale(QStringLiteral("EN"));
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

int InstallCrashReporting(const QString& appName, const tVersion& version,
                          const QString& languageName)
{
    tCrashInstallInfo info;
    info.AppName = appName;
    info.AppVersion = version.ToString();
    info.Subject = QStringLiteral("Quorvane Crash Report");
    info.LanguageFile = QCoreApplication::applicationDirPath() + QLatin1Char('/') + languageName
        + QStringLiteral(".crp");

    ICrashReporter& reporter = GetCrashReporter();
    const int installed = reporter.Install(info);
    if (installed != 0) {
        qWarning().noquote() << "CrpRpt: crInstall error " + QString::number(installed);
        return installed;
    }
    return reporter.SetCrashCallback(&CrashCallback);
}

bool InstallTranslation(QTranslator& translator, const QString& languageName)
{
    const QString fileName = languageName + QStringLiteral(".qm");
    bool bLoaded = translator.load(fileName, QDir::currentPath());
    if (bLoaded)
        qDebug().noquote() << "External translation loaded: " + QDir::currentPath()
                                  + QLatin1Char('/') + fileName;
    else
        bLoaded = translator.load(fileName, QStringLiteral(":/translations"));
    if (!bLoaded)
        return false;
    if (!QCoreApplication::installTranslator(&translator)) {
        qCritical("Can't install translation");
        return false;
    }
    return true;
}

bool InstallQtTranslation(QTranslator& translator, const QString& language)
{
    if (language.isEmpty())
        return false;
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (!translator.load(QLocale(language), QStringLiteral("qt"), QStringLiteral("_"), folder))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

int Run(const QString& appName, const tVersion& version)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Veltramo"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("veltramo.example"));
    QCoreApplication::setApplicationName(appName);
    QCoreApplication::setApplicationVersion(version.ToString());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/AppIcon.ico")));
    InstallMessageHandler();

    const QString languageName = LanguageName(version);
    SetDefaultLocale();

    const int crashStatus = InstallCrashReporting(appName, version, languageName);
    if (version.bSecond && crashStatus != 0) {
        const QString error = GetCrashReporter().GetLastErrorText().left(cLastErrorCapacity);
        ShowFatalBox(QCoreApplication::translate("main", "Crash report installation"),
                     QCoreApplication::translate(
                         "main", "Can not install crash report:\n%1\nPlease reinstall program.")
                         .arg(error));
        return -1;
    }

    QTranslator translator;
    if (!InstallTranslation(translator, languageName)) {
        ShowFatalBox(appName, QCoreApplication::translate("main",
                                                          "Language resources not found or "
                                                          "corrupted\nPlease reinstall program."));
        // Leave no signal handlers behind a run that ends here.
        if (crashStatus == 0)
            GetCrashReporter().Uninstall();
        return -1;
    }

    // Qt's own texts (standard buttons, file dialogs) in the same language.
    QTranslator qtTranslator;
    if (InstallQtTranslation(qtTranslator, translator.language()))
        qDebug().noquote() << "Qt translation loaded: " + qtTranslator.filePath();

    auto window = std::make_unique<MainWindow>();
    const int result = QApplication::exec();
    if (crashStatus == 0)
        GetCrashReporter().Uninstall();
    window.reset();
    return result;
}

} // namespace startup
