#include "support/LogCatcher.h"
#include "support/Throws.h"

#include "device/DeviceExchange.h"
#include "device/DeviceRecords.h"
#include "device/FInfo.h"
#include "device/ReplyParsers.h"

#include <QtTest>

namespace {

const QString cInvalid = QStringLiteral(
    "Device parameters are invalid.\nProbably, you use incompatible device or device is not connected.");

QString Ints(const QList<int>& values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts.join(',');
}

} // namespace

class TestDeviceParsers : public QObject
{
    Q_OBJECT

private slots:
    void parsesIntLists_data();
    void parsesIntLists();
    void refusedListIsInvalidParameters();
    void readsRealsWithAPointWhateverTheLocale();
    void refusesRealsThatAreNoNumber_data();
    void refusesRealsThatAreNoNumber();
    void parsesLines_data();
    void parsesLines();
    void resetsParametersAndClearsEnumerations();
    void readsBlockHeader();
    void refusesReadsPastTheEnd();
    void buildsAndFreesFileTree();
};

void TestDeviceParsers::parsesIntLists_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("bSkipZero");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("zero skipped") << "HDR\n10\n0\n20\n\r" << "HDR" << true << "10,20";
    QTest::newRow("zero kept") << "HDR\n10\n0\n20\n\r" << "HDR" << false << "10,0,20";
    QTest::newRow("empty line ends") << "HDR\n1\n\n2\n\r" << "HDR" << false << "1";
    QTest::newRow("CR line ends") << "HDR\n5\n\r\n7\n" << "HDR" << false << "5";
    QTest::newRow("other header") << "HDX\n1\n\r" << "HDR" << false << "256:221";
    QTest::newRow("empty reply") << "" << "HDR" << false << "256:221";
    QTest::newRow("not a number") << "HDR\nabc\n\r" << "HDR" << false << "256:231";
    QTest::newRow("not a number skipped") << "HDR\nabc\n3\n\r" << "HDR" << true << "3";
}

void TestDeviceParsers::parsesIntLists()
{
    QFETCH(QString, reply);
    QFETCH(QString, header);
    QFETCH(bool, bSkipZero);
    QFETCH(QString, outcome);
    QList<int> values;
    const QString trail = FailureTrail<EExchangeParameters>([&] { ParseIntList(reply, values, header, bSkipZero); });
    QCOMPARE(trail == "nothing thrown" ? Ints(values) : trail, outcome);
}

void TestDeviceParsers::refusedListIsInvalidParameters()
{
    QList<float> values;
    try {
        ParseFloatList("HDX\n1.0\n\r", values, "HDR", false);
        QFAIL("nothing thrown");
    } catch (const EExchangeParameters& e) {
        QCOMPARE(e.GetDescription(), cInvalid);
        QVERIFY(e.IsCritical());
        QCOMPARE(TrailOf(e), QString("256:221"));
    }
}

void TestDeviceParsers::readsRealsWithAPointWhateverTheLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QList<float> values;
    ParseFloatList("UserGI\n1.4680\n1.4690\n\r", values, "UserGI", false);
    QLocale::setDefault(saved);
    QCOMPARE(values, QList<float>({1.468f, 1.469f}));
}

void TestDeviceParsers::refusesRealsThatAreNoNumber_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("bSkipZero");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("nan") << "UserGI\nnan\n\r" << false << "256:231";
    QTest::newRow("nan skipped") << "UserBS\nNaN\n-80.5\n\r" << true << "-80.5";
}

// Range checks after the list would let a NaN through: it is no number.
void TestDeviceParsers::refusesRealsThatAreNoNumber()
{
    QFETCH(QString, reply);
    QFETCH(bool, bSkipZero);
    QFETCH(QString, outcome);
    QList<float> values;
    const QString header = reply.section('\n', 0, 0);
    const QString trail =
        FailureTrail<EExchangeParameters>([&] { ParseFloatList(reply, values, header, bSkipZero); });
    QStringList read;
    for (float v : values)
        read << QString::number(double(v));
    QCOMPARE(trail == "nothing thrown" ? read.join(',') : trail, outcome);
}

void TestDeviceParsers::parsesLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("outcome"); // index,v1,v2,v3 or the trail
    QTest::newRow("units dropped") << "4,20km,10ns,30s\r" << "4,20,10,30";
    QTest::newRow("sign and point dropped") << "1,-12.5 dB,1550nm,7\r" << "1,125,1550,7";
    QTest::newRow("empty") << "" << "256:253";
    QTest::newRow("index not a number") << "x,1,2,3\r" << "256:262";
    QTest::newRow("no digits") << "1,abc,2,3\r" << "256:273";
    QTest::newRow("too many digits") << "1,99999999999,2,3\r" << "256:277";
    QTest::newRow("missing fields") << "4,20\r" << "256:273";
}

void TestDeviceParsers::parsesLines()
{
    QFETCH(QString, line);
    QFETCH(QString, outcome);
    tLineValues v;
    const QString trail = FailureTrail<EExchangeParameters>([&] { ParseLine(line, v); });
    const QString read = QString("%1,%2,%3,%4").arg(v.Index).arg(v.Value1).arg(v.Value2).arg(v.Value3);
    QCOMPARE(trail == "nothing thrown" ? read : trail, outcome);
}

