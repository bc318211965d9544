#include "support/LogCatcher.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include "core/Format.h"
#include "filelist/FileList.h"
#include "graph/Cursors.h"
#include "graph/EventList.h"
#include "graph/GraphDlg.h"
#include "graph/GraphModel.h"
#include "graph/GraphPix.h"
#include "graph/GraphView.h"
#include "resources/Resources.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

enum { kOriginA = 0, kOriginE = 2, kOriginD = 5 };

// The view wired to a file list and its event table as the main window
// wires them, with the actions the window hands it.
struct tViewFixture
{
    tViewFixture() : table(&list, nullptr), view(list.GetGraphModel(), &table, nullptr)
    {
        for (QAction** a : {&junction, &reflection, &reflectionAtEnd, &endMeas})
            *a = new QAction(&view);
        view.SetJunctionMeasAction(junction);
        view.SetReflectionMeasAction(reflection);
        view.SetReflectionMeasAtEndAction(reflectionAtEnd);
        view.SetEndMeasAction(endMeas);
        endMeas->setEnabled(false);
        QObject::connect(junction, &QAction::triggered, &view, &CGraphView::OnJunctionMeas);
        QObject::connect(reflection, &QAction::triggered, &view, &CGraphView::OnReflectionMeas);
        QObject::connect(reflectionAtEnd, &QAction::triggered, &view, &CGraphView::OnReflectionMeasAtEnd);
        QObject::connect(endMeas, &QAction::triggered, &view, &CGraphView::OnEndMeas);
        QObject::connect(&list, &CFileList::sigFileUpdated, &table, &CEventList::UpdateEventsCount);
        QObject::connect(&list, &CFileList::sigCloseFile, &table, &CEventList::OnCloseFile);
        view.resize(600, 300);
        view.show();
    }
    ~tViewFixture()
    {
        while (list.count())
            list.RemoveItem(0);
    }
    QSharedPointer<sor::CFile> Add(const TraceBuilder& builder)
    {
        QSharedPointer<sor::CFile> file = builder.Build(dir.filePath(QStringLiteral("trace.sor")));
        file->Save();
        list.AddFileItem(file, false);
        list.SelectRow(list.count() - 1);
        // The plot takes its size, and the model its window, from the layout.
        QTest::qWait(0);
        return file;
    }
    CGraphModel* Model() { return list.GetGraphModel(); }
    QScrollBar* HBar() { return view.GetHScrollBar(); }
    QScrollBar* VBar() { return view.GetVScrollBar(); }
    QList<bool> Checked() const
    {
        return {junction->isChecked(), reflection->isChecked(), reflectionAtEnd->isChecked()};
    }

    QTemporaryDir dir;
    CFileList list{nullptr};
    CEventList table;
    CGraphView view;
    QAction* junction;
    QAction* reflection;
    QAction* reflectionAtEnd;
    QAction* endMeas;
};

TraceBuilder ThreeEvents()
{
    return TraceBuilder(5000).Flat(5000).Slope(0.2).Event(1000).Event(2000, 1).Event(3000);
}

} // namespace

class TestGraphView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitResources(); }
    void unzoomedViewHidesBarsButSetsThem();
    void zoomShowsTheBarOfItsDirection();
    void factorOfExactlyLimitIsNotZoomed();
    void barsScrollTheModel();
    void stepsScrollByAQuarterPage();
    void resetZoomXTakesTheVerticalFactor();
    void markerSteps_data();
    void markerSteps();
    void spliceModeAppendsAndEditsAnEvent();
    void otherModeChangesTheEditedEvent();
    void reflectionAtEndMeasuresAnEndEvent();
    void sameModeAgainCancelsTheEdit();
    void endOfLineWarning_data();
    void endOfLineWarning();
    void modesIgnoreALiveTrace();
    void markerStepsLeaveALiveTraceAlone();
    void fiveMarkerEditFollowsKeyboardAndTypedMoves();
};

