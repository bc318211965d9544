#include "tools/Samples.h"

#include "support/TraceBuilder.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace samples {
namespace {

enum class eKind { Splice, Connector, End };

struct tSampleEvent
{
    double At;          // metres
    eKind Kind;
    double Loss;        // dB
    double Reflectance; // dB; 0 for a splice
    const char* Comment;
};

struct tSampleTrace
{
    const char* FileName;
    int Wavelength;     // nm
    double SpacingNs;
    int Points;
    int PulseNs;
    int Averages;
    double Attenuation; // dB/km
    double LaunchLevel; // dB below the top where the backscatter starts
    double NoiseFloor;  // dB below the top
    float Backscatter;  // dB at 1 ns
    unsigned NoiseKey;
    std::vector<tSampleEvent> Events;
    const char* CableId;
    const char* FiberId;
    const char* From;
    const char* To;
    const char* Comment;
};

constexpr double kUnitsPerDb = 1000.0;
constexpr float kGroupIndex = 1.4682f;
// Reflection heights above the backscatter in dB: a spike grows with the
// reflectance, so the fibre end stands far above a good connector.
constexpr double kSpikePerReflectanceDb = 0.32;
constexpr double kSpikeBase = 22.0;

const std::vector<tSampleTrace>& Traces()
{
    static const std::vector<tSampleTrace> traces{
        {"line-20km-1310nm.sor", 1310, 10.0, 12500, 300, 16384, 0.334, 4.2, 27.5, -79.4f, 1310,
         {{6120.0, eKind::Splice, 0.094, 0.0, "Splice, closure M-3"},
          {12480.0, eKind::Connector, 0.418, -47.3, "Connector, cross-connect CC-2"},
          {20350.0, eKind::End, 0.0, -14.6, "Fibre end, open connector"}},
         "Cable 12", "Fibre 7", "Exchange North", "Substation 14", "Acceptance test"},
        {"line-20km-1550nm.sor", 1550, 10.0, 12500, 300, 16384, 0.196, 5.6, 29.0, -81.7f, 1550,
         {{6120.0, eKind::Splice, 0.112, 0.0, "Splice, closure M-3"},
          {12480.0, eKind::Connector, 0.386, -48.1, "Connector, cross-connect CC-2"},
          {20350.0, eKind::End, 0.0, -14.8, "Fibre end, open connector"}},
         "Cable 12", "Fibre 7", "Exchange North", "Substation 14", "Acceptance test"},
        {"riser-1.6km-1310nm.sor", 1310, 1.0, 12000, 30, 4096, 0.352, 3.1, 21.0, -79.4f, 131,
         {{274.0, eKind::Connector, 0.352, -52.4, "Patch panel, floor 2"},
          {812.0, eKind::Splice, 0.061, 0.0, "Splice, riser closure"},
          {1643.0, eKind::End, 0.0, -16.2, "Fibre end, open connector"}},
         "Riser cable R-4", "Fibre 2", "Server room", "Floor 9 distribution", "Commissioning"},
    };
    return traces;
}

// The launch spike and a reflection: a flat top as long as the pulse, then
// a tail that falls back over another pulse length.
void AddSpike(TraceBuilder& builder, double at, double units, int pulsePoints)
{
    builder.Peak(at, units * 0.55, pulsePoints);
    builder.Peak(at, units * 0.30, pulsePoints + pulsePoints / 2);
    builder.Peak(at, units * 0.15, 2 * pulsePoints);
}

double SpikeHeight(double reflectance)
{
    return std::max(1.0, kSpikeBase + kSpikePerReflectanceDb * reflectance);
}

// The loss the drawn trace falls by from its front to the fibre end: the
// fibre's attenuation and every event before the end.
double TotalLoss(const tSampleTrace& t, double end)
{
    double loss = t.Attenuation * end / 1000.0;
    for (const tSampleEvent& e : t.Events)
        if (e.Kind != eKind::End && e.At < end)
            loss += e.Loss;
    return loss;
}

// The optical return loss from the front to the fibre end, as the
// instrument integrates it: the backscatter of each section and the
// reflections of the connectors and of the end, each weakened by the
// round trip to it.
double ReturnLoss(const tSampleTrace& t, double end)
{
    const double metresPerNs = 0.299792458 / kGroupIndex;
    // Backscatter per metre of fibre, from the coefficient of a 1 ns pulse.
    const double perMetre = 2.0 * std::pow(10.0, t.Backscatter / 10.0) / metresPerNs;
    // Power attenuation per metre.
    const double alpha = t.Attenuation / 1000.0 * std::log(10.0) / 10.0;
    double returned = 0.0;
    double lossDb = 0.0;
    double from = 0.0;
    for (const tSampleEvent& e : t.Events) {
        const double to = std::min(e.At, end);
        returned += perMetre * std::pow(10.0, -2.0 * lossDb / 10.0) * (1.0 - std::exp(-2.0 * alpha * (to - from)))
            / (2.0 * alpha);
        lossDb += t.Attenuation * (to - from) / 1000.0;
        if (e.Kind != eKind::Splice)
            returned += std::pow(10.0, (e.Reflectance - 2.0 * lossDb) / 10.0);
        if (e.Kind == eKind::End || to >= end)
            break;
        lossDb += e.Loss;
        from = to;
    }
    return -10.0 * std::log10(returned);
}

QSharedPointer<sor::CFile> BuildTrace(const tSampleTrace& t, const QString& path)
{
    TraceBuilder builder(t.Points, t.SpacingNs, kGroupIndex);
    builder.Wavelength(t.Wavelength).PulseWidth(t.PulseNs).Averages(t.Averages);

    const double pulseMetres = t.PulseNs * 0.299792458 / kGroupIndex / 2.0;
    const int pulsePoints = std::max(2, int(std::lround(pulseMetres / builder.Resolution())));
    const double slope = t.Attenuation * kUnitsPerDb / 1000.0;

    builder.Flat(t.LaunchLevel * kUnitsPerDb).Slope(slope);
    AddSpike(builder, 0.0, t.LaunchLevel * kUnitsPerDb + 2000.0, pulsePoints);

    double level = t.LaunchLevel * kUnitsPerDb;
    double previous = 0.0;
    double end = t.Points * builder.Resolution();
    for (const tSampleEvent& e : t.Events) {
        level += slope * (e.At - previous);
        previous = e.At;
        const double loss = e.Loss * kUnitsPerDb;
        if (e.Kind == eKind::End) {
            end = e.At;
            // Past the end only the receiver's noise is left: no slope.
            const double drop = t.NoiseFloor * kUnitsPerDb - level;
            builder.Step(e.At, drop).Slope(-slope, e.At);
            AddSpike(builder, e.At, drop + SpikeHeight(e.Reflectance) * kUnitsPerDb, pulsePoints);
        } else {
            if (e.Kind == eKind::Connector)
                AddSpike(builder, e.At, SpikeHeight(e.Reflectance) * kUnitsPerDb, pulsePoints);
            builder.Step(e.At, loss);
            level += loss;
        }
        builder.Event(e.At, e.Kind == eKind::Splice ? 0 : 1, QString::fromUtf8(e.Comment));
    }

    // The backscatter grows noisier as it weakens; the floor is all noise.
    builder.Noise(8.0, t.NoiseKey)
        .Noise(14.0, t.NoiseKey + 1, end * 0.5)
        .Noise(30.0, t.NoiseKey + 2, end * 0.8)
        .Noise(1200.0, t.NoiseKey + 3, end + 2.5 * pulsePoints * builder.Resolution());

    QSharedPointer<sor::CFile> file = builder.Build(path);

    sor::tFixedParameters fixed = *file->GetFixedParameters();
    fixed.DateTime = QDateTime(QDate(2026, 3, 12), QTime(10, 24, 0), Qt::UTC)
                         .addSecs(60 * qint64(t.NoiseKey % 97));
    fixed.BackscatterCoefficient.GetValue() = t.Backscatter;
    fixed.AveragingTime.GetValue() = 30;
    file->SetFixedParameters(fixed);

    sor::tGeneralParameters general = *file->GetGeneralParameters();
    general.CableId.SetValue(QString::fromUtf8(t.CableId));
    general.FiberId.SetValue(QString::fromUtf8(t.FiberId));
    general.OriginatingLocation.SetValue(QString::fromUtf8(t.From));
    general.TerminatingLocation.SetValue(QString::fromUtf8(t.To));
    general.CableCode.SetValue(QStringLiteral("SM G.652.D"));
    general.Operator.SetValue(QStringLiteral("Field team 2"));
    general.Comment.SetValue(QString::fromUtf8(t.Comment));
    file->SetGeneralParameters(general);

    sor::tSupplierParameters supplier = *file->GetSupplierParameters();
    supplier.SupplierName.SetValue(QStringLiteral("Veltramo"));
    supplier.MainframeId.SetValue(QStringLiteral("Sample traces"));
    // A revision whose end-to-end markers are 100-ps times, as the SOR
    // layout has them.
    supplier.SoftwareRevision.SetValue(QStringLiteral("2.0"));
    file->SetSupplierParameters(supplier);

    bc::tKeyEventList events = file->GetKeyEventList();
    for (size_t i = 0; i < events.size(); ++i) {
        const tSampleEvent& e = t.Events[i];
        sor::tKeyEvent& event = events[i];
        event.EventOrigin = e.Kind == eKind::End ? 2 : 3; // "E" end, "F" found
        event.LossTechnique = 1;                           // least squares
        event.EventLoss.GetValue() = float(e.Loss);
        event.Reflectance.GetValue() = e.Reflectance;
        event.AttenuationCoefficient.GetValue() = float(t.Attenuation);
    }
    file->SetKeyEventList(events);

    // What the instrument writes of the whole fibre: markers from its front
    // to its end, the loss between them and the return loss.
    const qint32 finish = qint32(std::lround(file->DistanceToTime(end) * 10.0));
    file->SetEndToEndMarkers(0, finish);
    file->SetEndToEndLoss(int(std::lround(TotalLoss(t, end) * 1000.0)));
    file->SetOpticalReturnLoss(int(std::lround(ReturnLoss(t, end) * 1000.0)), 0, finish);
    return file;
}

} // namespace

QStringList SampleFileNames()
{
    QStringList names;
    for (const tSampleTrace& t : Traces())
        names << QString::fromUtf8(t.FileName);
    return names;
}

void WriteSamples(const QString& folder)
{
    const QDir dir(folder);
    for (const tSampleTrace& t : Traces())
        BuildTrace(t, dir.filePath(QString::fromUtf8(t.FileName)))->Save();
}

} // namespace samples
