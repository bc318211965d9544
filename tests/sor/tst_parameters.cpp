#include "core/Exception.h"
#include "sor/FileStream.h"
#include "sor/FixedParameters.h"
#include "sor/GeneralParameters.h"
#include "sor/SupplierParameters.h"
#include "support/BlockHarness.h"
#include "support/LogCatcher.h"
#include "support/SorBytes.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

struct tBlock
{
    QByteArray Name;
    QByteArray Bytes;
};

// A whole file: the map, then the blocks in the given order.
QByteArray fileWith(bool bVersion2, const QList<tBlock>& blocks)
{
    int mapSize = (bVersion2 ? 4 : 0) + 8;
    for (const tBlock& block : blocks)
        mapSize += block.Name.size() + 7;
    SorBytes bytes;
    if (bVersion2)
        bytes.Str("Map");
    bytes.U16(100).I32(mapSize).I16(qint16(blocks.size() + 1));
    for (const tBlock& block : blocks)
        bytes.Str(block.Name).U16(200).U32(quint32(block.Bytes.size()));
    for (const tBlock& block : blocks)
        bytes.Raw(block.Bytes);
    return bytes.Bytes();
}

// Field values of a fixed-parameters block as stored.
struct tFxd
{
    quint32 Time = 1500000000;
    QByteArray Unit = "mt";
    qint16 Wavelength = 15500;
    qint32 Offset = -20;
    quint32 OffsetDistance = 7;
    int Count = -1; // -1: the number of widths
    QList<qint16> Widths{10};
    QList<qint32> Spacings{25000};
    QList<qint32> Points{1000};
    qint32 GroupIndex = 146800;
    qint16 Backscatter = 800;
    qint32 Averages = 3;
    quint16 AveragingTime = 300;
    qint32 Range = 500000;
    qint32 RangeDistance = 50000;
    qint32 FrontPanel = 5;
    quint16 Noise = 30000;
    qint16 Factor = 1;
    quint16 Power = 2;
    quint16 Loss = 50;
    quint16 Refl = 40000;
    quint16 End = 3000;
    QByteArray Type = "RT";
    qint32 Window[4] = {1, 2, 3, 4};
};

QByteArray fxdBytes(bool bVersion2, const tFxd& f)
{
    SorBytes b;
    if (bVersion2)
        b.Str("FxdParams");
    b.U32(f.Time).Raw(f.Unit).I16(f.Wavelength).I32(f.Offset);
    if (bVersion2)
        b.U32(f.OffsetDistance);
    b.I16(qint16(f.Count == -1 ? f.Widths.size() : f.Count));
    for (qint16 width : f.Widths)
        b.I16(width);
    for (qint32 spacing : f.Spacings)
        b.I32(spacing);
    for (qint32 points : f.Points)
        b.I32(points);
    b.I32(f.GroupIndex).I16(f.Backscatter).I32(f.Averages);
    if (bVersion2)
        b.U16(f.AveragingTime);
    b.I32(f.Range);
    if (bVersion2)
        b.I32(f.RangeDistance);
    b.I32(f.FrontPanel).U16(f.Noise).I16(f.Factor).U16(f.Power).U16(f.Loss).U16(f.Refl).U16(f.End);
    if (bVersion2) {
        b.Raw(f.Type);
        for (qint32 coordinate : f.Window)
            b.I32(coordinate);
    }
    return b.Bytes();
}

tFxd threeWidths()
{
    tFxd f;
    f.Widths = {10, 100, 1000};
    f.Spacings = {25000, 50000, 100000};
    f.Points = {16000, 8000, 4000};
    return f;
}

// A general-parameters record that can be written.
void fillGeneral(bc::CGeneralParameters& general)
{
    general.SetLanguage(6);
    general.CableId.GetValue() = "A";
    general.FiberType.GetValue() = 652;
    general.NominalWavelength.GetValue() = 1550;
    general.CurrentDataFlag = 0;
}

} // namespace

