#include "graph/GraphDlg.h"

#include "core/Format.h"
#include "graph/GraphModel.h"
#include "ui_GraphDlg.h"

#include <QKeyEvent>

#include <cmath>

namespace {

// A typed marker distance in metres; false for text that is no finite number,
// which toFloat accepts as "nan" and "inf".
bool ParseDistance(const QString& text, float* metres)
{
    bool bOk = false;
    const float value = text.toFloat(&bOk) * 1000;
    if (!bOk || !std::isfinite(value))
        return false;
    *metres = value;
    return true;
}

} // namespace

CGraphDlg::CGraphDlg(CGraphModel* model, QWidget* parent)
    : QWidget(parent), ui(new Ui::CGraphDlg), model(model)
{
    ui->setupUi(this);

    setMinimumWidth(415);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    // Only the comment row of the information group is in use.
    for (QWidget* w : {static_cast<QWidget*>(ui->label), static_cast<QWidget*>(ui->iWaveLength),
                       static_cast<QWidget*>(ui->label_8), static_cast<QWidget*>(ui->label_6),
                       static_cast<QWidget*>(ui->iResolution), static_cast<QWidget*>(ui->label_11),
                       static_cast<QWidget*>(ui->label_2), static_cast<QWidget*>(ui->iPulseWidth),
                       static_cast<QWidget*>(ui->label_9), static_cast<QWidget*>(ui->label_5),
                       static_cast<QWidget*>(ui->iGroupIndex), static_cast<QWidget*>(ui->label_12),
                       static_cast<QWidget*>(ui->label_3), static_cast<QWidget*>(ui->iNumOfOver),
                       static_cast<QWidget*>(ui->label_10), static_cast<QWidget*>(ui->label_4),
                       static_cast<QWidget*>(ui->iDiapasone), static_cast<QWidget*>(ui->label_13)})
        w->hide();

    setFocusPolicy(Qt::NoFocus);
    ui->btnComment->setFocusPolicy(Qt::NoFocus);
    ui->lPos->setFocusPolicy(Qt::ClickFocus);
    ui->rPos->setFocusPolicy(Qt::ClickFocus);
    ui->sComment->setFocusPolicy(Qt::ClickFocus);

    ui->checkShowApproxLine->setChecked(false);

    // A finished marker edit refreshes the panel before it reports the move.
    connect(ui->sComment, &QLineEdit::returnPressed, this, &CGraphDlg::OnUpdateEdits);
    connect(ui->lPos, &QLineEdit::returnPressed, this, &CGraphDlg::OnUpdateEdits);
    connect(ui->rPos, &QLineEdit::returnPressed, this, &CGraphDlg::OnUpdateEdits);
    connect(ui->sComment, &QLineEdit::editingFinished, this, &CGraphDlg::OnClearFocus);
    connect(ui->lPos, &QLineEdit::editingFinished, this, &CGraphDlg::OnClearFocus);
    connect(ui->rPos, &QLineEdit::editingFinished, this, &CGraphDlg::OnClearFocus);
    connect(ui->lPos, &QLineEdit::editingFinished, this, &CGraphDlg::GenCursorMoved);
    connect(ui->rPos, &QLineEdit::editingFinished, this, &CGraphDlg::GenCursorMoved);
    connect(ui->checkShowApproxLine, &QCheckBox::toggled, this,
            &CGraphDlg::onShowApproxLineToggled);
    connect(ui->comboApproximationMode, QOverload<int>::of(&QComboBox::currentIndexChanged),
            this, &CGraphDlg::onApproxLineTypeChanged);

    hide();
}

CGraphDlg::~CGraphDlg() = default;

void CGraphDlg::ConnectInfoButton(const QObject* receiver, const char* member)
{
    connect(ui->btnComment, SIGNAL(clicked(bool)), receiver, member);
}

bool CGraphDlg::HasFile() const
{
    return model->IsEnabled() && !model->IsViewOnly();
}

void CGraphDlg::GenCursorMoved()
{
    emit sigCursorMoved();
}

void CGraphDlg::OnClearFocus()
{
    OnUpdateValues();
    // Hiding moves the keyboard focus out of the edits; a panel the refresh
    // hid has nothing to measure and stays hidden.
    if (!isHidden()) {
        hide();
        show();
    }
    emit sigUpdate();
}

