#include "ListFixture.h"

#include "fileinfo/FileInfo.h"
#include "filelist/FileListElementWidget.h"
#include "support/LogCatcher.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { fx.Open(); }
    void cleanup()
    {
        CFileInfo::SetExecHook({});
        fx.Close();
    }

    void renameRefusesName_data();
    void renameRefusesName();
    void renameKeepsSuffixCase_data();
    void renameKeepsSuffixCase();
    void editorRenamesOnReturnAndKeepsRow();
    void editorGivesFocusBackAfterRefusal();
    void editorSurvivesItsEntryClosedDuringRefusal();
    void copiesOneFile_data();
    void copiesOneFile();
    void copiesSeveralFilesIntoChosenFolder();
    void addsCopyFromOutside();
    void addRefusesListedName();
    void addListsFileOnceWhenWatcherListedItMeanwhile();
    void deletesToTrash_data();
    void deletesToTrash();
    void deleteWithoutConfirmationAsksNothing();
    void deletesSelectedFilesAfterListChangedMeanwhile();
    void failedTrashMoveKeepsEntryAndEdits_data();
    void failedTrashMoveKeepsEntryAndEdits();
    void appliesZoomToOtherFiles();
    void informationDialogFeedsViewAgain();
    void rejectedInformationChangesNothing();
    void receivedFileOpensInformation();
    void saveAllStopsOnAbort();
    void saveSavesCurrentOnly();

private:
    void SetNeedAck(bool bNeedAck);
    void OpenNameEditorOfFirstOfTwo(CFileListElementWidget*& editor);

    ListFixture fx;
};

void TestFileCommands::SetNeedAck(bool bNeedAck)
{
    CMainOpt* options = CMainOpt::Instance();
    options->SaveSettings();
    QSettings settings;
    settings.beginGroup("Options");
    settings.setValue("bNeedAckFileDeletion", bNeedAck);
    settings.sync();
    options->LoadSettings();
    QCOMPARE(options->GetNeedAckFileDeletion(), bNeedAck);
}

void TestFileCommands::renameRefusesName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("own base name") << "x" << "" << "";
    QTest::newRow("blanks") << "  " << "" << "";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("colon") << "a:b" << "Rename file \"x.sor\"" << "Filename cannot contain symbols \\/:*?\"<>|";
    QTest::newRow("slash after blanks") << "  /" << "Rename file \"x.sor\""
                                        << "Filename cannot contain symbols \\/:*?\"<>|";
    QTest::newRow("existing file") << "y" << "Rename file \"x.sor\"" << "File \"y.sor\" already exist.";
}

void TestFileCommands::renameRefusesName()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, text);
    fx.Load({"x.sor", "y.sor"});
    const QByteArray bytes = fx.ReadAll(fx.Path("y.sor"));

    CModalAnswerer answerer;
    if (!title.isEmpty())
        answerer.Click(QMessageBox::Ok);
    QVERIFY(!fx.list->RenameFile(fx.list->GetFile(0), name));

    QCOMPARE(answerer.Seen().size(), title.isEmpty() ? 0 : 1);
    if (!title.isEmpty()) {
        QCOMPARE(answerer.Seen()[0].Title, title);
        QCOMPARE(answerer.Seen()[0].Text, text);
        QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    }
    QCOMPARE(fx.list->GetFile(0)->GetFileName(), fx.Path("x.sor"));
    QVERIFY(QFile::exists(fx.Path("x.sor")));
    QCOMPARE(fx.ReadAll(fx.Path("y.sor")), bytes);
}

void TestFileCommands::renameKeepsSuffixCase_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper-case suffix") << "X.SOR" << "new" << "new.SOR";
    QTest::newRow("cyrillic") << "x.sor" << QString::fromUtf8("трасса 1") << QString::fromUtf8("трасса 1.sor");
    QTest::newRow("dots in the name") << "x.sor" << "a.b" << "a.b.sor";
}

