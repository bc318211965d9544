#pragma once

#include "app/MainOpt.h"
#include "filelist/FileList.h"
#include "filelist/ListFixture.h"
#include "print/Printer.h"
#include "resources/Resources.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QPrinter>

// A file list of built traces on a temporary working folder, with a view
// window so that the graph model draws, and the poppler tools that read the
// PDF files the printer writes.
class PrintFixture : public ListFixture
{
public:
    PrintFixture()
    {
        InitResources();
        Open();
        list->GetGraphModel()->SetWindowSize(QSize(700, 300));
    }

    // The fixture trace: 1310 nm, 10 ns, group index 1.468.
    static TraceBuilder Fixture(int points = 2000)
    {
        TraceBuilder builder(points, 10.0, 1.468f);
        builder.Flat(3000).Slope(0.3).Wavelength(1310).PulseWidth(10);
        return builder;
    }

    // Saves the trace into the working folder, lists it and makes it current.
    sor::CFile* Add(const TraceBuilder& builder, const QString& name)
    {
        QSharedPointer<sor::CFile> file = builder.Build(Path(name));
        file->Save();
        list->AddFileItem(file, false);
        list->SelectRow(list->count() - 1);
        return file.data();
    }

    static void SetSections(bool bOn)
    {
        CMainOpt* options = CMainOpt::Instance();
        options->SetIncludeGraphicandResults(bOn);
        options->SetIncludeMarkerData(bOn);
        options->SetIncludeEventsTable(bOn);
        options->SetIncludeResultsTable(bOn);
        options->SetIncludeSign(bOn);
    }

    // The default paper depends on the locale.
    static void SetA4(QPrinter* printer)
    {
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(QPageLayout::Portrait);
        printer->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    }

    // Answers the file choice: selects these rows in this order (0 is the
    // work area), ticks the PDF box when it can and accepts.
    static CModalAnswerer::tAction ChooseRows(const QList<int>& rows, bool bPdf = true)
    {
        return [rows, bPdf](QWidget* dialog) {
            auto* files = dialog->findChild<QListWidget*>();
            auto* pdf = dialog->findChild<QCheckBox*>();
            if (!files || !pdf) {
                dialog->close();
                return;
            }
            files->clearSelection();
            for (int row : rows)
                files->item(row)->setSelected(true);
            if (bPdf && pdf->isEnabled())
                pdf->setChecked(true);
            static_cast<QDialog*>(dialog)->accept();
        };
    }

    static QString Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000))
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    static QString PdfInfo(const QString& path) { return Run("pdfinfo", {path}); }
    static QString PdfText(const QString& path) { return Run("pdftotext", {path, "-"}); }

    // Page `page` (from 1) rendered at the printer's resolution, so that a
    // pixel of the image is a device pixel of the page.
    QImage Render(const QString& path, int page, int dpi) const
    {
        const QString prefix = Root() + QString("/page%1").arg(page);
        Run("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l",
                         QString::number(page), "-png", "-singlefile", path, prefix});
        return QImage(prefix + ".png");
    }
};

// Where a rendered page is inked, in pixels of the image, found without
// comparing pixels: the outline of the trace area is the longest dark run
// down the printable area's left edge (the text blocks keep a margin).
struct tPageInk
{
    int OutlineTop = -1;
    int OutlineBottom = -1;
    // Dark pixels along the outline's bottom row, within the printable width.
    int BottomRowDark = 0;
    // The lowest row with any ink inside the printable area.
    int LastInkedRow = -1;

    static bool IsDark(QRgb pixel) { return qGray(pixel) < 160; }

    static tPageInk Inspect(const QImage& image, const QRect& page)
    {
        tPageInk ink;
        int bestRun = 0;
        for (int x = page.left() - 1; x <= page.left() + 1; ++x) {
            int run = 0;
            for (int y = page.top(); y <= page.bottom() && y < image.height(); ++y) {
                run = x >= 0 && IsDark(image.pixel(x, y)) ? run + 1 : 0;
                if (run > bestRun) {
                    bestRun = run;
                    ink.OutlineBottom = y;
                    ink.OutlineTop = y - run + 1;
                }
            }
        }
        if (bestRun < 20)
            ink.OutlineTop = ink.OutlineBottom = -1;
        for (int y = page.top(); y <= page.bottom() && y < image.height(); ++y)
            for (int x = page.left(); x <= page.right() && x < image.width(); ++x)
                if (IsDark(image.pixel(x, y))) {
                    ink.LastInkedRow = y;
                    break;
                }
        if (ink.OutlineBottom >= 0) {
            // Anti-aliasing may spread the line over two rows.
            for (int x = page.left(); x <= page.right() && x < image.width(); ++x) {
                bool bDark = false;
                for (int y = ink.OutlineBottom - 1; y <= ink.OutlineBottom + 1; ++y)
                    bDark = bDark || IsDark(image.pixel(x, y));
                ink.BottomRowDark += bDark ? 1 : 0;
            }
        }
        return ink;
    }
};

// The print preview runs its own loop over a window that was already shown,
// so it is not the active modal widget: this finds it among the top-level
// widgets and applies the queued actions to each preview in turn.
class CPreviewAnswerer : public QObject
{
public:
    CPreviewAnswerer()
    {
        connect(&timer, &QTimer::timeout, this, &CPreviewAnswerer::Poll);
        timer.start(10);
    }

    CPreviewAnswerer& Then(CModalAnswerer::tAction action)
    {
        actions << std::move(action);
        return *this;
    }
    int Pending() const { return actions.size(); }

private:
    void Poll()
    {
        if (actions.isEmpty())
            return;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->inherits("QPrintPreviewDialog") || !widget->isVisible() || handled.contains(widget))
                continue;
            handled << widget;
            CModalAnswerer::tAction action = actions.takeFirst();
            QPointer<QWidget> target(widget);
            QMetaObject::invokeMethod(
                this, [target, action] { if (target) action(target); }, Qt::QueuedConnection);
            return;
        }
    }

    QTimer timer;
    QList<CModalAnswerer::tAction> actions;
    QList<QPointer<QWidget>> handled;
};
