#include "app/MainOpt.h"
#include "app/Settings.h"
#include "core/Exception.h"
#include "filelist/FileList.h"
#include "support/LogCatcher.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include <QFileDialog>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

void WriteTrace(const QString& folder, const QString& name, int points = 120)
{
    TraceBuilder(points).Flat(2000).Slope(2.0).Build(folder + "/" + name)->Save();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// A trace whose checksum block was cut off: it loads with warning bit 1.
void WriteTraceWithoutChecksum(const QString& folder, const QString& name)
{
    const QString path = folder + "/" + name;
    WriteTrace(folder, name);
    bool bVersion2 = false;
    {
        int warnings = 0;
        bVersion2 = sor::CFile(path, &warnings).IsVersion2();
    }
    const QByteArray bytes = ReadAll(path);
    WriteBytes(path, bytes.left(bytes.size() - (bVersion2 ? 8 : 2)));
    int warnings = 0;
    sor::CFile check(path, &warnings);
    QCOMPARE(warnings, 1);
}

QString ExceptionTextOfLoading(const QString& path)
{
    try {
        int warnings = 0;
        sor::CFile file(path, &warnings);
    } catch (const Exception& e) {
        return e.GetText();
    }
    return QString();
}

bool LoadsCleanly(const QString& path)
{
    return ExceptionTextOfLoading(path).isNull();
}

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsFolderInNameOrder();
    void reportsChangesOfListedFilesOnly();
    void reloadReadsFileAgainAtTheEnd();
    void startsFromTraceOrMissingPath_data();
    void startsFromTraceOrMissingPath();
    void openDirClosesFilesFirst_data();
    void openDirClosesFilesFirst();
    void loadWarningsAskPerBatch_data();
    void loadWarningsAskPerBatch();
    void warningLinesInFixedOrder_data();
    void warningLinesInFixedOrder();
    void loadErrorsAskWithoutBatch();
    void loadErrorsIgnoredForRestOfBatch();
    void comparesUpToSevenFilesInColours();
    void removingComparedFileFreesItsColour();
    void restoresZoomOfFileSwitchedBackTo();
    void closeFilesOffersChangedFiles_data();
    void closeFilesOffersChangedFiles();
    void closeAllOnEmptyListAsksNothing();
    void closingCurrentEntryMakesNextCurrent();
    void abortedSaveKeepsFilesListed();
    void saveFileSavesRowWithoutCurrentItem();
    void openFilesWritesAndListsReceivedFiles();
    void openFilesNeverOverwritesATrace();
    void openFilesReportsUnwritableAndEmptyFiles();
    void openFilesWritesNothingButTheNamedFile_data();
    void openFilesWritesNothingButTheNamedFile();
    void openFilesStoresBesideADanglingLink_data();
    void openFilesStoresBesideADanglingLink();
    void openFilesAsksInformationOfNewFileOnly();

private:
    QString Folder() const { return folder->path(); }
    QStringList Names() const;
    QSharedPointer<tListedFile> Record(int row) const { return list->GetListedFile(row); }
    void Toggle(int row);
    void CloseAll();

    QWidget window;
    QTemporaryDir settingsDir;
    QString startDir;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<CFileList> list;
};

void TestFileList::initTestCase()
{
    QCoreApplication::setApplicationName("Quorvane");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settingsDir.path());
    CMainOpt::Create(&window);
}

void TestFileList::init()
{
    startDir = QDir::currentPath();
    folder.reset(new QTemporaryDir);
    QVERIFY(folder->isValid());
    list.reset(new CFileList(&window));
}

void TestFileList::cleanup()
{
    CloseAll();
    list.reset();
    QDir::setCurrent(startDir);
    folder.reset();
}

QStringList TestFileList::Names() const
{
    QStringList names;
    for (int row = 0; row < list->GetCount(); ++row)
        names << list->GetFile(row)->GetShortFileName();
    return names;
}

void TestFileList::Toggle(int row)
{
    list->SelectRow(row);
    QTest::keyClick(list.get(), Qt::Key_Space);
}

void TestFileList::CloseAll()
{
    while (list && list->GetCount())
        list->CloseFile(0);
}

