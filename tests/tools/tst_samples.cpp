#include "fileinfo/Firmware.h"
#include "print/ReportPage.h"
#include "sor/File.h"
#include "tools/Samples.h"

#include <QTemporaryDir>
#include <QtTest>

#include <numeric>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Mean level in dB over the points between two distances.
double MeanDb(const sor::CFile& file, double from, double to)
{
    const int first = int(from / file.GetResolution());
    const int last = int(to / file.GetResolution());
    double sum = 0;
    for (int i = first; i < last; ++i)
        sum += file.GetDataPoint(i);
    return sum / (last - first) / -1000.0;
}

} // namespace

class TestSamples : public QObject
{
    Q_OBJECT

private slots:
    void rewritesTheCommittedSamplesByteForByte();
    void loadsCleanWithRealisticEvents_data();
    void loadsCleanWithRealisticEvents();
    void carriesEndToEndFiguresOfTheDrawnFibre_data();
    void carriesEndToEndFiguresOfTheDrawnFibre();
};

void TestSamples::rewritesTheCommittedSamplesByteForByte()
{
    QTemporaryDir first;
    QTemporaryDir second;
    samples::WriteSamples(first.path());
    samples::WriteSamples(second.path());
    const QStringList names = samples::SampleFileNames();
    QCOMPARE(names.size(), 3);
    for (const QString& name : names) {
        const QByteArray bytes = ReadAll(first.filePath(name));
        QVERIFY2(bytes.size() > 1000, qPrintable(name));
        QVERIFY2(bytes == ReadAll(second.filePath(name)), qPrintable(name));
        QVERIFY2(bytes == ReadAll(QStringLiteral(QUORVANE_SAMPLES "/") + name),
                 qPrintable(name + " differs from samples/: rebuild them with --target samples"));
    }
}

void TestSamples::loadsCleanWithRealisticEvents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("wavelength");
    for (const QString& name : samples::SampleFileNames())
        QTest::newRow(qPrintable(name)) << name << (name.contains("1550") ? 1550 : 1310);
}

// Each trace shows its splice as a small step, its connector as a spike with
// a loss and its end as a spike falling into the noise floor.
void TestSamples::loadsCleanWithRealisticEvents()
{
    QFETCH(QString, name);
    QFETCH(int, wavelength);
    int warnings = 0;
    sor::CFile file(QStringLiteral(QUORVANE_SAMPLES "/") + name, warnings);
    QCOMPARE(warnings, 0);
    QCOMPARE(int(file.GetFixedParameters()->ActualWavelength.GetValue()), wavelength);
    QVERIFY(file.GetFixedParameters()->DateTime.isValid());

    const bc::tKeyEventList& events = file.GetKeyEventList();
    QCOMPARE(int(events.size()), 3);
    double spliceAt = 0, connectorAt = 0, endAt = 0;
    for (const sor::tKeyEvent& event : events) {
        const double at = file.TimeToDistance(event.PropagationTime.GetValue());
        QVERIFY(!event.Comment.GetValue().isEmpty());
        QVERIFY(event.AttenuationCoefficient.GetValue() > 0.15f);
        QVERIFY(event.AttenuationCoefficient.GetValue() < 0.4f);
        if (event.EventOrigin == 2) {
            endAt = at;
            QCOMPARE(event.EventType, 1);
            QVERIFY(event.Reflectance.GetValue() > -20 && event.Reflectance.GetValue() < -10);
        } else if (event.EventType == 1) {
            connectorAt = at;
            QVERIFY(event.Reflectance.GetValue() < -40);
            QVERIFY(event.EventLoss.GetValue() > 0.2f && event.EventLoss.GetValue() < 0.6f);
        } else {
            spliceAt = at;
            QCOMPARE(event.Reflectance.GetValue(), 0.0);
            QVERIFY(event.EventLoss.GetValue() > 0.04f && event.EventLoss.GetValue() < 0.15f);
        }
    }
    QVERIFY(spliceAt > 0 && connectorAt > 0 && endAt > std::max(spliceAt, connectorAt));

    const double metres = endAt / 20;
    const float attenuation = events[0].AttenuationCoefficient.GetValue();
    // The level falls with the fibre's attenuation between events.
    const double before = MeanDb(file, spliceAt - 3 * metres, spliceAt - 2 * metres);
    const double after = MeanDb(file, spliceAt + 2 * metres, spliceAt + 3 * metres);
    const double spliceStep = before - after - attenuation * 5 * metres / 1000.0;
    QVERIFY2(spliceStep > 0.03 && spliceStep < 0.2, qPrintable(QString::number(spliceStep)));
    // The connector's spike rises well above the backscatter.
    const double peak = file.GetDataPoint(int(connectorAt / file.GetResolution()) + 1) / -1000.0;
    QVERIFY(peak > MeanDb(file, connectorAt - 2 * metres, connectorAt - metres) + 3.0);
    // Past the end only noise is left, far below the last backscatter.
    const double tail = MeanDb(file, endAt - 2 * metres, endAt - metres);
    const double floor = MeanDb(file, endAt + metres, endAt + 3 * metres);
    QVERIFY2(floor < tail - 8.0, qPrintable(QStringLiteral("%1 %2").arg(tail).arg(floor)));
}

