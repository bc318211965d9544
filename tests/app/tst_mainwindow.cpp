#include "support/LogCatcher.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include "app/MainOpt.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "core/BalloonTip.h"
#include "core/CrashCallback.h"
#include "core/CrashReporter.h"
#include "device/Device.h"
#include "filelist/FileList.h"
#include "graph/Cursors.h"
#include "graph/EventList.h"
#include "graph/GraphDlg.h"
#include "graph/GraphModel.h"
#include "graph/GraphPix.h"
#include "graph/GraphTools.h"
#include "graph/GraphView.h"
#include "print/ParametersOpt.h"
#include "print/Printer.h"
#include "resources/Resources.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <memory>
#include <thread>

namespace {

// The application's own arguments, which each test sets before it builds a
// window; QtTest keeps the real ones.
int gArgc = 1;
char* gArgv[4];
QByteArray gArgStore[4];

void SetArguments(const QStringList& extra)
{
    for (int i = 0; i < extra.size(); ++i) {
        gArgStore[i + 1] = extra[i].toLocal8Bit();
        gArgv[i + 1] = gArgStore[i + 1].data();
    }
    gArgc = 1 + extra.size();
}

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* a : actions)
        texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return texts;
}

QAction* FindAction(QWidget* window, const QString& text)
{
    for (QAction* a : window->findChildren<QAction*>())
        if (a->text() == text && !a->text().endsWith(QLatin1String("\tDel")))
            return a;
    return nullptr;
}

QToolBar* FindToolBar(QWidget* window, const QString& title)
{
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        if (bar->windowTitle() == title)
            return bar;
    return nullptr;
}

// Window state seen while the report sender is waited for.
QWidget* gReportWindow = nullptr;
QList<bool> gEnabledWhileWaiting;

class CRecordingSender : public ICrashSender
{
public:
    eWait Wait(int) override
    {
        gEnabledWhileWaiting << (gReportWindow && gReportWindow->isEnabled());
        return eWait::Ended;
    }
};

int RecordingCallback(const tCrashCallbackInfo& info)
{
    if (info.Stage != tCrashCallbackInfo::StageSenderStarted)
        return CrashCallback(info);
    return CrashCallback({info.Stage, info.Reporter, tCrashSenderHandle(new CRecordingSender)});
}

// Stands in for the desktop's document viewer.
class CUrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened << url; }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buildsMenusToolBarsAndStatusBar();
    void actionsFollowTheList();
    void deviceActionsFollowThePanel();
    void deviceUpdateFromItsThreadReachesTheView();
    void statusBarShowsTheZoom_data();
    void statusBarShowsTheZoom();
    void workingLocationComesFromOneArgument_data();
    void workingLocationComesFromOneArgument();
    void opensMaximizedByDefault_data();
    void opensMaximizedByDefault();
    void cancelledCloseKeepsWindowAndSettings();
    void acceptedCloseStoresGeometryAndPrinter();
    void aboutShowsTheVersion();
    void reportParametersOpenWithoutWaiting();
    void acceptedReportSectionsReachThePrinter();
    void printerKeepsItsSetUpInTheOptions();
    void manualFollowsTheLanguage_data();
    void manualFollowsTheLanguage();
    void helpSaysWhenTheManualCannotBeOpened_data();
    void helpSaysWhenTheManualCannotBeOpened();
    void startHelpPointsAtTheReportButton();
    void reportDisablesTheWindowWhileSending();
    void measurementModesShowTheCursorItems();
    void toolAreaShowsEveryRowOfEachMode();
    void shortcutsMoveMarkersAndView();
    void grabsTheWindowOnAFolderOfTraces();

private:
    std::unique_ptr<MainWindow> Open();
    QString MakeFolder(const QString& name, int traces);
    CFileList* List() { return window->findChild<CFileList*>(); }
    CGraphView* View() { return window->findChild<CGraphView*>(); }

    QTemporaryDir dir;
    QString startDir;
    std::unique_ptr<MainWindow> window;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(dir.isValid());
    qputenv("HOME", dir.filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath("home/.config").toUtf8());
    QDir().mkpath(dir.filePath("home/Documents"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("user"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath("system"));
    QCoreApplication::setOrganizationName("TestOrganisation");
    QCoreApplication::setApplicationName("Quorvane");
    QVERIFY(GetSettings(0, 0)->fileName().startsWith(dir.path()));
    InitResources();
    startDir = QDir::currentPath();
}

void TestMainWindow::init()
{
    GetSettings(0, 0)->clear();
    GetSettings(0, 1)->clear();
    // Small and unmaximized unless a test asks otherwise, so the layout is steady.
    GetSettings(0, 0)->setValue("MainWindow/maximized", false);
    SetArguments({});
}

void TestMainWindow::cleanup()
{
    if (window) {
        if (CFileList* list = List())
            for (int row = 0; row < list->count(); ++row)
                list->GetFile(row)->SetChanged(false);
        window->close();
        window.reset();
    }
    QDir::setCurrent(startDir);
}

std::unique_ptr<MainWindow> TestMainWindow::Open()
{
    auto w = std::make_unique<MainWindow>();
    // Within the offscreen screen, so that nothing is placed against its edge.
    w->resize(790, 580);
    QTest::qWait(0);
    return w;
}

QString TestMainWindow::MakeFolder(const QString& name, int traces)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    for (int i = 0; i < traces; ++i) {
        TraceBuilder builder(6000 + 1500 * i);
        builder.Flat(4000 + 1500 * i)
            .Slope(0.22)
            .Peak(10, 3500, 8)
            .Step(3000, 250)
            .Peak(6000, 2600, 2)
            .Step(6000, 700)
            .Noise(25, unsigned(i + 1))
            .Event(3000, 0, QStringLiteral("splice"))
            .Event(6000, 1, QStringLiteral("connector"))
            .Event(11900 + 2998 * i, 1);
        builder.Step(11900 + 2998 * i, 20000);
        builder.Build(QDir(folder).filePath(QStringLiteral("trace%1.sor").arg(i + 1)))->Save();
    }
    return QDir(folder).canonicalPath();
}