void TestFileList::listsFolderInNameOrder()
{
    for (const char* name : {"c.sor", "a.sor", "b.sor"})
        WriteTrace(Folder(), name);
    WriteBytes(Folder() + "/x.txt", "not a trace");
    QSignalSpy enabled(list.get(), &CFileList::sigEnabled);
    QSignalSpy checked(list.get(), &CFileList::sigHasChecked);
    QSignalSpy updated(list.get(), &CFileList::sigFileUpdated);
    CModalAnswerer answerer;

    list->SetWorkingFolder(Folder());

    QCOMPARE(Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
    QCOMPARE(QDir::currentPath(), QDir(Folder()).canonicalPath());
    QCOMPARE(window.windowTitle(), "Quorvane 0.272 - [" + Folder() + "]");
    QCOMPARE(GetSettings(1, 0)->value("Options/LastDir").toString(), QDir::currentPath());
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->GetGraphModel()->GetData()->back()->FilePtr, list->GetFile(0));
    QVERIFY(!enabled.isEmpty() && !checked.isEmpty() && !updated.isEmpty());
    QCOMPARE(enabled.last().first().toBool(), true);
    QCOMPARE(checked.last().first().toBool(), false);
    QCOMPARE(updated.last().first().toBool(), false);

    list->SelectRow(1);
    WriteTrace(Folder(), "d.sor");
    list->UpdateFolder();
    QCOMPARE(Names(), QStringList({"a.sor", "b.sor", "c.sor", "d.sor"}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(answerer.Seen().size(), 0);
}

void TestFileList::reportsChangesOfListedFilesOnly()
{
    for (const char* name : {"a.sor", "b.sor"})
        WriteTrace(Folder(), name);
    list->SetWorkingFolder(Folder());
    QSignalSpy updated(list.get(), &CFileList::sigFileUpdated);
    const QSharedPointer<sor::CFile> closed = list->GetFile(1);

    list->GetFile(0)->SetChanged(true);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(updated.last().first().toBool(), true);
    list->GetFile(0)->SetChanged(false);
    QVERIFY(list->CloseFile(1));
    updated.clear();
    closed->SetChanged(true);
    QCOMPARE(updated.count(), 0);
}

void TestFileList::reloadReadsFileAgainAtTheEnd()
{
    for (const char* name : {"a.sor", "b.sor"})
        WriteTrace(Folder(), name, 100);
    list->SetWorkingFolder(Folder());
    WriteTrace(Folder(), "a.sor", 300);

    list->ReloadFile(0);
    QCOMPARE(Names(), QStringList({"b.sor", "a.sor"}));
    QCOMPARE(list->GetFile(1)->GetDataPointCount(), 300);
    QCOMPARE(list->GetFile(1)->GetFileName(), QFileInfo(Folder() + "/a.sor").canonicalFilePath());
}

void TestFileList::startsFromTraceOrMissingPath_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a trace opens its folder") << "trace";
    QTest::newRow("a missing path opens the documents folder") << "documents";
    QTest::newRow("without documents folder the home folder") << "home";
    QTest::newRow("a relative folder") << "relative";
}

void TestFileList::startsFromTraceOrMissingPath()
{
    QFETCH(QString, how);
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QString home = Folder() + "/home";
    QVERIFY(QDir().mkpath(home + "/config"));
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());
    if (how == "documents")
        QVERIFY(QDir().mkpath(home + "/Documents"));
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        WriteTrace(Folder(), name);

    const QString sub = Folder() + "/sub";
    if (how == "relative") {
        QVERIFY(QDir().mkpath(sub));
        WriteTrace(sub, "s.sor");
        QDir::setCurrent(Folder());
    }
    list->SetWorkingFolder(how == "trace" ? Folder() + "/b.sor"
                           : how == "relative" ? "sub" : Folder() + "/gone/x.sor");
    qputenv("HOME", oldHome);
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);

    if (how == "trace") {
        QCOMPARE(QDir::currentPath(), QDir(Folder()).canonicalPath());
        QCOMPARE(list->GetCurrentFile()->GetShortFileName(), QString("b.sor"));
    } else if (how == "relative") {
        QCOMPARE(QDir::currentPath(), QDir(sub).canonicalPath());
        QCOMPARE(window.windowTitle(), "Quorvane 0.272 - [" + sub + "]");
        QCOMPARE(Names(), QStringList({"s.sor"}));
    } else {
        const QString expected = how == "documents" ? home + "/Documents" : home;
        QCOMPARE(QDir::currentPath(), QDir(expected).canonicalPath());
        QCOMPARE(list->GetCount(), 0);
    }
}