void TestGraphView::unzoomedViewHidesBarsButSetsThem()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    QSignalSpy updates(&f.view, &CGraphView::sigUpdate);
    f.view.UpdateScrolls();
    QCOMPARE(updates.count(), 1);
    QVERIFY(!f.HBar()->isVisibleTo(&f.view));
    QVERIFY(!f.VBar()->isVisibleTo(&f.view));
    const QWidget* pix = f.view.GetGraphPix();
    QCOMPARE(f.HBar()->pageStep(), pix->width());
    QCOMPARE(f.VBar()->pageStep(), pix->height());
    QCOMPARE(f.HBar()->maximum(), f.Model()->GetWindowSize().width() - pix->width());
    QCOMPARE(f.HBar()->value(), 0);
}

void TestGraphView::zoomShowsTheBarOfItsDirection()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    f.view.OnZoomXIn();
    f.view.OnZoomXIn();
    QVERIFY(f.Model()->IsZoomedX());
    QVERIFY(f.HBar()->isVisibleTo(&f.view));
    QVERIFY(!f.VBar()->isVisibleTo(&f.view));
    const QWidget* pix = f.view.GetGraphPix();
    QCOMPARE(f.HBar()->pageStep(), pix->width());
    QCOMPARE(f.HBar()->maximum(), f.Model()->GetWindowSize().width() - pix->width());
    QVERIFY(f.HBar()->maximum() > 0);
    QCOMPARE(f.HBar()->value(), f.Model()->GetWindowTopLeft().x());

    f.view.OnZoomIn();
    QVERIFY(f.VBar()->isVisibleTo(&f.view));
    f.view.OnZoomOff();
    QVERIFY(!f.HBar()->isVisibleTo(&f.view));
    QVERIFY(!f.VBar()->isVisibleTo(&f.view));
}

void TestGraphView::factorOfExactlyLimitIsNotZoomed()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    CGraphModel* model = f.Model();
    model->SetZoom(1.001f, 1.001f, model->GetOriginX(), model->GetOriginY());
    model->UpdateView();
    f.view.UpdateScrolls();
    QVERIFY(!f.HBar()->isVisibleTo(&f.view));
    QVERIFY(!f.VBar()->isVisibleTo(&f.view));
}

void TestGraphView::barsScrollTheModel()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    f.view.OnZoomIn();
    f.view.OnZoomIn();
    QSignalSpy updates(&f.view, &CGraphView::sigUpdate);
    f.HBar()->setValue(40);
    QCOMPARE(f.Model()->GetWindowTopLeft().x(), 40);
    f.VBar()->setValue(25);
    QCOMPARE(f.Model()->GetWindowTopLeft(), QPoint(40, 25));
    QCOMPARE(updates.count(), 2);
}

void TestGraphView::stepsScrollByAQuarterPage()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    f.view.OnZoomIn();
    f.view.OnZoomIn();
    const int x = f.HBar()->maximum() / 2;
    const int y = f.VBar()->maximum() / 2;
    f.HBar()->setValue(x);
    f.VBar()->setValue(y);
    const int hQuarter = f.HBar()->pageStep() / 4;
    const int vQuarter = f.VBar()->pageStep() / 4;
    QVERIFY(hQuarter > 0 && vQuarter > 0);
    QVERIFY(x - hQuarter >= 0 && y + vQuarter <= f.VBar()->maximum());
    f.view.OnMoveRight();
    QCOMPARE(f.Model()->GetWindowTopLeft().x(), x + hQuarter);
    f.view.OnMoveLeft();
    f.view.OnMoveLeft();
    QCOMPARE(f.Model()->GetWindowTopLeft().x(), x - hQuarter);
    f.view.OnMoveDown();
    QCOMPARE(f.Model()->GetWindowTopLeft().y(), y + vQuarter);
    f.view.OnMoveUp();
    QCOMPARE(f.Model()->GetWindowTopLeft().y(), y);

    f.HBar()->setPageStep(3);
    f.view.OnMoveRight();
    QCOMPARE(f.HBar()->value(), x - hQuarter);
}