class TestParameters : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void writesGeneralParameters_data();
    void writesGeneralParameters();
    void decodesTextsWithLanguageCodec_data();
    void decodesTextsWithLanguageCodec();
    void refusesDamagedBlock_data();
    void refusesDamagedBlock();
    void refusesWriting_data();
    void refusesWriting();
    void roundTripsFixedParameters_data();
    void roundTripsFixedParameters();
    void scalesNoiseFloor_data();
    void scalesNoiseFloor();
    void comparesEditableFixedParameters();
    void comparesEditableGeneralParameters_data();
    void comparesEditableGeneralParameters();
    void comparesEverySupplierText();

private:
    QString path() const { return m_dir->filePath("trace.sor"); }

    // Loads bytes into the three blocks; returns the failure's trail or "".
    QString load(const QByteArray& bytes);
    // Saves the blocks listed in the map; returns the failure's trail or "".
    QString save(bool bVersion2, const QList<QByteArray>& names);
    // The bytes of the only block of the file just saved.
    QByteArray savedBlock();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<bc::CFileStream> m_stream;
    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<bc::CGeneralParameters> m_general;
    std::unique_ptr<bc::CSupplierParameters> m_supplier;
    std::unique_ptr<bc::CFixedParameters> m_fixed;
};

void TestParameters::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_stream = std::make_unique<bc::CFileStream>(path());
    m_general = std::make_unique<bc::CGeneralParameters>();
    m_supplier = std::make_unique<bc::CSupplierParameters>();
    m_fixed = std::make_unique<bc::CFixedParameters>();
    m_root = std::make_unique<TestRoot>();
    m_root->Register("GenParams", *m_general, 547);
    m_root->Register("SupParams", *m_supplier, 549);
    m_root->Register("FxdParams", *m_fixed, 551);
}

QString TestParameters::load(const QByteArray& bytes)
{
    WriteFileBytes(path(), bytes);
    try {
        m_stream->Load(*m_root);
    } catch (const Exception& e) {
        return TrailOf(e);
    }
    return QString();
}

QString TestParameters::save(bool bVersion2, const QList<QByteArray>& names)
{
    m_root->Map.GetBlockInfos().clear();
    for (const QByteArray& name : names)
        m_root->Map.GetBlockInfos().emplace_back(name.toStdString(), 200);
    m_stream->SetVersion2(bVersion2);
    try {
        m_stream->Save(*m_root);
    } catch (const Exception& e) {
        return TrailOf(e);
    }
    return QString();
}

QByteArray TestParameters::savedBlock()
{
    return ReadFileBytes(path()).mid(int(m_root->Map.GetSize()));
}

void TestParameters::writesGeneralParameters_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("later") << true
                           << QByteArray::fromHex("47656e506172616d7300" "5255" "4100" "00" "8c02" "0e06" "000000" "4343"
                                                  "00000000" "00000000" "0000");
    QTest::newRow("earlier") << false
                             << QByteArray::fromHex("5255" "4100" "00" "0e06" "000000" "4343" "00000000" "0000");
}

void TestParameters::writesGeneralParameters()
{
    QFETCH(bool, bVersion2);
    QFETCH(QByteArray, expected);
    LogCatcher log;
    fillGeneral(*m_general);
    QCOMPARE(save(bVersion2, {"GenParams"}), QString());
    QCOMPARE(savedBlock().toHex(' '), expected.toHex(' '));
    QCOMPARE(savedBlock().size(), bVersion2 ? 34 : 18);

    // Reading it back into a fresh block gives the same record.
    init();
    QCOMPARE(load(fileWith(bVersion2, {{"GenParams", expected}})), QString());
    QVERIFY(m_general->LanguageCode == tCode("RU"));
    QCOMPARE(m_general->CableId.GetValue(), QString("A"));
    QCOMPARE(m_general->FiberType.GetValue(), short(bVersion2 ? 652 : 0));
    QCOMPARE(m_general->NominalWavelength.GetValue(), 1550.0f);
    QCOMPARE(m_general->CurrentDataFlag, 0);
}

