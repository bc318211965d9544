#include "WidgetSandbox.h"

#include "app/Constants.h"
#include "graph/GraphModel.h"
#include "graph/GraphPix.h"
#include "support/TraceBuilder.h"

#include <QStyle>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

// The 10,000 m trace (flat at 9876 up to 6500 m, then 20000) in a plot of
// 1000 x 500 pixels; markers at their start places (about 3000 and 6000 m).
struct Plot
{
    explicit Plot(const QSharedPointer<sor::CFile>& file =
                      TraceBuilder(5004).Flat(9876).Step(6500, 10124).Event(2000, 1).Event(8000).Build())
    {
        set.push_back(QSharedPointer<tListedFile>::create(file));
        model.SetData(&set);
        pix.reset(new CGraphPix(&model));
        pix->resize(1000, 500);
        pix->show();
    }

    // Widget column of a mark as the plot draws and picks it.
    int Column(CCursors::CCursor* mark) const
    {
        return qRound(mark->GetPosition() / model.GetMetresPerPixel())
               - model.GetWindowTopLeft().x();
    }

    int MarkerColumn(int kind)
    {
        int x = 0;
        model.GetMarkerPosition(kind, true, &x);
        return x - model.GetWindowTopLeft().x();
    }

    void ZoomTo(float scaleX, float scaleY)
    {
        model.SetZoom(scaleX, scaleY, int(model.GetGraphSize().width() / 2),
                      int(model.GetGraphSize().height() / 2));
        model.UpdateView();
    }

    tListedFiles set;
    CGraphModel model;
    std::unique_ptr<CGraphPix> pix;
};

int CountColour(const QImage& image, int y, int fromX, int toX, const QColor& colour)
{
    int n = 0;
    for (int x = fromX; x <= toX; ++x)
        n += image.pixelColor(x, y) == colour;
    return n;
}

} // namespace

class TestGraphPix : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void setsUpAndPassesItsSize();
    void fillsWithThePaletteWhileDisabled();
    void wheelZoomsAboutThePointer_data();
    void wheelZoomsAboutThePointer();
    void controlDragZoomsToTheRectangle_data();
    void controlDragZoomsToTheRectangle();
    void drawsTheRubberBandWhileDragging();
    void drawsTheRubberBandWithoutOptions();
    void dragsAMarker();
    void clickOffCursorsStaysIdleUnlessZoomed();
    void panningFollowsTheMouse();
    void doubleClickTogglesZoom();
    void hoverShowsTheCursorTip();
    void contextSlotsPutCursorsAtTheMouse_data();
    void contextSlotsPutCursorsAtTheMouse();
    void leftMarkerHereIgnoresFixedCursors();
    void savesAZoomedPicture();

private:
    std::unique_ptr<WidgetSandbox> sandbox;
};

void TestGraphPix::initTestCase()
{
    sandbox.reset(new WidgetSandbox);
    QVERIFY(sandbox->Open("TestGraphPix"));
}

void TestGraphPix::cleanup()
{
    QToolTip::hideText();
}

void TestGraphPix::setsUpAndPassesItsSize()
{
    CGraphModel model;
    CGraphPix pix(&model);
    QCOMPARE(pix.minimumSize(), QSize(300, 300));
    QCOMPARE(pix.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(pix.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QVERIFY(pix.hasMouseTracking());
    QVERIFY(pix.testAttribute(Qt::WA_OpaquePaintEvent));
    QCOMPARE(model.GetWindowRectSize(), pix.size());

    // Without a trace the size still reaches the model, but nobody is told.
    QSignalSpy disabledUpdates(&pix, &CGraphPix::sigUpdate);
    pix.resize(640, 320);
    pix.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pix));
    QCOMPARE(model.GetWindowRectSize(), QSize(640, 320));
    QCOMPARE(disabledUpdates.count(), 0);

    Plot plot;
    QVERIFY(QTest::qWaitForWindowExposed(plot.pix.get()));
    QCOMPARE(plot.model.GetWindowRectSize(), QSize(1000, 500));
    QSignalSpy updates(plot.pix.get(), &CGraphPix::sigUpdate);
    plot.pix->resize(800, 400);
    QCOMPARE(plot.model.GetWindowRectSize(), QSize(800, 400));
    QCOMPARE(updates.count(), 1);
}

