#pragma once

#include "sor/File.h"

#include <QString>
#include <QStringList>

// A loaded trace whose blocks can be read whole, so that a round trip
// is compared on every field rather than on counts.
class CComparableTrace : public sor::CFile
{
public:
    using sor::CFile::CFile;

    const bc::CGeneralParameters& General() const { return GeneralParameters; }
    const bc::CDataPoints& Points() const { return DataPoints; }
    const bc::CKeyEvents& Events() const { return KeyEvents; }
};

namespace tracediff {

class CDiff
{
public:
    template <class T>
    void Field(const char* name, const T& a, const T& b)
    {
        if (!(a == b))
            m_fields << QString::fromLatin1(name);
    }
    template <class T>
    void Value(const char* name, const T& a, const T& b)
    {
        Field(name, a.GetValue(), b.GetValue());
    }
    template <class T>
    void Text(const char* name, const T& a, const T& b)
    {
        Field(name, a.ToString(), b.ToString());
    }

    QString Result() const { return m_fields.join(QLatin1String(", ")); }

private:
    QStringList m_fields;
};

} // namespace tracediff

// The names of the fields in which two traces differ; empty when they agree
// in every record, sample, key event and map entry.
inline QString TraceDifference(CComparableTrace& a, CComparableTrace& b)
{
    tracediff::CDiff d;

    const bc::CGeneralParameters& ga = a.General();
    const bc::CGeneralParameters& gb = b.General();
    d.Field("LanguageCode", ga.LanguageCode, gb.LanguageCode);
    d.Text("CableId", ga.CableId, gb.CableId);
    d.Text("FiberId", ga.FiberId, gb.FiberId);
    d.Value("FiberType", ga.FiberType, gb.FiberType);
    d.Value("NominalWavelength", ga.NominalWavelength, gb.NominalWavelength);
    d.Text("OriginatingLocation", ga.OriginatingLocation, gb.OriginatingLocation);
    d.Text("TerminatingLocation", ga.TerminatingLocation, gb.TerminatingLocation);
    d.Text("CableCode", ga.CableCode, gb.CableCode);
    d.Field("CurrentDataFlag", ga.CurrentDataFlag, gb.CurrentDataFlag);
    d.Value("UserOffset", ga.UserOffset, gb.UserOffset);
    d.Value("UserOffsetDistance", ga.UserOffsetDistance, gb.UserOffsetDistance);
    d.Text("Operator", ga.Operator, gb.Operator);
    d.Text("Comment", ga.Comment, gb.Comment);

    const sor::tSupplierParameters& sa = *a.GetSupplierParameters();
    const sor::tSupplierParameters& sb = *b.GetSupplierParameters();
    d.Text("SupplierName", sa.SupplierName, sb.SupplierName);
    d.Text("MainframeId", sa.MainframeId, sb.MainframeId);
    d.Text("MainframeSerialNumber", sa.MainframeSerialNumber, sb.MainframeSerialNumber);
    d.Text("ModuleId", sa.ModuleId, sb.ModuleId);
    d.Text("ModuleSerialNumber", sa.ModuleSerialNumber, sb.ModuleSerialNumber);
    d.Text("SoftwareRevision", sa.SoftwareRevision, sb.SoftwareRevision);
    d.Text("Other", sa.Other, sb.Other);

    const sor::tFixedParameters& fa = *a.GetFixedParameters();
    const sor::tFixedParameters& fb = *b.GetFixedParameters();
    d.Field("DateTime", fa.DateTime, fb.DateTime);
    d.Field("DistanceUnit", fa.DistanceUnit, fb.DistanceUnit);
    d.Value("ActualWavelength", fa.ActualWavelength, fb.ActualWavelength);
    d.Value("AcquisitionOffset", fa.AcquisitionOffset, fb.AcquisitionOffset);
    d.Value("AcquisitionOffsetDistance", fa.AcquisitionOffsetDistance, fb.AcquisitionOffsetDistance);
    d.Field("ScaleFactor", fa.ScaleFactor, fb.ScaleFactor);
    d.Field("PulseWidths", fa.PulseWidths.size(), fb.PulseWidths.size());
    for (size_t i = 0; i < qMin(fa.PulseWidths.size(), fb.PulseWidths.size()); ++i) {
        d.Value("PulseWidths.PulseWidth", fa.PulseWidths[i].PulseWidth, fb.PulseWidths[i].PulseWidth);
        d.Value("PulseWidths.DataSpacing", fa.PulseWidths[i].DataSpacing, fb.PulseWidths[i].DataSpacing);
        d.Field("PulseWidths.DataPoints", fa.PulseWidths[i].DataPoints, fb.PulseWidths[i].DataPoints);
    }
    d.Value("PulseWidth", fa.PulseWidth, fb.PulseWidth);
    d.Value("DataSpacing", fa.DataSpacing, fb.DataSpacing);
    d.Value("GroupIndex", fa.GroupIndex, fb.GroupIndex);
    d.Value("BackscatterCoefficient", fa.BackscatterCoefficient, fb.BackscatterCoefficient);
    d.Value("NumberOfAverages", fa.NumberOfAverages, fb.NumberOfAverages);
    d.Value("AveragingTime", fa.AveragingTime, fb.AveragingTime);
    d.Value("AcquisitionRange", fa.AcquisitionRange, fb.AcquisitionRange);
    d.Value("AcquisitionRangeDistance", fa.AcquisitionRangeDistance, fb.AcquisitionRangeDistance);
    d.Value("FrontPanelOffset", fa.FrontPanelOffset, fb.FrontPanelOffset);
    d.Value("NoiseFloorLevel", fa.NoiseFloorLevel, fb.NoiseFloorLevel);
    d.Value("PowerOffset", fa.PowerOffset, fb.PowerOffset);
    d.Value("LossThreshold", fa.LossThreshold, fb.LossThreshold);
    d.Value("ReflThreshold", fa.ReflThreshold, fb.ReflThreshold);
    d.Value("EndThreshold", fa.EndThreshold, fb.EndThreshold);
    d.Field("TraceType", fa.TraceType, fb.TraceType);
    for (size_t i = 0; i < fa.WindowCoordinates.size(); ++i)
        d.Value("WindowCoordinates", fa.WindowCoordinates[i], fb.WindowCoordinates[i]);

    const bc::CKeyEvents& ea = a.Events();
    const bc::CKeyEvents& eb = b.Events();
    d.Field("KeyEvents", ea.GetKeyEventList(), eb.GetKeyEventList());
    d.Field("EndToEndLoss", ea.GetEndToEndLoss(), eb.GetEndToEndLoss());
    d.Field("EndToEndMarkerStart", ea.GetEndToEndMarkerStart(), eb.GetEndToEndMarkerStart());
    d.Field("EndToEndMarkerFinish", ea.GetEndToEndMarkerFinish(), eb.GetEndToEndMarkerFinish());
    d.Field("OpticalReturnLoss", ea.GetOpticalReturnLoss(), eb.GetOpticalReturnLoss());
    d.Field("ReturnLossMarkerStart", ea.GetReturnLossMarkerStart(), eb.GetReturnLossMarkerStart());
    d.Field("ReturnLossMarkerFinish", ea.GetReturnLossMarkerFinish(), eb.GetReturnLossMarkerFinish());

    const bc::CDataPoints& pa = a.Points();
    const bc::CDataPoints& pb = b.Points();
    d.Field("NumberOfPoints", pa.GetNumberOfPoints(), pb.GetNumberOfPoints());
    d.Field("Groups", pa.GetGroups().size(), pb.GetGroups().size());
    for (size_t i = 0; i < qMin(pa.GetGroups().size(), pb.GetGroups().size()); ++i) {
        d.Value("Groups.ScaleFactor", pa.GetGroups()[i].ScaleFactor, pb.GetGroups()[i].ScaleFactor);
        d.Field("Groups.Samples", pa.GetGroups()[i].Samples, pb.GetGroups()[i].Samples);
    }

    // Names, revisions and carried bytes; the byte counts are the save's own.
    const auto& ma = a.GetBlockMap().GetBlockInfos();
    const auto& mb = b.GetBlockMap().GetBlockInfos();
    d.Field("Map", ma.size(), mb.size());
    for (size_t i = 0; i < qMin(ma.size(), mb.size()); ++i) {
        d.Field("Map.Name", ma[i].GetName(), mb[i].GetName());
        d.Field("Map.Revision", ma[i].GetRevision(), mb[i].GetRevision());
        const auto& ua = ma[i].GetUserBlock();
        const auto& ub = mb[i].GetUserBlock();
        if (ua.GetData() && ub.GetData())
            d.Field("Map.Bytes",
                    QByteArray::fromRawData(reinterpret_cast<const char*>(ua.GetData()), int(ua.GetLength())),
                    QByteArray::fromRawData(reinterpret_cast<const char*>(ub.GetData()), int(ub.GetLength())));
        else
            d.Field("Map.Bytes", bool(ua.GetData()), bool(ub.GetData()));
    }
    return d.Result();
}
