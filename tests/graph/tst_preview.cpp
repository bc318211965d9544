#include "WidgetSandbox.h"

#include "graph/GraphModel.h"
#include "graph/GraphPix.h"
#include "graph/Preview.h"
#include "support/TraceBuilder.h"

#include <QtTest>

#include <memory>

namespace {

// 10,000 samples one metre apart rising to 20000, without a file, so that
// nothing but the trace and the window rectangle is drawn.
QSharedPointer<tListedFile> RisingLiveTrace(quint16 top = 20000)
{
    std::vector<quint16> samples(10000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = quint16(1000 + i * (top - 1000) / (samples.size() - 1));
    return QSharedPointer<tListedFile>::create(
        QSharedPointer<sor::IFileView>(new FakeFileView(samples, 1.0)));
}

// A plot of 1000 x 500 and its overview of 300 x 150 (0.15 overview pixels
// per plot pixel), by default over the rising live trace.
struct Overview
{
    explicit Overview(const QSize& plotSize = QSize(1000, 500),
                      QSharedPointer<tListedFile> record = RisingLiveTrace())
    {
        set.push_back(record);
        model.SetData(&set);
        plot.reset(new CGraphPix(&model));
        plot->resize(plotSize);
        model.SetWindowSize(plotSize);
        frame.reset(new CPreviewFrame(&model, plot.get()));
        frame->resize(300, 150);
        frame->OnUpdatePix();
        preview = frame->GetPreview();
    }

    void Zoom(float scaleX, float scaleY, int originX = 5000, int originY = 10000)
    {
        model.SetZoom(scaleX, scaleY, originX, originY);
        model.UpdateView();
    }

    // The window centre in graph units.
    QPointF Centre() const
    {
        return model.ToGraph(QRectF(model.GetViewWin()).center());
    }

    tListedFiles set;
    CGraphModel model;
    std::unique_ptr<CGraphPix> plot;
    std::unique_ptr<CPreviewFrame> frame;
    Preview* preview = nullptr;
};

// The bounding box of the pure red pixels: the window rectangle's outline.
QRect RedBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::red))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void framesTheOverviewInThePlotsProportions_data();
    void framesTheOverviewInThePlotsProportions();
    void showsNoWindowAndIgnoresPressesUnzoomed();
    void drawsTheWindowRectangle_data();
    void drawsTheWindowRectangle();
    void drawsAFlatWindowThreePixelsHigh();
    void pressBesideTheWindowCentresThePlot();
    void dragMovesThePlotsWindow();
    void pressAtTheExactCentreDoesNotDrag();
    void grabsANarrowWindowFurtherRight();
    void doubleClickTogglesZoom();
    void wheelZoomsAboutThePointerOrTheGrab();
    void savesAPicture();

private:
    std::unique_ptr<WidgetSandbox> sandbox;
};

void TestPreview::initTestCase()
{
    sandbox.reset(new WidgetSandbox);
    QVERIFY(sandbox->Open("TestPreview"));
}

void TestPreview::framesTheOverviewInThePlotsProportions_data()
{
    QTest::addColumn<QSize>("frameSize");
    QTest::addColumn<QSize>("plotSize");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("frame wider than the plot") << QSize(300, 150) << QSize(600, 400) << QRect(75, 0, 225, 150);
    QTest::newRow("frame taller than the plot") << QSize(300, 150) << QSize(800, 300) << QRect(0, 18, 300, 113);
    QTest::newRow("same proportions") << QSize(300, 150) << QSize(1000, 500) << QRect(0, 0, 300, 150);
    QTest::newRow("narrowest frame") << QSize(150, 150) << QSize(1000, 500) << QRect(0, 37, 150, 75);
}

