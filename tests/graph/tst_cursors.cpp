#include "graph/Cursors.h"
#include "graph/GraphModel.h"

#include "support/LogCatcher.h"
#include "support/TraceBuilder.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

const float kTolerance = 1e-3f;

// One built trace shown in a plot-sized window.
struct Shown
{
    explicit Shown(const TraceBuilder& builder)
    {
        set.push_back(QSharedPointer<tListedFile>::create(builder.Build()));
        model.SetWindowSize(QSize(1000, 500));
        model.SetData(&set);
    }

    sor::CFile* File() const { return set.back()->GetFile(); }
    CCursors* Cursors() const { return model.GetCursors(); }

    tListedFiles set;
    CGraphModel model;
};

// Places the five cursors from the outside in, so that no push disturbs a
// cursor already placed; the targets must be in axis order.
void Place(CCursors* c, float leftCursor, float leftMarker, float centre, float rightMarker,
           float rightCursor)
{
    c->GetLeftMarker()->MoveTo(leftMarker);
    c->GetLeftCursor()->MoveTo(leftCursor);
    c->GetRightMarker()->MoveTo(rightMarker);
    c->GetRightCursor()->MoveTo(rightCursor);
    c->GetCenterCursor()->MoveTo(centre);
}

QList<float> Positions(const CCursors* c)
{
    return {c->GetLeftCursor()->GetPosition(), c->GetLeftMarker()->GetPosition(),
            c->GetCenterCursor()->GetPosition(), c->GetRightMarker()->GetPosition(),
            c->GetRightCursor()->GetPosition()};
}

void ComparePositions(const CCursors* c, const QList<double>& expected, double tolerance)
{
    const QList<float> actual = Positions(c);
    for (int i = 0; i < 5; ++i)
        QVERIFY2(std::abs(actual[i] - float(expected[i])) <= tolerance,
                 qPrintable(QString("cursor %1: %2 instead of %3").arg(i).arg(actual[i]).arg(expected[i])));
}

sor::tKeyEvent EventWithMarkers(double time, const QList<double>& markers)
{
    sor::tKeyEvent event;
    event.PropagationTime.GetValue() = time;
    for (int k = 0; k < 5; ++k)
        event.MarkerPositions[k].GetValue() = markers[k];
    return event;
}

} // namespace

class TestCursors : public QObject
{
    Q_OBJECT

private slots:
    void startsAtDefaultTimes();
    void pushesNeighboursAndCarriesOuterCursors();
    void movesTogetherWhenFixed();
    void readsClampedPositionsButKeepsTimes();
    void ignoresDistancesThatAreNotFinite();
    void followsTheGroupIndex();
    void measuresBetweenTheCursors();
    void measuresReflectance_data();
    void measuresReflectance();
    void placesEventWithoutMarkers_data();
    void placesEventWithoutMarkers();
    void placesAndWritesBackStoredMarkerOrder();
    void placesEventWithoutMarkerScaleAsWithout_data();
    void placesEventWithoutMarkerScaleAsWithout();
    void appendsANewEvent();
    void mergesWithANearbyEventOnAccept();
    void mergesComments_data();
    void mergesComments();
    void acceptsUnchangedEditWithoutMarkingTheFile();
    void cancelRestoresListButKeepsTypedComment();
    void refusesNestedOrUnmatchedEdits();
};

void TestCursors::startsAtDefaultTimes()
{
    CGraphModel empty;
    QCOMPARE(empty.GetCursors()->GetTraceLength(), 37500.0f);
    QCOMPARE(empty.GetCursors()->GetRightCursor()->GetPosition(), 37500.0f);

    Shown shown(TraceBuilder(10000).Flat(5000));
    ComparePositions(shown.Cursors(), {1498.96229, 2997.92458, 4496.88687, 5995.84916, 7494.81145}, 1e-4);
    QCOMPARE(shown.Cursors()->GetLeftMarker()->GetTime(), CCursors::DefaultLeftMarkerPos);
    QCOMPARE(shown.Cursors()->GetRightMarker()->GetTime(), CCursors::DefaultRightMarkerPos);

    std::vector<quint16> samples(100, 1000);
    tListedFiles halfMetre{QSharedPointer<tListedFile>::create(
        QSharedPointer<sor::IFileView>(new FakeFileView(samples, 0.5)))};
    CGraphModel live;
    live.SetData(&halfMetre);
    QCOMPARE(live.GetCursors()->GetPointSpanDistance(CCursors::PointSpanCount), 7.5f);
}

