#include "PlotFixture.h"
#include "support/LogCatcher.h"

#include "app/MainOpt.h"
#include "app/Settings.h"
#include "graph/GraphPainter.h"
#include "graph/GraphView.h"
#include "graph/MarkPlacement.h"
#include "resources/Resources.h"

#include <QAction>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor kBackground(218, 236, 255);
const QColor kLabel(100, 100, 28);

// Records what the renderer hands to a painter: texts with their pen and
// font size, images and lines with their pen, so that labels and icons can
// be checked without depending on how fonts rasterise.
class RecordingEngine : public QPaintEngine
{
public:
    struct tText
    {
        QString Text;
        QPointF At;
        QColor Colour;
        int PointSize;
    };
    struct tImage
    {
        QRectF Rect;
        QImage Image;
    };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyPen)
            pen = state.pen();
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        Texts.append({item.text(), p, pen.color(), item.font().pointSize()});
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override
    {
        Images.append({r, image});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawPoints(const QPointF*, int) override {}

    QList<tText> Texts;
    QList<tImage> Images;

    // Texts in the label colour (the outline is drawn in white).
    QList<tText> Labels() const
    {
        QList<tText> labels;
        for (const tText& t : Texts)
            if (t.Colour == kLabel)
                labels << t;
        return labels;
    }
    const tText* Find(const QString& text) const
    {
        for (const tText& t : Texts)
            if (t.Text == text && t.Colour == kLabel)
                return &t;
        return nullptr;
    }

private:
    QPen pen;
};

class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(const QSize& size) : size(size) {}
    QPaintEngine* paintEngine() const override { return &engine; }
    RecordingEngine& Engine() { return engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size.width();
        case PdmHeight: return size.height();
        case PdmWidthMM: return size.width() * 254 / 960;
        case PdmHeightMM: return size.height() * 254 / 960;
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize size;
    mutable RecordingEngine engine;
};

QImage Paint(CGraphModel& model, const QSize& size, bool bScaled, bool bGrid, bool bPrint,
             QImage::Format format = QImage::Format_ARGB32_Premultiplied,
             const QColor& fill = Qt::white)
{
    QImage image(size, format);
    image.fill(fill);
    QPainter painter(&image);
    model.Draw(&painter, image.rect(), bScaled, bGrid, bGrid, bPrint, false);
    return image;
}

QColor Pixel(const QImage& image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

// Columns holding a pixel of `colour`.
QList<int> ColumnsWith(const QImage& image, const QColor& colour)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (Pixel(image, x, y) == colour) {
                columns << x;
                break;
            }
    return columns;
}

QList<int> RowsWith(const QImage& image, const QColor& colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Pixel(image, x, y) == colour) {
                rows << y;
                break;
            }
    return rows;
}

// A trace of about 8 km falling from 5 dB to 13 dB, with markers at 2 and
// 6 km and no events unless asked.
QSharedPointer<sor::CFile> Trace(TraceBuilder builder = TraceBuilder(4000))
{
    return builder.Flat(5000).Slope(1.0).Build();
}

void SetEvent(sor::CFile* file, int index, float loss, double reflectance, float attenuation,
              int origin)
{
    bc::tKeyEventList events = file->GetKeyEventList();
    sor::tKeyEvent& e = events[size_t(index)];
    e.EventLoss.GetValue() = loss;
    e.Reflectance.GetValue() = reflectance;
    e.AttenuationCoefficient.GetValue() = attenuation;
    e.EventOrigin = origin;
    file->SetKeyEventList(events);
}

} // namespace

class TestGraphRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void formatsCaptions_data();
    void formatsCaptions();
    void fillsGreyWhileDisabled();
    void fillsTheBackgroundUnlessPrinting();
    void drawsEveryTraceCurrentOnTop();
    void drawsEverySegment_data();
    void drawsEverySegment();
    void drawsNothingForAnUnusableTrace_data();
    void drawsNothingForAnUnusableTrace();
    void drawsALiveTraceWithoutMarks();
    void spacesGridLines_data();
    void spacesGridLines();
    void dotsTheGrid();
    void drawsNoLevelLinesWithoutAStep();
    void drawsMarkersWithAGapAndHalo();
    void drawsCoincidentAndScrolledMarkers();
    void drawsPlainMarkersInTheOverview();
    void skipsMarkersOutsideAPageArea();
    void drawsTheMarkerLine_data();
    void drawsTheMarkerLine();
    void drawsEditLinesAndCursors();
    void drawsEditCursorsWhereTheyArePicked();
    void labelsEvents();
    void choosesEventIcons();
    void printsOnlyEventTicksAndNumbers();
    void hidesEventsWhenSwitchedOff();
    void keepsUnplaceableEventsOffThePlot_data();
    void keepsUnplaceableEventsOffThePlot();
    void writesPictures();

