#include "sor/BlockNames.h"
#include "sor/File.h"
#include "support/LogCatcher.h"
#include "support/SingleBlock.h"
#include "support/SorImage.h"
#include "support/TraceDiff.h"
#include "support/Throws.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <random>

namespace {

const double kMetresPerPointAt10ns = 10 * 299792458.0 / 1.5 / 1e9;

QByteArray blockBytes(bc::IStream& block, bool bVersion2)
{
    return SingleBlock(block, bVersion2).Save();
}

QByteArray rawBlock(const char* name, const QByteArray& payload, bool bVersion2)
{
    return bVersion2 ? QByteArray(name) + '\0' + payload : payload;
}

sor::tKeyEvent makeEvent(unsigned number, double time, const char* comment)
{
    sor::tKeyEvent event;
    event.Number.GetValue() = number;
    event.PropagationTime.GetValue() = time;
    event.EventLoss.GetValue() = 0.25f;
    event.Reflectance.GetValue() = -45.5;
    event.EventType = 1;
    event.EventOrigin = 3;
    event.Comment.FromString(comment);
    return event;
}

// Every block kind the program knows, plus raw ones it only carries.
QList<tFixtureBlock> fixtureBlocks(bool bVersion2, int sampleCount = 100)
{
    bc::CGeneralParameters general;
    general.CableId.FromString("Cable 7");
    general.FiberId.FromString("F2");
    general.FiberType.GetValue() = 652;
    general.NominalWavelength.GetValue() = 1550;
    general.Operator.FromString("Technician");

    bc::CSupplierParameters supplier;
    supplier.SupplierName.FromString("Maker");
    supplier.MainframeId.FromString("R-100");

    bc::CFixedParameters fixed;
    fixed.DateTime = QDateTime(QDate(2024, 3, 5), QTime(14, 7), Qt::UTC);
    fixed.ActualWavelength.GetValue() = 1550;
    sor::tFixedParameters::tPulseWidthEntry entry;
    entry.PulseWidth.GetValue() = 100;
    entry.DataSpacing.GetValue() = 10;
    entry.DataPoints = sampleCount;
    fixed.PulseWidths.assign(1, entry);
    fixed.PulseWidth.GetValue() = 100;
    fixed.DataSpacing.GetValue() = 10;
    fixed.GroupIndex.GetValue() = 1.4682;
    fixed.BackscatterCoefficient.GetValue() = -80;
    fixed.NumberOfAverages.GetValue() = 100;

    bc::CKeyEvents events;
    events.GetKeyEventList() = {makeEvent(1, 0, ""), makeEvent(2, 5000, "splice")};

    bc::CDataPoints points;
    bc::CDataPoints::tDataPointsGroup group;
    group.ScaleFactor.GetValue() = 1.0f;
    for (int i = 0; i < sampleCount; ++i)
        group.Samples.push_back(quint16(1000 + 7 * i));
    points.GetGroups().assign(1, group);
    points.SetNumberOfPoints(sampleCount);

    bc::CBlockQWMXR01 custom1;
    custom1.lDistToTheLeftMarker_cm.GetValue() = -150;
    bc::CBlockQWMXR02 custom2;

    return {
        {"GenParams", blockBytes(general, bVersion2)},
        {"SupParams", blockBytes(supplier, bVersion2)},
        {"FxdParams", blockBytes(fixed, bVersion2)},
        {"KeyEvents", blockBytes(events, bVersion2)},
        {"LnkParams", rawBlock("LnkParams", QByteArray::fromHex("0100ABCDEF"), bVersion2)},
        {"QWMXR01", blockBytes(custom1, bVersion2)},
        {"QWMXR02", blockBytes(custom2, bVersion2)},
        {"Xyz", rawBlock("Xyz", QByteArray("\x01\x02\x03", 3), bVersion2), 205},
        {"DataPts", blockBytes(points, bVersion2)},
    };
}

QStringList entryNames(const sor::CFile& file)
{
    QStringList names;
    for (const bc::CBlockInfo& info : file.GetBlockMap().GetBlockInfos())
        names << QString::fromStdString(info.GetName());
    return names;
}

// A trace of the given samples at 0.5 m per point, for the shared view rules.
class FakeView : public sor::IFileView
{
public:
    explicit FakeView(std::vector<quint16> samples) : m_samples(std::move(samples)) {}
    double GetResolution() const override { return 0.5; }
    quint16 GetDataPoint(int n) const override { return m_samples[size_t(n)]; }
    int GetDataPointCount() const override { return int(m_samples.size()); }
    QRect GetViewRect() const override { return {}; }
    void SetViewRect(const QRect&) override {}

private:
    std::vector<quint16> m_samples;
};

// A trace of any length that holds no samples: each reads as its index
// modulo 1000, and a read past the end is remembered.
class CountingView : public sor::IFileView
{
public:
    explicit CountingView(int count) : m_count(count) {}
    double GetResolution() const override { return 1.0; }
    quint16 GetDataPoint(int n) const override
    {
        if (n < 0 || n >= m_count)
            bOutside = true;
        return quint16(n % 1000);
    }
    int GetDataPointCount() const override { return m_count; }
    QRect GetViewRect() const override { return {}; }
    void SetViewRect(const QRect&) override {}

