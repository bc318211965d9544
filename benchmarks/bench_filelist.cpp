// Opening and closing folders of 1,000 to 10,000 traces, and painting every
// list entry once.
#include "benchmarks/BenchOptions.h"
#include "filelist/FileList.h"
#include "support/TraceBuilder.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <unistd.h>

namespace {

const int kPoints = 25000;

// Later-layout traces like the sample ones: 25,000 noisy samples 2 m apart
// (50 km) with a few events, written once and linked under `files` names
// (hard links: distinct files to the list, one copy in the page cache).
QString Folder(int files)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    std::unique_ptr<QTemporaryDir>& dir = folders[files];
    if (dir)
        return dir->path();
    dir = std::make_unique<QTemporaryDir>();
    TraceBuilder builder(kPoints);
    builder.Flat(3000).Slope(0.35).Noise(80, 3).PulseWidth(1000);
    for (int i = 1; i <= 4; ++i)
        builder.Step(i * 9000.0, 300).Event(i * 9000.0, i % 2);
    const QString first = dir->filePath("trace00000.sor");
    builder.Build(first)->Save();
    for (int i = 1; i < files; ++i) {
        const QString name = dir->filePath(QString("trace%1.sor").arg(i, 5, 10, QLatin1Char('0')));
        if (::link(QFile::encodeName(first).constData(), QFile::encodeName(name).constData()) != 0)
            QFile::copy(first, name);
    }
    return dir->path();
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

void SetCounters(benchmark::State& state, int files)
{
    state.counters["files"] = files;
    state.counters["per file"] =
        benchmark::Counter(files, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void openAndPaint(benchmark::State& state, bool bPaint, bool bOpen)
{
    const int files = 1000;
    const QString folder = Folder(files);
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
        list.CloseFiles({});
        state.ResumeTiming();
    }
    state.counters["files"] = files;
}

// "Open project folder" on a folder of `files` traces, and "Close all".
void openOrClose(benchmark::State& state, bool bOpen)
{
    const int files = int(state.range(0));
    const QString folder = Folder(files);
    QWidget window;
    CFileList list(&window);
    list.resize(300, 800);
    for (auto _ : state) {
        if (!bOpen)
            state.PauseTiming();
        list.SetWorkingFolder(folder);
        if (list.GetCount() != files)
            state.SkipWithError("not every trace was listed");
        if (bOpen)
            state.PauseTiming();
        else
            state.ResumeTiming();
        list.CloseFiles({});
        if (list.GetCount())
            state.SkipWithError("traces were left listed");
        if (bOpen)
            state.ResumeTiming();
    }
    SetCounters(state, files);
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenByDefault();
    QApplication app(argc, argv);
    CBenchOptions options;
    const QString start = QDir::currentPath();

    benchmark::Initialize(&argc, argv);
    for (const bool bOpen : {true, false})
        benchmark::RegisterBenchmark(bOpen ? "filelist/open" : "filelist/close-all", openOrClose, bOpen)
            ->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("filelist/paint-1000", openAndPaint, true, false)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("filelist/open-and-paint-1000", openAndPaint, true, true)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QDir::setCurrent(start);
    return 0;
}