void CGraphDlg::OnUpdateValues()
{
    if (!HasFile()) {
        hide();
        return;
    }
    show();

    sor::CFile* file = model->file();
    GeneralParams = *file->GetGeneralParameters();
    GeneralParams.Comment.SetCodec(file->GetTextCodec());
    // Binding installs a fresh validator on every refresh; drop the previous
    // one so that a long session of cursor moves does not pile them up.
    const QValidator* oldValidator = ui->sComment->validator();
    GeneralParams.Comment.ToLineEdit(ui->sComment, true);
    if (oldValidator && oldValidator != ui->sComment->validator())
        delete oldValidator;

    const sor::tFixedParameters* fixed = file->GetFixedParameters();
    ui->iWaveLength->setText(QString::number(GeneralParams.NominalWavelength.GetValue(), 'f', 0));
    ui->iPulseWidth->setText(QString::number(fixed->PulseWidth.GetValue(), 'f', 0));
    ui->iNumOfOver->setText(QString::number(fixed->NumberOfAverages.GetValue()));
    ui->iResolution->setText(QString::number(file->GetMetresPerPoint(), 'f', 1));
    ui->iGroupIndex->setText(QString::number(fixed->GroupIndex.GetValue(), 'f', 5));
    ui->iDiapasone->setText(QString::number(file->GetLength() / 1000, 'f', 3));

    CCursors* cursors = model->GetCursors();
    const float xL = cursors->GetLeftMarker()->GetPosition();
    const float xR = cursors->GetRightMarker()->GetPosition();
    ui->lPos->setText(QString::number(xL / 1000, 'f', 4));
    ui->rPos->setText(QString::number(xR / 1000, 'f', 4));

    float levelL = file->GetValueAt(xL) / -1000.0f;
    float levelR = file->GetValueAt(xR) / -1000.0f;
    if (model->GetMarkerLineType() != 0) {
        const tLine& line = cursors->GetMarkerLine();
        levelL = (xL * line.Slope + line.Intercept) / -1000.0f;
        levelR = (xR * line.Slope + line.Intercept) / -1000.0f;
    }
    ui->lVal->setText(QString::number(levelL, 'f', 2));
    ui->rVal->setText(QString::number(levelR, 'f', 2));
    ui->mDistance->setText(QString::number(std::fabs(xR - xL) / 1000, 'f', 4));
    ui->mLoss->setText(QString::number(levelL - levelR, 'f', 3));

    ui->mText3->show();
    ui->mAttCoeff->show();
    ui->mText4->show();
    ui->mAttCoeff->setText(FormatLoss(cursors->GetAttenuation()));

    if (cursors->IsEditMode()) {
        ui->mPosition->setText(
            QString::number(cursors->GetCenterCursor()->GetPosition() / 1000, 'f', 4));
        const sor::tKeyEvent& event = cursors->GetEditedEvent();
        if (event.EventType == 1) {
            ui->groupBox_2->setTitle(tr("Отражение с потерями (5 маркеров)"));
            ui->mrReflectance->setText(FormatReflectance(event.Reflectance.GetValue()));
            SetFiveMarkerRows(true, false, true);
        } else {
            ui->groupBox_2->setTitle(tr("Потери в соединении (5 маркеров)"));
            ui->mbAttenuation->setText(FormatLoss(event.EventLoss.GetValue()));
            SetFiveMarkerRows(true, true, false);
        }
    } else {
        ui->groupBox_2->setTitle(tr("Измерения (2 маркера)"));
        SetFiveMarkerRows(false, false, false);
    }
}

void CGraphDlg::SetFiveMarkerRows(bool bPosition, bool bAttenuation, bool bReflectance)
{
    ui->mText1->setVisible(bPosition);
    ui->mPosition->setVisible(bPosition);
    ui->mText2->setVisible(bPosition);
    ui->maText1->setVisible(bAttenuation);
    ui->mbAttenuation->setVisible(bAttenuation);
    ui->maText2->setVisible(bAttenuation);
    ui->mrText1->setVisible(bReflectance);
    ui->mrReflectance->setVisible(bReflectance);
    ui->mrText2->setVisible(bReflectance);
}

void CGraphDlg::OnSetLeftMarker()
{
    ui->lPos->selectAll();
    ui->lPos->setFocus();
}

void CGraphDlg::OnSetRightMarker()
{
    ui->rPos->selectAll();
    ui->rPos->setFocus();
}

void CGraphDlg::onShowApproxLineToggled(bool b)
{
    model->SetShowMarkerLine(b);
    emit sigUpdate();
}

void CGraphDlg::onApproxLineTypeChanged(int index)
{
    model->SetMarkerLineType(index);
    emit sigUpdate();
    OnUpdateValues();
}

void CGraphDlg::OnUpdateEdits()
{
    if (!HasFile())
        return;

    CCursors* cursors = model->GetCursors();
    float metres = 0;
    if (ParseDistance(ui->lPos->text(), &metres))
        cursors->GetLeftMarker()->MoveTo(metres);
    if (ParseDistance(ui->rPos->text(), &metres))
        cursors->GetRightMarker()->MoveTo(metres);

    if (ui->sComment->text() == GeneralParams.Comment.ToString())
        return;
    try {
        GeneralParams.Comment.FromLineEdit();
    } catch (const CType::IValue::ValidatorMessage&) {
        // The validator has shown its hint beside the edit.
        return;
    }
    const QSharedPointer<sor::CFile> file = model->GetFilePtr();
    // A text set without typing is not read back; storing would only mark
    // the file changed.
    if (GeneralParams.Comment.GetValue() == file->GetGeneralParameters()->Comment.GetValue())
        return;
    // The file outlives this panel; its record must not point at our edit.
    sor::tGeneralParameters stored = GeneralParams;
    stored.Comment.ToLineEdit(nullptr, false);
    file->SetGeneralParameters(stored);
}

void CGraphDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        OnClearFocus();
    QWidget::keyPressEvent(event);
}

void CGraphDlg::focusInEvent(QFocusEvent*)
{
    if (focusWidget() == ui->sComment)
        ui->sComment->selectAll();
}
