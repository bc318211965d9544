#include "graph/GraphModel.h"

#include "support/LogCatcher.h"
#include "support/TraceBuilder.h"

#include <QtTest>

namespace {

// A live-trace record with round numbers: `points` samples one metre
// apart whose largest value is `top`.
QSharedPointer<tListedFile> RoundRecord(int points, quint16 top, double resolution = 1.0)
{
    std::vector<quint16> samples(size_t(qMax(points, 0)), 1000);
    if (points > 0)
        samples[size_t(points / 2)] = top;
    return QSharedPointer<tListedFile>::create(
        QSharedPointer<sor::IFileView>(new FakeFileView(samples, resolution)));
}

// The 10,000 m trace, largest sample 20000, in a 1000 x 500 window.
struct Shown
{
    explicit Shown(QSharedPointer<tListedFile> record = RoundRecord(10000, 20000))
    {
        set.push_back(record);
        model.SetWindowSize(QSize(1000, 500));
        model.SetData(&set);
    }

    tListedFiles set;
    CGraphModel model;
};

QPointF GraphAtWidget(const CGraphModel& model, QPoint widget)
{
    return model.ToGraph(widget + model.GetWindowTopLeft());
}

} // namespace

class TestGraphModel : public QObject
{
    Q_OBJECT

private slots:
    void zoomOffFitsTheWholeGraph();
    void zoomKeepsThePointUnderTheMouse();
    void zoomStopsAtTheNarrowestWindow();
    void appliesScaleWithinLimits_data();
    void appliesScaleWithinLimits();
    void zoomsToADraggedRectangle();
    void togglesBetweenStoredWindowAndWholeGraph();
    void restoresZoomOfTheFirstElement();
    void staysDisabledWithoutTraceOrSize();
    void traceWithoutWidthIsNotShown_data();
    void traceWithoutWidthIsNotShown();
    void shortTraceCannotZoomPastTheGraph();
    void separatesZoomedChecksByPrecision();
    void scrollsAndCentresWithinTheGraph();
    void givesCompositionColours_data();
    void givesCompositionColours();
};

void TestGraphModel::zoomOffFitsTheWholeGraph()
{
    Shown shown;
    CGraphModel& m = shown.model;
    QVERIFY(m.IsEnabled());
    QVERIFY(m.IsViewOnly());
    m.ZoomOff();
    QCOMPARE(m.GetWindowSize(), QSize(1000, 500));
    QCOMPARE(m.GetMetresPerPixel(), 10.0f);
    QCOMPARE(m.GetUnitsPerPixel(), 40.0f);
    QCOMPARE(m.GetWindowTopLeft(), QPoint(0, 0));
    QCOMPARE(m.GetViewWidth(true), 10000.0f);
    QCOMPARE(m.GetViewHeightDb(true), 20.0f);

    const CGraphTransform t = m.GetTransform();
    QCOMPARE(t.GetFirstPoint(), 0);
    QCOMPARE(t.XToPixel(5000.0f), 500);
    QCOMPARE(t.LevelToPixel(20000), 499);
}

void TestGraphModel::zoomKeepsThePointUnderTheMouse()
{
    Shown shown;
    CGraphModel& m = shown.model;
    const QSize res(1000, 500);

    QVERIFY(m.Zoom(res, QPointF(500, 250), +1, false, true));
    QCOMPARE(m.GetScaleX(), 4.0f / 3.0f);
    QCOMPARE(m.GetScaleY(), 4.0f / 3.0f);
    QVERIFY(m.IsZoomed());
    QCOMPARE(m.GetViewWidth(true), 7500.0f);
    const QPointF centre = GraphAtWidget(m, QPoint(500, 250));
    QVERIFY2(qAbs(centre.x() - 5000) <= m.GetMetresPerPixel(), qPrintable(QString::number(centre.x())));
    QVERIFY2(qAbs(centre.y() - 10000) <= m.GetUnitsPerPixel(), qPrintable(QString::number(centre.y())));

    QVERIFY(m.Zoom(res, QPointF(500, 250), -1, false, true));
    QCOMPARE(m.GetScaleX(), 1.0f);
    QCOMPARE(m.GetScaleY(), 1.0f);
    QVERIFY(!m.IsZoomed());
    QCOMPARE(m.GetWindowTopLeft(), QPoint(0, 0));

    QVERIFY(!m.Zoom(res, QPointF(500, 250), -1, false, true));
    QCOMPARE(m.GetScaleX(), 1.0f);
}