private:
    QTemporaryDir dir;
    QWidget parent;
};

void TestGraphRender::initTestCase()
{
    InitResources();
    QVERIFY(dir.isValid());
    qputenv("HOME", dir.filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath("home/.config").toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("user"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath("system"));
    QCoreApplication::setOrganizationName("TestOrganisation");
    QCoreApplication::setApplicationName("TestGraphRender");
    QVERIFY(GetSettings(0, 0)->fileName().startsWith(dir.path()));
    CMainOpt::Create(&parent);
    QCOMPARE(CMainOpt::Instance()->GetBackgroundColor(), kBackground);
}

void TestGraphRender::cleanupTestCase()
{
    delete CMainOpt::Instance();
}

void TestGraphRender::formatsCaptions_data()
{
    QTest::addColumn<bool>("bX");
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("window");
    QTest::addColumn<QString>("text");
    QTest::newRow("500 units") << false << 500.0f << 0.0f << "-0.5 dB";
    QTest::newRow("2500 units") << false << 2500.0f << 0.0f << "-2.5 dB";
    QTest::newRow("1000 units") << false << 1000.0f << 0.0f << "-1.0 dB";
    QTest::newRow("0 units") << false << 0.0f << 0.0f << "0";
    QTest::newRow("990 units") << false << 990.0f << 0.0f << "-1.0 dB";
    QTest::newRow("metres") << true << 250.0f << 5000.0f << "250 m";
    QTest::newRow("kilometres") << true << 15000.0f << 20000.0f << "15 km";
    QTest::newRow("10 km window") << true << 10000.0f << 10000.0f << "10000 m";
    QTest::newRow("centimetres") << true << 0.5f << 0.8f << "50 cm";
    QTest::newRow("zero") << true << 0.0f << 5000.0f << "0";
}

void TestGraphRender::formatsCaptions()
{
    QFETCH(bool, bX);
    QFETCH(float, value);
    QFETCH(float, window);
    QFETCH(QString, text);
    QCOMPARE(bX ? FormatXCaption(value, window) : FormatYCaption(quint16(value)), text);
}

void TestGraphRender::fillsGreyWhileDisabled()
{
    CGraphModel model;
    QImage image = Paint(model, QSize(50, 40), true, true, false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(Pixel(image, x, y), QColor(Qt::lightGray));

    // A set but no window yet: still disabled.
    PlotFixture plot(QSize(0, 0));
    plot.Add(Trace());
    QCOMPARE(Pixel(Paint(plot.Model(), QSize(50, 40), true, true, false), 25, 20),
             QColor(Qt::lightGray));
}

void TestGraphRender::fillsTheBackgroundUnlessPrinting()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    plot.Cursors()->GetLeftMarker()->MoveTo(2000);
    plot.Cursors()->GetRightMarker()->MoveTo(6000);
    const QColor traceColour(Qt::darkCyan);

    // Below the falling trace's start and left of the left marker only the
    // background (or the grid's sparse dots) can be.
    const QImage plotImage = Paint(plot.Model(), QSize(400, 300), true, false, false);
    const QImage printImage = Paint(plot.Model(), QSize(400, 300), true, false, true,
                                    QImage::Format_ARGB32, Qt::transparent);
    int background = 0;
    int transparent = 0;
    for (int y = 250; y < 300; ++y)
        for (int x = 0; x < 60; ++x) {
            background += Pixel(plotImage, x, y) == kBackground;
            transparent += Pixel(printImage, x, y).alpha() == 0;
        }
    QCOMPARE(background, 50 * 60);
    QCOMPARE(transparent, 50 * 60);
    QVERIFY(ColumnsWith(printImage, traceColour).size() > 390);
}

void TestGraphRender::drawsEveryTraceCurrentOnTop()
{
    // The first trace runs flat, the second joins it after 4 km: where both
    // lie on one row the current (last) one shows.
    PlotFixture plot(QSize(400, 300));
    plot.Add(TraceBuilder(4000).Flat(9000).Build(), Qt::red);
    plot.Add(TraceBuilder(4000).Flat(5000).Step(4000, 4000).Build(), Qt::darkGreen);
    const QImage image = Paint(plot.Model(), QSize(400, 300), true, false, false);
    const CGraphTransform t = plot.Model().GetTransform();
    const int flatRow = t.LevelToPixel(9000);
    const int upperRow = t.LevelToPixel(5000);
    QCOMPARE(Pixel(image, 50, flatRow), QColor(Qt::red));
    QCOMPARE(Pixel(image, 50, upperRow), QColor(Qt::darkGreen));
    QCOMPARE(Pixel(image, 350, flatRow), QColor(Qt::darkGreen));
}

void TestGraphRender::drawsEverySegment_data()
{
    QTest::addColumn<QRectF>("source");
    QTest::addColumn<bool>("bCosmetic");
    // Many samples per column (with repeated points), and a zoomed span
    // that starts between two samples.
    QTest::newRow("whole trace") << QRectF(0, 0, 20000, 9000) << false;
    QTest::newRow("whole trace, cosmetic") << QRectF(0, 0, 20000, 9000) << true;
    QTest::newRow("zoomed") << QRectF(1234.5, 2000, 9000, 5000) << false;
}

void TestGraphRender::drawsEverySegment()
{
    // Batches, and points repeating the one before, must not change the
    // picture of one polyline through every sample.
    QFETCH(QRectF, source);
    QFETCH(bool, bCosmetic);
    const QSharedPointer<sor::CFile> file =
        TraceBuilder(10000).Flat(3000).Slope(0.2).Peak(9000, 2500, 3).Noise(150, 11).Build();
    const QRect target(0, 0, 640, 360);
    QImage batched(target.size(), QImage::Format_ARGB32);
    batched.fill(Qt::white);
    QImage reference = batched;

    QPainter painter(&batched);
    DrawTrace(&painter, file.data(), source, target, Qt::black, bCosmetic);
    painter.end();

    painter.begin(&reference);
    QPen pen(Qt::black, 1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setCosmetic(bCosmetic);
    painter.setPen(pen);
    CGraphTransform t;
    t.Init(file->GetDataPointCount(), float(file->GetResolution()), source, target);
    QPolygon all;
    for (int i = t.GetFirstPoint(); i < t.GetFirstPoint() + t.GetPointCount(); ++i)
        all << t.MapPoint(QPoint(i, file->GetDataPoint(i)));
    QVERIFY(all.size() > 4096); // more than one batch
    painter.drawPolyline(all);
    painter.end();
    QVERIFY(ColumnsWith(batched, Qt::black).size() > 100);
    QCOMPARE(batched, reference);
}

void TestGraphRender::drawsNothingForAnUnusableTrace_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("resolution");
    QTest::newRow("no samples") << 0 << 2.0;
    QTest::newRow("zero resolution") << 100 << 0.0;
    QTest::newRow("negative resolution") << 100 << -1.0;
    QTest::newRow("infinite resolution") << 100 << qInf();
    QTest::newRow("no resolution") << 100 << qQNaN();
}

void TestGraphRender::drawsNothingForAnUnusableTrace()
{
    QFETCH(int, points);
    QFETCH(double, resolution);
    FakeFileView view(std::vector<quint16>(size_t(points), 100), resolution);
    QImage image(100, 50, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DrawTrace(&painter, &view, QRectF(0, 0, 200, 1000), image.rect(), Qt::black, false);
    painter.end();
    QVERIFY(ColumnsWith(image, Qt::black).isEmpty());
}

void TestGraphRender::drawsALiveTraceWithoutMarks()
{
    PlotFixture plot(QSize(400, 300));
    std::vector<quint16> samples(4000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = quint16(5000 + i * 2);
    plot.AddLive(QSharedPointer<FakeFileView>::create(samples, 2.0), Qt::darkGreen);
    const QImage image = Paint(plot.Model(), QSize(400, 300), true, true, false);
    QVERIFY(ColumnsWith(image, Qt::darkGreen).size() > 350); // captions cover some
    QVERIFY(ColumnsWith(image, Qt::red).isEmpty());
    QVERIFY(ColumnsWith(image, Qt::blue).isEmpty());
}

void TestGraphRender::spacesGridLines_data()
{
    QTest::addColumn<bool>("bX");
    QTest::addColumn<int>("points");
    QTest::addColumn<QList<int>>("lines");
    // 1000 m over 400 px: the 100 m step is 40 px, so every other line is
    // skipped; 10 dB over 301 rows: 1 dB is 30 px, every other one skipped.
    QTest::newRow("vertical") << true << 1000 << QList<int>{0, 80, 160, 240, 320};
    QTest::newRow("horizontal") << false << 1000 << QList<int>{0, 60, 120, 180, 240};
    // A graph narrower than a metre has no whole point; the lines still go
    // where the mapping puts them.
    QTest::newRow("vertical, no points") << true << 0 << QList<int>{0, 80, 160, 240, 320};
    QTest::newRow("horizontal, no points") << false << 0 << QList<int>{0, 60, 120, 180, 240};
}

void TestGraphRender::spacesGridLines()
{
    QFETCH(bool, bX);
    QFETCH(int, points);
    QFETCH(QList<int>, lines);
    QImage image(400, 301, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::darkYellow);
    CGraphTransform t;
    const QRectF source(0, 0, 1000, 10000);
    t.Init(points, 1.0f, source, image.rect());
    DrawGridLines(&painter, image.rect(), bX, bX ? 1000 : 10000, bX ? 1000 : 10000,
                  bX ? 50 : 40, {1, 2, 5}, bX ? -2 : 2, 3, t, false);
    painter.end();
    QCOMPARE(bX ? ColumnsWith(image, Qt::darkYellow) : RowsWith(image, Qt::darkYellow), lines);
}

void TestGraphRender::dotsTheGrid()
{
    QImage image(400, 301, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawGrid(&painter, 1000, 1.0f, QRectF(0, 0, 1000, 10000), image.rect(), Qt::blue, true);
    painter.end();
    // One pixel on, fourteen off along the line at 80 px.
    int dots = 0;
    for (int y = 0; y < 301; ++y)
        dots += Pixel(image, 80, y) == QColor(Qt::darkYellow);
    QVERIFY2(dots >= 19 && dots <= 22, qPrintable(QString::number(dots)));
}

void TestGraphRender::drawsNoLevelLinesWithoutAStep()
{
    // A visible span of 500 level units asks for a 50-unit step, finer than
    // any the level grid offers.
    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::darkYellow);
    CGraphTransform t;
    t.Init(1000, 1.0f, QRectF(0, 1000, 1000, 500), image.rect());
    DrawGridLines(&painter, image.rect(), false, 500, 1500, 40, {1, 2, 5}, 2, 3, t, true);
    painter.end();
    QVERIFY(RowsWith(image, Qt::darkYellow).isEmpty());
}

void TestGraphRender::drawsMarkersWithAGapAndHalo()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(2000);
    c->GetRightMarker()->MoveTo(6000);
    CGraphModel& model = plot.Model();
    const QImage image = Paint(model, QSize(400, 300), true, false, false);
    const CGraphTransform t = model.GetTransform();

    for (CCursors::CCursor* marker : {static_cast<CCursors::CCursor*>(c->GetLeftMarker()),
                                      static_cast<CCursors::CCursor*>(c->GetRightMarker())}) {
        const QColor colour = marker == c->GetLeftMarker() ? QColor(Qt::red) : QColor(Qt::blue);
        const int x = t.XToPixel(marker->GetPosition());
        const int level = t.LevelToPixel(model.GetView()->GetValueAt(marker->GetPosition()));
        for (int y = 0; y < 300; ++y)
            if (qAbs(y - level) > 3)
                QVERIFY2(Pixel(image, x, y) == colour, qPrintable(QString::number(y)));
        QVERIFY(Pixel(image, x, level) != colour);
        // The halo: three pixels wide in the lighter shade.
        QCOMPARE(Pixel(image, x - 1, 20).rgb(), colour.lighter(150).rgb());
        QCOMPARE(Pixel(image, x + 1, 280).rgb(), colour.lighter(150).rgb());
    }
}

void TestGraphRender::drawsCoincidentAndScrolledMarkers()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(3000);
    c->GetRightMarker()->MoveTo(3000);
    QImage image = Paint(model, QSize(400, 300), true, false, false);
    const int x = model.GetTransform().XToPixel(3000);
    QCOMPARE(Pixel(image, x, 10), QColor(Qt::red));
    QCOMPARE(Pixel(image, x + 1, 10), QColor(Qt::blue));

    // Both beyond the right edge of a window over the first kilometre.
    c->GetLeftMarker()->MoveTo(7000);
    c->GetRightMarker()->MoveTo(7500);
    model.SetZoom(8, 1, 500, 0);
    QVERIFY(model.UpdateView());
    image = Paint(model, QSize(400, 300), true, false, false);
    QCOMPARE(Pixel(image, 398, 10), QColor(Qt::red));
    QCOMPARE(Pixel(image, 399, 10), QColor(Qt::blue));
}

void TestGraphRender::drawsPlainMarkersInTheOverview()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(2000);
    c->GetRightMarker()->MoveTo(6000);
    model.SetZoom(4, 1, 4000, 0); // the overview shows the whole graph anyway
    QVERIFY(model.UpdateView());
    const QImage image = Paint(model, QSize(300, 150), false, false, false);
    CGraphTransform t;
    t.Init(model.GetView()->GetDataPointCount(), float(model.GetView()->GetResolution()),
           QRectF(QPointF(0, 0), model.GetGraphSize()), QRect(0, 0, 300, 150));
    const int x = t.XToPixel(2000);
    for (int y = 0; y < 150; ++y)
        QCOMPARE(Pixel(image, x, y), QColor(Qt::red));
    QVERIFY(Pixel(image, x - 1, 10) != QColor(Qt::red).lighter(150));
}