void TestCursors::pushesNeighboursAndCarriesOuterCursors()
{
    Shown shown(TraceBuilder(10000).Flat(5000));
    CCursors* c = shown.Cursors();
    const QList<float> start = Positions(c);
    const float spacing = start[1] - start[0];

    // A pushed right marker carries the right cursor along like any move.
    c->GetLeftMarker()->MoveTo(6500.0f);
    const double carried = start[4] + (6500.0 - start[3]);
    ComparePositions(c, {6500.0 - spacing, 6500, 6500, 6500, carried}, 1e-3);

    c->GetLeftMarker()->MoveTo(9000.0f);
    ComparePositions(c, {9000.0 - spacing, 9000, 9000, 9000, carried + 2500}, 1e-3);

    // Moving a marker back leaves what it pushed where it is.
    c->GetLeftMarker()->MoveTo(2000.0f);
    ComparePositions(c, {2000.0 - spacing, 2000, 9000, 9000, carried + 2500}, 1e-3);

    // Pushing works leftwards too, down to the left cursor, which then
    // lies before the start of the trace and reads 0.
    c->GetRightMarker()->MoveBy(-8000.0f);
    ComparePositions(c, {0, 1000, 1000, 1000, carried - 5500}, 1e-2);
    QVERIFY(std::abs(c->GetLeftCursor()->GetBasePosition() - (1000.0f - spacing)) < 1e-2f);
}

void TestCursors::movesTogetherWhenFixed()
{
    Shown shown(TraceBuilder(10000).Flat(5000));
    CCursors* c = shown.Cursors();
    c->SetFixedCursors(true);
    QVERIFY(c->IsFixedCursors());
    const QList<float> start = Positions(c);
    c->GetCenterCursor()->MoveBy(1000.0f);
    ComparePositions(c, {start[0] + 1000.0, start[1] + 1000.0, start[2] + 1000.0,
                         start[3] + 1000.0, start[4] + 1000.0}, 1e-3);
    c->GetLeftCursor()->MoveTo(start[0]);
    ComparePositions(c, {start[0], start[1], start[2], start[3], start[4]}, 1e-3);
}

void TestCursors::readsClampedPositionsButKeepsTimes()
{
    Shown shown(TraceBuilder(10000).Flat(5000));
    CCursors* c = shown.Cursors();
    const float length = c->GetTraceLength();
    QCOMPARE(length, float(9999 * shown.File()->GetResolution()));

    c->SetFixedCursors(true);
    c->GetLeftMarker()->MoveBy(-2000.0f);
    QCOMPARE(c->GetLeftCursor()->GetPosition(), 0.0f);
    QVERIFY(c->GetLeftCursor()->GetTime() < 0.0);
    QVERIFY(std::abs(c->GetLeftCursor()->GetBasePosition() - (1498.96229f - 2000.0f)) < 1e-3f);

    c->GetLeftMarker()->MoveBy(20000.0f);
    QCOMPARE(c->GetRightCursor()->GetPosition(), length);
    QVERIFY(c->GetRightCursor()->GetBasePosition() > length);
}

void TestCursors::ignoresDistancesThatAreNotFinite()
{
    Shown shown(TraceBuilder(10000).Flat(5000));
    CCursors* c = shown.Cursors();
    const double before = c->GetCenterCursor()->GetTime();
    LogCatcher log;
    c->GetCenterCursor()->MoveTo(std::numeric_limits<float>::quiet_NaN());
    c->GetCenterCursor()->MoveBy(std::numeric_limits<float>::infinity());
    QCOMPARE(c->GetCenterCursor()->GetTime(), before);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: std::isfinite(metres)"), 1);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: std::isfinite(delta)"), 1);
}

void TestCursors::followsTheGroupIndex()
{
    Shown shown(TraceBuilder(10000).Flat(5000));
    CCursors* c = shown.Cursors();
    shown.File()->GetFixedParameters()->GroupIndex.GetValue() = 1.2;
    // Same time, longer distance: 1.5 / 1.2 of before.
    QVERIFY(std::abs(c->GetLeftMarker()->GetPosition() - 2997.92458f * 1.25f) < 1e-2f);
    QCOMPARE(c->GetLeftMarker()->GetTime(), CCursors::DefaultLeftMarkerPos);
}

