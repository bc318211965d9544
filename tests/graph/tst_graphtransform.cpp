#include "graph/GraphTransform.h"

#include "support/LogCatcher.h"

#include <QtTest>

#include <limits>

class TestGraphTransform : public QObject
{
    Q_OBJECT

private slots:
    void findsNearestGridStep_data();
    void findsNearestGridStep();
    void ratioLogsZeroSizesAndCarriesOn();
    void mapsHalfPointSourceOntoPixels();
    void limitsPointsToTheTrace_data();
    void limitsPointsToTheTrace();
    void neverStartsBeforeTheFirstSample();
    void mapsAGraphNarrowerThanAMetre();
    void mapsFittedLinesAndContainment();
};

void TestGraphTransform::findsNearestGridStep_data()
{
    QTest::addColumn<float>("wanted");
    QTest::addColumn<int>("minExp");
    QTest::addColumn<int>("maxExp");
    QTest::addColumn<int>("mantissa");
    QTest::addColumn<int>("exponent");

    // -1 means the outputs stay as the caller set them.
    QTest::newRow("130 nearer 100") << 130.0f << 2 << 3 << 1 << 2;
    QTest::newRow("150 ties, first wins") << 150.0f << 2 << 3 << 1 << 2;
    QTest::newRow("2500 ties 2000/5000") << 2500.0f << 2 << 3 << 2 << 3;
    QTest::newRow("51 just beats itself") << 51.0f << 2 << 3 << 1 << 2;
    QTest::newRow("50 no closer candidate") << 50.0f << 2 << 3 << -1 << -1;
    QTest::newRow("40 no closer candidate") << 40.0f << 2 << 3 << -1 << -1;
    QTest::newRow("45 metres") << 45.0f << -2 << 3 << 5 << 1;
    QTest::newRow("7 metres") << 7.0f << -2 << 3 << 5 << 0;
    QTest::newRow("0.26 metres") << 0.26f << -2 << 3 << 2 << -1;
}

void TestGraphTransform::findsNearestGridStep()
{
    QFETCH(float, wanted);
    QFETCH(int, minExp);
    QFETCH(int, maxExp);
    QFETCH(int, mantissa);
    QFETCH(int, exponent);

    int m = -1;
    int e = -1;
    FindGridStep(wanted, {1, 2, 5}, minExp, maxExp, m, e);
    QCOMPARE(m, mantissa);
    QCOMPARE(e, exponent);
}

void TestGraphTransform::ratioLogsZeroSizesAndCarriesOn()
{
    LogCatcher log;
    const CRatio zeroA(0.0f, 2.0f);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: asize"), 1);
    QCOMPARE(zeroA.Value(), 0.0f);
    zeroA.Divide(3.0f);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: adivb"), 1);

    const CRatio zeroB(1.0f, 0.0f);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: bsize"), 1);
    QCOMPARE(zeroB.Value(), std::numeric_limits<float>::infinity());

    log.Clear();
    const CRatio half(1.0f, 2.0f);
    QCOMPARE(half.Multiply(8.0f), 4.0f);
    QCOMPARE(half.Divide(8.0f), 16.0f);
    QVERIFY(log.Entries().isEmpty());
}

void TestGraphTransform::mapsHalfPointSourceOntoPixels()
{
    CGraphTransform t;
    t.Init(1000, 1.0f, QRectF(10.5, 0, 100, 1000), QRect(0, 0, 101, 101));
    QCOMPARE(t.GetFirstPoint(), 10);
    QCOMPARE(t.GetPointCount(), 103);
    QCOMPARE(t.IndexToPixel(10), -1);
    QCOMPARE(t.XToPixel(10.5f), 0);
    QCOMPARE(t.XToPixel(110.5f), 101);
    QCOMPARE(t.LevelToPixel(0), 0);
    QCOMPARE(t.LevelToPixel(1000), 100);
    QCOMPARE(t.MapPoint(QPoint(10, 500)), QPoint(-1, 50));
    QCOMPARE(t.PointsToMetres(4), 4.0f);
}