void TestFileList::openDirClosesFilesFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("closing cancelled keeps the folder") << "Cancel" << QStringList{"a.sor"};
    QTest::newRow("closed files make way for the new folder") << "Close without saving" << QStringList{"n.sor"};
}

void TestFileList::openDirClosesFilesFirst()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, listed);
    WriteTrace(Folder(), "a.sor");
    const QString other = Folder() + "/other";
    QVERIFY(QDir().mkpath(other));
    WriteTrace(other, "n.sor");
    list->SetWorkingFolder(Folder());
    list->GetFile(0)->SetChanged(true);

    CModalAnswerer answerer;
    QString filter;
    answerer.Then([&](QWidget* dialog) {
        auto* folders = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(folders);
        filter = folders->nameFilters().join(";;");
        folders->setDirectory(other);
        QMetaObject::invokeMethod(folders, "accept");
    });
    answerer.Click(answer);
    list->OnOpenDir();

    QCOMPARE(answerer.Titles(), QStringList({"Open project folder", "Saving modified files"}));
    QCOMPARE(filter, QString("Bellcore files (*.sor)"));
    QCOMPARE(Names(), listed);
    QCOMPARE(QDir::currentPath(), QDir(listed.first() == "a.sor" ? Folder() : other).canonicalPath());
    if (list->GetCount() && list->GetFile(0)->IsChanged())
        list->GetFile(0)->SetChanged(false);
}

void TestFileList::loadWarningsAskPerBatch_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("listed");
    const QStringList all{"a.sor", "b.sor", "c.sor", "d.sor", "e.sor"};
    QTest::newRow("Abort stops the folder") << QStringList{"Abort"} << QStringList{"c.sor"}
                                            << QStringList{"a.sor", "b.sor"};
    QTest::newRow("Ignore all holds for the folder") << QStringList{"Ignore all"} << QStringList{"c.sor"} << all;
    QTest::newRow("Ignore asks again") << QStringList{"Ignore", "Ignore"} << QStringList{"c.sor", "e.sor"} << all;
    QTest::newRow("Retry loads again") << QStringList{"Retry", "Ignore all"} << QStringList{"c.sor", "c.sor"}
                                       << all;
}

void TestFileList::loadWarningsAskPerBatch()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, listed);
    WriteTrace(Folder(), "a.sor");
    WriteTrace(Folder(), "b.sor");
    WriteTraceWithoutChecksum(Folder(), "c.sor");
    WriteTrace(Folder(), "d.sor");
    WriteTraceWithoutChecksum(Folder(), "e.sor");

    CModalAnswerer answerer;
    for (const QString& answer : answers)
        answerer.Click(answer);
    list->SetWorkingFolder(Folder());

    QCOMPARE(Names(), listed);
    QStringList titles;
    for (const QString& name : asked)
        titles << "warnings file \"" + name + "\" loading found";
    QCOMPARE(answerer.Titles(), titles);
    const CModalAnswerer::tSeen& box = answerer.Seen().first();
    QCOMPARE(box.Text, QString("CRC block not present (file loaded)\n"));
    QCOMPARE(box.Icon, QMessageBox::Information);
    QCOMPARE(Sorted(box.Buttons), QStringList({"Abort", "Ignore", "Ignore all", "Retry"}));
}

void TestFileList::warningLinesInFixedOrder_data()
{
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("text");
    const QString codepage = "Requested codepage not present (file loaded)\n";
    const QString noCrc = "CRC block not present (file loaded)\n";
    const QString badCrc = "Invalid file CRC (file loaded)\n";
    QTest::newRow("no checksum") << 1 << noCrc;
    QTest::newRow("bad checksum after missing block") << 3 << noCrc + badCrc;
    QTest::newRow("codepage first") << 7 << codepage + noCrc + badCrc;
    QTest::newRow("none") << 0 << QString();
}

void TestFileList::warningLinesInFixedOrder()
{
    QFETCH(int, warnings);
    QFETCH(QString, text);
    QCOMPARE(CFileList::LoadWarningsText(warnings), text);
}

