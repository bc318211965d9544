#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

class CGraphModel;
class QPainter;
class QPrinter;

namespace sor {
class CFile;
}

// Which blocks a report page carries besides its header.
struct tReportSections
{
    bool bShowFooter = true;
    bool bShowGraph = true;
    bool bShowMarkerData = true;
    bool bShowEventsData = true;
    bool bShowResultsData = true;
};

// The line results of a trace: km, dB, dB/km and dB.
struct tLineResults
{
    double Length = 0.0;
    double Loss = 0.0;
    double Attenuation = 0.0;
    double ReturnLoss = 0.0;
};

// Where one block of a report lands: the page counted from the trace's first
// one, and the block's place on that page in device pixels.
struct tReportBlock
{
    enum tKind { Header, Trace, Tables, Results, Signatures };

    tKind Kind = Header;
    int Page = 0;
    QRect Area;
    // Tables only: the key events this part lists; the first part also
    // carries the marker table.
    int FirstEvent = 0;
    int EventCount = 0;
    bool bMarkers = false;
};

// Makes a text print literally inside the page's HTML.
QString EscapeHtml(QString text);

// Puts values[n - 1] in place of every %n of the pattern in a single pass, so
// that a value which itself holds "%2" stays as it is. Markers without a
// value are left alone.
QString FillTemplate(const QString& pattern, const QStringList& values);

// The report page of one trace: a header table, the measurement parameters
// and the drawn trace, the marker and key-event tables, the line results and
// the signatures. The trace is drawn by the graph model, so the file must be
// the one the model shows.
class CReportPage
{
public:
    CReportPage(const tReportSections& sections, CGraphModel* model);

    // False when the printer could not start a further page.
    bool Draw(QPrinter* printer, QPainter* painter, sor::CFile& file);
    // Where the blocks of the trace's report go on pages of `page`'s size,
    // drawn through a painter whose viewport is `viewport`. A report that
    // fits its page keeps the one-page layout; a longer one continues its
    // event table on further pages, and the blocks after the table follow it.
    QVector<tReportBlock> Layout(const QRect& page, const QRect& viewport, sor::CFile& file) const;

    QString HeaderHtml(sor::CFile& file) const;
    QString MarkerHtml(const sor::CFile& file) const;
    static QString EventHtml(const sor::CFile& file);
    // The table's header with the events first to first + count - 1; the
    // running values are carried from the first event on.
    static QString EventHtml(const sor::CFile& file, int first, int count);
    static tLineResults LineResults(sor::CFile& file);
    static QString ResultsHtml(const tLineResults& results);
    static QString SignaturesHtml();

    // The relative HTML sizes of the page were laid out for this font; the
    // desktop's own font would change the page's proportions.
    static QFont DefaultFont();

private:
    QString TablesHtml(const sor::CFile& file, const tReportBlock& block) const;

    tReportSections sections;
    CGraphModel* model;
};