void TestParameters::decodesTextsWithLanguageCodec_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("decoded");
    // 0xE8 is one letter in Windows-1251 (the locale codec) and another
    // in Windows-1250.
    QTest::newRow("RU") << QByteArray("RU") << QString(QChar(0x0438));
    QTest::newRow("FR") << QByteArray("FR") << QString(QChar(0x010D));
    QTest::newRow("EN") << QByteArray("EN") << QString(QChar(0x0438));
    QTest::newRow("unknown") << QByteArray("XX") << QString(QChar(0x0438));
}

void TestParameters::decodesTextsWithLanguageCodec()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, decoded);
    LogCatcher log;
    const QByteArray general = SorBytes()
                                   .Str("GenParams").Raw(language).Str("\xe8").Str("").I16(652).I16(1310)
                                   .Str("").Str("").Str("").Raw("ZZ").I32(0).U32(0).Str("").Str("")
                                   .Bytes();
    const QByteArray supplier = SorBytes().Str("SupParams").Str("\xe8").Str("").Str("").Str("").Str("").Str("").Str("")
                                    .Bytes();
    m_general->CurrentDataFlag = 2;
    QCOMPARE(load(fileWith(true, {{"GenParams", general}, {"SupParams", supplier}})), QString());
    QCOMPARE(m_general->CableId.GetValue(), decoded);
    QCOMPARE(m_supplier->SupplierName.GetValue(), decoded);
    // A data flag code outside the set keeps the held index.
    QCOMPARE(m_general->CurrentDataFlag, 2);

    // Written back in the same codec; an unknown language code unchanged.
    QCOMPARE(save(true, {"GenParams"}), QString());
    const QByteArray written = savedBlock();
    QCOMPARE(written.mid(10, 2), language);
    QCOMPARE(written.mid(12, 2), QByteArray("\xe8\0", 2));
}

void TestParameters::refusesDamagedBlock_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("trail");

    SorBytes general;
    general.Str("GenParams").Raw("EN").Str("").Str("").I16(700).I16(1310).Str("").Str("").Str("").Raw("CC")
        .I32(0).U32(0).Str("").Str("");
    QTest::newRow("fibre type 700") << fileWith(true, {{"GenParams", general.Bytes()}}) << "1:51-2:249-2:130-2:547-1:80";

    const QByteArray name32(32, 'n');
    const QByteArray supplier = SorBytes().Str("SupParams").Str(name32).Str("").Str("").Str("").Str("").Str("").Str("")
                                    .Bytes();
    QTest::newRow("supplier name of 32 characters")
        << fileWith(true, {{"SupParams", supplier}}) << "1:211-2:268-2:130-2:549-1:80";

    const auto fixed = [](int offset, const QByteArray& patch) {
        QByteArray bytes = fxdBytes(true, tFxd());
        bytes.replace(offset, patch.size(), patch);
        return fileWith(true, {{"FxdParams", bytes}});
    };
    // Offsets in a later-layout block with one pulse width.
    QTest::newRow("group index 119999")
        << fixed(38, SorBytes().I32(119999).Bytes()) << "1:51-2:321-2:130-2:551-1:80";
    QTest::newRow("group index 160001")
        << fixed(38, SorBytes().I32(160001).Bytes()) << "1:51-2:321-2:130-2:551-1:80";
    QTest::newRow("backscatter 399") << fixed(42, SorBytes().I16(399).Bytes()) << "1:51-2:322-2:130-2:551-1:80";
    QTest::newRow("wavelength 0") << fixed(16, SorBytes().I16(0).Bytes()) << "1:51-2:285-2:130-2:551-1:80";
    QTest::newRow("pulse width -5") << fixed(28, SorBytes().I16(-5).Bytes()) << "1:51-2:310-2:130-2:551-1:80";
    QTest::newRow("negative window coordinate")
        << fixed(80, SorBytes().I32(-1).Bytes()) << "1:51-2:362-2:130-2:551-1:80";

    tFxd none;
    none.Count = 0;
    QTest::newRow("no pulse widths")
        << fileWith(true, {{"FxdParams", fxdBytes(true, none)}}) << "2:303-2:130-2:551-1:80";
    tFxd negative;
    negative.Count = -1;
    negative.Widths = {};
    negative.Spacings = {};
    negative.Points = {};
    QByteArray negativeBytes = fxdBytes(false, negative);
    negativeBytes.replace(12, 2, SorBytes().I16(-1).Bytes());
    QTest::newRow("negative pulse-width count")
        << fileWith(false, {{"FxdParams", negativeBytes}}) << "2:303-2:130-2:551-1:80";
    QTest::newRow("block cut short")
        << fileWith(false, {{"FxdParams", fxdBytes(false, tFxd()).left(20)}}) << "1:145-2:314-2:130-2:551-1:80";
}

