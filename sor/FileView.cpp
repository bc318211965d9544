#include "sor/FileView.h"

#include "sor/RoundHalfUp.h"

#include <cmath>

namespace sor {

namespace {
const double kSpeedOfLight = 299792458.0;
}

double IFileView::GetLength() const
{
    return GetDataPointCount() * GetResolution();
}

quint16 IFileView::GetMaxDataPoint() const
{
    quint16 largest = 0;
    const int count = GetDataPointCount();
    for (int i = 0; i < count; ++i)
        largest = qMax(largest, GetDataPoint(i));
    return largest == 0 ? quint16(0xFFFF) : largest;
}

int IFileView::GetValueAt(double metres) const
{
    const int count = GetDataPointCount();
    if (count <= 0)
        return 0;
    const double b = metres / GetResolution();
    // A zero resolution or a position before the start must not index
    // outside the samples.
    if (!(b >= 0.0))
        return GetDataPoint(0);
    if (!(b < double(count - 1)))
        return GetDataPoint(count - 1);
    // Above 2^24 points the rounding through float can reach the last
    // index, so the bound is checked on the index itself.
    const int i = int(float(std::floor(b)));
    if (i >= count - 1)
        return GetDataPoint(count - 1);
    const float s = GetDataPoint(i);
    const float t = GetDataPoint(i + 1);
    const float v = float(s + (t - s) * (b - i));
    return bc::RoundHalfUp(v);
}

double IFileView::TimeToDistance(double) const
{
    return 0.0;
}

double TimeToDistance(double ns, double groupIndex)
{
    return ns * kSpeedOfLight / groupIndex / 1e9;
}

} // namespace sor
