#include "core/Exception.h"
#include "sor/BlockMap.h"
#include "sor/FileStream.h"
#include "sor/RoundHalfUp.h"
#include "support/BlockHarness.h"
#include "support/LogCatcher.h"
#include "support/SorBytes.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <cstring>

namespace {

// A parsed block for the tests: its name (later layout), one length byte
// and that many payload bytes.
class TestBlock : public bc::IStream
{
public:
    explicit TestBlock(const char* name) : m_name(name) {}

    void Stream(bc::CFileStream& stream) override
    {
        stream.CheckBlockName(m_name);
        quint8 length = quint8(Payload.size());
        stream.ExchangeBytes(&length, 1);
        if (stream.IsReading())
            Payload.resize(length);
        stream.ExchangeBytes(Payload.data(), length);
    }

    QByteArray Payload;

private:
    const char* m_name;
};

struct tEntry
{
    QByteArray Name;
    quint16 Revision;
    quint32 Size;
};

const quint16 kMapRevision = 200;
const int kCountEntries = std::numeric_limits<int>::min(); // entries + 1

QByteArray mapBytes(bool bVersion2, const QList<tEntry>& entries, int blockCount = kCountEntries, int sizeDelta = 0)
{
    int size = (bVersion2 ? 4 : 0) + 2 + 4 + 2;
    for (const tEntry& entry : entries)
        size += entry.Name.size() + 1 + 6;
    SorBytes bytes;
    if (bVersion2)
        bytes.Str("Map");
    bytes.U16(kMapRevision).I32(size + sizeDelta).I16(qint16(blockCount == kCountEntries ? entries.size() + 1 : blockCount));
    for (const tEntry& entry : entries)
        bytes.Str(entry.Name).U16(entry.Revision).U32(entry.Size);
    return bytes.Bytes();
}

QByteArray testBlockBytes(bool bVersion2, const char* name, const QByteArray& payload)
{
    SorBytes bytes;
    if (bVersion2)
        bytes.Str(name);
    return bytes.U8(quint8(payload.size())).Raw(payload).Bytes();
}

QByteArray rawBlockBytes(bool bVersion2, const char* name, const QByteArray& contents)
{
    SorBytes bytes;
    if (bVersion2)
        bytes.Str(name);
    return bytes.Raw(contents).Bytes();
}

// Alpha (parsed), LnkParams and QWMXR01 (raw), in that order.
QByteArray sampleFile(bool bVersion2, const QByteArray& alphaPayload)
{
    const QByteArray alpha = testBlockBytes(bVersion2, "Alpha", alphaPayload);
    const QByteArray link = rawBlockBytes(bVersion2, "LnkParams", QByteArray("\x01\x00\xff\x7f link", 9));
    const QByteArray custom = rawBlockBytes(bVersion2, "QWMXR01", QByteArray("\x00\x00\x00", 3));
    return mapBytes(bVersion2, {{"Alpha", 101, quint32(alpha.size())},
                                {"LnkParams", 102, quint32(link.size())},
                                {"QWMXR01", 103, quint32(custom.size())}})
        + alpha + link + custom;
}

} // namespace

Q_DECLARE_METATYPE(QList<tEntry>)

class TestBlockMap : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void detectsLayout_data();
    void detectsLayout();
    void writesMapAndPatchesSizes_data();
    void writesMapAndPatchesSizes();
    void roundTripsFile_data();
    void roundTripsFile();
    void refusesDamagedFile_data();
    void refusesDamagedFile();
    void refusesRawBlockBeyondFileWithoutAllocating();
    void refusesWriting_data();
    void refusesWriting();
    void copiesRawBytesDeeply();
    void roundsHalfUp_data();
    void roundsHalfUp();

