#include "filelist/FileListElementWidget.h"

#include "core/Format.h"
#include "filelist/ColorBox.h"
#include "filelist/GraphWidget.h"
#include "sor/File.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyle>

namespace {

const int cBand = 6;

QLabel* PlainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    // Operators and names come from files; markup in them is text.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

} // namespace

CFileListElementWidget::CFileListElementWidget(int row, unsigned state,
                                               const QSharedPointer<tListedFile>& file, QWidget* parent)
    : QFrame(parent), file(file)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);

    sor::CFile* trace = file ? file->FilePtr.data() : nullptr;

    auto* number = PlainLabel(tr("%1%2 ").arg(QChar(0x2116)).arg(row + 1), this);
    auto* date = PlainLabel(trace ? FormatDateTime(trace->GetFixedParameters()->DateTime) : QString(), this);
    date->setAlignment(Qt::AlignCenter);

    QLabel* version = nullptr;
    if (trace && trace->IsVersion2()) {
        version = new QLabel(this);
        version->setTextFormat(Qt::RichText);
        version->setText(QStringLiteral("<h4><i>&nbsp;v2.0</i></h4>"));
    }
    QLabel* operatorLabel = nullptr;
    const QString operatorName = trace ? trace->GetGeneralParameters()->Operator.GetValue() : QString();
    if (!operatorName.isEmpty())
        operatorLabel = PlainLabel(operatorName, this);

    QWidget* name = nullptr;
    const QString fileName = trace ? trace->GetShortFileName() : QString();
    if (parent) {
        nameEditor = new QLineEdit(QFileInfo(fileName).completeBaseName(), this);
        nameEditor->setFrame(false);
        nameEditor->setFocusPolicy(Qt::StrongFocus);
        setFocusProxy(nameEditor);
        connect(nameEditor, &QLineEdit::returnPressed, this, &CFileListElementWidget::OnEditingOk);
        connect(nameEditor, &QLineEdit::editingFinished, this, &CFileListElementWidget::OnEditingLeave);
        name = nameEditor;
    } else {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::RichText);
        const QString mark = trace && trace->IsChanged() ? QStringLiteral("* ") : QString();
        label->setText(QStringLiteral("<h3>") + (mark + fileName).toHtmlEscaped() + QStringLiteral("</h3>"));
        label->setAlignment(Qt::AlignCenter);
        name = label;
    }

    CColorBox* swatch = file && file->ColorNumber >= 0 ? new CColorBox(file->Color, this) : nullptr;
    auto* graph = new CGraphWidget(file, this);

    QPalette palette = QApplication::style()->standardPalette();
    const QBrush grey(QColor(210, 210, 210, 255), Qt::SolidPattern);
    const QColor windowText = palette.color(QPalette::WindowText);
    const bool bSelected = state & cSelected;
    if ((state & cCurrent) && (state & cFocused)) {
        outerBrush = palette.highlight();
        innerBrush = bSelected ? palette.highlight() : palette.base();
        if (bSelected) {
            palette.setColor(QPalette::WindowText, palette.color(QPalette::HighlightedText));
            palette.setColor(QPalette::Text, palette.color(QPalette::HighlightedText));
        }
    } else if (state & cCurrent) {
        outerBrush = palette.dark();
        innerBrush = bSelected ? grey : palette.base();
    } else if (bSelected) {
        outerBrush = grey;
        innerBrush = grey;
    } else {
        outerBrush = palette.base();
        innerBrush = palette.base();
    }
    setPalette(palette);
    QPalette graphPalette = palette;
    graphPalette.setColor(QPalette::WindowText, windowText);
    graph->setPalette(graphPalette);

    number->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    date->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    if (operatorLabel)
        operatorLabel->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    graph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const QStyle* style = this->style();
    const int hMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this);
    const int vMargin = style->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, this);
    auto* card = new QVBoxLayout(this);
    card->setContentsMargins(hMargin + 4, vMargin, hMargin + 4, vMargin + 4);
    card->setSpacing(0);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(number);
    top->addWidget(name);
    card->addLayout(top);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    if (version)
        middle->addWidget(version);
    middle->addWidget(date);
    if (operatorLabel)
        middle->addWidget(operatorLabel);
    card->addLayout(middle);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(3, 3, 3, 3);
    bottom->setSpacing(3);
    if (swatch)
        bottom->addWidget(swatch);
    bottom->addWidget(graph);
    card->addLayout(bottom);
}

QString CFileListElementWidget::GetEditedName() const
{
    return nameEditor ? nameEditor->text() : QString();
}

void CFileListElementWidget::OnEditingOk()
{
    // A refusal's message box takes the focus; closing the editor then would
    // delete it inside the box's event loop, under its own key handler.
    bRenaming = true;
    const QPointer<CFileListElementWidget> self(this);
    emit editingOk(this);
    if (!self)
        return;
    bRenaming = false;
    if (bReleased)
        deleteLater();
}

void CFileListElementWidget::Release()
{
    bReleased = true;
    if (!bRenaming)
        deleteLater();
}

void CFileListElementWidget::OnEditingLeave()
{
    if (bLeft || bRenaming || bReleased)
        return;
    bLeft = true;
    emit editingLeave(this);
}

void CFileListElementWidget::paintEvent(QPaintEvent* event)
{
    {
        // The whole card, not only the exposed part: the painter clips, and an
        // editor repainted in pieces would otherwise draw its band inside.
        QPainter painter(this);
        const QRect all = rect();
        painter.fillRect(all, outerBrush);
        painter.fillRect(all.adjusted(cBand, cBand, -cBand, -cBand), innerBrush);
    }
    QFrame::paintEvent(event);
}

void CFileListElementWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
