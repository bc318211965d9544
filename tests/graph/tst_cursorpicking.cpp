#include "PlotFixture.h"
#include "support/LogCatcher.h"

#include "graph/MarkPlacement.h"

#include <QtTest>

// Where markers and cursors are placed, which one the mouse picks and where
// a drag leaves it.
class TestCursorPicking : public QObject
{
    Q_OBJECT

private slots:
    void keepsMarkersAPixelApart();
    void clampsMarkersScrolledOutOfTheWindow();
    void keepsEditCursorsAroundTheCentre();
    void picksMarkersAlongTheWholeHeight_data();
    void picksMarkersAlongTheWholeHeight();
    void picksCursorsOnlyOnTheirTick_data();
    void picksCursorsOnlyOnTheirTick();
    void prefersEditCursorsAndTheRightMarker();
    void picksNothingOnALiveTrace();
    void dragsByTheGrabOffset();
    void stopsDragsAtTheTraceEnds_data();
    void stopsDragsAtTheTraceEnds();
    void reportsWhetherAMarkerIsInTheWindow();

private:
    // A 4000-point sloping trace (about 8 km) in a 400 x 300 window.
    static QSharedPointer<sor::CFile> Trace()
    {
        return TraceBuilder(4000).Flat(5000).Slope(1.0).Build();
    }
    static int Column(CGraphModel& model, CCursors::CCursor* mark)
    {
        return GetClampedMarkX(model.GetTransform(), model.GetCursors(), mark, true);
    }
    static int Row(CGraphModel& model, CCursors::CCursor* mark)
    {
        return model.GetTransform().LevelToPixel(model.GetView()->GetValueAt(mark->GetPosition()));
    }
};

void TestCursorPicking::keepsMarkersAPixelApart()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(2000);
    c->GetRightMarker()->MoveTo(2000);
    const CGraphTransform t = plot.Model().GetTransform();
    const int left = GetMarkX(t, c, c->GetLeftMarker(), false, false);
    QCOMPARE(left, t.XToPixel(2000));
    QCOMPARE(GetMarkX(t, c, c->GetRightMarker(), false, false), left + 1);
}

void TestCursorPicking::clampsMarkersScrolledOutOfTheWindow()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(7000);
    c->GetRightMarker()->MoveTo(7500);
    model.SetZoom(8, 1, 500, 0); // a window over the first kilometre
    QVERIFY(model.UpdateView());
    const CGraphTransform t = model.GetTransform();
    const int right = model.GetViewWin().right();

    bool bInside = true;
    QCOMPARE(GetClampedMarkX(t, c, c->GetLeftMarker(), false, &bInside), right - 1);
    QVERIFY(!bInside);
    QCOMPARE(GetClampedMarkX(t, c, c->GetRightMarker(), false, &bInside), right);
    QVERIFY(!bInside);
    QVERIFY(GetMarkX(t, c, c->GetRightMarker(), false, false) > right);
}

void TestCursorPicking::keepsEditCursorsAroundTheCentre()
{
    PlotFixture plot(QSize(400, 300));
    sor::CFile* file = plot.Add(TraceBuilder(4000).Flat(5000).Slope(1.0).Event(10).Build());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->BeginEditEvent(0, 2, false); // an event at 10 m: the window's left edge
    QVERIFY(c->IsEditMode());
    const CGraphTransform t = model.GetTransform();
    const int left = model.GetViewWin().left();
    const int centre = GetMarkX(t, c, c->GetCenterCursor(), true, true);
    QCOMPARE(centre, left + 2);
    QCOMPARE(GetMarkX(t, c, c->GetLeftMarker(), true, true), left + 1);
    QCOMPARE(GetMarkX(t, c, c->GetLeftCursor(), true, true), left);
    QVERIFY(GetMarkX(t, c, c->GetRightMarker(), true, true) > centre);
    c->EndEditEvent(false);
    QCOMPARE(int(file->GetKeyEventList().size()), 1);
}