void TestMainWindow::buildsMenusToolBarsAndStatusBar()
{
    {
        LogCatcher log;
        window = Open();
        // Every menu command reaches a slot that exists.
        for (const QString& text : log.Texts(QtWarningMsg))
            QVERIFY2(!text.contains("QObject::connect"), qPrintable(text));
    }
    QCOMPARE(Texts(window->menuBar()->actions()),
             QStringList({"&File", "&Device", "&View", "&Events", "&Отчет", "&Help"}));

    QStringList titles;
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        titles << bar->windowTitle();
    QCOMPARE(titles, QStringList({"File", "Device toolbar", "View toolbar", "Events toolbar", "Help"}));
    QCOMPARE(Texts(FindToolBar(window.get(), "File")->actions()),
             QStringList({"&Change folder", "Sa&ve all", "&Save", "&Print", "Pre&view"}));
    QCOMPARE(Texts(FindToolBar(window.get(), "Device toolbar")->actions()),
             QStringList({"&Connect", "Dis&connect", "|", "Measu&rement", "&Load all", "&Properties",
                          "|", "&Update clock"}));
    QCOMPARE(Texts(FindToolBar(window.get(), "View toolbar")->actions()),
             QStringList({"Zoom in", "Zoom out", "Reset zoom", "Zoom X in", "Zoom X out", "Reset zoom X "}));
    QCOMPARE(Texts(FindToolBar(window.get(), "Events toolbar")->actions()),
             QStringList({"Measure &splice", "Measure &reflection", "Measure reflection at end",
                          "Add &event", "Show events table", "Show events on  graph",
                          "Show coils on graph", "&Lock markers"}));
    QCOMPARE(Texts(FindToolBar(window.get(), "Help")->actions()), QStringList({"&Report of the issue"}));

    QCOMPARE(FindAction(window.get(), "Sa&ve all")->shortcut(), QKeySequence("Shift+Ctrl+S"));
    QCOMPARE(FindAction(window.get(), "Save &copy to...")->shortcut(), QKeySequence("Alt+Ctrl+S"));
    QCOMPARE(FindAction(window.get(), "Add &event")->shortcut(), QKeySequence("Ctrl+Shift+E"));
    for (const char* text : {"Measure reflection at end", "Show events table", "Show events on  graph",
                             "Show coils on graph"})
        QVERIFY2(FindAction(window.get(), text)->shortcut().isEmpty(), text);
    QVERIFY(FindAction(window.get(), "Show events table")->isChecked());
    QVERIFY(FindAction(window.get(), "Show events on  graph")->isChecked());
    QVERIFY(!FindAction(window.get(), "Show coils on graph")->isChecked());

    QVERIFY(FindAction(window.get(), "&Connect")->isVisible());
    QVERIFY(!FindAction(window.get(), "Dis&connect")->isVisible());
    for (const char* text : {"Measu&rement", "&Load all", "Cl&ear memory", "&Properties",
                             "&Update clock", "Add &event"})
        QVERIFY2(!FindAction(window.get(), text)->isEnabled(), text);

    QList<QLabel*> shown;
    QList<QLabel*> hidden;
    for (QLabel* label : window->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        (label->isVisibleTo(window.get()) ? shown : hidden) << label;
    QCOMPARE(shown.size(), 2);
    QCOMPARE(hidden.size(), 1);
    std::sort(shown.begin(), shown.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    QCOMPARE(shown[0]->minimumWidth(), 50);
    QCOMPARE(shown[0]->text(), QString());
    QCOMPARE(shown[1]->pixmap(Qt::ReturnByValue).toImage(),
             QPixmap(":/images/DeviceDisconnected.png").toImage());
    QCOMPARE(hidden[0]->minimumWidth(), 0);

    // The stored splitter states rely on this order.
    auto* mainSplit = qobject_cast<QSplitter*>(window->centralWidget());
    QVERIFY(mainSplit);
    QCOMPARE(mainSplit->orientation(), Qt::Horizontal);
    QCOMPARE(mainSplit->count(), 2);
    QCOMPARE(mainSplit->widget(0), static_cast<QWidget*>(List()));
    auto* graphSplit = qobject_cast<QSplitter*>(mainSplit->widget(1));
    QVERIFY(graphSplit);
    QCOMPARE(graphSplit->orientation(), Qt::Vertical);
    QCOMPARE(graphSplit->count(), 2);
    QVERIFY(graphSplit->widget(0)->isAncestorOf(View()));
    QCOMPARE(graphSplit->widget(1), static_cast<QWidget*>(window->findChild<CEventList*>()));

    QCOMPARE(window->sizeHint(), QSize(800, 600));
    QCOMPARE(window->windowTitle().startsWith("Quorvane"), true);
}

void TestMainWindow::actionsFollowTheList()
{
    window = Open();
    CFileList* list = List();
    QMenu* viewMenu = window->menuBar()->actions()[2]->menu();
    QMenu* eventsMenu = window->menuBar()->actions()[3]->menu();
    const QList<QWidget*> widgets{viewMenu, eventsMenu, FindToolBar(window.get(), "View toolbar"),
                                  FindToolBar(window.get(), "Events toolbar")};
    const QStringList files{"Sa&ve all", "&Save", "Save &copy to...", "Rena&me", "&Delete",
                            "&Information", "&Print", "Pre&view", "Page prop&erties",
                            "Применить текущий масштаб ко всем файлам"};
    CGraphPix* pix = View()->GetGraphPix();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QSignalSpy zoomed(FindAction(window.get(), "Zoom in"), &QAction::triggered);
    QSignalSpy locked(FindAction(window.get(), "&Lock markers"), &QAction::triggered);

    for (bool enabled : {false, true}) {
        emit list->sigEnabled(enabled);
        for (QWidget* w : widgets)
            QCOMPARE(w->isEnabled(), enabled);
        for (const QString& text : files)
            QVERIFY2(FindAction(window.get(), text)->isEnabled() == enabled, qPrintable(text));
        QCOMPARE(pix->contextMenuPolicy(), enabled ? Qt::ActionsContextMenu : Qt::NoContextMenu);
        // A disabled menu does not stop its actions' keys by itself.
        QTest::keyClick(window.get(), Qt::Key_Plus);
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(zoomed.count(), enabled ? 1 : 0);
        QCOMPARE(locked.count(), enabled ? 1 : 0);
    }
    QVERIFY(!FindAction(window.get(), "Add &event")->isEnabled());

    QAction* uncheck = FindAction(window.get(), "&Uncheck all\tEsc");
    emit list->sigEnabled(true);
    emit list->sigHasChecked(false);
    QVERIFY(!uncheck->isEnabled());
    emit list->sigEnabled(true);
    QVERIFY(uncheck->isEnabled());
    emit list->sigHasChecked(true);
    emit list->sigEnabled(false);
    QVERIFY(!uncheck->isEnabled());

    emit list->sigFileUpdated(false);
    QVERIFY(!FindAction(window.get(), "&Save")->isEnabled());

    QStringList listMenu = Texts(list->actions());
    QCOMPARE(listMenu, QStringList({"&Add copy from..", "&Save", "Save &copy to...", "Rena&me",
                                    "&Delete\tDel", "&Uncheck all\tEsc", "&Information",
                                    "Применить текущий масштаб ко всем файлам"}));
    QCOMPARE(Texts(window->findChild<CEventList*>()->actions()), QStringList({"&Delete event", "&Edit"}));
}

void TestMainWindow::deviceActionsFollowThePanel()
{
    window = Open();
    CDevice* device = window->findChild<CDevice*>();
    QAction* connect = FindAction(window.get(), "&Connect");
    QAction* disconnect = FindAction(window.get(), "Dis&connect");
    QAction* measurement = FindAction(window.get(), "Measu&rement");
    emit device->sigConnectedChange(true);
    emit device->sigDisconnectedChange(false);
    QVERIFY(!connect->isVisible());
    QVERIFY(disconnect->isVisible());
    for (const char* text : {"Measu&rement", "&Properties", "&Update clock"})
        QVERIFY2(FindAction(window.get(), text)->isEnabled(), text);
    QVERIFY(!FindAction(window.get(), "&Load all")->isEnabled());
    emit device->sigHasFilesChange(true);
    emit device->sigCanClearMemoryChange(true);
    QVERIFY(FindAction(window.get(), "&Load all")->isEnabled());
    QVERIFY(FindAction(window.get(), "Cl&ear memory")->isEnabled());

    // The table makes room for the live trace and comes back afterwards.
    CEventList* table = window->findChild<CEventList*>();
    QAction* showTable = FindAction(window.get(), "Show events table");
    showTable->setChecked(false);
    measurement->trigger();
    QVERIFY(!table->isVisibleTo(window.get()));
    emit device->sigEndMeasure();
    QVERIFY(table->isVisibleTo(window.get()));
    QVERIFY(showTable->isChecked());
    emit device->sigDoMeasure();
    QVERIFY(!table->isVisibleTo(window.get()));
}

void TestMainWindow::deviceUpdateFromItsThreadReachesTheView()
{
    SetArguments({MakeFolder("live", 1)});
    window = Open();
    List()->SelectRow(0);
    View()->OnZoomXIn();
    // The bar takes its room from the plot before the zoom is undone behind the view's back.
    QTest::qWait(0);
    QScrollBar* bar = View()->GetHScrollBar();
    CGraphModel* model = List()->GetGraphModel();
    model->SetZoom(1.0f, 1.0f, model->GetOriginX(), model->GetOriginY());
    model->UpdateView();
    QTest::qWait(0);
    QVERIFY(bar->isVisibleTo(window.get()));

    // A realtime trace is announced from the exchange thread.
    CDevice* device = window->findChild<CDevice*>();
    std::thread([device] { emit device->sigUpdateGraph(); }).join();
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisibleTo(window.get()), 1000);
}

void TestMainWindow::statusBarShowsTheZoom_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QString>("text");

    QTest::newRow("no trace") << 0 << 1.0f << QString();
    QTest::newRow("unzoomed") << 5000 << 1.0f << "Zoom reset";
    QTest::newRow("metres") << 5000 << 5.0f << "Zoom 2000.00 meters x 4.00 dB";
    QTest::newRow("centimetres") << 50 << 200.0f << "Zoom 50.00 centimetres x 0.10 dB";
    QTest::newRow("kilometres") << 25000 << 2.0f << "Zoom 25.00 kilometers x 10.00 dB";
    QTest::newRow("exactly 10 km") << 10000 << 2.0f << "Zoom 10000.00 meters x 10.00 dB";
}