void TestGraphRender::skipsMarkersOutsideAPageArea()
{
    // A printed graph area that starts at x = 100: markers across its whole
    // width are printed, those scrolled out of the window are not.
    PlotFixture plot(QSize(400, 300));
    plot.Add(Trace());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(6000);
    c->GetRightMarker()->MoveTo(7500);
    QImage image(600, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect area(100, 0, 400, 300);
    model.Draw(&painter, area, true, false, false, true, false);
    painter.end();
    CGraphTransform t;
    t.Init(model.GetView()->GetDataPointCount(), float(model.GetView()->GetResolution()),
           QRectF(QPointF(0, 0), model.GetGraphSize()), area);
    QVERIFY(t.XToPixel(6000) >= 400);
    QCOMPARE(Pixel(image, t.XToPixel(6000), 10), QColor(Qt::red));
    QCOMPARE(Pixel(image, t.XToPixel(7500), 10), QColor(Qt::blue));

    model.SetZoom(8, 1, 500, 0);
    QVERIFY(model.UpdateView());
    image.fill(Qt::white);
    painter.begin(&image);
    model.Draw(&painter, area, true, false, false, true, false);
    painter.end();
    QVERIFY(ColumnsWith(image, Qt::red).isEmpty());
    QVERIFY(ColumnsWith(image, Qt::blue).isEmpty());
    // Nothing of a zoomed trace spills out of the area onto the page.
    for (int y = 0; y < 300; ++y)
        for (int x : {99, 500, 599})
            QCOMPARE(Pixel(image, x, y), QColor(Qt::white));
}

void TestGraphRender::drawsTheMarkerLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("straight") << 0 << QColor(Qt::magenta);
    QTest::newRow("fitted") << 1 << QColor(Qt::red);
}

