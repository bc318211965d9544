#include "print/ParametersOpt.h"

#include "app/MainOpt.h"
#include "filelist/FileList.h"
#include "sor/File.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <tuple>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text,
                  Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

CParametersOpt::CParametersOpt(CFileList* flist, QWidget* parent)
    : QDialog(parent, Qt::MSWindowsFixedSizeDialogHint), flist(flist)
{
    // Nothing keeps the dialog once it is closed.
    setAttribute(Qt::WA_DeleteOnClose);
    SetUpForm();
    connect(ui.pushButtonGetDataFromSpectr, &QPushButton::pressed, this,
            &CParametersOpt::onGetDataFromReflectogram);
    Load();
}

CParametersOpt::~CParametersOpt() = default;

void CParametersOpt::SetUpForm()
{
    setObjectName(QStringLiteral("CParametersOpt"));
    resize(797, 455);
    setWindowTitle(tr("Формирование отчета"));

    // Labels and fields stand in grids, so that the fields of a group share
    // their width and the headings stand over their columns whatever the
    // length of the labels in the language shown.
    auto* header = new QGroupBox(tr("Данные заголовка"), this);
    header->setObjectName(QStringLiteral("groupBox_3"));
    ui.VolpCID = MakeEdit(header, "VolpCID");
    ui.CablePart = MakeEdit(header, "CablePart");
    ui.Cable = MakeEdit(header, "Cable");
    ui.Direction = MakeEdit(header, "Direction");
    auto* fields = new QGridLayout;
    int row = 0;
    for (auto [name, text, edit] :
         {std::make_tuple("label_8", tr("ВОЛП"), ui.VolpCID), std::make_tuple("label_6", tr("Участок"), ui.CablePart),
          std::make_tuple("label_5", tr("Кабель (марка, тип)"), ui.Cable),
          std::make_tuple("label_4", tr("Направление"), ui.Direction)}) {
        fields->addWidget(MakeLabel(header, name, text), row, 0);
        fields->addWidget(edit, row, 1);
        ++row;
    }
    fields->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), row, 0, 1, 2);
    fields->setColumnStretch(1, 1);
    // A field narrower than this shows too little of a cable's name.
    fields->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 24);
    ui.pushButtonGetDataFromSpectr =
        new QPushButton(tr("Заполнить заголовок данными из текущей рефлектограммы"), header);
    ui.pushButtonGetDataFromSpectr->setObjectName(QStringLiteral("pushButtonGetDataFromSpectr"));
    auto* fill = new QVBoxLayout;
    fill->setSpacing(6);
    int left = 0, right = 0, bottom = 0, top = 0;
    fill->getContentsMargins(&left, &top, &right, &bottom);
    fill->setContentsMargins(left, 0, right, bottom);
    fill->addWidget(ui.pushButtonGetDataFromSpectr);
    fill->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->addLayout(fields, 2);
    headerLayout->addLayout(fill, 2);

    auto* signatures = new QGroupBox(tr("Организация, Подписи"), this);
    signatures->setObjectName(QStringLiteral("groupBox"));
    ui.Organization = MakeEdit(signatures, "Organization");
    ui.customerPosition = MakeEdit(signatures, "customerPosition");
    ui.customerPersonName = MakeEdit(signatures, "customerPersonName");
    ui.superviserPosition = MakeEdit(signatures, "superviserPosition");
    ui.superviserPersonName = MakeEdit(signatures, "superviserPersonName");
    auto* signaturesLayout = new QGridLayout(signatures);
    signaturesLayout->addWidget(MakeLabel(signatures, "label_12", tr("Огрганизация-исполнитель (СМО)")), 0, 0);
    signaturesLayout->addWidget(ui.Organization, 0, 1, 1, 2);
    signaturesLayout->addWidget(MakeLabel(signatures, "label_11", QString(), Qt::AlignCenter), 1, 0);
    signaturesLayout->addWidget(MakeLabel(signatures, "label_13", tr("должность"), Qt::AlignCenter), 1, 1);
    signaturesLayout->addWidget(MakeLabel(signatures, "label_14", tr("Ф.И.О"), Qt::AlignCenter), 1, 2);
    row = 2;
    for (auto [name, text, position, person] :
         {std::make_tuple("label_10", tr("От Исполнителя"), ui.customerPosition, ui.customerPersonName),
          std::make_tuple("label_9", tr("От Принимающего"), ui.superviserPosition, ui.superviserPersonName)}) {
        signaturesLayout->addWidget(MakeLabel(signatures, name, text), row, 0);
        signaturesLayout->addWidget(position, row, 1);
        signaturesLayout->addWidget(person, row, 2);
        ++row;
    }
    signaturesLayout->setColumnStretch(1, 6);
    signaturesLayout->setColumnStretch(2, 10);

    auto* sections = new QGroupBox(tr("Выбор составных частей отчета"), this);
    sections->setObjectName(QStringLiteral("groupBox_2"));
    ui.checkHeader = MakeCheck(sections, "checkHeader", tr("Заголовок"));
    ui.checkEventsTable = MakeCheck(sections, "checkEventsTable", tr("Таблица событий"));
    ui.checkGraph = MakeCheck(sections, "checkGraph", tr("График и параметры измерения"));
    ui.checkResultsTable = MakeCheck(sections, "checkResultsTable", tr("Таблица результатов измерения"));
    ui.checkMarkerData = MakeCheck(sections, "checkMarkerData", tr("Данные маркеров"));
    ui.checkSign = MakeCheck(sections, "checkSign", tr("Подписи сторон"));
    // The header is always printed.
    ui.checkHeader->setChecked(true);
    ui.checkHeader->setEnabled(false);
    auto* checks = new QGridLayout(sections);
    checks->addWidget(ui.checkHeader, 0, 0);
    checks->addWidget(ui.checkEventsTable, 0, 1);
    checks->addWidget(ui.checkGraph, 1, 0);
    checks->addWidget(ui.checkResultsTable, 1, 1);
    checks->addWidget(ui.checkMarkerData, 2, 0);
    checks->addWidget(ui.checkSign, 2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CParametersOpt::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CParametersOpt::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(signatures);
    layout->addWidget(sections);
    layout->addWidget(buttons);
}

