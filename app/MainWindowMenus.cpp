#include "app/MainWindow.h"

#include "app/MainOpt.h"
#include "device/Device.h"
#include "filelist/FileList.h"
#include "graph/EventList.h"
#include "graph/GraphPix.h"
#include "graph/GraphView.h"
#include "print/Printer.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

namespace {

QKeySequence WithModifier(const QString& modifier, QKeySequence::StandardKey key)
{
    // Only the platform's first binding takes the modifier.
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    if (bindings.isEmpty())
        return QKeySequence();
    return QKeySequence(modifier + bindings.first().toString(QKeySequence::PortableText),
                        QKeySequence::PortableText);
}

// A separate action with the same look and slot, for a context menu.
QAction* CopyAction(const QAction* source, const QString& text, QObject* parent)
{
    auto* copy = new QAction(source->icon(), text, parent);
    copy->setToolTip(source->toolTip());
    copy->setStatusTip(source->statusTip());
    return copy;
}

} // namespace

QMenu* MainWindow::AddMenu(const QString& title)
{
    return menuBar()->addMenu(title);
}

QAction* MainWindow::MakeAction(const QString& text, const QKeySequence& shortcut,
                                const QString& toolTip, const QString& statusTip,
                                const QString& iconPath)
{
    auto* action = new QAction(text, this);
    if (!iconPath.isEmpty())
        action->setIcon(QIcon(iconPath));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (!toolTip.isEmpty())
        action->setToolTip(toolTip);
    if (!statusTip.isEmpty())
        action->setStatusTip(statusTip);
    return action;
}

QAction* MainWindow::AddAction(QAction* action, const QObject* receiver, const char* slot,
                               QMenu* menu, QToolBar* toolBar)
{
    if (slot)
        connect(action, SIGNAL(triggered()), receiver, slot);
    if (menu)
        menu->addAction(action);
    if (toolBar)
        toolBar->addAction(action);
    return action;
}

QToolBar* MainWindow::AddToolBar(const QString& name, const QString& title)
{
    QToolBar* toolBar = addToolBar(title);
    // The saved window state finds tool bars by name.
    toolBar->setObjectName(name);
    return toolBar;
}

void MainWindow::AddShortcut(const QKeySequence& key, const char* slot)
{
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, SIGNAL(activated()), view, slot);
}

