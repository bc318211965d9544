// The File menu's commands on the listed traces.

#include "filelist/FileList.h"

#include "app/MainOpt.h"
#include "core/Exception.h"
#include "core/IARMessageBox.h"
#include "core/LoggedMessageBox.h"
#include "fileinfo/FileInfo.h"
#include "filelist/FileListWatcher.h"
#include "filelist/Trash.h"
#include "sor/File.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString cForbiddenSymbols = QStringLiteral("\\/:*?\"<>|");

QString WorkingFolder()
{
    return QDir::current().canonicalPath();
}

} // namespace

void CFileList::StoreZoom(tListedFile& record) const
{
    record.ScaleX = graphModel.GetScaleX();
    record.ScaleY = graphModel.GetScaleY();
    record.OriginX = graphModel.GetOriginX();
    record.OriginY = graphModel.GetOriginY();
}

void CFileList::OnSaveAll()
{
    tBatchAnswers answers;
    for (int row = 0; row < count(); ++row)
        if (!SaveFile(row, &answers))
            break;
}

void CFileList::OnSaveFile()
{
    if (currentItem())
        SaveFile(currentRow(), nullptr);
}

void CFileList::OnRenameFile()
{
    if (count() && currentItem())
        editItem(currentItem());
}

bool CFileList::RenameFile(QSharedPointer<sor::CFile> file, const QString& newName)
{
    if (!file)
        return false;
    const QFileInfo old(file->GetFileName());
    const QString oldName = old.fileName();
    if (newName == old.completeBaseName())
        return false;

    // Latin-1 bytes one by one: other characters (Cyrillic) become 0, which
    // is neither blank nor forbidden.
    bool bBlank = true;
    for (const QChar c : newName) {
        const char byte = c.toLatin1();
        if (byte && cForbiddenSymbols.contains(QLatin1Char(byte))) {
            CLoggedMessageBox box(QMessageBox::Warning, tr("Rename file \"%1\"").arg(oldName),
                                  tr("Filename cannot contain symbols %1").arg(cForbiddenSymbols),
                                  QMessageBox::NoButton, this);
            box.Exec();
            return false;
        }
        bBlank = bBlank && byte && QChar::fromLatin1(byte).isSpace();
    }
    if (bBlank)
        return false;

    const QString suffix = old.suffix();
    const QString newFileName = suffix.isEmpty() ? newName : newName + QLatin1Char('.') + suffix;
    const QString newPath = old.dir().canonicalPath() + QLatin1Char('/') + newFileName;
    if (QFileInfo::exists(newPath)) {
        CLoggedMessageBox box(QMessageBox::Warning, tr("Rename file \"%1\"").arg(oldName),
                              tr("File \"%1\" already exist.").arg(newFileName), QMessageBox::NoButton, this);
        box.Exec();
        return false;
    }

    try {
        const QString oldPath = file->GetFileName();
        file->SetFileName(newPath);
        Unlist(oldPath);
        ++listedPaths[newPath];
        watcher->RemoveFile(oldPath);
        watcher->AddFile(newPath);
    } catch (const EFileAccessError& e) {
        CLoggedMessageBox box(QMessageBox::Warning, tr("Renaming file \"%1\" problem").arg(oldName), e.GetText(),
                              QMessageBox::NoButton, this);
        box.Exec();
        return false;
    } catch (const Exception& e) {
        CLoggedMessageBox box(QMessageBox::Warning, tr("Renaming file \"%1\" error").arg(oldName), e.GetText(),
                              QMessageBox::NoButton, this);
        box.Exec();
        return false;
    }
    viewport()->update();
    return true;
}