void TestGraphPix::fillsWithThePaletteWhileDisabled()
{
    CGraphModel model;
    CGraphPix pix(&model);
    pix.resize(400, 300);
    const QImage image = pix.grab().toImage();
    const QColor window = QApplication::style()->standardPalette().window().color();
    QCOMPARE(image.pixelColor(0, 0), window);
    QCOMPARE(image.pixelColor(399, 299), window);
    QCOMPARE(image.pixelColor(200, 150), window);
}

void TestGraphPix::wheelZoomsAboutThePointer_data()
{
    QTest::addColumn<float>("startScale");
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("bControl");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<float>("scaleX");
    QTest::addColumn<float>("scaleY");
    QTest::addColumn<int>("updates");

    const float third = 4.0f / 3.0f;
    QTest::newRow("one notch at the centre") << 1.0f << 120 << false << QPoint(500, 250) << third << third << 1;
    QTest::newRow("one notch off centre") << 1.0f << 120 << false << QPoint(250, 100) << third << third << 1;
    QTest::newRow("half a notch") << 1.0f << 60 << false << QPoint(500, 250) << 1.0f << 1.0f << 0;
    QTest::newRow("half a notch zoomed") << 2.0f << -60 << false << QPoint(100, 100) << 2.0f << 2.0f << 0;
    QTest::newRow("two notches out") << 2.0f << -240 << false << QPoint(700, 300) << 1.2f << 1.2f << 1;
    QTest::newRow("control zooms along x") << 1.0f << 120 << true << QPoint(500, 250) << third << 1.0f << 1;
}

void TestGraphPix::wheelZoomsAboutThePointer()
{
    QFETCH(float, startScale);
    QFETCH(int, delta);
    QFETCH(bool, bControl);
    QFETCH(QPoint, at);
    QFETCH(float, scaleX);
    QFETCH(float, scaleY);
    QFETCH(int, updates);

    Plot plot;
    plot.ZoomTo(startScale, startScale);
    const QPoint topLeft = plot.model.GetWindowTopLeft();
    const QPointF under = plot.model.ToGraph(at + topLeft);
    QSignalSpy spy(plot.pix.get(), &CGraphPix::sigUpdate);

    Wheel(plot.pix.get(), at, delta, bControl ? Qt::ControlModifier : Qt::NoModifier);

    QCOMPARE(plot.model.GetScaleX(), scaleX);
    QCOMPARE(plot.model.GetScaleY(), scaleY);
    QCOMPARE(spy.count(), updates);
    if (updates == 0) {
        QCOMPARE(plot.model.GetWindowTopLeft(), topLeft);
    } else {
        const QPointF after = plot.model.ToGraph(at + plot.model.GetWindowTopLeft());
        // The zoom rounds the window to whole pixels on the way.
        QVERIFY2(qAbs(after.x() - under.x()) <= 2 * plot.model.GetMetresPerPixel(),
                 qPrintable(QString("%1 m moved to %2 m").arg(under.x()).arg(after.x())));
        QVERIFY(qAbs(after.y() - under.y()) <= 2 * plot.model.GetUnitsPerPixel());
    }
}

void TestGraphPix::controlDragZoomsToTheRectangle_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<float>("scaleX");
    QTest::addColumn<float>("scaleY");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("down and right") << QPoint(100, 100) << QPoint(299, 199) << 5.0f << 5.0f << QPoint(495, 495);
    QTest::newRow("up and left") << QPoint(349, 199) << QPoint(150, 100) << 5.0f << 5.0f << QPoint(745, 495);
    // The moving corner stops on the last column and row: 100 x 100 pixels.
    QTest::newRow("out of the widget") << QPoint(900, 400) << QPoint(1300, 800) << 10.0f << 5.0f << QPoint();
    QTest::newRow("released on the pressed pixel") << QPoint(500, 250) << QPoint(500, 250) << 1.0f << 1.0f
                                                 << QPoint(0, 0);
}