void TestFileCommands::renameKeepsSuffixCase()
{
    QFETCH(QString, oldName);
    QFETCH(QString, newName);
    QFETCH(QString, expected);
    fx.Write(oldName);
    fx.list->SetWorkingFolder(fx.Folder());
    QCOMPARE(fx.list->GetCount(), 1);
    const QByteArray bytes = fx.ReadAll(fx.Path(oldName));

    CModalAnswerer answerer;
    QVERIFY(fx.list->RenameFile(fx.list->GetFile(0), newName));
    QCOMPARE(fx.list->GetFile(0)->GetFileName(), fx.Path(expected));
    QVERIFY(!QFile::exists(fx.Path(oldName)));
    QCOMPARE(fx.ReadAll(fx.Path(expected)), bytes);

    // The watcher sees the rename as the list's own doing: nothing to ask.
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 0);
    QCOMPARE(fx.Names(), QStringList({expected}));
    QVERIFY(!fx.list->GetFile(0)->IsChanged());

    // ...and follows the new name: its removal is noticed under that name.
    answerer.Click(QMessageBox::Yes);
    QVERIFY(QFile::remove(fx.Path(expected)));
    QTRY_COMPARE(answerer.Seen().size(), 1);
    QVERIFY(answerer.Seen()[0].Text.startsWith(fx.Path(expected) + "\n\n"));
    QCOMPARE(fx.list->GetCount(), 0);
}

void TestFileCommands::editorRenamesOnReturnAndKeepsRow()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    fx.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&fx.window));
    fx.list->SelectRow(1);
    fx.list->setFocus();

    fx.list->OnRenameFile();
    auto* editor = fx.list->findChild<CFileListElementWidget*>();
    QVERIFY(editor);
    QLineEdit* name = editor->GetNameEditor();
    QVERIFY(name);
    QCOMPARE(name->text(), QString("b"));
    QTRY_COMPARE(QApplication::focusWidget(), name);

    QTest::keyClick(name, Qt::Key_Up);
    QTest::keyClick(name, Qt::Key_Down);
    QCOMPARE(fx.list->currentRow(), 1);

    name->selectAll();
    QTest::keyClicks(name, "renamed");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(fx.Names(), QStringList({"a.sor", "renamed.sor", "c.sor"}));
    QVERIFY(QFile::exists(fx.Path("renamed.sor")));
    QTRY_VERIFY(!fx.list->findChild<CFileListElementWidget*>());
    QCOMPARE(fx.list->currentRow(), 1);

    // Esc leaves the name as it was.
    LogCatcher log;
    fx.list->OnRenameFile();
    editor = fx.list->findChild<CFileListElementWidget*>();
    QVERIFY(editor);
    name = editor->GetNameEditor();
    name->setFocus();
    name->setText("other");
    QTest::keyClick(name, Qt::Key_Escape);
    QTRY_VERIFY(!fx.list->findChild<CFileListElementWidget*>());
    QCOMPARE(fx.Names(), QStringList({"a.sor", "renamed.sor", "c.sor"}));
    QVERIFY(log.Texts(QtWarningMsg).filter("closeEditor").isEmpty());
    fx.window.hide();
}

// Lists a.sor and b.sor in the shown window and opens a.sor's card editor
// with the focus in its name field.
void TestFileCommands::OpenNameEditorOfFirstOfTwo(CFileListElementWidget*& editor)
{
    fx.Load({"a.sor", "b.sor"});
    fx.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&fx.window));
    fx.list->SelectRow(0);
    fx.list->setFocus();
    fx.list->OnRenameFile();
    editor = fx.list->findChild<CFileListElementWidget*>();
    QVERIFY(editor);
    QLineEdit* name = editor->GetNameEditor();
    QApplication::setActiveWindow(&fx.window);
    name->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), name);
}

void TestFileCommands::editorGivesFocusBackAfterRefusal()
{
    CFileListElementWidget* editor = nullptr;
    OpenNameEditorOfFirstOfTwo(editor);
    if (QTest::currentTestFailed())
        return;
    QLineEdit* name = editor->GetNameEditor();

    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    name->setText("b");
    QTest::keyClick(name, Qt::Key_Return);

    QCOMPARE(answerer.Titles(), QStringList({"Rename file \"a.sor\""}));
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor"}));
    QTRY_VERIFY(!fx.list->findChild<CFileListElementWidget*>());
    // The window itself may stay inactive once the box is gone offscreen.
    QTRY_COMPARE(fx.window.focusWidget(), static_cast<QWidget*>(fx.list.get()));
    QVERIFY(log.Texts(QtWarningMsg).filter("closeEditor").isEmpty());
    fx.window.hide();
}

