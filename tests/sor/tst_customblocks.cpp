#include "sor/BlockQWMXR01.h"
#include "sor/BlockQWMXR02.h"
#include "support/LogCatcher.h"
#include "support/SingleBlock.h"
#include "support/SorBytes.h"

#include <QtTest>

namespace {

QByteArray qwmxr01Bytes(bool bVersion2, qint32 left, quint16 displayFlag = 0, const QByteArray& name = "QWMXR01")
{
    SorBytes bytes;
    if (bVersion2)
        bytes.Str(name);
    bytes.I32(left).I32(2000).U16(1).U16(350).U16(210).U32(4000000000u).U16(3200).U16(displayFlag);
    return bytes.Bytes();
}

struct tQwmxr02Fields
{
    qint16 HeadValue3 = 3;
    qint16 Group1Item3 = 13;
    qint16 Group2Item3 = 23;
    QByteArray Reserved = QByteArray(6, '\0');
    QByteArray Text = "";
};

void appendGroup(SorBytes& bytes, qint16 item3, const tQwmxr02Fields& fields)
{
    bytes.I16(1).I32(-2).I16(item3).I16(4).I32(5).Raw(fields.Reserved).Str(fields.Text);
    bytes.I32(8).I32(9).I32(-10).I32(11).Str("");
}

QByteArray qwmxr02Bytes(bool bVersion2, const tQwmxr02Fields& fields = {})
{
    SorBytes bytes;
    if (bVersion2)
        bytes.Str("QWMXR02");
    bytes.I32(-2147483647 - 1).I32(2).I16(fields.HeadValue3).I32(4).U16(65535);
    appendGroup(bytes, fields.Group1Item3, fields);
    appendGroup(bytes, fields.Group2Item3, fields);
    bytes.I32(1).I32(2).I32(3).U16(4).I32(5).I32(-6);
    return bytes.Bytes();
}

} // namespace

class TestCustomBlocks : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsFirstBlock_data();
    void roundTripsFirstBlock();
    void writesFirstBlockFields();
    void refusesOutOfRangeFirstBlockValue();
    void keepsFirstBlockOnWrongName();
    void copiesPresenceFlag();
    void roundTripsSecondBlock_data();
    void roundTripsSecondBlock();
    void dropsReservedBytes();
    void neverStoresText6();
    void refusesBadSecondBlockReads_data();
    void refusesBadSecondBlockReads();
};

void TestCustomBlocks::roundTripsFirstBlock_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<int>("size");
    QTest::newRow("later") << true << 30;
    QTest::newRow("earlier") << false << 22;
}

void TestCustomBlocks::roundTripsFirstBlock()
{
    QFETCH(bool, bVersion2);
    QFETCH(int, size);
    const QByteArray bytes = qwmxr01Bytes(bVersion2, -150, 500);
    QCOMPARE(bytes.size(), size);

    bc::CBlockQWMXR01 block;
    SingleBlock io(block, bVersion2);
    QCOMPARE(io.Load(bytes), qint64(size));
    QVERIFY(block.bPresent);
    QCOMPARE(block.lDistToTheLeftMarker_cm.GetValue(), -150.0);
    QCOMPARE(block.lDistToTheRightMarker_cm.GetValue(), 2000.0);
    QCOMPARE(block.usApproxMethod.GetValue(), quint16(1));
    QCOMPARE(block.usLossBetweenMarkers.GetValue(), 350.0f);
    QCOMPARE(block.ulMaxReflBetweenMarkers.GetValue(), 4000000000.0);
    QCOMPARE(block.usDisplayFlag.GetValue(), 0.5f);
    QCOMPARE(io.Save(), bytes);
}

void TestCustomBlocks::writesFirstBlockFields()
{
    bc::CBlockQWMXR01 block;
    block.lDistToTheLeftMarker_cm.GetValue() = -150;
    block.usDisplayFlag.GetValue() = 0.0006f;
    const QByteArray written = SingleBlock(block, true).Save();
    QCOMPARE(written.size(), 30);
    QCOMPARE(written.left(8), QByteArray("QWMXR01\0", 8));
    QCOMPARE(written.mid(8, 4), QByteArray("\x6A\xFF\xFF\xFF", 4));
    QCOMPARE(written.mid(28, 2), QByteArray("\x01\x00", 2));
    QVERIFY(block.bPresent);

    block.usDisplayFlag.GetValue() = 0.0004f;
    QCOMPARE(SingleBlock(block, false).Save().mid(20, 2), QByteArray("\x00\x00", 2));
}

void TestCustomBlocks::refusesOutOfRangeFirstBlockValue()
{
    LogCatcher quiet;
    bc::CBlockQWMXR01 block;
    block.usLossBetweenMarkers.GetValue() = 70000;
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(block, true).Save(); }),
             QString("1:56-2:639-1:98"));
    QVERIFY(!block.bPresent);
}

