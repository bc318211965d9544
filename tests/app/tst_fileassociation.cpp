#include "app/Constants.h"
#include "app/MainOpt.h"
#include "app/Registry.h"
#include "app/SystemError.h"
#include "support/LogCatcher.h"
#include "support/Throws.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>

namespace {

const QString cDesktopName = QStringLiteral("Quorvane0_272.sor.1.desktop");
const QString cPackageName = QStringLiteral("Quorvane0_272.sor.1.xml");

QByteArray PackageClaimingSor(const QString& type)
{
    return QString("<?xml version=\"1.0\"?>\n"
                   "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                   "  <mime-type type=\"%1\"><glob pattern=\"*.sor\"/></mime-type>\n"
                   "</mime-info>\n")
        .arg(type)
        .toUtf8();
}

} // namespace

class TestFileAssociation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void registersForSorFiles();
    void unregisters_data();
    void unregisters();
    void checksAssociation_data();
    void checksAssociation();
    void raisesSystemErrorsWithTheirTrails();
    void mapsErrnoToSystemErrors_data();
    void mapsErrnoToSystemErrors();
    void readsValuesAsStored();
    void toleratesMissingDesktopTools();
    void writesThroughLinksKeepingModes();
    void leavesDesktopToolsRunning();

private:
    QString Data(const QString& tail = QString()) const { return root.filePath("data") + tail; }
    QString Config(const QString& tail = QString()) const { return root.filePath("config") + tail; }
    QString System(const QString& tail = QString()) const { return root.filePath("system") + tail; }
    QString Applications() const { return Data("/applications/"); }
    QString Packages() const { return Data("/mime/packages/"); }
    QString MimeApps() const { return Config("/mimeapps.list"); }
    QString Exec() const { return "\"" + QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath() + "\" %f"; }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void WriteDesktopEntry(const QString& folder, const QString& exec)
    {
        Write(folder + cDesktopName, "[Desktop Entry]\nType=Application\nName=Quorvane\nExec=" + exec.toUtf8() + "\n");
    }

    QTemporaryDir base;
    QTemporaryDir root;
    QByteArray path;
};

void TestFileAssociation::initTestCase()
{
    QVERIFY(base.isValid());
    path = qgetenv("PATH");
    QPixmap icon(32, 32);
    icon.fill(Qt::darkCyan);
    QGuiApplication::setWindowIcon(QIcon(icon));
}

void TestFileAssociation::init()
{
    root.~QTemporaryDir();
    new (&root) QTemporaryDir(base.filePath("caseXXXXXX"));
    QVERIFY(root.isValid());
    qputenv("XDG_DATA_HOME", Data().toUtf8());
    qputenv("XDG_CONFIG_HOME", Config().toUtf8());
    qputenv("XDG_DATA_DIRS", System().toUtf8());
    // The desktop tools the association starts are left running: real ones
    // would still be writing into the case's folder when it goes.
    qputenv("PATH", root.filePath("no-tools").toUtf8());
}

void TestFileAssociation::cleanup()
{
    qputenv("PATH", path);
}

void TestFileAssociation::registersForSorFiles()
{
    LogCatcher log;
    QCOMPARE(CMainOpt::IsFileAssociated(), false);
    // Nothing registered and nothing chosen: undoing is done, not an error.
    CMainOpt::SetFileAssociation(false);

    CMainOpt::SetFileAssociation(true);
    const QString icon = Applications() + "Quorvane0_272.sor.1.png";
    QCOMPARE(QString::fromUtf8(Read(Applications() + cDesktopName)),
             "[Desktop Entry]\nType=Application\nName=Quorvane\nMimeType=application/x-sor;\nNoDisplay=true\n"
             "Exec=" + Exec() + "\nIcon=" + icon + "\n");
    QCOMPARE(QImage(icon).size(), QSize(32, 32));
    const QByteArray package = Read(Packages() + cPackageName);
    QVERIFY(package.contains("<mime-type type=\"application/x-sor\">"));
    QVERIFY(package.contains("<glob pattern=\"*.sor\"/>"));
    QCOMPARE(Read(MimeApps()), QByteArray("[Added Associations]\napplication/x-sor=Quorvane0_272.sor.1.desktop;\n"));
    QCOMPARE(CMainOpt::IsFileAssociated(), true);

    const QStringList ours{Applications() + cDesktopName, icon, Packages() + cPackageName, MimeApps()};
    QList<QByteArray> first;
    for (const QString& path : ours)
        first << Read(path);
    CMainOpt::SetFileAssociation(true);
    for (int i = 0; i < ours.size(); ++i)
        QCOMPARE(Read(ours[i]), first[i]);
    QCOMPARE(CMainOpt::IsFileAssociated(), true);
}