void TestParameters::refusesDamagedBlock()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, trail);
    LogCatcher log;
    QCOMPARE(load(bytes), trail);
}

void TestParameters::refusesWriting_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<QString>("trail");
    QTest::newRow("default general, later") << 0 << true << "1:56-2:249-2:130-2:547-1:98";
    QTest::newRow("default general, earlier") << 0 << false << "1:56-2:251-2:130-2:547-1:98";
    QTest::newRow("data flag outside its set") << 1 << true << "1:56-2:255-2:130-2:547-1:98";
    QTest::newRow("supplier name of 32 characters") << 2 << true << "1:213-2:268-2:130-2:549-1:98";
    QTest::newRow("empty pulse-width table") << 3 << true << "2:280-2:130-2:551-1:98";
    QTest::newRow("32768 pulse widths") << 4 << false << "2:305-2:130-2:551-1:98";
    QTest::newRow("current pulse width 0") << 5 << true << "1:56-2:310-2:130-2:551-1:98";
    QTest::newRow("distance unit outside its set") << 6 << true << "1:56-2:284-2:130-2:551-1:98";
    QTest::newRow("trace type outside its set") << 7 << true << "1:56-2:360-2:130-2:551-1:98";
    QTest::newRow("noise floor -70 dB") << 8 << false << "1:56-2:348-2:130-2:551-1:98";
}

void TestParameters::refusesWriting()
{
    QFETCH(int, kind);
    QFETCH(bool, bVersion2);
    QFETCH(QString, trail);
    LogCatcher log;
    QByteArray block = "FxdParams";
    if (kind >= 4)
        QCOMPARE(load(fileWith(false, {{"FxdParams", fxdBytes(false, tFxd())}})), QString());
    switch (kind) {
    case 0: block = "GenParams"; break;
    case 1:
        block = "GenParams";
        fillGeneral(*m_general);
        m_general->CurrentDataFlag = 4;
        break;
    case 2:
        block = "SupParams";
        m_supplier->SupplierName.GetValue() = QString(32, 'n');
        break;
    case 3: break;
    case 4: m_fixed->PulseWidths.resize(32768, m_fixed->PulseWidths[0]); break;
    case 5: m_fixed->PulseWidth.GetValue() = 0; break;
    case 6: m_fixed->DistanceUnit = 5; break;
    case 7: m_fixed->TraceType = -1; break;
    default: m_fixed->NoiseFloorLevel.GetValue() = -70; break;
    }
    QCOMPARE(save(bVersion2, {block}), trail);
}

void TestParameters::roundTripsFixedParameters_data()
{
    QTest::addColumn<bool>("bVersion2");
    QTest::addColumn<bool>("bThree");
    QTest::addColumn<int>("size");
    QTest::newRow("later, one width") << true << false << 92;
    QTest::newRow("earlier, one width") << false << false << 54;
    QTest::newRow("later, three widths") << true << true << 112;
    QTest::newRow("earlier, three widths") << false << true << 74;
}

