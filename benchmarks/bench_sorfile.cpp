// Loading and saving speed of whole trace files, against plain reading.
#include "sor/File.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <memory>

namespace {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString generatedTrace()
{
    static const QString path = [] {
        sor::tDeviceTrace trace;
        trace.GroupIndex = 1.4682f;
        trace.Resolution = 250000;
        trace.Averages = 1000;
        trace.PulseWidth = 100;
        trace.Wavelength = 1550;
        std::vector<quint16> samples(250000);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = quint16(5000 + (i * 7919) % 40000);
        const QString file = workDir().filePath("generated-250000.sor");
        sor::CFile(file, trace, samples).Save();
        return file;
    }();
    return path;
}

// Heap bytes a loaded trace holds, per sample of its trace.
double heldPerSample(const QString& path)
{
    const size_t before = mallinfo2().uordblks;
    int warnings = 0;
    sor::CFile trace(path, warnings);
    const size_t held = mallinfo2().uordblks - before;
    return double(held) / std::max(1, trace.GetDataPointCount());
}

// Load and destroy, over and over, as a folder refresh does.
void loadFile(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        int warnings = 0;
        sor::CFile trace(path, warnings);
        benchmark::DoNotOptimize(trace.GetDataPointCount());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    state.counters["held_per_sample"] = heldPerSample(path);
}

void saveFile(benchmark::State& state, const QString& source)
{
    const QString copy = workDir().filePath("save-" + QFileInfo(source).fileName());
    QFile::remove(copy);
    QFile::copy(source, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    int warnings = 0;
    sor::CFile trace(copy, warnings);
    for (auto _ : state)
        trace.Save();
    state.SetBytesProcessed(state.iterations() * QFile(copy).size());
}

void readFile(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void registerAll()
{
    QStringList files;
    const QDir dir(QStringLiteral(QUORVANE_TESTDATA "/sor"));
    for (const QString& name : dir.entryList({"*.sor"}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    files << generatedTrace();
    for (const QString& file : files) {
        const std::string name = QFileInfo(file).fileName().toStdString();
        benchmark::RegisterBenchmark(("load/" + name).c_str(), loadFile, file);
        benchmark::RegisterBenchmark(("save/" + name).c_str(), saveFile, file);
        benchmark::RegisterBenchmark(("read/" + name).c_str(), readFile, file);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
