#include "support/LogCatcher.h"

#include "device/DFinfoTreeModel.h"
#include "device/DeviceExchangeDlg.h"
#include "device/FInfo.h"
#include "device/SelectFolderDialog.h"
#include "resources/Resources.h"

#include <QAbstractItemModelTester>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

FInfo* Add(FInfo* parent, const QString& name, int isFolder, const QString& size = QString(),
           const QString& date = QString())
{
    auto* entry = new FInfo(parent);
    entry->name = name;
    entry->isFolder = isFolder;
    entry->size = size;
    entry->date = date;
    parent->AddChild(entry);
    return entry;
}

// "0:" holding folder A (a1, a2) and folder B (sub-folder C with c1).
std::unique_ptr<FInfo> Tree()
{
    auto root = std::make_unique<FInfo>(nullptr);
    root->name = "0:";
    root->isFolder = 1;
    FInfo* a = Add(root.get(), "A", 1);
    Add(a, "a1.sor", 0, "12345", "01.02.2026");
    Add(a, "a2.sor", 0, "23456", "02.02.2026");
    FInfo* b = Add(root.get(), "B", 1);
    FInfo* c = Add(b, "C", 1);
    Add(c, "c1.sor", 0, "345", "03.02.2026");
    return root;
}

QStringList Names(const QList<FInfo*>& entries)
{
    QStringList names;
    for (const FInfo* e : entries)
        names << e->name;
    return names;
}

QModelIndex Find(QAbstractItemModel* model, const QString& name)
{
    const QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

QString BarText(CDeviceExchangeDlg& dlg)
{
    return dlg.findChild<QProgressBar*>()->text();
}

void Release(QPushButton* button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

QString GrabPath(const QString& name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/grabs");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

} // namespace

class TestExchangeDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitResources(); }

    void countsWaitingSeconds();
    void showsPartOfWhole();
    void cancelsOnRelease();
    void escapeAndCloseOnlyCancel_data();
    void escapeAndCloseOnlyCancel();
    void keepsCancelWithdrawnAfterTheUsersCancel_data();
    void keepsCancelWithdrawnAfterTheUsersCancel();
    void logsBrokenPreconditions();
    void isAPlainModalWindow();
    void checksLeafFoldersOnly();
    void choosesByClicks();
    void downloadsAllWithFoldersAfterTheirContents();
    void rootOfFilesAndEmptyRoot();
    void passesTheModelTester();
    void laysOutTheBrowser();
    void grabsBothLanguages_data();
    void grabsBothLanguages();
};

void TestExchangeDialogs::countsWaitingSeconds()
{
    CDeviceExchangeDlg dlg;
    auto* bar = dlg.findChild<QProgressBar*>();
    auto* cancel = dlg.findChild<QPushButton*>();
    dlg.show();
    dlg.SetWaiting(30, true);
    QVERIFY(bar->isVisible());
    QCOMPARE(BarText(dlg), QString("0/30 sec"));
    QVERIFY(cancel->isVisible());
    for (int i = 0; i < 5; ++i)
        dlg.tick();
    QCOMPARE(BarText(dlg), QString("5/30 sec"));

    dlg.SetWaiting(20, false);
    QCOMPARE(bar->maximum(), 50);
    QCOMPARE(bar->value(), 5);
    QVERIFY(!cancel->isVisible());

    // A short wait has no count; a long one stops at its full count.
    dlg.show();
    dlg.SetWaiting(2, false);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->format(), QString());
    dlg.show();
    dlg.SetWaiting(30, false);
    for (int i = 0; i < 31; ++i)
        dlg.tick();
    QCOMPARE(BarText(dlg), QString("30/30 sec"));

    // 0 seconds: only texts and Cancel change.
    dlg.SetWaiting(0, true);
    QCOMPARE(bar->maximum(), 30);
    QVERIFY(cancel->isVisible());
}