void TestParameters::roundTripsFixedParameters()
{
    QFETCH(bool, bVersion2);
    QFETCH(bool, bThree);
    QFETCH(int, size);
    LogCatcher log;
    tFxd stored = bThree ? threeWidths() : tFxd();
    stored.Unit = "kf";
    stored.AveragingTime = 305;
    const QByteArray original = fxdBytes(bVersion2, stored);
    QCOMPARE(original.size(), size);
    QCOMPARE(load(fileWith(bVersion2, {{"FxdParams", original}})), QString());

    const bc::CFixedParameters& f = *m_fixed;
    QCOMPARE(f.DateTime, QDateTime::fromSecsSinceEpoch(1500000000, Qt::UTC));
    QCOMPARE(f.DistanceUnit, 3);
    QCOMPARE(f.ActualWavelength.GetValue(), 1550.0f);
    QCOMPARE(f.AcquisitionOffset.GetValue(), -2.0);
    QCOMPARE(f.PulseWidths.size(), size_t(bThree ? 3 : 1));
    QCOMPARE(f.PulseWidths.back().DataPoints, bThree ? 4000 : 1000);
    QCOMPARE(f.PulseWidth.GetValue(), 10.0f);
    QCOMPARE(f.DataSpacing.GetValue(), 0.25);
    QCOMPARE(f.GroupIndex.GetValue(), 1.468);
    QCOMPARE(f.BackscatterCoefficient.GetValue(), -80.0f);
    QCOMPARE(f.NumberOfAverages.GetValue(), 3u);
    QCOMPARE(f.AcquisitionRange.GetValue(), 50000.0);
    QCOMPARE(f.NoiseFloorLevel.GetValue(), -30.0);
    QCOMPARE(f.ReflThreshold.GetValue(), -40.0f);
    // Later-layout members keep their values in the earlier layout.
    QCOMPARE(f.AveragingTime.GetValue(), bVersion2 ? 30u : 0u);
    QCOMPARE(f.TraceType, bVersion2 ? 1 : 0);
    QCOMPARE(f.WindowCoordinates[3].GetValue(), bVersion2 ? 4 : 0);

    // Writing back: whole seconds of averaging time, and the current pulse
    // width replaces the first entry only.
    m_fixed->PulseWidth.GetValue() = 77;
    QCOMPARE(save(bVersion2, {"FxdParams"}), QString());
    stored.AveragingTime = 300;
    stored.Widths[0] = 77;
    QCOMPARE(savedBlock().toHex(' '), fxdBytes(bVersion2, stored).toHex(' '));
    QCOMPARE(m_fixed->PulseWidths[0].PulseWidth.GetValue(), 77.0f);
}

void TestParameters::scalesNoiseFloor_data()
{
    QTest::addColumn<int>("storedLevel");
    QTest::addColumn<int>("storedFactor");
    QTest::addColumn<double>("level");
    QTest::addColumn<int>("writtenLevel");
    QTest::addColumn<int>("writtenFactor");
    QTest::newRow("factor 1") << 30000 << 1 << -30.0 << 30000 << 1;
    QTest::newRow("factor 2") << 30000 << 2 << -60.0 << 30000 << 2;
    QTest::newRow("factor 0") << 30000 << 0 << 0.0 << 0 << 1;
}

void TestParameters::scalesNoiseFloor()
{
    QFETCH(int, storedLevel);
    QFETCH(int, storedFactor);
    QFETCH(double, level);
    QFETCH(int, writtenLevel);
    QFETCH(int, writtenFactor);
    LogCatcher log;
    tFxd stored;
    stored.Noise = quint16(storedLevel);
    stored.Factor = qint16(storedFactor);
    QCOMPARE(load(fileWith(false, {{"FxdParams", fxdBytes(false, stored)}})), QString());
    QCOMPARE(m_fixed->NoiseFloorLevel.GetValue() + 1.0, level + 1.0);
    QCOMPARE(int(m_fixed->ScaleFactor), storedFactor);

    QCOMPARE(save(false, {"FxdParams"}), QString());
    stored.Noise = quint16(writtenLevel);
    stored.Factor = qint16(writtenFactor);
    QCOMPARE(savedBlock().toHex(' '), fxdBytes(false, stored).toHex(' '));
    QCOMPARE(int(m_fixed->ScaleFactor), writtenFactor);
}