void CParametersOpt::Load()
{
    if (const CMainOpt* options = CMainOpt::Instance()) {
        Organization = options->GetOrganization();
        volp = options->GetVolp();
        cablePart = options->GetCablePart();
        Cable = options->GetCable();
        Direction = options->GetDirection();
        customerOrganizationPosition = options->GetCustomerOrganizationPosition();
        customerOrganizationPersonName = options->GetCustomerOrganizationPersonName();
        superviserOrganizationPosition = options->GetSuperviserOrganizationPosition();
        superviserOrganizationPersonName = options->GetSuperviserOrganizationPersonName();
        includeHeader = options->GetIncludeHeader();
        includeGraphicandResults = options->GetIncludeGraphicandResults();
        includeMarkerData = options->GetIncludeMarkerData();
        includeEventsTable = options->GetIncludeEventsTable();
        includeResultsTable = options->GetIncludeResultsTable();
        includeSign = options->GetIncludeSign();
    }
    ui.Organization->setText(Organization);
    ui.customerPosition->setText(customerOrganizationPosition);
    ui.customerPersonName->setText(customerOrganizationPersonName);
    ui.superviserPosition->setText(superviserOrganizationPosition);
    ui.superviserPersonName->setText(superviserOrganizationPersonName);
    ui.VolpCID->setText(volp);
    ui.CablePart->setText(cablePart);
    ui.Cable->setText(Cable);
    ui.Direction->setText(Direction);
    const auto state = [](bool b) { return b ? Qt::Checked : Qt::Unchecked; };
    ui.checkHeader->setCheckState(state(includeHeader));
    ui.checkGraph->setCheckState(state(includeGraphicandResults));
    ui.checkMarkerData->setCheckState(state(includeMarkerData));
    ui.checkEventsTable->setCheckState(state(includeEventsTable));
    ui.checkResultsTable->setCheckState(state(includeResultsTable));
    ui.checkSign->setCheckState(state(includeSign));
}