void TestGraphPix::controlDragZoomsToTheRectangle()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(float, scaleX);
    QFETCH(float, scaleY);
    QFETCH(QPoint, topLeft);

    Plot plot;
    CGraphPix* pix = plot.pix.get();
    QSignalSpy updates(pix, &CGraphPix::sigUpdate);
    Press(pix, from, Qt::ControlModifier);
    QCOMPARE(pix->cursor().shape(), Qt::SizeAllCursor);
    Drag(pix, (from + to) / 2, Qt::ControlModifier);
    Drag(pix, to, Qt::ControlModifier);
    QCOMPARE(plot.model.GetScaleX(), 1.0f);
    Release(pix, to, Qt::ControlModifier);

    QCOMPARE(plot.model.GetScaleX(), scaleX);
    QCOMPARE(plot.model.GetScaleY(), scaleY);
    if (!topLeft.isNull() || from == to)
        QCOMPARE(plot.model.GetWindowTopLeft(), topLeft);
    QCOMPARE(updates.count(), 3);
    QCOMPARE(pix->cursor().shape(), Qt::ArrowCursor);
}

void TestGraphPix::drawsTheRubberBandWhileDragging()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    const QColor contrast = CMainOpt::Instance()->GetContrastColor();
    QVERIFY(contrast != CMainOpt::Instance()->GetBackgroundColor());

    Press(pix, QPoint(349, 199), Qt::ControlModifier);
    Drag(pix, QPoint(150, 100), Qt::ControlModifier);
    QImage image = pix->grab().toImage();
    // Dashed: about half of each edge.
    const int top = CountColour(image, 100, 150, 349, contrast);
    QVERIFY2(top > 60 && top < 180, qPrintable(QString::number(top)));
    QVERIFY(CountColour(image, 199, 150, 349, contrast) > 60);
    QCOMPARE(CountColour(image, 100, 0, 145, contrast), 0);
    QCOMPARE(CountColour(image, 250, 0, 999, contrast), 0);

    Release(pix, QPoint(150, 100), Qt::ControlModifier);
    image = pix->grab().toImage();
    QCOMPARE(CountColour(image, 100, 0, 999, contrast), 0);
}

void TestGraphPix::drawsTheRubberBandWithoutOptions()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    // Before the main window has made its options, or after they are gone.
    delete CMainOpt::Instance();
    const QColor contrast(255 - cDefaultGraphBackground.red(), 255 - cDefaultGraphBackground.green(),
                          255 - cDefaultGraphBackground.blue());
    Press(pix, QPoint(349, 199), Qt::ControlModifier);
    Drag(pix, QPoint(150, 100), Qt::ControlModifier);
    const QImage image = pix->grab().toImage();
    Release(pix, QPoint(150, 100), Qt::ControlModifier);
    QVERIFY(CountColour(image, 199, 150, 349, contrast) > 60);

    sandbox->RemakeOptions();
}

void TestGraphPix::dragsAMarker()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    CCursors::CCursor* marker = plot.model.GetCursors()->GetLeftMarker();
    CCursors::CCursor* right = plot.model.GetCursors()->GetRightMarker();
    const float start = marker->GetPosition();
    const float rightStart = right->GetPosition();
    const float mpp = plot.model.GetMetresPerPixel();
    const int x = plot.MarkerColumn(CCursors::LEFT_MARKER);
    QSignalSpy moved(pix, &CGraphPix::sigCursorMoved);
    QSignalSpy updates(pix, &CGraphPix::sigUpdate);

    Press(pix, QPoint(x + 1, 40));
    QCOMPARE(pix->cursor().shape(), Qt::SizeHorCursor);
    Drag(pix, QPoint(x + 26, 300));
    Drag(pix, QPoint(x + 51, 480));
    QVERIFY2(qAbs(marker->GetPosition() - (start + 50 * mpp)) <= mpp,
             qPrintable(QString("%1 -> %2").arg(start).arg(marker->GetPosition())));
    QCOMPARE(moved.count(), 2);
    QCOMPARE(updates.count(), 2);

    // The right button neither starts anything nor ends the drag.
    SendMouse(pix, QEvent::MouseButtonPress, QPoint(x + 51, 480), Qt::RightButton,
              Qt::LeftButton | Qt::RightButton);
    SendMouse(pix, QEvent::MouseButtonRelease, QPoint(x + 51, 480), Qt::RightButton, Qt::LeftButton);
    Drag(pix, QPoint(x + 71, 480));
    QVERIFY(qAbs(marker->GetPosition() - (start + 70 * mpp)) <= mpp);
    QCOMPARE(moved.count(), 3);

    Release(pix, QPoint(x + 71, 480));
    const float dropped = marker->GetPosition();
    Hover(pix, QPoint(x + 200, 480));
    QCOMPARE(marker->GetPosition(), dropped);
    QCOMPARE(right->GetPosition(), rightStart);
    QCOMPARE(moved.count(), 3);
    QCOMPARE(pix->cursor().shape(), Qt::ArrowCursor);
}