void TestGraphView::resetZoomXTakesTheVerticalFactor()
{
    tViewFixture f;
    // A short trace, where a metre is many pixels wide.
    f.Add(TraceBuilder(100, 10.0, 1.4681f).Flat(5000).Slope(2.0));
    CGraphModel* model = f.Model();
    f.view.OnZoomIn();
    const float vertical = model->GetScaleY();
    QVERIFY(vertical > 1.0f);
    f.view.OnZoomXIn();
    f.view.OnZoomXIn();
    QVERIFY(model->GetScaleX() > vertical);
    f.HBar()->setValue(f.HBar()->maximum() / 3);
    const double centre = model->GetOrigin().x();
    QVERIFY(centre != double(int(centre)));

    f.view.OnZoomXOff();
    QCOMPARE(model->GetScaleX(), vertical);
    QCOMPARE(model->GetScaleY(), vertical);
    QVERIFY(f.HBar()->isVisibleTo(&f.view));
    QVERIFY2(qAbs(model->GetOrigin().x() - centre) <= model->GetMetresPerPixel(),
             qPrintable(QString("centre %1 moved to %2").arg(centre).arg(model->GetOrigin().x())));
}

void TestGraphView::markerSteps_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("offset"); // fraction of a point past a data point
    QTest::addColumn<bool>("toRight");
    QTest::addColumn<double>("moved"); // in points

    QTest::newRow("left marker on a point, left") << int(CCursors::LEFT_MARKER) << 0.0 << false << -1.0;
    QTest::newRow("left marker on a point, right") << int(CCursors::LEFT_MARKER) << 0.0 << true << 1.0;
    QTest::newRow("left marker past a point, left") << int(CCursors::LEFT_MARKER) << 0.3 << false << -0.3;
    QTest::newRow("left marker past a point, right") << int(CCursors::LEFT_MARKER) << 0.3 << true << 0.7;
    QTest::newRow("right marker on a point, left") << int(CCursors::RIGHT_MARKER) << 0.0 << false << -1.0;
    QTest::newRow("right marker past a point, right") << int(CCursors::RIGHT_MARKER) << 0.3 << true << 0.7;
}

void TestGraphView::markerSteps()
{
    QFETCH(int, kind);
    QFETCH(double, offset);
    QFETCH(bool, toRight);
    QFETCH(double, moved);

    tViewFixture f;
    const TraceBuilder builder = ThreeEvents();
    f.Add(builder);
    const double r = builder.Resolution();
    CCursors::CEditableCursor* marker = f.Model()->GetCursors()->GetCursor(kind);
    const double start = (kind == CCursors::LEFT_MARKER ? 1000 : 2800) + offset;
    marker->SetPosition(float(start * r));

    QStringList order;
    QObject::connect(&f.view, &CGraphView::sigCursorMoved, [&] { order << "moved"; });
    QObject::connect(&f.view, &CGraphView::sigUpdate, [&] { order << "update"; });
    if (kind == CCursors::LEFT_MARKER)
        toRight ? f.view.OnMoveRightMarkerLeft() : f.view.OnMoveLeftMarkerLeft();
    else
        toRight ? f.view.OnMoveRightMarkerRight() : f.view.OnMoveLeftMarkerRight();

    QCOMPARE(order, QStringList({"moved", "update"}));
    const double expected = (start + moved) * r;
    QVERIFY2(qAbs(marker->GetPosition() - expected) < 0.01,
             qPrintable(QString("at %1, expected %2").arg(marker->GetPosition()).arg(expected)));
}

void TestGraphView::spliceModeAppendsAndEditsAnEvent()
{
    tViewFixture f;
    auto file = f.Add(ThreeEvents());
    f.junction->trigger();
    QVERIFY(f.table.IsEditingEvent());
    QVERIFY(f.Model()->GetCursors()->IsEditMode());
    QCOMPARE(f.Checked(), QList<bool>({true, false, false}));
    QVERIFY(f.endMeas->isEnabled());
    QCOMPARE(f.Model()->GetCursors()->GetEditedEvent().EventType, 2);

    f.endMeas->trigger();
    QVERIFY(!f.table.IsEditingEvent());
    QCOMPARE(int(file->GetKeyEventList().size()), 4);
    QCOMPARE(f.Checked(), QList<bool>({false, false, false}));
    QVERIFY(!f.endMeas->isEnabled());
}