void CParametersOpt::onGetDataFromReflectogram()
{
    // With no current row there is no trace to take the texts from.
    if (!flist || flist->GetCount() <= 0 || !flist->IsEnabled())
        return;
    const QSharedPointer<sor::CFile> file = flist->GetCurrentFilePtr();
    if (!file)
        return;
    const sor::tGeneralParameters* general = file->GetGeneralParameters();
    const sor::tFixedParameters* fixed = file->GetFixedParameters();

    volp = general->CableId.GetValue();
    Cable = general->CableCode.GetValue();
    cablePart = general->OriginatingLocation.GetValue();
    if (!general->TerminatingLocation.GetValue().isEmpty())
        cablePart += QStringLiteral(" - ") + general->TerminatingLocation.GetValue();
    static const char* const directions[] = {"A->B", "B->A", "DT", "RF"};
    Direction = fixed->TraceType >= 0 && fixed->TraceType < 4
                    ? QString::fromLatin1(directions[fixed->TraceType])
                    : QString();

    ui.VolpCID->setText(volp);
    ui.CablePart->setText(cablePart);
    ui.Cable->setText(Cable);
    ui.Direction->setText(Direction);
}

void CParametersOpt::ReadForm()
{
    Organization = ui.Organization->text();
    customerOrganizationPosition = ui.customerPosition->text();
    customerOrganizationPersonName = ui.customerPersonName->text();
    superviserOrganizationPosition = ui.superviserPosition->text();
    superviserOrganizationPersonName = ui.superviserPersonName->text();
    volp = ui.VolpCID->text();
    cablePart = ui.CablePart->text();
    Cable = ui.Cable->text();
    Direction = ui.Direction->text();
    includeHeader = ui.checkHeader->checkState() == Qt::Checked;
    includeGraphicandResults = ui.checkGraph->checkState() == Qt::Checked;
    includeMarkerData = ui.checkMarkerData->checkState() == Qt::Checked;
    includeEventsTable = ui.checkEventsTable->checkState() == Qt::Checked;
    includeResultsTable = ui.checkResultsTable->checkState() == Qt::Checked;
    includeSign = ui.checkSign->checkState() == Qt::Checked;
}

void CParametersOpt::Store() const
{
    CMainOpt* options = CMainOpt::Instance();
    if (!options)
        return;
    options->SetOrganization(Organization);
    options->SetCustomerOrganizationPosition(customerOrganizationPosition);
    options->SetCustomerOrganizationPersonName(customerOrganizationPersonName);
    options->SetSuperviserOrganizationPosition(superviserOrganizationPosition);
    options->SetSuperviserOrganizationPersonName(superviserOrganizationPersonName);
    options->SetVolp(volp);
    options->SetCablePart(cablePart);
    options->SetCable(Cable);
    options->SetDirection(Direction);
    options->SetIncludeHeader(includeHeader);
    options->SetIncludeGraphicandResults(includeGraphicandResults);
    options->SetIncludeMarkerData(includeMarkerData);
    options->SetIncludeEventsTable(includeEventsTable);
    options->SetIncludeResultsTable(includeResultsTable);
    options->SetIncludeSign(includeSign);
}

void CParametersOpt::accept()
{
    ReadForm();
    Store();
    QDialog::accept();
}

int CParametersOpt::exec()
{
    // QDialog::exec would delete a delete-on-close dialog before returning,
    // and the stored values are still needed here.
    const bool bDeleteOnClose = testAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_DeleteOnClose, false);
    const int result = QDialog::exec();
    if (result == QDialog::Accepted)
        Store();
    if (bDeleteOnClose)
        deleteLater();
    return result == QDialog::Accepted ? 1 : 0;
}
