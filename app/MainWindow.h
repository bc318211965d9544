#pragma once

#include <QKeySequence>
#include <QMainWindow>

class CDevice;
class CEventList;
class CFileList;
class CGraphView;
class CPrinter;
class GraphTools;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

// The program's one window: the file list on the left; the measurement
// panel, overview and plot above the key-event table on the right. It builds
// and wires the parts, keeps the status bar and its own geometry, and lets
// the program close only once the files are closed.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QSize sizeHint() const override;

public slots:
    void UpdateStatusBar();
    void SetGraphContextMenuFullMode(bool bFullMode);
    void ShowMainViewContextMenu(bool bShow);
    void ShowStartHelp();
    void About();
    void HelpTopics();
    void Support();
    void Parameters();
    void onEndMeasurement();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    QMenu* AddMenu(const QString& title);
    QAction* MakeAction(const QString& text, const QKeySequence& shortcut, const QString& toolTip,
                        const QString& statusTip, const QString& iconPath);
    QAction* AddAction(QAction* action, const QObject* receiver, const char* slot, QMenu* menu,
                       QToolBar* toolBar);
    QToolBar* AddToolBar(const QString& name, const QString& title);
    void AddShortcut(const QKeySequence& key, const char* slot);
    void SaveGeometry();
    void RestoreGeometry();

    CGraphView* view = nullptr;
    CFileList* flist = nullptr;
    QLabel* zoomLabel = nullptr;
    QLabel* deviceNameLabel = nullptr;
    QLabel* deviceIconLabel = nullptr;
    GraphTools* tools = nullptr;
    CEventList* eventList = nullptr;
    CPrinter* printer = nullptr;
    CDevice* device = nullptr;
    QSplitter* mainSplit = nullptr;
    QSplitter* graphSplit = nullptr;

    QToolBar* fileToolBar = nullptr;
    QToolBar* deviceToolBar = nullptr;
    QToolBar* viewToolBar = nullptr;
    QToolBar* eventsToolBar = nullptr;
    QToolBar* helpToolBar = nullptr;

    QAction* openDirAction = nullptr;
    QAction* saveAllAction = nullptr;
    QAction* addFileAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* saveCopyAction = nullptr;
    QAction* renameAction = nullptr;
    QAction* deleteAction = nullptr;
    QAction* uncheckAllAction = nullptr;
    QAction* informationAction = nullptr;
    QAction* exitAction = nullptr;
    QAction* parametersAction = nullptr;
    QAction* printAction = nullptr;
    QAction* previewAction = nullptr;
    QAction* pagePropertiesAction = nullptr;
    QAction* zoomInAction = nullptr;
    QAction* zoomOutAction = nullptr;
    QAction* zoomOffAction = nullptr;
    QAction* zoomXInAction = nullptr;
    QAction* zoomXOutAction = nullptr;
    QAction* zoomXOffAction = nullptr;
    QAction* junctionMeasAction = nullptr;
    QAction* reflectionMeasAction = nullptr;
    QAction* reflectionMeasAtEndAction = nullptr;
    QAction* endMeasAction = nullptr;
    QAction* showEventsOnGraphAction = nullptr;
    QAction* showSpoolOnGraphAction = nullptr;
    QAction* leftCursorHereAction = nullptr;
    QAction* leftMarkerHereAction = nullptr;
    QAction* centerCursorHereAction = nullptr;
    QAction* rightMarkerHereAction = nullptr;
    QAction* rightCursorHereAction = nullptr;
    QAction* supportAction = nullptr;
};