void TestGraphView::otherModeChangesTheEditedEvent()
{
    tViewFixture f;
    auto file = f.Add(ThreeEvents());
    f.junction->trigger();
    f.reflection->trigger();
    QVERIFY(f.table.IsEditingEvent());
    QCOMPARE(f.Checked(), QList<bool>({false, true, false}));
    QCOMPARE(f.Model()->GetCursors()->GetEditedEvent().EventType, 1);

    f.endMeas->trigger();
    QCOMPARE(int(file->GetKeyEventList().size()), 4);
    QCOMPARE(file->GetKeyEventList().back().EventType, 1);
}

void TestGraphView::reflectionAtEndMeasuresAnEndEvent()
{
    tViewFixture f;
    // A reflection at the far end of a 10 km trace.
    auto file = f.Add(TraceBuilder(5000).Flat(5000).Slope(0.2).Peak(4497, 4000, 4).Event(1000));
    CCursors* cursors = f.Model()->GetCursors();
    f.reflectionAtEnd->trigger();
    QVERIFY(f.table.IsEditingEvent());
    QCOMPARE(f.Checked(), QList<bool>({false, false, true}));
    QVERIFY(f.endMeas->isEnabled());
    const sor::tKeyEvent& edited = cursors->GetEditedEvent();
    QCOMPARE(edited.EventType, 1);
    QCOMPARE(edited.EventOrigin, kOriginD);
    QCOMPARE(edited.EventLoss.GetValue(), 0.0f);
    QCOMPARE(edited.Reflectance.GetValue(), double(cursors->GetReflectance()));
    QVERIFY(edited.Reflectance.GetValue() != 0.0);
    // At the end of the line the right cursor sits on the right marker.
    QCOMPARE(cursors->GetRightCursor()->GetPosition(), cursors->GetRightMarker()->GetPosition());

    f.endMeas->trigger();
    QVERIFY(!f.table.IsEditingEvent());
    QCOMPARE(f.Checked(), QList<bool>({false, false, false}));
    const bc::tKeyEventList& events = file->GetKeyEventList();
    QCOMPARE(int(events.size()), 2);
    QCOMPARE(events.back().EventType, 1);
    QCOMPARE(events.back().EventOrigin, kOriginD);
    QCOMPARE(events.back().EventLoss.GetValue(), 0.0f);
    QVERIFY(events.back().Reflectance.GetValue() != 0.0);
    QCOMPARE(events.back().Number.GetValue(), 2u);
}

void TestGraphView::sameModeAgainCancelsTheEdit()
{
    tViewFixture f;
    auto file = f.Add(ThreeEvents());
    const auto before = file->GetKeyEventList();
    f.junction->trigger();
    f.junction->trigger();
    QVERIFY(!f.table.IsEditingEvent());
    QVERIFY(!f.Model()->GetCursors()->IsEditMode());
    QCOMPARE(f.Checked(), QList<bool>({false, false, false}));
    QVERIFY(!f.endMeas->isEnabled());
    QVERIFY(file->GetKeyEventList() == before);
}

void TestGraphView::endOfLineWarning_data()
{
    QTest::addColumn<QList<int>>("origins");
    QTest::addColumn<int>("warnings");
    QTest::newRow("E and D") << QList<int>{kOriginA, kOriginE, kOriginD} << 1;
    QTest::newRow("one E") << QList<int>{kOriginA, kOriginA, kOriginE} << 0;
}

