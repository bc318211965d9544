#include "print/ReportPage.h"

#include "app/MainOpt.h"
#include "core/Assert.h"
#include "fileinfo/Firmware.h"
#include "graph/Cursors.h"
#include "graph/EventList.h"
#include "graph/GraphModel.h"
#include "sor/File.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTextDocument>

namespace {

const int kTextSize = 5;
const int kDefaultPointSize = 8;

// Report options as the page reads them; a missing options object prints empty cells.
struct tReportTexts
{
    QString Organization, Volp, CablePart, Cable, Direction;
    QString CustomerPosition, CustomerName, SuperviserPosition, SuperviserName;
};

tReportTexts ReadReportTexts()
{
    tReportTexts texts;
    if (const CMainOpt* options = CMainOpt::Instance()) {
        texts.Organization = options->GetOrganization();
        texts.Volp = options->GetVolp();
        texts.CablePart = options->GetCablePart();
        texts.Cable = options->GetCable();
        texts.Direction = options->GetDirection();
        texts.CustomerPosition = options->GetCustomerOrganizationPosition();
        texts.CustomerName = options->GetCustomerOrganizationPersonName();
        texts.SuperviserPosition = options->GetSuperviserOrganizationPosition();
        texts.SuperviserName = options->GetSuperviserOrganizationPersonName();
    }
    return texts;
}

void SetUpDocument(QTextDocument& document, const QString& html, const QSizeF& pageSize)
{
    document.setDefaultFont(CReportPage::DefaultFont());
    document.setPageSize(pageSize);
    document.setHtml(html);
}

void DrawAt(QPainter* painter, const QRect& viewport, int y, QTextDocument& document)
{
    painter->setViewport(viewport.x(), viewport.y() + y, viewport.width(), viewport.height());
    document.drawContents(painter);
}

} // namespace

QString EscapeHtml(QString text)
{
    text.replace(QLatin1String("<"), QLatin1String("&lt;"));
    text.replace(QLatin1String(">"), QLatin1String("&gt;"));
    text.replace(QLatin1String("/"), QLatin1String("&frasl;"));
    text.replace(QLatin1String(" "), QLatin1String("&nbsp;"));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\t'));
    return text;
}

QString FillTemplate(const QString& pattern, const QStringList& values)
{
    QString result;
    result.reserve(pattern.size());
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c != QLatin1Char('%') || i + 1 >= pattern.size() || !pattern.at(i + 1).isDigit()) {
            result += c;
            ++i;
            continue;
        }
        // Two digits when such a value exists, as QString::arg reads them.
        const int first = pattern.at(i + 1).digitValue();
        const bool bTwo = i + 2 < pattern.size() && pattern.at(i + 2).isDigit();
        const int both = bTwo ? first * 10 + pattern.at(i + 2).digitValue() : -1;
        if (bTwo && both >= 1 && both <= values.size()) {
            result += values.at(both - 1);
            i += 3;
        } else if (first >= 1 && first <= values.size()) {
            result += values.at(first - 1);
            i += 2;
        } else {
            result += c;
            ++i;
        }
    }
    return result;
}

CReportPage::CReportPage(const tReportSections& sections, CGraphModel* model)
    : sections(sections), model(model)
{
}

QFont CReportPage::DefaultFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(kDefaultPointSize);
    return font;
}