private:
    QString path() const { return m_dir->filePath("trace.sor"); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestBlockMap::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestBlockMap::detectsLayout_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("bVersion2");
    QTest::newRow("Map and zero") << QByteArray("Map\0", 4) << true;
    QTest::newRow("Map1") << QByteArray("Map1") << false;
    QTest::newRow("Map and 0x01") << QByteArray("Map\x01", 4) << false;
    QTest::newRow("map lower case") << QByteArray("map\0", 4) << false;
    QTest::newRow("revision first") << QByteArray("\xc8\x00\x08\x00", 4) << false;
}

void TestBlockMap::detectsLayout()
{
    QFETCH(QByteArray, head);
    QFETCH(bool, bVersion2);
    LogCatcher log;
    WriteFileBytes(path(), head + QByteArray(16, '\0'));
    bc::CFileStream stream(path());
    stream.SetVersion2(!bVersion2);
    TestRoot root;
    try {
        stream.Load(root);
    } catch (const Exception&) {
        // Most of these heads are no valid map; only the decision counts.
    }
    QCOMPARE(stream.IsVersion2(), bVersion2);
}

void TestBlockMap::writesMapAndPatchesSizes_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::newRow("later") << true;
    QTest::newRow("earlier") << false;
}

void TestBlockMap::writesMapAndPatchesSizes()
{
    QFETCH(bool, bVersion2);
    LogCatcher log;
    TestBlock alpha("Alpha");
    TestBlock beta("Beta");
    alpha.Payload = "abc";
    beta.Payload = "0123456789";
    TestRoot root;
    root.Register("Alpha", alpha, 900);
    root.Register("Beta", beta, 901);
    root.Map.GetBlockInfos().emplace_back("Alpha", 7);
    root.Map.GetBlockInfos().emplace_back("Beta", 8);

    bc::CFileStream stream(path());
    stream.SetVersion2(bVersion2);
    stream.Save(root);

    const QByteArray alphaBytes = testBlockBytes(bVersion2, "Alpha", "abc");
    const QByteArray betaBytes = testBlockBytes(bVersion2, "Beta", "0123456789");
    // Held sizes start at 1; the written ones are the blocks' real sizes.
    SorBytes expected;
    if (bVersion2)
        expected.Str("Map");
    expected.U16(0).I32((bVersion2 ? 4 : 0) + 8 + 12 + 11).I16(3);
    expected.Str("Alpha").U16(7).U32(quint32(alphaBytes.size()));
    expected.Str("Beta").U16(8).U32(quint32(betaBytes.size()));
    expected.Raw(alphaBytes).Raw(betaBytes);
    QCOMPARE(ReadFileBytes(path()).toHex(' '), expected.Bytes().toHex(' '));
    QCOMPARE(root.Map.GetSize(), quint32((bVersion2 ? 4 : 0) + 8 + 12 + 11));
    QCOMPARE(root.Map.GetBlockInfos()[1].GetSize(), quint32(betaBytes.size()));
}

void TestBlockMap::roundTripsFile_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<QByteArray>("newPayload");
    QTest::newRow("later, unchanged") << true << QByteArray();
    QTest::newRow("earlier, unchanged") << false << QByteArray();
    QTest::newRow("later, grown block") << true << QByteArray("longer payload");
    QTest::newRow("earlier, shrunk block") << false << QByteArray("x");
}

void TestBlockMap::roundTripsFile()
{
    QFETCH(bool, bVersion2);
    QFETCH(QByteArray, newPayload);
    LogCatcher log;
    const QByteArray original = sampleFile(bVersion2, "abcd");
    WriteFileBytes(path(), original);

    bc::CFileStream stream(path());
    TestBlock alpha("Alpha");
    TestRoot root;
    root.Register("Alpha", alpha, 900);
    QCOMPARE(stream.Load(root), 0);
    QCOMPARE(stream.IsVersion2(), bVersion2);
    QCOMPARE(alpha.Payload, QByteArray("abcd"));
    QCOMPARE(root.Map.GetRevision(), kMapRevision);
    const bc::CBlockInfo& link = root.Map.GetBlockInfos()[1];
    QCOMPARE(link.GetName(), std::string("LnkParams"));
    QCOMPARE(link.GetRevision(), quint16(102));
    const QByteArray linkBytes = rawBlockBytes(bVersion2, "LnkParams", QByteArray("\x01\x00\xff\x7f link", 9));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(link.GetUserBlock().GetData()), int(link.GetUserBlock().GetLength())),
             linkBytes);

    if (!newPayload.isEmpty())
        alpha.Payload = newPayload;
    stream.Save(root);
    const QByteArray expected = newPayload.isEmpty() ? original : sampleFile(bVersion2, newPayload);
    QCOMPARE(ReadFileBytes(path()).toHex(' '), expected.toHex(' '));
}