void TestGraphRender::drawsTheMarkerLine()
{
    QFETCH(int, type);
    QFETCH(QColor, colour);
    // A 3 dB step half-way between the markers lifts the straight line off
    // the trace there; the fitted line runs through the mean of both sides.
    PlotFixture plot(QSize(400, 300));
    plot.Add(TraceBuilder(4000).Flat(5000).Step(4000, 3000).Build());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->GetLeftMarker()->MoveTo(2000);
    c->GetRightMarker()->MoveTo(6000);
    model.SetShowMarkerLine(true);
    model.SetMarkerLineType(type);
    const QImage image = Paint(model, QSize(400, 300), true, false, false);
    const CGraphTransform t = model.GetTransform();
    const float middle = 3000;
    const int x = t.XToPixel(middle);
    const int y = type == 0 ? t.LevelToPixel(5750) : t.MapLinePoint(middle, c->GetMarkerLine()).y();
    bool bFound = false;
    for (int dy = -1; dy <= 1; ++dy)
        bFound = bFound || Pixel(image, x, y + dy) == colour;
    QVERIFY2(bFound, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));

    model.SetShowMarkerLine(false);
    QVERIFY(Pixel(Paint(model, QSize(400, 300), true, false, false), x, y) != colour);
}

void TestGraphRender::drawsEditLinesAndCursors()
{
    PlotFixture plot(QSize(400, 300));
    plot.Add(TraceBuilder(4000).Flat(5000).Slope(1.0).Event(4000).Build());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->BeginEditEvent(0, 2, false);
    const QImage image = Paint(model, QSize(400, 300), true, false, false);
    const CGraphTransform t = model.GetTransform();

    // Half-transparent green over the background, half-way along the first
    // fitted line and above the trace it was fitted to.
    const float middle = (c->GetLeftCursor()->GetPosition() + c->GetLeftMarker()->GetPosition()) / 2;
    const QPoint onLine = t.MapLinePoint(middle, c->GetFirstLine());
    const QColor blend(109, 182, 128);
    // 2.5 px wide: more than one row, over the background or the trace.
    const QColor overTrace(0, 128, 64);
    int blended = 0;
    for (int dy = -3; dy <= 3; ++dy) {
        const QColor pixel = Pixel(image, onLine.x(), onLine.y() + dy);
        blended += Near(pixel, blend, 4) || Near(pixel, overTrace, 4);
    }
    QVERIFY2(blended >= 2, qPrintable(QString::number(blended)));

    struct
    {
        CCursors::CCursor* Cursor;
        QColor Colour;
    } cursors[] = {{c->GetLeftCursor(), QColor(0, 224, 0)},
                   {c->GetRightCursor(), QColor(0, 224, 0)},
                   {c->GetCenterCursor(), QColor(0, 224, 224)}};
    for (const auto& cursor : cursors) {
        const int x = GetClampedMarkX(t, c, cursor.Cursor, true);
        const int y = t.LevelToPixel(model.GetView()->GetValueAt(cursor.Cursor->GetPosition()));
        QCOMPARE(Pixel(image, x, y - 4), cursor.Colour);
        QVERIFY(Pixel(image, x, y - 20) != cursor.Colour);
    }
    // The halo of an edit cursor is the inverse of the background.
    const int x = GetClampedMarkX(t, c, c->GetLeftCursor(), true);
    const int y = t.LevelToPixel(model.GetView()->GetValueAt(c->GetLeftCursor()->GetPosition()));
    QCOMPARE(Pixel(image, x - 1, y - 4), QColor(255 - 218, 255 - 236, 0));
    c->EndEditEvent(false);
}

