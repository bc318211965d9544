#include "graph/ScopeTrace.h"
#include "support/LogCatcher.h"

#include <QtTest>

#include <stdexcept>

class TestScopeTrace : public QObject
{
    Q_OBJECT

private slots:
    void logsEntryAndExitByFlags_data();
    void logsEntryAndExitByFlags();
    void logsExitWhenLeftByException();
};

void TestScopeTrace::logsEntryAndExitByFlags_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("expected");

    const QStringList both{QStringLiteral("X"), QStringLiteral("X done")};
    QTest::newRow("bit 2") << 2 << both;
    QTest::newRow("bit 4") << 4 << both;
    QTest::newRow("bits 2 and 4 with others") << (2 | 4 | 16) << both;
    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("bit 1 only") << 1 << QStringList();
    QTest::newRow("bit 8 only") << 8 << QStringList();
}

void TestScopeTrace::logsEntryAndExitByFlags()
{
    QFETCH(int, flags);
    QFETCH(QStringList, expected);

    LogCatcher log;
    {
        CScopeTrace trace(flags, "X");
        QCOMPARE(log.Texts(QtDebugMsg), expected.mid(0, 1));
    }
    QCOMPARE(log.Texts(QtDebugMsg), expected);
    QCOMPARE(log.Entries().size(), expected.size());
}

void TestScopeTrace::logsExitWhenLeftByException()
{
    LogCatcher log;
    try {
        CScopeTrace trace(2, "CDeviceExchanger::DownloadData");
        throw std::runtime_error("link lost");
    } catch (const std::runtime_error&) {
    }
    QCOMPARE(log.Texts(QtDebugMsg),
             (QStringList{QStringLiteral("CDeviceExchanger::DownloadData"),
                          QStringLiteral("CDeviceExchanger::DownloadData done")}));
}

QTEST_APPLESS_MAIN(TestScopeTrace)
#include "tst_scopetrace.moc"