void TestFileAssociation::unregisters_data()
{
    QTest::addColumn<QByteArray>("defaults");
    QTest::addColumn<bool>("bOtherTypeNewer");
    QTest::addColumn<QByteArray>("remainingDefaults");
    QTest::newRow("program chosen") << QByteArray("text/plain=editor.desktop\napplication/x-sor=" + cDesktopName.toUtf8() + ";\n")
                                    << false << QByteArray("text/plain=editor.desktop\n");
    QTest::newRow("other program chosen") << QByteArray("application/x-sor=viewer.desktop;\n") << false
                                          << QByteArray("application/x-sor=viewer.desktop;\n");
    QTest::newRow("nothing chosen") << QByteArray() << false << QByteArray();
    QTest::newRow("other type registered later") << QByteArray() << true << QByteArray();
}

void TestFileAssociation::unregisters()
{
    LogCatcher log;
    QFETCH(QByteArray, defaults);
    QFETCH(bool, bOtherTypeNewer);
    QFETCH(QByteArray, remainingDefaults);
    CMainOpt::SetFileAssociation(true);
    const QByteArray added = "[Added Associations]\napplication/x-sor=" + cDesktopName.toUtf8() + ";\n";
    if (!defaults.isEmpty())
        Write(MimeApps(), "# kept\n[Default Applications]\n" + defaults + "\n" + added);
    if (bOtherTypeNewer) {
        QTest::qWait(20);
        Write(Packages() + "Other.xml", PackageClaimingSor("application/x-other"));
    }
    const QByteArray entry = Read(Applications() + cDesktopName);

    CMainOpt::SetFileAssociation(false);
    QCOMPARE(QFile::exists(Packages() + cPackageName), bOtherTypeNewer);
    QCOMPARE(QFile::exists(Packages() + "Other.xml"), bOtherTypeNewer);
    QCOMPARE(Read(Applications() + cDesktopName), entry);
    if (defaults.isEmpty())
        QCOMPARE(Read(MimeApps()), added);
    else
        QCOMPARE(Read(MimeApps()), "# kept\n[Default Applications]\n" + remainingDefaults + "\n" + added);
    QCOMPARE(CMainOpt::IsFileAssociated(), false);

    // What is left rebuilds into a glob list that no longer hands ".sor"
    // files to the program's type. The program leaves the tool running, so
    // the test runs it itself.
    const QString tool =
        QStandardPaths::findExecutable("update-mime-database", QString::fromLocal8Bit(path).split(QLatin1Char(':')));
    if (!tool.isEmpty()) {
        QCOMPARE(QProcess::execute(tool, {Data("/mime")}), 0);
        QCOMPARE(Read(Data("/mime/globs2")).contains("application/x-sor:*.sor"), bOtherTypeNewer);
    }
}

void TestFileAssociation::checksAssociation_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("defaultApp");
    QTest::addColumn<QString>("entryFolder");
    QTest::addColumn<QString>("exec");
    QTest::addColumn<bool>("bAssociated");
    const QString user = "user";
    QTest::newRow("other type, nothing chosen") << "Other" << "" << user << "prog %f" << false;
    QTest::newRow("other type, program chosen") << "Other" << cDesktopName << user << "prog %f" << true;
    QTest::newRow("other type, other chosen") << "Other" << "viewer.desktop" << user << "prog %f" << false;
    QTest::newRow("own type") << "Quorvane0_272.sor.1" << "" << user << "prog %f" << true;
    QTest::newRow("own type, any command") << "Quorvane0_272.sor.1" << "" << user << "/elsewhere" << true;
    QTest::newRow("own type, entry in system folder") << "Quorvane0_272.sor.1" << "" << "system" << "prog" << true;
    QTest::newRow("own type, no desktop entry") << "Quorvane0_272.sor.1" << "" << "" << "" << false;
    QTest::newRow("own type, empty command") << "Quorvane0_272.sor.1" << "" << user << "" << false;
    QTest::newRow("type differs in case") << "quorvane0_272.sor.1" << "" << user << "prog" << false;
    QTest::newRow("choice differs in case") << "Other" << "quorvane0_272.sor.1.desktop" << user << "prog" << false;
    QTest::newRow("no type at all") << "" << cDesktopName << user << "prog" << false;
}