void TestFileList::loadErrorsAskWithoutBatch()
{
    const QString damaged = Folder() + "/y.sor";
    WriteBytes(damaged, QByteArray("not a trace at all, only text", 29));
    WriteTraceWithoutChecksum(Folder(), "w.sor");
    const QString damagedText = ExceptionTextOfLoading(damaged);
    QVERIFY(!damagedText.isEmpty());

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Cancel).Click(QMessageBox::Cancel).Click(QMessageBox::Cancel);
    QVERIFY(!list->LoadFile(Folder() + "/x.sor", nullptr, true));
    QVERIFY(!list->LoadFile(damaged, nullptr, true));
    QVERIFY(!list->LoadFile(Folder() + "/w.sor", nullptr, true));

    QCOMPARE(list->GetCount(), 0);
    QCOMPARE(answerer.Seen().size(), 3);
    const CModalAnswerer::tSeen& missing = answerer.Seen()[0];
    QCOMPARE(missing.Title, QString("Loading file \"x.sor\" problem"));
    QCOMPARE(missing.Text, QString("File access error\n\nError code is 0.272-1:76"));
    QCOMPARE(missing.Icon, QMessageBox::Warning);
    QCOMPARE(Sorted(missing.Buttons), QStringList({"Cancel", "Retry"}));
    const CModalAnswerer::tSeen& broken = answerer.Seen()[1];
    QCOMPARE(broken.Title, QString("Loading file \"y.sor\" error"));
    QCOMPARE(broken.Text, damagedText);
    QCOMPARE(broken.Icon, QMessageBox::Critical);
    QCOMPARE(Sorted(broken.Buttons), QStringList({"Cancel", "Retry"}));
    const CModalAnswerer::tSeen& warned = answerer.Seen()[2];
    QCOMPARE(warned.Title, QString("warnings file \"w.sor\" loading found"));
    QCOMPARE(Sorted(warned.Buttons), QStringList({"Cancel", "Ignore", "Retry"}));
}

void TestFileList::loadErrorsIgnoredForRestOfBatch()
{
    for (const char* name : {"y1.sor", "y2.sor"})
        WriteBytes(Folder() + "/" + name, QByteArray("not a trace at all, only text", 29));
    tBatchAnswers answers;
    CModalAnswerer answerer;
    answerer.Click("Ignore all").Click("Ignore all");

    QVERIFY(list->LoadFile(Folder() + "/y1.sor", &answers, true));
    QVERIFY(list->LoadFile(Folder() + "/y2.sor", &answers, true));
    // Access problems keep an answer of their own.
    QVERIFY(list->LoadFile(Folder() + "/gone1.sor", &answers, true));
    QVERIFY(list->LoadFile(Folder() + "/gone2.sor", &answers, true));

    QCOMPARE(answerer.Titles(),
             QStringList({"Loading file \"y1.sor\" error", "Loading file \"gone1.sor\" problem"}));
    QCOMPARE(Sorted(answerer.Seen().first().Buttons), QStringList({"Abort", "Ignore", "Ignore all", "Retry"}));
    QVERIFY(answers.bIgnoreAllErrors && answers.bIgnoreAllProblems);
    QCOMPARE(list->GetCount(), 0);
}