void TestPreview::framesTheOverviewInThePlotsProportions()
{
    QFETCH(QSize, frameSize);
    QFETCH(QSize, plotSize);
    QFETCH(QRect, geometry);

    Overview o(plotSize);
    QCOMPARE(o.frame->frameStyle(), int(QFrame::NoFrame));
    QCOMPARE(o.frame->minimumWidth(), 150);
    QCOMPARE(o.frame->maximumHeight(), 150);
    QCOMPARE(o.frame->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(o.frame->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QVERIFY(o.preview->hasMouseTracking());
    QCOMPARE(o.preview->parentWidget(), o.frame.get());

    // A resize of the frame lays the overview out by itself.
    o.frame->show();
    o.frame->resize(frameSize);
    QCOMPARE(o.preview->geometry(), geometry);

    // The plot changed size: the update slot follows it.
    o.plot->resize(plotSize + QSize(0, 200));
    o.frame->OnUpdatePix();
    QVERIFY(o.preview->geometry() != geometry);
    o.plot->resize(plotSize);
    o.frame->OnUpdatePix();
    QCOMPARE(o.preview->geometry(), geometry);
}

void TestPreview::showsNoWindowAndIgnoresPressesUnzoomed()
{
    Overview o;
    QSignalSpy updates(o.preview, &Preview::sigUpdate);
    QCOMPARE(RedBox(o.preview->grab().toImage()), QRect());

    Press(o.preview, QPointF(30, 30));
    Drag(o.preview, QPointF(60, 60));
    Release(o.preview, QPointF(60, 60));
    QCOMPARE(updates.count(), 0);
    QCOMPARE(o.model.GetWindowTopLeft(), QPoint(0, 0));
    QCOMPARE(o.preview->cursor().shape(), Qt::ArrowCursor);
}

void TestPreview::drawsTheWindowRectangle_data()
{
    QTest::addColumn<float>("scaleX");
    QTest::addColumn<float>("scaleY");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QRect>("outline");

    // The window (0.15 of the plot's 1000 x 500 pixels) stroked one pixel
    // beyond its right and bottom edges.
    QTest::newRow("centred") << 2.0f << 2.0f << QPoint(5000, 10000) << QRect(QPoint(75, 38), QPoint(225, 113));
    // 1.5 pixels wide: made 3 wide from one pixel further left.
    QTest::newRow("narrower than 3 pixels") << 200.0f << 1.0f << QPoint(5000, 10000)
                                            << QRect(QPoint(148, 0), QPoint(151, 149));
    QTest::newRow("at the right edge") << 2.0f << 2.0f << QPoint(10000, 10000)
                                       << QRect(QPoint(149, 38), QPoint(299, 113));
    QTest::newRow("at the bottom") << 1.0f << 20.0f << QPoint(5000, 20000)
                                   << QRect(QPoint(0, 142), QPoint(299, 149));
}

void TestPreview::drawsTheWindowRectangle()
{
    QFETCH(float, scaleX);
    QFETCH(float, scaleY);
    QFETCH(QPoint, origin);
    QFETCH(QRect, outline);

    Overview o;
    QCOMPARE(o.preview->size(), QSize(300, 150));
    o.Zoom(scaleX, scaleY, origin.x(), origin.y());
    const QImage image = o.preview->grab().toImage();
    QCOMPARE(RedBox(image), outline);
    // An outline, not a filled box.
    QVERIFY(image.pixelColor(outline.center()) != QColor(Qt::red));
}

void TestPreview::drawsAFlatWindowThreePixelsHigh()
{
    // Largest sample 60000: at the vertical limit of 60 the window is 2.5
    // overview pixels high, rows 74 and 75 once rounded.
    Overview o(QSize(1000, 500), RisingLiveTrace(60000));
    o.Zoom(1.0f, 60.0f, 5000, 30000);
    QCOMPARE(o.model.GetPreviewRect(o.preview->size()).toRect(), QRect(0, 74, 300, 2));
    QCOMPARE(RedBox(o.preview->grab().toImage()), QRect(QPoint(0, 73), QPoint(299, 76)));
}

void TestPreview::pressBesideTheWindowCentresThePlot()
{
    Overview o;
    o.Zoom(4.0f, 4.0f);
    QSignalSpy updates(o.preview, &Preview::sigUpdate);

    Press(o.preview, QPointF(60, 30));
    QCOMPARE(updates.count(), 1);
    const QPointF centre = o.Centre();
    QVERIFY2(qAbs(centre.x() - 2000) < 40 && qAbs(centre.y() - 4000) < 140,
             qPrintable(QString("centred on %1, %2").arg(centre.x()).arg(centre.y())));
    QCOMPARE(o.preview->cursor().shape(), Qt::ClosedHandCursor);
    Release(o.preview, QPointF(60, 30));
    QCOMPARE(o.preview->cursor().shape(), Qt::OpenHandCursor);

    // Beside a window pushed against the graph's edge the plot goes as far as it can.
    Press(o.preview, QPointF(2, 2));
    QCOMPARE(o.model.GetWindowTopLeft(), QPoint(0, 0));
    QCOMPARE(updates.count(), 2);
}

void TestPreview::dragMovesThePlotsWindow()
{
    Overview o;
    o.Zoom(2.0f, 2.0f);
    QCOMPARE(o.model.GetWindowTopLeft(), QPoint(500, 250));
    QSignalSpy updates(o.preview, &Preview::sigUpdate);

    Hover(o.preview, QPointF(100, 60));
    QCOMPARE(o.preview->cursor().shape(), Qt::OpenHandCursor);
    Hover(o.preview, QPointF(20, 60));
    QCOMPARE(o.preview->cursor().shape(), Qt::ArrowCursor);

    // Grabbed inside the window: nothing moves until the mouse does.
    Press(o.preview, QPointF(100, 60));
    QCOMPARE(updates.count(), 0);
    QCOMPARE(o.model.GetWindowTopLeft(), QPoint(500, 250));
    Drag(o.preview, QPointF(112, 66));
    Drag(o.preview, QPointF(130, 75));
    QCOMPARE(updates.count(), 2);
    // 30 and 15 overview pixels are 200 and 100 plot pixels.
    const QPoint moved = o.model.GetWindowTopLeft() - QPoint(700, 350);
    QVERIFY2(qAbs(moved.x()) <= 1 && qAbs(moved.y()) <= 1,
             qPrintable(QString("off by %1, %2").arg(moved.x()).arg(moved.y())));

    // The drag lasts until the left button is up.
    SendMouse(o.preview, QEvent::MouseButtonRelease, QPointF(130, 75), Qt::RightButton, Qt::LeftButton);
    Drag(o.preview, QPointF(115, 75));
    QVERIFY(qAbs(o.model.GetWindowTopLeft().x() - 600) <= 1);
    Release(o.preview, QPointF(115, 75));
    const QPoint dropped = o.model.GetWindowTopLeft();
    Hover(o.preview, QPointF(40, 40));
    QCOMPARE(o.model.GetWindowTopLeft(), dropped);
    QCOMPARE(updates.count(), 3);
}

void TestPreview::pressAtTheExactCentreDoesNotDrag()
{
    Overview o;
    o.Zoom(2.0f, 2.0f);
    const QPointF centre = o.model.GetPreviewRect(o.preview->size()).center();
    QSignalSpy updates(o.preview, &Preview::sigUpdate);

    Press(o.preview, centre);
    Drag(o.preview, centre + QPointF(20, 10));
    QCOMPARE(o.model.GetWindowTopLeft(), QPoint(500, 250));
    QCOMPARE(updates.count(), 0);
}

void TestPreview::grabsANarrowWindowFurtherRight()
{
    Overview o;
    o.Zoom(60.0f, 1.0f);
    // 5 overview pixels wide, from 147 on.
    o.model.ScrollTo(QPoint(29400, 0));
    QCOMPARE(o.model.GetPreviewRect(o.preview->size()).toRect(), QRect(147, 0, 5, 150));
    const int centre = 149;
    const QPoint topLeft = o.model.GetWindowTopLeft();
    QSignalSpy updates(o.preview, &Preview::sigUpdate);

    Press(o.preview, QPointF(centre + 10, 75));
    QCOMPARE(updates.count(), 0);
    QCOMPARE(o.model.GetWindowTopLeft(), topLeft);
    Release(o.preview, QPointF(centre + 10, 75));

    Press(o.preview, QPointF(centre - 6, 75));
    QCOMPARE(updates.count(), 1);
    QVERIFY(o.model.GetWindowTopLeft().x() < topLeft.x());
}

void TestPreview::doubleClickTogglesZoom()
{
    Overview o;
    o.Zoom(2.0f, 2.0f);
    QSignalSpy updates(o.preview, &Preview::sigUpdate);
    DoubleClick(o.preview, QPointF(150, 75));
    QVERIFY(!o.model.IsZoomed());
    QCOMPARE(updates.count(), 1);
    QCOMPARE(o.preview->cursor().shape(), Qt::ArrowCursor);
}

void TestPreview::wheelZoomsAboutThePointerOrTheGrab()
{
    Overview o;
    QSignalSpy updates(o.preview, &Preview::sigUpdate);

    // Half a notch neither zooms nor moves the window.
    Wheel(o.preview, QPointF(90, 75), 60);
    QCOMPARE(updates.count(), 0);
    QVERIFY(!o.model.IsZoomed());

    // Three notches double the scales and centre on the pointed point.
    Wheel(o.preview, QPointF(90, 75), 360);
    QCOMPARE(o.model.GetScaleX(), 2.0f);
    QCOMPARE(o.model.GetScaleY(), 2.0f);
    QVERIFY(qAbs(o.Centre().x() - 3000) < 40);
    QVERIFY(qAbs(o.Centre().y() - 10000) < 140);
    QCOMPARE(updates.count(), 1);
    QCOMPARE(o.preview->cursor().shape(), Qt::OpenHandCursor);

    // While dragging, the grabbed point stays the centre; Control zooms along x.
    Press(o.preview, QPointF(60, 60));
    const QPointF grabbedCentre = o.Centre();
    Wheel(o.preview, QPointF(60, 60), 120, Qt::ControlModifier, Qt::LeftButton);
    QCOMPARE(o.model.GetScaleX(), 8.0f / 3.0f);
    QCOMPARE(o.model.GetScaleY(), 2.0f);
    QVERIFY2(qAbs(o.Centre().x() - grabbedCentre.x()) < 40,
             qPrintable(QString("%1 -> %2").arg(grabbedCentre.x()).arg(o.Centre().x())));
    QCOMPARE(o.preview->cursor().shape(), Qt::ClosedHandCursor);
}

void TestPreview::savesAPicture()
{
    // A fibre with a connector, a splice and its end, markers and all.
    Overview o(QSize(1000, 500), QSharedPointer<tListedFile>::create(TraceBuilder(5004)
                                                                        .Flat(2000)
                                                                        .Slope(0.35)
                                                                        .Peak(2200, 4000, 3)
                                                                        .Step(2200, 500)
                                                                        .Step(4800, 300)
                                                                        .Step(8500, 12000)
                                                                        .Noise(40, 7)
                                                                        .Event(2200, 1)
                                                                        .Event(4800)
                                                                        .Event(8500, 1)
                                                                        .Build()));
    o.Zoom(3.0f, 2.5f, 3000, 5000);
    const QImage image = o.preview->grab().toImage();
    QVERIFY(!RedBox(image).isEmpty());
    const QString path = QDir::current().filePath("overview_zoomed.png");
    QVERIFY(image.save(path));
    qInfo("Picture of the overview: %s", qPrintable(path));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