    mutable bool bOutside = false;

private:
    int m_count;
};

std::vector<quint16> rampSamples(int count)
{
    std::vector<quint16> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back(quint16(20000 + i));
    return samples;
}

sor::tDeviceTrace deviceTrace()
{
    sor::tDeviceTrace trace;
    trace.GroupIndex = 1.5f;
    trace.Resolution = 1000000;
    trace.Averages = 100;
    trace.PulseWidth = 1000;
    trace.Wavelength = 1550;
    return trace;
}

} // namespace

class TestSorFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savesLoadedFileUnchanged_data();
    void savesLoadedFileUnchanged();
    void savesWhatLoads_data();
    void savesWhatLoads();
    void computesCrc16();
    void reportsChecksumWarnings_data();
    void reportsChecksumWarnings();
    void reportsTrailsOfDamagedFiles_data();
    void reportsTrailsOfDamagedFiles();
    void buildsTraceFromMeasurement();
    void findsLargestLoadedSample_data();
    void findsLargestLoadedSample();
    void settersMarkFileChanged_data();
    void settersMarkFileChanged();
    void keepsKeyEventsEntryInStep();
    void sharesViewRules();
    void guardsEmptyTrace();
    void refusesEveryTruncation_data();
    void refusesEveryTruncation();
    void loadsOrRefusesMutatedFiles_data();
    void loadsOrRefusesMutatedFiles();
    void renamesAndSavesUnderNewName();
    void readsForeignFiles_data();
    void readsForeignFiles();
    void agreesWithReferenceDumps_data();
    void agreesWithReferenceDumps();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString write(const QString& name, const QByteArray& bytes)
    {
        WriteFileBytes(path(name), bytes);
        return path(name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LogCatcher> m_log;
};

void TestSorFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_log = std::make_unique<LogCatcher>();
}

void TestSorFile::cleanup()
{
    m_log.reset();
    m_dir.reset();
}

void TestSorFile::savesLoadedFileUnchanged_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::newRow("later layout") << true;
    QTest::newRow("earlier layout") << false;
}

void TestSorFile::savesLoadedFileUnchanged()
{
    QFETCH(bool, bVersion2);
    const QByteArray image = BuildSorImage(bVersion2, fixtureBlocks(bVersion2));
    const QString file = write("fixture.sor", image);

    int warnings = 0;
    sor::CFile trace(file, warnings);
    QCOMPARE(warnings, 0);
    QCOMPARE(trace.IsVersion2(), bVersion2);
    QVERIFY(!trace.IsChanged());
    QCOMPARE(trace.GetKeyEventList().size(), size_t(2));
    QCOMPARE(trace.GetKeyEventList()[1].Comment.ToString(), QString("splice"));
    QCOMPARE(trace.GetGeneralParameters()->CableId.ToString(), QString("Cable 7"));
    QCOMPARE(trace.GetDataPointCount(), 100);
    QCOMPARE(trace.GetDataPoint(99), quint16(1000 + 7 * 99));

    QSignalSpy changed(&trace, &sor::CFile::sigFileChanged);
    trace.Save();
    QCOMPARE(ReadFileBytes(file), image);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toBool(), false);
}