void TestMainWindow::statusBarShowsTheZoom()
{
    QFETCH(int, points);
    QFETCH(float, scale);
    QFETCH(QString, text);

    window = Open();
    CGraphModel* model = List()->GetGraphModel();
    // Two metres a point and a largest sample of 20000 units (20 dB).
    std::vector<quint16> samples(size_t(points), 1000);
    if (points)
        samples[0] = 20000;
    tListedFiles shown;
    if (points)
        shown.push_back(QSharedPointer<tListedFile>::create(
            QSharedPointer<sor::IFileView>(new FakeFileView(samples, 2.0))));
    model->SetData(&shown);
    model->SetZoom(scale, scale, int(points), 10000);
    model->UpdateView();
    window->UpdateStatusBar();
    QLabel* zoom = nullptr;
    for (QLabel* label : window->statusBar()->findChildren<QLabel*>())
        if (label->minimumWidth() == 50)
            zoom = label;
    QVERIFY(zoom);
    QCOMPARE(zoom->text(), text);
    model->SetData(nullptr);
}

void TestMainWindow::workingLocationComesFromOneArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList() << "last";
    QTest::newRow("one") << QStringList({"given"}) << "given";
    QTest::newRow("two") << QStringList({"given", "other"}) << "last";
}

void TestMainWindow::workingLocationComesFromOneArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);

    const QString last = MakeFolder("last", 0);
    const QString given = MakeFolder("given", 1);
    const QString other = MakeFolder("other", 0);
    const QMap<QString, QString> folders{{"last", last}, {"given", given}, {"other", other}};
    GetSettings(0, 0)->setValue("Options/LastDir", last);
    QStringList paths;
    for (const QString& a : arguments)
        paths << folders[a];
    SetArguments(paths);
    QCOMPARE(QCoreApplication::arguments().size(), 1 + arguments.size());

    window = Open();
    QCOMPARE(QDir::current().canonicalPath(), folders[expected]);
    QCOMPARE(List()->count(), expected == "given" ? 1 : 0);
    QVERIFY(List()->hasFocus() || !QApplication::focusWidget() || QApplication::focusWidget() == List());
}