void TestCursorPicking::picksMarkersAlongTheWholeHeight_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("bHit");
    QTest::newRow("on the line, top") << 0 << 0 << true;
    QTest::newRow("on the line, bottom") << 0 << 299 << true;
    QTest::newRow("2 px left") << -2 << 150 << true;
    QTest::newRow("2 px right") << 2 << 20 << true;
    QTest::newRow("3 px left") << -3 << 150 << false;
    QTest::newRow("3 px right") << 3 << 150 << false;
}

void TestCursorPicking::picksMarkersAlongTheWholeHeight()
{
    QFETCH(int, dx);
    QFETCH(int, y);
    QFETCH(bool, bHit);
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(1000);
    c->GetRightMarker()->MoveTo(6000);
    const int x = Column(plot.Model(), c->GetLeftMarker());
    const QSharedPointer<CCursorGrab> grab = plot.Model().FindCursorAt(QPoint(x + dx, y));
    QCOMPARE(!grab.isNull(), bHit);
    if (bHit) {
        QCOMPARE(grab->Cursor, static_cast<CCursors::CCursor*>(c->GetLeftMarker()));
        QCOMPARE(grab->Offset, -dx);
    }
}

void TestCursorPicking::picksCursorsOnlyOnTheirTick_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("bHit");
    QTest::newRow("left cursor, centre") << int(CCursors::LEFT_CURSOR) << QPoint(0, 0) << true;
    QTest::newRow("left cursor, tick top") << int(CCursors::LEFT_CURSOR) << QPoint(2, -5) << true;
    QTest::newRow("left cursor, above") << int(CCursors::LEFT_CURSOR) << QPoint(0, -6) << false;
    QTest::newRow("left cursor, below") << int(CCursors::LEFT_CURSOR) << QPoint(0, 6) << false;
    QTest::newRow("left cursor, 3 px") << int(CCursors::LEFT_CURSOR) << QPoint(3, 0) << false;
    QTest::newRow("right cursor, 2 px") << int(CCursors::RIGHT_CURSOR) << QPoint(-2, 4) << true;
    QTest::newRow("right cursor, far") << int(CCursors::RIGHT_CURSOR) << QPoint(0, 40) << false;
    QTest::newRow("centre cursor, foot") << int(CCursors::CENTER_CURSOR) << QPoint(5, 4) << true;
    QTest::newRow("centre cursor, 7 px") << int(CCursors::CENTER_CURSOR) << QPoint(7, 0) << false;
}

void TestCursorPicking::picksCursorsOnlyOnTheirTick()
{
    QFETCH(int, kind);
    QFETCH(QPoint, offset);
    QFETCH(bool, bHit);
    PlotFixture plot(QSize(400, 300));
    plot.Add(TraceBuilder(4000).Flat(5000).Slope(1.0).Event(4000).Build());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->BeginEditEvent(0, 2, false); // cursors 400 m (20 px) apart
    CCursors::CCursor* mark = c->GetCursor(kind);
    const QPoint at(Column(model, mark), Row(model, mark));
    const QSharedPointer<CCursorGrab> grab = model.FindCursorAt(at + offset);
    QCOMPARE(!grab.isNull() && grab->Cursor == mark, bHit);
    c->EndEditEvent(false);
}

void TestCursorPicking::prefersEditCursorsAndTheRightMarker()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(TraceBuilder(4000).Flat(5000).Event(4000).Build());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(2000);
    c->GetRightMarker()->MoveTo(2000);
    const int x = Column(model, c->GetLeftMarker());
    QSharedPointer<CCursorGrab> grab = model.FindCursorAt(QPoint(x, 100));
    QVERIFY(grab);
    QCOMPARE(grab->Cursor, static_cast<CCursors::CCursor*>(c->GetRightMarker()));

    // Edit mode: the left cursor sits one pixel beside the left marker.
    c->BeginEditEvent(0, 2, false);
    c->GetLeftCursor()->MoveTo(c->GetLeftMarker()->GetPosition());
    const QPoint cursorAt(Column(model, c->GetLeftCursor()), Row(model, c->GetLeftCursor()));
    QCOMPARE(cursorAt.x(), Column(model, c->GetLeftMarker()) - 1);
    grab = model.FindCursorAt(cursorAt + QPoint(1, 0));
    QVERIFY(grab);
    QCOMPARE(grab->Cursor, static_cast<CCursors::CCursor*>(c->GetLeftCursor()));
    c->EndEditEvent(false);
}

