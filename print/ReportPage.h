#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

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

    void Draw(QPrinter* printer, QPainter* painter, sor::CFile& file);

    QString HeaderHtml(sor::CFile& file) const;
    QString MarkerHtml(const sor::CFile& file) const;
    static QString EventHtml(const sor::CFile& file);
    static tLineResults LineResults(sor::CFile& file);
    static QString ResultsHtml(const tLineResults& results);
    static QString SignaturesHtml();

    // The relative HTML sizes of the page were laid out for this font; the
    // desktop's own font would change the page's proportions.
    static QFont DefaultFont();

private:
    tReportSections sections;
    CGraphModel* model;
};