void TestFileAssociation::checksAssociation()
{
    LogCatcher log;
    QFETCH(QString, package);
    QFETCH(QString, defaultApp);
    QFETCH(QString, entryFolder);
    QFETCH(QString, exec);
    QFETCH(bool, bAssociated);
    if (!package.isEmpty())
        Write(Packages() + package + ".xml", PackageClaimingSor("application/x-sor"));
    if (!defaultApp.isEmpty())
        Write(MimeApps(), "[Default Applications]\napplication/x-sor=" + defaultApp.toUtf8() + ";\n");
    if (entryFolder == "user")
        WriteDesktopEntry(Applications(), exec);
    else if (entryFolder == "system")
        WriteDesktopEntry(System("/applications/"), exec);
    QCOMPARE(CMainOpt::IsFileAssociated(), bAssociated);
}

void TestFileAssociation::raisesSystemErrorsWithTheirTrails()
{
    LogCatcher log;
    Write(root.filePath("file"), "not a folder");
    qputenv("XDG_DATA_HOME", root.filePath("file/data").toUtf8());
    QString text = DescribeThrown<ESystemError>([] { CMainOpt::SetFileAssociation(true); },
                                                [](const Exception& e) { return e.GetText(); });
    QCOMPARE(text, QString("System error #20\n\nError code is 0.272-128:454-128:563"));
    QCOMPARE(ThrownCode<ESystemError>([] { CMainOpt::IsFileAssociated(); }), QString("0.272-128:459-128:520"));

    // A real failure to read the user's choice is reported, not taken for "none chosen".
    init();
    Write(Packages() + "Other.xml", PackageClaimingSor("application/x-sor"));
    WriteDesktopEntry(Applications(), "prog");
    qputenv("XDG_CONFIG_HOME", root.filePath("file/config").toUtf8());
    Write(root.filePath("file"), "not a folder");
    QCOMPARE(ThrownCode<ESystemError>([] { CMainOpt::IsFileAssociated(); }),
             QString("0.272-128:459-128:502-128:543"));
    QCOMPARE(ThrownCode<ESystemError>([] { CMainOpt::SetFileAssociation(false); }),
             QString("0.272-128:459-128:502-128:598"));
}

void TestFileAssociation::mapsErrnoToSystemErrors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("code");
    QTest::newRow("ENOENT") << ENOENT << 2;
    QTest::newRow("EACCES") << EACCES << 5;
    QTest::newRow("EPERM") << EPERM << 5;
    QTest::newRow("EROFS") << EROFS << 5;
    QTest::newRow("ENOTDIR") << ENOTDIR << 20;
    QTest::newRow("ENOSPC") << ENOSPC << ENOSPC;
}

void TestFileAssociation::mapsErrnoToSystemErrors()
{
    QFETCH(int, error);
    QFETCH(int, code);
    QCOMPARE(SystemErrorFromErrno(error), code);
    LogCatcher log;
    const ESystemError e({tErrorCode(128, 466)}, code);
    QCOMPARE(e.GetCode(), code);
    QCOMPARE(e.GetDescription(), QString("System error #%1").arg(code));
}

