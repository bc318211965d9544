#include "sor/FileStream.h"
#include "support/LogCatcher.h"
#include "support/Throws.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// A root object whose whole stream is the given step.
class Root : public bc::IStream
{
public:
    explicit Root(std::function<void(bc::CFileStream&)> step) : m_step(std::move(step)) {}
    void Stream(bc::CFileStream& stream) override { m_step(stream); }

private:
    std::function<void(bc::CFileStream&)> m_step;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestFileStream : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exchangesIntegersLittleEndian();
    void exchangesDateAsUtcSeconds();
    void storesUnrepresentableDateAsAllOnes();
    void refusesFileTooLargeForTrace();
    void writesEmptyTextAsStoredBefore();
    void decodesWithChosenCodePage();
    void refusesTextsOverLimit();
    void decodesEachTextOnItsOwn();
    void reportsMissingFile();
    void reportsFileEndingInsideField();
    void refusesOperationsOutsideMode_data();
    void refusesOperationsOutsideMode();
    void refusesRenameDuringLoad();
    void keepsFileWhenSaveFails();
    void reportsUnwritableTarget();
    void patchesBytesAfterSeekingBack();
    void refusesSeekOutsideImage();
    void exchangesOneCharacterCodes();
    void keepsIndexForUnknownTwoCharacterCode();
    void writesCodeAtIndex();
    void refusesCodeIndexOutsideSet();
    void checksBlockNameOnlyInLaterLayout();
    void copiesWithoutOverwriting();
    void loadsReadOnlyFile();
    void renamesFileOnDisk();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LogCatcher> m_log;
};

void TestFileStream::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_log = std::make_unique<LogCatcher>();
}

void TestFileStream::cleanup()
{
    m_log.reset();
    m_dir.reset();
}

void TestFileStream::exchangesIntegersLittleEndian()
{
    const QString file = path("ints.bin");
    bc::CFileStream out(file);
    quint16 u16 = 0x1234;
    qint16 s16 = -2;
    quint32 u32 = 0xDEADBEEF;
    qint32 s32 = -2;
    Root writer([&](bc::CFileStream& s) {
        s.Exchange(u16);
        s.Exchange(s16);
        s.Exchange(u32);
        s.Exchange(s32);
    });
    out.Save(writer);
    QCOMPARE(readFile(file), QByteArray::fromHex("3412FEFFEFBEADDEFEFFFFFF"));

    u16 = 0;
    s16 = 0;
    u32 = 0;
    s32 = 0;
    bc::CFileStream in(file);
    QCOMPARE(in.Load(writer), 0);
    QCOMPARE(u16, quint16(0x1234));
    QCOMPARE(s16, qint16(-2));
    QCOMPARE(u32, quint32(0xDEADBEEF));
    QCOMPARE(s32, qint32(-2));
}

void TestFileStream::exchangesDateAsUtcSeconds()
{
    const QString file = path("date.bin");
    QDateTime date(QDate(1970, 1, 1), QTime(0, 0, 10), Qt::UTC);
    Root root([&](bc::CFileStream& s) { s.ExchangeDateTime(date); });
    bc::CFileStream(file).Save(root);
    QCOMPARE(readFile(file), QByteArray::fromHex("0A000000"));

    date = QDateTime();
    bc::CFileStream(file).Load(root);
    QCOMPARE(date.timeSpec(), Qt::UTC);
    QCOMPARE(date, QDateTime(QDate(1970, 1, 1), QTime(0, 0, 10), Qt::UTC));
}

void TestFileStream::storesUnrepresentableDateAsAllOnes()
{
    const QString file = path("olddate.bin");
    QDateTime date(QDate(1969, 12, 31), QTime(23, 0), Qt::UTC);
    Root root([&](bc::CFileStream& s) { s.ExchangeDateTime(date); });
    bc::CFileStream(file).Save(root);
    QCOMPARE(readFile(file), QByteArray::fromHex("FFFFFFFF"));
}