void TestFileCommands::editorSurvivesItsEntryClosedDuringRefusal()
{
    CFileListElementWidget* editor = nullptr;
    OpenNameEditorOfFirstOfTwo(editor);
    if (QTest::currentTestFailed())
        return;
    QLineEdit* name = editor->GetNameEditor();

    LogCatcher log;
    CModalAnswerer answerer;
    const QPointer<CFileListElementWidget> card(editor);
    bool bAliveUnderBox = false;
    answerer.Then([this, &card, &bAliveUnderBox](QWidget* dialog) {
        // While the refusal is read, a.sor goes and its entry with it.
        QEventLoop wait;
        connect(fx.list->model(), &QAbstractItemModel::rowsRemoved, &wait, &QEventLoop::quit);
        QTimer::singleShot(3000, &wait, &QEventLoop::quit);
        QFile::remove(fx.Path("a.sor"));
        wait.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Its name field's key handler is still running under this box.
        bAliveUnderBox = !card.isNull();
        CModalAnswerer::FindButton(dialog, "OK")->click();
    });
    answerer.Click(QMessageBox::Yes);
    name->setText("b");
    QTest::keyClick(name, Qt::Key_Return);

    QCOMPARE(answerer.Titles(), QStringList({"Rename file \"a.sor\"", "Working folder was updated"}));
    QVERIFY(bAliveUnderBox);
    QCOMPARE(fx.Names(), QStringList({"b.sor"}));
    QTRY_VERIFY(!fx.list->findChild<CFileListElementWidget*>());
    QVERIFY(log.Texts(QtWarningMsg).filter("closeEditor").isEmpty());
    fx.window.hide();
}

void TestFileCommands::copiesOneFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("onto itself") << "x.sor" << QStringList({"Copy file \"x.sor\" to", "Copying file x.sor  issue"})
                                 << QStringList({"x.sor", "y.sor"});
    QTest::newRow("onto another trace")
        << "y.sor" << QStringList({"Copy file \"x.sor\" to", "Copying file \"x.sor\" error"})
        << QStringList({"x.sor", "y.sor"});
    QTest::newRow("under a new name") << "z.sor" << QStringList({"Copy file \"x.sor\" to"})
                                      << QStringList({"x.sor", "y.sor", "z.sor"});
}

void TestFileCommands::copiesOneFile()
{
    QFETCH(QString, target);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, names);
    fx.Write("x.sor");
    fx.Write("y.sor", 300);
    fx.list->SetWorkingFolder(fx.Folder());
    fx.list->SelectRow(0);
    const QByteArray source = fx.ReadAll(fx.Path("x.sor"));
    const QByteArray other = fx.ReadAll(fx.Path("y.sor"));

    CModalAnswerer answerer;
    answerer.Then(ListFixture::Choose(fx.Path(target)));
    if (titles.size() > 1)
        answerer.Click(target == "x.sor" ? QMessageBox::Ok : QMessageBox::Cancel);
    fx.list->OnCopySelectedFiles();

    QCOMPARE(answerer.Titles(), titles);
    if (target == "x.sor") {
        QCOMPARE(answerer.Seen()[1].Text, QString("Cannot copy a file to itself"));
        QCOMPARE(answerer.Seen()[1].Icon, QMessageBox::Information);
    }
    if (target == "y.sor") {
        QCOMPARE(answerer.Seen()[1].Icon, QMessageBox::Critical);
        QCOMPARE(answerer.Seen()[1].Buttons, QStringList({"Retry", "Cancel"}));
    }
    QCOMPARE(fx.Names(), names);
    QCOMPARE(fx.list->currentRow(), 0);
    QCOMPARE(fx.ReadAll(fx.Path("x.sor")), source);
    QCOMPARE(fx.ReadAll(fx.Path("y.sor")), other);
    if (target == "z.sor")
        QCOMPARE(fx.ReadAll(fx.Path("z.sor")), source);
}

