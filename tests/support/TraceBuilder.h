#pragma once

#include "sor/File.h"
#include "sor/FileView.h"

#include <QSharedPointer>
#include <QString>

#include <vector>

// Builds a trace in memory through the instrument-measurement constructor of
// sor::CFile. Levels are in sample units (1000 per dB, larger is lower) and
// positions in metres along the fibre; every shape adds onto what is there,
// so a trace is composed from a flat base, slopes, steps, peaks and noise.
// Samples are clamped to 0..65535 when built.
//
//   auto file = TraceBuilder(10000).Flat(5000).Slope(0.2).Step(4000, 300)
//                   .Peak(8000, 3000).Event(4000).Build();
class TraceBuilder
{
public:
    // `spacingNs` is the time between samples; with the defaults one point
    // covers 1.99862 m (10 ns at group index 1.5).
    explicit TraceBuilder(int points, double spacingNs = 10.0, float groupIndex = 1.5f);

    // Metres per data point of the trace that Build makes.
    double Resolution() const { return resolution; }
    // Distance of sample i; put markers here to measure on data points.
    double At(int i) const { return i * resolution; }

    TraceBuilder& Flat(double level);
    // Adds unitsPerMetre x (x - from) from `from` onwards.
    TraceBuilder& Slope(double unitsPerMetre, double from = 0.0);
    // Adds `units` at and after `at`.
    TraceBuilder& Step(double at, double units);
    // Raises the power (lowers the sample value) by `units` over `width`
    // points starting at the sample nearest `at`.
    TraceBuilder& Peak(double at, double units, int width = 1);
    // Adds uniform noise in [-amplitude, amplitude] from `from` onwards, the
    // same for the same key.
    TraceBuilder& Noise(double amplitude, unsigned noiseKey, double from = 0.0);
    TraceBuilder& PulseWidth(int ns);
    TraceBuilder& Wavelength(int nm);
    TraceBuilder& Averages(int count);
    // A key event at `at` metres; type 1 is reflective.
    TraceBuilder& Event(double at, int type = 0, const QString& comment = QString());

    std::vector<quint16> Samples() const;
    // The file starts unchanged; nothing is written unless a test saves it.
    QSharedPointer<sor::CFile> Build(const QString& path = QStringLiteral("built.sor")) const;

private:
    struct tEvent
    {
        double At;
        int Type;
        QString Comment;
    };

    std::vector<double> levels;
    std::vector<tEvent> events;
    sor::tDeviceTrace trace;
    double resolution;
};

// A bare trace view with round numbers, for mapping tests that want a
// resolution the file format cannot store exactly.
class FakeFileView : public sor::IFileView
{
public:
    FakeFileView(std::vector<quint16> samples, double resolution)
        : samples(std::move(samples)), resolution(resolution) {}

    double GetResolution() const override { return resolution; }
    quint16 GetDataPoint(int n) const override
    {
        return n >= 0 && size_t(n) < samples.size() ? samples[size_t(n)] : 0;
    }
    int GetDataPointCount() const override { return int(samples.size()); }
    QRect GetViewRect() const override { return viewRect; }
    void SetViewRect(const QRect& rect) override { viewRect = rect; }

private:
    std::vector<quint16> samples;
    double resolution;
    QRect viewRect;
};