void TestGraphModel::zoomStopsAtTheNarrowestWindow()
{
    Shown shown;
    CGraphModel& m = shown.model;
    const QSize res(1000, 500);
    int steps = 0;
    while (m.Zoom(res, QPointF(100, 100), +1, true, true))
        QVERIFY(++steps < 100);
    QCOMPARE(m.GetScaleX(), 200.0f);
    QCOMPARE(m.GetScaleY(), 1.0f);
    QCOMPARE(m.GetViewWidth(true), 50.0f);

    // With the width at its limit only the height zooms on.
    while (m.Zoom(res, QPointF(100, 100), +1, false, true))
        QVERIFY(++steps < 100);
    QCOMPARE(m.GetScaleY(), 20.0f);
    QCOMPARE(m.GetViewHeightDb(true), 1.0f);
    QVERIFY(!m.Zoom(res, QPointF(100, 100), +1, false, true));

    // The window never leaves the graph.
    const QPoint topLeft = m.GetWindowTopLeft();
    QVERIFY(topLeft.x() >= 0 && topLeft.y() >= 0);
    QVERIFY(topLeft.x() + 1000 <= m.GetWindowSize().width());
    QVERIFY(topLeft.y() + 500 <= m.GetWindowSize().height());
}

void TestGraphModel::appliesScaleWithinLimits_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<float>("factor");
    QTest::addColumn<float>("maximum");
    QTest::addColumn<bool>("result");
    QTest::addColumn<float>("newScale");

    QTest::newRow("out at 1") << 1.0f << 0.75f << 10.0f << false << 1.0f;
    QTest::newRow("out below 1") << 2.0f << 0.4f << 10.0f << true << 1.0f;
    QTest::newRow("in within") << 2.0f << 1.5f << 10.0f << true << 3.0f;
    QTest::newRow("in past maximum") << 9.0f << 1.5f << 10.0f << true << 10.0f;
    QTest::newRow("in at maximum") << 10.0f << 1.5f << 10.0f << false << 10.0f;
    QTest::newRow("small maximum resets") << 1.1f << 1.5f << 1.15f << true << 1.0f;
    QTest::newRow("small maximum from 1") << 1.0f << 1.5f << 1.15f << true << 1.15f;
}

void TestGraphModel::appliesScaleWithinLimits()
{
    QFETCH(float, scale);
    QFETCH(float, factor);
    QFETCH(float, maximum);
    QFETCH(bool, result);
    QFETCH(float, newScale);

    QCOMPARE(CGraphModel::ApplyScale(scale, factor, maximum), result);
    QCOMPARE(scale, newScale);
}

void TestGraphModel::zoomsToADraggedRectangle()
{
    Shown shown;
    CGraphModel& m = shown.model;
    m.ZoomToRect(QRect(100, 100, 200, 100));
    QCOMPARE(m.GetScaleX(), 5.0f);
    QCOMPARE(m.GetScaleY(), 5.0f);
    QCOMPARE(m.GetWindowSize(), QSize(5000, 2500));
    QCOMPARE(m.GetWindowTopLeft(), QPoint(495, 495));
}

void TestGraphModel::togglesBetweenStoredWindowAndWholeGraph()
{
    tListedFiles set;
    set.push_back(QSharedPointer<tListedFile>::create(TraceBuilder(5000).Flat(3000).Slope(2).Build()));
    sor::CFile* file = set.back()->GetFile();
    CGraphModel m;
    m.SetWindowSize(QSize(1000, 500));
    m.SetData(&set);

    file->SetViewRect(QRect(0, 0, 50, 50));
    m.ToggleZoom();
    QVERIFY(!m.IsZoomed());

    m.ZoomToRect(QRect(200, 100, 250, 125));
    const QPointF topLeft = m.ToGraph(m.GetWindowTopLeft());
    const QSizeF size = m.ToGraphSize(m.GetWindowRectSize());
    m.ToggleZoom();
    QVERIFY(!m.IsZoomed());
    QCOMPARE(file->GetViewRect(), QRect(int(topLeft.x()), int(topLeft.y()),
                                       int(size.width()), int(size.height())));
    QVERIFY(!file->IsChanged());

    // The stored window is whole graph units, so the scales come back
    // within a truncation of 4.
    m.ToggleZoom();
    QVERIFY(qAbs(m.GetScaleX() - 4.0f) < 0.01f);
    QVERIFY(qAbs(m.GetScaleY() - 4.0f) < 0.01f);
    const QPointF back = m.ToGraph(m.GetWindowTopLeft());
    QVERIFY(qAbs(back.x() - topLeft.x()) <= 2 * m.GetMetresPerPixel());
    QVERIFY(qAbs(back.y() - topLeft.y()) <= 2 * m.GetUnitsPerPixel());

    // One side of 100 units or more is enough to zoom to.
    m.ToggleZoom();
    file->SetViewRect(QRect(1000, 0, 50, 4000));
    m.ToggleZoom();
    QVERIFY(m.IsZoomedX());
}

