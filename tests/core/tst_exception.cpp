#include "core/Exception.h"
#include "core/Version.h"
#include "support/LogCatcher.h"

#include <QtTest>

Q_DECLARE_METATYPE(tErrorTrail)

class TestException : public QObject
{
    Q_OBJECT

private slots:
    void formatsVersion_data();
    void formatsVersion();
    void formatsCodeString_data();
    void formatsCodeString();
    void describesEachClass_data();
    void describesEachClass();
    void rethrowKeepsSubclassAndGrowsTrail();
    void copyIsIndependent();
    void logsEachDestroyedException();
};

void TestException::formatsVersion_data()
{
    QTest::addColumn<bool>("b");
    QTest::addColumn<bool>("d");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << false << false << "0.272";
    QTest::newRow("B") << true << false << "0.272B";
    QTest::newRow("D") << false << true << "0.272D";
    QTest::newRow("BD") << true << true << "0.272BD";
}

void TestException::formatsVersion()
{
    QFETCH(bool, b);
    QFETCH(bool, d);
    QFETCH(QString, text);
    QCOMPARE(tVersion(0, 272, b, d).ToString(), text);
}

void TestException::formatsCodeString_data()
{
    QTest::addColumn<tErrorTrail>("trail");
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << tErrorTrail() << "0.272";
    QTest::newRow("two") << tErrorTrail{{1, 76}, {1, 80}} << "0.272-1:76-1:80";
    QTest::newRow("negative") << tErrorTrail{{-1, -5}} << "0.272--1:-5";
}

void TestException::formatsCodeString()
{
    QFETCH(tErrorTrail, trail);
    QFETCH(QString, code);
    LogCatcher log;
    EFileAccessError e(trail);
    QCOMPARE(e.GetCodeString(), code);
    QCOMPARE(e.GetText(), "File access error\n\nError code is " + code);
}

void TestException::describesEachClass_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("description");
    QTest::newRow("Exception") << 0 << "Unexpected error";
    QTest::newRow("EFileLoadInvalidFormat") << 1 << "Format of loaded file is no Bellcore v1.0 format";
    QTest::newRow("EInternalError") << 2 << "Application internal error";
    QTest::newRow("EFileAccessError") << 3 << "File access error";
}

void TestException::describesEachClass()
{
    QFETCH(int, kind);
    QFETCH(QString, description);
    LogCatcher log;
    const tErrorTrail trail{{1, 2}};
    std::unique_ptr<Exception> e;
    switch (kind) {
    case 0: e.reset(new Exception(trail)); break;
    case 1: e.reset(new EFileLoadInvalidFormat(trail)); break;
    case 2: e.reset(new EInternalError(trail)); break;
    default: e.reset(new EFileAccessError(trail)); break;
    }
    QCOMPARE(e->GetDescription(), description);
}

void TestException::rethrowKeepsSubclassAndGrowsTrail()
{
    LogCatcher log;
    bool bCaughtAsSubclass = false;
    try {
        GuardedStep(3, 3, [] {
            GuardedStep(2, 2, [] {
                try {
                    throw EFileLoadInvalidFormat({{1, 1}});
                } catch (Exception& e) {
                    e.AddCodes({{4, 4}});
                    throw;
                }
            });
        });
    } catch (EFileLoadInvalidFormat& e) {
        bCaughtAsSubclass = true;
        QCOMPARE(e.GetCodeString(), QString("0.272-1:1-4:4-2:2-3:3"));
    }
    QVERIFY(bCaughtAsSubclass);
    // Rethrowing the same object logs it once, when it finally dies.
    QCOMPARE(log.Texts(QtCriticalMsg).size(), 1);
}

void TestException::copyIsIndependent()
{
    LogCatcher log;
    EInternalError original({{1, 1}});
    EInternalError copy(original);
    copy.AddCodes({{2, 2}});
    QCOMPARE(original.GetCodeString(), QString("0.272-1:1"));
    QCOMPARE(copy.GetCodeString(), QString("0.272-1:1-2:2"));
    QCOMPARE(copy.GetDescription(), original.GetDescription());
}

void TestException::logsEachDestroyedException()
{
    LogCatcher log;
    {
        EFileAccessError e({{1, 76}});
        EFileAccessError copy(e);
    }
    const QString expected = "Exception: File access error\n\nError code is 0.272-1:76";
    QCOMPARE(log.Count(QtCriticalMsg, expected), 2);
}

QTEST_GUILESS_MAIN(TestException)
#include "tst_exception.moc"
