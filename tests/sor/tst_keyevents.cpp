#include "sor/BlockInfo.h"
#include "sor/KeyEvents.h"
#include "support/LogCatcher.h"
#include "support/SingleBlock.h"
#include "support/SorBytes.h"

#include <QtTest>

namespace {

struct tEventFields
{
    qint16 Number = 1;
    qint32 Time = 0;
    qint16 Attenuation = 0;
    qint16 Loss = 0;
    qint32 Reflectance = 0;
    char Type = '0';
    char Origin = 'A';
    QByteArray Landmark = "9999";
    QByteArray Technique = "LS";
    qint32 Markers[5] = {0, 0, 0, 0, 0};
    QByteArray Comment;
};

struct tTailFields
{
    qint32 EndToEndLoss = 0;
    qint32 EndToEndStart = 0;
    qint32 EndToEndFinish = 1;
    quint16 ReturnLoss = 0;
    qint32 ReturnLossStart = 0;
    qint32 ReturnLossFinish = 1;
};

void appendEvent(SorBytes& bytes, const tEventFields& e, bool bVersion2)
{
    bytes.I16(e.Number).I32(e.Time).I16(e.Attenuation).I16(e.Loss).I32(e.Reflectance);
    bytes.U8(quint8(e.Type)).U8(quint8(e.Origin)).Raw(e.Landmark).Raw(e.Technique);
    if (bVersion2) {
        for (qint32 marker : e.Markers)
            bytes.I32(marker);
    }
    bytes.Str(e.Comment);
}

QByteArray blockBytes(const QList<tEventFields>& events, bool bVersion2, const tTailFields& tail = {},
                      qint16 count = -1)
{
    SorBytes bytes;
    if (bVersion2)
        bytes.Str("KeyEvents");
    bytes.I16(count == -1 ? qint16(events.size()) : count);
    for (const tEventFields& e : events)
        appendEvent(bytes, e, bVersion2);
    bytes.I32(tail.EndToEndLoss).I32(tail.EndToEndStart).I32(tail.EndToEndFinish);
    bytes.U16(tail.ReturnLoss).I32(tail.ReturnLossStart).I32(tail.ReturnLossFinish);
    return bytes.Bytes();
}

QStringList namesOf(const std::vector<bc::CBlockInfo>& infos)
{
    QStringList names;
    for (const bc::CBlockInfo& info : infos)
        names << QString::fromStdString(info.GetName());
    return names;
}

std::vector<bc::CBlockInfo> entriesNamed(const QStringList& names)
{
    std::vector<bc::CBlockInfo> infos;
    for (const QString& name : names)
        infos.emplace_back(name.toStdString(), 200);
    return infos;
}

} // namespace

class TestKeyEvents : public QObject
{
    Q_OBJECT

private slots:
    void writesOneEventInEachLayout_data();
    void writesOneEventInEachLayout();
    void readsEventFields();
    void roundTripsBlockUnchanged_data();
    void roundTripsBlockUnchanged();
    void readsUnknownLossTechniqueAsLeastSquares();
    void refusesBadReads_data();
    void refusesBadReads();
    void refusesBadWrites();
    void refusesListTooLongForItsCount();
    void comparesEventsMemberByMember();
    void updatesMapEntry_data();
    void updatesMapEntry();
    void addsEntryWithPlaceholderHeader();
    void logsMissingDataPoints();
};

void TestKeyEvents::writesOneEventInEachLayout_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<int>("size");
    QTest::newRow("later") << true << 77;
    QTest::newRow("earlier") << false << 47;
}

void TestKeyEvents::writesOneEventInEachLayout()
{
    QFETCH(bool, bVersion2);
    QFETCH(int, size);
    bc::CKeyEvents block;
    sor::tKeyEvent event;
    event.Number.GetValue() = 1;
    event.MarkerPositions[2].GetValue() = 1.5;
    block.GetKeyEventList().push_back(event);

    const QByteArray written = SingleBlock(block, bVersion2).Save();
    QCOMPARE(written.size(), size);

    tEventFields expected;
    expected.Attenuation = 1000; // the default 1.0 dB/km
    expected.Markers[2] = 1500;
    QCOMPARE(written, blockBytes({expected}, bVersion2));
}