void TestMainWindow::opensMaximizedByDefault_data()
{
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty settings") << true;
    QTest::newRow("stored unmaximized") << false;
}

void TestMainWindow::opensMaximizedByDefault()
{
    QFETCH(bool, empty);
    if (empty)
        GetSettings(0, 0)->clear();
    window = std::make_unique<MainWindow>();
    QCOMPARE(window->windowState().testFlag(Qt::WindowMaximized), empty);
    QVERIFY(window->isVisible());
}

void TestMainWindow::cancelledCloseKeepsWindowAndSettings()
{
    GetSettings(0, 0)->clear();
    SetArguments({MakeFolder("close", 1)});
    window = Open();
    QCOMPARE(List()->count(), 1);
    List()->GetFile(0)->SetChanged(true);

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Cancel);
    QVERIFY(!window->close());
    QCOMPARE(answerer.Titles(), QStringList({"Saving modified files"}));
    QVERIFY(window->isVisible());
    QVERIFY(window->findChild<CPrinter*>());
    GetSettings(0, 0)->sync();
    QCOMPARE(QSettings(GetSettings(0, 0)->fileName(), QSettings::IniFormat).childGroups().contains("MainWindow"),
             false);
}

void TestMainWindow::acceptedCloseStoresGeometryAndPrinter()
{
    GetSettings(0, 0)->clear();
    SetArguments({MakeFolder("close", 1)});
    // Not resized: that would end the maximized state a first start opens in.
    window = std::make_unique<MainWindow>();
    List()->GetFile(0)->SetChanged(true);

    CModalAnswerer answerer;
    answerer.Click("Close without saving");
    QVERIFY(window->close());
    QCOMPARE(answerer.Seen().size(), 1);
    QVERIFY(!window->findChild<CPrinter*>());

    QSettings* settings = GetSettings(0, 0);
    settings->beginGroup("MainWindow");
    QCOMPARE(settings->childKeys().size(), 5);
    for (const char* key : {"maximized", "geometry", "windowState", "mainSplit", "graphSplit"})
        QVERIFY2(settings->contains(key), key);
    QVERIFY(settings->value("maximized").toBool());
    QVERIFY(!settings->value("geometry").toByteArray().isEmpty());
    settings->endGroup();

    // A second close finds no printer to delete again.
    QVERIFY(window->close());
    window.reset();
    QVERIFY(!GetSettings(0, 0)->value("Options/PrintSetup").toByteArray().isEmpty());
}

