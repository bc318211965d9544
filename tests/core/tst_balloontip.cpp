#include "core/BalloonTip.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QtTest>

namespace {

QList<BalloonTip*> Balloons()
{
    QList<BalloonTip*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* tip = qobject_cast<BalloonTip*>(widget))
            found << tip;
    return found;
}

} // namespace

class TestBalloonTip : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void pointerMeasures18();
    void secondTipReplacesFirst();
    void hidesOnClick();
    void placesAroundPointOnScreen_data();
    void placesAroundPointOnScreen();
    void choosesSideAgainstScreenEdges_data();
    void choosesSideAgainstScreenEdges();
};

void TestBalloonTip::cleanup()
{
    qDeleteAll(Balloons());
}

void TestBalloonTip::pointerMeasures18()
{
    QCOMPARE(BalloonTip::PointerSize(), 18);
    QCOMPARE(BalloonTip::PointerHeight(), 18);
}

void TestBalloonTip::secondTipReplacesFirst()
{
    BalloonTip::ShowTip(QPoint(100, 100), "first", 30);
    QCOMPARE(Balloons().size(), 1);
    QPointer<BalloonTip> first = Balloons().first();
    BalloonTip::ShowTip(QPoint(120, 120), "second", 60000);
    QVERIFY(first.isNull());
    QCOMPARE(Balloons().size(), 1);
    QPointer<BalloonTip> second = Balloons().first();
    QCOMPARE(second->text(), QString("second"));
    // The first one's timer fires into nothing and leaves the second alone.
    QTest::qWait(100);
    QVERIFY(!second.isNull());
    QVERIFY(second->isVisible());
}

void TestBalloonTip::hidesOnClick()
{
    QWidget window;
    window.show();
    BalloonTip::ShowTip(QPoint(100, 100), "tip", 60000);
    QPointer<BalloonTip> tip = Balloons().first();
    QTest::mouseClick(&window, Qt::LeftButton);
    QTRY_VERIFY(tip.isNull());
}

void TestBalloonTip::placesAroundPointOnScreen_data()
{
    QTest::addColumn<QPoint>("fromCorner"); // offset from the screen's top-left or bottom-right
    QTest::addColumn<bool>("bNearTopLeft");
    QTest::newRow("top left") << QPoint(100, 100) << true;
    QTest::newRow("hard left") << QPoint(1, 100) << true;
    QTest::newRow("bottom right") << QPoint(-30, -10) << false;
    QTest::newRow("hard right") << QPoint(0, -10) << false;
}

void TestBalloonTip::placesAroundPointOnScreen()
{
    QFETCH(QPoint, fromCorner);
    QFETCH(bool, bNearTopLeft);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint point = (bNearTopLeft ? screen.topLeft() : screen.bottomRight()) + fromCorner;
    BalloonTip::ShowTip(point, "A hint of\nsome width", 60000);
    // Where the window was put, whatever frame the platform draws around it.
    const BalloonTip* tip = Balloons().first();
    const QRect balloon(tip->pos(), tip->size());

    QVERIFY2(balloon.left() >= screen.left() + 2, qPrintable(QString::number(balloon.left())));
    QVERIFY2(balloon.right() <= screen.right() - 2, qPrintable(QString::number(balloon.right())));
    if (bNearTopLeft) {
        QCOMPARE(balloon.top(), point.y());
        QCOMPARE(balloon.left(), qMax(point.x() - BalloonTip::PointerSize(), screen.left() + 2));
    } else {
        QCOMPARE(balloon.bottom() + 1, point.y());
        QVERIFY(balloon.right() < point.x() + BalloonTip::PointerSize());
    }
}

void TestBalloonTip::choosesSideAgainstScreenEdges_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("bAtTop");
    QTest::addColumn<bool>("bAtLeft");
    QTest::addColumn<QPoint>("window");
    const QRect second(1920, 200, 1280, 1024); // right of and lower than the first screen
    QTest::newRow("room below and right on a second screen")
        << second << QPoint(2500, 1000) << true << true << QPoint(2482, 1000);
    QTest::newRow("near its bottom right")
        << second << QPoint(3150, 1200) << false << false << QPoint(2968, 1140);
    QTest::newRow("near its left edge")
        << second << QPoint(1925, 400) << true << true << QPoint(1922, 400);
    QTest::newRow("at its right edge")
        << second << QPoint(3199, 400) << true << false << QPoint(2997, 400);
}

void TestBalloonTip::choosesSideAgainstScreenEdges()
{
    QFETCH(QRect, screen);
    QFETCH(QPoint, point);
    QFETCH(bool, bAtTop);
    QFETCH(bool, bAtLeft);
    QFETCH(QPoint, window);
    const QSize size(200, 60);
    const BalloonTip::tSide side = BalloonTip::ChooseSide(screen, point, size);
    QCOMPARE(side.bAtTop, bAtTop);
    QCOMPARE(side.bAtLeft, bAtLeft);
    QCOMPARE(BalloonTip::WindowPosition(screen, point, size, side), window);
}

QTEST_MAIN(TestBalloonTip)
#include "tst_balloontip.moc"
