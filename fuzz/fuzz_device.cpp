// libFuzzer target: every input is what an instrument might send. It goes to
// the reply parsers, the block reader, the dump and frame conversions and the
// folder listing. A bad reply must end in the project's own exceptions; a
// file path built from a listed name must stay inside the working folder and
// hold no control character.
#include "core/Codec.h"
#include "core/Exception.h"
#include "device/DeviceExchanger.h"
#include "device/DeviceExchanger2.h"
#include "device/FInfo.h"
#include "device/ProgressData.h"
#include "device/ReceivedFile.h"
#include "device/ReplyParsers.h"

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QTextCodec>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void finding(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "instrument input: %s %s\n", what, qPrintable(ShownName(detail)));
    std::abort();
}

// Hands the input over in chunks of a chosen size, then reports an empty
// line at once, so that the block reader never waits.
class CInputConnector : public IDeviceConnector
{
public:
    void Feed(const QByteArray& bytes, int chunk)
    {
        pending = bytes;
        chunkSize = qMax(chunk, 1);
    }
    bool Connect(const QString&, int, const tLineStates*) override { return true; }
    QString GetPortName() override { return QStringLiteral("fuzz"); }
    QStringList EnumeratePorts() override { return {}; }
    void Disconnect() override {}
    void Send(const QByteArray&) override {}
    bool HasData() override { return true; }
    QByteArray Receive() override
    {
        const QByteArray chunk = pending.left(chunkSize);
        pending.remove(0, chunk.size());
        return chunk;
    }
    bool IsConnected() override { return true; }

private:
    QByteArray pending;
    int chunkSize = 1;
};

// The block reader with the input on its line, called on this thread: it
// needs no more than the connector.
class CBlockReader : public CDeviceExchanger
{
public:
    CBlockReader() : CDeviceExchanger(nullptr, nullptr), input(new CInputConnector)
    {
        connector = input;
    }

    // `mode` chooses the bounds (bits 0 to 2), whether a plain reply is
    // taken (bit 3), the chunk size (bits 4 to 6) and an old firmware that
    // counts the block's head in its length (bit 7; else `device`).
    void Read(const QByteArray& bytes, quint8 mode, const tFoundDevice& device)
    {
        overData.clear();
        const bool bOld = mode & 0x80;
        selectedDevice.model = bOld ? QStringLiteral("M-7x") : device.model;
        selectedDevice.version = bOld ? QStringLiteral("4.4a(498)") : device.version;
        input->Feed(bytes, 1 + ((mode >> 4) & 0x07));
        const int minSize = 1 + (mode & 0x03) * 8;
        const int maxSize = (mode & 0x04) ? 64 : 0;
        const bool bAsResponse = mode & 0x08;
        for (int call = 0; call < 2; ++call) {
            QByteArray out;
            try {
                if (DownloadData(out, minSize, 1, maxSize, -1, bAsResponse, false)
                    && (out.size() < minSize || (maxSize && out.size() > maxSize)))
                    finding("a block outside its bounds was taken");
            } catch (const Exception&) {
            }
        }
    }

private:
    QSharedPointer<CInputConnector> input;
};

std::unique_ptr<QTemporaryDir> g_dir;
CBlockReader* g_reader = nullptr;

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

template <class F>
void Parse(F&& step)
{
    try {
        step();
    } catch (const Exception&) {
    }
}

// The input's bytes repeated to `size`, as the words of a whole dump.
QByteArray Tiled(const QByteArray& bytes, int size)
{
    if (bytes.isEmpty())
        return QByteArray(size, '\0');
    QByteArray tiled;
    tiled.reserve(size);
    while (tiled.size() < size)
        tiled += bytes.left(size - tiled.size());
    return tiled;
}

void ConvertDump(const QByteArray& input, float groupIndex, int words)
{
    tTraceBlockHeader header;
    header.Read(groupIndex, input.left(tTraceBlockHeader::cSize).leftJustified(tTraceBlockHeader::cSize, '\0'));
    if (header.NoiseCount == 0)
        header.NoiseCount = 1;
    Parse([&] {
        const CProgressData trace(header, Tiled(input.mid(tTraceBlockHeader::cSize), words * 4));
        if (trace.GetDataPointCount() != CProgressData::cSampleCount || !std::isfinite(trace.GetResolution()))
            finding("a dump converted to a trace out of shape");
    });
}