void TestGraphPix::clickOffCursorsStaysIdleUnlessZoomed()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    CCursors* cursors = plot.model.GetCursors();
    const float left = cursors->GetLeftMarker()->GetPosition();
    const float right = cursors->GetRightMarker()->GetPosition();

    Press(pix, QPoint(450, 250));
    QCOMPARE(pix->cursor().shape(), Qt::ArrowCursor);
    Drag(pix, QPoint(300, 200));
    Drag(pix, QPoint(650, 200));
    QCOMPARE(cursors->GetLeftMarker()->GetPosition(), left);
    QCOMPARE(cursors->GetRightMarker()->GetPosition(), right);
    QCOMPARE(plot.model.GetWindowTopLeft(), QPoint(0, 0));
    Release(pix, QPoint(650, 200));
    QCOMPARE(pix->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(plot.model.GetScaleX(), 1.0f);
}

void TestGraphPix::panningFollowsTheMouse()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    plot.ZoomTo(2.0f, 2.0f);
    const QPoint start = plot.model.GetWindowTopLeft();
    QCOMPARE(start, QPoint(500, 250));
    QSignalSpy updates(pix, &CGraphPix::sigUpdate);

    Press(pix, QPoint(450, 250));
    QCOMPARE(pix->cursor().shape(), Qt::ClosedHandCursor);
    Drag(pix, QPoint(400, 230));
    Drag(pix, QPoint(350, 200));
    const QPoint moved = plot.model.GetWindowTopLeft() - (start + QPoint(100, 50));
    QVERIFY2(qAbs(moved.x()) <= 1 && qAbs(moved.y()) <= 1,
             qPrintable(QString("off by %1, %2").arg(moved.x()).arg(moved.y())));
    QCOMPARE(updates.count(), 2);

    Release(pix, QPoint(350, 200));
    const QPoint dropped = plot.model.GetWindowTopLeft();
    Hover(pix, QPoint(100, 100));
    QCOMPARE(plot.model.GetWindowTopLeft(), dropped);
    QCOMPARE(pix->cursor().shape(), Qt::ArrowCursor);
}

void TestGraphPix::doubleClickTogglesZoom()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    plot.ZoomTo(2.0f, 4.0f);
    QSignalSpy updates(pix, &CGraphPix::sigUpdate);

    DoubleClick(pix, QPoint(500, 250));
    QVERIFY(!plot.model.IsZoomed());
    DoubleClick(pix, QPoint(500, 250));
    QVERIFY(qAbs(plot.model.GetScaleX() - 2.0f) < 0.01f);
    QVERIFY(qAbs(plot.model.GetScaleY() - 4.0f) < 0.01f);
    QCOMPARE(updates.count(), 2);

    SendMouse(pix, QEvent::MouseButtonDblClick, QPoint(500, 250), Qt::RightButton, Qt::RightButton);
    QVERIFY(plot.model.IsZoomed());
    QCOMPARE(updates.count(), 2);
}

