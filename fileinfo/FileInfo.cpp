#include "fileinfo/FileInfo.h"

#include "ui_FileInfo.h"

#include "app/MainOpt.h"
#include "core/IARMessageBox.h"
#include "fileinfo/Firmware.h"
#include "filelist/FileList.h"
#include "sor/File.h"
#include "sor/FileView.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QValidator>

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace {

CFileInfo::tExecHook& ExecHook()
{
    static CFileInfo::tExecHook hook;
    return hook;
}

bool ServiceEditingEnabled()
{
    const CMainOpt* options = CMainOpt::Instance();
    return options && options->GetEnableServiceInfoEditing();
}

// Light travels this far in metres per 100 ps, the unit of newer firmware's markers.
constexpr double cMetresPer100ps = 299792458 * 1e-10;

// A 32-bit marker or loss from a computed value, rounded to the nearest
// unit: a typed 0.251 must not become 250 through a product a hair low.
// False when the value does not fit, so that a typed extreme leaves the
// stored one alone instead of wrapping.
bool ToInt32(double value, qint32* result)
{
    if (!std::isfinite(value))
        return false;
    const double rounded = std::round(value);
    if (rounded < double(std::numeric_limits<qint32>::min())
        || rounded > double(std::numeric_limits<qint32>::max()))
        return false;
    *result = qint32(rounded);
    return true;
}

// The texts of a record: each is bound to a field of the form and written
// with the trace's code page.
std::array<CType::IStrValue*, 7> Texts(sor::tGeneralParameters& general)
{
    return {&general.CableId,  &general.FiberId,  &general.OriginatingLocation, &general.TerminatingLocation,
            &general.CableCode, &general.Operator, &general.Comment};
}

std::array<CType::IStrValue*, 5> Texts(sor::tSupplierParameters& supplier)
{
    return {&supplier.SupplierName, &supplier.MainframeId, &supplier.MainframeSerialNumber,
            &supplier.SoftwareRevision, &supplier.Other};
}

// The file outlives the dialog: what it stores must not point at the
// dialog's edits.
template <class Values>
void Unbind(const Values& values)
{
    for (CType::IValue* value : values)
        value->ToLineEdit(nullptr, false);
}

sor::tGeneralParameters Unbound(sor::tGeneralParameters general)
{
    Unbind(Texts(general));
    return general;
}

sor::tSupplierParameters Unbound(sor::tSupplierParameters supplier)
{
    Unbind(Texts(supplier));
    return supplier;
}

sor::tFixedParameters Unbound(sor::tFixedParameters fixed)
{
    Unbind(std::initializer_list<CType::IValue*>{&fixed.GroupIndex, &fixed.PulseWidth, &fixed.NumberOfAverages,
                                                 &fixed.BackscatterCoefficient, &fixed.LossThreshold,
                                                 &fixed.ReflThreshold, &fixed.EndThreshold});
    return fixed;
}

} // namespace

CFileInfo::CFileInfo(QSharedPointer<sor::CFile> file, CFileList* fileList)
    : QDialog(fileList),
      fileList(fileList),
      form(new Ui::CFileInfo),
      file(std::move(file)),
      fileNameValue(QStringLiteral("(\\w|-|\\s)+"))
{
    // The name goes to the file system, not into the trace.
    fileNameValue.SetCodec(nullptr);
    form->setupUi(this);
    // Five captions are wider than the form's width in most fonts: the
    // dialog grows to show every tab instead of scrolling them.
    form->tabs->setUsesScrollButtons(false);
    form->tabs->setElideMode(Qt::ElideNone);
    setWindowTitle(tr("Information [%1]").arg(this->file->GetShortFileName()));

    const bool bService = ServiceEditingEnabled();
    FillGeneral();
    FillSupplier(bService);
    FillFixed(bService);
    FillEndToEnd(bService);
    FillCustomBlock();

    // The number boxes are narrow: show the start of each text, not its end.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (!edit->objectName().startsWith(QLatin1String("qt_")))
            edit->setCursorPosition(0);
}

CFileInfo::~CFileInfo() = default;