void TestFileList::comparesUpToSevenFilesInColours()
{
    for (int i = 0; i < 9; ++i)
        WriteTrace(Folder(), QString("t%1.sor").arg(i));
    list->SetWorkingFolder(Folder());
    QCOMPARE(list->GetCount(), 9);
    CGraphModel* model = list->GetGraphModel();

    for (int row : {0, 1, 2})
        Toggle(row);
    QCOMPARE(Record(0)->ColorNumber, 0);
    QCOMPARE(Record(1)->ColorNumber, 1);
    QCOMPARE(Record(2)->ColorNumber, 2);
    QCOMPARE(*model->GetData(), tListedFiles({Record(0), Record(1), Record(2)}));
    QCOMPARE(Record(2)->Color, QColor(Qt::yellow));
    QCOMPARE(Record(0)->Color, QColor(Qt::darkBlue));

    list->SelectRow(0);
    QCOMPARE(*model->GetData(), tListedFiles({Record(1), Record(2), Record(0)}));
    QCOMPARE(model->GetData()->back()->FilePtr, list->GetFile(0));
    QCOMPARE(Record(0)->Color, QColor(Qt::blue));
    QCOMPARE(Record(2)->Color, QColor(Qt::darkYellow));

    list->SelectRow(3);
    QCOMPARE(*model->GetData(), tListedFiles({Record(3)}));

    Toggle(1);
    QCOMPARE(Record(1)->ColorNumber, -1);
    QCOMPARE(Record(1)->Color, QColor(Qt::blue));
    QCOMPARE(*model->GetData(), tListedFiles({Record(1)}));
    Toggle(3);
    QCOMPARE(Record(3)->ColorNumber, 1);

    for (int row : {4, 5, 6, 7})
        Toggle(row);
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    Toggle(8);
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().Title, QString("Add to compare"));
    QCOMPARE(answerer.Seen().first().Text, QString("Maximum number of files for compare is 7"));
    QCOMPARE(answerer.Seen().first().Buttons, QStringList({"OK"}));
    QCOMPARE(Record(8)->ColorNumber, -1);
    QCOMPARE(*model->GetData(), tListedFiles({Record(8)}));

    list->SelectRow(1);
    QTest::keyClick(list.get(), Qt::Key_Space, Qt::AltModifier);
    QCOMPARE(Record(1)->ColorNumber, -1);

    QSignalSpy checked(list.get(), &CFileList::sigHasChecked);
    QTest::keyClick(list.get(), Qt::Key_Escape);
    for (int row = 0; row < list->GetCount(); ++row) {
        QCOMPARE(Record(row)->ColorNumber, -1);
        QCOMPARE(Record(row)->Color, QColor(Qt::blue));
    }
    QVERIFY(!checked.isEmpty());
    QCOMPARE(checked.last().first().toBool(), false);

    // Room for a whole entry card, so that the clicks below land on it.
    list->resize(list->width(), 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    list->scrollToItem(list->item(4));
    const QRect rect = list->visualItemRect(list->item(4));
    QVERIFY(list->viewport()->rect().contains(rect));
    // The first click of a double click arrives as a click of its own.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QCOMPARE(list->currentRow(), 4);
    QCOMPARE(Record(4)->ColorNumber, 0);
    QCOMPARE(answerer.Seen().size(), 1);
}

void TestFileList::removingComparedFileFreesItsColour()
{
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        WriteTrace(Folder(), name);
    list->SetWorkingFolder(Folder());
    Toggle(0);
    Toggle(1);
    QVERIFY(list->CloseFile(0));
    Toggle(1);
    QCOMPARE(Names(), QStringList({"b.sor", "c.sor"}));
    QCOMPARE(Record(1)->ColorNumber, 0);
    QCOMPARE(Record(0)->ColorNumber, 1);
}

void TestFileList::restoresZoomOfFileSwitchedBackTo()
{
    WriteTrace(Folder(), "a.sor", 2000);
    WriteTrace(Folder(), "b.sor", 2000);
    list->SetWorkingFolder(Folder());
    CGraphModel* model = list->GetGraphModel();
    const QSize window(400, 200);
    model->SetWindowSize(window);

    list->SelectRow(0);
    QVERIFY(model->Zoom(window, QPointF(300, 50), 4, false, true));
    const float scaleX = model->GetScaleX();
    const float scaleY = model->GetScaleY();
    const int originX = model->GetOriginX();
    const int originY = model->GetOriginY();
    QVERIFY(scaleX > 1.0f && scaleY > 1.0f);

    list->SelectRow(1);
    QCOMPARE(model->GetScaleX(), 1.0f);
    list->SelectRow(0);
    QCOMPARE(model->GetScaleX(), scaleX);
    QCOMPARE(model->GetScaleY(), scaleY);
    QCOMPARE(model->GetOriginX(), originX);
    QCOMPARE(model->GetOriginY(), originY);
}

void TestFileList::closeFilesOffersChangedFiles_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("bClosed");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("save the selected one") << "deselect b" << true << QStringList{"a.sor"};
    QTest::newRow("close without saving") << "Close without saving" << true << QStringList();
    QTest::newRow("cancel keeps everything") << "Cancel" << false << QStringList();
}