void TestMainWindow::aboutShowsTheVersion()
{
    window = Open();
    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    window->About();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("About"));
    QCOMPARE(answerer.Seen()[0].Text, QString("<center>Quorvane ver. 0.272<br/></center>"));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::NoIcon);
    QCOMPARE(answerer.Seen()[0].Buttons, QStringList({"OK"}));
}

void TestMainWindow::reportParametersOpenWithoutWaiting()
{
    window = Open();
    window->Parameters();
    auto* dialog = window->findChild<CParametersOpt*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isModal());
    QPointer<CParametersOpt> guard(dialog);
    dialog->close();
    QTRY_VERIFY(guard.isNull());
}

void TestMainWindow::acceptedReportSectionsReachThePrinter()
{
    window = Open();
    CMainOpt* options = CMainOpt::Instance();
    options->SetIncludeGraphicandResults(false);
    options->SetIncludeMarkerData(false);
    options->SetIncludeEventsTable(true);
    options->SetIncludeResultsTable(false);
    options->SetIncludeSign(false);
    auto* printer = window->findChild<CPrinter*>();
    QVERIFY(printer);
    printer->LoadSections();

    const char* const boxes[] = {"checkGraph", "checkMarkerData", "checkEventsTable", "checkResultsTable",
                                 "checkSign"};
    const auto sections = [printer] {
        const tReportSections s = printer->GetSections();
        return QList<bool>{s.bShowGraph, s.bShowMarkerData, s.bShowEventsData, s.bShowResultsData,
                           s.bShowFooter};
    };
    const auto choose = [&](const QList<bool>& ticks, QDialogButtonBox::StandardButton button) {
        window->Parameters();
        auto* dialog = window->findChild<CParametersOpt*>();
        if (!dialog)
            return false;
        QPointer<CParametersOpt> guard(dialog);
        for (int i = 0; i < 5; ++i)
            dialog->findChild<QCheckBox*>(boxes[i])->setChecked(ticks[i]);
        dialog->findChild<QDialogButtonBox*>("buttonBox")->button(button)->click();
        return QTest::qWaitFor([&guard] { return guard.isNull(); }, 5000);
    };

    // Ticked in a fresh session and exported: every section, not the
    // sections the printer was built with.
    QVERIFY(choose({true, true, true, true, true}, QDialogButtonBox::Ok));
    QCOMPARE(sections(), (QList<bool>{true, true, true, true, true}));
    QVERIFY(choose({false, true, false, true, false}, QDialogButtonBox::Ok));
    QCOMPARE(sections(), (QList<bool>{false, true, false, true, false}));
    // Cancel keeps what the printer has, a preview's toggles included.
    printer->ShowGraph();
    QVERIFY(choose({true, true, true, true, true}, QDialogButtonBox::Cancel));
    QCOMPARE(sections(), (QList<bool>{true, true, false, true, false}));
}