// Traces that load must save, reload to equal records and re-save to the
// same bytes; where the file was already what a save writes, the first save
// gives it back byte for byte.
void TestSorFile::savesWhatLoads_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<bool>("bSavedAsLoaded");

    const QString cyrillic = QString::fromUtf8("АБВГДЕЖЗИКЛМНОПР");
    auto supplierFirst = [&](const char* language) {
        QList<tFixtureBlock> blocks = fixtureBlocks(true);
        bc::CGeneralParameters general;
        general.LanguageCode = tCode(language);
        general.CableId.FromString("Cable 7");
        general.FiberType.GetValue() = 652;
        general.NominalWavelength.GetValue() = 1550;
        blocks[0].Bytes = blockBytes(general, true);
        bc::CSupplierParameters supplier;
        supplier.SupplierName.FromString(cyrillic);
        blocks[1].Bytes = blockBytes(supplier, true);
        blocks.swapItemsAt(0, 1);
        return BuildSorImage(true, blocks);
    };

    QList<tFixtureBlock> zeroBlock = fixtureBlocks(true);
    zeroBlock.insert(4, {"Empty", QByteArray()});
    QTest::newRow("unknown block of 0 bytes") << BuildSorImage(true, zeroBlock) << 0 << true;

    QList<tFixtureBlock> zeroChecksum = fixtureBlocks(false);
    zeroChecksum.append({"Cksum", QByteArray()});
    QTest::newRow("checksum entry of 0 bytes") << BuildSorImage(false, zeroChecksum, false) << 1 << false;

    QTest::newRow("supplier texts before JA parameters") << supplierFirst("JA") << 0 << true;
    QTest::newRow("supplier texts before FR parameters") << supplierFirst("FR") << 0 << true;

    QList<tFixtureBlock> foreignFlag = fixtureBlocks(true);
    QByteArray& general = foreignFlag[0].Bytes;
    const int at = general.indexOf(QByteArray("\0CC", 3));
    QVERIFY(at > 0);
    general[at + 1] = 'N';
    QTest::newRow("data flag outside its set") << BuildSorImage(true, foreignFlag) << 0 << true;

    // Neither byte sequence is valid EUC-JP: decoded, each shows a
    // replacement character that would be saved as '?'.
    QList<tFixtureBlock> undecodable = fixtureBlocks(true);
    QByteArray& texts = undecodable[0].Bytes;
    texts.replace(10, 2, "JA");
    texts.replace(QByteArray("Cable 7"), QByteArray("Cab\xFF" "e\xA4"));
    texts.replace(QByteArray("Technician"), QByteArray("Tech\xFE"));
    QTest::newRow("texts the code page cannot decode") << BuildSorImage(true, undecodable) << 0 << true;
}

void TestSorFile::savesWhatLoads()
{
    QFETCH(QByteArray, image);
    QFETCH(int, warnings);
    QFETCH(bool, bSavedAsLoaded);
    const QString file = write("loaded.sor", image);

    try {
        int bits = 0;
        CComparableTrace loaded(file, bits);
        QCOMPARE(bits, warnings);
        loaded.SetFileName(path("saved.sor"));
        loaded.Save();
        const QByteArray saved = ReadFileBytes(path("saved.sor"));
        if (bSavedAsLoaded)
            QCOMPARE(saved, image);

        CComparableTrace reloaded(path("saved.sor"), bits);
        QCOMPARE(TraceDifference(loaded, reloaded), QString());
        reloaded.Save();
        QCOMPARE(ReadFileBytes(path("saved.sor")), saved);
    } catch (const Exception& e) {
        QFAIL(qPrintable(e.GetText()));
    }
}

void TestSorFile::computesCrc16()
{
    QCOMPARE(bc::CCheckSum::Crc16("abc", 3), quint16(0x514A));
    QCOMPARE(bc::CCheckSum::Crc16("123456789", 9), quint16(0x29B1));

    // Through a stream, the CRC covers the image written so far.
    quint16 crc = 0;
    bc::CCheckSum checksum;
    class Root : public bc::IStream
    {
    public:
        Root(bc::CCheckSum& sum, quint16& crc) : m_sum(sum), m_crc(crc) {}
        void Stream(bc::CFileStream& stream) override
        {
            stream.ExchangeBytes(const_cast<char*>("abc"), 3);
            m_crc = m_sum.CalcCRC(stream);
        }

    private:
        bc::CCheckSum& m_sum;
        quint16& m_crc;
    } root(checksum, crc);
    bc::CFileStream(path("abc.bin")).Save(root);
    QCOMPARE(crc, quint16(0x514A));
}