void TestDeviceParsers::resetsParametersAndClearsEnumerations()
{
    tDeviceParams p;
    p.LineLen = 2000;
    p.PulseWidth = 10;
    p.AverageTime = 15;
    p.WaveLenNm = {1310};
    p.SelectedWaveLen = 1;
    p.WaveLenGI = {{1310, 1.47f}};
    p.WaveLenBC = {{1310, -80.0f}};
    p.EventsEnabled = 1;
    p.LossThreshold = 0.2;
    p.ReflThreshold = -45;
    p.ReflThresholdValue = -45.5f;
    p.EndThreshold = 3.0;
    p.Reset();
    QCOMPARE(p.LineLen, -1);
    QCOMPARE(p.PulseWidth, -1);
    QCOMPARE(p.AverageTime, -1);
    QVERIFY(p.WaveLenNm.isEmpty());
    QCOMPARE(p.SelectedWaveLen, -1);
    QVERIFY(p.WaveLenGI.isEmpty());
    QCOMPARE(p.EventsEnabled, 0);
    QCOMPARE(p.LossThreshold, 0.0);
    QCOMPARE(p.ReflThreshold, 0);
    QCOMPARE(p.EndThreshold, 0.0);
    QCOMPARE(p.WaveLenBC, (QMap<int, float>{{1310, -80.0f}}));
    QCOMPARE(p.ReflThresholdValue, -45.5f);

    tDeviceEnums e;
    e.LineLen = {2000};
    e.PulseWidth = {10};
    e.AverageTime = {15, -1};
    e.WaveLenNm = {1310};
    e.WaveLenBits = {1};
    e.WaveLenFlag = {{1310, 1}};
    e.mLineLen = {{2000, 2}};
    e.mPulseWidth = {{10, 0}};
    e.mAverageTime = {{15, 0}};
    e.mWaveLen = {{1310, 0}};
    e.Clear();
    QVERIFY(e.LineLen.isEmpty() && e.PulseWidth.isEmpty() && e.AverageTime.isEmpty() && e.WaveLenNm.isEmpty()
            && e.WaveLenBits.isEmpty());
    QVERIFY(e.mLineLen.isEmpty() && e.mPulseWidth.isEmpty() && e.mAverageTime.isEmpty() && e.mWaveLen.isEmpty());
    QCOMPARE(e.WaveLenFlag, (QMap<int, int>{{1310, 1}}));
}

void TestDeviceParsers::readsBlockHeader()
{
    const QByteArray bytes = QByteArray::fromHex("10270000" "0f000000" "0a00" "1e05" "2c010000" "30000000"
                                                 "00120000" "ffff");
    tTraceBlockHeader h;
    h.Read(1.468f, bytes);
    QCOMPARE(h.Spacing, 10000u);
    QCOMPARE(h.Averages, 15u);
    QCOMPARE(h.PulseWidth, 10u);
    QCOMPARE(h.WaveLength, 1310u);
    QCOMPARE(h.FirstWord, 300u);
    QCOMPARE(h.NoiseCount, 48u);
    QCOMPARE(h.WordCount, 4608u);
    QCOMPARE(h.GroupIndex, 1.468f);
    // High bits stay unsigned.
    QCOMPARE(quint32(ReadInt32LE(QByteArray::fromHex("00000080"), 0)), 0x80000000u);
    QCOMPARE(ReadInt16LE(QByteArray::fromHex("ffff"), 0), 0xffff);
}

void TestDeviceParsers::refusesReadsPastTheEnd()
{
    LogCatcher log;
    const QByteArray three("abc");
    QCOMPARE(ReadInt32LE(three, 0), 0);
    QCOMPARE(ReadInt16LE(three, 2), 0);
    QCOMPARE(ReadInt16LE(three, -1), 0);
    QCOMPARE(ReadInt16LE(three, 1), qint32('b' | ('c' << 8)));
    QCOMPARE(log.Texts(QtCriticalMsg).size(), 3);
    QVERIFY(log.Texts(QtCriticalMsg).first().startsWith("ASSERTION FAILED: "));

    // A short block leaves the fields it lacks at 0.
    tTraceBlockHeader h;
    h.Read(1.5f, QByteArray::fromHex("10270000"));
    QCOMPARE(h.Spacing, 10000u);
    QCOMPARE(h.WordCount, 0u);
}

void TestDeviceParsers::buildsAndFreesFileTree()
{
    auto* root = new FInfo(nullptr);
    root->name = "A";
    root->isFolder = 1;
    auto* folder = new FInfo(root);
    folder->name = "B";
    folder->isFolder = 1;
    root->AddChild(folder);
    auto* file = new FInfo(folder);
    file->name = "c";
    folder->AddChild(file);
    auto* other = new FInfo(root);
    other->name = "d";
    root->AddChild(other);
    QCOMPARE(file->GetFullPath(), QString("A\\B\\c"));
    QCOMPARE(root->GetFullPath(), QString("A"));
    QCOMPARE(root->children.size(), 2);
    // The sanitizer run shows that nothing of the tree is left behind.
    delete root;
}

QTEST_GUILESS_MAIN(TestDeviceParsers)
#include "tst_deviceparsers.moc"
