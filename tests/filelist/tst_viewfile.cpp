#include "filelist/ViewFile.h"

#include "support/LogCatcher.h"
#include "support/TraceBuilder.h"

#include <QPointer>
#include <QVariant>
#include <QtTest>

class TestViewFile : public QObject
{
    Q_OBJECT

private slots:
    void startsBlueUnzoomedAndUncompared();
    void sharesOneFileBetweenFileAndView();
    void liveTraceHasNoFile();
    void travelsInAVariantUnderItsName();
};

void TestViewFile::startsBlueUnzoomedAndUncompared()
{
    const tViewFile record(TraceBuilder(100).Flat(1000).Build());
    QCOMPARE(record.Color, QColor(Qt::blue));
    QCOMPARE(record.ScaleX, 1.0f);
    QCOMPARE(record.ScaleY, 1.0f);
    QCOMPARE(record.OriginX, 0);
    QCOMPARE(record.OriginY, 0);
    QCOMPARE(record.ColorNumber, -1);
    QVERIFY(!record.IsNull());
}

void TestViewFile::sharesOneFileBetweenFileAndView()
{
    QSharedPointer<sor::CFile> file = TraceBuilder(100).Flat(1000).Build();
    const QPointer<sor::CFile> watch(file.data());
    auto record = QSharedPointer<tViewFile>::create(file);
    QCOMPARE(record->GetFile(), file.data());
    QCOMPARE(record->GetFilePtr(), file);
    QCOMPARE(record->GetView(), static_cast<sor::IFileView*>(file.data()));

    file.reset();
    QVERIFY(!watch.isNull());
    QSharedPointer<sor::IFileView> view = record->View;
    record.reset();
    // The view alone still holds the file: one count for both pointers.
    QVERIFY(!watch.isNull());
    view.reset();
    QVERIFY(watch.isNull());
}

void TestViewFile::liveTraceHasNoFile()
{
    QSharedPointer<sor::IFileView> live(new FakeFileView({1, 2, 3}, 1.0));
    const tViewFile record(live);
    QVERIFY(record.IsNull());
    QCOMPARE(record.GetView(), live.data());
    QCOMPARE(record.ColorNumber, -1);

    LogCatcher log;
    QCOMPARE(record.GetFile(), nullptr);
    QVERIFY(record.GetFilePtr().isNull());
    QCOMPARE(log.Count(QtCriticalMsg, "ASSERTION FAILED: !FilePtr.isNull()"), 2);
}

void TestViewFile::travelsInAVariantUnderItsName()
{
    auto record = QSharedPointer<tListedFile>::create(TraceBuilder(10).Build());
    QVERIFY(QMetaType::type("QSharedPointer<tListedFile>") != QMetaType::UnknownType);
    const QVariant carried = QVariant::fromValue(record);
    QCOMPARE(carried.typeName(), "QSharedPointer<tListedFile>");
    QCOMPARE(carried.value<QSharedPointer<tListedFile>>(), record);
}

QTEST_MAIN(TestViewFile)
#include "tst_viewfile.moc"