void TestSorFile::reportsChecksumWarnings_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<int>("warnings");
    QTest::newRow("file ends after the data points") << 0 << 1;
    QTest::newRow("wrong stored checksum") << 1 << 0;
    QTest::newRow("no checksum entry") << 2 << 0;
}

void TestSorFile::reportsChecksumWarnings()
{
    QFETCH(int, damage);
    QFETCH(int, warnings);
    QByteArray image = BuildSorImage(true, fixtureBlocks(true), damage != 2);
    if (damage == 0)
        image.chop(8);
    else if (damage == 1)
        image[image.size() - 1] = char(image[image.size() - 1] ^ 0x5A);
    const QString file = write("crc.sor", image);

    int bits = 0;
    sor::CFile trace(file, &bits);
    QCOMPARE(bits, warnings);
    QCOMPARE(trace.GetDataPointCount(), 100);

    // Saving writes a checksum block wherever the map lists one, and its
    // value always matches the bytes in front of it.
    trace.Save();
    const QByteArray saved = ReadFileBytes(file);
    if (damage != 2)
        QCOMPARE(StoredChecksum(saved), ExpectedChecksum(saved));
}

void TestSorFile::reportsTrailsOfDamagedFiles_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<QString>("code");
    QTest::newRow("group index out of range") << 0 << "0.272-1:51-2:321-2:130-2:551-1:80";
    QTest::newRow("samples cut short") << 1 << "0.272-1:145-2:516-2:491-2:130-2:557-1:80";
    QTest::newRow("no data points") << 2 << "0.272-2:540-1:80";
    QTest::newRow("no fixed parameters") << 3 << "0.272-2:541-1:80";
}

void TestSorFile::reportsTrailsOfDamagedFiles()
{
    QFETCH(int, damage);
    QFETCH(QString, code);
    QList<tFixtureBlock> blocks = fixtureBlocks(true);
    QByteArray image;
    switch (damage) {
    case 0: {
        // 1.4682 is stored as 146820; make it 119999, just below the range.
        QByteArray& fixed = blocks[2].Bytes;
        const int at = fixed.indexOf(QByteArray::fromHex("843D0200"));
        QVERIFY(at > 0);
        fixed.replace(at, 4, QByteArray::fromHex("BFD40100"));
        image = BuildSorImage(true, blocks);
        break;
    }
    case 1:
        image = BuildSorImage(true, blocks, false);
        image.chop(3);
        break;
    case 2:
        blocks.removeAt(8);
        image = BuildSorImage(true, blocks);
        break;
    default:
        blocks.removeAt(2);
        image = BuildSorImage(true, blocks);
        break;
    }
    const QString file = write("damaged.sor", image);
    QCOMPARE(ThrownCode<EFileLoadInvalidFormat>([&] { int w = 0; sor::CFile trace(file, w); }), code);
}

void TestSorFile::buildsTraceFromMeasurement()
{
    const std::vector<quint16> samples = rampSamples(1000);
    sor::CFile trace(path("measured.sor"), deviceTrace(), samples);
    QVERIFY(trace.IsChanged());
    QVERIFY(trace.IsVersion2());
    QVERIFY(qAbs(trace.GetMetresPerPoint() - 1.99861638666667) < 1e-12);
    QCOMPARE(trace.GetDataPointCount(), 1000);
    QCOMPARE(trace.GetFixedParameters()->PulseWidths.size(), size_t(1));
    QCOMPARE(trace.GetGeneralParameters()->NominalWavelength.GetValue(), 1550.0f);
    QVERIFY(!QFile::exists(path("measured.sor")));

    trace.Save();
    QVERIFY(!trace.IsChanged());
    const QByteArray saved = ReadFileBytes(path("measured.sor"));
    QCOMPARE(saved.size(), 2256);
    QCOMPARE(StoredChecksum(saved), ExpectedChecksum(saved));
    QCOMPARE(entryNames(trace), QStringList({"GenParams", "SupParams", "FxdParams", "DataPts", "Cksum"}));

    int warnings = -1;
    sor::CFile reloaded(path("measured.sor"), &warnings);
    QCOMPARE(warnings, -1); // ORed in: nothing added
    QCOMPARE(reloaded.GetDataPointCount(), 1000);
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(reloaded.GetDataPoint(i), samples[size_t(i)]);
    QCOMPARE(reloaded.GetMetresPerPoint(), trace.GetMetresPerPoint());
    QCOMPARE(reloaded.DistanceToTime(reloaded.TimeToDistance(1234.5)), 1234.5);
}

