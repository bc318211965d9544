#include "ListFixture.h"

#include "support/LogCatcher.h"

#include <QApplication>
#include <QMessageBox>

namespace {

const QString cTitle = "Working folder was updated";
const QString cRemovedPlain = "%1\n\nThe file has removed outside of program.\nDo you want to remove it from file list?";
const QString cRemovedLosing = "%1\n\nThe file has removed outside of program.\nDo you want to remove it from "
                               "file list and lose the changes you made?";
const QString cAdded = "Some files in the current folder was added.\nDo you want update file list?";

int VisibleMessageBoxes()
{
    int n = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        n += qobject_cast<QMessageBox*>(widget) && widget->isVisible();
    return n;
}

} // namespace

class TestWatcher : public QObject
{
    Q_OBJECT

private slots:
    void init() { fx.Open(); }
    void cleanup() { fx.Close(); }

    void removedFileAsks_data();
    void removedFileAsks();
    void yesToAllHoldsForOneBatch();
    void addedTracesAskOnce_data();
    void addedTracesAskOnce();
    void otherChangesAskNothing();
    void burstRaisesOneNotification();
    void pathClosedMeanwhileIsNotAsked();
    void removalDuringAddedQuestionIsAsked();
    void answersHoldForTheirBatch_data();
    void answersHoldForTheirBatch();

private:
    ListFixture fx;
};

void TestWatcher::removedFileAsks_data()
{
    QTest::addColumn<bool>("bEdited");
    QTest::addColumn<int>("answer");
    QTest::newRow("unedited, yes") << false << int(QMessageBox::Yes);
    QTest::newRow("unedited, no") << false << int(QMessageBox::No);
    QTest::newRow("edited, yes") << true << int(QMessageBox::Yes);
    QTest::newRow("edited, no") << true << int(QMessageBox::No);
}

void TestWatcher::removedFileAsks()
{
    QFETCH(bool, bEdited);
    QFETCH(int, answer);
    fx.Load({"a.sor", "b.sor"});
    fx.list->SelectRow(0);
    if (bEdited)
        fx.list->GetFile(1)->SetChanged(true);

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::StandardButton(answer));
    QVERIFY(QFile::remove(fx.Path("b.sor")));
    QTRY_COMPARE(answerer.Seen().size(), 1);
    QTest::qWait(200);

    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, cTitle);
    QCOMPARE(answerer.Seen()[0].Text, (bEdited ? cRemovedLosing : cRemovedPlain).arg(fx.Path("b.sor")));
    QCOMPARE(answerer.Seen()[0].Buttons.size(), 4);
    if (answer == QMessageBox::Yes) {
        QCOMPARE(fx.Names(), QStringList({"a.sor"}));
    } else {
        QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor"}));
        // Saving is the only way left to keep the trace.
        QVERIFY(fx.list->GetFile(1)->IsChanged());
        fx.list->GetFile(1)->SetChanged(false);
    }
    QVERIFY(!fx.list->GetFile(0)->IsChanged());
}

void TestWatcher::yesToAllHoldsForOneBatch()
{
    fx.Load({"a.sor", "b.sor", "c.sor", "d.sor"});
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::YesToAll);
    for (const char* name : {"a.sor", "b.sor", "c.sor"})
        QVERIFY(QFile::remove(fx.Path(name)));
    QTRY_COMPARE(fx.Names(), QStringList({"d.sor"}));
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 1);

    answerer.Click(QMessageBox::Yes);
    QVERIFY(QFile::remove(fx.Path("d.sor")));
    QTRY_COMPARE(answerer.Seen().size(), 2);
    QCOMPARE(answerer.Seen()[1].Text, cRemovedPlain.arg(fx.Path("d.sor")));
    QCOMPARE(fx.list->GetCount(), 0);
}

void TestWatcher::addedTracesAskOnce_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("yes") << int(QMessageBox::Yes) << QStringList({"a.sor", "b.sor", "c.sor"});
    QTest::newRow("no") << int(QMessageBox::No) << QStringList({"a.sor"});
}