void TestFileList::closeFilesOffersChangedFiles()
{
    QFETCH(QString, answer);
    QFETCH(bool, bClosed);
    QFETCH(QStringList, saved);
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        WriteTrace(Folder(), name);
    list->SetWorkingFolder(Folder());
    // Garbage on disk shows which files a save rewrote.
    for (int row : {0, 1}) {
        list->GetFile(row)->SetChanged(true);
        WriteBytes(list->GetFile(row)->GetFileName(), "garbage");
    }

    CModalAnswerer answerer;
    QStringList offered;
    QStringList selected;
    answerer.Then([&](QWidget* dialog) {
        auto* names = dialog->findChild<QListWidget*>();
        for (int i = 0; i < names->count(); ++i)
            offered << names->item(i)->text();
        for (QListWidgetItem* item : names->selectedItems())
            selected << item->text();
        if (answer == "deselect b") {
            QListWidgetItem* b = names->findItems("b.sor", Qt::MatchExactly).value(0);
            QTest::mouseClick(names->viewport(), Qt::LeftButton, Qt::NoModifier,
                              names->visualItemRect(b).center());
            CModalAnswerer::FindButton(dialog, "Save selected")->click();
        } else {
            CModalAnswerer::FindButton(dialog, answer)->click();
        }
    });

    QCOMPARE(list->CloseFiles({}), bClosed);
    QCOMPARE(answerer.Titles(), QStringList({"Saving modified files"}));
    QCOMPARE(offered, QStringList({"a.sor", "b.sor"}));
    QCOMPARE(Sorted(selected), offered);
    QCOMPARE(list->GetCount(), bClosed ? 0 : 3);
    for (const char* name : {"a.sor", "b.sor"})
        QCOMPARE(LoadsCleanly(Folder() + "/" + name), saved.contains(name));
    if (!bClosed)
        QVERIFY(list->GetFile(0)->IsChanged() && list->GetFile(1)->IsChanged());
}

void TestFileList::closeAllOnEmptyListAsksNothing()
{
    CModalAnswerer answerer;
    QVERIFY(list->CloseFiles({}));
    QVERIFY(list->CloseFile(0, true, nullptr));
    QCOMPARE(answerer.Seen().size(), 0);
}

void TestFileList::closingCurrentEntryMakesNextCurrent()
{
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        WriteTrace(Folder(), name);
    list->SetWorkingFolder(Folder());
    list->SelectRow(1);
    QSignalSpy closing(list.get(), &CFileList::sigCloseFile);

    QVERIFY(list->CloseFile(1));
    QVERIFY(!closing.isEmpty());
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(list->GetCurrentFile()->GetShortFileName(), QString("c.sor"));
    QCOMPARE(list->GetGraphModel()->GetData()->back()->FilePtr, list->GetCurrentFile());

    QVERIFY(list->CloseFile(1));
    QCOMPARE(list->GetCurrentFile()->GetShortFileName(), QString("a.sor"));
    QVERIFY(list->CloseFile(0));
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(list->GetGraphModel()->GetData() == nullptr);
}

void TestFileList::abortedSaveKeepsFilesListed()
{
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        WriteTrace(Folder(), name);
    list->SetWorkingFolder(Folder());
    list->GetFile(0)->SetChanged(true);
    list->GetFile(1)->SetChanged(true);
    // A folder in the file's place makes every save of it fail.
    QVERIFY(QFile::remove(Folder() + "/a.sor"));
    QVERIFY(QDir(Folder()).mkdir("a.sor"));

    CModalAnswerer answerer;
    // The folder watcher notices the vanished trace first; No keeps it listed.
    answerer.Click(QMessageBox::No);
    QTRY_COMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("Working folder was updated"));
    answerer.Click("Save selected").Click(QMessageBox::Abort);
    QVERIFY(!list->CloseFiles({}));

    QCOMPARE(answerer.Titles(), QStringList({"Working folder was updated", "Saving modified files",
                                             "Saving file \"a.sor\" problem"}));
    QCOMPARE(Sorted(answerer.Seen()[2].Buttons), QStringList({"Abort", "Ignore", "Ignore all", "Retry"}));
    QCOMPARE(Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
    QVERIFY(list->GetFile(0)->IsChanged() && list->GetFile(1)->IsChanged());
    for (int row : {0, 1})
        list->GetFile(row)->SetChanged(false);
}

