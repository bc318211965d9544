#include "fileinfo/FileInfo.h"

#include "sor/File.h"

namespace {

CFileInfo::tExecHook& ExecHook()
{
    static CFileInfo::tExecHook hook;
    return hook;
}

} // namespace

CFileInfo::CFileInfo(QSharedPointer<sor::CFile> file, QWidget* parent) : QDialog(parent), file(std::move(file))
{
}

CFileInfo::~CFileInfo() = default;

int CFileInfo::exec()
{
    if (const tExecHook& hook = ExecHook()) {
        const int result = hook(*this);
        setResult(result);
        return result;
    }
    setResult(QDialog::Rejected);
    return QDialog::Rejected;
}

void CFileInfo::SetExecHook(tExecHook hook)
{
    ExecHook() = std::move(hook);
}
