#include "filelist/FileWatchSet.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestFileWatchSet : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
    }

    void reportsChangedReplacedAndRemovedFiles();
    void hardLinksShareTheirEvents();
    void forgetsWhatItNoLongerWatches();

private:
    QString Path(const QString& name) const { return dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir;
};

void TestFileWatchSet::reportsChangedReplacedAndRemovedFiles()
{
    Write(Path("a.sor"), "a");
    Write(Path("b.sor"), "b");
    CFileWatchSet files(nullptr);
    QSignalSpy changed(&files, &CFileWatchSet::sigFileChanged);
    QVERIFY(files.Add(Path("a.sor")));
    QVERIFY(!files.Add(Path("a.sor")));
    QVERIFY(files.Add(Path("b.sor")));
    QVERIFY(!files.Add(Path("missing.sor")));
    QCOMPARE(files.Count(), 2);

    // Written in place: reported, still watched.
    {
        QFile file(Path("a.sor"));
        QVERIFY(file.open(QIODevice::Append));
        file.write("more");
    }
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toString(), Path("a.sor"));
    QVERIFY(files.Contains(Path("a.sor")));

    // Replaced by a rename, as a save does: reported, and the watch is gone
    // with the old file.
    Write(Path("a.tmp"), "new a");
    QVERIFY(::rename(QFile::encodeName(Path("a.tmp")).constData(), QFile::encodeName(Path("a.sor")).constData())
            == 0);
    QTRY_VERIFY(!files.Contains(Path("a.sor")));
    QVERIFY(changed.count() >= 1);
    for (const QList<QVariant>& signal : qAsConst(changed))
        QCOMPARE(signal.at(0).toString(), Path("a.sor"));
    QVERIFY(files.Add(Path("a.sor")));
    changed.clear();

    QVERIFY(QFile::remove(Path("b.sor")));
    QTRY_VERIFY(!files.Contains(Path("b.sor")));
    QCOMPARE(changed.last().at(0).toString(), Path("b.sor"));
    QCOMPARE(files.Count(), 1);
}

void TestFileWatchSet::hardLinksShareTheirEvents()
{
    Write(Path("a.sor"), "a");
    QCOMPARE(::link(QFile::encodeName(Path("a.sor")).constData(), QFile::encodeName(Path("b.sor")).constData()), 0);
    CFileWatchSet files(nullptr);
    QSignalSpy changed(&files, &CFileWatchSet::sigFileChanged);
    QVERIFY(files.Add(Path("a.sor")));
    QVERIFY(files.Add(Path("b.sor")));

    // Dropping one name keeps the watch of the other.
    QVERIFY(files.Remove(Path("a.sor")));
    QVERIFY(!files.Remove(Path("a.sor")));
    Write(Path("b.sor"), "b");
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toString(), Path("b.sor"));
}

void TestFileWatchSet::forgetsWhatItNoLongerWatches()
{
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        Write(Path(name), name);
    CFileWatchSet files(nullptr);
    QSignalSpy changed(&files, &CFileWatchSet::sigFileChanged);
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        QVERIFY(files.Add(Path(name)));
    QVERIFY(files.Remove(Path("a.sor")));
    QVERIFY(QFile::remove(Path("a.sor")));
    files.Clear();
    QCOMPARE(files.Count(), 0);
    QVERIFY(QFile::remove(Path("b.sor")));
    Write(Path("c.sor"), "changed");
    QTest::qWait(200);
    QCOMPARE(changed.count(), 0);
    QVERIFY(files.Add(Path("c.sor")));
}

QTEST_MAIN(TestFileWatchSet)
#include "tst_filewatchset.moc"
