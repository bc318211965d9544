#pragma once

#include <QDialog>
#include <QSharedPointer>

#include <functional>

namespace sor {
class CFile;
}

// The trace information dialog. Until its form exists it offers nothing to
// edit and every run ends as cancelled, so no file is ever changed by it.
class CFileInfo : public QDialog
{
    Q_OBJECT

public:
    CFileInfo(QSharedPointer<sor::CFile> file, QWidget* parent);
    ~CFileInfo() override;

    int exec() override;

    QSharedPointer<sor::CFile> GetFile() const { return file; }

    // Lets a test play the user: it runs in place of the dialog, may edit the
    // file, and returns the dialog's result. An empty function restores the
    // cancelling stand-in.
    using tExecHook = std::function<int(CFileInfo& dialog)>;
    static void SetExecHook(tExecHook hook);

private:
    QSharedPointer<sor::CFile> file;
};
