// Moments when two things happen at once, and what the user is told when the
// file system refuses.
#include "AccessChecks.h"
#include "ListFixture.h"

#include "support/LogCatcher.h"

#include <QMessageBox>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString cRemovedPlain = "%1\n\nThe file has removed outside of program.\nDo you want to remove it from file list?";
const QString cAdded = "Some files in the current folder was added.\nDo you want update file list?";

// A trace whose checksum block was cut off: it loads with a warnings box.
void WriteWithoutChecksum(const QString& folder, const QString& name)
{
    const QString path = folder + "/" + name;
    ListFixture::WriteTo(folder, name);
    bool bVersion2 = false;
    {
        int warnings = 0;
        bVersion2 = sor::CFile(path, &warnings).IsVersion2();
    }
    const QByteArray bytes = ListFixture::ReadAll(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.left(bytes.size() - (bVersion2 ? 8 : 2)));
}

bool SetMode(const QString& path, QFileDevice::Permissions permissions)
{
    return QFile::setPermissions(path, permissions);
}

const QFileDevice::Permissions cReadOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::ExeUser;
const QFileDevice::Permissions cOpenFolder = cReadOnlyFolder | QFileDevice::WriteOwner | QFileDevice::WriteUser;

// Files may grow no larger than `bytes` while the object lives.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~CFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

class TestListErrors : public QObject
{
    Q_OBJECT

private slots:
    void init() { fx.Open(); }
    void cleanup()
    {
        SetMode(fx.Folder(), cOpenFolder);
        fx.Close();
    }

    void folderReadInsideALoadBoxListsEachFileOnce();
    void closeAllClosesFilesListedWhileAsking();
    void abortedCloseAllKeepsTheFolderWatched();
    void folderThatCannotBeMadeCurrentIsRefused_data();
    void folderThatCannotBeMadeCurrentIsRefused();
    void renameRefusedByTheFileSystem();
    void failedAddCopyOffersRetry_data();
    void failedAddCopyOffersRetry();
    void shortWriteOfAReceivedFileLeavesNothing();

private:
    ListFixture fx;
};

void TestListErrors::folderReadInsideALoadBoxListsEachFileOnce()
{
    fx.Load({"x.sor"});
    fx.Write("a.sor");
    WriteWithoutChecksum(fx.Folder(), "b.sor");
    fx.Write("c.sor");

    CModalAnswerer answerer;
    answerer.Then([this](QWidget* box) {
        // x.sor goes while b.sor's warnings are shown: the watcher asks, and
        // its Yes to the new files reads the folder inside this box.
        QFile::remove(fx.Path("x.sor"));
        QTRY_VERIFY(fx.Names().contains("c.sor"));
        CModalAnswerer::FindButton(box, "Ignore")->click();
    });
    answerer.Click(QMessageBox::Yes).Click(QMessageBox::Yes).Click("Ignore");
    fx.list->UpdateFolder();

    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
    QCOMPARE(answerer.Titles(),
             QStringList({"warnings file \"b.sor\" loading found", "Working folder was updated",
                          "Working folder was updated", "warnings file \"b.sor\" loading found"}));
    QCOMPARE(answerer.Seen()[1].Text, cRemovedPlain.arg(fx.Path("x.sor")));
    QCOMPARE(answerer.Seen()[2].Text, cAdded);
}

void TestListErrors::closeAllClosesFilesListedWhileAsking()
{
    fx.Load({"a.sor"});
    fx.list->GetFile(0)->SetChanged(true);
    const QString outside = fx.Root() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    ListFixture::WriteTo(outside, "n.sor");

    CModalAnswerer answerer;
    answerer.Then([&](QWidget* dialog) {
        // A trace arrives while the user decides; the watcher lists it.
        QVERIFY(QFile::rename(outside + "/n.sor", fx.Path("n.sor")));
        QTRY_VERIFY(fx.Names().contains("n.sor"));
        CModalAnswerer::FindButton(dialog, "Close without saving")->click();
    });
    answerer.Click(QMessageBox::Yes);

    QVERIFY(fx.list->CloseFiles({}));
    QCOMPARE(answerer.Titles(), QStringList({"Saving modified files", "Working folder was updated"}));
    QCOMPARE(fx.list->GetCount(), 0);
}