QString CReportPage::HeaderHtml(sor::CFile& file) const
{
    const tReportTexts texts = ReadReportTexts();
    const QString fibre = EscapeHtml(file.GetGeneralParameters()->FiberId.GetValue());
    const sor::tSupplierParameters* supplier = file.GetSupplierParameters();
    const sor::tFixedParameters* fixed = file.GetFixedParameters();

    QString html = FillTemplate(
        QCoreApplication::translate("CPrinter", "<font size=%1 face=Times New Roman><table cellspacing=0 width=100%><tr><td width=50%>Файл</td><td>%2</td></tr><tr><td width=50%>Дата</td><td>%12</td></tr><tr><td width=50%>ВОЛП</td><td>%3</td></tr><tr><td width=50%>Участок :</td><td>%4</td></tr><tr><td width=50%>Строительно-монтажная организация</td><td>%5</td></tr></table><br/><font size=%1 face=Arial><center><b>Рефлектограмма<br/>ОВ № %6 на смонтированном участке регенерации.</b></center></font><br/><font size=%1 face=Times New Roman><table width = 100%><tr><td width=50%>Кабель (марка, тип):</td><td width=50%>%7</td></tr><tr><td width=50%>Волокно (цвет, номер):</td><td width=50%>%8</td></tr><tr><td width=50%>Направление:</td><td width=50%>%9</td></tr><tr><td width=50%>Рефлектометр (<i>тип, зав. №</i>)</td><td width=50%>%10&nbsp;№%11</td></tr></table></font><br/><br/>"),
        {QString::number(kTextSize), EscapeHtml(file.GetShortFileName()), EscapeHtml(texts.Volp),
         texts.CablePart, EscapeHtml(texts.Organization), fibre, EscapeHtml(texts.Cable), fibre,
         texts.Direction, EscapeHtml(supplier->MainframeId.GetValue()),
         EscapeHtml(supplier->MainframeSerialNumber.GetValue()),
         fixed->DateTime.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))});

    if (sections.bShowGraph) {
        html += FillTemplate(QCoreApplication::translate("CPrinter", "<font size=%1 face=Arial> Параметры измерения : </br>"),
                             {QString::number(kTextSize)});
        html += FillTemplate(
            QCoreApplication::translate("CPrinter", "<font size=%1 face=Arial><b><table width = 100%><tr><td>Wavelength: %2nm</td><td>Pulsewidth: %3ns</td><td>Length: %4km</td><td>Index: %5</td></tr></font></b>"),
            {QString::number(kTextSize), QString::number(double(fixed->ActualWavelength.GetValue()), 'g'),
             QString::number(double(fixed->PulseWidth.GetValue()), 'g'),
             QString::number(double(float(file.GetLength() / 1000)), 'g'),
             QString::number(fixed->GroupIndex.GetValue(), 'g')});
    }
    return html;
}

QString CReportPage::MarkerHtml(const sor::CFile& file) const
{
    if (!model)
        return QString();
    const CCursors* cursors = model->GetCursors();
    const float left = cursors->GetLeftMarker()->GetPosition();
    const float right = cursors->GetRightMarker()->GetPosition();
    const double lossLeft = -file.GetValueAt(left) / 1000.0;
    const double lossRight = -file.GetValueAt(right) / 1000.0;
    const double kmLeft = left / 1000.0;
    const double kmRight = right / 1000.0;
    const bool bLeft = model->GetMarkerPosition(CCursors::LEFT_MARKER, false);
    const bool bRight = model->GetMarkerPosition(CCursors::RIGHT_MARKER, false);
    const bool bAny = bLeft || bRight;
    const bool bBoth = bLeft && bRight;

    QString html;
    if (bAny)
        html += QStringLiteral("<font size=4 face=Arial><table width = 100%><tr>");
    const QString caption = QStringLiteral("<td width = 25%>") + QCoreApplication::translate("CPrinter", "Marker") + QStringLiteral("%1</td>");
    if (bLeft)
        html += caption.arg(bBoth ? QStringLiteral(" L") : QString());
    if (bRight)
        html += caption.arg(bBoth ? QStringLiteral(" R") : QString());
    if (bBoth)
        html += QStringLiteral("<td width = 25%>&nbsp;</td><td width = 25%>&nbsp;</td>");
    if (bAny)
        html += QStringLiteral("</tr><tr>");
    if (bLeft)
        html += QStringLiteral("<td>%1km</td>").arg(kmLeft, 0, 'f', 3);
    if (bRight)
        html += QStringLiteral("<td>%1km</td>").arg(kmRight, 0, 'f', 3);
    if (bBoth)
        html += QStringLiteral("<td>") + QCoreApplication::translate("CPrinter", "Distance") +
                QStringLiteral(" L-R</td><td>%1km</td>").arg(kmRight - kmLeft, 0, 'f', 3);
    if (bAny)
        html += QStringLiteral("</tr><tr>");
    if (bLeft)
        html += QStringLiteral("<td>%1dB</td>").arg(lossLeft);
    if (bRight)
        html += QStringLiteral("<td>%1dB</td>").arg(lossRight);
    if (bBoth)
        html += QStringLiteral("<td>") + QCoreApplication::translate("CPrinter", "Delta") +
                QStringLiteral(" L-R</td><td>%6dB</td>").arg(lossLeft - lossRight);
    if (bAny)
        html += QStringLiteral("</tr></table><hr/>");
    return html;
}