void TestGraphRender::drawsEditCursorsWhereTheyArePicked()
{
    // Editing an event at 4 km, scrolled on to 6 km: the cursors stand at
    // the window's left edge, as the markers do, where a click picks them.
    PlotFixture plot(QSize(400, 300));
    plot.Add(TraceBuilder(4000).Flat(5000).Event(4000).Build());
    CGraphModel& model = plot.Model();
    CCursors* c = plot.Cursors();
    c->BeginEditEvent(0, 2, false);
    model.SetZoom(8, 1, 6500, 0);
    QVERIFY(model.UpdateView());
    const QImage image = Paint(model, QSize(400, 300), true, false, false);
    const CGraphTransform t = model.GetTransform();
    const QPoint window = model.GetViewWin().topLeft();

    struct
    {
        CCursors::CCursor* Cursor;
        QColor Colour;
    } cursors[] = {{c->GetLeftCursor(), QColor(0, 224, 0)},
                   {c->GetCenterCursor(), QColor(0, 224, 224)},
                   {c->GetRightCursor(), QColor(0, 224, 0)}};
    for (const auto& cursor : cursors) {
        const QPoint at =
            QPoint(GetClampedMarkX(t, c, cursor.Cursor, true),
                   t.LevelToPixel(model.GetView()->GetValueAt(cursor.Cursor->GetPosition())))
            - window;
        QVERIFY(at.x() >= 0 && at.x() < 8);
        QCOMPARE(Pixel(image, at.x(), at.y() - 4), cursor.Colour);
        // Two pixels from the left cursor, the centre one is picked only
        // where their handles do not overlap.
        if (cursor.Cursor == c->GetCenterCursor())
            continue;
        const QSharedPointer<CCursorGrab> grab = model.FindCursorAt(at + QPoint(0, -4));
        QVERIFY(grab);
        QCOMPARE(grab->Cursor, cursor.Cursor);
    }
    c->EndEditEvent(false);
}