void CFileInfo::FillGeneral()
{
    keyEvents = *file->GetKeyEvents();
    general = *file->GetGeneralParameters();
    QTextCodec* codec = file->GetTextCodec();
    for (CType::IStrValue* text : Texts(general))
        text->SetCodec(codec);
    general.CableCode.ToLineEdit(form->CCD, true);
    general.FiberId.ToLineEdit(form->FID, true);
    general.OriginatingLocation.ToLineEdit(form->OL, true);
    general.TerminatingLocation.ToLineEdit(form->TL, true);

    form->CDF->addItem(tr("CDF_CCondidion"));
    form->CDF->addItem(tr("CDF_BuiltCondition"));
    form->CDF->addItem(tr("CDF_RepairedCondition"));
    form->CDF->addItem(tr("CDF_Other"));
    form->CDF->setCurrentIndex(general.CurrentDataFlag);
    general.CableId.ToLineEdit(form->CID, true);
    general.Operator.ToLineEdit(form->OP, true);
    general.Comment.ToLineEdit(form->CMT, true);
}

void CFileInfo::FillSupplier(bool bService)
{
    supplier = *file->GetSupplierParameters();
    QTextCodec* codec = file->GetTextCodec();
    for (CType::IStrValue* text : Texts(supplier))
        text->SetCodec(codec);
    supplier.SupplierName.ToLineEdit(form->SN, bService);
    supplier.MainframeId.ToLineEdit(form->MFID, bService);
    supplier.MainframeSerialNumber.ToLineEdit(form->OTDR, bService);
    supplier.SoftwareRevision.ToLineEdit(form->SR, bService);
    supplier.Other.ToLineEdit(form->OT, bService);
}

