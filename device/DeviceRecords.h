#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSharedPointer>
#include <QString>

class IDeviceConnector;

// An instrument as the user sees and selects it.
struct tDeviceInfo
{
    QString port;
    // Port, model, " s/n ", serial, '_' and firmware version.
    QString description;
};

// An instrument that answered during a search. Its connector stays open until
// the instrument is connected or the list is cleared.
struct tFoundDevice : tDeviceInfo
{
    int baudRate = 0;
    QSharedPointer<IDeviceConnector> connector;
    QString model;
    QString serial;
    QString version;
};

// The measurement parameters sent to an instrument.
struct tDeviceParams
{
    int LineLen = -1;
    int PulseWidth = -1;
    // -1 stands for the realtime view.
    int AverageTime = -1;
    QList<int> WaveLenNm;
    int SelectedWaveLen = -1;
    QMap<int, float> WaveLenGI;
    QMap<int, float> WaveLenBC;
    int EventsEnabled = 0;
    double LossThreshold = 0.0;
    int ReflThreshold = 0;
    float ReflThresholdValue = 0.0f;
    double EndThreshold = 0.0;

    // The backscatter coefficients and the real reflectance threshold are
    // the user's own choice and outlive a reset.
    void Reset();
};

// What an instrument offers, as the device panel sees it.
struct tDeviceEnumsPublic
{
    QList<int> LineLen;
    QList<int> PulseWidth;
    QList<int> AverageTime;
    QList<int> WaveLenNm;
    // The flag bit of each entry of WaveLenNm, at the same position.
    QList<int> WaveLenBits;
    QMap<int, int> WaveLenFlag;
};

// The offer with the instrument's own indexes of each value.
struct tDeviceEnums : tDeviceEnumsPublic
{
    QMap<int, int> mLineLen;
    QMap<int, int> mPulseWidth;
    QMap<int, int> mAverageTime;
    QMap<int, int> mWaveLen;

    // Leaves WaveLenFlag alone: the panel keeps using it between connections.
    void Clear();
};

// The 24-byte little-endian head of a raw trace block, with the group index
// that the caller knows.
struct tTraceBlockHeader
{
    float GroupIndex = 0.0f;
    quint32 Spacing = 0;
    quint32 Averages = 0;
    quint32 PulseWidth = 0;
    quint32 WaveLength = 0;
    quint32 FirstWord = 0;
    quint32 NoiseCount = 0;
    quint32 WordCount = 0;

    static constexpr int cSize = 24;

    // Clears the record and reads the fields from the start of `bytes`;
    // fields past the end of a short array read 0 (and are logged).
    void Read(float groupIndex, const QByteArray& bytes);
};

// Little-endian reads; a read past the end of the array logs the failed
// check and returns 0.
qint32 ReadInt16LE(const QByteArray& bytes, int offset);
qint32 ReadInt32LE(const QByteArray& bytes, int offset);