void TestFileCommands::copiesSeveralFilesIntoChosenFolder()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    const QString elsewhere = fx.Root() + "/elsewhere";
    QVERIFY(QDir().mkpath(elsewhere));
    fx.list->SelectRow(0);
    fx.list->item(2)->setSelected(true);

    CModalAnswerer answerer;
    answerer.Then(ListFixture::Choose(elsewhere));
    fx.list->OnCopySelectedFiles();

    QCOMPARE(answerer.Titles(), QStringList({"Select dir to copy"}));
    QCOMPARE(QDir(elsewhere).entryList(QDir::Files), QStringList({"a.sor", "c.sor"}));
    QCOMPARE(fx.ReadAll(elsewhere + "/c.sor"), fx.ReadAll(fx.Path("c.sor")));
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
}

void TestFileCommands::addsCopyFromOutside()
{
    // Seven listed files were once a silent dead end of this command.
    fx.Load({"1.sor", "2.sor", "3.sor", "4.sor", "5.sor", "6.sor", "7.sor"});
    fx.list->SelectRow(2);
    const QString outside = fx.Root() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    ListFixture::WriteTo(outside, "new.sor", 200);

    CModalAnswerer answerer;
    answerer.Then(ListFixture::Choose(outside + "/new.sor"));
    fx.list->OnAddFile();

    QCOMPARE(answerer.Titles(), QStringList({"Add copy from"}));
    QCOMPARE(fx.list->GetCount(), 8);
    QCOMPARE(fx.list->GetFile(7)->GetFileName(), fx.Path("new.sor"));
    QCOMPARE(fx.ReadAll(fx.Path("new.sor")), fx.ReadAll(outside + "/new.sor"));
    QCOMPARE(fx.list->currentRow(), 2);
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 1);
}

void TestFileCommands::addRefusesListedName()
{
    fx.Load({"x.sor"});
    const QString outside = fx.Root() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    ListFixture::WriteTo(outside, "x.sor", 200);

    CModalAnswerer answerer;
    answerer.Then(ListFixture::Choose(outside + "/x.sor")).Click(QMessageBox::Ok);
    fx.list->OnAddFile();

    QCOMPARE(answerer.Titles(), QStringList({"Add copy from", "Adding file x.sor issue"}));
    QCOMPARE(answerer.Seen()[1].Text, QString("Filename is already exist"));
    QCOMPARE(fx.list->GetCount(), 1);
    QVERIFY(fx.ReadAll(fx.Path("x.sor")) != fx.ReadAll(outside + "/x.sor"));
}

void TestFileCommands::addListsFileOnceWhenWatcherListedItMeanwhile()
{
    fx.Load({"x.sor"});
    const QString outside = fx.Root() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    // Without its checksum block the copy loads with a warning box.
    ListFixture::WriteTo(outside, "w.sor");
    const QByteArray bytes = fx.ReadAll(outside + "/w.sor");
    {
        QFile cut(outside + "/w.sor");
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() - 8));
    }
    int warnings = 0;
    sor::CFile(outside + "/w.sor", &warnings);
    QCOMPARE(warnings, 1);

    // The copy's folder event arrives while the load warning is open; the
    // watcher asks about a new file and, on Yes, lists it (with the warning
    // again, in a batch). Which box the answerer sees first varies.
    CModalAnswerer answerer;
    answerer.Then(ListFixture::Choose(outside + "/w.sor"));
    for (int i = 0; i < 4; ++i)
        answerer.Then([this](QWidget* shown) {
            const QPointer<QWidget> dialog(shown);
            if (dialog->windowTitle() == "Working folder was updated") {
                CModalAnswerer::FindButton(dialog, "Yes")->click();
                return;
            }
            if (!CModalAnswerer::FindButton(dialog, "Ignore all") && !fx.Names().contains("w.sor")) {
                QEventLoop wait;
                connect(fx.list->model(), &QAbstractItemModel::rowsInserted, &wait, &QEventLoop::quit);
                QTimer::singleShot(3000, &wait, &QEventLoop::quit);
                wait.exec();
            }
            if (dialog && dialog->isVisible())
                CModalAnswerer::FindButton(dialog, "Ignore")->click();
        });
    fx.list->OnAddFile();

    QStringList titles = answerer.Titles();
    titles.sort();
    QCOMPARE(titles, QStringList({"Add copy from", "Working folder was updated",
                                  "warnings file \"w.sor\" loading found",
                                  "warnings file \"w.sor\" loading found"}));
    QCOMPARE(fx.Names(), QStringList({"x.sor", "w.sor"}));
}