void TestExchangeDialogs::showsPartOfWhole()
{
    CDeviceExchangeDlg dlg;
    auto* bar = dlg.findChild<QProgressBar*>();
    auto* cancel = dlg.findChild<QPushButton*>();
    QLabel* extra = dlg.findChildren<QLabel*>().value(0);
    dlg.show();
    dlg.SetWaiting(30, true, "Wave length 1310ns (laser 0 from 2)");
    QVERIFY(extra->isVisible());
    dlg.SetProgress(3, 10, false);
    QCOMPARE(BarText(dlg), QString("3/10"));
    QVERIFY(!cancel->isVisible());
    dlg.tick();
    dlg.SetProgress(0, 0, true);
    QCOMPARE(BarText(dlg), QString("4/10"));
    QVERIFY(cancel->isVisible());
    // The seconds no longer count: SetProgress stopped the timer.
    QTest::qWait(1200);
    QCOMPARE(bar->value(), 4);

    // The extra message outlives show() until a wait without one.
    dlg.show();
    QVERIFY(extra->isVisible());
    QCOMPARE(extra->text(), QString("Wave length 1310ns (laser 0 from 2)"));
    dlg.SetWaiting(3, true, QString());
    QVERIFY(!extra->isVisible());
}

void TestExchangeDialogs::cancelsOnRelease()
{
    CDeviceExchangeDlg dlg;
    auto* cancel = dlg.findChild<QPushButton*>();
    QSignalSpy cancelled(&dlg, &CDeviceExchangeDlg::sigCancel);
    dlg.show();
    dlg.SetWaiting(30, true);
    Release(cancel);
    QCOMPARE(cancelled.count(), 1);
    QVERIFY(!cancel->isVisible());
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.findChildren<QLabel*>("").isEmpty());
    QStringList texts;
    for (QLabel* label : dlg.findChildren<QLabel*>())
        texts << label->text();
    QVERIFY2(texts.contains("Cancellation, please wait..."), qPrintable(texts.join('|')));
}

void TestExchangeDialogs::escapeAndCloseOnlyCancel_data()
{
    QTest::addColumn<bool>("bCloseButton");
    QTest::addColumn<bool>("bOffered");
    QTest::newRow("Esc, Cancel offered") << false << true;
    QTest::newRow("Esc, no Cancel") << false << false;
    QTest::newRow("close button, Cancel offered") << true << true;
    QTest::newRow("close button, no Cancel") << true << false;
}

// The exchange goes on whatever the window does: neither Esc nor the
// window's close button may hide it; they cancel where Cancel is offered.
void TestExchangeDialogs::escapeAndCloseOnlyCancel()
{
    QFETCH(bool, bCloseButton);
    QFETCH(bool, bOffered);
    CDeviceExchangeDlg dlg;
    QSignalSpy cancelled(&dlg, &CDeviceExchangeDlg::sigCancel);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.SetWaiting(30, bOffered);
    const auto dismiss = [&] {
        if (bCloseButton) {
            // What the window system sends for the title bar's close button.
            QCloseEvent close;
            QCoreApplication::sendEvent(dlg.windowHandle(), &close);
        } else {
            QTest::keyClick(&dlg, Qt::Key_Escape);
        }
    };
    QStringList texts;
    const auto labels = [&] {
        texts.clear();
        for (QLabel* label : dlg.findChildren<QLabel*>())
            texts << label->text();
        return texts;
    };

    dismiss();
    QVERIFY(dlg.isVisible());
    QCOMPARE(cancelled.count(), bOffered ? 1 : 0);
    QVERIFY(!dlg.findChild<QPushButton*>()->isVisible());
    QVERIFY(labels().contains(bOffered ? "Cancellation, please wait..." : "Wait for device communicates..."));
    // Once more while the cancellation runs: still one cancel, still shown.
    dismiss();
    QVERIFY(dlg.isVisible());
    QCOMPARE(cancelled.count(), bOffered ? 1 : 0);
    QVERIFY(labels().contains(bOffered ? "Cancellation, please wait..." : "Wait for device communicates..."));
    dlg.hide();
}