void TestCursors::measuresBetweenTheCursors()
{
    TraceBuilder rising(10000);
    rising.Flat(1000).Slope(2.0);
    Shown straight(rising);
    CCursors* c = straight.Cursors();
    Place(c, float(rising.At(500)), float(rising.At(1000)), float(rising.At(1500)),
          float(rising.At(2000)), float(rising.At(2500)));
    QVERIFY(std::abs(c->GetAttenuation() - 2.0f) < kTolerance);
    QVERIFY(std::abs(c->GetMarkerLine().Slope - 2.0f) < kTolerance);
    QVERIFY(std::abs(c->GetMarkerLine().At(float(rising.At(1200))) - float(1000 + 2 * rising.At(1200))) < 1.0f);

    // Markers closer than a thousandth of a point measure nothing.
    c->GetRightMarker()->MoveTo(c->GetLeftMarker()->GetPosition());
    QCOMPARE(c->GetAttenuation(), 0.0f);

    TraceBuilder stepped(10000);
    stepped.Flat(5000).Step(stepped.At(5000), 300);
    Shown step(stepped);
    c = step.Cursors();
    Place(c, float(stepped.At(2000)), float(stepped.At(4000)), float(stepped.At(5000)),
          float(stepped.At(6000)), float(stepped.At(8000)));
    QVERIFY2(std::abs(c->GetSpliceLoss() - 0.300f) < kTolerance, qPrintable(QString::number(c->GetSpliceLoss())));
    QVERIFY(std::abs(c->GetFirstLine().At(0) - 5000.0f) < kTolerance);
    QVERIFY(std::abs(c->GetSecondLine().At(0) - 5300.0f) < kTolerance);
}

void TestCursors::measuresReflectance_data()
{
    QTest::addColumn<double>("peak");
    QTest::addColumn<double>("reflectance");
    QTest::newRow("no peak") << 0.0 << -60.000;
    QTest::newRow("3 dB") << 3000.0 << -55.256;
    QTest::newRow("10 dB") << 10000.0 << -40.044;
}

void TestCursors::measuresReflectance()
{
    QFETCH(double, peak);
    QFETCH(double, reflectance);
    TraceBuilder builder(10000);
    builder.Flat(20000).Peak(builder.At(5100), peak).PulseWidth(100);
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    Place(c, float(builder.At(4000)), float(builder.At(4500)), float(builder.At(5000)),
          float(builder.At(6000)), float(builder.At(7000)));
    QVERIFY2(std::abs(c->GetReflectance() - reflectance) < kTolerance,
             qPrintable(QString::number(c->GetReflectance(), 'f', 4)));
}

void TestCursors::placesEventWithoutMarkers_data()
{
    QTest::addColumn<bool>("atEnd");
    QTest::newRow("inside") << false;
    QTest::newRow("at end") << true;
}

void TestCursors::placesEventWithoutMarkers()
{
    QFETCH(bool, atEnd);
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(8000.0, 0, "splice");
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    c->SetFixedCursors(true);

    c->BeginEditEvent(0, 0, atEnd);
    QVERIFY(c->IsEditMode());
    QVERIFY(c->IsFixedCursors());
    const double s = shown.File()->GetLength() / 20;
    ComparePositions(c, {8000 - 2 * s, 8000 - s, 8000, 8000 + s, atEnd ? 8000 + s : 8000 + 2 * s}, 1e-2);
    QCOMPARE(c->GetEditedEvent().EventOrigin, atEnd ? 5 : 1);
    // Every marker position now holds its cursor's time.
    QVERIFY(std::abs(c->GetEditedEvent().MarkerPositions[1].GetValue()
                     - shown.File()->DistanceToTime(8000 - s)) < 0.1);
    QVERIFY(!shown.File()->IsChanged());
    QCOMPARE(c->EndEditEvent(false), -1);
}