void ConvertFrame(const QByteArray& input, float groupIndex)
{
    const tTraceBlockHeader header = CDeviceExchanger2::ReadFrameHeader(groupIndex, input);
    Parse([&] {
        const CProgressData2 trace(header, input.mid(tTraceBlockHeader::cSize));
        if (trace.GetDataPointCount() != qint64(header.NoiseCount) - header.FirstWord)
            finding("a frame converted to the wrong number of points");
    });
}

void CheckLocalPaths(const FInfo* node, const QString& root)
{
    for (const FInfo* child : node->children) {
        CheckLocalPaths(child, root);
        if (child->isFolder)
            continue;
        const QString devicePath = child->GetFullPath();
        for (const bool bKeep : {false, true}) {
            const QString local = CDeviceExchanger2::LocalPath(root, devicePath, bKeep);
            if (local.isEmpty())
                continue;
            if (!local.startsWith(root + QLatin1Char('/')) || QDir::cleanPath(local) != local)
                finding("a listed name leads out of the working folder:", devicePath + " -> " + local);
            if (HasControlCharacter(local))
                finding("a listed name keeps a control character:", devicePath + " -> " + local);
        }
    }
}

void ReadListing(const QByteArray& input)
{
    const QString text = GetLocaleCodec()->toUnicode(input);
    const QStringList words = text.section(QLatin1Char('\n'), 0, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    FInfo root(nullptr);
    root.isFolder = 1;
    root.name = words.size() >= 2 ? words.at(1) : QStringLiteral("0:");
    CDeviceExchanger2::ParseDirListing(text, &root);
    // The same listing one folder down, as a folder's own listing.
    for (FInfo* child : root.children)
        if (child->isFolder) {
            CDeviceExchanger2::ParseDirListing(text, child);
            break;
        }
    CheckLocalPaths(&root, QDir(g_dir->path()).canonicalPath());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler(Quiet);
    g_dir = std::make_unique<QTemporaryDir>();
    // Reachable until exit: the engine's shutdown needs a thread of its own.
    g_reader = new CBlockReader;
    return g_dir->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 1 << 20)));
    const QString latin = QString::fromLatin1(input);
    const quint8 mode = input.isEmpty() ? 0 : quint8(input.at(0));

    Parse([&] {
        const tCfgReply r = CDeviceExchanger::ParseCfgReply(latin);
        if (r.LineLen < 0 || r.PulseWidth < 0 || r.AverageTime < 0 || r.WaveLen < 0)
            finding("a configuration reply read a negative number:", latin);
        if (!(r.GI >= 1.4f && r.GI <= 1.6f))
            finding("a configuration reply read a group index out of its range:", latin);
    });
    Parse([&] {
        tLineValues values;
        ParseLine(latin, values);
    });
    const QString header = latin.section(QLatin1Char('\n'), 0, 0);
    Parse([&] {
        QList<int> list;
        ParseIntList(latin, list, header, mode & 1);
    });
    Parse([&] {
        QList<float> list;
        ParseFloatList(latin, list, header, mode & 1);
        for (float v : list)
            if (std::isnan(v))
                finding("a list reply read NaN:", latin);
    });
    Parse([&] { DigitsOnly(latin, 1, 2); });
    qint64 seconds = -1;
    if (ReadSeconds(input.left(input.indexOf('\r')), &seconds) && (seconds < 0 || seconds > Q_INT64_C(999999999999)))
        finding("seconds out of their twelve digits:", QString::number(seconds));

    tFoundDevice device;
    Parse([&] { device = CDeviceExchanger::ReceiveInfo(input, QStringLiteral("fuzz")); });
    CDeviceExchanger::IsFirmwareOutdated(device.version);
    g_reader->Read(input.mid(1), mode, device);

    const float groupIndex = 1.0f + float(mode) / 128.0f;
    // The first protocol's dump has 4608 words, the third protocol's 5600.
    ConvertDump(input, groupIndex, 4608);
    ConvertDump(input, groupIndex, 5600);
    ConvertFrame(input, groupIndex);

    ReadListing(input);
    return 0;
}
