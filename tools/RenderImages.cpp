// Renders the drawings in resources/artwork into the PNG and ICO images the
// program loads, and draws contact sheets of all images for review.
//
//   quorvane_render_images render <artwork folder> <images folder>
//   quorvane_render_images sheet <images folder> <sheet.png> [size]
//
// With a size the sheet shows every image at that size only, magnified four
// times, to judge single pixels of the small renderings.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

const int cIcoSizes[] = {16, 24, 32, 48, 64, 128};

QImage renderSvg(QSvgRenderer& renderer, const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

// Qt's ico writer leaves the padding at the end of each transparency-mask row
// uninitialised; cleared, a second rendering gives the same bytes.
QByteArray withCleanMaskPadding(QByteArray bitmap, int size)
{
    const int headerBytes = 40;
    const int maskStart = headerBytes + size * size * 4;
    const int rowBytes = (size + 31) / 32 * 4;
    const int usedBytes = (size + 7) / 8;
    for (int row = 0; row < size; ++row)
        for (int i = usedBytes; i < rowBytes; ++i)
            bitmap[maskStart + row * rowBytes + i] = '\0';
    return bitmap;
}

// Qt's ico writer stores one image per file; an icon that looks right from the
// title bar to the task switcher needs several, so the single-image files are
// merged into one directory.
QByteArray icoOf(QSvgRenderer& renderer)
{
    QList<QByteArray> entries;
    QList<QByteArray> bitmaps;
    for (const int size : cIcoSizes) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "ico");
        if (!writer.write(renderSvg(renderer, QSize(size, size))))
            return {};
        const QByteArray single = buffer.data();
        const quint32 offset = qFromLittleEndian<quint32>(single.constData() + 6 + 12);
        entries.append(single.mid(6, 16));
        bitmaps.append(withCleanMaskPadding(single.mid(offset), size));
    }
    QByteArray ico(6, '\0');
    qToLittleEndian<quint16>(1, ico.data() + 2);
    qToLittleEndian<quint16>(quint16(entries.size()), ico.data() + 4);
    quint32 offset = quint32(6 + 16 * entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        QByteArray entry = entries[i];
        qToLittleEndian<quint32>(quint32(bitmaps[i].size()), entry.data() + 8);
        qToLittleEndian<quint32>(offset, entry.data() + 12);
        offset += quint32(bitmaps[i].size());
        ico += entry;
    }
    for (const QByteArray& bitmap : bitmaps)
        ico += bitmap;
    return ico;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// A drawing named like the program's icon becomes an ICO; every other drawing a
// PNG at the drawing's own size.
int render(const QString& artworkDir, const QString& imagesDir)
{
    const QFileInfoList drawings = QDir(artworkDir).entryInfoList({"*.svg"}, QDir::Files, QDir::Name);
    for (const QFileInfo& drawing : drawings) {
        QSvgRenderer renderer(drawing.filePath());
        if (!renderer.isValid()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(drawing.filePath()));
            return 1;
        }
        const bool bIcon = drawing.completeBaseName() == QLatin1String("AppIcon");
        const QString target = imagesDir + '/' + drawing.completeBaseName() + (bIcon ? ".ico" : ".png");
        bool bWritten = false;
        if (bIcon) {
            const QByteArray ico = icoOf(renderer);
            bWritten = !ico.isEmpty() && writeFile(target, ico);
        } else {
            QImageWriter writer(target, "png");
            bWritten = writer.write(renderSvg(renderer, renderer.defaultSize()));
        }
        if (!bWritten) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
            return 1;
        }
        std::printf("%s\n", qPrintable(target));
    }
    return 0;
}

// Each image at its own size and at 16, 24 and 48 pixels, on the plot's
// background and on a tool bar's grey, so that contrast and legibility can be
// judged at a glance.
int sheet(const QString& imagesDir, const QString& out)
{
    const QFileInfoList images =
        QDir(imagesDir).entryInfoList({"*.svg", "*.png", "*.ico"}, QDir::Files, QDir::Name);
    const int rowHeight = 56;
    const int columns = 2;
    const int columnWidth = 520;
    const int rows = (images.size() + columns - 1) / columns;
    QImage canvas(columns * columnWidth, rows * rowHeight, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const QColor backgrounds[] = {QColor(218, 236, 255), QColor(239, 239, 239)};
    for (int i = 0; i < images.size(); ++i) {
        const QPoint origin((i / rows) * columnWidth, (i % rows) * rowHeight);
        painter.setPen(Qt::black);
        painter.drawText(QRect(origin + QPoint(4, 0), QSize(180, rowHeight)),
                         Qt::AlignVCenter, images[i].fileName());
        const QIcon icon(images[i].filePath());
        const QImage native(images[i].filePath());
        int x = origin.x() + 190;
        for (const QColor& background : backgrounds) {
            painter.fillRect(QRect(x, origin.y() + 2, 160, rowHeight - 4), background);
            int left = x + 4;
            for (const int size : {16, 24, 48}) {
                painter.drawPixmap(left, origin.y() + (rowHeight - size) / 2, icon.pixmap(size, size));
                left += size + 6;
            }
            x += 164;
        }
        if (!native.isNull() && native.width() <= 48 && native.height() <= 48)
            painter.drawImage(origin.x() + columnWidth - 60 + (48 - native.width()) / 2,
                              origin.y() + (rowHeight - native.height()) / 2, native);
    }
    painter.end();
    // Doubled without smoothing, so single pixels can be inspected.
    return canvas.scaled(canvas.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(out) ? 0 : 1;
}

int closeUp(const QString& imagesDir, const QString& out, int size)
{
    const QFileInfoList images =
        QDir(imagesDir).entryInfoList({"*.svg", "*.png", "*.ico"}, QDir::Files, QDir::Name);
    const int columns = 8;
    const int cell = size + 8;
    const int rows = (images.size() + columns - 1) / columns;
    QImage canvas(columns * cell, rows * cell, QImage::Format_ARGB32);
    canvas.fill(QColor(239, 239, 239));
    QPainter painter(&canvas);
    for (int i = 0; i < images.size(); ++i)
        painter.drawPixmap((i % columns) * cell + 4, (i / columns) * cell + 4,
                           QIcon(images[i].filePath()).pixmap(size, size));
    painter.end();
    return canvas.scaled(canvas.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(out) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("render"))
        return render(args[2], args[3]);
    if (args.size() == 4 && args[1] == QLatin1String("sheet"))
        return sheet(args[2], args[3]);
    if (args.size() == 5 && args[1] == QLatin1String("sheet"))
        return closeUp(args[2], args[3], args[4].toInt());
    std::fprintf(stderr, "usage: %s render ARTWORK IMAGES | sheet IMAGES SHEET.png [SIZE]\n", argv[0]);
    return 2;
}
