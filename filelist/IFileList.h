#pragma once

#include <QSharedPointer>

namespace sor {
class CFile;
}

// What the folder watcher, printing and the report dialog may do with the
// listed traces. No virtual destructor: nobody owns a list through this side.
class IFileList
{
public:
    virtual QSharedPointer<sor::CFile> GetFile(int num) const = 0;
    virtual int GetCount() const = 0;
    virtual int GetCurrentNum() const = 0;
    virtual void ReloadFile(int num) = 0;
    // Closes the entry without saving; false when it stays listed.
    virtual bool CloseFile(int num) = 0;
    // Lists the working folder's traces that are not listed yet.
    virtual void UpdateFolder() = 0;

    int GetCurrentRow() const { return GetCurrentNum(); }

protected:
    IFileList() = default;
    ~IFileList() = default;
    IFileList(const IFileList&) = default;
    IFileList& operator=(const IFileList&) = default;
};