void TestSorFile::findsLargestLoadedSample_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("largest");
    QTest::newRow("first of many") << 5000 << 0 << 0xFFFE << 0xFFFE;
    QTest::newRow("last of many, top bit") << 5000 << 4999 << 0x8000 << 0x8000;
    QTest::newRow("just below the top bit") << 100 << 31 << 0x7FFF << 0x7FFF;
    QTest::newRow("first of a second slice") << 4097 << 4096 << 40000 << 40000;
    QTest::newRow("only in the tail") << 33 << 32 << 5 << 5;
    QTest::newRow("all zero") << 10 << 0 << 0 << 0xFFFF;
}

void TestSorFile::findsLargestLoadedSample()
{
    QFETCH(int, count);
    QFETCH(int, at);
    QFETCH(int, value);
    QFETCH(int, largest);
    std::vector<quint16> samples(size_t(count), 0);
    for (int i = 0; i < count && value != 0; ++i)
        samples[size_t(i)] = quint16(i % 4);
    samples[size_t(at)] = quint16(value);
    sor::CFile(path("largest.sor"), deviceTrace(), samples).Save();
    int warnings = 0;
    QCOMPARE(sor::CFile(path("largest.sor"), warnings).GetMaxDataPoint(), quint16(largest));
}

void TestSorFile::settersMarkFileChanged_data()
{
    QTest::addColumn<int>("setter");
    QTest::newRow("general parameters") << 0;
    QTest::newRow("supplier parameters") << 1;
    QTest::newRow("fixed parameters") << 2;
    QTest::newRow("end-to-end markers") << 3;
    QTest::newRow("end-to-end loss") << 4;
}

void TestSorFile::settersMarkFileChanged()
{
    QFETCH(int, setter);
    QList<tFixtureBlock> blocks = fixtureBlocks(true);
    QCOMPARE(blocks[0].Bytes.mid(10, 2), QByteArray("EN"));
    blocks[0].Bytes.replace(10, 2, "RU");
    int warnings = 0;
    CComparableTrace trace(write("setters.sor", BuildSorImage(true, blocks)), warnings);
    QVERIFY(!trace.IsChanged());
    QSignalSpy changed(&trace, &sor::CFile::sigFileChanged);

    switch (setter) {
    case 0: {
        sor::tGeneralParameters general = *trace.GetGeneralParameters();
        general.CableId.FromString("Cable 8");
        trace.SetGeneralParameters(general);
        QCOMPARE(trace.GetGeneralParameters()->CableId.ToString(), QString("Cable 8"));
        break;
    }
    case 1: {
        sor::tSupplierParameters supplier = *trace.GetSupplierParameters();
        supplier.SupplierName.FromString("Other maker");
        trace.SetSupplierParameters(supplier);
        QCOMPARE(trace.GetSupplierParameters()->SupplierName.ToString(), QString("Other maker"));
        break;
    }
    case 2: {
        sor::tFixedParameters fixed = *trace.GetFixedParameters();
        fixed.GroupIndex.GetValue() = 1.5;
        fixed.DataSpacing.GetValue() = 10;
        trace.SetFixedParameters(fixed);
        QVERIFY(qAbs(trace.GetMetresPerPoint() - 1.99862) < 1e-4);
        break;
    }
    case 3:
        trace.SetEndToEndMarkers(12, 3456);
        QCOMPARE(trace.GetKeyEvents()->GetEndToEndMarkerStart(), 12);
        QCOMPARE(trace.GetKeyEvents()->GetEndToEndMarkerFinish(), 3456);
        break;
    default:
        trace.SetEndToEndLoss(-789);
        QCOMPARE(trace.GetKeyEvents()->GetEndToEndLoss(), -789);
        break;
    }
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toBool(), true);
    QVERIFY(trace.IsChanged());
    // The record has no language: the file keeps the one it was loaded with.
    QVERIFY(trace.General().LanguageCode == tCode("RU"));
}

