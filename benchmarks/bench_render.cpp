// Painting an unzoomed long trace into a full-HD plot, against one bare
// polyline of the same mapped points.
#include "benchmarks/BenchOptions.h"
#include "filelist/ViewFile.h"
#include "graph/GraphModel.h"
#include "graph/GraphPainter.h"
#include "support/TraceBuilder.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const QSize kPlot(1920, 1080);

// 250,000 noisy samples 0.1 m apart (25 km) with five key events.
struct tScene
{
    tScene()
    {
        TraceBuilder builder(250000, 0.5);
        builder.Flat(3000).Slope(0.35).Noise(80, 3);
        for (int i = 1; i <= 5; ++i)
            builder.Step(i * 4000.0, 300).Event(i * 4000.0, i % 2);
        set.push_back(QSharedPointer<tListedFile>::create(builder.Build()));
        model.SetWindowSize(kPlot);
        model.SetData(&set);
        model.GetCursors()->GetLeftMarker()->MoveTo(3000);
        model.GetCursors()->GetRightMarker()->MoveTo(15000);
    }

    tListedFiles set;
    CGraphModel model;
};

tScene& Scene()
{
    static tScene scene;
    return scene;
}

void drawPlot(benchmark::State& state)
{
    CGraphModel& model = Scene().model;
    QImage image(kPlot, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        model.Draw(&painter, image.rect(), true, true, true, false, false);
    }
}

void drawTraceOnly(benchmark::State& state)
{
    CGraphModel& model = Scene().model;
    QImage image(kPlot, QImage::Format_ARGB32_Premultiplied);
    const QRectF source(QPointF(0, 0), model.GetGraphSize());
    for (auto _ : state) {
        QPainter painter(&image);
        DrawTrace(&painter, model.GetView(), source, image.rect(), Qt::blue, false);
    }
}

void drawBarePolyline(benchmark::State& state)
{
    CGraphModel& model = Scene().model;
    const sor::IFileView* view = model.GetView();
    QImage image(kPlot, QImage::Format_ARGB32_Premultiplied);
    CGraphTransform t;
    t.Init(view->GetDataPointCount(), float(view->GetResolution()),
           QRectF(QPointF(0, 0), model.GetGraphSize()), image.rect());
    std::vector<QPoint> points;
    for (int i = t.GetFirstPoint(); i < t.GetFirstPoint() + t.GetPointCount(); ++i)
        points.push_back(t.MapPoint(QPoint(i, view->GetDataPoint(i))));
    QPen pen(Qt::blue, 1);
    pen.setCapStyle(Qt::FlatCap);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(pen);
        painter.drawPolyline(points.data(), int(points.size()));
    }
    state.counters["points"] = double(points.size());
    int repeated = 0;
    for (size_t i = 1; i < points.size(); ++i)
        repeated += points[i] == points[i - 1];
    state.counters["repeated"] = repeated;
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenByDefault();
    QApplication app(argc, argv);
    CBenchOptions options;

    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("draw/plot-1920x1080-250000", drawPlot)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("draw/trace-only-250000", drawTraceOnly)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("draw/bare-polyline-250000", drawBarePolyline)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
