#pragma once

#include "core/NumValue.h"
#include "sor/Stream.h"

#include <QtGlobal>

#include <vector>

namespace bc {

class CFileStream;

// The "DataPts" block: the trace samples in one or more scale-factor groups.
class CDataPoints : public IStream
{
public:
    // One scale-factor group. The samples are held normalised to a scale
    // factor of 1.0 for the views; under any other factor the values read
    // from the file are kept alongside, so that an unchanged sample is
    // written back as it was stored instead of going through a lossy round
    // trip.
    class tDataPointsGroup : public IStream
    {
    public:
        tDataPointsGroup() = default;
        tDataPointsGroup(const tDataPointsGroup& other) = default;
        tDataPointsGroup& operator=(const tDataPointsGroup& other) = default;
        virtual ~tDataPointsGroup() = default;

        void Stream(CFileStream& stream) override;

        // Stored value to held sample, and held sample to stored value.
        static quint16 Normalise(quint16 stored, float scale);
        static quint16 Denormalise(quint16 sample, float scale);

        const std::vector<quint16>& GetStoredSamples() const { return m_storedSamples; }

        CType::NumValue<float, qint16, 1000, 5> ScaleFactor;
        std::vector<quint16> Samples;

    private:
        void ReadSamples(CFileStream& stream, qint32 count);
        void WriteSamples(CFileStream& stream);

        std::vector<quint16> m_storedSamples;
    };

    CDataPoints() = default;
    virtual ~CDataPoints() = default;

    void Stream(CFileStream& stream) override;

    static quint16 LargestOf(const std::vector<quint16>& samples);

    // The samples of the first group: the trace the program shows.
    const std::vector<quint16>& GetDataPoints() const;

    qint32 GetNumberOfPoints() const { return m_numberOfPoints; }
    void SetNumberOfPoints(qint32 count) { m_numberOfPoints = count; }
    std::vector<tDataPointsGroup>& GetGroups() { return m_groups; }
    const std::vector<tDataPointsGroup>& GetGroups() const { return m_groups; }

private:
    void ReadGroups(CFileStream& stream, qint16 count);

    qint32 m_numberOfPoints = 0;
    std::vector<tDataPointsGroup> m_groups;
};

} // namespace bc