void TestMainWindow::printerKeepsItsSetUpInTheOptions()
{
    {
        QWidget owner;
        CMainOpt::Create(&owner);
        QPrinter printer;
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setDocName("Stored");
        CMainOpt::Instance()->SavePrintSetup(&printer);
    }
    QWidget owner;
    CMainOpt::Create(&owner);
    {
        CPrinter printer(nullptr, &owner);
        QCOMPARE(printer.GetPrinter()->pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(printer.GetPrinter()->docName(), QString("Stored"));
        printer.GetPrinter()->setDocName("Changed");
    }
    QPrinter reread;
    CMainOpt::Instance()->LoadPrintSetup(&reread);
    QCOMPARE(reread.docName(), QString("Changed"));
}

void TestMainWindow::manualFollowsTheLanguage_data()
{
    // No value stands for nothing stored.
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<QVariant>("systemLanguage");
    QTest::addColumn<QString>("manual");
    QTest::newRow("English") << QVariant("English") << QVariant() << "Quorvane_UM_en.pdf";
    QTest::newRow("Russian") << QVariant("Русский") << QVariant() << "Quorvane_UM_ru.pdf";
    QTest::newRow("other") << QVariant("Deutsch") << QVariant() << "Quorvane_UM_ru.pdf";
    QTest::newRow("nothing stored") << QVariant() << QVariant() << "Quorvane_UM_en.pdf";
    QTest::newRow("empty") << QVariant("") << QVariant() << "Quorvane_UM_en.pdf";
    // The system-wide name counts where the user has none, as at start-up;
    // an empty one of the user's starts in English.
    QTest::newRow("system's only") << QVariant() << QVariant("Русский") << "Quorvane_UM_ru.pdf";
    QTest::newRow("empty over the system's") << QVariant("") << QVariant("Русский") << "Quorvane_UM_en.pdf";
}

void TestMainWindow::manualFollowsTheLanguage()
{
    QFETCH(QVariant, language);
    QFETCH(QVariant, systemLanguage);
    QFETCH(QString, manual);
    const auto store = [](int bSystem, const QVariant& value) {
        if (value.isValid())
            GetSettings(0, bSystem)->setValue("Setup/LanguageName", value);
        else
            GetSettings(0, bSystem)->remove("Setup/LanguageName");
    };
    store(0, language);
    store(1, systemLanguage);
    QWidget owner;
    CMainOpt::Create(&owner);
    QCOMPARE(CMainOpt::Instance()->GetManualPath(),
             QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + manual));
    // Asking leaves the user's stored name as it was.
    GetSettings(0, 0)->sync();
    QSettings userFile(GetSettings(0, 0)->fileName(), QSettings::IniFormat);
    userFile.setIniCodec("UTF-8");
    QCOMPARE(userFile.value("Setup/LanguageName"), language);
}

void TestMainWindow::helpSaysWhenTheManualCannotBeOpened_data()
{
    QTest::addColumn<QString>("manual");
    QTest::addColumn<bool>("bDesktopOpens");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << "" << true << "The user manual was not found:\n%1";
    QTest::newRow("a folder") << "folder" << true << "The user manual could not be opened:\n%1";
    QTest::newRow("no viewer") << "file" << false << "The user manual could not be opened:\n%1";
    QTest::newRow("opened") << "file" << true << "";
}

// The manuals are not shipped; F1 must say so rather than do nothing.
void TestMainWindow::helpSaysWhenTheManualCannotBeOpened()
{
    QFETCH(QString, manual);
    QFETCH(bool, bDesktopOpens);
    QFETCH(QString, text);
    GetSettings(0, 0)->setValue("Setup/LanguageName", "English");
    window = Open();
    const QString path = CMainOpt::Instance()->GetManualPath();
    QVERIFY(!QFileInfo::exists(path));
    struct tRemove
    {
        QString Path;
        ~tRemove()
        {
            QFile::remove(Path);
            QDir().rmdir(Path);
        }
    } remove{path};
    if (manual == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (manual == "file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }
    // The offscreen platform has no viewer; a handler stands in for one.
    CUrlCatcher viewer;
    if (bDesktopOpens)
        QDesktopServices::setUrlHandler("file", &viewer, "Open");
    else if (QGuiApplication::platformName() != "offscreen")
        QSKIP("only the offscreen platform is known to have no viewer");

    CModalAnswerer answerer;
    if (!text.isEmpty())
        answerer.Click(QMessageBox::Ok);
    QAction* help = FindAction(window.get(), "&Help topics");
    QVERIFY(help);
    QCOMPARE(help->shortcut(), QKeySequence("F1"));
    help->trigger();
    QDesktopServices::unsetUrlHandler("file");

    if (text.isEmpty()) {
        QCOMPARE(answerer.Seen().size(), 0);
        QCOMPARE(viewer.Opened, QList<QUrl>({QUrl::fromLocalFile(path)}));
        return;
    }
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].Title, QString("Help"));
    QCOMPARE(answerer.Seen()[0].Text, text.arg(QDir::toNativeSeparators(path)));
    QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    QCOMPARE(viewer.Opened.size(), manual == "file" && bDesktopOpens ? 1 : 0);
}

void TestMainWindow::startHelpPointsAtTheReportButton()
{
    window = Open();
    BalloonTip* tip = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((tip = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<BalloonTip*>(w); b && b->isVisible())
                return b;
        return static_cast<BalloonTip*>(nullptr);
    }()) != nullptr, 2000);
    QCOMPARE(tip->text(), QString("Сообщите нам об ошибках и неудобствах\nв программе посредством данной кнопки"));

    QToolBar* help = FindToolBar(window.get(), "Help");
    QWidget* button = help->widgetForAction(FindAction(window.get(), "&Report of the issue"));
    QPoint point = button->mapToGlobal(button->rect().center());
    point.rx() -= BalloonTip::PointerSize();
    // Where the balloon was moved to; a platform may add a frame around it.
    const QRect g(tip->pos(), tip->size());
    // The pointer's tip is on the point whichever side the balloon took.
    QVERIFY2(g.left() + BalloonTip::PointerSize() == point.x()
                 || g.left() + g.width() - BalloonTip::PointerSize() == point.x(),
             qPrintable(QString("balloon at %1, point %2").arg(g.left()).arg(point.x())));
    QVERIFY(g.top() == point.y() || g.top() + g.height() == point.y());
    tip->hideTip();
}