void TestWatcher::addedTracesAskOnce()
{
    QFETCH(int, answer);
    QFETCH(QStringList, names);
    fx.Load({"a.sor"});
    // Written elsewhere and moved in, as a copy in a file manager lands.
    const QString outside = fx.Root() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    for (const char* name : {"b.sor", "c.sor"}) {
        ListFixture::WriteTo(outside, name);
        QVERIFY(QFile::rename(outside + "/" + name, fx.Path(name)));
    }

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::StandardButton(answer));
    QTRY_COMPARE(answerer.Seen().size(), 1);
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, cTitle);
    QCOMPARE(answerer.Seen()[0].Text, cAdded);
    QCOMPARE(answerer.Seen()[0].Buttons.size(), 2);
    QCOMPARE(fx.Names(), names);
}

void TestWatcher::otherChangesAskNothing()
{
    fx.Load({"a.sor", "b.sor"});
    CModalAnswerer answerer;
    QFile text(fx.Path("notes.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a trace");
    text.close();
    // Rewritten by another program, still there: not acted on.
    TraceBuilder(500).Flat(3000).Build(fx.Path("a.sor"))->Save();
    QTest::qWait(300);
    QCOMPARE(answerer.Seen().size(), 0);
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor"}));
    QVERIFY(!fx.list->GetFile(0)->IsChanged());
}

void TestWatcher::burstRaisesOneNotification()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    int most = 0;
    CModalAnswerer answerer;
    answerer.Then([this, &most](QWidget* dialog) {
        // More changes while the first question is open: they wait their turn.
        QFile::remove(fx.Path("b.sor"));
        ListFixture::WriteTo(fx.Folder(), "new.sor");
        QTest::qWait(200);
        most = qMax(most, VisibleMessageBoxes());
        CModalAnswerer::FindButton(dialog, "No")->click();
    });
    answerer.Click(QMessageBox::No).Click(QMessageBox::No);
    QVERIFY(QFile::remove(fx.Path("a.sor")));
    QTRY_COMPARE(answerer.Seen().size(), 3);
    QTest::qWait(200);

    QCOMPARE(most, 1);
    QCOMPARE(answerer.Seen().size(), 3);
    QCOMPARE(answerer.Seen()[0].Text, cRemovedPlain.arg(fx.Path("a.sor")));
    // Whether the later changes reach the pass under way or the next one.
    QStringList later({answerer.Seen()[1].Text, answerer.Seen()[2].Text});
    later.sort();
    QCOMPARE(later, QStringList({cRemovedPlain.arg(fx.Path("b.sor")), cAdded}));
    QCOMPARE(fx.Names(), QStringList({"a.sor", "b.sor", "c.sor"}));
    for (int row : {0, 1})
        fx.list->GetFile(row)->SetChanged(false);
}

void TestWatcher::pathClosedMeanwhileIsNotAsked()
{
    fx.Load({"a.sor", "b.sor", "c.sor"});
    LogCatcher log;
    CModalAnswerer answerer;
    answerer.Then([this](QWidget* dialog) {
        // The program closes b.sor while the question about a.sor is open.
        QVERIFY(fx.list->CloseFile(1));
        CModalAnswerer::FindButton(dialog, "Yes")->click();
    });
    QVERIFY(QFile::remove(fx.Path("a.sor")));
    QVERIFY(QFile::remove(fx.Path("b.sor")));
    QTRY_COMPARE(fx.Names(), QStringList({"c.sor"}));
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Text, cRemovedPlain.arg(fx.Path("a.sor")));
    QCOMPARE(log.Texts(QtCriticalMsg).filter("ASSERTION"), QStringList());
}

void TestWatcher::removalDuringAddedQuestionIsAsked()
{
    fx.Load({"a.sor", "b.sor"});
    CModalAnswerer answerer;
    answerer.Then([this](QWidget* dialog) {
        // Every event of the removal arrives while the question is open.
        QFile::remove(fx.Path("b.sor"));
        QTest::qWait(200);
        CModalAnswerer::FindButton(dialog, "No")->click();
    });
    answerer.Click(QMessageBox::Yes);
    ListFixture::WriteTo(fx.Folder(), "new.sor");

    QTRY_COMPARE(answerer.Seen().size(), 2);
    QCOMPARE(answerer.Seen()[0].Text, cAdded);
    QCOMPARE(answerer.Seen()[1].Text, cRemovedPlain.arg(fx.Path("b.sor")));
    QCOMPARE(fx.Names(), QStringList({"a.sor"}));
}