void TestFileStream::refusesFileTooLargeForTrace()
{
    const QString file = path("huge.sor");
    {
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize((qint64(1) << 30) + 1)); // sparse: takes no disk space
    }
    Root root([](bc::CFileStream&) { QFAIL("a file of that size must not be streamed"); });
    QCOMPARE(ThrownCode<EFileLoadInvalidFormat>([&] { bc::CFileStream(file).Load(root); }),
             QString("0.272-1:78-1:80"));
}

void TestFileStream::writesEmptyTextAsStoredBefore()
{
    const QString file = path("space.bin");
    QString text;
    Root root([&](bc::CFileStream& s) { s.Exchange(text, 0); });

    bc::CFileStream fresh(file);
    fresh.Save(root);
    QCOMPARE(readFile(file), QByteArray("\0", 1));

    writeFile(file, QByteArray(" \0", 2));
    bc::CFileStream loaded(file);
    text = "x";
    loaded.Load(root);
    QCOMPARE(text, QString());
    loaded.Save(root);
    QCOMPARE(readFile(file), QByteArray(" \0", 2));
}

void TestFileStream::decodesWithChosenCodePage()
{
    const QString file = path("cp.bin");
    writeFile(file, QByteArray::fromHex("C0E100"));
    QString text;
    Root root([&](bc::CFileStream& s) {
        s.SetCodePage(1);
        s.Exchange(text, 0);
    });
    bc::CFileStream stream(file);
    QCOMPARE(stream.Load(root), 0);
    // The starting code page would give "Аб".
    QCOMPARE(text, QString::fromUtf8("Ŕá"));
}

void TestFileStream::refusesTextsOverLimit()
{
    const QString file = path("long.bin");
    QString text(101, QLatin1Char('a'));
    Root root([&](bc::CFileStream& s) { s.Exchange(text, 100); });
    QCOMPARE(ThrownCode<EInternalError>([&] { bc::CFileStream(file).Save(root); }),
             QString("0.272-1:213-1:98"));

    writeFile(file, QByteArray(101, 'a') + QByteArray(1, '\0'));
    QCOMPARE(ThrownCode<EFileLoadInvalidFormat>([&] { bc::CFileStream(file).Load(root); }),
             QString("0.272-1:211-1:80"));

    writeFile(file, QByteArray(100, 'a') + QByteArray(1, '\0'));
    bc::CFileStream(file).Load(root);
    QCOMPARE(text, QString(100, QLatin1Char('a')));
}

void TestFileStream::decodesEachTextOnItsOwn()
{
    // A lead byte of a multi-byte sequence at the end of one text must not
    // swallow the start of the next.
    const QString file = path("mb.bin");
    writeFile(file, QByteArray::fromHex("A40041420000"));
    QString first;
    QString second;
    Root root([&](bc::CFileStream& s) {
        s.SetCodePage(2);
        s.Exchange(first, 0);
        s.Exchange(second, 0);
    });
    bc::CFileStream stream(file);
    stream.Load(root);
    if (stream.GetWarnings() & bc::CFileStream::LOAD_NO_CODEPAGE)
        QSKIP("no EUC-JP codec on this system");
    QCOMPARE(second, QString("AB"));
}

void TestFileStream::reportsMissingFile()
{
    Root root([](bc::CFileStream&) {});
    QCOMPARE(ThrownCode<EFileAccessError>([&] { bc::CFileStream(path("none.sor")).Load(root); }),
             QString("0.272-1:76"));
}

void TestFileStream::reportsFileEndingInsideField()
{
    const QString file = path("short.bin");
    writeFile(file, QByteArray::fromHex("0102"));
    qint32 value = 0;
    Root root([&](bc::CFileStream& s) { s.Exchange(value); });
    QCOMPARE(ThrownCode<EFileLoadInvalidFormat>([&] { bc::CFileStream(file).Load(root); }),
             QString("0.272-1:145-1:80"));
}

void TestFileStream::refusesOperationsOutsideMode_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("code");
    QTest::newRow("GetPos") << 0 << "0.272-1:238";
    QTest::newRow("Seek") << 1 << "0.272-1:245";
    QTest::newRow("GetSize") << 2 << "0.272-1:256";
    QTest::newRow("text") << 3 << "0.272-1:202";
    QTest::newRow("date") << 4 << "0.272-1:223";
    QTest::newRow("code page") << 5 << "0.272-1:290";
}

