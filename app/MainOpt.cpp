#include "app/MainOpt.h"

#include "app/Constants.h"
#include "app/PrintSetup.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "core/Assert.h"
#include "core/Exception.h"
#include "core/LoggedMessageBox.h"

#include "ui_MainOpt.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

CMainOpt* CMainOpt::pthis = nullptr;

void CMainOpt::Create(QWidget* parent)
{
    QV_ASSERT(parent);
    pthis = new CMainOpt(parent);
}

CMainOpt* CMainOpt::Instance()
{
    QV_ASSERT(pthis);
    return pthis;
}

CMainOpt::CMainOpt(QWidget* parent)
    : QDialog(parent, Qt::MSWindowsFixedSizeDialogHint),
      colorDialog(new QColorDialog(this)),
      interfaceLanguage(startup::LanguageName(cProgramVersion, true)),
      backgroundColor(cDefaultGraphBackground),
      contrastColor(cDefaultGraphBackground),
      bAutoConnectToDevice(false),
      bNeedAckFileDeletion(true),
      bNeedDeleteLoadedFiles(false),
      bEnableServiceInfoEditing(false),
      bCopyReportHeaderDataFromActiveFile(false),
      includeHeader(false),
      includeGraphicandResults(false),
      includeMarkerData(false),
      includeEventsTable(false),
      includeResultsTable(false),
      includeSign(false),
      form(std::make_unique<Ui::CMainOpt>())
{
    form->setupUi(this);
    form->bAutoConnectToDevice->setVisible(false);
    // Enter after a keyboard choice accepts; it must not open the colour chooser.
    form->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(form->AdjustBackground, &QPushButton::released, this, &CMainOpt::AdjustBackground);
    LoadSettings();
}

CMainOpt::~CMainOpt()
{
    SaveSettings();
    // Whoever asks later gets the logged null, not a dangling object.
    if (pthis == this)
        pthis = nullptr;
}

void CMainOpt::LoadSettings()
{
    QSettings* settings = GetSettings(1, 0);
    settings->beginGroup(QStringLiteral("Options"));
    LastDir = settings->value(QStringLiteral("LastDir"), QString()).toString();
    if (LastDir.isEmpty())
        LastDir = GetDefaultLastDir();
    backgroundColor = settings->value(QStringLiteral("GraphBackground"), cDefaultGraphBackground).value<QColor>();
    UpdateContrastColor();
    Organization = settings->value(QStringLiteral("Organization"), QString()).toString();
    bAutoConnectToDevice = settings->value(QStringLiteral("bAutoConnectToDevice"), true).toBool();
    bNeedAckFileDeletion = settings->value(QStringLiteral("bNeedAckFileDeletion"), true).toBool();
    bNeedDeleteLoadedFiles = settings->value(QStringLiteral("bNeedDeleteLoadedFiles"), false).toBool();
    bEnableServiceInfoEditing = settings->value(QStringLiteral("bEnableServiceInfoEditing"), false).toBool();
    PrintSetup = QByteArray::fromHex(settings->value(QStringLiteral("PrintSetup"), QByteArray()).toByteArray());
    bCopyReportHeaderDataFromActiveFile =
        settings->value(QStringLiteral("bCopyReportHeaderDataFromActiveFile"), false).toBool();
    settings->endGroup();

    settings->beginGroup(QStringLiteral("Setup"));
    LanguageName = settings->value(QStringLiteral("LanguageName"), QString()).toString();
    settings->endGroup();
    if (LanguageName.isEmpty()) {
        QSettings* system = GetSettings(1, 1);
        system->beginGroup(QStringLiteral("Setup"));
        LanguageName = system->value(QStringLiteral("LanguageName"), QString()).toString();
        system->endGroup();
    }

    settings->beginGroup(QStringLiteral("ReportOptions"));
    customerOrganizationPosition = settings->value(QStringLiteral("customerOrganizationPosition"), QString()).toString();
    customerOrganizationPersonName = settings->value(QStringLiteral("customerOrganizationPersonName"), QString()).toString();
    superviserOrganizationPosition = settings->value(QStringLiteral("superviserOrganizationPosition"), QString()).toString();
    superviserOrganizationPersonName = settings->value(QStringLiteral("superviserOrganizationPersonName"), QString()).toString();
    volp = settings->value(QStringLiteral("volp"), QString()).toString();
    cablePart = settings->value(QStringLiteral("cablePart"), QString()).toString();
    Cable = settings->value(QStringLiteral("Cable"), QString()).toString();
    Direction = settings->value(QStringLiteral("Direction"), QString()).toString();
    includeHeader = settings->value(QStringLiteral("includeHeader"), QString()).toBool();
    includeGraphicandResults = settings->value(QStringLiteral("includeGraphicandResults"), QString()).toBool();
    includeMarkerData = settings->value(QStringLiteral("includeMarkerData"), QString()).toBool();
    includeEventsTable = settings->value(QStringLiteral("includeEventsTable"), QString()).toBool();
    includeResultsTable = settings->value(QStringLiteral("includeResultsTable"), QString()).toBool();
    includeSign = settings->value(QStringLiteral("includeSign"), QString()).toBool();
    settings->endGroup();
}