void TestCustomBlocks::keepsFirstBlockOnWrongName()
{
    LogCatcher quiet;
    bc::CBlockQWMXR01 block;
    block.lDistToTheLeftMarker_cm.GetValue() = 77;
    block.usDisplayFlag.GetValue() = 1.5f;
    QCOMPARE(FailureTrail<EFileLoadInvalidFormat>(
                 [&] { SingleBlock(block, true).Load(qwmxr01Bytes(true, -150, 0, "QWMXR02")); }),
             QString("1:51-2:634-1:80"));
    QVERIFY(!block.bPresent);
    QCOMPARE(block.lDistToTheLeftMarker_cm.GetValue(), 77.0);
    QCOMPARE(block.lDistToTheRightMarker_cm.GetValue(), 0.0);
    QCOMPARE(block.usDisplayFlag.GetValue(), 1.5f);
}

void TestCustomBlocks::copiesPresenceFlag()
{
    bc::CBlockQWMXR01 block;
    SingleBlock(block, false).Load(qwmxr01Bytes(false, 5));
    sor::tCustomQWMXR01 copy;
    copy = block;
    QVERIFY(copy.bPresent);
    QCOMPARE(copy.lDistToTheLeftMarker_cm.GetValue(), 5.0);
}

void TestCustomBlocks::roundTripsSecondBlock_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("size");
    QTest::newRow("later, empty texts") << true << QByteArray() << 122;
    QTest::newRow("earlier, empty texts") << false << QByteArray() << 114;
    QTest::newRow("later, two texts") << true << QByteArray("abc") << 128;
}

void TestCustomBlocks::roundTripsSecondBlock()
{
    QFETCH(bool, bVersion2);
    QFETCH(QByteArray, text);
    QFETCH(int, size);
    tQwmxr02Fields fields;
    fields.Text = text;
    const QByteArray bytes = qwmxr02Bytes(bVersion2, fields);
    QCOMPARE(bytes.size(), size);

    bc::CBlockQWMXR02 block;
    SingleBlock io(block, bVersion2);
    QCOMPARE(io.Load(bytes), qint64(size));
    QVERIFY(block.bPresent);
    QCOMPARE(block.lHeadValue1.GetValue(), -2147483648.0);
    QCOMPARE(block.usHeadValue5.GetValue(), quint16(65535));
    QCOMPARE(block.Group1.lItem2.GetValue(), -2.0);
    QCOMPARE(block.Group2.sItem3.GetValue(), 23.0f);
    QCOMPARE(block.Group2.Text7.GetValue(), QString::fromLatin1(text));
    QCOMPARE(block.lTailValue6.GetValue(), -6.0);
    QCOMPARE(io.Save(), bytes);
}

void TestCustomBlocks::dropsReservedBytes()
{
    tQwmxr02Fields fields;
    fields.Reserved = QByteArray("\x01\xFF\x7F\x80zz", 6);
    bc::CBlockQWMXR02 block;
    block.Group1.Text6.GetValue() = "kept";
    SingleBlock io(block, true);
    io.Load(qwmxr02Bytes(true, fields));
    QCOMPARE(block.Group1.Text6.GetValue(), QString("kept"));
    QCOMPARE(block.Group1.Text7.GetValue(), QString());

    const QByteArray written = io.Save();
    QCOMPARE(written, qwmxr02Bytes(true));
    QCOMPARE(written.mid(38, 6), QByteArray(6, '\0'));
}

void TestCustomBlocks::neverStoresText6()
{
    bc::CBlockQWMXR02 block;
    block.Group1.Text6.GetValue() = "secret";
    block.Group2.Text6.GetValue() = "secret";
    const QByteArray written = SingleBlock(block, false).Save();
    QCOMPARE(written.size(), 114);
    QVERIFY(!written.contains("secret"));
}

void TestCustomBlocks::refusesBadSecondBlockReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("trail");
    tQwmxr02Fields head;
    head.HeadValue3 = -5;
    tQwmxr02Fields first;
    first.Group1Item3 = -1;
    tQwmxr02Fields second;
    second.Group2Item3 = -1;
    QTest::newRow("sHeadValue3 -5") << qwmxr02Bytes(true, head) << "1:51-2:679-1:80";
    QTest::newRow("Group1 sItem3") << qwmxr02Bytes(true, first) << "1:51-2:686-1:80";
    QTest::newRow("Group2 sItem3") << qwmxr02Bytes(true, second) << "1:51-2:704-1:80";
    QTest::newRow("wrong name") << qwmxr02Bytes(true).replace(6, 1, "1") << "1:51-2:676-1:80";
    QTest::newRow("cut in reserved") << qwmxr02Bytes(true).left(40) << "1:145-2:692-1:80";
    QTest::newRow("cut in tail") << qwmxr02Bytes(true).chopped(1) << "1:145-2:725-1:80";
}

void TestCustomBlocks::refusesBadSecondBlockReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, trail);
    LogCatcher quiet;
    bc::CBlockQWMXR02 block;
    QCOMPARE(FailureTrail<EFileLoadInvalidFormat>([&] { SingleBlock(block, true).Load(bytes); }), trail);
    QVERIFY(!block.bPresent);
}

QTEST_GUILESS_MAIN(TestCustomBlocks)
#include "tst_customblocks.moc"
