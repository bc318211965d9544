#pragma once

#include <QDialog>
#include <QString>

class CFileList;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The report's header texts, its signatories and the sections it includes,
// edited in the options object. Deletes itself when closed.
class CParametersOpt : public QDialog
{
    Q_OBJECT

public:
    CParametersOpt(CFileList* flist, QWidget* parent);
    ~CParametersOpt() override;

public slots:
    void accept() override;
    int exec() override;
    void onGetDataFromReflectogram();

private:
    // The widgets of the form, owned by the dialog.
    struct tForm
    {
        QLineEdit* VolpCID = nullptr;
        QLineEdit* CablePart = nullptr;
        QLineEdit* Cable = nullptr;
        QLineEdit* Direction = nullptr;
        QPushButton* pushButtonGetDataFromSpectr = nullptr;
        QLineEdit* Organization = nullptr;
        QLineEdit* customerPosition = nullptr;
        QLineEdit* customerPersonName = nullptr;
        QLineEdit* superviserPosition = nullptr;
        QLineEdit* superviserPersonName = nullptr;
        QCheckBox* checkHeader = nullptr;
        QCheckBox* checkEventsTable = nullptr;
        QCheckBox* checkGraph = nullptr;
        QCheckBox* checkResultsTable = nullptr;
        QCheckBox* checkMarkerData = nullptr;
        QCheckBox* checkSign = nullptr;
    };

    void SetUpForm();
    void Load();
    void ReadForm();
    void Store() const;

    CFileList* flist;
    QString Organization;
    QString volp;
    QString cablePart;
    QString Cable;
    QString Direction;
    QString customerOrganizationPosition;
    QString customerOrganizationPersonName;
    QString superviserOrganizationPosition;
    QString superviserOrganizationPersonName;
    bool includeHeader = true;
    bool includeGraphicandResults = false;
    bool includeMarkerData = false;
    bool includeEventsTable = false;
    bool includeResultsTable = false;
    bool includeSign = false;
    tForm ui;
};