void TestCursors::placesAndWritesBackStoredMarkerOrder()
{
    Shown shown(TraceBuilder(10000).Flat(5000));
    sor::CFile* file = shown.File();
    const double time = file->DistanceToTime(6000);
    file->SetKeyEventList({EventWithMarkers(time / 10, {30, 10, 20, 50, 40}),
                           EventWithMarkers(time, {3000, 1000, 2000, 5000, 4000})});
    file->SetChanged(false);
    CCursors* c = shown.Cursors();

    c->BeginEditEvent(1, 0, false);
    ComparePositions(c, {2000, 4000, 6000, 8000, 10000}, 1e-2);
    const sor::tKeyEvent& edited = c->GetEditedEvent();
    const QList<double> stored{3000, 1000, 2000, 5000, 4000};
    for (int k = 0; k < 5; ++k)
        QVERIFY(std::abs(edited.MarkerPositions[k].GetValue() - stored[k]) < 1e-2);

    c->GetRightCursor()->MoveTo(11000.0f);
    c->UpdateEditedEvent();
    QCOMPARE(c->EndEditEvent(true), 1);
    const sor::tKeyEvent& saved = file->GetKeyEventList()[1];
    // The right cursor stands for the largest stored value, marker 3.
    QVERIFY(std::abs(saved.MarkerPositions[3].GetValue() - 5500) < 1e-2);
    QVERIFY(std::abs(saved.MarkerPositions[4].GetValue() - 4000) < 1e-2);
    QVERIFY(std::abs(saved.MarkerPositions[1].GetValue() - 1000) < 1e-2);
    QVERIFY(file->IsChanged());
}

void TestCursors::placesEventWithoutMarkerScaleAsWithout_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<QList<double>>("markers");
    QTest::newRow("middle marker zero") << 6000.0 << QList<double>{0, 0, 0, 100, 200};
    // Markers on an event at time 0 give a zero scale.
    QTest::newRow("event at the start") << 0.0 << QList<double>{1000, 2000, 3000, 4000, 5000};
}

void TestCursors::placesEventWithoutMarkerScaleAsWithout()
{
    QFETCH(double, position);
    QFETCH(QList<double>, markers);
    Shown shown(TraceBuilder(10000).Flat(5000));
    sor::CFile* file = shown.File();
    file->SetKeyEventList({EventWithMarkers(file->DistanceToTime(position), markers)});
    CCursors* c = shown.Cursors();
    c->BeginEditEvent(0, 0, false);
    const double s = file->GetLength() / 20;
    const double length = c->GetTraceLength();
    ComparePositions(c, {qBound(0.0, position - 2 * s, length), qBound(0.0, position - s, length), position,
                         position + s, position + 2 * s}, 1e-2);
    for (const auto& marker : c->GetEditedEvent().MarkerPositions)
        QVERIFY(std::isfinite(marker.GetValue()));
    QVERIFY(std::isfinite(c->GetEditedEvent().PropagationTime.GetValue()));

    c->GetRightCursor()->MoveBy(100.0f);
    c->UpdateEditedEvent();
    QCOMPARE(c->EndEditEvent(true), 0);
    for (const auto& marker : file->GetKeyEventList()[0].MarkerPositions)
        QVERIFY(std::isfinite(marker.GetValue()));
}

void TestCursors::appendsANewEvent()
{
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(2000.0).Event(12000.0);
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    c->GetCenterCursor()->MoveTo(7000.0f);

    c->BeginEditEvent(2, 1, false);
    QCOMPARE(int(shown.File()->GetKeyEventList().size()), 3);
    const sor::tKeyEvent& appended = c->GetEditedEvent();
    QCOMPARE(appended.Number.GetValue(), 3u);
    QCOMPARE(appended.EventType, 1);
    QCOMPARE(appended.EventOrigin, 0);
    QCOMPARE(c->GetCenterPosition(), 7000.0f);

    QSignalSpy changed(shown.File(), &sor::CFile::sigFileChanged);
    QCOMPARE(c->EndEditEvent(true), 1);
    const bc::tKeyEventList& events = shown.File()->GetKeyEventList();
    QCOMPARE(int(events.size()), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(events[size_t(i)].Number.GetValue(), unsigned(i + 1));
    QVERIFY(std::abs(shown.File()->TimeToDistance(events[1].PropagationTime.GetValue()) - 7000) < 1e-2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toBool(), true);
    QVERIFY(!c->IsEditMode());
}

void TestCursors::mergesWithANearbyEventOnAccept()
{
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(3000.0, 0, "splice").Event(8000.0, 0, "connector").Event(15000.0);
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    QSignalSpy changed(shown.File(), &sor::CFile::sigFileChanged);

    c->BeginEditEvent(0, 0, false);
    // Within 5 x resolution (about 10 m) of the event at 8000 m.
    c->GetCenterCursor()->MoveTo(8006.0f);
    c->UpdateEditedEvent();
    QCOMPARE(c->EndEditEvent(true), 0);

    const bc::tKeyEventList& events = shown.File()->GetKeyEventList();
    QCOMPARE(int(events.size()), 2);
    QCOMPARE(events[0].Comment.GetValue(), QString("splice | connector"));
    QVERIFY(std::abs(shown.File()->TimeToDistance(events[0].PropagationTime.GetValue()) - 8006) < 1e-2);
    QCOMPARE(events[0].Number.GetValue(), 1u);
    QCOMPARE(events[1].Number.GetValue(), 2u);
    QCOMPARE(changed.count(), 1);
    QVERIFY(shown.File()->IsChanged());
}

void TestCursors::mergesComments_data()
{
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("merged");
    QTest::newRow("own empty") << "" << "connector" << "connector";
    QTest::newRow("other empty") << "splice" << "" << "splice | ";
    QTest::newRow("both empty") << "" << "" << "";
}

void TestCursors::mergesComments()
{
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, merged);
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(3000.0, 0, own).Event(8000.0, 0, other);
    Shown shown(builder);
    CCursors* c = shown.Cursors();

    c->BeginEditEvent(0, 0, false);
    c->GetCenterCursor()->MoveTo(7995.0f);
    QCOMPARE(c->EndEditEvent(true), 0);
    const bc::tKeyEventList& events = shown.File()->GetKeyEventList();
    QCOMPARE(int(events.size()), 1);
    QCOMPARE(events[0].Comment.GetValue(), merged);
    QCOMPARE(events[0].Number.GetValue(), 1u);
}