void CFileList::OnCopySelectedFiles()
{
    if (!count())
        return;
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;
    const QString workingFolder = WorkingFolder();

    if (selected.size() == 1) {
        const QSharedPointer<sor::CFile> file = GetItemFile(selected.first());
        if (!file)
            return;
        QFileDialog dialog(this, tr("Copy file \"%1\" to").arg(file->GetShortFileName()), file->GetFileName(),
                           fileFilter);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // An existing target is never overwritten; the copy reports it.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(file->GetFileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QFileInfo chosen(dialog.selectedFiles().first());
        const QString folder = chosen.dir().canonicalPath();
        if (folder.isEmpty())
            return;
        const QString target = folder + QLatin1Char('/') + chosen.fileName();
        if (CopyFile(file, target) && folder == workingFolder)
            LoadFile(target, nullptr, true);
        return;
    }

    QFileDialog dialog(this, tr("Select dir to copy"), workingFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString folder = QDir(dialog.selectedFiles().first()).canonicalPath();
    if (folder.isEmpty())
        return;
    QList<QSharedPointer<sor::CFile>> files;
    for (const QListWidgetItem* entry : selected)
        files << GetItemFile(entry);
    for (const QSharedPointer<sor::CFile>& file : files) {
        if (!file)
            continue;
        const QString target = folder + QLatin1Char('/') + file->GetShortFileName();
        if (CopyFile(file, target) && folder == workingFolder)
            LoadFile(target, nullptr, true);
    }
}

bool CFileList::CopyFile(QSharedPointer<sor::CFile> file, const QString& target)
{
    if (!file)
        return false;
    const QString name = file->GetShortFileName();
    if (target == file->GetFileName()) {
        CLoggedMessageBox box(QMessageBox::Information, tr("Copying file %1  issue").arg(name),
                              tr("Cannot copy a file to itself"), QMessageBox::NoButton, this);
        box.Exec();
        return false;
    }
    for (;;) {
        bool bRetry = false;
        try {
            return file->CopyTo(target, false);
        } catch (const EFileAccessError& e) {
            IARMessageBox(this, QMessageBox::Warning, tr("Copying file \"%1\" problem").arg(name), e.GetText(),
                          &bRetry, nullptr, false);
        } catch (const Exception& e) {
            IARMessageBox(this, QMessageBox::Critical, tr("Copying file \"%1\" error").arg(name), e.GetText(),
                          &bRetry, nullptr, false);
        }
        if (!bRetry)
            return false;
    }
}

void CFileList::OnAddFile()
{
    const QString workingFolder = WorkingFolder();
    QFileDialog dialog(this, tr("Add copy from"), workingFolder, fileFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QFileInfo chosen(dialog.selectedFiles().first());
    const QString name = chosen.fileName();

    for (int row = 0; row < count(); ++row) {
        if (GetFile(row)->GetShortFileName() == name) {
            CLoggedMessageBox box(QMessageBox::Information, tr("Adding file %1 issue").arg(name),
                                  tr("Filename is already exist"), QMessageBox::NoButton, this);
            box.Exec();
            return;
        }
    }

    const QString source = chosen.canonicalFilePath();
    const QString target = workingFolder + QLatin1Char('/') + name;
    while (!QFile::copy(source, target)) {
        bool bRetry = false;
        IARMessageBox(this, QMessageBox::Warning, tr("Adding file %1 problem").arg(name),
                      tr("System error on copy a file %1 to location  %2").arg(source, target), &bRetry, nullptr,
                      false);
        if (!bRetry)
            return;
    }
    LoadFile(QFileInfo(target).canonicalFilePath(), nullptr, true);
    UpdateState();
}

void CFileList::OnDeleteSelectedFiles()
{
    QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return;
    std::sort(indexes.begin(), indexes.end());
    const int lowest = indexes.first().row();
    // Rows are found again after each box: the watcher may close entries
    // while one is open, and a stale row would trash a file nobody chose.
    QList<QSharedPointer<tListedFile>> records;
    for (const QModelIndex& index : qAsConst(indexes))
        records << GetListedFile(index.row());

    const CMainOpt* options = CMainOpt::Instance();
    if (!options || options->GetNeedAckFileDeletion()) {
        QString title;
        QString text;
        if (indexes.size() == 1) {
            const QSharedPointer<sor::CFile> file = GetFile(lowest);
            title = tr("Delete file \"%1\"").arg(file->GetShortFileName());
            text = tr("This operation will delete file \"%1\" to Windows trash.\nAre you sure?")
                       .arg(file->GetFileName());
        } else {
            title = tr("Delete files");
            text = tr("This operation will delete %1 selected files to Windows trash.\nAre you sure?")
                       .arg(indexes.size());
        }
        CLoggedMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, this);
        if (box.Exec() != QMessageBox::Yes)
            return;
    }

    int lowestLeft = lowest;
    bool bUpdated = false;
    for (int i = records.size() - 1; i >= 0; --i) {
        const int row = RowOf(records[i]);
        if (row >= count())
            continue;
        bUpdated = i == 0;
        DeleteFileToTrash(row, bUpdated);
        lowestLeft = row;
    }
    if (!bUpdated)
        UpdateState();
    SelectRow(lowestLeft);
}

bool CFileList::DeleteFileToTrash(int row, bool bUpdateState)
{
    if (!count() || row < 0 || row >= count())
        return false;
    const QSharedPointer<sor::CFile> file = GetFile(row);
    if (!file)
        return false;
    const QString path = file->GetFileName();

    // The entry goes only with the file: a failed move must not take the
    // user's unsaved edits along.
    bool bMoved = MoveFileToTrash(path);
    if (bMoved)
        CloseFile(row, false, nullptr);
    else {
        CLoggedMessageBox box(QMessageBox::Warning, tr("Delete file \"%1\"").arg(file->GetShortFileName()),
                              tr("Cannot move file \"%1\" to the trash.").arg(path), QMessageBox::NoButton, this);
        box.Exec();
    }
    if (bUpdateState)
        UpdateState();
    return bMoved;
}

void CFileList::OnSetCurrentZoomToAllReflectograms()
{
    const int current = currentRow();
    for (int row = 0; row < count(); ++row) {
        const QSharedPointer<tListedFile> record = row != current ? GetListedFile(row) : nullptr;
        if (record)
            StoreZoom(*record);
    }
}

void CFileList::OnFileInformation(bool)
{
    if (!count() || !currentItem())
        return;
    const QSharedPointer<sor::CFile> file = GetCurrentFile();
    if (!file)
        return;
    CFileInfo dialog(file, this);
    if (!currentSet.empty())
        StoreZoom(*currentSet.front());
    const double groupIndex = file->GetFixedParameters()->GroupIndex.GetValue();

    if (dialog.exec() != QDialog::Accepted)
        return;
    if (file->GetFixedParameters()->GroupIndex.GetValue() != groupIndex) {
        const QSharedPointer<tListedFile> record = currentSet.empty() ? nullptr : currentSet.back();
        if (record && compareSet.Contains(record))
            graphModel.SetData(&compareSet.Files());
        else
            graphModel.SetData(&currentSet);
    }
    emit sigFileUpdated(true);
}

void CFileList::OnFileInformation()
{
    OnFileInformation(false);
}
