// Closing the window with traces whose saves replace them on disk.
#include "support/LogCatcher.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include "app/MainWindow.h"
#include "app/Settings.h"
#include "filelist/FileList.h"
#include "resources/Resources.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestWindowClose : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void savingOnCloseAsksNothingAfterwards_data();
    void savingOnCloseAsksNothingAfterwards();

private:
    QTemporaryDir dir;
    QString startDir;
};

void TestWindowClose::initTestCase()
{
    QVERIFY(dir.isValid());
    qputenv("HOME", dir.filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath("home/.config").toUtf8());
    QDir().mkpath(dir.filePath("home/Documents"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("user"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath("system"));
    QCoreApplication::setOrganizationName("TestOrganisation");
    QCoreApplication::setApplicationName("Quorvane");
    InitResources();
    startDir = QDir::currentPath();
}

void TestWindowClose::cleanup()
{
    QDir::setCurrent(startDir);
}

void TestWindowClose::savingOnCloseAsksNothingAfterwards_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("save selected") << QString("Save selected");
    QTest::newRow("close without saving") << QString("Close without saving");
}

void TestWindowClose::savingOnCloseAsksNothingAfterwards()
{
    QFETCH(QString, button);
    GetSettings(0, 0)->clear();
    GetSettings(0, 0)->setValue("MainWindow/maximized", false);
    const QString folder = dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        TraceBuilder(200).Flat(2000).Slope(2.0).Build(folder + "/" + name)->Save();

    auto window = std::make_unique<MainWindow>();
    window->resize(790, 580);
    auto* list = window->findChild<CFileList*>();
    list->SetWorkingFolder(folder);
    QCOMPARE(list->GetCount(), 3);
    list->GetFile(0)->SetChanged(true);
    list->GetFile(2)->SetChanged(true);
    QTest::qWait(50);

    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Click(button);
    QVERIFY(window->close());
    // Whatever the saves stirred up in the folder has time to arrive.
    QTest::qWait(500);

    QCOMPARE(answerer.Titles(), QStringList({"Saving modified files"}));
    QCOMPARE(list->GetCount(), 0);
    window.reset();
    QCOMPARE(log.Texts(QtCriticalMsg).filter("ASSERTION"), QStringList());
}

QTEST_MAIN(TestWindowClose)
#include "tst_windowclose.moc"
