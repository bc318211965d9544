#pragma once

#include "device/DeviceExchanger.h"

#include <memory>

struct tLineValues;

// The engine of the maker's newer reflectometers: keyed lists and remote
// settings in place of the configuration probe, lasers chosen by bit mask,
// and a folder tree on the instrument.
class CDeviceExchanger2 : public CDeviceExchanger
{
    Q_OBJECT

public:
    CDeviceExchanger2(IDeviceEvents* events, QWidget* parent);
    ~CDeviceExchanger2() override;

    int GetCapabilities() override;
    bool HasRealReflectance() override;
    QString GetName() override;
    QMap<int, float> MakeWaveLenBC(const QMap<int, float>& waveLenBC, float bc) override;

    // Where a file of the instrument goes below `workingFolder` (a canonical
    // path): straight into it, or below the instrument's folders without
    // their drive. Empty when the name would lead outside the folder.
    static QString LocalPath(const QString& workingFolder, const QString& devicePath, bool bKeepFolders);
    // The head of a trace frame: wavelength and pulse width swapped against
    // the dumps, the first point and the point count where the dumps keep
    // their first word and noise count.
    static tTraceBlockHeader ReadFrameHeader(float groupIndex, const QByteArray& frame);
    // Adds the folders and trace files of one listing to `parent`.
    static void ParseDirListing(const QString& listing, FInfo* parent);

protected:
    void DoEnumerate() override;
    void DoConnect() override;
    void DoMeasure(tCommandRes& res) override;
    void DoLoadAll(tCommandRes& res) override;
    void DoClearMemory() override;
    tReceivedFile LoadFile(const QString& devicePath, int size, bool bKeepFolders) override;
    void DoSetDateTime() override;
    void ReceiveParams() override;
    void SetParams(int waveLen) override;
    void SelectWaveLength(int waveLenMask) override;
    void Disconnecting() override;

    // Sends a command of this protocol (Latin-1) and waits up to timeoutMs
    // for its CR-terminated reply.
    QByteArray Exchange(const QString& command, int timeoutMs);
    // "mask,distance,pulse,averaging" as the instrument echoes its settings.
    tLineValues ExchangeConfiguration(const QString& command);

    // The root listing with every folder below it; null when the instrument
    // gives none.
    std::unique_ptr<FInfo> ReadRootDir();
    void ReadSubDirs(FInfo* node, int depth);
    // The frames of one run shown live until the instrument reports the stop.
    // False when nothing could be shown.
    bool ShowFrames(int waveLen, bool bRealtime, qint64 totalMs);
    // The user's laser choice back to the instrument after a measurement.
    void GiveLaserBack();
    // Names the files a command could not deliver, once it is over.
    void ReportMissing(const QStringList& devicePaths);

    // The instrument's folder tree, read once per connection.
    std::unique_ptr<FInfo> pFiles;
};
