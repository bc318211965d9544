#include "app/MainWindow.h"

#include "app/Constants.h"
#include "app/MainOpt.h"
#include "app/Settings.h"
#include "core/BalloonTip.h"
#include "core/CrashCallback.h"
#include "core/CrashReporter.h"
#include "core/LoggedMessageBox.h"
#include "device/Device.h"
#include "filelist/FileList.h"
#include "graph/EventList.h"
#include "graph/GraphDlg.h"
#include "graph/GraphModel.h"
#include "graph/GraphPix.h"
#include "graph/GraphTools.h"
#include "graph/GraphView.h"
#include "graph/Preview.h"
#include "print/ParametersOpt.h"
#include "print/Printer.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const cDisconnectedIcon = ":/images/DeviceDisconnected.png";
const char* const cConnectedIcon = ":/images/DeviceConnected.png";

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    zoomLabel = new QLabel(this);
    zoomLabel->setMinimumWidth(50);
    statusBar()->addPermanentWidget(zoomLabel, 0);
    deviceIconLabel = new QLabel(this);
    deviceIconLabel->setPixmap(QPixmap(QString::fromLatin1(cDisconnectedIcon)));
    statusBar()->addPermanentWidget(deviceIconLabel, 0);
    deviceNameLabel = new QLabel(this);
    deviceNameLabel->hide();
    statusBar()->addPermanentWidget(deviceNameLabel, 0);

    CMainOpt::Create(this);

    mainSplit = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(mainSplit);
    graphSplit = new QSplitter(Qt::Vertical, mainSplit);

    flist = new CFileList(this);
    CGraphModel* model = flist->GetGraphModel();
    eventList = new CEventList(flist, graphSplit);
    view = new CGraphView(model, eventList, graphSplit);
    CGraphPix* pix = view->GetGraphPix();
    tools = new GraphTools(model, pix, graphSplit);
    CGraphDlg* panel = tools->GetGraphDlg();
    CPreviewFrame* previewFrame = tools->GetPreviewFrame();
    Preview* preview = tools->GetPreview();
    panel->ConnectInfoButton(flist, SLOT(OnFileInformation(bool)));

    const auto repaint = QOverload<>::of(&QWidget::update);
    connect(flist, &CFileList::sigCloseFile, eventList, &CEventList::OnCloseFile);
    connect(flist, &CFileList::sigFileUpdated, eventList, &CEventList::UpdateEventsCount);
    connect(flist, &CFileList::sigFileUpdated, view, &CGraphView::UpdateScrolls);
    connect(flist, &CFileList::sigFileUpdated, this, &MainWindow::UpdateStatusBar);
    connect(flist, &CFileList::sigFileUpdated, pix, repaint);
    connect(flist, &CFileList::sigFileUpdated, preview, repaint);
    connect(flist, &CFileList::sigFileUpdated, panel, &CGraphDlg::OnUpdateValues);
    connect(preview, &Preview::sigUpdate, view, &CGraphView::UpdateScrolls);
    connect(preview, &Preview::sigUpdate, this, &MainWindow::UpdateStatusBar);
    connect(pix, &CGraphPix::sigUpdate, view, &CGraphView::UpdateScrolls);
    connect(pix, &CGraphPix::sigUpdate, this, &MainWindow::UpdateStatusBar);
    connect(pix, &CGraphPix::sigUpdate, previewFrame, &CPreviewFrame::OnUpdatePix);
    connect(pix, &CGraphPix::sigUpdate, panel, &CGraphDlg::OnUpdateValues);
    connect(pix, &CGraphPix::sigCursorMoved, eventList, &CEventList::OnCursorMoved);
    connect(view, &CGraphView::sigUpdate, panel, &CGraphDlg::OnUpdateValues);
    connect(view, &CGraphView::sigUpdate, preview, repaint);
    connect(view, &CGraphView::sigUpdate, pix, repaint);
    connect(view, &CGraphView::sigUpdate, this, &MainWindow::UpdateStatusBar);
    connect(view, &CGraphView::sigCursorMoved, eventList, &CEventList::OnCursorMoved);
    connect(panel, &CGraphDlg::sigUpdate, pix, repaint);
    connect(panel, &CGraphDlg::sigUpdate, preview, repaint);
    connect(panel, &CGraphDlg::sigCursorMoved, eventList, &CEventList::OnCursorMoved);
    connect(eventList, &CEventList::sigUpdateCurrentEvent, panel, &CGraphDlg::OnUpdateValues);

    auto* container = new QWidget(graphSplit);
    container->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(view);
    graphSplit->addWidget(container);
    graphSplit->addWidget(eventList);
    graphSplit->setChildrenCollapsible(false);
    graphSplit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    mainSplit->addWidget(flist);
    mainSplit->addWidget(graphSplit);
    mainSplit->setChildrenCollapsible(false);
    mainSplit->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Expanding);

    setWindowTitle(tr("Quorvane"));

    printer = new CPrinter(flist, this);
    device = new CDevice(flist, this);

    connect(device, &CDevice::sigConnect, this, &MainWindow::UpdateStatusBar);
    connect(device, &CDevice::sigDisconnect, this, &MainWindow::UpdateStatusBar);
    // Emitted on the exchange thread, the call is queued; the view takes no
    // events, so the window, which does, carries it.
    connect(device, &CDevice::sigUpdateGraph, this, [this] { view->UpdateScrolls(); });
    connect(device, &CDevice::sigUpdateGraph, this, &MainWindow::UpdateStatusBar);
    connect(device, &CDevice::sigUpdateGraph, previewFrame, &CPreviewFrame::OnUpdatePix);
    connect(device, &CDevice::sigUpdateGraph, panel, &CGraphDlg::OnUpdateValues);
    connect(device, &CDevice::sigUpdateGraph, preview, repaint);
    connect(device, &CDevice::sigUpdateGraph, pix, repaint);

    CreateMenus();
    RestoreGeometry();

    show();
    // Drawn once before a large folder keeps the loop busy.
    QCoreApplication::processEvents();

    QString location = CMainOpt::Instance()->GetLastDir();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2)
        location = arguments.at(1);
    flist->SetWorkingFolder(location);

    flist->setFocus();
    QTimer::singleShot(100, this, &MainWindow::ShowStartHelp);
}