void TestGraphRender::labelsEvents()
{
    // Events at 2.5 km (reflective, far from the start) and 20 m after it.
    PlotFixture plot(QSize(1920, 1080));
    sor::CFile* file = plot.Add(
        Trace(TraceBuilder(4000).Event(2500, 1).Event(2520, 0)));
    SetEvent(file, 0, 0.1f, -80, 0.2f, 0);
    SetEvent(file, 1, 0.05f, 0, 0.3f, 0);
    CGraphModel& model = plot.Model();
    RecordingDevice device(QSize(1920, 1080));
    QPainter painter(&device);
    model.Draw(&painter, QRect(0, 0, 1920, 1080), true, false, false, false, false);
    painter.end();
    const RecordingEngine& e = device.Engine();

    const CGraphTransform t = model.GetTransform();
    const int y = t.LevelToPixel(model.GetView()->GetValueAt(2500));
    const auto* loss = e.Find("0.100dB");
    const auto* reflectance = e.Find("<-70dB");
    const auto* distance = e.Find("2.500km");
    const auto* attenuation = e.Find("0.200dB/km  ");
    QVERIFY(loss && reflectance && distance && attenuation);
    QVERIFY(loss->At.y() < y - 5);
    QVERIFY(reflectance->At.y() < loss->At.y());
    QVERIFY(distance->At.y() > y + 5);
    QCOMPARE(loss->PointSize, 8);
    QFont font = QGuiApplication::font();
    font.setPointSize(8);
    const QRect measured = QFontMetrics(font, &device)
                               .boundingRect(QRect(0, 0, 100, 100), Qt::AlignLeft | Qt::AlignTop,
                                             "0.100dB");
    QVERIFY(qAbs(loss->At.x() + measured.width() / 2.0 - t.XToPixel(2500)) <= 2);
    // Outlined: four white copies around each label.
    int white = 0;
    for (const auto& text : e.Texts)
        white += text.Text == "0.100dB" && text.Colour == Qt::white;
    QCOMPARE(white, 4);
    // The second event lies 10 px after the first: no room for its
    // attenuation label.
    QVERIFY(e.Find("0.050dB"));
    QVERIFY(!e.Find("0.300dB/km  "));
    QVERIFY(e.Find("1") && e.Find("2"));
    QCOMPARE(e.Find("1")->PointSize, 12);
}