void TestWatcher::answersHoldForTheirBatch_data()
{
    QTest::addColumn<bool>("bRemoved");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("afterFirst");
    QTest::addColumn<QStringList>("afterSecond");
    // The first event takes a.sor and b.sor away or brings n1.sor and n2.sor;
    // the second takes c.sor away or brings n3.sor, and is answered Yes.
    const QStringList all({"a.sor", "b.sor", "c.sor", "d.sor"});
    QTest::newRow("removed, yes") << true << QList<int>({QMessageBox::Yes, QMessageBox::Yes})
                                  << QStringList({"c.sor", "d.sor"}) << QStringList({"d.sor"});
    QTest::newRow("removed, no") << true << QList<int>({QMessageBox::No, QMessageBox::No}) << all
                                 << QStringList({"a.sor", "b.sor", "d.sor"});
    QTest::newRow("removed, yes to all") << true << QList<int>({QMessageBox::YesToAll})
                                         << QStringList({"c.sor", "d.sor"}) << QStringList({"d.sor"});
    QTest::newRow("removed, no to all") << true << QList<int>({QMessageBox::NoToAll}) << all
                                        << QStringList({"a.sor", "b.sor", "d.sor"});
    QTest::newRow("added, yes") << false << QList<int>({QMessageBox::Yes}) << all + QStringList({"n1.sor", "n2.sor"})
                                << all + QStringList({"n1.sor", "n2.sor", "n3.sor"});
    // Yes to the later question reads the whole folder again.
    QTest::newRow("added, no") << false << QList<int>({QMessageBox::No}) << all
                               << all + QStringList({"n1.sor", "n2.sor", "n3.sor"});
}

void TestWatcher::answersHoldForTheirBatch()
{
    QFETCH(bool, bRemoved);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, afterFirst);
    QFETCH(QStringList, afterSecond);
    fx.Load({"a.sor", "b.sor", "c.sor", "d.sor"});
    const QString outside = fx.Root() + "/outside";
    QVERIFY(QDir().mkpath(outside));
    const auto bring = [&](const QString& name) {
        ListFixture::WriteTo(outside, name);
        QVERIFY(QFile::rename(outside + "/" + name, fx.Path(name)));
    };

    CModalAnswerer answerer;
    for (int answer : answers)
        answerer.Click(QMessageBox::StandardButton(answer));
    if (bRemoved) {
        QVERIFY(QFile::remove(fx.Path("a.sor")));
        QVERIFY(QFile::remove(fx.Path("b.sor")));
    } else {
        bring("n1.sor");
        bring("n2.sor");
    }
    QTRY_COMPARE(answerer.Seen().size(), answers.size());
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), answers.size());
    if (bRemoved) {
        QCOMPARE(answerer.Seen()[0].Text, cRemovedPlain.arg(fx.Path("a.sor")));
        if (answers.size() == 2)
            QCOMPARE(answerer.Seen()[1].Text, cRemovedPlain.arg(fx.Path("b.sor")));
    } else {
        QCOMPARE(answerer.Seen()[0].Text, cAdded);
    }
    QCOMPARE(fx.Names(), afterFirst);

    // A later event is a batch of its own: asked again, and only about itself.
    answerer.Click(QMessageBox::Yes);
    if (bRemoved)
        QVERIFY(QFile::remove(fx.Path("c.sor")));
    else
        bring("n3.sor");
    QTRY_COMPARE(answerer.Seen().size(), answers.size() + 1);
    QTest::qWait(200);
    QCOMPARE(answerer.Seen().size(), answers.size() + 1);
    QCOMPARE(answerer.Seen().last().Text, bRemoved ? cRemovedPlain.arg(fx.Path("c.sor")) : cAdded);
    QCOMPARE(fx.Names(), afterSecond);
    for (int row = 0; row < fx.list->GetCount(); ++row)
        fx.list->GetFile(row)->SetChanged(false);
}

QTEST_MAIN(TestWatcher)
#include "tst_watcher.moc"
