#include "sor/DataPoints.h"
#include "support/LogCatcher.h"
#include "support/SingleBlock.h"
#include "support/SorBytes.h"

#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <random>

// The largest single allocation made while tracking is on, so that a test
// can show that a stored count never sizes a list beyond the file.
namespace {
bool g_bTracking = false;
size_t g_largest = 0;
} // namespace

void* operator new(size_t size)
{
    if (g_bTracking)
        g_largest = std::max(g_largest, size);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

namespace {

struct tGroupSpec
{
    qint32 Count;
    qint16 Scale;
    QVector<quint16> Samples;
};

QByteArray blockBytes(const QList<tGroupSpec>& groups, bool bVersion2, qint32 numberOfPoints = 0,
                      qint16 groupCount = -1)
{
    SorBytes bytes;
    if (bVersion2)
        bytes.Str("DataPts");
    bytes.I32(numberOfPoints).I16(groupCount == -1 ? qint16(groups.size()) : groupCount);
    for (const tGroupSpec& group : groups) {
        bytes.I32(group.Count).I16(group.Scale);
        for (quint16 sample : group.Samples)
            bytes.U16(sample);
    }
    return bytes.Bytes();
}

tGroupSpec group(qint16 scale, const QVector<quint16>& samples)
{
    return {qint32(samples.size()), scale, samples};
}

QVector<quint16> held(const bc::CDataPoints& block, int group = 0)
{
    const std::vector<quint16>& samples = block.GetGroups()[size_t(group)].Samples;
    return QVector<quint16>(samples.begin(), samples.end());
}

} // namespace

class TestDataPoints : public QObject
{
    Q_OBJECT

private slots:
    void holdsSamplesNormalised_data();
    void holdsSamplesNormalised();
    void writesLoadedSamplesBackUnchanged_data();
    void writesLoadedSamplesBackUnchanged();
    void writesChangedSamplesByTheScale();
    void writesMeasuredTraceAsHeld();
    void keepsEveryGroupAndTheStatedCount();
    void refusesBadReads_data();
    void refusesBadReads();
    void boundsAllocationsByTheFile_data();
    void boundsAllocationsByTheFile();
    void refusesBadWrites();
};

void TestDataPoints::holdsSamplesNormalised_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("1.0 keeps 40000") << 1000 << 40000 << 40000;
    QTest::newRow("1.0 keeps 65535") << 1000 << 65535 << 65535;
    QTest::newRow("2.0 saturates 40000") << 2000 << 40000 << 65535;
    QTest::newRow("2.0 doubles 1") << 2000 << 1 << 2;
    QTest::newRow("0.5 rounds half up") << 500 << 3 << 2;
    QTest::newRow("-1.0 nonzero saturates") << -1000 << 5 << 65535;
    QTest::newRow("-1.0 keeps 0") << -1000 << 0 << 0;
}

void TestDataPoints::holdsSamplesNormalised()
{
    QFETCH(int, scale);
    QFETCH(int, stored);
    QFETCH(int, expected);
    bc::CDataPoints block;
    SingleBlock(block, true).Load(blockBytes({group(qint16(scale), {quint16(stored), 0})}, true, 2));
    QCOMPARE(block.GetDataPoints().size(), size_t(2));
    QCOMPARE(int(block.GetDataPoints()[0]), expected);
    QCOMPARE(block.GetGroups()[0].ScaleFactor.GetValue(), float(scale / 1000.0));
}

void TestDataPoints::writesLoadedSamplesBackUnchanged_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("bVersion2");
    QTest::newRow("0.5 later") << 500 << true;
    QTest::newRow("2.0 earlier") << 2000 << false;
    QTest::newRow("1.0 later") << 1000 << true;
    QTest::newRow("-1.5 later") << -1500 << true;
    QTest::newRow("0.333 earlier") << 333 << false;
}

void TestDataPoints::writesLoadedSamplesBackUnchanged()
{
    QFETCH(int, scale);
    QFETCH(bool, bVersion2);
    std::mt19937 random(12345);
    QVector<quint16> samples = {0, 1, 2, 3, 5, 32767, 32768, 40000, 65534, 65535};
    for (int i = 0; i < 500; ++i)
        samples << quint16(random());
    const QByteArray bytes = blockBytes({group(qint16(scale), samples)}, bVersion2, samples.size());

    bc::CDataPoints block;
    SingleBlock io(block, bVersion2);
    io.Load(bytes);
    const std::vector<quint16>& held = block.GetDataPoints();
    QCOMPARE(held.size(), size_t(samples.size()));
    QCOMPARE(bc::CDataPoints::LargestOf(held), *std::max_element(held.begin(), held.end()));
    QCOMPARE(io.Save(), bytes);
}