void TestSorFile::keepsKeyEventsEntryInStep()
{
    sor::CFile trace(path("events.sor"), deviceTrace(), rampSamples(50));
    trace.Save();
    QSignalSpy changed(&trace, &sor::CFile::sigFileChanged);

    trace.SetKeyEventList({makeEvent(1, 100, "end")});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toBool(), true);
    QCOMPARE(entryNames(trace), QStringList({"GenParams", "SupParams", "FxdParams", "KeyEvents", "DataPts", "Cksum"}));
    trace.Save();
    QCOMPARE(changed.last().at(0).toBool(), false);

    trace.SetEndToEndLoss(1234);
    trace.SetEndToEndMarkers(5, 6);
    QCOMPARE(changed.last().at(0).toBool(), true);
    trace.Save();

    int warnings = 0;
    sor::CFile reloaded(path("events.sor"), warnings);
    QCOMPARE(reloaded.GetKeyEventList().size(), size_t(1));
    QVERIFY(reloaded.GetKeyEventList()[0] == makeEvent(1, 100, "end"));
    bc::CKeyEvents copy;
    copy = *reloaded.GetKeyEvents();
    QCOMPARE(copy.GetEndToEndLoss(), 1234);
    QCOMPARE(copy.GetEndToEndMarkerStart(), 5);
    QCOMPARE(copy.GetEndToEndMarkerFinish(), 6);
    QCOMPARE(copy.GetKeyEventList(), reloaded.GetKeyEventList());

    reloaded.SetKeyEventList({});
    QCOMPARE(entryNames(reloaded), QStringList({"GenParams", "SupParams", "FxdParams", "DataPts", "Cksum"}));
    reloaded.Save();
    const QByteArray saved = ReadFileBytes(path("events.sor"));
    QCOMPARE(saved.size(), 2256 - 1000 * 2 + 50 * 2);
    QCOMPARE(StoredChecksum(saved), ExpectedChecksum(saved));
}

void TestSorFile::sharesViewRules()
{
    FakeView view({10, 11, 30});
    QCOMPARE(view.GetLength(), 1.5);
    QCOMPARE(view.GetValueAt(0.25), 11);  // halfway between 10 and 11
    QCOMPARE(view.GetValueAt(0.5), 11);
    QCOMPARE(view.GetValueAt(0.75), 21);
    QCOMPARE(view.GetValueAt(5.0), 30);   // past the end: the last sample
    QCOMPARE(view.GetMaxDataPoint(), quint16(30));
    QCOMPARE(view.TimeToDistance(100), 0.0);

    QCOMPARE(FakeView(std::vector<quint16>(1000, 5)).GetLength(), 500.0);
    QCOMPARE(FakeView(std::vector<quint16>(4, 0)).GetMaxDataPoint(), quint16(0xFFFF));
    QCOMPARE(sor::TimeToDistance(10, 1.5), kMetresPerPointAt10ns);

    // 16,777,219 rounds through float to 16,777,220, the last index here.
    CountingView huge((1 << 24) + 5);
    QCOMPARE(huge.GetValueAt(16777219.5), (16777220 % 1000));
    QVERIFY(!huge.bOutside);

    sor::CFile zeros(path("zeros.sor"), deviceTrace(), std::vector<quint16>(10, 0));
    QCOMPARE(zeros.GetMaxDataPoint(), quint16(0xFFFF));
    QCOMPARE(zeros.GetLength(), 10 * kMetresPerPointAt10ns);
}

void TestSorFile::guardsEmptyTrace()
{
    sor::CFile empty(path("empty.sor"), deviceTrace(), {});
    QCOMPARE(empty.GetDataPointCount(), 0);
    QCOMPARE(empty.GetValueAt(10), 0);
    QCOMPARE(empty.GetMaxDataPoint(), quint16(0xFFFF));
    QCOMPARE(empty.GetDataPoint(3), quint16(0));
    QCOMPARE(m_log->Count(QtCriticalMsg, "ASSERTION FAILED: n<int(allDataPoints.GetDataPoints().size())"), 1);
}

