// Opening a folder of 1,000 traces and painting every list entry once.
#include "benchmarks/BenchOptions.h"
#include "filelist/FileList.h"
#include "support/TraceBuilder.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const int kFiles = 1000;
const int kPoints = 25000;

// Later-layout traces like the sample ones: 25,000 noisy samples 2 m apart
// (50 km) with a few events, written once and copied under 1,000 names.
QString Folder()
{
    static QTemporaryDir dir;
    static const bool bWritten = [] {
        TraceBuilder builder(kPoints);
        builder.Flat(3000).Slope(0.35).Noise(80, 3).PulseWidth(1000);
        for (int i = 1; i <= 4; ++i)
            builder.Step(i * 9000.0, 300).Event(i * 9000.0, i % 2);
        const QString first = dir.filePath("trace0000.sor");
        builder.Build(first)->Save();
        for (int i = 1; i < kFiles; ++i)
            QFile::copy(first, dir.filePath(QString("trace%1.sor").arg(i, 4, 10, QLatin1Char('0'))));
        return true;
    }();
    Q_UNUSED(bWritten);
    return dir.path();
}

void CloseAll(CFileList& list)
{
    while (list.GetCount())
        list.CloseFile(list.GetCount() - 1, false, nullptr);
}

// Every entry once through the delegate, as a scroll through the list paints them.
void PaintEntries(CFileList& list, QImage& image)
{
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.widget = &list;
    QAbstractItemDelegate* delegate = list.itemDelegate();
    for (int row = 0; row < list.GetCount(); ++row) {
        QPainter painter(&image);
        delegate->paint(&painter, option, list.model()->index(row, 0));
    }
}

void openAndPaint(benchmark::State& state, bool bPaint, bool bOpen)
{
    const QString folder = Folder();
    QWidget window;
    CFileList list(&window);
    list.resize(300, 800);
    for (auto _ : state) {
        if (!bOpen)
            state.PauseTiming();
        list.SetWorkingFolder(folder);
        if (!bOpen)
            state.ResumeTiming();
        if (bPaint) {
            const QSize size = list.itemDelegate()->sizeHint(QStyleOptionViewItem(), list.model()->index(0, 0));
            QImage image(size, QImage::Format_ARGB32_Premultiplied);
            PaintEntries(list, image);
        }
        state.PauseTiming();
        CloseAll(list);
        state.ResumeTiming();
    }
    state.counters["files"] = kFiles;
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenByDefault();
    QApplication app(argc, argv);
    CBenchOptions options;
    const QString start = QDir::currentPath();

    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("filelist/open-1000", openAndPaint, false, true)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("filelist/paint-1000", openAndPaint, true, false)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("filelist/open-and-paint-1000", openAndPaint, true, true)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QDir::setCurrent(start);
    return 0;
}