void TestExchangeDialogs::keepsCancelWithdrawnAfterTheUsersCancel_data()
{
    QTest::addColumn<QString>("raised");
    QTest::newRow("waiting") << "waiting";
    QTest::newRow("progress") << "progress";
    QTest::newRow("cancellation offered") << "cancellation";
}

// The exchange thread may still offer Cancel after the user's click, before
// it noticed the cancel (a download raises progress for every chunk): the
// button and Esc stay withdrawn until the next command's show().
void TestExchangeDialogs::keepsCancelWithdrawnAfterTheUsersCancel()
{
    QFETCH(QString, raised);
    CDeviceExchangeDlg dlg;
    auto* cancel = dlg.findChild<QPushButton*>();
    QSignalSpy cancelled(&dlg, &CDeviceExchangeDlg::sigCancel);
    const auto labels = [&] {
        QStringList texts;
        for (QLabel* label : dlg.findChildren<QLabel*>())
            texts << label->text();
        return texts;
    };
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.SetProgress(1, 5, true);
    Release(cancel);
    QCOMPARE(cancelled.count(), 1);

    if (raised == "waiting")
        dlg.SetWaiting(5, true, "Realtime view");
    else if (raised == "progress")
        dlg.SetProgress(2, 5, true);
    else
        dlg.EnableCancellation(true);
    QVERIFY(!cancel->isVisible());
    QVERIFY2(labels().contains("Cancellation, please wait..."), qPrintable(labels().join('|')));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(cancelled.count(), 1);
    QVERIFY(dlg.isVisible());

    // The next command offers Cancel afresh.
    dlg.show();
    QVERIFY(labels().contains("Wait for device communicates..."));
    dlg.EnableCancellation(true);
    QVERIFY(cancel->isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(cancelled.count(), 2);
    dlg.hide();
}

void TestExchangeDialogs::logsBrokenPreconditions()
{
    CDeviceExchangeDlg dlg;
    dlg.show();
    LogCatcher log;
    dlg.SetWaiting(-1, true);
    dlg.SetProgress(5, 3, true);
    QCOMPARE(dlg.findChild<QProgressBar*>()->maximum(), 3);
    dlg.SetProgress(0, -1, true);
    QCOMPARE(log.Texts(QtCriticalMsg), QStringList({"ASSERTION FAILED: sec>=0", "ASSERTION FAILED: cur>=0&&cur<=total",
                                                    "ASSERTION FAILED: cur>=0&&cur<=total",
                                                    "ASSERTION FAILED: total>=0"}));
    QVERIFY(dlg.findChild<QPushButton*>()->isVisible());
}

void TestExchangeDialogs::isAPlainModalWindow()
{
    CDeviceExchangeDlg dlg;
    // A plain window with a fixed frame, not a dialog; Qt adds the title-bar hints itself.
    QCOMPARE(dlg.windowFlags() & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(dlg.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    dlg.show();
    QCOMPARE(dlg.windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), &dlg);
    auto* layout = qobject_cast<QVBoxLayout*>(dlg.layout());
    QVERIFY(layout);
    QCOMPARE(layout->count(), 4);
    auto* extra = qobject_cast<QLabel*>(layout->itemAt(0)->widget());
    auto* message = qobject_cast<QLabel*>(layout->itemAt(1)->widget());
    QVERIFY(extra && message);
    QCOMPARE(message->text(), QString("Wait for device communicates..."));
    QVERIFY(qobject_cast<QProgressBar*>(layout->itemAt(2)->widget()));
    QCOMPARE(qobject_cast<QPushButton*>(layout->itemAt(3)->widget())->text(), QString("Cancel"));
    dlg.hide();
}

void TestExchangeDialogs::checksLeafFoldersOnly()
{
    const auto root = Tree();
    DFinfoTreeModel model({"Name", "Size", "Date"}, root.get());
    const QModelIndex top = model.index(0, 0);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(top.data().toString(), QString("0:"));
    QVERIFY(!top.data(Qt::CheckStateRole).isValid());
    QCOMPARE(Find(&model, "A").data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QCOMPARE(Find(&model, "C").data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QVERIFY(!Find(&model, "B").data(Qt::CheckStateRole).isValid());
    QVERIFY(!Find(&model, "a1.sor").data(Qt::CheckStateRole).isValid());
    for (const char* name : {"0:", "A", "B", "C", "a1.sor"})
        QVERIFY(!(model.flags(Find(&model, name)) & Qt::ItemIsUserCheckable));
    // Texts as stored, icons by kind.
    const QModelIndex a1 = Find(&model, "a1.sor");
    QCOMPARE(a1.sibling(a1.row(), 1).data().toString(), QString("12345"));
    QCOMPARE(a1.sibling(a1.row(), 2).data().toString(), QString("01.02.2026"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("Date"));
    const QIcon folder = Find(&model, "A").data(Qt::DecorationRole).value<QIcon>();
    const QIcon file = a1.data(Qt::DecorationRole).value<QIcon>();
    QVERIFY(!folder.isNull() && !file.isNull());
    QVERIFY(folder.pixmap(16).toImage() == QIcon(":/images/FolderSmall.png").pixmap(16).toImage());
    QVERIFY(file.pixmap(16).toImage() == QIcon(":/images/ShowDescription.png").pixmap(16).toImage());
}

void TestExchangeDialogs::choosesByClicks()
{
    const auto root = Tree();
    SelectFolderDialog dialog(root.get());
    auto* view = dialog.findChild<QTreeView*>("treeView");
    QAbstractItemModel* model = view->model();
    auto click = [&](const QString& name) {
        QMetaObject::invokeMethod(&dialog, "onTreeItemClicked", Q_ARG(QModelIndex, Find(model, name)));
        return Names(dialog.GetFiles());
    };
    QCOMPARE(click("A"), QStringList({"a1.sor", "a2.sor"}));
    QCOMPARE(click("C"), QStringList({"c1.sor"}));
    QCOMPARE(click("C"), QStringList());
    QCOMPARE(click("a2.sor"), QStringList({"a2.sor"}));
    QCOMPARE(click("B"), QStringList());
    QCOMPARE(click("A"), QStringList({"a1.sor", "a2.sor"}));
    // "Download all" and back keeps the choice.
    dialog.findChild<QRadioButton*>("radioButtonLoadAll")->click();
    QVERIFY(!view->isEnabled());
    QVERIFY(dialog.IsAllFiles());
    dialog.findChild<QRadioButton*>("radioButtonLoadSelectedFolder")->click();
    QVERIFY(view->isEnabled());
    QCOMPARE(Names(dialog.GetFiles()), QStringList({"a1.sor", "a2.sor"}));
}

void TestExchangeDialogs::downloadsAllWithFoldersAfterTheirContents()
{
    const auto root = Tree();
    SelectFolderDialog dialog(root.get());
    dialog.findChild<QRadioButton*>("radioButtonLoadAll")->click();
    QCOMPARE(Names(dialog.GetFiles()), QStringList({"a1.sor", "a2.sor", "A", "c1.sor", "C", "B"}));
}

void TestExchangeDialogs::rootOfFilesAndEmptyRoot()
{
    FInfo files(nullptr);
    files.name = "0:";
    files.isFolder = 1;
    Add(&files, "x.sor", 0);
    Add(&files, "y.sor", 0);
    SelectFolderDialog dialog(&files);
    QAbstractItemModel* model = dialog.findChild<QTreeView*>()->model();
    QCOMPARE(model->index(0, 0).data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QMetaObject::invokeMethod(&dialog, "onTreeItemClicked", Q_ARG(QModelIndex, model->index(0, 0)));
    QCOMPARE(Names(dialog.GetFiles()), QStringList({"x.sor", "y.sor"}));

    FInfo empty(nullptr);
    empty.name = "0:";
    SelectFolderDialog nothing(&empty);
    QAbstractItemModel* none = nothing.findChild<QTreeView*>()->model();
    QCOMPARE(none->rowCount(), 1);
    QCOMPARE(none->rowCount(none->index(0, 0)), 0);
    nothing.findChild<QRadioButton*>("radioButtonLoadAll")->click();
    QCOMPARE(nothing.GetFiles(), QList<FInfo*>());
}

void TestExchangeDialogs::passesTheModelTester()
{
    const auto root = Tree();
    DFinfoTreeModel model({"Name", "Size", "Date"}, root.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QModelIndex c = Find(&model, "C");
    model.setData(c, Qt::Checked, Qt::CheckStateRole);
    QCOMPARE(Names(model.GetCheckedFiles()), QStringList({"c1.sor"}));
    QVERIFY(model.setHeaderData(1, Qt::Horizontal, "Bytes"));
    QVERIFY(!model.setData(Find(&model, "B"), Qt::Checked, Qt::CheckStateRole));

    FInfo files(nullptr);
    Add(&files, "x.sor", 0);
    DFinfoTreeModel flat({"Name", "Size", "Date"}, &files);
    QAbstractItemModelTester flatTester(&flat, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestExchangeDialogs::laysOutTheBrowser()
{
    const auto root = Tree();
    {
        SelectFolderDialog dialog(root.get());
        QCOMPARE(dialog.windowTitle(), QString("Download files"));
        QCOMPARE(dialog.objectName(), QString("selectFolderDialog"));
        QCOMPARE(dialog.size(), QSize(640, 480));
        QVERIFY(dialog.findChild<QRadioButton*>("radioButtonLoadSelectedFolder")->isChecked());
        QVERIFY(!dialog.findChild<QRadioButton*>("radioButtonLoadAll")->isChecked());
        auto* view = dialog.findChild<QTreeView*>("treeView");
        QVERIFY(view->isEnabled());
        QCOMPARE(view->frameShape(), QFrame::Panel);
        for (const char* folder : {"0:", "A", "B", "C"})
            QVERIFY2(view->isExpanded(Find(view->model(), folder)), folder);
        QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(), QString("Name"));
        QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), QString("Size"));
        QVERIFY(view->columnWidth(0) >= view->fontMetrics().horizontalAdvance("a1.sor"));
        QMetaObject::invokeMethod(&dialog, "onTreeItemClicked", Q_ARG(QModelIndex, Find(view->model(), "A")));
        dialog.reject();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    // The tree belongs to the engine and outlives the dialog.
    QCOMPARE(root->children.size(), 2);
    QCOMPARE(root->children.at(0)->children.at(1)->name, QString("a2.sor"));
}

void TestExchangeDialogs::grabsBothLanguages_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("tag");
    QTest::newRow("English") << ":/translations/English.qm" << "en";
    QTest::newRow("Russian") << ":/translations/Русский.qm" << "ru";
}

void TestExchangeDialogs::grabsBothLanguages()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, tag);
    QTranslator translator;
    QVERIFY(translator.load(catalogue));
    QCoreApplication::installTranslator(&translator);
    {
        CDeviceExchangeDlg dlg;
        dlg.show();
        dlg.SetWaiting(30, true, tag == "en" ? "Wave length 1310ns (laser 0 from 2)" : "Длина волны 1310 нм");
        for (int i = 0; i < 12; ++i)
            dlg.tick();
        dlg.adjustSize();
        QVERIFY(dlg.grab().save(GrabPath("progress-" + tag + ".png")));
        dlg.hide();

        const auto root = Tree();
        SelectFolderDialog browser(root.get());
        QMetaObject::invokeMethod(&browser, "onTreeItemClicked",
                                  Q_ARG(QModelIndex, Find(browser.findChild<QTreeView*>()->model(), "A")));
        browser.show();
        QVERIFY(browser.grab().save(GrabPath("browser-" + tag + ".png")));
    }
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestExchangeDialogs)
#include "tst_exchangedialogs.moc"