void TestFileCommands::deletesToTrash_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("current");
    QTest::newRow("one, yes") << QList<int>{1} << int(QMessageBox::Yes) << "Delete file \"b.sor\""
                              << QStringList({"a.sor", "c.sor", "d.sor", "e.sor"}) << 1;
    QTest::newRow("three, yes") << QList<int>{1, 2, 4} << int(QMessageBox::Yes) << "Delete files"
                                << QStringList({"a.sor", "d.sor"}) << 1;
    QTest::newRow("last two, lowest row clamped")
        << QList<int>{3, 4} << int(QMessageBox::Yes) << "Delete files" << QStringList({"a.sor", "b.sor", "c.sor"})
        << 2;
    QTest::newRow("three, no") << QList<int>{1, 2, 4} << int(QMessageBox::No) << "Delete files"
                               << QStringList({"a.sor", "b.sor", "c.sor", "d.sor", "e.sor"}) << 1;
}

void TestFileCommands::deletesToTrash()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, answer);
    QFETCH(QString, title);
    QFETCH(QStringList, left);
    QFETCH(int, current);
    SetNeedAck(true);
    const QStringList all({"a.sor", "b.sor", "c.sor", "d.sor", "e.sor"});
    fx.Load(all);
    fx.list->SelectRow(selected.first());
    for (int row : selected)
        fx.list->item(row)->setSelected(true);
    const QString trash = fx.DataHome() + "/Trash";
    QDir(trash).removeRecursively();

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::StandardButton(answer));
    fx.list->OnDeleteSelectedFiles();

    QCOMPARE(answerer.Titles(), QStringList({title}));
    const QString text = selected.size() == 1
        ? QString("This operation will delete file \"%1\" to Windows trash.\nAre you sure?").arg(fx.Path("b.sor"))
        : QString("This operation will delete %1 selected files to Windows trash.\nAre you sure?")
              .arg(selected.size());
    QCOMPARE(answerer.Seen()[0].Text, text);
    QCOMPARE(fx.Names(), left);
    QCOMPARE(fx.list->currentRow(), current);
    for (const QString& name : all) {
        const bool bDeleted = !left.contains(name);
        QCOMPARE(QFile::exists(fx.Path(name)), !bDeleted);
        QCOMPARE(QFile::exists(trash + "/files/" + name), bDeleted);
        QCOMPARE(QFile::exists(trash + "/info/" + name + ".trashinfo"), bDeleted);
    }
    QCOMPARE(QDir(fx.Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             left);
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 1);
}

void TestFileCommands::deleteWithoutConfirmationAsksNothing()
{
    SetNeedAck(false);
    fx.Load({"a.sor", "b.sor"});
    fx.list->SelectRow(0);
    CModalAnswerer answerer;
    QTest::keyClick(fx.list.get(), Qt::Key_Delete);
    QCOMPARE(answerer.Seen().size(), 0);
    QCOMPARE(fx.Names(), QStringList({"b.sor"}));
    QVERIFY(QFile::exists(fx.DataHome() + "/Trash/files/a.sor"));
    SetNeedAck(true);
}

void TestFileCommands::deletesSelectedFilesAfterListChangedMeanwhile()
{
    SetNeedAck(true);
    fx.Load({"a.sor", "b.sor", "c.sor", "d.sor", "e.sor"});
    fx.list->SelectRow(2);
    fx.list->item(4)->setSelected(true);
    QDir(fx.DataHome() + "/Trash").removeRecursively();

    CModalAnswerer answerer;
    answerer.Then([this](QWidget* dialog) {
        // While the user reads the question, a.sor goes and its entry with it:
        // every row below moves up by one.
        // Back to the question as soon as the entry is gone, before the
        // answerer could take it for a new one.
        QEventLoop wait;
        connect(fx.list->model(), &QAbstractItemModel::rowsRemoved, &wait, &QEventLoop::quit);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        QFile::remove(fx.Path("a.sor"));
        wait.exec();
        CModalAnswerer::FindButton(dialog, "Yes")->click();
    });
    answerer.Click(QMessageBox::Yes);
    fx.list->OnDeleteSelectedFiles();

    QCOMPARE(answerer.Titles(), QStringList({"Delete files", "Working folder was updated"}));
    QCOMPARE(fx.Names(), QStringList({"b.sor", "d.sor"}));
    QVERIFY(QFile::exists(fx.Path("d.sor")));
    QVERIFY(QFile::exists(fx.DataHome() + "/Trash/files/c.sor"));
    QVERIFY(QFile::exists(fx.DataHome() + "/Trash/files/e.sor"));
}