void TestBlockMap::refusesDamagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("trail");

    const QByteArray alpha = testBlockBytes(true, "Alpha", "ab");
    const QByteArray link = rawBlockBytes(true, "LnkParams", "12345");
    QTest::newRow("entry one byte longer than its block")
        << mapBytes(true, {{"Alpha", 1, quint32(alpha.size() + 1)}}) + alpha + "!" << "2:135-2:900-1:80";
    QTest::newRow("empty entry name")
        << mapBytes(true, {{"", 1, 5}}) << "2:198-2:237-2:130-2:226-2:537-1:80";
    QTest::newRow("map size one too small")
        << mapBytes(true, {{"Alpha", 1, quint32(alpha.size())}}, kCountEntries, -1) + alpha << "2:135-2:226-2:537-1:80";
    QTest::newRow("block count 0")
        << mapBytes(true, {}, 0) << "2:235-2:130-2:226-2:537-1:80";
    QTest::newRow("block count -1")
        << mapBytes(true, {}, -1) << "2:235-2:130-2:226-2:537-1:80";
    QTest::newRow("block count beyond the file")
        << mapBytes(false, {}, 32767) << "1:145-2:194-2:237-2:130-2:226-2:537-1:80";
    QTest::newRow("file shorter than the layout peek")
        << QByteArray("Map", 3) << "1:145-2:215-2:537-1:80";
    QTest::newRow("raw block cut short")
        << mapBytes(true, {{"LnkParams", 1, quint32(link.size() + 1)}}) + link << "1:145-2:184-2:130-2:189-2:578-1:80";
    QTest::newRow("wrong block name")
        << mapBytes(true, {{"Alpha", 1, quint32(alpha.size())}}) + testBlockBytes(true, "Alphx", "ab")
        << "1:51-2:130-2:900-1:80";
}

void TestBlockMap::refusesDamagedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, trail);
    LogCatcher log;
    WriteFileBytes(path(), bytes);
    bc::CFileStream stream(path());
    TestBlock alpha("Alpha");
    TestRoot root;
    root.Register("Alpha", alpha, 900);
    try {
        stream.Load(root);
        QFAIL("the load succeeded");
    } catch (const EFileLoadInvalidFormat& e) {
        QCOMPARE(TrailOf(e), trail);
    }
}

void TestBlockMap::refusesRawBlockBeyondFileWithoutAllocating()
{
#ifdef QUORVANE_SANITIZED
    QSKIP("the sanitizers' shadow memory does not fit under an address-space cap");
#endif
    LogCatcher log;
    const QByteArray link = rawBlockBytes(true, "LnkParams", "12345");
    WriteFileBytes(path(), mapBytes(true, {{"LnkParams", 1, 0xFFFFFFF0u}}) + link);

    // With the address space capped, allocating the announced 4 GiB would
    // fail with std::bad_alloc instead of the format error.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit capped = saved;
    capped.rlim_cur = rlim_t(3) << 30;
    if (saved.rlim_max != RLIM_INFINITY && saved.rlim_max < capped.rlim_cur)
        capped.rlim_cur = saved.rlim_max;
    QCOMPARE(setrlimit(RLIMIT_AS, &capped), 0);

    QString trail;
    bool bOtherFailure = false;
    {
        bc::CFileStream stream(path());
        TestRoot root;
        try {
            stream.Load(root);
        } catch (const EFileLoadInvalidFormat& e) {
            trail = TrailOf(e);
        } catch (...) {
            bOtherFailure = true;
        }
    }
    setrlimit(RLIMIT_AS, &saved);
    QVERIFY(!bOtherFailure);
    QCOMPARE(trail, QString("1:145-2:184-2:130-2:189-2:578-1:80"));
}

