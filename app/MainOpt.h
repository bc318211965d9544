#pragma once

#include <QByteArray>
#include <QColor>
#include <QDialog>
#include <QString>

#include <memory>

class QColorDialog;
class QPrinter;

namespace Ui {
class CMainOpt;
}

// The program-wide options: loaded when the main window creates the one
// instance, saved when the dialog is accepted and when the instance goes.
// The same object is the options dialog.
class CMainOpt : public QDialog
{
    Q_OBJECT

public:
    static void Create(QWidget* parent);
    static CMainOpt* Instance();

    explicit CMainOpt(QWidget* parent);
    ~CMainOpt() override;

    void LoadSettings();
    void SaveSettings();
    // Takes the current directory as the last working folder and stores it at once.
    void SaveLastDir();
    void UpdateContrastColor();

    // Whether ".sor" files open with this program; throws Exception when
    // that cannot be told.
    static bool IsFileAssociated();
    // Makes ".sor" files open with this program, or undoes it; throws
    // Exception at the first step that fails.
    static void SetFileAssociation(bool bAssociate);

    void LoadPrintSetup(QPrinter* printer) const;
    void SavePrintSetup(QPrinter* printer);

    QColor GetBackgroundColor() const { return backgroundColor; }
    QColor GetContrastColor() const { return contrastColor; }
    QString GetLastDir() const { return LastDir; }
    QString GetLanguageName() const { return LanguageName; }
    // The user manual beside the program, in the language the interface runs in.
    QString GetManualPath() const;
    bool GetNeedAckFileDeletion() const { return bNeedAckFileDeletion; }
    bool GetNeedDeleteLoadedFiles() const { return bNeedDeleteLoadedFiles; }
    bool GetEnableServiceInfoEditing() const { return bEnableServiceInfoEditing; }

    // Report values: changed in memory here, stored with the other options.
    QString GetOrganization() const { return Organization; }
    void SetOrganization(const QString& value) { Organization = value; }
    QString GetCustomerOrganizationPosition() const { return customerOrganizationPosition; }
    void SetCustomerOrganizationPosition(const QString& value) { customerOrganizationPosition = value; }
    QString GetCustomerOrganizationPersonName() const { return customerOrganizationPersonName; }
    void SetCustomerOrganizationPersonName(const QString& value) { customerOrganizationPersonName = value; }
    QString GetSuperviserOrganizationPosition() const { return superviserOrganizationPosition; }
    void SetSuperviserOrganizationPosition(const QString& value) { superviserOrganizationPosition = value; }
    QString GetSuperviserOrganizationPersonName() const { return superviserOrganizationPersonName; }
    void SetSuperviserOrganizationPersonName(const QString& value) { superviserOrganizationPersonName = value; }
    QString GetVolp() const { return volp; }
    void SetVolp(const QString& value) { volp = value; }
    QString GetCablePart() const { return cablePart; }
    void SetCablePart(const QString& value) { cablePart = value; }
    QString GetCable() const { return Cable; }
    void SetCable(const QString& value) { Cable = value; }
    QString GetDirection() const { return Direction; }
    void SetDirection(const QString& value) { Direction = value; }
    // Every report starts with its header, whatever was stored.
    bool GetIncludeHeader() const { return true; }
    void SetIncludeHeader(bool value) { includeHeader = value; }
    bool GetIncludeGraphicandResults() const { return includeGraphicandResults; }
    void SetIncludeGraphicandResults(bool value) { includeGraphicandResults = value; }
    bool GetIncludeMarkerData() const { return includeMarkerData; }
    void SetIncludeMarkerData(bool value) { includeMarkerData = value; }
    bool GetIncludeEventsTable() const { return includeEventsTable; }
    void SetIncludeEventsTable(bool value) { includeEventsTable = value; }
    bool GetIncludeResultsTable() const { return includeResultsTable; }
    void SetIncludeResultsTable(bool value) { includeResultsTable = value; }
    bool GetIncludeSign() const { return includeSign; }
    void SetIncludeSign(bool value) { includeSign = value; }

public slots:
    void accept() override;
    int exec() override;
    void AdjustBackground();

private:
    static CMainOpt* pthis;

    QColorDialog* colorDialog;
    QString LanguageName;
    // Taken as start-up takes it, once: a language chosen here applies only
    // from the next start.
    const QString interfaceLanguage;
    QString Organization;
    QString customerOrganizationPosition;
    QString customerOrganizationPersonName;
    QString superviserOrganizationPosition;
    QString superviserOrganizationPersonName;
    QString LastDir;
    QColor backgroundColor;
    QColor contrastColor;
    QColor chosenColor;
    bool bAutoConnectToDevice;
    bool bNeedAckFileDeletion;
    bool bNeedDeleteLoadedFiles;
    bool bEnableServiceInfoEditing;
    bool bCopyReportHeaderDataFromActiveFile;
    QByteArray PrintSetup;
    QString volp;
    QString cablePart;
    QString Cable;
    QString Direction;
    bool includeHeader;
    bool includeGraphicandResults;
    bool includeMarkerData;
    bool includeEventsTable;
    bool includeResultsTable;
    bool includeSign;
    std::unique_ptr<Ui::CMainOpt> form;
};