void CMainOpt::SaveSettings()
{
    QSettings* settings = GetSettings(1, 0);
    settings->beginGroup(QStringLiteral("Options"));
    settings->setValue(QStringLiteral("GraphBackground"), backgroundColor);
    settings->setValue(QStringLiteral("Organization"), Organization);
    settings->setValue(QStringLiteral("bAutoConnectToDevice"), bAutoConnectToDevice);
    settings->setValue(QStringLiteral("bNeedAckFileDeletion"), bNeedAckFileDeletion);
    settings->setValue(QStringLiteral("bNeedDeleteLoadedFiles"), bNeedDeleteLoadedFiles);
    settings->setValue(QStringLiteral("bEnableServiceInfoEditing"), bEnableServiceInfoEditing);
    settings->setValue(QStringLiteral("PrintSetup"), PrintSetup.toHex());
    settings->setValue(QStringLiteral("bCopyReportHeaderDataFromActiveFile"), bCopyReportHeaderDataFromActiveFile);
    settings->endGroup();

    settings->beginGroup(QStringLiteral("Setup"));
    settings->setValue(QStringLiteral("LanguageName"), LanguageName);
    settings->endGroup();

    settings->beginGroup(QStringLiteral("ReportOptions"));
    settings->setValue(QStringLiteral("customerOrganizationPosition"), customerOrganizationPosition);
    settings->setValue(QStringLiteral("customerOrganizationPersonName"), customerOrganizationPersonName);
    settings->setValue(QStringLiteral("superviserOrganizationPosition"), superviserOrganizationPosition);
    settings->setValue(QStringLiteral("superviserOrganizationPersonName"), superviserOrganizationPersonName);
    settings->setValue(QStringLiteral("volp"), volp);
    settings->setValue(QStringLiteral("cablePart"), cablePart);
    settings->setValue(QStringLiteral("Cable"), Cable);
    settings->setValue(QStringLiteral("Direction"), Direction);
    settings->setValue(QStringLiteral("includeHeader"), includeHeader);
    settings->setValue(QStringLiteral("includeGraphicandResults"), includeGraphicandResults);
    settings->setValue(QStringLiteral("includeMarkerData"), includeMarkerData);
    settings->setValue(QStringLiteral("includeEventsTable"), includeEventsTable);
    settings->setValue(QStringLiteral("includeResultsTable"), includeResultsTable);
    settings->setValue(QStringLiteral("includeSign"), includeSign);
    settings->endGroup();

    settings->sync();
}

void CMainOpt::SaveLastDir()
{
    QSettings* settings = GetSettings(1, 0);
    settings->beginGroup(QStringLiteral("Options"));
    LastDir = QDir::currentPath();
    // Stored empty, the documents folder follows whoever runs the program.
    const QString documents = GetDefaultLastDir();
    if (!documents.isEmpty()
        && QDir::cleanPath(QFileInfo(LastDir).absoluteFilePath())
               == QDir::cleanPath(QFileInfo(documents).absoluteFilePath()))
        LastDir.clear();
    settings->setValue(QStringLiteral("LastDir"), LastDir);
    settings->endGroup();
    settings->sync();
}