void TestKeyEvents::readsEventFields()
{
    tEventFields fields;
    fields.Number = 7;
    fields.Time = 123456;
    fields.Attenuation = -350;
    fields.Loss = 120;
    fields.Reflectance = -45000;
    fields.Type = '1';
    fields.Origin = 'D';
    fields.Technique = "2P";
    fields.Markers[0] = 10;
    fields.Markers[4] = 2000000;
    fields.Comment = "splice";

    bc::CKeyEvents block;
    SingleBlock io(block, true);
    QCOMPARE(io.Load(blockBytes({fields, fields}, true)), qint64(blockBytes({fields, fields}, true).size()));
    QCOMPARE(int(block.GetKeyEventList().size()), 2);
    const sor::tKeyEvent& e = block.GetKeyEventList().front();
    QCOMPARE(e.Number.GetValue(), 7u);
    QCOMPARE(e.PropagationTime.GetValue(), 12345.6);
    QCOMPARE(e.AttenuationCoefficient.GetValue(), -0.35f);
    QCOMPARE(e.EventLoss.GetValue(), 0.12f);
    QCOMPARE(e.Reflectance.GetValue(), -45.0);
    QCOMPARE(e.EventType, 1);
    QCOMPARE(e.EventOrigin, 5);
    QCOMPARE(e.LossTechnique, 0);
    QCOMPARE(e.MarkerPositions[0].GetValue(), 0.01);
    QCOMPARE(e.MarkerPositions[4].GetValue(), 2000.0);
    QCOMPARE(e.Comment.GetValue(), QStringLiteral("splice"));

    // The earlier layout carries no marker positions: they stay at zero.
    bc::CKeyEvents earlier;
    SingleBlock(earlier, false).Load(blockBytes({fields}, false));
    for (const auto& marker : earlier.GetKeyEventList().front().MarkerPositions)
        QCOMPARE(marker.GetValue(), 0.0);
}

void TestKeyEvents::roundTripsBlockUnchanged_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<QByteArray>("landmark");
    QTest::newRow("later, odd landmark") << true << QByteArray("\x00\xFF\x7F" "a", 4);
    QTest::newRow("earlier, default landmark") << false << QByteArray("9999");
}

void TestKeyEvents::roundTripsBlockUnchanged()
{
    QFETCH(bool, bVersion2);
    QFETCH(QByteArray, landmark);
    tEventFields first;
    first.Landmark = landmark;
    first.Comment = "first";
    tEventFields second;
    second.Number = 2;
    second.Origin = 'E';
    tTailFields tail;
    tail.EndToEndLoss = -12345;
    tail.EndToEndStart = -7;
    tail.EndToEndFinish = 2147483647;
    tail.ReturnLoss = 65535;
    tail.ReturnLossStart = 42;
    tail.ReturnLossFinish = -2147483647 - 1;
    const QByteArray bytes = blockBytes({first, second}, bVersion2, tail);

    bc::CKeyEvents block;
    SingleBlock io(block, bVersion2);
    io.Load(bytes);
    QCOMPARE(QByteArray(block.GetKeyEventList().front().Landmark, 4), landmark);
    QCOMPARE(block.GetEndToEndLoss(), -12345);
    QCOMPARE(block.GetEndToEndMarkerStart(), -7);
    QCOMPARE(block.GetEndToEndMarkerFinish(), 2147483647);
    QCOMPARE(block.GetOpticalReturnLoss(), 65535);
    QCOMPARE(block.GetReturnLossMarkerStart(), 42);
    QCOMPARE(block.GetReturnLossMarkerFinish(), -2147483647 - 1);
    QCOMPARE(io.Save(), bytes);
}

void TestKeyEvents::readsUnknownLossTechniqueAsLeastSquares()
{
    tEventFields fields;
    fields.Technique = "ZZ";
    const QByteArray foreign = blockBytes({fields}, true);
    bc::CKeyEvents block;
    SingleBlock io(block, true);
    io.Load(foreign);
    QCOMPARE(block.GetKeyEventList().front().LossTechnique, 1);
    // Shown as least squares, but a save without an edit keeps the code.
    QCOMPARE(io.Save(), foreign);

    block.GetKeyEventList().front().LossTechnique = 0;
    fields.Technique = "2P";
    QCOMPARE(io.Save(), blockBytes({fields}, true));
}

void TestKeyEvents::refusesBadReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("trail");

    tEventFields good;
    tEventFields badOrigin;
    badOrigin.Origin = 'X';
    tEventFields badType;
    badType.Type = '3';
    tEventFields unnumbered;
    unnumbered.Number = 0;
    tEventFields negativeTime;
    negativeTime.Time = -1;

    QTest::newRow("origin X") << blockBytes({badOrigin}, true) << "1:41-2:376-2:418-1:80";
    QTest::newRow("type 3") << blockBytes({badType}, true) << "1:41-2:375-2:418-1:80";
    QTest::newRow("event number 0") << blockBytes({unnumbered}, true) << "1:51-2:370-2:418-1:80";
    QTest::newRow("negative time") << blockBytes({negativeTime}, true) << "1:51-2:371-2:418-1:80";
    QTest::newRow("count 0") << blockBytes({good}, true, {}, 0) << "2:409-1:80";
    QTest::newRow("count negative") << blockBytes({good}, true, {}, -2) << "2:409-1:80";
    QTest::newRow("wrong name") << blockBytes({good}, true).replace(0, 3, "Yek") << "1:51-2:404-1:80";
    QTest::newRow("count beyond the events") << blockBytes({good}, true, {}, 2).left(12 + 43)
                                             << "1:145-2:370-2:418-1:80";
    QTest::newRow("tail cut short") << blockBytes({good}, true).chopped(3) << "1:145-2:393-2:434-1:80";
}