void TestListErrors::abortedCloseAllKeepsTheFolderWatched()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    fx.list->GetFile(0)->SetChanged(true);
    fx.list->GetFile(1)->SetChanged(true);
    CAccessChecks checks;
    if (!checks.IsEnforced())
        QSKIP("the file system does not refuse this process");
    QVERIFY(SetMode(fx.Folder(), cReadOnlyFolder));
    CModalAnswerer answerer;
    answerer.Click("Save selected").Click("Abort");

    QVERIFY(!fx.list->CloseFiles({}));
    SetMode(fx.Folder(), cOpenFolder);
    QCOMPARE(answerer.Titles(), QStringList({"Saving modified files", "Saving file \"a.sor\" problem"}));
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
    QVERIFY(fx.list->GetFile(0)->IsChanged() && fx.list->GetFile(1)->IsChanged());

    // The list stays on its folder, and the folder and its files are watched.
    answerer.Click(QMessageBox::No).Click(QMessageBox::Yes);
    fx.Write("n.sor");
    QTRY_COMPARE(answerer.Seen().size(), 3);
    QCOMPARE(answerer.Seen()[2].Text, cAdded);
    QVERIFY(QFile::remove(fx.Path("c.sor")));
    QTRY_COMPARE(answerer.Seen().size(), 4);
    QCOMPARE(answerer.Seen()[3].Text, cRemovedPlain.arg(fx.Path("c.sor")));
    QTRY_COMPARE(fx.Names(), QStringList({"a.sor", "b.sor"}));
    fx.list->GetFile(0)->SetChanged(false);
    fx.list->GetFile(1)->SetChanged(false);
}

void TestListErrors::folderThatCannotBeMadeCurrentIsRefused_data()
{
    QTest::addColumn<bool>("bRetry");
    QTest::newRow("cancel") << false;
    QTest::newRow("retry after access is given") << true;
}