void CMainOpt::UpdateContrastColor()
{
    contrastColor.setRgb(255 - backgroundColor.red(), 255 - backgroundColor.green(),
                         255 - backgroundColor.blue(), contrastColor.alpha());
}

void CMainOpt::LoadPrintSetup(QPrinter* printer) const
{
    QV_ASSERT(printer);
    if (!printer || PrintSetup.isEmpty())
        return;
    if (!ReadPrintSetup(PrintSetup, *printer))
        qWarning("Stored printer set-up is damaged; printer defaults are used");
}

void CMainOpt::SavePrintSetup(QPrinter* printer)
{
    QV_ASSERT(printer);
    if (printer)
        PrintSetup = WritePrintSetup(*printer);
}

void CMainOpt::accept()
{
    bAutoConnectToDevice = form->bAutoConnectToDevice->checkState() == Qt::Checked;
    bNeedAckFileDeletion = form->bNeedAckFileDeletion->checkState() == Qt::Checked;
    bNeedDeleteLoadedFiles = form->bNeedDeleteLoadedFiles->checkState() == Qt::Checked;
    bEnableServiceInfoEditing = form->bEnableServiceInfoEditing->checkState() == Qt::Checked;
    // Accepted without a run of exec there is no choice to take over.
    if (chosenColor.isValid()) {
        backgroundColor = chosenColor;
        UpdateContrastColor();
    }
    QDialog::accept();
}

int CMainOpt::exec()
{
    form->bAutoConnectToDevice->setChecked(bAutoConnectToDevice);
    form->bNeedAckFileDeletion->setChecked(bNeedAckFileDeletion);
    form->bNeedDeleteLoadedFiles->setChecked(bNeedDeleteLoadedFiles);
    form->bEnableServiceInfoEditing->setChecked(bEnableServiceInfoEditing);

    bool bAssociated = false;
    try {
        bAssociated = IsFileAssociated();
    } catch (const Exception& e) {
        e.ShowMessage(this, tr("Can't determine file associations"));
    }
    form->bAssociateFiles->setChecked(bAssociated);
    chosenColor = backgroundColor;

    form->LanguageBlock->setEnabled(true);
    QStringList languages;
    const QFileInfoList catalogues =
        QDir(QStringLiteral(":/translations")).entryInfoList({QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QFileInfo& catalogue : catalogues)
        languages << catalogue.completeBaseName();
    form->Language->clear();
    form->Language->addItems(languages);
    form->Language->setCurrentIndex(qMax(0, languages.indexOf(LanguageName)));
    if (cProgramVersion.IsMinorOdd()) {
        form->Language->setVisible(false);
        form->label->setVisible(false);
    }

    if (QDialog::exec() != QDialog::Accepted)
        return 0;

    if ((form->bAssociateFiles->checkState() != Qt::Unchecked) != bAssociated) {
        try {
            SetFileAssociation(!bAssociated);
        } catch (const Exception& e) {
            e.ShowMessage(this, tr("Can't configure file associations"));
        }
    }
    const QString language = form->Language->currentText();
    if (form->LanguageBlock->isEnabled() && language != LanguageName) {
        CLoggedMessageBox(QMessageBox::Information, tr("Language changed"),
                          tr("Please restart program for apply language changes."), QMessageBox::NoButton, this,
                          Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
        LanguageName = language;
    }
    SaveSettings();
    return 1;
}

void CMainOpt::AdjustBackground()
{
    colorDialog->setCurrentColor(chosenColor);
    if (colorDialog->exec() == QDialog::Accepted)
        chosenColor = colorDialog->currentColor();
}

QString CMainOpt::GetManualPath() const
{
    const QString name = interfaceLanguage == QLatin1String("English")
        ? QStringLiteral("Quorvane_UM_en.pdf")
        : QStringLiteral("Quorvane_UM_ru.pdf");
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QDir::separator() + name);
}