void CFileInfo::FillFixed(bool bService)
{
    fixed = *file->GetFixedParameters();
    form->DTS->setTimeSpec(Qt::UTC);
    form->DTS->setDisplayFormat(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    form->DTS->setDateTime(fixed.DateTime.toUTC());
    shownDateTime = form->DTS->dateTime();
    form->DTS->setEnabled(bService);
    form->DTS->setCalendarPopup(bService);

    // The whole name up to the suffix: "a.b.sor" accepted unchanged keeps its name.
    fileNameValue.ToLineEdit(form->FileName, true);
    form->FileName->setText(QFileInfo(file->GetFileName()).completeBaseName());

    const float wavelength = fixed.ActualWavelength.GetValue();
    if (wavelength == 1310.0f || wavelength == 1300.0f) {
        form->AWnmCombo->addItem(tr("1310"));
        form->AWnmCombo->addItem(tr("1300"));
        form->AWnmCombo->setCurrentIndex(wavelength == 1310.0f ? 0 : 1);
    } else {
        form->AWnmCombo->addItem(QString::number(wavelength, 'g', 6));
        form->AWnmCombo->setCurrentIndex(0);
    }
    form->AWnmCombo->setEnabled(bService);

    fixed.GroupIndex.ToLineEdit(form->GI, bService);
    connect(form->GI, &QLineEdit::textChanged, this, &CFileInfo::OnUpdateGI);
    OnUpdateGI();
    rangeValue.ToLineEdit(form->ARkm, bService);
    resolutionValue.ToLineEdit(form->DSmt, bService);
    fixed.PulseWidth.ToLineEdit(form->PWUns, false);
    fixed.NumberOfAverages.ToLineEdit(form->NAV, false);
    fixed.BackscatterCoefficient.ToLineEdit(form->BC, bService);
    fixed.LossThreshold.ToLineEdit(form->LT, bService);
    fixed.ReflThreshold.ToLineEdit(form->RT, bService);
    fixed.EndThreshold.ToLineEdit(form->ET, bService);

    static const char* const traceTypes[] = {"ST (A->B)", "RT (B->A)", "DT", "RF"};
    const int type = fixed.TraceType;
    form->directionCombo->addItem(type >= 0 && type < 4 ? QString::fromLatin1(traceTypes[type]) : QString());
    form->directionCombo->setCurrentIndex(0);
}

void CFileInfo::FillEndToEnd(bool bService)
{
    const qint32 start = keyEvents.GetEndToEndMarkerStart();
    const qint32 finish = keyEvents.GetEndToEndMarkerFinish();
    storedFinishMarker = finish;
    storedTotalLoss = keyEvents.GetEndToEndLoss();

    // In double: the difference of two 32-bit markers may not fit in 32 bits.
    const double delta = double(finish) - double(start);
    float length = 0;
    if (IsNewerFirmware(supplier.MainframeId.GetValue(), supplier.SoftwareRevision.GetValue())) {
        length = float(delta * cMetresPer100ps);
        const double groupIndex = fixed.GroupIndex.GetValue();
        if (groupIndex > 0)
            length = float(length / groupIndex);
        length /= 1000;
    } else {
        length = float(delta * file->GetPointDistance(1) / 1000);
        if (length < 0)
            length = 0;
    }
    form->lineLength->setText(QString::number(length, 'f', 3));
    form->lineLength->setToolTip(QStringLiteral("MarkerFinish= ") + QString::number(storedFinishMarker));
    form->EEL->setText(QString::number(float(storedTotalLoss) / 1000, 'g', 6));

    const bool bEditable = bService && !file->GetKeyEventList().empty();
    form->lineLength->setEnabled(bEditable);
    form->EEL->setEnabled(bEditable);
}

void CFileInfo::FillCustomBlock()
{
    customBlock1 = *file->GetCustomQWMXR01();
    if (!customBlock1.bPresent)
        return;
    auto number = [](double value) { return QString::number(value, 'g', 6); };
    form->lelDistToTheLeftMarker_cm->setText(number(customBlock1.lDistToTheLeftMarker_cm.GetValue()));
    form->lelDistToTheRightMarker_cm->setText(number(customBlock1.lDistToTheRightMarker_cm.GetValue()));
    form->combousApproxMethod->addItem(tr("2P"));
    form->combousApproxMethod->addItem(tr("LS"));
    form->combousApproxMethod->setCurrentIndex(customBlock1.usApproxMethod.GetValue() != 0 ? 1 : 0);
    form->leusLossBetweenMarkres->setText(number(customBlock1.usLossBetweenMarkers.GetValue()));
    form->leusMaxReflBetweenMarkers->setText(number(customBlock1.ulMaxReflBetweenMarkers.GetValue()));
    form->leulORL_BetweenMarkers->setText(number(customBlock1.usORL_BetweenMarkers.GetValue()));
    form->combousDisplayFlag->addItem(tr("MaxReflection"));
    form->combousDisplayFlag->addItem(tr("ORL"));
    form->combousDisplayFlag->setCurrentIndex(customBlock1.usDisplayFlag.GetValue() == 0 ? 0 : 1);
}

void CFileInfo::OnUpdateGI()
{
    try {
        fixed.GroupIndex.FromLineEdit();
    } catch (const CType::IValue::ValidatorMessage&) {
        // Half-typed: the derived boxes keep their text until the index reads.
        return;
    }
    const double groupIndex = fixed.GroupIndex.GetValue();
    rangeValue.GetValue() = sor::TimeToDistance(fixed.AcquisitionRange.GetValue(), groupIndex) / 1000;
    resolutionValue.GetValue() = sor::TimeToDistance(fixed.DataSpacing.GetValue(), groupIndex);
    form->ARkm->setText(rangeValue.ToString());
    form->DSmt->setText(resolutionValue.ToString());
}

void CFileInfo::accept()
{
    bool bIgnoreAll = false;
    for (;;) {
        try {
            StorePass();
            break;
        } catch (const CType::IValue::ValidatorMessage& message) {
            if (!AskAboutField(message, &bIgnoreAll))
                return;
        }
    }
    if (fileList)
        fileList->RenameFile(file, form->FileName->text());
    QDialog::accept();
}

void CFileInfo::StorePass()
{
    general.CableCode.FromLineEdit();
    general.FiberId.FromLineEdit();
    general.OriginatingLocation.FromLineEdit();
    general.TerminatingLocation.FromLineEdit();
    general.CurrentDataFlag = form->CDF->currentIndex();
    general.CableId.FromLineEdit();
    general.Operator.FromLineEdit();
    general.Comment.FromLineEdit();

    if (ServiceEditingEnabled())
        StoreService();

    if (*file->GetGeneralParameters() != general)
        file->SetGeneralParameters(Unbound(general));
    if (*file->GetFixedParameters() != fixed)
        file->SetFixedParameters(Unbound(fixed));
    if (*file->GetSupplierParameters() != supplier)
        file->SetSupplierParameters(Unbound(supplier));

    fileNameValue.FromLineEdit();
}

void CFileInfo::StoreService()
{
    supplier.SupplierName.FromLineEdit();
    supplier.MainframeId.FromLineEdit();
    supplier.MainframeSerialNumber.FromLineEdit();
    supplier.SoftwareRevision.FromLineEdit();
    supplier.Other.FromLineEdit();

    if (form->DTS->dateTime() != shownDateTime)
        fixed.DateTime = form->DTS->dateTime();

    bool bOk = false;
    const double wavelength = form->AWnmCombo->currentText().toDouble(&bOk);
    if (bOk) {
        fixed.ActualWavelength.GetValue() = float(wavelength);
        if (wavelength == 1300 || wavelength == 1310)
            general.NominalWavelength.GetValue() = float(wavelength);
    }

    fixed.GroupIndex.FromLineEdit();
    fixed.PulseWidth.FromLineEdit();
    fixed.NumberOfAverages.FromLineEdit();
    fixed.BackscatterCoefficient.FromLineEdit();
    fixed.LossThreshold.FromLineEdit();
    fixed.ReflThreshold.FromLineEdit();
    fixed.EndThreshold.FromLineEdit();

    StoreEndToEndLength();
    StoreEndToEndLoss();
}

// Only a length the user typed moves the markers: the shown text is rounded
// to metres, so reading it back unasked would shift them on every OK.
void CFileInfo::StoreEndToEndLength()
{
    if (!form->lineLength->isModified())
        return;
    bool bOk = false;
    const double length = form->lineLength->text().toDouble(&bOk);
    if (!bOk)
        return;
    double marker = 0;
    if (IsNewerFirmware(supplier.MainframeId.GetValue(), supplier.SoftwareRevision.GetValue())) {
        marker = length * 1000 / cMetresPer100ps;
        // As the shown length does: without a group index the time is taken as in vacuum.
        const double groupIndex = fixed.GroupIndex.GetValue();
        if (groupIndex > 0)
            marker *= groupIndex;
    } else {
        marker = length / file->GetPointDistance(1) * 1000;
    }
    qint32 finish = 0;
    if (!ToInt32(marker, &finish))
        return;
    if (finish < 0)
        finish = 0;
    if (finish != storedFinishMarker)
        file->SetEndToEndMarkers(0, finish);
}

void CFileInfo::StoreEndToEndLoss()
{
    if (!form->EEL->isModified())
        return;
    bool bOk = false;
    const double loss = form->EEL->text().toDouble(&bOk);
    qint32 total = 0;
    if (!bOk || !ToInt32(loss * 1000, &total))
        return;
    if (total != storedTotalLoss)
        file->SetEndToEndLoss(total);
}

bool CFileInfo::AskAboutField(const CType::IValue::ValidatorMessage& message, bool* bIgnoreAll)
{
    auto* edit = qobject_cast<QLineEdit*>(message.Widget);
    if (!edit)
        return false;
    for (int page = 0; page < form->tabs->count(); ++page)
        if (form->tabs->widget(page)->isAncestorOf(edit))
            form->tabs->setCurrentIndex(page);
    edit->selectAll();
    QCoreApplication::processEvents();

    const QRect place = edit->geometry();
    const QPoint anchor = mapToGlobal(QPoint(place.x() - place.width() / 2, place.y() + place.height() + 35));
    bool bRetry = false;
    if (!IARMessageBox(this, QMessageBox::Warning, tr("Editing File Information"),
                       tr("Field completed uncorrectly.\n%1").arg(message.Hint), &bRetry, bIgnoreAll, false,
                       anchor)) {
        reject();
        return false;
    }
    if (bRetry) {
        edit->setFocus();
        if (const QValidator* validator = edit->validator()) {
            QString text = edit->text();
            int position = -1;
            validator->validate(text, position);
        }
        return false;
    }
    // The group index is read while it is typed; the restored text must
    // bring back the file's value with it, not the last one typed.
    if (edit == form->GI)
        fixed.GroupIndex.GetValue() = file->GetFixedParameters()->GroupIndex.GetValue();
    edit->setText(message.InitialText);
    return true;
}

int CFileInfo::exec()
{
    if (const tExecHook& hook = ExecHook()) {
        const int result = hook(*this);
        setResult(result);
        return result;
    }
    return QDialog::exec();
}

void CFileInfo::SetExecHook(tExecHook hook)
{
    ExecHook() = std::move(hook);
}