QString CReportPage::EventHtml(const sor::CFile& file)
{
    return EventHtml(file, 0, int(file.GetKeyEventList().size()));
}

QString CReportPage::EventHtml(const sor::CFile& file, int first, int count)
{
    const bc::tKeyEventList& events = file.GetKeyEventList();
    if (events.empty() || count <= 0)
        return QString();
    const QString cell = QStringLiteral("<td>%1</td>");
    QString html = QStringLiteral("<font size=4 face=Arial><table width = 100%><tr>");
    for (const QString& title : CEventList::GetColumnTitles())
        html += cell.arg(EscapeHtml(title));
    html += QStringLiteral("</tr>");
    float previousLoss = 0.0f;
    float commonLoss = 0.0f;
    float previousDistance = 0.0f;
    int i = 0;
    for (const sor::tKeyEvent& event : events) {
        const QStringList texts =
            CEventList::GetEventRowTexts(file, event, &previousLoss, &commonLoss, &previousDistance);
        if (i >= first && i < first + count) {
            html += QStringLiteral("<tr>");
            for (const QString& text : texts)
                html += cell.arg(EscapeHtml(text));
            html += QStringLiteral("</tr>");
        }
        if (++i >= first + count)
            break;
    }
    html += QStringLiteral("</table></font>");
    return html;
}

QString CReportPage::TablesHtml(const sor::CFile& file, const tReportBlock& block) const
{
    QString html;
    if (block.bMarkers)
        html += MarkerHtml(file);
    if (sections.bShowEventsData)
        html += EventHtml(file, block.FirstEvent, block.EventCount);
    return html;
}

tLineResults CReportPage::LineResults(sor::CFile& file)
{
    tLineResults results;
    if (file.GetKeyEventList().empty())
        return results;
    const bc::CKeyEvents* keyEvents = file.GetKeyEvents();
    results.Loss = keyEvents->GetEndToEndLoss() / 1000.0;
    results.ReturnLoss = keyEvents->GetOpticalReturnLoss() / 1000.0;
    // In 64 bits: markers read from a file can be anything.
    const double span =
        double(qint64(keyEvents->GetEndToEndMarkerFinish()) - qint64(keyEvents->GetEndToEndMarkerStart()));
    const sor::tSupplierParameters* supplier = file.GetSupplierParameters();
    if (IsNewerFirmware(supplier->MainframeId.GetValue(), supplier->SoftwareRevision.GetValue())) {
        // Times in units of 100 ps.
        double metres = span * 299792458.0 * 1e-10;
        const double groupIndex = file.GetFixedParameters()->GroupIndex.GetValue();
        if (groupIndex > 0)
            metres /= groupIndex;
        results.Length = metres / 1000.0;
    } else {
        results.Length = span * file.GetMetresPerPoint() / 1000.0;
    }
    if (results.Length < 0)
        results.Length = 0;
    results.Attenuation = results.Length > 0 ? results.Loss / results.Length : 0.0;
    return results;
}

