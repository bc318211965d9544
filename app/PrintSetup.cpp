#include "app/PrintSetup.h"

#include <QDataStream>
#include <QPrinter>

namespace {

// Every enumeration and bool of the record is a signed 32-bit integer.
qint32 ReadInt(QDataStream& in)
{
    qint32 value = 0;
    in >> value;
    return value;
}

QString ReadText(QDataStream& in)
{
    QString value;
    in >> value;
    return value;
}

double ReadDouble(QDataStream& in)
{
    double value = 0;
    in >> value;
    return value;
}

struct tPrintSetup
{
    QString printerName;
    qint32 pageSize;
    qint32 collateCopies;
    qint32 colorMode;
    qint32 copyCount;
    QString creator;
    QString docName;
    qint32 doubleSidedPrinting;
    qint32 duplex;
    qint32 fontEmbedding;
    qint32 fullPage;
    qint32 orientation;
    QString outputFileName;
    qint32 outputFormat;
    qint32 pageOrder;
    qint32 paperSize;
    qint32 paperSource;
    QString printProgram;
    qint32 printRange;
    qint32 resolution;
    qint32 winPageSize;
    double left, top, right, bottom;
};

} // namespace

// The record keeps the Qt 5 printer accessors that predate page layouts, so
// that stored set-ups stay readable.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

QByteArray WritePrintSetup(QPrinter& printer)
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out << printer.printerName();
    out << qint32(printer.pageSize());
    out << qint32(printer.collateCopies());
    out << qint32(printer.colorMode());
    out << qint32(printer.copyCount());
    out << printer.creator();
    out << printer.docName();
    out << qint32(printer.doubleSidedPrinting());
    out << qint32(printer.duplex());
    out << qint32(printer.fontEmbeddingEnabled());
    out << qint32(printer.fullPage());
    out << qint32(printer.orientation());
    out << printer.outputFileName();
    out << qint32(printer.outputFormat());
    out << qint32(printer.pageOrder());
    out << qint32(printer.paperSize());
    out << qint32(printer.paperSource());
    out << printer.printProgram();
    out << qint32(printer.printRange());
    out << qint32(printer.resolution());
    out << qint32(printer.winPageSize());
    qreal left = 0, top = 0, right = 0, bottom = 0;
    printer.getPageMargins(&left, &top, &right, &bottom, QPrinter::Millimeter);
    out << double(left) << double(top) << double(right) << double(bottom);
    return record;
}

bool ReadPrintSetup(const QByteArray& record, QPrinter& printer)
{
    QDataStream in(record);
    tPrintSetup s;
    s.printerName = ReadText(in);
    s.pageSize = ReadInt(in);
    s.collateCopies = ReadInt(in);
    s.colorMode = ReadInt(in);
    s.copyCount = ReadInt(in);
    s.creator = ReadText(in);
    s.docName = ReadText(in);
    s.doubleSidedPrinting = ReadInt(in);
    s.duplex = ReadInt(in);
    s.fontEmbedding = ReadInt(in);
    s.fullPage = ReadInt(in);
    s.orientation = ReadInt(in);
    s.outputFileName = ReadText(in);
    s.outputFormat = ReadInt(in);
    s.pageOrder = ReadInt(in);
    s.paperSize = ReadInt(in);
    s.paperSource = ReadInt(in);
    s.printProgram = ReadText(in);
    s.printRange = ReadInt(in);
    s.resolution = ReadInt(in);
    s.winPageSize = ReadInt(in);
    s.left = ReadDouble(in);
    s.top = ReadDouble(in);
    s.right = ReadDouble(in);
    s.bottom = ReadDouble(in);
    if (in.status() != QDataStream::Ok)
        return false;

    printer.setPrinterName(s.printerName);
    printer.setPageSize(QPagedPaintDevice::PageSize(s.pageSize));
    printer.setCollateCopies(s.collateCopies != 0);
    printer.setColorMode(QPrinter::ColorMode(s.colorMode));
    printer.setCopyCount(s.copyCount);
    printer.setCreator(s.creator);
    printer.setDocName(s.docName);
    printer.setDoubleSidedPrinting(s.doubleSidedPrinting != 0);
    printer.setDuplex(QPrinter::DuplexMode(s.duplex));
    printer.setFontEmbeddingEnabled(s.fontEmbedding != 0);
    printer.setFullPage(s.fullPage != 0);
    printer.setOrientation(QPrinter::Orientation(s.orientation));
    printer.setOutputFileName(s.outputFileName);
    printer.setOutputFormat(QPrinter::OutputFormat(s.outputFormat));
    printer.setPageOrder(QPrinter::PageOrder(s.pageOrder));
    printer.setPaperSize(QPrinter::PaperSize(s.paperSize));
    printer.setPaperSource(QPrinter::PaperSource(s.paperSource));
    printer.setPrintProgram(s.printProgram);
    printer.setPrintRange(QPrinter::PrintRange(s.printRange));
    printer.setResolution(s.resolution);
    printer.setWinPageSize(s.winPageSize);
    printer.setPageMargins(s.left, s.top, s.right, s.bottom, QPrinter::Millimeter);
    return true;
}

QT_WARNING_POP