void MainWindow::CreateMenus()
{
    const QKeySequence none;
    const QString noIcon;

    QMenu* fileMenu = AddMenu(tr("&File"));
    fileToolBar = AddToolBar(QStringLiteral("File"), tr("File"));
    openDirAction = AddAction(MakeAction(tr("&Change folder"), QKeySequence::Open, tr("Change folder"),
                                         tr("Change folder"), QStringLiteral(":/images/FileOpenDir.svg")),
                              flist, SLOT(OnOpenDir()), fileMenu, fileToolBar);
    saveAllAction = AddAction(MakeAction(tr("Sa&ve all"), WithModifier(QStringLiteral("Shift+"), QKeySequence::Save),
                                         tr("Save all"), tr("Save all traces"),
                                         QStringLiteral(":/images/FileSaveAll.png")),
                              flist, SLOT(OnSaveAll()), fileMenu, fileToolBar);
    fileMenu->addSeparator();
    flist->setContextMenuPolicy(Qt::ActionsContextMenu);
    addFileAction = AddAction(MakeAction(tr("&Add copy from.."), WithModifier(QStringLiteral("Alt+"), QKeySequence::Open),
                                         tr("Add copy files from other folder"),
                                         tr("Add copy files from other folder"), noIcon),
                              flist, SLOT(OnAddFile()), fileMenu, nullptr);
    flist->addAction(addFileAction);
    saveAction = AddAction(MakeAction(tr("&Save"), QKeySequence::Save, tr("Save"), tr("Save"),
                                      QStringLiteral(":/images/FileSave.svg")),
                           flist, SLOT(OnSaveFile()), fileMenu, fileToolBar);
    flist->addAction(saveAction);
    fileMenu->addSeparator();
    saveCopyAction = AddAction(MakeAction(tr("Save &copy to..."), WithModifier(QStringLiteral("Alt+"), QKeySequence::Save),
                                          tr("Save copy to another folder"),
                                          tr("Save copy to another folder"), noIcon),
                               flist, SLOT(OnCopySelectedFiles()), fileMenu, nullptr);
    flist->addAction(saveCopyAction);
    renameAction = AddAction(MakeAction(tr("Rena&me"), QKeySequence(QStringLiteral("Ctrl+M")),
                                        tr("Rename file"), tr("Rename file"), noIcon),
                             flist, SLOT(OnRenameFile()), fileMenu, nullptr);
    flist->addAction(renameAction);
    deleteAction = AddAction(MakeAction(tr("&Delete"), none, tr("Delete selected files"),
                                        tr("Delete selected files"),
                                        QStringLiteral(":/images/FileDelete.png")),
                             flist, SLOT(OnDeleteSelectedFiles()), fileMenu, nullptr);
    // The Del key itself is the list's; this entry only shows it.
    QAction* deleteCopyAction = AddAction(CopyAction(deleteAction, deleteAction->text() + QStringLiteral("\tDel"), this),
                                          flist, SLOT(OnDeleteSelectedFiles()), nullptr, nullptr);
    flist->addAction(deleteCopyAction);
    fileMenu->addSeparator();
    uncheckAllAction = AddAction(MakeAction(tr("&Uncheck all\tEsc"), none, tr("Uncheck all"),
                                            tr("Uncheck all"), noIcon),
                                 flist, SLOT(OnUncheckAll()), fileMenu, nullptr);
    flist->addAction(uncheckAllAction);
    informationAction = AddAction(MakeAction(tr("&Information"), QKeySequence(QStringLiteral("Ctrl+I")),
                                             tr("Information"), tr("Information"),
                                             QStringLiteral(":/images/Information.svg")),
                                  flist, SLOT(OnFileInformation()), fileMenu, nullptr);
    flist->addAction(informationAction);
    fileMenu->addSeparator();
    AddAction(MakeAction(tr("Op&tions"), none, tr("Options"), tr("Options"),
                         QStringLiteral(":/images/Options.svg")),
              CMainOpt::Instance(), SLOT(exec()), fileMenu, nullptr);
    fileMenu->addSeparator();
    exitAction = AddAction(MakeAction(tr("E&xit"), QKeySequence(QStringLiteral("Alt+F4")), tr("Exit"),
                                      tr("Exit"), noIcon),
                           this, SLOT(close()), fileMenu, nullptr);

    QMenu* deviceMenu = AddMenu(tr("&Device"));
    deviceToolBar = AddToolBar(QStringLiteral("Device toolbar"), tr("Device toolbar"));
    QAction* connectAction = AddAction(MakeAction(tr("&Connect"), QKeySequence(QStringLiteral("Ctrl+Alt+C")),
                                                  tr("Connect"), tr("Connect"),
                                                  QStringLiteral(":/images/DeviceConnect.png")),
                                       device, SLOT(Connect()), deviceMenu, deviceToolBar);
    QAction* disconnectAction = AddAction(MakeAction(tr("Dis&connect"), QKeySequence(QStringLiteral("Ctrl+Alt+D")),
                                                     tr("Disconnect"), tr("Disconnect"),
                                                     QStringLiteral(":/images/DeviceDisconnect.png")),
                                          device, SLOT(Disconnect()), deviceMenu, deviceToolBar);
    deviceMenu->addSeparator();
    deviceToolBar->addSeparator();
    QAction* measurementAction = AddAction(MakeAction(tr("Measu&rement"), QKeySequence(QStringLiteral("Ctrl+Alt+R")),
                                                      tr("Measurement"), tr("Measurement"),
                                                      QStringLiteral(":/images/DeviceMeasurement.svg")),
                                           device, SLOT(Measurement()), deviceMenu, deviceToolBar);
    QAction* loadAllAction = AddAction(MakeAction(tr("&Load all"), QKeySequence(QStringLiteral("Ctrl+Alt+L")),
                                                  tr("Load all"), tr("Load all"),
                                                  QStringLiteral(":/images/DeviceLoadAll.png")),
                                       device, SLOT(LoadAll()), deviceMenu, deviceToolBar);
    QAction* clearMemoryAction = AddAction(MakeAction(tr("Cl&ear memory"), QKeySequence(QStringLiteral("Ctrl+Alt+E")),
                                                      tr("Clear Memory"), tr("Clear memory"),
                                                      QStringLiteral(":/images/DeviceClearMemory.png")),
                                           device, SLOT(ClearMemory()), deviceMenu, nullptr);
    QAction* propertiesAction = AddAction(MakeAction(tr("&Properties"), QKeySequence(QStringLiteral("Ctrl+Alt+P")),
                                                     tr("Properties"), tr("Properties"),
                                                     QStringLiteral(":/images/DeviceProperties.svg")),
                                          device, SLOT(Properties()), deviceMenu, deviceToolBar);
    deviceMenu->addSeparator();
    deviceToolBar->addSeparator();
    QAction* updateClockAction = AddAction(MakeAction(tr("&Update clock"), QKeySequence(QStringLiteral("Ctrl+Alt+U")),
                                                      tr("Update clock"), tr("Update clock"),
                                                      QStringLiteral(":/images/DeviceUpdateClock.png")),
                                           device, SLOT(UpdateDateTime()), deviceMenu, deviceToolBar);

    QMenu* viewMenu = AddMenu(tr("&View"));
    viewToolBar = AddToolBar(QStringLiteral("View toolbar"), tr("View toolbar"));
    zoomInAction = AddAction(MakeAction(tr("Zoom in"), QKeySequence(Qt::Key_Plus), tr("Zoom in"),
                                        tr("Zoom in"), QStringLiteral(":/images/ViewZoomIn.png")),
                             view, SLOT(OnZoomIn()), viewMenu, viewToolBar);
    zoomOutAction = AddAction(MakeAction(tr("Zoom out"), QKeySequence(Qt::Key_Minus), tr("Zoom out"),
                                         tr("Zoom out"), QStringLiteral(":/images/ViewZoomOut.png")),
                              view, SLOT(OnZoomOut()), viewMenu, viewToolBar);
    zoomOffAction = AddAction(MakeAction(tr("Reset zoom"), QKeySequence(Qt::Key_Asterisk), tr("Reset zoom"),
                                         tr("Reset zoom"), QStringLiteral(":/images/ViewZoomOff.png")),
                              view, SLOT(OnZoomOff()), viewMenu, viewToolBar);
    viewMenu->addSeparator();
    zoomXInAction = AddAction(MakeAction(tr("Zoom X in"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                         tr("Zoom X in"), tr("Zoom X in"),
                                         QStringLiteral(":/images/ViewZoomXIn.png")),
                              view, SLOT(OnZoomXIn()), viewMenu, viewToolBar);
    zoomXOutAction = AddAction(MakeAction(tr("Zoom X out"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
                                          tr("Zoom X out"), tr("Zoom X out"),
                                          QStringLiteral(":/images/ViewZoomXOut.png")),
                               view, SLOT(OnZoomXOut()), viewMenu, viewToolBar);
    zoomXOffAction = AddAction(MakeAction(tr("Reset zoom X "), QKeySequence(Qt::CTRL | Qt::Key_Asterisk),
                                          tr("Reset zoom X off"), tr("Reset zoom X"),
                                          QStringLiteral(":/images/ViewZoomXOff.png")),
                               view, SLOT(OnZoomXOff()), viewMenu, viewToolBar);
    viewMenu->addSeparator();
    QAction* zoomToAllAction = AddAction(MakeAction(tr("Применить текущий масштаб ко всем файлам"),
                                                    QKeySequence(QStringLiteral("Shift+Z")),
                                                    tr("Применить текущий масштаб ко всем файлам"),
                                                    tr("Применить текущий масштаб ко всем файлам"), noIcon),
                                         flist, SLOT(OnSetCurrentZoomToAllReflectograms()), viewMenu, nullptr);
    flist->addAction(zoomToAllAction);

    QMenu* eventsMenu = AddMenu(tr("&Events"));
    eventsToolBar = AddToolBar(QStringLiteral("Events toolbar"), tr("Events toolbar"));
    junctionMeasAction = AddAction(MakeAction(tr("Measure &splice"), QKeySequence(QStringLiteral("Ctrl+Shift+J")),
                                              tr("Measure splice"), tr("Measure splice"),
                                              QStringLiteral(":/images/EventJunction.svg")),
                                   view, SLOT(OnJunctionMeas()), eventsMenu, eventsToolBar);
    view->SetJunctionMeasAction(junctionMeasAction);
    reflectionMeasAction = AddAction(MakeAction(tr("Measure &reflection"), QKeySequence(QStringLiteral("Ctrl+Shift+R")),
                                                tr("Measure reflection"), tr("Measure reflection"),
                                                QStringLiteral(":/images/EventReflection.svg")),
                                     view, SLOT(OnReflectionMeas()), eventsMenu, eventsToolBar);
    view->SetReflectionMeasAction(reflectionMeasAction);
    reflectionMeasAtEndAction = AddAction(MakeAction(tr("Measure reflection at end"), none,
                                                     tr("Measure reflection at end"),
                                                     tr("Measure reflection at end"),
                                                     QStringLiteral(":/images/EventReflectionAtEnd.svg")),
                                          view, SLOT(OnReflectionMeasAtEnd()), eventsMenu, eventsToolBar);
    view->SetReflectionMeasAtEndAction(reflectionMeasAtEndAction);
    endMeasAction = AddAction(MakeAction(tr("Add &event"), QKeySequence(QStringLiteral("Ctrl+Shift+E")),
                                         tr("Add event"), tr("Add event"),
                                         QStringLiteral(":/images/EventsEndMeas.svg")),
                              view, SLOT(OnEndMeas()), eventsMenu, eventsToolBar);
    view->SetEndMeasAction(endMeasAction);
    eventsMenu->addSeparator();
    QAction* showEventsTableAction = AddAction(MakeAction(tr("Show events table"), none,
                                                          tr("Show events table"), tr("Show events table"),
                                                          QStringLiteral(":/images/Grid.svg")),
                                               view, SLOT(OnShowEventsTable()), eventsMenu, eventsToolBar);
    view->SetShowEventsTableAction(showEventsTableAction);
    showEventsOnGraphAction = AddAction(MakeAction(tr("Show events on  graph"), none,
                                                   tr("Show events on  graph"), tr("Show events on  graph"),
                                                   QStringLiteral(":/images/Ev.svg")),
                                        view, SLOT(OnShowEventsOnGraph()), eventsMenu, eventsToolBar);
    view->SetShowEventsOnGraphAction(showEventsOnGraphAction);
    showSpoolOnGraphAction = AddAction(MakeAction(tr("Show coils on graph"), none,
                                                  tr("Show coils on graph"), tr("Show coils on graph"),
                                                  QStringLiteral(":/images/ShowSpools.svg")),
                                       view, SLOT(OnShowSpoolOnGraph()), eventsMenu, eventsToolBar);
    view->SetShowSpoolOnGraphAction(showSpoolOnGraphAction);
    QAction* fixCursorsAction = AddAction(MakeAction(tr("&Lock markers"), QKeySequence(QStringLiteral("Ctrl+Shift+F")),
                                                     tr("Lock markers to fix their distance"),
                                                     tr("Lock markers to fix their distance"),
                                                     QStringLiteral(":/images/EventsFixCursors.png")),
                                          view, SLOT(OnFixCursors()), eventsMenu, eventsToolBar);
    view->SetFixCursorsAction(fixCursorsAction);

    QMenu* reportMenu = AddMenu(tr("&Отчет"));
    parametersAction = AddAction(MakeAction(tr("Параметры отчета"), none, tr("Параметры отчета"),
                                            tr("Параметры отчета"), noIcon),
                                 this, SLOT(Parameters()), reportMenu, nullptr);
    reportMenu->addSeparator();
    printAction = AddAction(MakeAction(tr("&Print"), QKeySequence::Print, tr("Print"), tr("Print"),
                                       QStringLiteral(":/images/FilePrint.png")),
                            printer, SLOT(Print()), reportMenu, fileToolBar);
    previewAction = AddAction(MakeAction(tr("Pre&view"), QKeySequence(QStringLiteral("Ctrl+Shift+P")),
                                         tr("Preview"), tr("Preview"),
                                         QStringLiteral(":/images/FilePreview.png")),
                              printer, SLOT(Preview()), reportMenu, fileToolBar);
    pagePropertiesAction = AddAction(MakeAction(tr("Page prop&erties"), none, tr("Page properties"),
                                                tr("Page properties"), noIcon),
                                     printer, SLOT(PageProperties()), reportMenu, nullptr);

    QMenu* helpMenu = AddMenu(tr("&Help"));
    helpToolBar = AddToolBar(QStringLiteral("Help"), tr("Help"));
    AddAction(MakeAction(tr("&Help topics"), QKeySequence(QStringLiteral("F1")), tr("Help"), tr("Help"),
                         QStringLiteral(":/images/Help.svg")),
              this, SLOT(HelpTopics()), helpMenu, nullptr);
    supportAction = AddAction(MakeAction(tr("&Report of the issue"), none, tr("Report of the issue"),
                                         tr("Report of the issue"), QStringLiteral(":/images/HelpSupport.svg")),
                              this, SLOT(Support()), helpMenu, helpToolBar);
    helpMenu->addSeparator();
    AddAction(MakeAction(tr("&About"), QKeySequence(QStringLiteral("Ctrl+F1")), tr("About"), tr("About"), noIcon),
              this, SLOT(About()), helpMenu, nullptr);

    eventList->setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction* deleteEventAction = MakeAction(tr("&Delete event"), none, tr("Delete event"), tr("Delete event"),
                                            QStringLiteral(":/images/EventsDelete.png"));
    QAction* editEventAction = MakeAction(tr("&Edit"), none, tr("Edit"), tr("Edit"),
                                          QStringLiteral(":/images/EventsEdit.png"));
    eventList->addAction(AddAction(CopyAction(deleteEventAction, deleteEventAction->text(), this),
                                   eventList, SLOT(OnDeleteEvent()), nullptr, nullptr));
    eventList->addAction(AddAction(CopyAction(editEventAction, editEventAction->text(), this),
                                   eventList, SLOT(OnEditEvent()), nullptr, nullptr));

    CGraphPix* pix = view->GetGraphPix();
    pix->setContextMenuPolicy(Qt::ActionsContextMenu);
    leftCursorHereAction = AddAction(MakeAction(tr("Move &Left cursor here"), none, noIcon, noIcon,
                                                QStringLiteral(":/images/CursorELeft.svg")),
                                     pix, SLOT(SetLeftCursorHere()), nullptr, nullptr);
    leftMarkerHereAction = AddAction(MakeAction(tr("Move &Left here"), none, noIcon, noIcon,
                                                QStringLiteral(":/images/CursorLeft.svg")),
                                     pix, SLOT(SetLeftMarkerHere()), nullptr, nullptr);
    centerCursorHereAction = AddAction(MakeAction(tr("Move &Center cursor here"), none, noIcon, noIcon,
                                                  QStringLiteral(":/images/CursorECenter.svg")),
                                       pix, SLOT(SetCenterCursorHere()), nullptr, nullptr);
    rightMarkerHereAction = AddAction(MakeAction(tr("Move &Right here"), none, noIcon, noIcon,
                                                 QStringLiteral(":/images/CursorRight.svg")),
                                      pix, SLOT(SetRightMarkerHere()), nullptr, nullptr);
    rightCursorHereAction = AddAction(MakeAction(tr("Move &Right cursor here"), none, noIcon, noIcon,
                                                 QStringLiteral(":/images/CursorERight.svg")),
                                      pix, SLOT(SetRightCursorHere()), nullptr, nullptr);
    pix->addActions({leftCursorHereAction, leftMarkerHereAction, centerCursorHereAction,
                     rightMarkerHereAction, rightCursorHereAction});
    SetGraphContextMenuFullMode(false);

    connect(device, &CDevice::sigDisconnectedChange, connectAction, &QAction::setVisible);
    connect(device, &CDevice::sigConnectedChange, disconnectAction, &QAction::setVisible);
    disconnectAction->setVisible(false);
    connect(measurementAction, &QAction::triggered, eventList, &CEventList::OnHide);
    connect(device, &CDevice::sigConnectedChange, measurementAction, &QAction::setEnabled);
    measurementAction->setEnabled(false);
    connect(device, &CDevice::sigDoMeasure, eventList, &CEventList::OnHide);
    connect(device, &CDevice::sigEndMeasure, this, &MainWindow::onEndMeasurement);
    connect(device, &CDevice::sigHasFilesChange, loadAllAction, &QAction::setEnabled);
    loadAllAction->setEnabled(false);
    connect(device, &CDevice::sigCanClearMemoryChange, clearMemoryAction, &QAction::setEnabled);
    clearMemoryAction->setEnabled(false);
    connect(device, &CDevice::sigConnectedChange, propertiesAction, &QAction::setEnabled);
    propertiesAction->setEnabled(false);
    connect(device, &CDevice::sigConnectedChange, updateClockAction, &QAction::setEnabled);
    updateClockAction->setEnabled(false);
    // The view has handled the click by now; a refused mode is off again.
    for (QAction* mode : {reflectionMeasAction, junctionMeasAction})
        connect(mode, &QAction::triggered, this,
                [this, mode] { SetGraphContextMenuFullMode(mode->isChecked()); });
    connect(endMeasAction, &QAction::triggered, this, &MainWindow::SetGraphContextMenuFullMode);
    // An edit ended in the table leaves no cursors for these items to move.
    connect(eventList, &CEventList::sigEndEditEvent, this,
            [this] { SetGraphContextMenuFullMode(false); });
    endMeasAction->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{viewMenu, viewToolBar, eventsMenu, eventsToolBar})
        connect(flist, &CFileList::sigEnabled, w, &QWidget::setEnabled);
    connect(flist, &CFileList::sigEnabled, saveAllAction, &QAction::setEnabled);
    connect(flist, &CFileList::sigEnabled, saveAction, &QAction::setEnabled);
    connect(flist, &CFileList::sigFileUpdated, saveAction, &QAction::setEnabled);
    for (QAction* a : {saveCopyAction, renameAction, deleteAction, zoomToAllAction, uncheckAllAction})
        connect(flist, &CFileList::sigEnabled, a, &QAction::setEnabled);
    connect(flist, &CFileList::sigHasChecked, uncheckAllAction, &QAction::setEnabled);
    for (QAction* a : {deleteCopyAction, informationAction, printAction, previewAction, pagePropertiesAction})
        connect(flist, &CFileList::sigEnabled, a, &QAction::setEnabled);
    // A disabled menu still lets its actions' shortcuts through. "Add &event"
    // is the view's to switch.
    for (QAction* a : viewMenu->actions() + eventsMenu->actions())
        if (!a->isSeparator() && a != endMeasAction)
            connect(flist, &CFileList::sigEnabled, a, &QAction::setEnabled, Qt::UniqueConnection);
    connect(flist, &CFileList::sigEnabled, this, &MainWindow::ShowMainViewContextMenu);
    eventsMenu->addSeparator();
    AddAction(deleteEventAction, eventList, SLOT(OnDeleteEvent()), eventsMenu, nullptr);
    AddAction(editEventAction, eventList, SLOT(OnEditEvent()), eventsMenu, nullptr);

    AddShortcut(QKeySequence(Qt::ALT | Qt::Key_Up), SLOT(OnMoveUp()));
    AddShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), SLOT(OnMoveDown()));
    AddShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), SLOT(OnMoveLeft()));
    AddShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), SLOT(OnMoveRight()));
    AddShortcut(QKeySequence(Qt::KeypadModifier | Qt::Key_4), SLOT(OnMoveLeftMarkerLeft()));
    AddShortcut(QKeySequence(Qt::KeypadModifier | Qt::Key_6), SLOT(OnMoveRightMarkerLeft()));
    AddShortcut(QKeySequence(Qt::KeypadModifier | Qt::Key_1), SLOT(OnMoveLeftMarkerRight()));
    AddShortcut(QKeySequence(Qt::KeypadModifier | Qt::Key_3), SLOT(OnMoveRightMarkerRight()));
}
