#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct tMessage
{
    QString Context;
    QString Source;
    QString Translation;
    bool bFinished = false;
};

QList<tMessage> ReadCatalogue(const QString& path)
{
    QList<tMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    tMessage message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = tMessage{context, {}, {}, false};
        } else if (xml.name() == QLatin1String("source")) {
            message.Source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            message.Translation = xml.readElementText();
            message.bFinished = type.isEmpty() && !message.Translation.isEmpty();
            messages << message;
        }
    }
    if (xml.hasError())
        qWarning("%s:%lld: %s", qPrintable(path), xml.lineNumber(), qPrintable(xml.errorString()));
    return xml.hasError() ? QList<tMessage>() : messages;
}

bool HasCyrillic(const QString& text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

QString Describe(const tMessage& m)
{
    return m.Context + QStringLiteral(": ") + m.Source;
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void englishTranslatesEveryRussianText();
    void translationsKeepPlaceholdersAndShortcuts_data();
    void translationsKeepPlaceholdersAndShortcuts();
    void reportTextsHaveBothCatalogues();
};

void TestCatalogues::englishTranslatesEveryRussianText()
{
    const QList<tMessage> messages =
        ReadCatalogue(QStringLiteral(QUORVANE_TRANSLATIONS "/English.ts"));
    QVERIFY(messages.size() > 100);
    int russian = 0;
    for (const tMessage& m : messages) {
        if (!HasCyrillic(m.Source))
            continue;
        ++russian;
        QVERIFY2(m.bFinished, qPrintable(Describe(m)));
        QVERIFY2(!HasCyrillic(m.Translation), qPrintable(Describe(m)));
    }
    QVERIFY(russian >= 10);
}

void TestCatalogues::translationsKeepPlaceholdersAndShortcuts_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("English") << QStringLiteral("English.ts");
    QTest::newRow("Russian") << QStringLiteral("Русский.ts");
}

// A lost %1 drops a file name from a message; a lost tab drops the
// shortcut shown beside a menu item.
void TestCatalogues::translationsKeepPlaceholdersAndShortcuts()
{
    QFETCH(QString, catalogue);
    const QList<tMessage> messages = ReadCatalogue(QStringLiteral(QUORVANE_TRANSLATIONS "/") + catalogue);
    QVERIFY(!messages.isEmpty());
    int finished = 0;
    for (const tMessage& m : messages) {
        if (!m.bFinished)
            continue;
        ++finished;
        QVERIFY2(Placeholders(m.Source) == Placeholders(m.Translation), qPrintable(Describe(m)));
        QCOMPARE(m.Translation.section(QLatin1Char('\t'), 1), m.Source.section(QLatin1Char('\t'), 1));
        QCOMPARE(m.Translation.count(QLatin1Char('&')) > 0, m.Source.count(QLatin1Char('&')) > 0);
    }
    QVERIFY(finished > 10);
}

// The printed report and its dialogs: every text has its Russian form, and
// both catalogues know the same texts.
void TestCatalogues::reportTextsHaveBothCatalogues()
{
    const QStringList contexts{QStringLiteral("CPrinter"), QStringLiteral("CPrinterList"),
                               QStringLiteral("CParametersOpt")};
    QMap<QString, QStringList> english;
    for (const tMessage& m : ReadCatalogue(QStringLiteral(QUORVANE_TRANSLATIONS "/English.ts")))
        if (contexts.contains(m.Context))
            english[m.Context] << m.Source;
    QMap<QString, QStringList> russian;
    for (const tMessage& m : ReadCatalogue(QStringLiteral(QUORVANE_TRANSLATIONS "/Русский.ts"))) {
        if (!contexts.contains(m.Context))
            continue;
        russian[m.Context] << m.Source;
        QVERIFY2(m.bFinished, qPrintable(Describe(m)));
        QVERIFY2(HasCyrillic(m.Translation), qPrintable(Describe(m)));
    }
    QCOMPARE(russian.keys(), (QStringList{"CParametersOpt", "CPrinter", "CPrinterList"}));
    for (const QString& context : contexts) {
        QStringList inEnglish = english.value(context);
        QStringList inRussian = russian.value(context);
        inEnglish.sort();
        inRussian.sort();
        QCOMPARE(inRussian, inEnglish);
    }
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