void TestFileList::saveFileSavesRowWithoutCurrentItem()
{
    WriteTrace(Folder(), "a.sor");
    list->SetWorkingFolder(Folder());
    list->setCurrentItem(nullptr);
    QVERIFY(!list->currentItem());
    list->GetFile(0)->SetChanged(true);
    WriteBytes(Folder() + "/a.sor", "garbage");

    QVERIFY(list->SaveFile(0, nullptr));
    QVERIFY(!list->GetFile(0)->IsChanged());
    QVERIFY(LoadsCleanly(Folder() + "/a.sor"));
    QVERIFY(list->SaveFile(5, nullptr));
}

void TestFileList::openFilesWritesAndListsReceivedFiles()
{
    QTemporaryDir scratch;
    WriteTrace(scratch.path(), "sent.sor", 300);
    const QByteArray trace = ReadAll(scratch.path() + "/sent.sor");
    WriteTrace(Folder(), "a.sor");
    WriteTrace(Folder(), "b.sor");
    list->SetWorkingFolder(Folder());
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Cancel);

    list->OpenFiles({tReceivedFile(Folder() + "/new.sor", trace)});
    QCOMPARE(Names(), QStringList({"a.sor", "b.sor", "new.sor"}));
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(ReadAll(Folder() + "/new.sor"), trace);

    list->SelectRow(1);
    const QString elsewhere = scratch.path() + "/device/2026/far.sor";
    list->OpenFiles({tReceivedFile(elsewhere, trace)});
    QCOMPARE(ReadAll(elsewhere), trace);
    QCOMPARE(list->GetCount(), 3);
    QCOMPARE(list->currentRow(), 1);

    list->OpenFiles({});
    QCOMPARE(list->currentRow(), 1);
    // Only the file received into the working folder asks for its information.
    QCOMPARE(answerer.Titles(), QStringList({"Information [new.sor]"}));
    QCOMPARE(answerer.Pending(), 0);
}

void TestFileList::openFilesNeverOverwritesATrace()
{
    QTemporaryDir scratch;
    WriteTrace(scratch.path(), "one.sor", 300);
    WriteTrace(scratch.path(), "two.sor", 400);
    const QByteArray one = ReadAll(scratch.path() + "/one.sor");
    const QByteArray two = ReadAll(scratch.path() + "/two.sor");
    WriteTrace(Folder(), "a.sor");
    const QByteArray original = ReadAll(Folder() + "/a.sor");
    list->SetWorkingFolder(Folder());

    list->OpenFiles({tReceivedFile(Folder() + "/a.sor", one), tReceivedFile(Folder() + "/a.sor", two)});

    QCOMPARE(Names(), QStringList({"a.sor", "a(1).sor", "a(2).sor"}));
    QCOMPARE(ReadAll(Folder() + "/a.sor"), original);
    QCOMPARE(ReadAll(Folder() + "/a(1).sor"), one);
    QCOMPARE(ReadAll(Folder() + "/a(2).sor"), two);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(list->GetFile(2)->GetDataPointCount(), 400);
}

void TestFileList::openFilesReportsUnwritableAndEmptyFiles()
{
    QTemporaryDir scratch;
    WriteBytes(scratch.path() + "/blocker", "a file where a folder should be");
    list->SetWorkingFolder(Folder());
    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ignore).Click(QMessageBox::Ignore);

    list->OpenFiles({tReceivedFile(scratch.path() + "/blocker/n.sor", "bytes"),
                     tReceivedFile(Folder() + "/empty.sor", QByteArray())});

    QCOMPARE(answerer.Titles(),
             QStringList({"Loading file \"n.sor\" problem", "Loading file \"empty.sor\" error"}));
    QVERIFY(answerer.Seen()[0].Text.endsWith("Error code is 0.272-32:771"));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: size"), 1);
    QCOMPARE(list->GetCount(), 0);
}

void TestFileList::openFilesWritesNothingButTheNamedFile_data()
{
    const QString nul(QChar(0));
    QTest::addColumn<QString>("name");
    QTest::newRow("NUL after a file's name") << "victim.txt" + nul + ".sor";
    QTest::newRow("NUL after a trace's name") << "kept.sor" + nul + ".sor";
    QTest::newRow("NUL after a new name") << "evil.txt" + nul + ".sor";
    QTest::newRow("NUL in a folder") << "a" + nul + "b/x.sor";
    QTest::newRow("other control character") << "bell\a.sor"; // BEL
}