void TestParameters::comparesEditableFixedParameters()
{
    sor::tFixedParameters a;
    sor::tFixedParameters b;
    QVERIFY(!(a != b));
    // Outside the comparison: the editor does not change them.
    b.DataSpacing.GetValue() = 1;
    b.FrontPanelOffset.GetValue() = 2;
    b.PulseWidths.resize(2);
    QVERIFY(!(a != b));
    b.EndThreshold.GetValue() = 1;
    QVERIFY(a != b);
    b = a;
    b.DateTime = QDateTime::fromSecsSinceEpoch(1, Qt::UTC);
    QVERIFY(a != b);
}

void TestParameters::comparesEditableGeneralParameters_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("bDiffers");
    QTest::newRow("cable ID") << 0 << true;
    QTest::newRow("fibre ID") << 1 << true;
    QTest::newRow("nominal wavelength") << 2 << true;
    QTest::newRow("originating location") << 3 << true;
    QTest::newRow("terminating location") << 4 << true;
    QTest::newRow("cable code") << 5 << true;
    QTest::newRow("current data flag") << 6 << true;
    QTest::newRow("user offset") << 7 << true;
    QTest::newRow("operator") << 8 << true;
    QTest::newRow("comment") << 9 << true;
    // Not offered by the editor, so not compared.
    QTest::newRow("fibre type") << 10 << false;
    QTest::newRow("user offset distance") << 11 << false;
}

void TestParameters::comparesEditableGeneralParameters()
{
    QFETCH(int, field);
    QFETCH(bool, bDiffers);
    sor::tGeneralParameters a;
    sor::tGeneralParameters b;
    QVERIFY(!(a != b));
    switch (field) {
    case 0: b.CableId.GetValue() = "x"; break;
    case 1: b.FiberId.GetValue() = "x"; break;
    case 2: b.NominalWavelength.GetValue() = 1310; break;
    case 3: b.OriginatingLocation.GetValue() = "x"; break;
    case 4: b.TerminatingLocation.GetValue() = "x"; break;
    case 5: b.CableCode.GetValue() = "x"; break;
    case 6: b.CurrentDataFlag = 2; break;
    case 7: b.UserOffset.GetValue() = 0.1; break;
    case 8: b.Operator.GetValue() = "x"; break;
    case 9: b.Comment.GetValue() = "x"; break;
    case 10: b.FiberType.GetValue() = 652; break;
    default: b.UserOffsetDistance.GetValue() = 0.1; break;
    }
    QCOMPARE(a != b, bDiffers);
}

void TestParameters::comparesEverySupplierText()
{
    using tText = CType::StrValue<101> sor::tSupplierParameters::*;
    using tShortText = CType::StrValue<32> sor::tSupplierParameters::*;
    const tShortText shortTexts[] = {&sor::tSupplierParameters::SupplierName,
                                     &sor::tSupplierParameters::ModuleSerialNumber};
    const tText texts[] = {&sor::tSupplierParameters::MainframeId, &sor::tSupplierParameters::MainframeSerialNumber,
                           &sor::tSupplierParameters::ModuleId, &sor::tSupplierParameters::SoftwareRevision,
                           &sor::tSupplierParameters::Other};
    const sor::tSupplierParameters a;
    QVERIFY(!(a != a));
    for (tShortText text : shortTexts) {
        sor::tSupplierParameters b;
        (b.*text).GetValue() = "x";
        QVERIFY(a != b);
    }
    for (tText text : texts) {
        sor::tSupplierParameters b;
        (b.*text).GetValue() = "x";
        QVERIFY(a != b);
    }
}

QTEST_GUILESS_MAIN(TestParameters)
#include "tst_parameters.moc"
