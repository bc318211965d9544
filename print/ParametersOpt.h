#pragma once

#include <QDialog>

class CFileList;

// The report's header texts and the sections it includes.
class CParametersOpt : public QDialog
{
    Q_OBJECT

public:
    CParametersOpt(CFileList* flist, QWidget* parent);
    ~CParametersOpt() override;

private:
    CFileList* flist;
};
