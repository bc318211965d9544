#include "TraceBuilder.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <random>

TraceBuilder::TraceBuilder(int points, double spacingNs, float groupIndex)
    : levels(size_t(std::max(points, 0)), 0.0)
{
    trace.GroupIndex = groupIndex;
    trace.Resolution = qint32(std::lround(spacingNs * 100000.0));
    trace.Averages = 1;
    trace.PulseWidth = 100;
    trace.Wavelength = 1550;
    resolution = groupIndex > 0 ? sor::TimeToDistance(trace.Resolution / 100000.0, groupIndex) : 0.0;
}

TraceBuilder& TraceBuilder::Flat(double level)
{
    for (double& v : levels)
        v += level;
    return *this;
}

TraceBuilder& TraceBuilder::Slope(double unitsPerMetre, double from)
{
    for (size_t i = 0; i < levels.size(); ++i)
        if (At(int(i)) >= from)
            levels[i] += unitsPerMetre * (At(int(i)) - from);
    return *this;
}

TraceBuilder& TraceBuilder::Step(double at, double units)
{
    for (size_t i = 0; i < levels.size(); ++i)
        if (At(int(i)) >= at)
            levels[i] += units;
    return *this;
}

TraceBuilder& TraceBuilder::Peak(double at, double units, int width)
{
    const long first = resolution > 0 ? std::lround(at / resolution) : 0;
    for (long i = first; i < first + width; ++i)
        if (i >= 0 && size_t(i) < levels.size())
            levels[size_t(i)] -= units;
    return *this;
}

TraceBuilder& TraceBuilder::Noise(double amplitude, unsigned noiseKey, double from)
{
    std::mt19937 generator(noiseKey);
    std::uniform_real_distribution<double> spread(-amplitude, amplitude);
    for (size_t i = 0; i < levels.size(); ++i)
        if (At(int(i)) >= from)
            levels[i] += spread(generator);
    return *this;
}

TraceBuilder& TraceBuilder::PulseWidth(int ns)
{
    trace.PulseWidth = ns;
    return *this;
}

TraceBuilder& TraceBuilder::Wavelength(int nm)
{
    trace.Wavelength = nm;
    return *this;
}

TraceBuilder& TraceBuilder::Averages(int count)
{
    trace.Averages = count;
    return *this;
}

TraceBuilder& TraceBuilder::Event(double at, int type, const QString& comment)
{
    events.push_back({at, type, comment});
    return *this;
}

std::vector<quint16> TraceBuilder::Samples() const
{
    std::vector<quint16> samples;
    samples.reserve(levels.size());
    for (double v : levels)
        samples.push_back(quint16(std::clamp(std::lround(v), 0L, 65535L)));
    return samples;
}

QSharedPointer<sor::CFile> TraceBuilder::Build(const QString& path) const
{
    QSharedPointer<sor::CFile> file(new sor::CFile(path, trace, Samples()));
    if (!events.empty()) {
        bc::tKeyEventList list;
        unsigned number = 1;
        for (const tEvent& e : events) {
            sor::tKeyEvent event;
            event.Number.GetValue() = number++;
            event.PropagationTime.GetValue() = file->DistanceToTime(e.At);
            event.EventType = e.Type;
            event.Comment.SetValue(e.Comment);
            list.push_back(event);
        }
        file->SetKeyEventList(list);
    }
    file->SetChanged(false);
    return file;
}