QString CReportPage::ResultsHtml(const tLineResults& results)
{
    QString html = FillTemplate(QCoreApplication::translate("CPrinter", "<font size=%1 face=Arial> Результаты измерения линии</br>"),
                                {QString::number(kTextSize)});
    html += FillTemplate(
        QCoreApplication::translate("CPrinter", "<font size=%1 face=Times New Roman><table border cellspacing=0 width=100%><tr><td width=20%>Длина участка,км</td><td>Полное затухание,дБ</td><td>Погонное затухание, дБ/км</td><td>Возвратные потери (ORL),дБ</td></tr><tr><td width=20%>%2</td><td>%3 </td><td>%4</td><td>%5</td></tr></table></br></br></font>"),
        {QString::number(kTextSize), QString::number(results.Length, 'f', 3),
         QString::number(results.Loss, 'f', 3), QString::number(results.Attenuation, 'f', 3),
         QString::number(results.ReturnLoss, 'f', 3)});
    return html;
}

QString CReportPage::SignaturesHtml()
{
    const tReportTexts texts = ReadReportTexts();
    return FillTemplate(
        QCoreApplication::translate("CPrinter", "<font size=%1 face=Times New Roman><table border cellspacing=0 width=100%><tr><td width=20%>Подписали</td><td>Должность</td><td>Фамилия И.О.</td><td>Подпись</td><td>Дата</td></tr><tr><td width=20%>Представители строительно- монтажной организации</td><td>%2</td><td>%3</td><td></td><td></td></tr><tr><td width=20%>Представители технадзора</td><td>%4</td><td>%5</td><td></td><td></td></tr></table></font>"),
        {QString::number(kTextSize), texts.CustomerPosition, texts.CustomerName,
         texts.SuperviserPosition, texts.SuperviserName});
}