void TestGraphModel::restoresZoomOfTheFirstElement()
{
    tListedFiles set;
    set.push_back(QSharedPointer<tListedFile>::create(TraceBuilder(3000).Flat(9000).Build()));
    set.push_back(QSharedPointer<tListedFile>::create(TraceBuilder(5000).Flat(4000).Build()));
    set.front()->ScaleX = 2.0f;
    set.front()->ScaleY = 3.0f;
    set.front()->OriginX = 4000;
    set.front()->OriginY = 5000;

    CGraphModel m;
    m.SetWindowSize(QSize(800, 400));
    m.SetData(&set);
    QCOMPARE(m.GetData(), &set);
    QCOMPARE(m.file(), set.back()->GetFile());
    QCOMPARE(m.GetFilePtr(), set.back()->FilePtr);
    QCOMPARE(m.GetView(), set.back()->GetView());
    QVERIFY(!m.IsViewOnly());
    QCOMPARE(m.GetScaleX(), 2.0f);
    QCOMPARE(m.GetScaleY(), 3.0f);
    QCOMPARE(m.GetOriginX(), 4000);
    QCOMPARE(m.GetOriginY(), 5000);
    // The graph spans the longest trace and the lowest level of the set.
    QCOMPARE(m.GetGraphSize(), QSizeF(float(set.back()->GetView()->GetLength()), 9000));

    LogCatcher log;
    tListedFiles eight;
    for (int i = 0; i < 8; ++i)
        eight.push_back(RoundRecord(1000 + i, 5000));
    m.SetData(&eight);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !Data || Data->size() <= cCompositionColorCnt"), 1);
    QVERIFY(m.IsEnabled());
    QCOMPARE(m.GetGraphSize().width(), 1007.0);
}

void TestGraphModel::staysDisabledWithoutTraceOrSize()
{
    LogCatcher log;
    CGraphModel m;
    QVERIFY(!m.IsEnabled());
    m.SetWindowSize(QSize(400, 300));
    QVERIFY(!m.IsEnabled());

    tListedFiles empty;
    m.SetData(&empty);
    QVERIFY(!m.IsEnabled());
    QVERIFY(!m.Zoom(QSize(400, 300), QPointF(10, 10), 1, false, true));
    QCOMPARE(m.GetView(), nullptr);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: IsEnabled()"), 1);

    tListedFiles set{RoundRecord(1000, 5000)};
    CGraphModel sizeless;
    sizeless.SetData(&set);
    QVERIFY(!sizeless.IsEnabled());
    sizeless.SetWindowSize(QSize(400, 300));
    QVERIFY(sizeless.IsEnabled());
    sizeless.SetData(nullptr);
    QVERIFY(!sizeless.IsEnabled());
    QCOMPARE(sizeless.GetData(), nullptr);
}

void TestGraphModel::traceWithoutWidthIsNotShown_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("resolution");
    QTest::newRow("no samples yet") << 0 << 1.0;
    QTest::newRow("zero resolution") << 100 << 0.0;
    QTest::newRow("NaN resolution") << 100 << std::numeric_limits<double>::quiet_NaN();
}

void TestGraphModel::traceWithoutWidthIsNotShown()
{
    QFETCH(int, points);
    QFETCH(double, resolution);
    Shown shown(RoundRecord(points, 5000, resolution));
    CGraphModel& m = shown.model;
    QVERIFY(!m.IsEnabled());
    QVERIFY(!m.Zoom(QSize(1000, 500), QPointF(10, 10), 1, false, true));
    QVERIFY(!m.UpdateView());
    QCOMPARE(m.GetTransform().GetPointCount(), 0);
    QCOMPARE(m.GetCursors()->GetAttenuation(), 0.0f);
    QCOMPARE(m.GetCursors()->GetReflectance(), 0.0f);
}

