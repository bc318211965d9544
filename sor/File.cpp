#include "sor/File.h"

#include "core/Assert.h"
#include "sor/BlockNames.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace sor {

namespace {
const double kSpeedOfLight = 299792458.0;
}

CFile::CFile(const QString& path, int& warnings) : m_stream(path)
{
    Load(warnings);
}

CFile::CFile(const QString& path, int* warnings) : m_stream(path)
{
    int bits = 0;
    Load(bits);
    if (warnings)
        *warnings |= bits;
}

CFile::CFile(const QString& path, const tDeviceTrace& trace, const std::vector<quint16>& samples)
    : m_stream(path)
{
    const double spacing = trace.Resolution / 100000.0;
    const qint32 count = qint32(samples.size());

    FixedParameters.DateTime = QDateTime::currentDateTime();
    FixedParameters.DistanceUnit = 1;
    FixedParameters.ActualWavelength.GetValue() = float(trace.Wavelength);
    tFixedParameters::tPulseWidthEntry entry;
    entry.PulseWidth.GetValue() = float(trace.PulseWidth);
    entry.DataSpacing.GetValue() = spacing;
    entry.DataPoints = count;
    FixedParameters.PulseWidths.assign(1, entry);
    FixedParameters.ScaleFactor = 1;
    FixedParameters.PulseWidth.GetValue() = float(trace.PulseWidth);
    FixedParameters.DataSpacing.GetValue() = spacing;
    FixedParameters.GroupIndex.GetValue() = trace.GroupIndex;
    FixedParameters.NumberOfAverages.GetValue() = unsigned(trace.Averages);
    FixedParameters.AcquisitionRange.GetValue() = count * spacing;
    FixedParameters.BackscatterCoefficient.GetValue() = -80.0f;

    GeneralParameters.SetLanguage(6);
    GeneralParameters.CurrentDataFlag = 0;
    GeneralParameters.FiberType.GetValue() = 651;
    GeneralParameters.NominalWavelength.GetValue() = float(trace.Wavelength);

    DataPoints.SetNumberOfPoints(count);
    bc::CDataPoints::tDataPointsGroup group;
    group.ScaleFactor.GetValue() = 1.0f;
    group.Samples = samples;
    DataPoints.GetGroups().clear();
    DataPoints.GetGroups().push_back(std::move(group));

    auto& infos = BlockMap.GetBlockInfos();
    for (const char* name : {bc::GetBlockNameGenParams(), bc::GetBlockNameSupParams(),
                             bc::GetBlockNameFxdParams(), bc::GetBlockNameDataPts(),
                             bc::GetBlockNameCksum()})
        infos.emplace_back(name, 0);

    UpdateResolution();
    m_stream.SetVersion2(true);
    m_stream.ClearWarnings();
    m_bChanged = true;
}

CFile::~CFile() = default;

void CFile::Load(int& warnings)
{
    warnings |= m_stream.Load(*this);
    m_stream.ClearWarnings();
    UpdateResolution();
}

void CFile::Save()
{
    m_stream.Save(*this);
    SetChanged(false);
}

void CFile::SetFileName(const QString& newPath)
{
    const QString oldPath = m_stream.GetPath();
    m_stream.RenameTo(newPath);
    if (oldPath.isEmpty())
        Save();
}

bool CFile::CopyTo(const QString& destination, bool bNoOverwrite)
{
    return m_stream.CopyTo(destination, bNoOverwrite);
}

void CFile::SetChanged(bool bChanged)
{
    m_bChanged = bChanged;
    if (bChanged)
        UpdateResolution();
    emit sigFileChanged(bChanged);
}

QString CFile::GetShortFileName() const
{
    return QFileInfo(m_stream.GetPath()).fileName();
}

void CFile::SetGeneralParameters(const tGeneralParameters& parameters)
{
    // The language code lives outside the record and stays as loaded.
    static_cast<tGeneralParameters&>(GeneralParameters) = parameters;
    SetChanged(true);
}

void CFile::SetSupplierParameters(const tSupplierParameters& parameters)
{
    static_cast<tSupplierParameters&>(SupplierParameters) = parameters;
    SetChanged(true);
}

void CFile::SetFixedParameters(const tFixedParameters& parameters)
{
    FixedParameters.SetParameters(parameters);
    SetChanged(true);
}

void CFile::SetKeyEventList(const bc::tKeyEventList& events)
{
    KeyEvents.GetKeyEventList() = events;
    UpdateKeyEventsBlockInfo();
    SetChanged(true);
}

void CFile::SetEndToEndMarkers(int start, int finish)
{
    KeyEvents.SetEndToEndMarkers(start, finish);
    UpdateKeyEventsBlockInfo();
    SetChanged(true);
}

void CFile::SetEndToEndLoss(int loss)
{
    KeyEvents.SetEndToEndLoss(loss);
    UpdateKeyEventsBlockInfo();
    SetChanged(true);
}

void CFile::SetOpticalReturnLoss(int loss, int start, int finish)
{
    KeyEvents.SetOpticalReturnLoss(loss, start, finish);
    UpdateKeyEventsBlockInfo();
    SetChanged(true);
}

QTextCodec* CFile::GetTextCodec() const
{
    return bc::CFileStream::GetTextCodec(bc::CGeneralParameters::GetLanguageIndex(GeneralParameters.LanguageCode));
}

double CFile::DistanceToTime(double metres) const
{
    return metres * FixedParameters.GroupIndex.GetValue() * 1e9 / kSpeedOfLight;
}

const std::vector<quint16>& CFile::Samples() const
{
    static const std::vector<quint16> none;
    return DataPoints.GetGroups().empty() ? none : DataPoints.GetGroups().front().Samples;
}

quint16 CFile::GetDataPoint(int n) const
{
    const std::vector<quint16>& samples = Samples();
    if (n >= 0 && size_t(n) < samples.size())
        return samples[size_t(n)];
    const bc::CDataPoints& allDataPoints = DataPoints;
    QV_ASSERT(n<int(allDataPoints.GetDataPoints().size()));
    return 0;
}

int CFile::GetDataPointCount() const
{
    return int(Samples().size());
}

double CFile::TimeToDistance(double ns) const
{
    return sor::TimeToDistance(ns, FixedParameters.GroupIndex.GetValue());
}

void CFile::UpdateResolution()
{
    const double groupIndex = FixedParameters.GroupIndex.GetValue();
    // A group index of 0 only exists in a record nobody has filled yet.
    m_metresPerPoint = groupIndex > 0.0
        ? FixedParameters.DataSpacing.GetValue() * kSpeedOfLight / groupIndex / 1e9
        : 0.0;
}

quint16 CFile::GetMaxDataPoint() const
{
    if (!m_bMaxDataPointKnown) {
        const quint16 largest = bc::CDataPoints::LargestOf(Samples());
        m_maxDataPoint = largest == 0 ? quint16(0xFFFF) : largest;
        m_bMaxDataPointKnown = true;
    }
    return m_maxDataPoint;
}

} // namespace sor
