#pragma once

#include "device/DeviceExchanger.h"

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

protected:
    void DoEnumerate() override;
    void DoConnect() override;
    void DoClearMemory() override;
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

    // The instrument's folder tree, read once per connection.
    FInfo* pFiles = nullptr;
};