// A received file is created under its own name or not at all: nothing in
// the folder is replaced, and nothing is written elsewhere.
void TestFileList::openFilesWritesNothingButTheNamedFile()
{
    QFETCH(QString, name);
    QTemporaryDir scratch;
    WriteTrace(scratch.path(), "sent.sor", 300);
    const QByteArray trace = ReadAll(scratch.path() + "/sent.sor");
    WriteBytes(Folder() + "/victim.txt", "the user's own");
    WriteTrace(Folder(), "kept.sor");
    const QByteArray kept = ReadAll(Folder() + "/kept.sor");
    const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
    const QStringList before = QDir(Folder()).entryList(all);
    list->SetWorkingFolder(Folder());
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ignore);

    list->OpenFiles({tReceivedFile(Folder() + "/" + name, trace)});

    QCOMPARE(answerer.Seen().size(), 1);
    QVERIFY(answerer.Seen()[0].Text.endsWith("32:771"));
    QCOMPARE(QDir(Folder()).entryList(all), before);
    QCOMPARE(ReadAll(Folder() + "/victim.txt"), QByteArray("the user's own"));
    QCOMPARE(ReadAll(Folder() + "/kept.sor"), kept);
}

void TestFileList::openFilesStoresBesideADanglingLink_data()
{
    // Each link as "name>target"; a target is taken from the working folder,
    // "<outside>" stands for a folder of its own.
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QString>("stored");
    QTest::newRow("to a file elsewhere") << QStringList({"n.sor><outside>/n.sor"}) << "n(1).sor";
    QTest::newRow("to a file beside it") << QStringList({"n.sor>gone.sor"}) << "n(1).sor";
    QTest::newRow("to itself") << QStringList({"n.sor>n.sor"}) << "n(1).sor";
    QTest::newRow("next name a link too") << QStringList({"n.sor>gone.sor", "n(1).sor>gone1.sor"})
                                          << "n(2).sor";
}

// A link to nothing takes its name like any file: the trace goes to the next
// free name, and the link is neither written through nor replaced.
void TestFileList::openFilesStoresBesideADanglingLink()
{
    QFETCH(QStringList, links);
    QFETCH(QString, stored);
    QTemporaryDir scratch;
    WriteTrace(scratch.path(), "sent.sor", 300);
    const QByteArray trace = ReadAll(scratch.path() + "/sent.sor");
    QMap<QString, QString> targets;
    for (const QString& link : links) {
        const QString name = link.section('>', 0, 0);
        targets[name] = link.section('>', 1).replace("<outside>", scratch.path());
        QVERIFY(QFile::link(targets[name], Folder() + "/" + name));
    }
    list->SetWorkingFolder(Folder());
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Cancel);

    QVERIFY(list->OpenFiles({tReceivedFile(Folder() + "/n.sor", trace)}));

    QCOMPARE(answerer.Titles(), QStringList({"Information [" + stored + "]"}));
    QCOMPARE(Names(), QStringList({stored}));
    QCOMPARE(ReadAll(Folder() + "/" + stored), trace);
    const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
    QCOMPARE(QDir(Folder()).entryList(all), Sorted(targets.keys() << stored));
    QCOMPARE(QDir(scratch.path()).entryList(all), QStringList({"sent.sor"}));
    for (auto link = targets.cbegin(); link != targets.cend(); ++link) {
        const QFileInfo entry(Folder() + "/" + link.key());
        QVERIFY(entry.isSymLink());
        // Still leads nowhere: nothing was written at its target.
        QVERIFY(!entry.exists());
        QCOMPARE(entry.symLinkTarget(), QDir::cleanPath(QDir(Folder()).absoluteFilePath(link.value())));
    }
}

void TestFileList::openFilesAsksInformationOfNewFileOnly()
{
    WriteTrace(Folder(), "a.sor");
    list->SetWorkingFolder(Folder());
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ignore);

    list->OpenFiles({tReceivedFile(Folder() + "/bad.sor", "not a trace")});

    // The information of a.sor is not what the user was about to fill in.
    QCOMPARE(answerer.Titles(), QStringList({"Loading file \"bad.sor\" error"}));
    QCOMPARE(Names(), QStringList({"a.sor"}));
}

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