void TestFileCommands::failedTrashMoveKeepsEntryAndEdits_data()
{
    // A regular file where a folder of the trash has to be.
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("dataHome");
    QTest::newRow("data folder below a file") << "blocker" << "blocker/data";
    QTest::newRow("trash folder is a file") << "data2/Trash" << "data2";
}

void TestFileCommands::failedTrashMoveKeepsEntryAndEdits()
{
    QFETCH(QString, blocker);
    QFETCH(QString, dataHome);
    SetNeedAck(true);
    fx.Load({"a.sor", "b.sor"});
    fx.list->SelectRow(0);
    fx.list->GetFile(0)->SetChanged(true);
    QVERIFY(QDir().mkpath(QFileInfo(fx.Root() + "/" + blocker).absolutePath()));
    QFile file(fx.Root() + "/" + blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(fx.Root() + "/" + dataHome));

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Yes).Click(QMessageBox::Ok);
    fx.list->OnDeleteSelectedFiles();
    qputenv("XDG_DATA_HOME", QFile::encodeName(fx.DataHome()));
    QFile::remove(fx.Root() + "/" + blocker);

    QCOMPARE(answerer.Titles(), QStringList({"Delete file \"a.sor\"", "Delete file \"a.sor\""}));
    QCOMPARE(answerer.Seen()[1].Text, QString("Cannot move file \"%1\" to the trash.").arg(fx.Path("a.sor")));
    QCOMPARE(answerer.Seen()[1].Icon, QMessageBox::Warning);
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor"}));
    QVERIFY(fx.list->GetFile(0)->IsChanged());
    QVERIFY(QFile::exists(fx.Path("a.sor")));
    QCOMPARE(QDir(fx.Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList({"a.sor", "b.sor"}));
    fx.list->GetFile(0)->SetChanged(false);
}

void TestFileCommands::appliesZoomToOtherFiles()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    fx.list->SelectRow(1);
    CGraphModel* model = fx.list->GetGraphModel();
    model->SetWindowSize(QSize(400, 300));
    model->SetZoom(4.0f, 2.0f, 30, 700);
    const float scaleX = model->GetScaleX();
    const float scaleY = model->GetScaleY();
    const int originX = model->GetOriginX();
    const int originY = model->GetOriginY();
    QVERIFY(scaleX > 1.0f);
    const QRect window = model->GetViewWin();

    fx.list->OnSetCurrentZoomToAllReflectograms();

    QCOMPARE(model->GetViewWin(), window);
    QCOMPARE(fx.list->GetListedFile(1)->ScaleX, 1.0f);
    for (int row : {0, 2}) {
        const QSharedPointer<tListedFile> record = fx.list->GetListedFile(row);
        QCOMPARE(record->ScaleX, scaleX);
        QCOMPARE(record->ScaleY, scaleY);
        QCOMPARE(record->OriginX, originX);
        QCOMPARE(record->OriginY, originY);
    }
    fx.list->SelectRow(2);
    QCOMPARE(model->GetScaleX(), scaleX);
    QCOMPARE(model->GetOriginX(), originX);
}

void TestFileCommands::informationDialogFeedsViewAgain()
{
    fx.Load({"a.sor"});
    CGraphModel* model = fx.list->GetGraphModel();
    const double width = model->GetGraphSize().width();
    int runs = 0;
    CFileInfo::SetExecHook([&runs](CFileInfo& dialog) {
        ++runs;
        sor::tFixedParameters fixed = *dialog.GetFile()->GetFixedParameters();
        fixed.GroupIndex.GetValue() = 1.2;
        dialog.GetFile()->SetFixedParameters(fixed);
        return int(QDialog::Accepted);
    });
    QSignalSpy updated(fx.list.get(), &CFileList::sigFileUpdated);

    fx.list->OnFileInformation();

    QCOMPARE(runs, 1);
    QVERIFY(!updated.isEmpty());
    QCOMPARE(updated.last().first().toBool(), true);
    // Distances scale with 1/k: 1.5 -> 1.2 makes the trace 25 % longer.
    QVERIFY(qAbs(model->GetGraphSize().width() / width - 1.25) < 1e-3);
    fx.list->GetFile(0)->SetChanged(false);
}

