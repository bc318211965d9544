#include "print/ParametersOpt.h"

CParametersOpt::CParametersOpt(CFileList* flist, QWidget* parent) : QDialog(parent), flist(flist)
{
    // Nothing keeps the dialog once it is closed.
    setAttribute(Qt::WA_DeleteOnClose);
}

CParametersOpt::~CParametersOpt() = default;