void TestGraphModel::shortTraceCannotZoomPastTheGraph()
{
    // 40 m and a largest sample of 500: both computed maxima lie below 1.
    Shown shown(RoundRecord(40, 500));
    CGraphModel& m = shown.model;
    QCOMPARE(m.GetMaxScaleX(), 1.0f);
    QCOMPARE(m.GetMaxScaleY(), 1.0f);
    QVERIFY(!m.Zoom(QSize(1000, 500), QPointF(500, 250), +1, false, true));
    m.ZoomToRect(QRect(100, 100, 100, 100));
    QCOMPARE(m.GetScaleX(), 1.0f);
    QCOMPARE(m.GetScaleY(), 1.0f);
    QCOMPARE(m.GetWindowTopLeft(), QPoint(0, 0));
    QVERIFY(m.GetTransform().GetFirstPoint() >= 0);
}

void TestGraphModel::separatesZoomedChecksByPrecision()
{
    Shown shown;
    CGraphModel& m = shown.model;
    m.SetZoom(1.001f, 1.0f, 0, 0);
    QVERIFY(!m.IsZoomedX());
    QVERIFY(m.IsZoomed());
    m.SetZoom(1.0f, 1.002f, 0, 0);
    QVERIFY(!m.IsZoomedX());
    QVERIFY(m.IsZoomedY());
    QVERIFY(m.IsZoomed());
}

void TestGraphModel::scrollsAndCentresWithinTheGraph()
{
    Shown shown;
    CGraphModel& m = shown.model;
    m.ZoomToRect(QRect(0, 0, 250, 250)); // x4 and x2
    QCOMPARE(m.GetWindowSize(), QSize(4000, 1000));

    m.ScrollTo(QPoint(1500, 200));
    QCOMPARE(m.GetWindowTopLeft(), QPoint(1500, 200));
    m.ScrollTo(QPoint(-300, 9000));
    QCOMPARE(m.GetWindowTopLeft(), QPoint(0, 500));

    // The overview shows the whole graph: its centre pixel becomes the
    // window's centre.
    m.CenterOnPreviewPoint(QSize(200, 100), QPointF(100, 50), false);
    QCOMPARE(m.GetWindowTopLeft(), QPoint(1500, 250));
    QCOMPARE(m.GetPreviewRect(QSize(200, 100)), QRectF(75, 25, 50, 50));

    // Zooming in the overview centres the window on the point under the mouse.
    m.ZoomOff();
    QVERIFY(m.Zoom(QSize(200, 100), QPointF(120, 60), +1, false, false));
    const QPointF centre = GraphAtWidget(m, QPoint(500, 250));
    QVERIFY(qAbs(centre.x() - 6000) <= m.GetMetresPerPixel());
    QVERIFY(qAbs(centre.y() - 12000) <= m.GetUnitsPerPixel());

    LogCatcher log;
    m.MapToWindow(QSize(200, 100), QPointF(0, 0), true);
    QCOMPARE(log.Count(QtCriticalMsg,
                       "ASSERTION FAILED: !bIsScaledView || res.width() == scViewWin.width() && "
                       "res.height() == scViewWin.height()"), 1);
}

void TestGraphModel::givesCompositionColours_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("bright");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("logged");
    QTest::newRow("0 bright") << 0 << true << QColor(Qt::blue) << false;
    QTest::newRow("3 bright") << 3 << true << QColor(Qt::magenta) << false;
    QTest::newRow("3 dark") << 3 << false << QColor(Qt::darkMagenta) << false;
    QTest::newRow("6 dark") << 6 << false << QColor(Qt::darkGray) << false;
    QTest::newRow("7 bright") << 7 << true << QColor(Qt::darkBlue) << true;
    QTest::newRow("-1 dark") << -1 << false << QColor(Qt::darkBlue) << false;
}

void TestGraphModel::givesCompositionColours()
{
    QFETCH(int, index);
    QFETCH(bool, bright);
    QFETCH(QColor, colour);
    QFETCH(bool, logged);
    LogCatcher log;
    QCOMPARE(GetCompositionColor(index, bright), colour);
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: itemIndex < 7"), logged ? 1 : 0);
}

QTEST_MAIN(TestGraphModel)
#include "tst_graphmodel.moc"