void TestKeyEvents::refusesBadReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, trail);
    LogCatcher quiet;
    bc::CKeyEvents block;
    QCOMPARE(FailureTrail<EFileLoadInvalidFormat>([&] { SingleBlock(block, true).Load(bytes); }), trail);
}

void TestKeyEvents::refusesBadWrites()
{
    LogCatcher quiet;
    bc::CKeyEvents empty;
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(empty, true).Save(); }), QString("2:399-1:98"));

    bc::CKeyEvents unnumbered;
    unnumbered.GetKeyEventList().emplace_back();
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(unnumbered, true).Save(); }),
             QString("1:56-2:370-2:427-1:98"));

    bc::CKeyEvents badIndex;
    sor::tKeyEvent event;
    event.Number.GetValue() = 1;
    event.LossTechnique = 2;
    badIndex.GetKeyEventList().push_back(event);
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(badIndex, false).Save(); }),
             QString("1:56-2:378-2:427-1:98"));
}

void TestKeyEvents::refusesListTooLongForItsCount()
{
    LogCatcher quiet;
    bc::CKeyEvents block;
    sor::tKeyEvent event;
    event.Number.GetValue() = 1;
    block.GetKeyEventList().resize(32767, event);
    QVERIFY(!SingleBlock(block, false).Save().isEmpty());

    block.GetKeyEventList().push_back(event);
    QCOMPARE(FailureTrail<EInternalError>([&] { SingleBlock(block, false).Save(); }), QString("2:411-1:98"));
}

void TestKeyEvents::comparesEventsMemberByMember()
{
    sor::tKeyEvent a;
    a.Comment.GetValue() = "x";
    sor::tKeyEvent b = a;
    QVERIFY(a == b);
    b.Landmark[3] = '8';
    QVERIFY(a != b);
    b = a;
    b.MarkerPositions[4].GetValue() = 0.001;
    QVERIFY(a != b);
    b = a;
    b.Comment.GetValue() = "y";
    QVERIFY(a != b);
}

void TestKeyEvents::updatesMapEntry_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<bool>("bHasEvents");
    QTest::addColumn<QStringList>("after");

    const QStringList plain = {"GenParams", "FxdParams", "DataPts", "Cksum"};
    const QStringList withEvents = {"GenParams", "FxdParams", "KeyEvents", "DataPts", "Cksum"};
    QTest::newRow("events appear") << plain << true << withEvents;
    QTest::newRow("events stay") << withEvents << true << withEvents;
    QTest::newRow("events go") << withEvents << false << plain;
    QTest::newRow("still none") << plain << false << plain;
    QTest::newRow("after raw blocks")
        << QStringList{"GenParams", "LnkParams", "DataPts", "QWMXR01", "Cksum"} << true
        << QStringList{"GenParams", "LnkParams", "KeyEvents", "DataPts", "QWMXR01", "Cksum"};
    QTest::newRow("no data points") << QStringList{"GenParams", "Cksum"} << true
                                    << QStringList{"GenParams", "KeyEvents", "Cksum"};
    QTest::newRow("no data points, no checksum") << QStringList{"GenParams"} << true
                                                 << QStringList{"GenParams", "KeyEvents"};
}

void TestKeyEvents::updatesMapEntry()
{
    QFETCH(QStringList, before);
    QFETCH(bool, bHasEvents);
    QFETCH(QStringList, after);
    LogCatcher quiet;
    std::vector<bc::CBlockInfo> infos = entriesNamed(before);
    bc::UpdateKeyEventsBlockInfo(infos, bHasEvents);
    QCOMPARE(namesOf(infos), after);
}

void TestKeyEvents::addsEntryWithPlaceholderHeader()
{
    std::vector<bc::CBlockInfo> infos = entriesNamed({"GenParams", "FxdParams", "DataPts", "Cksum"});
    bc::UpdateKeyEventsBlockInfo(infos, true);
    QCOMPARE(infos[2].GetRevision(), quint16(1));
    QCOMPARE(infos[2].GetSize(), quint32(1));
    QCOMPARE(infos[3].GetRevision(), quint16(200));
}

void TestKeyEvents::logsMissingDataPoints()
{
    const QString message = "ASSERTION FAILED: iDataPts != BlockMap.GetBlockInfos().end()";
    LogCatcher log;
    std::vector<bc::CBlockInfo> infos = entriesNamed({"GenParams", "DataPts", "Cksum"});
    bc::UpdateKeyEventsBlockInfo(infos, true);
    QCOMPARE(log.Count(QtCriticalMsg, message), 0);

    infos = entriesNamed({"GenParams", "Cksum"});
    bc::UpdateKeyEventsBlockInfo(infos, true);
    QCOMPARE(log.Count(QtCriticalMsg, message), 1);
}

QTEST_GUILESS_MAIN(TestKeyEvents)
#include "tst_keyevents.moc"