void TestMainWindow::reportDisablesTheWindowWhileSending()
{
    window = Open();
    ICrashReporter& reporter = GetCrashReporter();
    tCrashInstallInfo info;
    info.AppName = "Quorvane";
    info.AppVersion = "0.272";
    info.ReportFolder = dir.filePath("reports");
    QCOMPARE(reporter.Install(info), 0);
    QCOMPARE(reporter.SetCrashCallback(&RecordingCallback), 0);
    gReportWindow = window.get();
    gEnabledWhileWaiting.clear();

    CModalAnswerer answerer;
    answerer.Click(QMessageBox::Ok);
    window->Support();

    reporter.Uninstall();
    gReportWindow = nullptr;
    QCOMPARE(gEnabledWhileWaiting, QList<bool>({false}));
    QVERIFY(window->isEnabled());
    const QStringList reports = QDir(info.ReportFolder).entryList({"report-*"}, QDir::Dirs);
    QCOMPARE(reports.size(), 1);
    QFile head(QDir(info.ReportFolder).filePath(reports[0] + "/report.txt"));
    QVERIFY(head.open(QIODevice::ReadOnly));
    QVERIFY(head.readAll().contains("Manual report"));
    QCOMPARE(answerer.Titles(), QStringList({"Report of the issue"}));
    QCOMPARE(answerer.Seen()[0].Text, "The report of the issue was written to the folder\n"
                                          + QDir(info.ReportFolder).filePath(reports[0]));
}

void TestMainWindow::toolAreaShowsEveryRowOfEachMode()
{
    SetArguments({MakeFolder("toolrows", 1)});
    window = Open();
    window->resize(1500, 900);
    List()->SelectRow(0);
    auto* tools = window->findChild<GraphTools*>();
    CGraphDlg* panel = tools->GetGraphDlg();
    // Names the shown labels and fields that the strip cuts off, and the
    // group boxes too narrow for their title.
    auto cutOff = [&] {
        QTest::qWait(100);
        QStringList cut;
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window.get()) || !(qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w)))
                continue;
            if (!tools->rect().contains(QRect(w->mapTo(tools, QPoint(0, 0)), w->size())))
                cut << w->objectName();
        }
        for (QGroupBox* box : panel->findChildren<QGroupBox*>())
            if (box->isVisibleTo(window.get()) && box->width() < box->minimumSizeHint().width())
                cut << box->objectName() + " title";
        return cut;
    };
    const QString grabs = QCoreApplication::applicationDirPath() + "/grabs";
    QDir().mkpath(grabs);

    QCOMPARE(cutOff(), QStringList());
    const int twoMarkerHeight = tools->height();
    QVERIFY(tools->grab().save(grabs + "/tools-two-markers.png"));

    FindAction(window.get(), "Measure &splice")->trigger();
    QVERIFY(panel->findChild<QLabel*>("maText1")->isVisibleTo(window.get()));
    QCOMPARE(cutOff(), QStringList());
    QVERIFY(tools->height() > twoMarkerHeight);
    QVERIFY(tools->grab().save(grabs + "/tools-splice.png"));

    FindAction(window.get(), "Measure &reflection")->trigger();
    QVERIFY(panel->findChild<QLabel*>("mrText1")->isVisibleTo(window.get()));
    QCOMPARE(cutOff(), QStringList());
    QVERIFY(tools->grab().save(grabs + "/tools-reflection.png"));

    QTest::keyClick(window->findChild<CEventList*>(), Qt::Key_Escape);
    QCOMPARE(cutOff(), QStringList());
    QCOMPARE(tools->height(), twoMarkerHeight);
}