void TestSamples::carriesEndToEndFiguresOfTheDrawnFibre_data()
{
    loadsCleanWithRealisticEvents_data();
}

// The markers span the fibre from its front to its end event, the loss is
// what the drawn trace falls by between them, and the report reads them so.
void TestSamples::carriesEndToEndFiguresOfTheDrawnFibre()
{
    QFETCH(QString, name);
    int warnings = 0;
    sor::CFile file(QStringLiteral(QUORVANE_SAMPLES "/") + name, warnings);
    QCOMPARE(warnings, 0);
    const bc::CKeyEvents* events = file.GetKeyEvents();
    const sor::tKeyEvent& end = file.GetKeyEventList().back();
    QCOMPARE(end.EventOrigin, 2);
    const double endAt = file.TimeToDistance(end.PropagationTime.GetValue());
    const float attenuation = end.AttenuationCoefficient.GetValue();

    // Markers in 100-ps units, as the supplier's revision says.
    const sor::tSupplierParameters* supplier = file.GetSupplierParameters();
    QVERIFY(IsNewerFirmware(supplier->MainframeId.GetValue(), supplier->SoftwareRevision.GetValue()));
    QCOMPARE(events->GetEndToEndMarkerStart(), 0);
    QCOMPARE(events->GetReturnLossMarkerStart(), 0);
    QCOMPARE(events->GetReturnLossMarkerFinish(), events->GetEndToEndMarkerFinish());
    const tLineResults results = CReportPage::LineResults(file);
    QVERIFY2(qAbs(results.Length * 1000.0 - endAt) < 0.5, qPrintable(QString::number(results.Length, 'f', 4)));

    // The backscatter's level just behind the launch and just before the
    // end, each carried along the slope to its marker.
    const double metres = endAt / 20;
    const double front = MeanDb(file, metres, 2 * metres) + attenuation * 1.5 * metres / 1000.0;
    const double back = MeanDb(file, endAt - 2 * metres, endAt - metres) - attenuation * 1.5 * metres / 1000.0;
    const double drawnLoss = front - back;
    QVERIFY2(qAbs(results.Loss - drawnLoss) < 0.05,
             qPrintable(QStringLiteral("stored %1, drawn %2").arg(results.Loss).arg(drawnLoss)));
    QVERIFY2(qAbs(results.Attenuation - results.Loss / results.Length) < 1e-9, qPrintable(name));
    QVERIFY(results.Attenuation > attenuation);

    // The end's reflection alone, back over the whole loss, sets the most
    // the return loss can be; backscatter and connectors only lower it.
    const double endReflectionOnly = -end.Reflectance.GetValue() + 2 * results.Loss;
    QVERIFY2(results.ReturnLoss > 10.0 && results.ReturnLoss < endReflectionOnly,
             qPrintable(QStringLiteral("%1 against %2").arg(results.ReturnLoss).arg(endReflectionOnly)));
}

QTEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