void TestGraphRender::choosesEventIcons()
{
    const QImage reflection(":/images/EventReflection.svg");
    const QImage junction(":/images/EventJunction.svg");
    QVERIFY(!reflection.isNull() && !junction.isNull());

    PlotFixture plot(QSize(1920, 1080));
    sor::CFile* file = plot.Add(
        Trace(TraceBuilder(4000).Event(1000, 1).Event(3000, 0).Event(5000, 0).Event(7000, 1)));
    SetEvent(file, 2, 0, 0, 0, 2); // "E"
    SetEvent(file, 3, 0, 0, 0, 5); // "D"
    RecordingDevice device(QSize(1920, 1080));
    QPainter painter(&device);
    plot.Model().Draw(&painter, QRect(0, 0, 1920, 1080), true, false, false, false, false);
    painter.end();
    const QList<RecordingEngine::tImage>& images = device.Engine().Images;
    QCOMPARE(images.size(), 4);
    QCOMPARE(images[0].Image, reflection);
    QCOMPARE(images[1].Image, junction);
    const CGraphTransform t = plot.Model().GetTransform();
    for (int i : {2, 3}) {
        QCOMPARE(images[i].Image.size(), QSize(48, 48));
        QCOMPARE(images[i].Rect.bottom(), 1080.0 - 2);
    }
    QCOMPARE(images[3].Rect.left(), double(t.XToPixel(7000) - 24));
    QCOMPARE(images[0].Rect.bottom(), 1080.0 - 2);
}

