#pragma once

#include "device/DeviceExchanger.h"

#include <QElapsedTimer>

// The engine of the third protocol: the first protocol's commands, found at
// the high rate only and paced for instruments that need quiet between
// commands.
class CDeviceExchanger3 : public CDeviceExchanger
{
    Q_OBJECT

public:
    CDeviceExchanger3(IDeviceEvents* events, QWidget* parent);
    ~CDeviceExchanger3() override;

    int GetCapabilities() override;
    bool HasRealReflectance() override;
    QString GetName() override;
    QMap<int, float> MakeWaveLenBC(const QMap<int, float>& waveLenBC, float bc) override;

protected:
    void DoEnumerate() override;
    void DoConnect() override;
    void DoMeasure(tCommandRes& res) override;
    void DoSetDateTime() override;
    void ReceiveParams() override;
    void SetParams(int waveLen) override;
    void SelectWaveLength(int waveLenMask) override;
    void Disconnecting() override;

private:
    // The dumps of one acquisition shown live until its deadline or its end.
    void ShowDumps(int waveLen, qint64 deadlineMs, const QElapsedTimer& stopwatch);
};