void TestGraphView::endOfLineWarning()
{
    QFETCH(QList<int>, origins);
    QFETCH(int, warnings);

    tViewFixture f;
    auto file = f.Add(ThreeEvents());
    auto events = file->GetKeyEventList();
    for (size_t i = 0; i < events.size(); ++i)
        events[i].EventOrigin = origins.at(int(i));
    file->SetKeyEventList(events);

    CModalAnswerer answerer;
    if (warnings)
        answerer.Click(QMessageBox::Ok);
    f.junction->trigger();
    f.junction->trigger();
    QCOMPARE(answerer.Seen().size(), warnings);
    if (warnings) {
        QCOMPARE(answerer.Seen()[0].Title, QString("Предупреждение!"));
        QCOMPARE(answerer.Seen()[0].Text,
                 QString("Таблицв событий содержит несколько событий типа Конец Линии\n"
                         " Удалите лишнее событие или результаты будут некорректными"));
        QCOMPARE(answerer.Seen()[0].Icon, QMessageBox::Warning);
    }
}

void TestGraphView::modesIgnoreALiveTrace()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    std::vector<quint16> samples(3000, 20000);
    tListedFiles live{QSharedPointer<tListedFile>::create(
        QSharedPointer<sor::IFileView>(new FakeFileView(samples, 2.0)))};
    f.Model()->SetData(&live);
    QVERIFY(f.Model()->IsEnabled());
    QVERIFY(f.Model()->IsViewOnly());

    LogCatcher log;
    for (QAction* mode : {f.junction, f.reflection, f.reflectionAtEnd})
        mode->trigger();
    QVERIFY(!f.table.IsEditingEvent());
    QVERIFY(!f.Model()->GetCursors()->IsEditMode());
    QCOMPARE(f.Checked(), QList<bool>({false, false, false}));
    QVERIFY(!f.endMeas->isEnabled());
    QCOMPARE(log.Texts(QtCriticalMsg), QStringList());
    f.Model()->SetData(nullptr);
}

void TestGraphView::markerStepsLeaveALiveTraceAlone()
{
    tViewFixture f;
    f.Add(ThreeEvents());
    CCursors* cursors = f.Model()->GetCursors();
    const QList<int> kinds{CCursors::LEFT_CURSOR, CCursors::LEFT_MARKER, CCursors::CENTER_CURSOR,
                           CCursors::RIGHT_MARKER, CCursors::RIGHT_CURSOR};
    auto times = [&] {
        QList<double> t;
        for (int kind : kinds)
            t << cursors->GetCursor(kind)->GetTime();
        return t;
    };
    const QList<double> before = times();

    // A live trace 2 m a point has no group index to turn its distances
    // into the cursors' times, and shows no markers.
    std::vector<quint16> samples(3000, 20000);
    tListedFiles live{QSharedPointer<tListedFile>::create(
        QSharedPointer<sor::IFileView>(new FakeFileView(samples, 2.0)))};
    f.Model()->SetData(&live);
    QVERIFY(f.Model()->IsViewOnly());
    QSignalSpy moved(&f.view, &CGraphView::sigCursorMoved);
    f.view.OnMoveLeftMarkerLeft();
    f.view.OnMoveRightMarkerLeft();
    f.view.OnMoveRightMarkerLeft();
    f.view.OnMoveLeftMarkerRight();
    f.view.OnMoveRightMarkerRight();
    QCOMPARE(moved.count(), 0);
    QCOMPARE(times(), before);
    f.Model()->SetData(nullptr);
}