void TestSorFile::refusesEveryTruncation_data()
{
    savesLoadedFileUnchanged_data();
}

void TestSorFile::refusesEveryTruncation()
{
    QFETCH(bool, bVersion2);
    const QByteArray image = BuildSorImage(bVersion2, fixtureBlocks(bVersion2, 20));
    const int checksumStart = image.size() - (bVersion2 ? 8 : 2);
    for (int size = 0; size < image.size(); ++size) {
        const QString file = write("cut.sor", image.left(size));
        QString outcome;
        try {
            int warnings = 0;
            sor::CFile trace(file, warnings);
            outcome = QString("loaded, warnings %1").arg(warnings);
        } catch (const EFileLoadInvalidFormat& e) {
            outcome = TrailOf(e).endsWith("-1:80") ? "refused" : "refused without the walk: " + TrailOf(e);
        } catch (const Exception& e) {
            outcome = "other class: " + e.GetCodeString();
        }
        // Only a cut inside the checksum block leaves a usable trace.
        const QString expected = size < checksumStart ? "refused" : "loaded, warnings 1";
        QVERIFY2(outcome == expected, qPrintable(QString("%1 bytes: %2").arg(size).arg(outcome)));
    }
}

void TestSorFile::loadsOrRefusesMutatedFiles_data()
{
    savesLoadedFileUnchanged_data();
}

void TestSorFile::loadsOrRefusesMutatedFiles()
{
    QFETCH(bool, bVersion2);
    const QByteArray image = BuildSorImage(bVersion2, fixtureBlocks(bVersion2, 20));
    std::mt19937 random(bVersion2 ? 2 : 1);
    const quint32 extremes[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
    int loaded = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = image;
        if (round % 2) {
            for (int i = 0; i < 1 + round % 5; ++i)
                damaged[int(random() % quint32(damaged.size()))] = char(random());
        } else {
            // Counts and sizes taken from the file must not drive allocations.
            const quint32 value = extremes[random() % 8];
            const int at = int(random() % quint32(damaged.size() - 4));
            for (int i = 0; i < 4; ++i)
                damaged[at + i] = char(value >> (8 * i));
        }
        const QString file = write("mutated.sor", damaged);
        try {
            int warnings = 0;
            sor::CFile trace(file, warnings);
            QVERIFY(trace.GetDataPointCount() > 0);
            QVERIFY(trace.GetMetresPerPoint() > 0);
            trace.GetValueAt(trace.GetLength() / 3);
            ++loaded;
        } catch (const EFileLoadInvalidFormat& e) {
            QVERIFY2(e.GetCodes().size() >= 2, qPrintable(e.GetCodeString()));
        } catch (const Exception& e) {
            QFAIL(qPrintable("round " + QString::number(round) + ": " + e.GetCodeString()));
        }
    }
    QVERIFY(loaded > 0);
}

void TestSorFile::renamesAndSavesUnderNewName()
{
    sor::CFile fresh(QString(), deviceTrace(), rampSamples(10));
    fresh.SetFileName(path("first.sor"));
    QVERIFY(QFile::exists(path("first.sor")));
    QVERIFY(!fresh.IsChanged());
    QCOMPARE(fresh.GetShortFileName(), QString("first.sor"));

    fresh.SetFileName(path("second.sor"));
    QVERIFY(!QFile::exists(path("first.sor")));
    QVERIFY(QFile::exists(path("second.sor")));

    write("taken.sor", "someone else's trace");
    QCOMPARE(ThrownCode<EFileAccessError>([&] { fresh.SetFileName(path("taken.sor")); }),
             QString("0.272-1:129"));
    QCOMPARE(fresh.GetFileName(), path("second.sor"));
    QCOMPARE(ReadFileBytes(path("taken.sor")), QByteArray("someone else's trace"));

    QCOMPARE(fresh.CopyTo(path("taken.sor"), true), false);
    QCOMPARE(fresh.CopyTo(path("copy.sor"), true), true);
    QCOMPARE(ReadFileBytes(path("copy.sor")), ReadFileBytes(path("second.sor")));
}