QVector<tReportBlock> CReportPage::Layout(const QRect& page, const QRect& viewport, sor::CFile& file) const
{
    const QSizeF pageSize = page.size();
    const auto heightOf = [&pageSize](const QString& html) {
        QTextDocument document;
        SetUpDocument(document, html, pageSize);
        return int(document.size().height());
    };
    QVector<tReportBlock> blocks;
    const auto place = [&blocks, &viewport](const tReportBlock& block, int page, int y, int height) {
        tReportBlock placed = block;
        placed.Page = page;
        placed.Area = QRect(0, y, viewport.width(), height);
        blocks << placed;
    };
    const auto kind = [](tReportBlock::tKind kind) {
        tReportBlock block;
        block.Kind = kind;
        return block;
    };
    const int bottom = viewport.height();
    const int events = int(file.GetKeyEventList().size());

    const int headerHeight = heightOf(HeaderHtml(file));
    place(kind(tReportBlock::Header), 0, 0, headerHeight);
    int y = headerHeight;
    if (sections.bShowGraph) {
        tReportBlock trace = kind(tReportBlock::Trace);
        trace.Area = QRect(0, headerHeight, page.width(), qMax(2, page.height() / 2 - headerHeight));
        blocks << trace;
        y += trace.Area.height();
    }

    tReportBlock tables = kind(tReportBlock::Tables);
    tables.bMarkers = sections.bShowMarkerData;
    tables.EventCount = sections.bShowEventsData ? events : 0;
    const bool bTables = (sections.bShowMarkerData || sections.bShowEventsData) &&
                         (events > 0 || sections.bShowMarkerData);
    int tablesHeight = 0;
    if (events > 0 || sections.bShowMarkerData)
        tablesHeight = heightOf(TablesHtml(file, tables));
    const tReportBlock results = kind(tReportBlock::Results);
    const int resultsHeight = sections.bShowResultsData ? heightOf(ResultsHtml(LineResults(file))) : 0;
    const tReportBlock signatures = kind(tReportBlock::Signatures);
    const int signaturesHeight = sections.bShowFooter ? heightOf(SignaturesHtml()) : 0;

    if (headerHeight + tablesHeight < bottom && y + tablesHeight + resultsHeight <= bottom - signaturesHeight) {
        if (bTables && tablesHeight != 0)
            place(tables, 0, y, tablesHeight);
        if (sections.bShowResultsData)
            place(results, 0, y + tablesHeight, resultsHeight);
        if (sections.bShowFooter)
            place(signatures, 0, bottom - signaturesHeight, signaturesHeight);
        return blocks;
    }

    // Too long for one page: nothing may be drawn over anything else, and
    // no event row may be lost.
    int sheet = 0;
    if (bTables) {
        const int rows = tables.EventCount;
        tReportBlock part = tables;
        for (;;) {
            const int room = bottom - y;
            part.EventCount = rows - part.FirstEvent;
            int height = heightOf(TablesHtml(file, part));
            if (height > room) {
                // The most rows that fit; heights grow with the rows.
                int fitting = 0;
                int low = 1;
                int high = rows - part.FirstEvent - 1;
                while (low <= high) {
                    const int middle = (low + high) / 2;
                    part.EventCount = middle;
                    const int middleHeight = heightOf(TablesHtml(file, part));
                    if (middleHeight <= room) {
                        fitting = middle;
                        height = middleHeight;
                        low = middle + 1;
                    } else {
                        high = middle - 1;
                    }
                }
                if (fitting == 0 && y > 0) {
                    ++sheet;
                    y = 0;
                    continue;
                }
                if (fitting == 0) {
                    // A row taller than a page: it is cut, but what follows
                    // still moves on.
                    fitting = qMin(1, rows - part.FirstEvent);
                    part.EventCount = fitting;
                    height = heightOf(TablesHtml(file, part));
                }
                part.EventCount = fitting;
            }
            place(part, sheet, y, height);
            y += height;
            part.FirstEvent += part.EventCount;
            part.bMarkers = false;
            if (part.FirstEvent >= rows)
                break;
            ++sheet;
            y = 0;
        }
    }
    if (sections.bShowResultsData) {
        if (y + resultsHeight > bottom && y > 0) {
            ++sheet;
            y = 0;
        }
        place(results, sheet, y, resultsHeight);
        y += resultsHeight;
    }
    if (sections.bShowFooter) {
        if (y > bottom - signaturesHeight)
            ++sheet;
        place(signatures, sheet, bottom - signaturesHeight, signaturesHeight);
    }
    return blocks;
}

bool CReportPage::Draw(QPrinter* printer, QPainter* painter, sor::CFile& file)
{
    painter->save();
    const QRect page = printer->pageRect(QPrinter::DevicePixel).toRect();
    const QSizeF pageSize = page.size();
    const QRect viewport = painter->viewport();
    const auto drawHtml = [&](const QString& html, int y) {
        QTextDocument document;
        SetUpDocument(document, html, pageSize);
        DrawAt(painter, viewport, y, document);
    };

    bool bOk = true;
    int current = 0;
    for (const tReportBlock& block : Layout(page, viewport, file)) {
        if (block.Page != current) {
            if (!printer->newPage()) {
                bOk = false;
                break;
            }
            current = block.Page;
        }
        switch (block.Kind) {
        case tReportBlock::Header: {
            QTextDocument header;
            SetUpDocument(header, HeaderHtml(file), pageSize);
            header.drawContents(painter);
            break;
        }
        case tReportBlock::Trace:
            painter->setPen(QPen(Qt::black, 0));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(block.Area);
            painter->setClipRect(block.Area);
            if (model)
                model->Draw(painter, block.Area, true, true, true, true, sections.bShowEventsData);
            painter->setClipping(false);
            break;
        case tReportBlock::Tables:
            drawHtml(TablesHtml(file, block), block.Area.y());
            break;
        case tReportBlock::Results:
            drawHtml(ResultsHtml(LineResults(file)), block.Area.y());
            break;
        case tReportBlock::Signatures:
            drawHtml(SignaturesHtml(), block.Area.y());
            break;
        }
    }
    painter->restore();
    return bOk;
}
