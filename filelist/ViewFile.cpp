#include "filelist/ViewFile.h"

#include "core/Assert.h"

namespace {
// Lets a list entry carry its record in a QVariant under this exact name.
const int kListedFileMetaType =
    qRegisterMetaType<QSharedPointer<tListedFile>>("QSharedPointer<tListedFile>");
} // namespace

tViewFile::tViewFile(const QSharedPointer<sor::CFile>& file) : FilePtr(file), View(file)
{
    Q_UNUSED(kListedFileMetaType);
}

tViewFile::tViewFile(const QSharedPointer<sor::IFileView>& view) : View(view)
{
}

tViewFile::~tViewFile() = default;

sor::CFile* tViewFile::GetFile() const
{
    QV_ASSERT(!FilePtr.isNull());
    return FilePtr.data();
}

QSharedPointer<sor::CFile> tViewFile::GetFilePtr() const
{
    QV_ASSERT(!FilePtr.isNull());
    return FilePtr;
}