void TestFileCommands::rejectedInformationChangesNothing()
{
    fx.Load({"a.sor"});
    QSignalSpy updated(fx.list.get(), &CFileList::sigFileUpdated);
    CModalAnswerer answerer;
    answerer.Then([](QWidget* dialog) {
        if (auto* cable = dialog->findChild<QLineEdit*>("CID")) {
            cable->setText("edited, then cancelled");
            cable->setModified(true);
        }
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    fx.list->OnFileInformation(true);
    QCOMPARE(answerer.Titles(), QStringList({"Information [a.sor]"}));
    QCOMPARE(answerer.Pending(), 0);
    QVERIFY(updated.isEmpty());
    QVERIFY(!fx.list->GetFile(0)->IsChanged());
    QCOMPARE(fx.list->GetFile(0)->GetGeneralParameters()->CableId.GetValue(), QString());
}

void TestFileCommands::receivedFileOpensInformation()
{
    fx.Load({"a.sor"});
    QStringList shown;
    CFileInfo::SetExecHook([&shown](CFileInfo& dialog) {
        shown << dialog.GetFile()->GetShortFileName();
        return int(QDialog::Rejected);
    });
    auto received = TraceBuilder(100).Flat(1000).Build(fx.Root() + "/r.sor");
    received->Save();
    const QByteArray bytes = fx.ReadAll(fx.Root() + "/r.sor");
    IDevicePlugin::tCommandRes files;
    files.push_back({fx.Path("received.sor"), bytes});
    CModalAnswerer answerer;
    fx.list->OpenFiles(files);
    QCOMPARE(shown, QStringList({"received.sor"}));
    QCOMPARE(fx.list->GetCurrentFile()->GetShortFileName(), QString("received.sor"));
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 0);
}

void TestFileCommands::saveAllStopsOnAbort()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    for (int row = 0; row < 3; ++row)
        fx.list->GetFile(row)->SetChanged(true);
    // A folder where b.sor was makes its save fail. The watcher asks about
    // the vanished file whenever the folder changes (the first save does);
    // No keeps it listed.
    CModalAnswerer answerer;
    for (int i = 0; i < 4; ++i)
        answerer.Then([](QWidget* dialog) {
            const bool bWatcher = dialog->windowTitle() == "Working folder was updated";
            CModalAnswerer::FindButton(dialog, bWatcher ? "No" : "Abort")->click();
        });
    QVERIFY(QFile::remove(fx.Path("b.sor")));
    QVERIFY(QDir(fx.Folder()).mkdir("b.sor"));
    QTRY_COMPARE(answerer.Seen().size(), 1);

    fx.list->OnSaveAll();
    QTest::qWait(200);

    QStringList saving = answerer.Titles().filter("Saving");
    QCOMPARE(saving.size(), 1);
    QVERIFY(saving[0] == "Saving file \"b.sor\" problem" || saving[0] == "Saving file \"b.sor\" error");
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
    QVERIFY(!fx.list->GetFile(0)->IsChanged());
    QVERIFY(fx.list->GetFile(1)->IsChanged());
    QVERIFY(fx.list->GetFile(2)->IsChanged());
    for (int row : {1, 2})
        fx.list->GetFile(row)->SetChanged(false);
}

void TestFileCommands::saveSavesCurrentOnly()
{
    fx.Load({"a.sor", "b.sor"});
    fx.list->SelectRow(1);
    fx.list->GetFile(0)->SetChanged(true);
    fx.list->GetFile(1)->SetChanged(true);
    fx.list->OnSaveFile();
    QVERIFY(fx.list->GetFile(0)->IsChanged());
    QVERIFY(!fx.list->GetFile(1)->IsChanged());
    fx.list->GetFile(0)->SetChanged(false);
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