void TestDataPoints::writesChangedSamplesByTheScale()
{
    const QByteArray bytes = blockBytes({group(2000, {1, 2, 3, 4})}, true, 4);
    bc::CDataPoints block;
    SingleBlock io(block, true);
    io.Load(bytes);
    block.GetGroups()[0].Samples[1] = 100; // held 4 before
    block.GetGroups()[0].Samples.push_back(9);

    const QByteArray expected = blockBytes({group(2000, {1, 50, 3, 4, 5})}, true, 4);
    QCOMPARE(io.Save(), expected);
}

void TestDataPoints::writesMeasuredTraceAsHeld()
{
    bc::CDataPoints block;
    block.GetGroups().emplace_back();
    block.GetGroups()[0].ScaleFactor.GetValue() = 1.0f;
    block.GetGroups()[0].Samples = {0, 7, 65535};
    block.SetNumberOfPoints(3);
    QCOMPARE(SingleBlock(block, true).Save(), blockBytes({group(1000, {0, 7, 65535})}, true, 3));
}

void TestDataPoints::keepsEveryGroupAndTheStatedCount()
{
    const QByteArray bytes = blockBytes({group(1000, {10, 20}), group(2000, {5, 6, 7})}, false, 99);
    bc::CDataPoints block;
    SingleBlock io(block, false);
    QCOMPARE(io.Load(bytes), qint64(bytes.size()));
    QCOMPARE(block.GetNumberOfPoints(), 99);
    QCOMPARE(block.GetGroups().size(), size_t(2));
    QCOMPARE(held(block, 0), QVector<quint16>({10, 20}));
    QCOMPARE(held(block, 1), QVector<quint16>({10, 12, 14}));
    QCOMPARE(std::vector<quint16>(block.GetDataPoints()), std::vector<quint16>({10, 20}));
    QCOMPARE(io.Save(), bytes);
}

void TestDataPoints::refusesBadReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("trail");
    const tGroupSpec good = group(1000, {1, 2, 3});
    QTest::newRow("scale 0") << blockBytes({group(0, {1})}, true) << "1:51-2:510-2:491-1:80";
    QTest::newRow("group count 0") << blockBytes({good}, true, 3, 0) << "2:485-1:80";
    QTest::newRow("group count negative") << blockBytes({good}, true, 3, -3) << "2:485-1:80";
    QTest::newRow("point count 0") << blockBytes({{0, 1000, {}}}, true) << "2:504-2:491-1:80";
    QTest::newRow("point count negative") << blockBytes({{-5, 1000, {1, 2}}}, true) << "2:504-2:491-1:80";
    QTest::newRow("samples cut short") << blockBytes({good}, true).chopped(1) << "1:145-2:516-2:491-1:80";
    QTest::newRow("wrong name") << blockBytes({good}, true).replace(0, 4, "Date") << "1:51-2:477-1:80";
    QTest::newRow("no number of points") << blockBytes({}, true, 0, 0).left(8 + 3) << "1:145-2:478-1:80";
}

void TestDataPoints::refusesBadReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, trail);
    LogCatcher quiet;
    bc::CDataPoints block;
    QCOMPARE(FailureTrail<EFileLoadInvalidFormat>([&] { SingleBlock(block, true).Load(bytes); }), trail);
}

void TestDataPoints::boundsAllocationsByTheFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("trail");
    const tGroupSpec good = group(1000, {1, 2, 3});
    QTest::newRow("group count 0x7FFF") << blockBytes({good}, true, 3, 0x7FFF) << "1:145-2:500-2:491-1:80";
    QTest::newRow("point count 0x7FFFFFFF") << blockBytes({{0x7FFFFFFF, 1000, {1, 2, 3}}}, true)
                                            << "1:145-2:516-2:491-1:80";
}

void TestDataPoints::boundsAllocationsByTheFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, trail);
    LogCatcher quiet;
    bc::CDataPoints block;
    SingleBlock io(block, true);
    g_largest = 0;
    g_bTracking = true;
    const QString actual = FailureTrail<EFileLoadInvalidFormat>([&] { io.Load(bytes); });
    g_bTracking = false;
    QCOMPARE(actual, trail);
    // Opening the file costs a few small allocations of its own; none may
    // come near what the stored counts ask for.
    QVERIFY2(g_largest <= size_t(qMax(bytes.size(), 4096)), qPrintable(QString::number(g_largest)));
}

void TestDataPoints::refusesBadWrites()
{
    LogCatcher quiet;
    bc::CDataPoints none;
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(none, true).Save(); }), QString("2:475-1:98"));

    bc::CDataPoints empty;
    empty.GetGroups().emplace_back();
    empty.GetGroups()[0].ScaleFactor.GetValue() = 1.0f;
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(empty, true).Save(); }),
             QString("2:497-2:491-1:98"));

    bc::CDataPoints unscaled;
    unscaled.GetGroups().emplace_back();
    unscaled.GetGroups()[0].Samples = {1};
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(unscaled, true).Save(); }),
             QString("1:56-2:510-2:491-1:98"));
}

QTEST_GUILESS_MAIN(TestDataPoints)
#include "tst_datapoints.moc"
