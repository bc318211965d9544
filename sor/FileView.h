#pragma once

#include <QRect>

namespace sor {

// The read-only view of a trace that the renderer draws: a loaded file or
// a trace still arriving from an instrument.
class IFileView
{
public:
    virtual double GetResolution() const = 0;           // metres per data point
    virtual quint16 GetDataPoint(int n) const = 0;      // 0.001 dB below the top
    virtual int GetDataPointCount() const = 0;
    virtual double GetLength() const;                    // metres
    virtual quint16 GetMaxDataPoint() const;             // 0xFFFF when all are 0
    virtual int GetValueAt(double metres) const;         // interpolated sample
    virtual QRect GetViewRect() const = 0;
    virtual void SetViewRect(const QRect& rect) = 0;
    virtual double TimeToDistance(double ns) const;
    virtual ~IFileView() = default;
};

// Metres travelled in `ns` nanoseconds in a fibre of the given group index.
double TimeToDistance(double ns, double groupIndex);

} // namespace sor
