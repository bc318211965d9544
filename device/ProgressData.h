#pragma once

#include "device/DeviceRecords.h"
#include "sor/FileView.h"

#include <QByteArray>
#include <QRect>

#include <vector>

// A live trace that exists only in memory: 4096 logarithmic samples decoded
// from an acquisition dump.
class CProgressData : public sor::IFileView
{
public:
    static constexpr int cSampleCount = 4096;

    CProgressData();
    // Decodes the words of a dump; throws EInternalError when the header or
    // the size cannot be trusted.
    CProgressData(const tTraceBlockHeader& header, const QByteArray& words);

    double GetResolution() const override { return resolution; }
    quint16 GetDataPoint(int n) const override;
    int GetDataPointCount() const override { return int(data.size()); }
    QRect GetViewRect() const override { return QRect(0, 0, 0, 0); }
    void SetViewRect(const QRect&) override {}

protected:
    double resolution = 1.0;
    std::vector<quint16> data;
};

// The live trace of the second protocol: 16-bit samples as the instrument
// computed them, from the frame's first point on. It keeps what its frame
// said; the default one is empty.
class CProgressData2 : public CProgressData
{
public:
    CProgressData2() = default;
    // Throws EInternalError when the header or the size cannot be trusted.
    CProgressData2(const tTraceBlockHeader& header, const QByteArray& samples);

    bool IsEmpty() const { return header.GroupIndex < 1.0f; }
    const tTraceBlockHeader& GetHeader() const { return header; }

protected:
    tTraceBlockHeader header;
};
