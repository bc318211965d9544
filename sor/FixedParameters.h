#pragma once

#include "core/NumValue.h"
#include "sor/Code.h"
#include "sor/Stream.h"

#include <QDateTime>

#include <array>
#include <vector>

namespace sor {

// The acquisition settings of a trace.
struct tFixedParameters
{
    // One pulse width used by the acquisition and its sampling.
    struct tPulseWidthEntry
    {
        CType::NumValue<float, short, 1, 0> PulseWidth;
        CType::NumValue<double, qint32, 100000, 0> DataSpacing; // ns between points
        qint32 DataPoints = 0;
    };

    QDateTime DateTime;
    qint32 DistanceUnit = 0; // index into bc::GetDistanceUnitCodes()
    CType::NumValue<float, short, 10, 0> ActualWavelength;
    CType::NumValue<double, qint32, 10, 7> AcquisitionOffset;
    CType::NumValue<double, quint32, 10, 2> AcquisitionOffsetDistance;
    qint16 ScaleFactor = 1; // of the noise-floor level
    std::vector<tPulseWidthEntry> PulseWidths;
    // The values the rest of the program uses; they mirror PulseWidths[0].
    CType::NumValue<float, short, 1, 0> PulseWidth;
    CType::NumValue<double, qint32, 100000, 0> DataSpacing;
    CType::NumValueC<double, qint32, 120000, 160000, 100000, 0> GroupIndex;
    CType::NumValueC<float, short, 400, 900, -10, 0> BackscatterCoefficient;
    CType::NumValue<unsigned int, qint32, 1, 2> NumberOfAverages;
    CType::NumValue<unsigned int, unsigned short, 10, 2> AveragingTime;
    CType::NumValue<double, qint32, 10, 2> AcquisitionRange;
    CType::NumValue<double, qint32, 1000, 2> AcquisitionRangeDistance;
    CType::NumValue<double, qint32, 10, 2> FrontPanelOffset;
    CType::NumValue<double, unsigned short, -1000, 2> NoiseFloorLevel;
    CType::NumValue<float, unsigned short, 1000, 2> PowerOffset;
    CType::NumValue<float, unsigned short, 1000, 2> LossThreshold;
    CType::NumValue<float, unsigned short, -1000, 2> ReflThreshold;
    CType::NumValue<float, unsigned short, 1000, 2> EndThreshold;
    qint32 TraceType = 0; // index into bc::GetTraceTypeCodes()
    std::array<CType::NumValue<qint32, qint32, 1, 2>, 4> WindowCoordinates;

    // Compares only what the user can change in the information editor.
    bool operator!=(const tFixedParameters& other) const;
};

} // namespace sor

namespace bc {

// The "FxdParams" block.
class CFixedParameters : public IStream, public sor::tFixedParameters
{
public:
    void Stream(CFileStream& stream) override;
    void SetParameters(const sor::tFixedParameters& parameters);

private:
    void StreamPulseWidths(CFileStream& stream);
    void StreamNoiseFloor(CFileStream& stream);

    tReadCode m_readDistanceUnit;
    tReadCode m_readTraceType;
};

} // namespace bc