void TestGraphTransform::limitsPointsToTheTrace_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<float>("resolution");
    QTest::addColumn<QRectF>("source");
    QTest::addColumn<int>("firstPoint");
    QTest::addColumn<int>("pointCount");

    QTest::newRow("source past the end") << 100 << 1.0f << QRectF(150, 0, 50, 100) << 99 << 1;
    QTest::newRow("zoomed out past the end") << 100 << 1.0f << QRectF(40, 0, 200, 100) << 40 << 60;
    QTest::newRow("no samples") << 0 << 1.0f << QRectF(0, 0, 50, 100) << 0 << 0;
    QTest::newRow("zero resolution") << 100 << 0.0f << QRectF(0, 0, 50, 100) << 0 << 0;
    QTest::newRow("NaN resolution") << 100 << std::numeric_limits<float>::quiet_NaN()
                                    << QRectF(0, 0, 50, 100) << 0 << 0;
}

void TestGraphTransform::limitsPointsToTheTrace()
{
    QFETCH(int, points);
    QFETCH(float, resolution);
    QFETCH(QRectF, source);
    QFETCH(int, firstPoint);
    QFETCH(int, pointCount);

    LogCatcher log;
    CGraphTransform t;
    t.Init(points, resolution, source, QRect(0, 0, 101, 101));
    QCOMPARE(t.GetFirstPoint(), firstPoint);
    QCOMPARE(t.GetPointCount(), pointCount);
    QVERIFY(log.Texts(QtCriticalMsg).isEmpty());
}

void TestGraphTransform::neverStartsBeforeTheFirstSample()
{
    CGraphTransform t;
    t.Init(1000, 1.0f, QRectF(-20, 0, 100, 1000), QRect(0, 0, 101, 101));
    QCOMPARE(t.GetFirstPoint(), 0);
    QCOMPARE(t.IndexToPixel(0), t.XToPixel(0.0f));
    QCOMPARE(t.XToPixel(-20.0f), 0);
    // Only the span after metre 0 remains, plus the usual margin.
    QCOMPARE(t.GetPointCount(), 83);
}

void TestGraphTransform::mapsAGraphNarrowerThanAMetre()
{
    // The grid passes the graph width in whole metres: 0 here.
    LogCatcher log;
    CGraphTransform t;
    t.Init(0, 1.0f, QRectF(0, 2000, 0.5, 10000), QRect(10, 20, 400, 301));
    QCOMPARE(t.GetPointCount(), 0);
    QCOMPARE(t.XToPixel(0.0f), 10);
    QCOMPARE(t.XToPixel(0.25f), 210);
    QCOMPARE(t.XToPixel(0.5f), 410);
    QCOMPARE(t.LevelToPixel(2000), 20);
    QCOMPARE(t.LevelToPixel(7000), 170);
    QCOMPARE(t.LevelToPixel(12000), 320);
    QVERIFY(log.Texts(QtCriticalMsg).isEmpty());
}

void TestGraphTransform::mapsFittedLinesAndContainment()
{
    CGraphTransform t;
    t.Init(1000, 2.0f, QRectF(0, 1000, 200, 1000), QRect(10, 20, 101, 101));
    tLine line;
    line.Slope = 2.5f;
    line.Intercept = 1000.0f;
    // Metre 100 is point 50 of 100 over 101 pixels; 2.5 x 100 + 1000 = 1250
    // level units lie a quarter down the target.
    QCOMPARE(t.MapLinePoint(100.0f, line), QPoint(61, 45));
    QVERIFY(t.ContainsX(0.0f));
    QVERIFY(t.ContainsX(200.0f));
    QVERIFY(!t.ContainsX(200.5f));
    QVERIFY(t.ContainsLevel(1000));
    QVERIFY(t.ContainsLevel(2000));
    QVERIFY(!t.ContainsLevel(999));
}

QTEST_APPLESS_MAIN(TestGraphTransform)
#include "tst_graphtransform.moc"