void TestListErrors::folderThatCannotBeMadeCurrentIsRefused()
{
    QFETCH(bool, bRetry);
    fx.Load({"a.sor"});
    const QString title = fx.window.windowTitle();
    const QString closed = fx.Root() + "/closed";
    QVERIFY(QDir().mkpath(closed));
    ListFixture::WriteTo(closed, "b.sor");
    const QString canonicalClosed = QDir(closed).canonicalPath();

    CAccessChecks checks;
    if (!checks.IsEnforced())
        QSKIP("the file system does not refuse this process");
    QVERIFY(SetMode(closed, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    CModalAnswerer answerer;
    if (bRetry) {
        answerer.Then([&](QWidget* box) {
            SetMode(closed, cOpenFolder);
            CModalAnswerer::FindButton(box, "Retry")->click();
        });
    } else {
        answerer.Click("Cancel");
    }
    const bool bChanged = fx.list->SetWorkingFolder(closed);
    SetMode(closed, cOpenFolder);

    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("Directory selection problem"));
    QCOMPARE(answerer.Seen()[0].Text, QString("Cannot select directory \"%1\"").arg(closed));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    QCOMPARE(answerer.Seen()[0].Buttons, QStringList({"Retry", "Cancel"}));
    QCOMPARE(bChanged, bRetry);
    if (bRetry) {
        QCOMPARE(QDir::current().canonicalPath(), canonicalClosed);
        QVERIFY(fx.window.windowTitle().endsWith(" - [" + canonicalClosed + "]"));
        QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor"}));
        return;
    }
    QCOMPARE(QDir::current().canonicalPath(), fx.Folder());
    QCOMPARE(fx.window.windowTitle(), title);
    QCOMPARE(fx.Names(), QStringList({"a.sor"}));
    // The old folder is still the one watched.
    answerer.Click(QMessageBox::No);
    fx.Write("c.sor");
    QTRY_COMPARE(answerer.Seen().size(), 2);
    QCOMPARE(answerer.Seen()[1].Text, cAdded);
}

void TestListErrors::renameRefusedByTheFileSystem()
{
    fx.Load({"a.sor"});
    const QByteArray bytes = ListFixture::ReadAll(fx.Path("a.sor"));
    CAccessChecks checks;
    if (!checks.IsEnforced())
        QSKIP("the file system does not refuse this process");
    QVERIFY(SetMode(fx.Folder(), cReadOnlyFolder));
    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Click("OK");

    QVERIFY(!fx.list->RenameFile(fx.list->GetFile(0), "b"));
    SetMode(fx.Folder(), cOpenFolder);

    QCOMPARE(answerer.Titles(), QStringList({"Renaming file \"a.sor\" problem"}));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    QVERIFY2(answerer.Seen()[0].Text.contains("Error code is 0.272-"), qPrintable(answerer.Seen()[0].Text));
    QCOMPARE(fx.list->GetFile(0)->GetFileName(), fx.Path("a.sor"));
    QCOMPARE(ListFixture::ReadAll(fx.Path("a.sor")), bytes);
    QVERIFY(!QFile::exists(fx.Path("b.sor")));
    // The entry is still watched under its own name.
    answerer.Click(QMessageBox::Yes);
    QVERIFY(QFile::remove(fx.Path("a.sor")));
    QTRY_COMPARE(fx.list->GetCount(), 0);
    QCOMPARE(answerer.Seen()[1].Text, cRemovedPlain.arg(fx.Path("a.sor")));
}

void TestListErrors::failedAddCopyOffersRetry_data()
{
    QTest::addColumn<bool>("bRetry");
    QTest::newRow("cancel") << false;
    QTest::newRow("retry after access is given") << true;
}

void TestListErrors::failedAddCopyOffersRetry()
{
    QFETCH(bool, bRetry);
    fx.Load({"a.sor"});
    const QString outside = QDir(fx.Root()).canonicalPath() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    ListFixture::WriteTo(outside, "x.sor");
    CAccessChecks checks;
    if (!checks.IsEnforced())
        QSKIP("the file system does not refuse this process");
    QVERIFY(SetMode(fx.Folder(), cReadOnlyFolder));

    CModalAnswerer answerer;
    answerer.Then(ListFixture::Choose(outside + "/x.sor"));
    if (bRetry) {
        answerer.Then([this](QWidget* box) {
            SetMode(fx.Folder(), cOpenFolder);
            CModalAnswerer::FindButton(box, "Retry")->click();
        });
    } else {
        answerer.Click("Cancel");
    }
    fx.list->OnAddFile();
    SetMode(fx.Folder(), cOpenFolder);

    QCOMPARE(answerer.Titles(), QStringList({"Add copy from", "Adding file x.sor problem"}));
    QCOMPARE(answerer.Seen()[1].Text, QString("System error on copy a file %1 to location  %2")
                                          .arg(outside + "/x.sor", fx.Path("x.sor")));
    QCOMPARE(answerer.Seen()[1].Icon, QMessageBox::Warning);
    QCOMPARE(answerer.Seen()[1].Buttons, QStringList({"Retry", "Cancel"}));
    QCOMPARE(fx.Names(), bRetry ? QStringList({"a.sor", "x.sor"}) : QStringList({"a.sor"}));
    QCOMPARE(QFile::exists(fx.Path("x.sor")), bRetry);
}

void TestListErrors::shortWriteOfAReceivedFileLeavesNothing()
{
    fx.Load({"a.sor"});
    const QString scratch = fx.Root() + "/scratch";
    QVERIFY(QDir().mkpath(scratch));
    ListFixture::WriteTo(scratch, "n.sor", 4000);
    const QByteArray received = ListFixture::ReadAll(scratch + "/n.sor");
    QVERIFY(received.size() > 8192);
    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ignore);
    {
        CFileSizeLimit limit(4096);
        fx.list->OpenFiles({tReceivedFile(fx.Path("n.sor"), received)});
    }

    QCOMPARE(answerer.Titles(), QStringList({"Loading file \"n.sor\" problem"}));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    QVERIFY2(answerer.Seen()[0].Text.endsWith("Error code is 0.272-32:775"), qPrintable(answerer.Seen()[0].Text));
    QVERIFY(!QFile::exists(fx.Path("n.sor")));
    QCOMPARE(fx.Names(), QStringList({"a.sor"}));
}

QTEST_MAIN(TestListErrors)
#include "tst_listerrors.moc"
