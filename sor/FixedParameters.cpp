#include "sor/FixedParameters.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/Code.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

namespace sor {

bool tFixedParameters::operator!=(const tFixedParameters& other) const
{
    return DateTime != other.DateTime
        || ActualWavelength.GetValue() != other.ActualWavelength.GetValue()
        || AcquisitionOffset.GetValue() != other.AcquisitionOffset.GetValue()
        || GroupIndex.GetValue() != other.GroupIndex.GetValue()
        || AcquisitionRange.GetValue() != other.AcquisitionRange.GetValue()
        || PulseWidth.GetValue() != other.PulseWidth.GetValue()
        || NumberOfAverages.GetValue() != other.NumberOfAverages.GetValue()
        || BackscatterCoefficient.GetValue() != other.BackscatterCoefficient.GetValue()
        || LossThreshold.GetValue() != other.LossThreshold.GetValue()
        || ReflThreshold.GetValue() != other.ReflThreshold.GetValue()
        || EndThreshold.GetValue() != other.EndThreshold.GetValue();
}

} // namespace sor

namespace bc {

namespace {

const size_t kMaxPulseWidths = 32767;

} // namespace

void CFixedParameters::SetParameters(const sor::tFixedParameters& parameters)
{
    sor::tFixedParameters::operator=(parameters);
}

void CFixedParameters::Stream(CFileStream& stream)
{
    if (stream.IsWriting() && PulseWidths.empty())
        throw EInternalError({tErrorCode(kBlockSource, 280)});
    const bool bVersion2 = stream.IsVersion2();

    BlockStep(282, [&] { stream.CheckBlockName(GetBlockNameFxdParams()); });
    BlockStep(283, [&] { stream.ExchangeDateTime(DateTime); });
    BlockStep(284, [&] { stream.ExchangeCode(GetDistanceUnitCodes(), DistanceUnit, m_readDistanceUnit); });
    BlockStep(285, [&] { stream.ExchangeObject(ActualWavelength); });
    BlockStep(286, [&] { stream.ExchangeObject(AcquisitionOffset); });
    if (bVersion2)
        BlockStep(289, [&] { stream.ExchangeObject(AcquisitionOffsetDistance); });

    StreamPulseWidths(stream);

    BlockStep(321, [&] { stream.ExchangeObject(GroupIndex); });
    BlockStep(322, [&] { stream.ExchangeObject(BackscatterCoefficient); });
    BlockStep(323, [&] { stream.ExchangeObject(NumberOfAverages); });
    if (bVersion2)
        BlockStep(326, [&] { stream.ExchangeObject(AveragingTime); });
    BlockStep(328, [&] { stream.ExchangeObject(AcquisitionRange); });
    if (bVersion2)
        BlockStep(331, [&] { stream.ExchangeObject(AcquisitionRangeDistance); });
    BlockStep(333, [&] { stream.ExchangeObject(FrontPanelOffset); });

    StreamNoiseFloor(stream);

    BlockStep(353, [&] { stream.ExchangeObject(PowerOffset); });
    BlockStep(354, [&] { stream.ExchangeObject(LossThreshold); });
    BlockStep(355, [&] { stream.ExchangeObject(ReflThreshold); });
    BlockStep(356, [&] { stream.ExchangeObject(EndThreshold); });
    if (bVersion2) {
        BlockStep(360, [&] { stream.ExchangeCode(GetTraceTypeCodes(), TraceType, m_readTraceType); });
        for (size_t i = 0; i < WindowCoordinates.size(); ++i)
            BlockStep(361 + qint32(i), [&] { stream.ExchangeObject(WindowCoordinates[i]); });
    }
}

void CFixedParameters::StreamPulseWidths(CFileStream& stream)
{
    if (stream.IsWriting()) {
        PulseWidths[0].PulseWidth.GetValue() = PulseWidth.GetValue();
        PulseWidths[0].DataSpacing.GetValue() = DataSpacing.GetValue();
        if (PulseWidths.size() > kMaxPulseWidths)
            throw EInternalError({tErrorCode(kBlockSource, 305)});
    }
    qint16 count = qint16(PulseWidths.size());
    BlockStep(299, [&] { stream.Exchange(count); });
    if (count <= 0) {
        if (stream.IsReading())
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 303)});
        throw EInternalError({tErrorCode(kBlockSource, 305)});
    }
    PulseWidths.resize(size_t(count));

    // Three runs, as the format lays them out: widths, spacings, counts.
    for (tPulseWidthEntry& entry : PulseWidths)
        BlockStep(310, [&] { stream.ExchangeObject(entry.PulseWidth); });
    for (tPulseWidthEntry& entry : PulseWidths)
        BlockStep(312, [&] { stream.ExchangeObject(entry.DataSpacing); });
    for (tPulseWidthEntry& entry : PulseWidths)
        BlockStep(314, [&] { stream.Exchange(entry.DataPoints); });

    if (stream.IsReading()) {
        PulseWidth.GetValue() = PulseWidths[0].PulseWidth.GetValue();
        DataSpacing.GetValue() = PulseWidths[0].DataSpacing.GetValue();
    }
}

// The file holds the level divided by the factor, so that levels below
// what the stored field can hold still fit; the record holds the level.
void CFixedParameters::StreamNoiseFloor(CFileStream& stream)
{
    if (stream.IsReading())
        ScaleFactor = 1;
    else if (ScaleFactor == 0)
        ScaleFactor = 1;
    decltype(NoiseFloorLevel) stored(NoiseFloorLevel.GetValue() / ScaleFactor);
    BlockStep(348, [&] { stream.ExchangeObject(stored); });
    BlockStep(349, [&] { stream.Exchange(ScaleFactor); });
    if (stream.IsReading())
        NoiseFloorLevel.GetValue() = ScaleFactor * stored.GetValue();
}

} // namespace bc