void TestMainWindow::measurementModesShowTheCursorItems()
{
    SetArguments({MakeFolder("modes", 1)});
    window = Open();
    List()->SelectRow(0);
    CGraphPix* pix = View()->GetGraphPix();
    auto visibleItems = [pix] {
        QStringList texts;
        for (QAction* a : pix->actions())
            if (a->isVisible())
                texts << a->text();
        return texts;
    };
    const QStringList markersOnly{"Move &Left here", "Move &Right here"};
    const QStringList all{"Move &Left cursor here", "Move &Left here", "Move &Center cursor here",
                          "Move &Right here", "Move &Right cursor here"};
    QCOMPARE(visibleItems(), markersOnly);

    FindAction(window.get(), "Measure &splice")->trigger();
    QVERIFY(window->findChild<CEventList*>()->IsEditingEvent());
    QCOMPARE(visibleItems(), all);
    QVERIFY(FindAction(window.get(), "Add &event")->isEnabled());
    FindAction(window.get(), "Measure &reflection")->trigger();
    QCOMPARE(visibleItems(), all);
    FindAction(window.get(), "Add &event")->trigger();
    QCOMPARE(visibleItems(), markersOnly);
    QVERIFY(!window->findChild<CEventList*>()->IsEditingEvent());
    QCOMPARE(int(List()->GetFile(0)->GetKeyEventList().size()), 4);

    // An edit ended in the table takes the cursor items with it.
    CEventList* table = window->findChild<CEventList*>();
    FindAction(window.get(), "Measure &splice")->trigger();
    QCOMPARE(visibleItems(), all);
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!table->IsEditingEvent());
    QCOMPARE(visibleItems(), markersOnly);

    // A mode refused on a live trace shows no items for cursors that are not there.
    std::vector<quint16> samples(3000, 20000);
    tListedFiles live{QSharedPointer<tListedFile>::create(
        QSharedPointer<sor::IFileView>(new FakeFileView(samples, 2.0)))};
    CGraphModel* model = List()->GetGraphModel();
    const tListedFiles* shown = model->GetData();
    model->SetData(&live);
    FindAction(window.get(), "Measure &splice")->trigger();
    FindAction(window.get(), "Measure &reflection")->trigger();
    QVERIFY(!table->IsEditingEvent());
    QCOMPARE(visibleItems(), markersOnly);
    model->SetData(shown);
}

void TestMainWindow::shortcutsMoveMarkersAndView()
{
    SetArguments({MakeFolder("keys", 1)});
    window = Open();
    List()->SelectRow(0);
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    CCursors* cursors = List()->GetGraphModel()->GetCursors();
    const double r = List()->GetFile(0)->GetResolution();
    cursors->GetLeftMarker()->SetPosition(float(1000 * r));
    cursors->GetRightMarker()->SetPosition(float(2800 * r));

    auto points = [&](CCursors::CEditableCursor* c) { return qRound(c->GetPosition() / r); };
    QTest::keyClick(window.get(), Qt::Key_4, Qt::KeypadModifier);
    QCOMPARE(points(cursors->GetLeftMarker()), 999);
    QTest::keyClick(window.get(), Qt::Key_6, Qt::KeypadModifier);
    QTest::keyClick(window.get(), Qt::Key_6, Qt::KeypadModifier);
    QCOMPARE(points(cursors->GetLeftMarker()), 1001);
    QTest::keyClick(window.get(), Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(points(cursors->GetRightMarker()), 2799);
    QTest::keyClick(window.get(), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(window.get(), Qt::Key_3, Qt::KeypadModifier);
    QCOMPARE(points(cursors->GetRightMarker()), 2801);
    QCOMPARE(points(cursors->GetLeftMarker()), 1001);

    View()->OnZoomIn();
    View()->OnZoomIn();
    QScrollBar* h = View()->GetHScrollBar();
    QScrollBar* v = View()->GetVScrollBar();
    h->setValue(h->maximum() / 2);
    v->setValue(v->maximum() / 2);
    const QPoint middle(h->value(), v->value());
    const QPoint quarter(h->pageStep() / 4, v->pageStep() / 4);
    QVERIFY(quarter.x() > 0 && quarter.y() > 0);
    QVERIFY(middle.x() >= quarter.x() && middle.y() >= quarter.y());
    const QList<QPair<Qt::Key, QPoint>> steps{{Qt::Key_Right, {quarter.x(), 0}},
                                              {Qt::Key_Left, {-quarter.x(), 0}},
                                              {Qt::Key_Down, {0, quarter.y()}},
                                              {Qt::Key_Up, {0, -quarter.y()}}};
    for (const auto& step : steps) {
        h->setValue(middle.x());
        v->setValue(middle.y());
        QTest::keyClick(window.get(), step.first, Qt::AltModifier);
        QCOMPARE(QPoint(h->value(), v->value()), middle + step.second);
        QCOMPARE(List()->GetGraphModel()->GetWindowTopLeft(), middle + step.second);
    }
}

void TestMainWindow::grabsTheWindowOnAFolderOfTraces()
{
    SetArguments({MakeFolder("grab", 3)});
    window = Open();
    window->resize(1600, 900);
    List()->SelectRow(1);
    QTest::qWait(50);
    QVERIFY(List()->GetGraphModel()->IsEnabled());
    const QImage image = window->grab().toImage();
    const QString path = QCoreApplication::applicationDirPath() + "/mainwindow.png";
    QVERIFY(image.save(path));
    QVERIFY(image.width() >= 1600);

    View()->OnZoomXIn();
    View()->OnZoomXIn();
    QTest::qWait(50);
    QVERIFY(View()->GetHScrollBar()->isVisible());
    QVERIFY(window->grab().save(QCoreApplication::applicationDirPath() + "/mainwindow-zoomed.png"));
}

int main(int argc, char** argv)
{
    gArgStore[0] = QByteArray(argv[0]);
    gArgv[0] = gArgStore[0].data();
    QApplication app(gArgc, gArgv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