void TestGraphView::fiveMarkerEditFollowsKeyboardAndTypedMoves()
{
    tViewFixture f;
    // Noise and a step under the centre cursor, so that every move of a
    // marker changes the fitted lines and with them the loss.
    auto file = f.Add(TraceBuilder(5000)
                          .Flat(5000)
                          .Slope(0.2)
                          .Noise(120, 11)
                          .Step(4497, 700)
                          .Event(1000)
                          .Event(2000, 1)
                          .Event(3000));
    CGraphDlg panel(f.Model());
    // Wired as the main window wires them.
    connect(&f.view, &CGraphView::sigUpdate, &panel, &CGraphDlg::OnUpdateValues);
    connect(&f.view, &CGraphView::sigCursorMoved, &f.table, &CEventList::OnCursorMoved);
    connect(&panel, &CGraphDlg::sigCursorMoved, &f.table, &CEventList::OnCursorMoved);
    connect(&f.table, &CEventList::sigUpdateCurrentEvent, &panel, &CGraphDlg::OnUpdateValues);
    auto text = [&panel](const char* name) {
        return panel.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    };
    CCursors* cursors = f.Model()->GetCursors();

    f.junction->trigger();
    QVERIFY(cursors->IsEditMode());
    const int row = f.table.currentRow();
    QCOMPARE(row, 3);
    const QString lossAtStart = text("mbAttenuation");

    auto showsLiveValues = [&](const char* step) {
        const QString where = QString::fromLatin1(step);
        QCOMPARE(text("mPosition"), QString::number(cursors->GetCenterPosition() / 1000, 'f', 4));
        QVERIFY2(text("mbAttenuation") == FormatLoss(cursors->GetSpliceLoss()),
                 qPrintable(where + ": panel " + text("mbAttenuation") + ", live "
                            + FormatLoss(cursors->GetSpliceLoss())));
        QCOMPARE(text("mAttCoeff"), FormatLoss(cursors->GetAttenuation()));
        QCOMPARE(f.table.item(row, 2)->text(), text("mbAttenuation"));
        QCOMPARE(f.table.item(row, 4)->text(), text("mAttCoeff"));
    };

    for (int i = 0; i < 60; ++i)
        f.view.OnMoveRightMarkerLeft();
    for (int i = 0; i < 40; ++i)
        f.view.OnMoveRightMarkerRight();
    showsLiveValues("keyboard");
    QVERIFY(text("mbAttenuation") != lossAtStart);

    // A typed right marker left of the centre pushes the centre cursor.
    const float centreBefore = cursors->GetCenterPosition();
    for (const char* name : {"lPos", "rPos"}) {
        QLineEdit* edit = panel.findChild<QLineEdit*>(QString::fromLatin1(name));
        edit->setText(QString::fromLatin1(name) == "lPos" ? "4.2" : "4.3");
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QVERIFY(qAbs(cursors->GetCenterPosition() - 4300.0f) < 0.01f);
    QVERIFY(cursors->GetCenterPosition() != centreBefore);
    showsLiveValues("typed");

    const QString position = text("mPosition");
    const QString loss = text("mbAttenuation");
    const QString attenuation = text("mAttCoeff");
    const double centreTime = cursors->GetCenterCursor()->GetTime();
    QList<double> markerTimes;
    for (auto* c : {cursors->GetLeftCursor(), cursors->GetLeftMarker(), cursors->GetCenterCursor(),
                    cursors->GetRightMarker(), cursors->GetRightCursor()})
        markerTimes << c->GetTime();

    QTest::keyClick(&f.table, Qt::Key_Return);
    QVERIFY(!cursors->IsEditMode());
    QVERIFY(file->IsChanged());
    const sor::tKeyEvent& stored = file->GetKeyEventList().at(size_t(f.table.currentRow()));
    QCOMPARE(QString::number(file->TimeToDistance(stored.PropagationTime.GetValue()) / 1000, 'f', 4),
             position);
    QVERIFY(qAbs(stored.PropagationTime.GetValue() - centreTime) < 1e-3);
    QCOMPARE(FormatLoss(stored.EventLoss.GetValue()), loss);
    QCOMPARE(FormatLoss(stored.AttenuationCoefficient.GetValue()), attenuation);
    for (int k = 0; k < sor::tKeyEvent::MARKER_COUNT; ++k)
        QVERIFY2(qAbs(stored.MarkerPositions[k].GetValue() - markerTimes[k]) < 1e-3,
                 qPrintable(QString("marker %1").arg(k)));
}

QTEST_MAIN(TestGraphView)
#include "tst_graphview.moc"