void TestGraphRender::printsOnlyEventTicksAndNumbers()
{
    PlotFixture plot(QSize(1920, 1080));
    sor::CFile* file = plot.Add(Trace(TraceBuilder(4000).Event(2500, 1).Event(5000, 0)));
    SetEvent(file, 0, 0.1f, -30, 0.2f, 0);
    RecordingDevice device(QSize(1920, 1080));
    QPainter painter(&device);
    plot.Model().Draw(&painter, QRect(0, 0, 1920, 1080), true, true, true, true, false);
    painter.end();
    const RecordingEngine& e = device.Engine();
    QVERIFY(e.Images.isEmpty());
    QStringList labels;
    for (const auto& text : e.Labels())
        labels << text.Text;
    QCOMPARE(labels, (QStringList{"1", "2"}));

    // The inverted T of an event is printed in its green.
    QImage image(1920, 1080, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter imagePainter(&image);
    plot.Model().Draw(&imagePainter, image.rect(), true, false, false, true, false);
    imagePainter.end();
    const CGraphTransform t = plot.Model().GetTransform();
    const int x = t.XToPixel(5000);
    const int y = t.LevelToPixel(plot.Model().GetView()->GetValueAt(5000));
    QCOMPARE(Pixel(image, x, y - 5), QColor(0, 192, 0));
    QCOMPARE(Pixel(image, x - 4, y + 5), QColor(0, 192, 0));
}

void TestGraphRender::hidesEventsWhenSwitchedOff()
{
    PlotFixture plot(QSize(1920, 1080));
    sor::CFile* file = plot.Add(Trace(TraceBuilder(4000).Event(2500, 1).Event(5000, 0)));
    SetEvent(file, 0, 0.1f, -30, 0.2f, 0);
    CGraphView view(&plot.Model(), nullptr, nullptr);
    QAction showEvents(nullptr);
    view.SetShowEventsOnGraphAction(&showEvents);
    plot.Model().SetWindowSize(QSize(1920, 1080));
    auto draw = [&plot](RecordingDevice& device) {
        QPainter painter(&device);
        plot.Model().Draw(&painter, QRect(0, 0, 1920, 1080), true, true, true, false, false);
    };

    RecordingDevice shown(QSize(1920, 1080));
    draw(shown);
    QCOMPARE(shown.Engine().Images.size(), 2);
    QVERIFY(shown.Engine().Find("0.100dB") && shown.Engine().Find("2.500km"));

    showEvents.setChecked(false);
    view.OnShowEventsOnGraph();
    QVERIFY(!plot.Model().IsShowEvents());
    RecordingDevice hidden(QSize(1920, 1080));
    draw(hidden);
    QVERIFY(hidden.Engine().Images.isEmpty());
    QStringList labels;
    for (const auto& text : hidden.Engine().Labels())
        labels << text.Text;
    QCOMPARE(labels, QStringList());
    // The grid is still captioned.
    QVERIFY(hidden.Engine().Texts.size() > 0);
}

void TestGraphRender::keepsUnplaceableEventsOffThePlot_data()
{
    QTest::addColumn<bool>("bNoGroupIndex");
    // A damaged file: an event recorded hundreds of kilometres past an 8 km
    // trace, seen at the deepest zoom; and a current trace whose group index
    // is 0, shown beside a sound one, whose events lie at infinity.
    QTest::newRow("far past the end, zoomed") << false;
    QTest::newRow("no group index") << true;
}

void TestGraphRender::keepsUnplaceableEventsOffThePlot()
{
    QFETCH(bool, bNoGroupIndex);
    PlotFixture plot(QSize(400, 300));
    if (bNoGroupIndex)
        plot.Add(Trace());
    const QSharedPointer<sor::CFile> file = Trace(TraceBuilder(4000).Event(1000, 1));
    bc::tKeyEventList events = file->GetKeyEventList();
    if (bNoGroupIndex) {
        sor::tFixedParameters parameters = *file->GetFixedParameters();
        parameters.GroupIndex.GetValue() = 0;
        file->SetFixedParameters(parameters);
    } else {
        events[0].PropagationTime.GetValue() = 4294967295.0;
        file->SetKeyEventList(events);
    }
    plot.Add(file);
    CGraphModel& model = plot.Model();
    if (!bNoGroupIndex) {
        model.SetZoom(model.GetMaxScaleX(), 1, 0, 0);
        QVERIFY(model.UpdateView());
    }

    // Far to the right stays to the right, not wrapped round to the left.
    const float at = float(file->TimeToDistance(events[0].PropagationTime.GetValue()));
    QVERIFY(model.GetTransform().XToPixel(at) > model.GetViewWin().right());

    RecordingDevice device(QSize(400, 300));
    QPainter painter(&device);
    model.Draw(&painter, QRect(0, 0, 400, 300), true, false, false, false, false);
    painter.end();
    for (const RecordingEngine::tText& text : device.Engine().Labels())
        QVERIFY2(text.At.x() > 400, qPrintable(text.Text));

    const QImage image = Paint(model, QSize(400, 300), true, false, false);
    QVERIFY(ColumnsWith(image, QColor(0, 192, 0)).isEmpty());
    QVERIFY(ColumnsWith(image, kLabel).isEmpty());
}

void TestGraphRender::writesPictures()
{
    // Pictures to look at: the plot, the overview and a printed graph of a
    // noisy trace with a splice, a connector and the fibre end.
    PlotFixture plot(QSize(1920, 1080));
    sor::CFile* file = plot.Add(TraceBuilder(8000)
                                    .Flat(3000)
                                    .Slope(0.35)
                                    .Step(4000, 400)
                                    .Peak(8000, 4000, 3)
                                    .Step(8000, 600)
                                    .Peak(12000, 4000, 4)
                                    .Step(12010, 20000)
                                    .Slope(-0.35, 12010)
                                    .Noise(60, 7)
                                    .Event(4000, 0)
                                    .Event(8000, 1)
                                    .Event(12000, 1)
                                    .Build(),
                                Qt::darkBlue);
    SetEvent(file, 0, 0.4f, 0, 0.35f, 0);
    SetEvent(file, 1, 0.6f, -42.5, 0.35f, 0);
    SetEvent(file, 2, 0, -14.2, 0.35f, 2);
    CGraphModel& model = plot.Model();
    model.GetCursors()->GetLeftMarker()->MoveTo(2000);
    model.GetCursors()->GetRightMarker()->MoveTo(10000);
    model.SetShowMarkerLine(true);

    const QString folder = QDir::current().filePath("pictures");
    QVERIFY(QDir().mkpath(folder));
    const QImage plotImage = Paint(model, QSize(1920, 1080), true, true, false);
    const QImage overview = Paint(model, QSize(300, 150), false, false, false);
    const QImage printed = Paint(model, QSize(1920, 1080), true, true, true);
    QVERIFY(plotImage.save(folder + "/render-plot.png"));
    QVERIFY(overview.save(folder + "/render-overview.png"));
    QVERIFY(printed.save(folder + "/render-print.png"));
    QVERIFY(ColumnsWith(plotImage, Qt::darkBlue).size() > 1800);

    // Editing the connector, zoomed about it: fitted lines and cursors.
    model.GetCursors()->BeginEditEvent(1, 1, false);
    model.SetZoom(4, 2, 8000, 6000);
    QVERIFY(model.UpdateView());
    QVERIFY(Paint(model, QSize(1920, 1080), true, true, false).save(folder + "/render-edit.png"));
    model.GetCursors()->EndEditEvent(false);
    QVERIFY(ColumnsWith(overview, Qt::darkBlue).size() > 250);
}

QTEST_MAIN(TestGraphRender)
#include "tst_graphrender.moc"