void TestBlockMap::refusesWriting_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("trail");
    QTest::newRow("more entries than the count holds") << 1 << "2:236-2:130-2:226-2:537-1:98";
    QTest::newRow("entry without a name") << 2 << "2:200-2:237-2:130-2:226-2:537-1:98";
    QTest::newRow("raw block whose read failed") << 3 << "2:182-2:130-2:189-2:578-1:98";
}

void TestBlockMap::refusesWriting()
{
    QFETCH(int, kind);
    QFETCH(QString, trail);
    LogCatcher log;
    bc::CFileStream stream(path());
    TestRoot root;
    auto& infos = root.Map.GetBlockInfos();
    switch (kind) {
    case 1:
        infos.resize(32767, bc::CBlockInfo("Alpha", 1));
        break;
    case 2:
        infos.emplace_back();
        break;
    default:
        // The failed read left the entry sized but without bytes.
        WriteFileBytes(path(), mapBytes(false, {{"LnkParams", 1, 6}}) + "12345");
        QVERIFY_EXCEPTION_THROWN(stream.Load(root), EFileLoadInvalidFormat);
        break;
    }
    const QByteArray before = QFile::exists(path()) ? ReadFileBytes(path()) : QByteArray();
    try {
        stream.Save(root);
        QFAIL("the save succeeded");
    } catch (const EInternalError& e) {
        QCOMPARE(TrailOf(e), trail);
    }
    QCOMPARE(QFile::exists(path()) ? ReadFileBytes(path()) : QByteArray(), before);
}

void TestBlockMap::copiesRawBytesDeeply()
{
    LogCatcher log;
    WriteFileBytes(path(), mapBytes(false, {{"LnkParams", 1, 4}}) + "wxyz");
    bc::CFileStream stream(path());
    TestRoot root;
    stream.Load(root);
    bc::CBlockInfo copy = root.Map.GetBlockInfos()[0];
    const quint8* original = root.Map.GetBlockInfos()[0].GetUserBlock().GetData();
    QVERIFY(copy.GetUserBlock().GetData() != original);
    QCOMPARE(copy.GetUserBlock().GetLength(), quint32(4));
    QVERIFY(std::memcmp(copy.GetUserBlock().GetData(), "wxyz", 4) == 0);
    root.Map.GetBlockInfos().clear();
    QVERIFY(std::memcmp(copy.GetUserBlock().GetData(), "wxyz", 4) == 0);
}

void TestBlockMap::roundsHalfUp_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5") << 0.5f << 1;
    QTest::newRow("-0.5") << -0.5f << 0;
    QTest::newRow("-1.5") << -1.5f << -1;
    QTest::newRow("2.5") << 2.5f << 3;
    QTest::newRow("-2.5") << -2.5f << -2;
    QTest::newRow("-2.6") << -2.6f << -3;
    QTest::newRow("-2.0") << -2.0f << -2;
    QTest::newRow("just below a half") << 0.49999997f << 0;
    QTest::newRow("large") << 16777216.0f << 16777216;
    QTest::newRow("beyond int") << 1e20f << std::numeric_limits<int>::max();
    QTest::newRow("below int") << -1e20f << std::numeric_limits<int>::min();
}

void TestBlockMap::roundsHalfUp()
{
    QFETCH(float, x);
    QFETCH(int, rounded);
    QCOMPARE(bc::RoundHalfUp(x), rounded);
}

QTEST_GUILESS_MAIN(TestBlockMap)
#include "tst_blockmap.moc"