void TestFileAssociation::readsValuesAsStored()
{
    LogCatcher log;
    Write(MimeApps(), "[Default Applications]\n");
    CRegistryKey choice;
    OpenRegistryKey(choice, tRegistryRoot::CurrentUser,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.sor\\UserChoice", false);
    QCOMPARE(ThrownCode<ESystemError>([&] { QueryRegistryString(choice, "Progid"); }), QString("0.272-128:466"));
    QCOMPARE(DescribeThrown<ESystemError>([&] { QueryRegistryString(choice, "Progid"); },
                                          [](const Exception& e) {
                                              return QString::number(static_cast<const ESystemError&>(e).GetCode());
                                          }),
             QString("2"));

    WriteDesktopEntry(Applications(), "");
    CRegistryKey command;
    OpenRegistryKey(command, tRegistryRoot::ClassesRoot, cProgId + "\\shell\\open\\command", false);
    QCOMPARE(QueryRegistryString(command, QString()), QString(""));
    QVERIFY(!QueryRegistryString(command, QString()).isNull());

    // Text that the desktop entry format would otherwise misread comes back unchanged.
    CRegistryKey created;
    CreateRegistryKey(created, tRegistryRoot::CurrentUser, "Software\\Classes\\" + cProgId + "\\shell\\open\\command");
    const QString odd = "a\\b\nc\td =e";
    SetRegistryString(created, QString(), odd);
    QCOMPARE(QueryRegistryString(command, QString()), odd);
}

void TestFileAssociation::toleratesMissingDesktopTools()
{
    LogCatcher log;
    CMainOpt::SetFileAssociation(true);
    CMainOpt::SetFileAssociation(false);
    QVERIFY(!QFile::exists(Data("/mime/globs2")));
    QVERIFY(QFile::exists(Applications() + cDesktopName));
}

namespace {

int Mode(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

} // namespace

void TestFileAssociation::writesThroughLinksKeepingModes()
{
    LogCatcher log;
    // A dot-file manager's link, relative to the folder that holds it.
    const QString kept = root.filePath("dotfiles/mimeapps.list");
    Write(kept, "# mine\n");
    QVERIFY(QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(QDir().mkpath(Config()));
    QVERIFY(QFile::link("../dotfiles/mimeapps.list", MimeApps()));

    CMainOpt::SetFileAssociation(true);
    QVERIFY(QFileInfo(MimeApps()).isSymLink());
    QCOMPARE(QFileInfo(MimeApps()).symLinkTarget(), kept);
    QVERIFY(Read(kept).startsWith("# mine\n"));
    QVERIFY(Read(kept).contains("application/x-sor=" + cDesktopName.toUtf8() + ";"));
    QCOMPARE(Mode(kept), 0600);
    QCOMPARE(CMainOpt::IsFileAssociated(), true);
    // Files the association creates get the usual mode.
    QCOMPARE(Mode(Applications() + cDesktopName), 0644);

    // Undoing the user's choice rewrites the list as well.
    Write(kept, Read(kept) + "[Default Applications]\napplication/x-sor=" + cDesktopName.toUtf8() + ";\n");
    CMainOpt::SetFileAssociation(false);
    QVERIFY(QFileInfo(MimeApps()).isSymLink());
    QVERIFY(!Read(kept).contains("[Default Applications]\napplication/x-sor"));
    QCOMPARE(Mode(kept), 0600);
}

void TestFileAssociation::leavesDesktopToolsRunning()
{
    LogCatcher log;
    // Tools that finish only when told to: waiting for them would hold the
    // call until they gave up on their own.
    const QString tools = root.filePath("tools");
    QVERIFY(QDir().mkpath(tools));
    for (const QString& tool : {QString("update-mime-database"), QString("update-desktop-database")}) {
        Write(tools + "/" + tool, QString("#!/bin/sh\ni=0\nwhile [ ! -e '%1/go' ] && [ $i -lt 300 ]; do sleep 0.1; "
                                          "i=$((i+1)); done\necho \"$1\" > '%1/%2.done'\n")
                                      .arg(tools, tool)
                                      .toUtf8());
        QVERIFY(QFile::setPermissions(tools + "/" + tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                              | QFileDevice::ExeOwner));
    }
    // The tools' own commands come from the system's folders.
    qputenv("PATH", (tools + ":" + path).toUtf8());
    CMainOpt::SetFileAssociation(true);

    QVERIFY(!QFile::exists(tools + "/update-mime-database.done"));
    QVERIFY(!QFile::exists(tools + "/update-desktop-database.done"));
    Write(tools + "/go", "");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(tools + "/update-mime-database.done"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(tools + "/update-desktop-database.done"), 15000);
    QCOMPARE(Read(tools + "/update-mime-database.done"), (Data("/mime") + "\n").toUtf8());
    QCOMPARE(Read(tools + "/update-desktop-database.done"), (Applications().chopped(1) + "\n").toUtf8());
}

QTEST_MAIN(TestFileAssociation)
#include "tst_fileassociation.moc"