void TestCursorPicking::picksNothingOnALiveTrace()
{
    PlotFixture plot(QSize(400, 300));
    plot.AddLive(QSharedPointer<FakeFileView>::create(std::vector<quint16>(4000, 5000), 2.0));
    CGraphModel& model = plot.Model();
    QVERIFY(model.IsEnabled());
    for (int x = 0; x < 400; ++x)
        QVERIFY(model.FindCursorAt(QPoint(x, 150)).isNull());
    int column = -1;
    QVERIFY(!model.GetMarkerPosition(CCursors::LEFT_MARKER, false, &column));
}

void TestCursorPicking::dragsByTheGrabOffset()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(1000);
    c->GetRightMarker()->MoveTo(6000);
    const int x = Column(model, c->GetLeftMarker());
    const QSharedPointer<CCursorGrab> grab = model.FindCursorAt(QPoint(x + 2, 100));
    QVERIFY(grab);
    // The mouse moves 50 px right: the line follows, 2 px left of it.
    model.MoveGrabbedCursor(grab, x + 52);
    const int moved = Column(model, c->GetLeftMarker());
    QVERIFY2(qAbs(moved - (x + 50)) <= 1, qPrintable(QString::number(moved - x)));

    LogCatcher log;
    model.MoveGrabbedCursor(QSharedPointer<CCursorGrab>(), 10);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !cur.isNull()"), 1);
    QCOMPARE(Column(model, c->GetLeftMarker()), moved);
}

void TestCursorPicking::stopsDragsAtTheTraceEnds_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("bEnd");
    QTest::newRow("past the end") << 5000 << true;
    QTest::newRow("before the start") << -5000 << false;
}

void TestCursorPicking::stopsDragsAtTheTraceEnds()
{
    QFETCH(int, column);
    QFETCH(bool, bEnd);
    PlotFixture plot(QSize(400, 300));
    sor::CFile* file = plot.Add(Trace());
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(1000);
    c->GetRightMarker()->MoveTo(2000);
    CCursors::CEditableCursor* mark = bEnd ? c->GetRightMarker() : c->GetLeftMarker();
    plot.Model().DragCursor(mark, column, 0);
    const float expected = bEnd ? float(file->GetLength() - file->GetResolution()) : 0.0f;
    QVERIFY2(qAbs(mark->GetBasePosition() - expected) < 1e-3f,
             qPrintable(QString::number(mark->GetBasePosition())));
}

void TestCursorPicking::reportsWhetherAMarkerIsInTheWindow()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(300);
    c->GetRightMarker()->MoveTo(7000);
    model.SetZoom(8, 1, 500, 0);
    QVERIFY(model.UpdateView());

    int x = -1;
    QVERIFY(model.GetMarkerPosition(CCursors::LEFT_MARKER, false, &x));
    QCOMPARE(x, model.GetTransform().XToPixel(300));
    QVERIFY(!model.GetMarkerPosition(CCursors::RIGHT_MARKER, false, &x));
    QCOMPARE(x, model.GetViewWin().right());

    LogCatcher log;
    model.GetMarkerPosition(CCursors::CENTER_CURSOR, false);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: type==CCursors::LEFT_MARKER || "
                                      "type==CCursors::RIGHT_MARKER"),
             1);
}

QTEST_MAIN(TestCursorPicking)
#include "tst_cursorpicking.moc"