void TestFileStream::refusesOperationsOutsideMode()
{
    QFETCH(int, operation);
    QFETCH(QString, code);
    bc::CFileStream idle(path("idle.bin"));
    QString text;
    QDateTime date;
    QCOMPARE(ThrownCode<EInternalError>([&] {
                 switch (operation) {
                 case 0: idle.GetPos(); break;
                 case 1: idle.Seek(0); break;
                 case 2: idle.GetSize(); break;
                 case 3: idle.Exchange(text, 0); break;
                 case 4: idle.ExchangeDateTime(date); break;
                 default: idle.SetCodePage(6); break;
                 }
             }),
             code);
}

void TestFileStream::refusesRenameDuringLoad()
{
    const QString file = path("a.bin");
    writeFile(file, "x");
    bc::CFileStream stream(file);
    QString code;
    Root root([&](bc::CFileStream& s) {
        code = ThrownCode<EInternalError>([&] { s.RenameTo(path("b.bin")); });
    });
    stream.Load(root);
    QCOMPARE(code, QString("0.272-1:125"));
    QVERIFY(QFile::exists(file));
    QCOMPARE(stream.GetPath(), file);
}

void TestFileStream::keepsFileWhenSaveFails()
{
    const QString file = path("keep.sor");
    writeFile(file, "precious trace");
    Root failing([](bc::CFileStream& s) {
        quint32 value = 7;
        s.Exchange(value);
        throw EInternalError({{2, 999}});
    });
    QCOMPARE(ThrownCode<EInternalError>([&] { bc::CFileStream(file).Save(failing); }),
             QString("0.272-2:999-1:98"));
    QCOMPARE(readFile(file), QByteArray("precious trace"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"keep.sor"});
}

void TestFileStream::reportsUnwritableTarget()
{
    Root root([](bc::CFileStream& s) {
        quint16 value = 1;
        s.Exchange(value);
    });
    QCOMPARE(ThrownCode<EFileAccessError>([&] { bc::CFileStream(path("no/such/dir.sor")).Save(root); }),
             QString("0.272-1:102"));
}

void TestFileStream::patchesBytesAfterSeekingBack()
{
    const QString file = path("patch.bin");
    Root root([](bc::CFileStream& s) {
        quint32 placeholder = 0;
        s.Exchange(placeholder);
        quint16 tail = 0xBBAA;
        s.Exchange(tail);
        const qint64 end = s.GetPos();
        QVERIFY(s.Seek(1));
        quint16 patch = 0x2211;
        s.Exchange(patch);
        QVERIFY(s.Seek(end));
        quint8 last = 0xCC;
        s.ExchangeBytes(&last, 1);
        QCOMPARE(s.GetSize(), qint64(7));
    });
    bc::CFileStream(file).Save(root);
    QCOMPARE(readFile(file), QByteArray::fromHex("00112200AABBCC"));
}

void TestFileStream::refusesSeekOutsideImage()
{
    const QString file = path("seek.bin");
    writeFile(file, "abc");
    Root seekPastEnd([](bc::CFileStream& s) { s.Seek(4); });
    QCOMPARE(ThrownCode<EFileAccessError>([&] { bc::CFileStream(file).Load(seekPastEnd); }),
             QString("0.272-1:246-1:80"));
    QCOMPARE(ThrownCode<EInternalError>([&] { bc::CFileStream(file).Save(seekPastEnd); }),
             QString("0.272-1:246-1:98"));
    QCOMPARE(readFile(file), QByteArray("abc"));
}

void TestFileStream::exchangesOneCharacterCodes()
{
    const QString file = path("c1.bin");
    writeFile(file, "EX");
    int first = -1;
    int second = -1;
    Root root([&](bc::CFileStream& s) {
        s.ExchangeCode(bc::GetEventCodeLetters(), first);
        s.ExchangeCode(bc::GetEventCodeLetters(), second);
    });
    QCOMPARE(ThrownCode<EFileLoadInvalidFormat>([&] { bc::CFileStream(file).Load(root); }),
             QString("0.272-1:41-1:80"));
    QCOMPARE(first, 2);
}