MainWindow::~MainWindow()
{
    // Also when destroyed without a close: the printer's set-up must reach
    // the options object before the children, that object first, go.
    delete printer;
}

QSize MainWindow::sizeHint() const
{
    return QSize(800, 600);
}

void MainWindow::UpdateStatusBar()
{
    const CGraphModel* model = flist->GetGraphModel();
    if (!model->IsEnabled()) {
        zoomLabel->setText(QString());
    } else if (!model->IsZoomed()) {
        zoomLabel->setText(tr("Zoom reset"));
    } else {
        float w = model->GetViewWidth(true);
        QString unit = tr("meters");
        if (w < 1.0f) {
            w *= 100.0f;
            unit = tr("centimetres");
        } else if (w > 10000.0f) {
            w /= 1000.0f;
            unit = tr("kilometers");
        }
        const float h = model->GetViewHeightDb(true);
        zoomLabel->setText(tr("Zoom %1 %2 x %3 dB")
                               .arg(double(w), 0, 'f', 2)
                               .arg(unit)
                               .arg(double(h), 0, 'f', 2));
    }

    if (device && device->IsConnected()) {
        deviceNameLabel->setText(device->GetDeviceDescription());
        deviceNameLabel->show();
        deviceIconLabel->setPixmap(QPixmap(QString::fromLatin1(cConnectedIcon)));
    } else {
        deviceNameLabel->hide();
        deviceIconLabel->setPixmap(QPixmap(QString::fromLatin1(cDisconnectedIcon)));
    }
}

void MainWindow::SetGraphContextMenuFullMode(bool bFullMode)
{
    leftCursorHereAction->setVisible(bFullMode);
    centerCursorHereAction->setVisible(bFullMode);
    rightCursorHereAction->setVisible(bFullMode);
}

void MainWindow::ShowMainViewContextMenu(bool bShow)
{
    view->GetGraphPix()->setContextMenuPolicy(bShow ? Qt::ActionsContextMenu : Qt::NoContextMenu);
}