void TestSorFile::readsForeignFiles_data()
{
    QTest::addColumn<QString>("name");
    const QDir dir(QStringLiteral(QUORVANE_TESTDATA "/sor"));
    if (!dir.exists())
        QSKIP("the foreign trace files are not beside this checkout");
    const QStringList files = dir.entryList({"*.sor"}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestSorFile::readsForeignFiles()
{
    QFETCH(QString, name);
    const QString copy = path(name);
    QVERIFY(QFile::copy(QStringLiteral(QUORVANE_TESTDATA "/sor/") + name, copy));
    QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));

    std::unique_ptr<CComparableTrace> trace;
    try {
        int warnings = 0;
        trace = std::make_unique<CComparableTrace>(copy, warnings);
    } catch (const EFileLoadInvalidFormat& e) {
        // Refused files must name the field: a record of the block below
        // the walk's and the stream's own.
        QVERIFY2(e.GetCodes().size() >= 3, qPrintable(e.GetCodeString()));
        return;
    }
    QVERIFY(trace->GetDataPointCount() > 0);
    QVERIFY(trace->GetMetresPerPoint() > 0);

    trace->Save();
    const QByteArray saved = ReadFileBytes(copy);
    int warnings = 0;
    CComparableTrace reloaded(copy, warnings);
    QCOMPARE(warnings, 0);
    QCOMPARE(TraceDifference(*trace, reloaded), QString());
    reloaded.Save();
    QCOMPARE(ReadFileBytes(copy), saved);
}

void TestSorFile::agreesWithReferenceDumps_data()
{
    QTest::addColumn<QString>("name");
    if (!QDir(QStringLiteral(QUORVANE_TESTDATA "/sor")).exists())
        QSKIP("the foreign trace files are not beside this checkout");
    QTest::newRow("demo_ab") << "demo_ab";
    QTest::newRow("sample1310_lowDR") << "sample1310_lowDR";
}

void TestSorFile::agreesWithReferenceDumps()
{
    QFETCH(QString, name);
    const QString base = QStringLiteral(QUORVANE_TESTDATA "/sor/") + name;
    QFile dumpFile(base + "-dump.json");
    QVERIFY(dumpFile.open(QIODevice::ReadOnly));
    const QJsonObject dump = QJsonDocument::fromJson(dumpFile.readAll()).object();
    const QJsonObject fixed = dump["FxdParams"].toObject();
    const QJsonObject events = dump["KeyEvents"].toObject();

    int warnings = 0;
    sor::CFile trace(base + ".sor", warnings);
    const sor::tFixedParameters& parameters = *trace.GetFixedParameters();
    QCOMPARE(trace.GetDataPointCount(), fixed["num data points"].toInt());
    QCOMPARE(QString::number(parameters.GroupIndex.GetValue(), 'f', 6), fixed["index"].toString());
    QCOMPARE(QString("%1 ns").arg(parameters.PulseWidth.GetValue()), fixed["pulse width"].toString());
    QCOMPARE(int(parameters.NumberOfAverages.GetValue()), fixed["num averages"].toInt());
    QCOMPARE(QString("%1 nm").arg(parameters.ActualWavelength.GetValue(), 0, 'f', 1), fixed["wavelength"].toString());
    QCOMPARE(qint64(parameters.DateTime.toSecsSinceEpoch()),
             fixed["date/time"].toString().section('(', 1).section(' ', 0, 0).toLongLong());
    QCOMPARE(trace.GetSupplierParameters()->SupplierName.ToString(),
             dump["SupParams"].toObject()["supplier"].toString());

    const bc::tKeyEventList& list = trace.GetKeyEventList();
    QCOMPARE(int(list.size()), events["num events"].toInt());
    for (size_t i = 0; i < list.size(); ++i) {
        const QJsonObject event = events[QString("event %1").arg(i + 1)].toObject();
        const double km = trace.TimeToDistance(list[i].PropagationTime.GetValue()) / 1000;
        QCOMPARE(QString::number(km, 'f', 3), event["distance"].toString());
        QCOMPARE(QString::number(list[i].EventLoss.GetValue(), 'f', 3), event["splice loss"].toString());
    }
}

QTEST_GUILESS_MAIN(TestSorFile)
#include "tst_sorfile.moc"