void TestFileStream::keepsIndexForUnknownTwoCharacterCode()
{
    const QString file = path("c2.bin");
    writeFile(file, "ZZmi");
    int unknown = 3;
    int known = 0;
    Root root([&](bc::CFileStream& s) {
        s.ExchangeCode(bc::GetDistanceUnitCodes(), unknown);
        s.ExchangeCode(bc::GetDistanceUnitCodes(), known);
    });
    QCOMPARE(bc::CFileStream(file).Load(root), 0);
    QCOMPARE(unknown, 3);
    QCOMPARE(known, 4);
}

void TestFileStream::writesCodeAtIndex()
{
    const QString file = path("c3.bin");
    int unit = 3;
    int letter = 5;
    Root root([&](bc::CFileStream& s) {
        s.ExchangeCode(bc::GetDistanceUnitCodes(), unit);
        s.ExchangeCode(bc::GetEventCodeLetters(), letter);
    });
    bc::CFileStream(file).Save(root);
    QCOMPARE(readFile(file), QByteArray("kfD"));
}

void TestFileStream::refusesCodeIndexOutsideSet()
{
    int unit = 5;
    Root root([&](bc::CFileStream& s) { s.ExchangeCode(bc::GetDistanceUnitCodes(), unit); });
    QCOMPARE(ThrownCode<EInternalError>([&] { bc::CFileStream(path("c4.bin")).Save(root); }),
             QString("0.272-1:56-1:98"));
}

void TestFileStream::checksBlockNameOnlyInLaterLayout()
{
    const QString file = path("name.bin");
    writeFile(file, QByteArray("Other\0", 6));
    Root root([](bc::CFileStream& s) { s.CheckBlockName("GenParams"); });
    bc::CFileStream earlier(file);
    earlier.Load(root); // the earlier layout carries no names: nothing is read

    bc::CFileStream later(file);
    later.SetVersion2(true);
    QCOMPARE(ThrownCode<EFileLoadInvalidFormat>([&] { later.Load(root); }),
             QString("0.272-1:51-1:80"));
    later.Save(root);
    QCOMPARE(readFile(file), QByteArray("GenParams\0", 10));
}

void TestFileStream::copiesWithoutOverwriting()
{
    const QString source = path("src.sor");
    const QString target = path("dst.sor");
    writeFile(source, "source");
    writeFile(target, "target");
    bc::CFileStream stream(source);
    QCOMPARE(stream.CopyTo(target, true), false);
    QCOMPARE(ThrownCode<EInternalError>([&] { stream.CopyTo(target, false); }),
             QString("0.272-1:117"));
    QCOMPARE(readFile(source), QByteArray("source"));
    QCOMPARE(readFile(target), QByteArray("target"));

    QCOMPARE(stream.CopyTo(path("new.sor"), true), true);
    QCOMPARE(readFile(path("new.sor")), QByteArray("source"));
}

void TestFileStream::loadsReadOnlyFile()
{
    const QString file = path("ro.sor");
    writeFile(file, QByteArray::fromHex("0100"));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    quint16 value = 0;
    Root root([&](bc::CFileStream& s) {
        s.Seek(0);
        s.Exchange(value);
    });
    bc::CFileStream(file).Load(root);
    QCOMPARE(value, quint16(1));
}

void TestFileStream::renamesFileOnDisk()
{
    bc::CFileStream notYetSaved(path("ghost.sor"));
    notYetSaved.RenameTo(path("ghost2.sor"));
    QCOMPARE(notYetSaved.GetPath(), path("ghost2.sor"));

    writeFile(path("a.sor"), "a");
    writeFile(path("b.sor"), "b");
    bc::CFileStream stream(path("a.sor"));
    stream.RenameTo(path("c.sor"));
    QCOMPARE(readFile(path("c.sor")), QByteArray("a"));
    QVERIFY(!QFile::exists(path("a.sor")));
    QCOMPARE(ThrownCode<EFileAccessError>([&] { stream.RenameTo(path("b.sor")); }),
             QString("0.272-1:129"));
    QCOMPARE(stream.GetPath(), path("c.sor"));
}

QTEST_GUILESS_MAIN(TestFileStream)
#include "tst_filestream.moc"