void TestCursors::acceptsUnchangedEditWithoutMarkingTheFile()
{
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(3000.0).Event(8000.0);
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    // A first accepted edit stores the values the cursors give.
    c->BeginEditEvent(1, 0, false);
    QCOMPARE(c->EndEditEvent(true), 1);
    shown.File()->SetChanged(false);

    QSignalSpy changed(shown.File(), &sor::CFile::sigFileChanged);
    const bc::tKeyEventList before = shown.File()->GetKeyEventList();
    c->BeginEditEvent(1, 0, false);
    QCOMPARE(c->EndEditEvent(true), 1);
    QVERIFY(shown.File()->GetKeyEventList() == before);
    QVERIFY(!shown.File()->IsChanged());
    QCOMPARE(changed.count(), 0);
}

void TestCursors::cancelRestoresListButKeepsTypedComment()
{
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(3000.0, 0, "old").Event(8000.0);
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    bc::tKeyEventList expected = shown.File()->GetKeyEventList();
    QSignalSpy changed(shown.File(), &sor::CFile::sigFileChanged);

    c->BeginEditEvent(0, 1, true);
    shown.File()->GetKeyEventList()[0].Comment.SetValue("typed");
    c->GetCenterCursor()->MoveTo(5000.0f);
    c->UpdateEditedEvent();
    QVERIFY(shown.File()->GetKeyEventList() != expected);
    QCOMPARE(c->EndEditEvent(false), -1);

    expected[0].Comment.SetValue("typed");
    QVERIFY(shown.File()->GetKeyEventList() == expected);
    QVERIFY(!shown.File()->IsChanged());
    QCOMPARE(changed.count(), 0);

    // A cancelled new event leaves no trace either.
    c->BeginEditEvent(2, 0, false);
    QCOMPARE(c->EndEditEvent(false), -1);
    QVERIFY(shown.File()->GetKeyEventList() == expected);
}

void TestCursors::refusesNestedOrUnmatchedEdits()
{
    TraceBuilder builder(10000);
    builder.Flat(5000).Event(3000.0);
    Shown shown(builder);
    CCursors* c = shown.Cursors();
    const bc::tKeyEventList original = shown.File()->GetKeyEventList();
    LogCatcher log;

    QCOMPARE(c->EndEditEvent(true), -1);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: IsEditMode()"), 1);
    c->BeginEditEvent(5, 0, false);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: eventNum<=int(events.size())"), 1);
    QVERIFY(!c->IsEditMode());

    c->BeginEditEvent(0, 0, false);
    c->BeginEditEvent(1, 0, false);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !IsEditMode()"), 1);
    // The second begin must not replace the list that cancelling restores.
    QCOMPARE(int(shown.File()->GetKeyEventList().size()), 1);
    QCOMPARE(c->EndEditEvent(false), -1);
    QVERIFY(shown.File()->GetKeyEventList() == original);
}

QTEST_MAIN(TestCursors)
#include "tst_cursors.moc"