void MainWindow::ShowStartHelp()
{
    if (!helpToolBar)
        return;
    QWidget* button = helpToolBar->widgetForAction(supportAction);
    if (!button)
        return;
    QPoint point = button->mapToGlobal(button->rect().center());
    point.rx() -= BalloonTip::PointerSize();
    BalloonTip::ShowTip(point,
                        tr("Сообщите нам об ошибках и неудобствах\nв программе посредством данной кнопки"),
                        10000, nullptr);
}

void MainWindow::About()
{
    const QString text = QStringLiteral("<center>%1 ver. %2<br/>")
                             .arg(QCoreApplication::applicationName(), cProgramVersion.ToString())
        + QStringLiteral("</center>");
    QMessageBox box(QMessageBox::NoIcon, tr("About"), text, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::RichText);
    box.setModal(true);
    box.exec();
}

void MainWindow::HelpTopics()
{
    // The desktop fails quietly on a missing or unreadable file.
    const QString path = CMainOpt::Instance()->GetManualPath();
    const QFileInfo manual(path);
    QString problem;
    if (!manual.exists())
        problem = tr("The user manual was not found:\n%1");
    else if (!manual.isFile() || !manual.isReadable() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        problem = tr("The user manual could not be opened:\n%1");
    if (problem.isEmpty())
        return;
    CLoggedMessageBox(QMessageBox::Warning, tr("Help"), problem.arg(QDir::toNativeSeparators(path)),
                      QMessageBox::NoButton, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
        .Exec();
}

void MainWindow::Support()
{
    ICrashReporter& reporter = GetCrashReporter();
    const int result = reporter.GenerateReport(true);
    setEnabled(false);
    WaitForCrashSender();
    setEnabled(true);
    // Written quietly, the report looks to the user as if nothing happened.
    if (result == 0)
        CLoggedMessageBox(QMessageBox::Information, tr("Report of the issue"),
                          tr("The report of the issue was written to the folder\n%1")
                              .arg(QDir::toNativeSeparators(reporter.GetLastReportFolder())),
                          QMessageBox::NoButton, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
    else
        CLoggedMessageBox(QMessageBox::Warning, tr("Report of the issue"),
                          tr("The report of the issue could not be written:\n%1").arg(reporter.GetLastErrorText()),
                          QMessageBox::NoButton, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
}

void MainWindow::Parameters()
{
    auto* dialog = new CParametersOpt(flist, this);
    // The printer holds its own copy of the sections; an accepted choice
    // must reach the next print and export, not only the next preview.
    if (printer)
        connect(dialog, &QDialog::accepted, printer, &CPrinter::LoadSections);
    dialog->setModal(true);
    dialog->show();
}

void MainWindow::onEndMeasurement()
{
    if (view)
        view->OnShowEventsTableManually();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!flist->CloseFiles(QStringList())) {
        event->ignore();
        return;
    }
    SaveGeometry();
    event->accept();
    // Its set-up goes into the options object, which must still be there.
    delete printer;
    printer = nullptr;
}

void MainWindow::SaveGeometry()
{
    QSettings* settings = GetSettings(0, 0);
    settings->beginGroup(QStringLiteral("MainWindow"));
    settings->setValue(QStringLiteral("maximized"), isMaximized());
    // The stored geometry is the normal one, to come back to from maximized.
    showNormal();
    QCoreApplication::processEvents();
    settings->setValue(QStringLiteral("geometry"), saveGeometry());
    settings->setValue(QStringLiteral("windowState"), saveState(0));
    settings->setValue(QStringLiteral("mainSplit"), mainSplit->saveState());
    settings->setValue(QStringLiteral("graphSplit"), graphSplit->saveState());
    settings->endGroup();
    settings->sync();
}

void MainWindow::RestoreGeometry()
{
    QSettings* settings = GetSettings(0, 0);
    settings->beginGroup(QStringLiteral("MainWindow"));
    restoreState(settings->value(QStringLiteral("windowState")).toByteArray(), 0);
    restoreGeometry(settings->value(QStringLiteral("geometry")).toByteArray());
    if (settings->value(QStringLiteral("maximized"), true).toBool())
        showMaximized();
    mainSplit->restoreState(settings->value(QStringLiteral("mainSplit")).toByteArray());
    graphSplit->restoreState(settings->value(QStringLiteral("graphSplit")).toByteArray());
    settings->endGroup();
}
