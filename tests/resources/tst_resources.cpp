#include "resources/Resources.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSvgRenderer>
#include <QTranslator>
#include <QtTest>

namespace {

// True when some pixel is not fully transparent: a drawing that renders to
// nothing would otherwise pass for a loaded image.
bool hasInk(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return true;
    }
    return false;
}

}  // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namedImageLoads_data();
    void namedImageLoads();
    void suffixlessPathFindsItsPng_data();
    void suffixlessPathFindsItsPng();
    void everyCompiledImageLoads();
    void appIconHoldsSeveralSizes();
    void catalogueLoads_data();
    void catalogueLoads();
    void translationsFolderListsOnlyCatalogues();
    void rasterImagesHaveTheirDrawing();
};

void TestResources::initTestCase()
{
    InitResources();
}

// The images the program names, at the size it shows them: event icons and
// the status-bar device images are drawn at their own size, and the plot
// stretches the end-of-fibre icon to 48 pixels without smoothing, so that one
// is drawn at 48 already.
void TestResources::namedImageLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QSize icon(24, 24);
    const QSize large(48, 48);
    const QSize status(16, 16);
    const struct { const char* name; QSize size; } images[] = {
        {"EventReflection.svg", icon},
        {"EventReflectionAtEnd.svg", large},
        {"EventJunction.svg", icon},
        {"EventOutOfRange.svg", icon},
        {"DeviceConnected.png", status},
        {"DeviceDisconnected.png", status},
        {"FolderSmall.png", status},
        {"ShowDescription.png", status},
        {"CursorECenter.svg", icon},
        {"CursorELeft.svg", icon},
        {"CursorERight.svg", icon},
        {"CursorLeft.svg", icon},
        {"CursorRight.svg", icon},
        {"DeviceMeasurement.svg", icon},
        {"DeviceProperties.svg", icon},
        {"Ev.svg", icon},
        {"EventsEndMeas.svg", icon},
        {"FileOpenDir.svg", icon},
        {"FileSave.svg", icon},
        {"Grid.svg", icon},
        {"Help.svg", icon},
        {"HelpSupport.svg", icon},
        {"Information.svg", icon},
        {"Options.svg", icon},
        {"ShowSpools.svg", icon},
        {"DeviceClearMemory.png", large},
        {"DeviceConnect.png", large},
        {"DeviceDisconnect.png", large},
        {"DeviceLoadAll.png", large},
        {"DeviceUpdateClock.png", large},
        {"EventsDelete.png", large},
        {"EventsEdit.png", large},
        {"EventsFixCursors.png", large},
        {"FileDelete.png", large},
        {"FilePreview.png", large},
        {"FilePrint.png", large},
        {"FileSaveAll.png", large},
        {"ViewZoomIn.png", large},
        {"ViewZoomOff.png", large},
        {"ViewZoomOut.png", large},
        {"ViewZoomXIn.png", large},
        {"ViewZoomXOff.png", large},
        {"ViewZoomXOut.png", large},
    };
    for (const auto& image : images)
        QTest::newRow(image.name) << QString::fromLatin1(image.name) << image.size;
}

void TestResources::namedImageLoads()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString path = ":/images/" + name;
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    QVERIFY(hasInk(image));

    if (name.endsWith(".svg"))
        QVERIFY(QSvgRenderer(path).isValid());
    const QPixmap small = QIcon(path).pixmap(16, 16);
    QCOMPARE(small.size(), QSize(16, 16));
    QVERIFY(hasInk(small.toImage()));
}

void TestResources::suffixlessPathFindsItsPng_data()
{
    QTest::addColumn<QString>("path");
    for (const char* name : {"g-32", "m-32", "e-32", "r-32", "pagefooter32"})
        QTest::newRow(name) << ":/images/" + QString::fromLatin1(name);
}

// The print preview names its tool icons without a suffix; the image reader
// finds them by trying the suffixes it knows.
void TestResources::suffixlessPathFindsItsPng()
{
    QFETCH(QString, path);
    const QImage image(path);
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(hasInk(image));
    QVERIFY(!QIcon(path).pixmap(32, 32).isNull());
}

void TestResources::everyCompiledImageLoads()
{
    int count = 0;
    QDirIterator it(":/images", QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        ++count;
    }
    QVERIFY(count > 0);
}

void TestResources::appIconHoldsSeveralSizes()
{
    QImageReader reader(":/images/AppIcon.ico");
    QCOMPARE(reader.format(), QByteArray("ico"));
    QList<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        QVERIFY(hasInk(image));
        sizes.append(image.width());
    }
    for (const int wanted : {16, 32, 48})
        QVERIFY2(sizes.contains(wanted), qPrintable(QString::number(wanted)));

    const QList<QSize> iconSizes = QIcon(":/images/AppIcon.ico").availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)));
    QVERIFY(iconSizes.contains(QSize(48, 48)));
}

void TestResources::catalogueLoads_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("unexpectedError");
    QTest::newRow("English") << QStringLiteral("English") << "en_GB" << QString();
    QTest::newRow("Russian") << QStringLiteral("Русский") << "ru_RU"
                             << QStringLiteral("Непредвиденная ошибка");
}

// Start-up looks the catalogue up by language name in the resource folder;
// the Cyrillic name and text must survive lrelease and rcc unchanged.
void TestResources::catalogueLoads()
{
    QFETCH(QString, language);
    QFETCH(QString, locale);
    QFETCH(QString, unexpectedError);
    QVERIFY(QFileInfo::exists(":/translations/" + language + ".qm"));
    QTranslator translator;
    QVERIFY(translator.load(language + ".qm", ":/translations"));
    QCOMPARE(translator.language(), locale);
    QCOMPARE(translator.translate("Exception", "Unexpected error"), unexpectedError);
}

// The options dialog offers every catalogue found there as a language.
void TestResources::translationsFolderListsOnlyCatalogues()
{
    const QStringList all = QDir(":/translations").entryList(QDir::Files, QDir::Name);
    QCOMPARE(all, QStringList({"English.qm", "Русский.qm"}));
}

// A PNG or ICO image is a rendering of one of our drawings, kept beside it.
void TestResources::rasterImagesHaveTheirDrawing()
{
    const QDir images(QUORVANE_RESOURCES_DIR "/images");
    const QDir artwork(QUORVANE_RESOURCES_DIR "/artwork");
    for (const QFileInfo& raster : images.entryInfoList({"*.png", "*.ico"}, QDir::Files))
        QVERIFY2(artwork.exists(raster.completeBaseName() + ".svg"), qPrintable(raster.fileName()));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
