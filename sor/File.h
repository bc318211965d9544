#pragma once

#include "sor/Bellcore.h"
#include "sor/FileStream.h"
#include "sor/FileView.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <vector>

namespace sor {

// A trace as the instrument hands it over, before it becomes a file.
struct tDeviceTrace
{
    float GroupIndex = 0;
    qint32 Resolution = 0; // data spacing in ns x 100000
    qint32 Averages = 0;
    qint32 PulseWidth = 0;
    qint32 Wavelength = 0;
};

// One trace in memory: a whole SOR file with its path, its own stream (so
// that code page, layout and empty-text rule carry over from load to save),
// a changed flag and the view window the plot last showed.
class CFile : public QObject, public IFileView, public bc::CBellcore
{
    Q_OBJECT

public:
    // Loads the file; ORs the load warning bits into `warnings`.
    CFile(const QString& path, int& warnings);
    CFile(const QString& path, int* warnings);
    // A new trace from a measurement; nothing touches the disk until Save.
    CFile(const QString& path, const tDeviceTrace& trace, const std::vector<quint16>& samples);
    ~CFile() override;

    void Save();
    void SetFileName(const QString& newPath);
    bool CopyTo(const QString& destination, bool bNoOverwrite);

    bool IsChanged() const { return m_bChanged; }
    void SetChanged(bool bChanged);

    QString GetFileName() const { return m_stream.GetPath(); }
    QString GetShortFileName() const;
    bool IsVersion2() const { return m_stream.IsVersion2(); }
    // The codec a save writes the texts with, chosen by the file's language.
    QTextCodec* GetTextCodec() const;

    tGeneralParameters* GetGeneralParameters() { return &GeneralParameters; }
    tSupplierParameters* GetSupplierParameters() { return &SupplierParameters; }
    tFixedParameters* GetFixedParameters() { return &FixedParameters; }
    bc::CKeyEvents* GetKeyEvents() { return &KeyEvents; }
    tCustomQWMXR01* GetCustomQWMXR01() { return &QWMXR01; }
    const bc::tKeyEventList& GetKeyEventList() const { return KeyEvents.GetKeyEventList(); }
    // Writable in place: neither marks the file changed nor signals; the
    // cursor set edits the live event through it and restores it on cancel.
    bc::tKeyEventList& GetKeyEventList() { return KeyEvents.GetKeyEventList(); }

    void SetGeneralParameters(const tGeneralParameters& parameters);
    void SetSupplierParameters(const tSupplierParameters& parameters);
    void SetFixedParameters(const tFixedParameters& parameters);
    void SetKeyEventList(const bc::tKeyEventList& events);
    void SetEndToEndMarkers(int start, int finish);
    void SetEndToEndLoss(int loss);
    // loss in 0.001 dB (0 to 65535) between the two markers.
    void SetOpticalReturnLoss(int loss, int start, int finish);

    double GetMetresPerPoint() const { return GetPointDistance(1); }
    double GetPointDistance(int n) const { return n * m_metresPerPoint; }
    // Propagation time in ns of a distance: the inverse of TimeToDistance.
    double DistanceToTime(double metres) const;

    double GetResolution() const override { return m_metresPerPoint; }
    quint16 GetDataPoint(int n) const override;
    int GetDataPointCount() const override;
    quint16 GetMaxDataPoint() const override;
    QRect GetViewRect() const override { return m_viewRect; }
    void SetViewRect(const QRect& rect) override { m_viewRect = rect; }
    double TimeToDistance(double ns) const override;

signals:
    void sigFileChanged(bool bChanged);

private:
    void Load(int& warnings);
    void UpdateResolution();
    // The first group's samples: the trace the program shows.
    const std::vector<quint16>& Samples() const;

    QRect m_viewRect{0, 0, 0, 0};
    double m_metresPerPoint = 0.0;
    // Found on first use: a folder refresh loads and drops files that are
    // never drawn. The samples do not change after load or construction.
    mutable quint16 m_maxDataPoint = 0;
    mutable bool m_bMaxDataPointKnown = false;
    bool m_bChanged = false;
    bc::CFileStream m_stream;
};

} // namespace sor