void TestGraphPix::hoverShowsTheCursorTip()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    QVERIFY(QTest::qWaitForWindowExposed(pix));
    plot.model.GetCursors()->GetLeftMarker()->MoveTo(1523.4f);
    const int x = plot.MarkerColumn(CCursors::LEFT_MARKER);

    Hover(pix, QPoint(x + 2, 120));
    QCOMPARE(pix->cursor().shape(), Qt::SizeHorCursor);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("1.523km -9.88dB"));

    Hover(pix, QPoint(x + 3, 120));
    QCOMPARE(pix->cursor().shape(), Qt::ArrowCursor);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestGraphPix::contextSlotsPutCursorsAtTheMouse_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("column");

    QTest::newRow("left marker") << QByteArray("SetLeftMarkerHere") << int(CCursors::LEFT_MARKER) << 200;
    QTest::newRow("right marker") << QByteArray("SetRightMarkerHere") << int(CCursors::RIGHT_MARKER) << 800;
    QTest::newRow("left cursor") << QByteArray("SetLeftCursorHere") << int(CCursors::LEFT_CURSOR) << 90;
    QTest::newRow("right cursor") << QByteArray("SetRightCursorHere") << int(CCursors::RIGHT_CURSOR) << 900;
    QTest::newRow("centre cursor") << QByteArray("SetCenterCursorHere") << int(CCursors::CENTER_CURSOR) << 400;
}

void TestGraphPix::contextSlotsPutCursorsAtTheMouse()
{
    QFETCH(QByteArray, slot);
    QFETCH(int, kind);
    QFETCH(int, column);

    Plot plot;
    CGraphPix* pix = plot.pix.get();
    plot.ZoomTo(1.5f, 1.0f);
    CCursors::CCursor* cursor = plot.model.GetCursors()->GetCursor(kind);
    QSignalSpy moved(pix, &CGraphPix::sigCursorMoved);
    QSignalSpy updates(pix, &CGraphPix::sigUpdate);

    Hover(pix, QPoint(column, 50));
    QVERIFY(QMetaObject::invokeMethod(pix, slot.constData()));
    QVERIFY2(qAbs(plot.Column(cursor) - column) <= 1,
             qPrintable(QString("at column %1").arg(plot.Column(cursor))));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(updates.count(), 1);
}

void TestGraphPix::leftMarkerHereIgnoresFixedCursors()
{
    Plot plot;
    CGraphPix* pix = plot.pix.get();
    CCursors* cursors = plot.model.GetCursors();
    cursors->SetFixedCursors(true);
    const float leftCursor = cursors->GetLeftCursor()->GetPosition();
    const float leftMarker = cursors->GetLeftMarker()->GetPosition();
    const float centre = cursors->GetCenterCursor()->GetPosition();
    const float rightMarker = cursors->GetRightMarker()->GetPosition();
    const float rightCursor = cursors->GetRightCursor()->GetPosition();

    Hover(pix, QPoint(plot.Column(cursors->GetLeftMarker()) - 100, 50));
    pix->SetLeftMarkerHere();

    const float delta = cursors->GetLeftMarker()->GetPosition() - leftMarker;
    QVERIFY(qAbs(delta + 100 * plot.model.GetMetresPerPixel()) <= plot.model.GetMetresPerPixel());
    QVERIFY(qAbs(cursors->GetLeftCursor()->GetPosition() - (leftCursor + delta)) < 0.01f);
    QCOMPARE(cursors->GetCenterCursor()->GetPosition(), centre);
    QCOMPARE(cursors->GetRightMarker()->GetPosition(), rightMarker);
    QCOMPARE(cursors->GetRightCursor()->GetPosition(), rightCursor);
    QVERIFY(cursors->IsFixedCursors());
}

void TestGraphPix::savesAZoomedPicture()
{
    // A fibre with a connector, a splice and its end.
    Plot plot(TraceBuilder(5004)
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
                  .Build());
    plot.ZoomTo(1.8f, 2.0f);
    plot.model.ScrollTo(QPoint(300, 0));
    const QImage image = plot.pix->grab().toImage();
    QCOMPARE(image.size(), QSize(1000, 500));
    QCOMPARE(image.pixelColor(2, 2), CMainOpt::Instance()->GetBackgroundColor());
    const QString path = QDir::current().filePath("plot_zoomed.png");
    QVERIFY(image.save(path));
    qInfo("Picture of the zoomed plot: %s", qPrintable(path));
}

QTEST_MAIN(TestGraphPix)
#include "tst_graphpix.moc"
