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
    const bc::tKeyEventList& events = file.GetKeyEventList();
    if (events.empty())
        return QString();
    const QString cell = QStringLiteral("<td>%1</td>");
    QString html = QStringLiteral("<font size=4 face=Arial><table width = 100%><tr>");
    for (const QString& title : CEventList::GetColumnTitles())
        html += cell.arg(EscapeHtml(title));
    html += QStringLiteral("</tr>");
    float previousLoss = 0.0f;
    float commonLoss = 0.0f;
    float previousDistance = 0.0f;
    for (const sor::tKeyEvent& event : events) {
        html += QStringLiteral("<tr>");
        for (const QString& text :
             CEventList::GetEventRowTexts(file, event, &previousLoss, &commonLoss, &previousDistance))
            html += cell.arg(EscapeHtml(text));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table></font>");
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

void CReportPage::Draw(QPrinter* printer, QPainter* painter, sor::CFile& file)
{
    painter->save();
    const QRect page = printer->pageRect(QPrinter::DevicePixel).toRect();
    const QSizeF pageSize = page.size();
    const QRect viewport = painter->viewport();

    QTextDocument header;
    SetUpDocument(header, HeaderHtml(file), pageSize);
    header.drawContents(painter);
    const int headerHeight = int(header.size().height());

    QString tablesHtml;
    if (sections.bShowMarkerData)
        tablesHtml += MarkerHtml(file);
    if (sections.bShowEventsData)
        tablesHtml += EventHtml(file);
    QTextDocument tables;
    SetUpDocument(tables, tablesHtml, pageSize);
    int tablesHeight = 0;
    if (!file.GetKeyEventList().empty() || sections.bShowMarkerData)
        tablesHeight = int(tables.size().height());
    if (headerHeight + tablesHeight >= viewport.height())
        tablesHeight = 50;

    const QRect traceArea(0, headerHeight, page.width(), qMax(2, page.height() / 2 - headerHeight));
    int y = headerHeight;
    if (sections.bShowGraph) {
        painter->setPen(QPen(Qt::black, 0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(traceArea);
        painter->setClipRect(traceArea);
        if (model)
            model->Draw(painter, traceArea, true, true, true, true, sections.bShowEventsData);
        painter->setClipping(false);
        y += traceArea.height();
    }

    if ((sections.bShowMarkerData || sections.bShowEventsData) && tablesHeight != 0)
        DrawAt(painter, viewport, y, tables);

    if (sections.bShowResultsData) {
        QTextDocument results;
        SetUpDocument(results, ResultsHtml(LineResults(file)), pageSize);
        DrawAt(painter, viewport, y + tablesHeight, results);
    }

    if (sections.bShowFooter) {
        QTextDocument signatures;
        SetUpDocument(signatures, SignaturesHtml(), pageSize);
        DrawAt(painter, viewport, viewport.height() - int(signatures.size().height()), signatures);
    }
    painter->restore();
}
