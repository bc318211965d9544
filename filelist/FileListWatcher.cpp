#include "filelist/FileListWatcher.h"

#include "core/Assert.h"
#include "core/LoggedMessageBox.h"
#include "filelist/FileWatchSet.h"
#include "filelist/IFileList.h"
#include "sor/File.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QWidget>

#include <iterator>

namespace FileListWatcher {

CListener::CListener(QObject* watcherObject, const char* slot, IFileList* list, tPathChanges* changes,
                     QRecursiveMutex* mutex)
    : QThread(watcherObject),
      list(list),
      changes(changes),
      mutex(mutex),
      watcher(new QFileSystemWatcher(this)),
      files(new CFileWatchSet(this))
{
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, &CListener::OnDirChanged);
    connect(files, &CFileWatchSet::sigFileChanged, this, &CListener::OnFileChanged);
    connect(this, SIGNAL(sigPathChanges()), watcherObject, slot);
    start(QThread::InheritPriority);
}

CListener::~CListener()
{
    exit(0);
    wait();
}

bool CListener::RecordPath(tPathList& pathList, const QString& path)
{
    QMutexLocker lock(mutex);
    if (pathList.paths.contains(path))
        return false;
    pathList.paths << path;
    return true;
}

void CListener::NotifyPathChanges()
{
    if (bNotified)
        return;
    bNotified = true;
    emit sigPathChanges();
}

void CListener::OnDirChanged(const QString&)
{
    // The working folder is the current directory, whatever was reported.
    QSet<QString> found;
    const QFileInfoList entries =
        QDir::current().entryInfoList({QStringLiteral("*.sor")}, QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries)
        found.insert(entry.canonicalFilePath());

    QSet<QString> listed;
    QList<QSharedPointer<sor::CFile>> files;
    for (int row = 0; row < list->GetCount(); ++row) {
        const QSharedPointer<sor::CFile> file = list->GetFile(row);
        if (!file)
            continue;
        listed.insert(file->GetFileName());
        files << file;
    }

    {
        QMutexLocker lock(mutex);
        // A declined path is forgotten once its file comes back, is listed or goes.
        for (auto it = changes->keptMissing.begin(); it != changes->keptMissing.end();)
            it = listed.contains(*it) && !found.contains(*it) ? std::next(it) : changes->keptMissing.erase(it);
        for (auto it = changes->ignoredNew.begin(); it != changes->ignoredNew.end();)
            it = !listed.contains(*it) && found.contains(*it) ? std::next(it) : changes->ignoredNew.erase(it);
    }

    for (const QFileInfo& entry : entries) {
        const QString path = entry.canonicalFilePath();
        if (!path.isEmpty() && !listed.contains(path) && !changes->ignoredNew.contains(path))
            RecordPath(changes->added, path);
    }
    for (const QSharedPointer<sor::CFile>& file : files) {
        const QString path = file->GetFileName();
        if (found.contains(path) || changes->keptMissing.contains(path))
            continue;
        const bool bEdited = file->IsChanged();
        if (RecordPath(changes->removed, path)) {
            {
                QMutexLocker lock(mutex);
                if (bEdited)
                    changes->edited.insert(path);
            }
            // Shown as unsaved: a No keeps the only copy left saveable.
            file->SetChanged(true);
        }
    }
    NotifyPathChanges();
}

void CListener::OnFileChanged(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    bool bListed = false;
    for (int row = 0; row < list->GetCount() && !bListed; ++row) {
        const QSharedPointer<sor::CFile> file = list->GetFile(row);
        // A vanished file has no canonical path any more; match the given one.
        bListed = file && (file->GetFileName() == canonical || file->GetFileName() == path);
    }
    if (!bListed)
        return;
    if (!QFileInfo::exists(path)) {
        OnDirChanged(path);
        NotifyPathChanges();
        return;
    }
    // A file replaced by a rename (every save does that) loses its watch.
    files->Add(path);
}

} // namespace FileListWatcher

CFileListWatcher::CFileListWatcher(IFileList* list, QObject* parent)
    : QObject(parent),
      list(list),
      parentWidget(qobject_cast<QWidget*>(parent)),
      listener(new FileListWatcher::CListener(this, SLOT(OnPathChanges()), list, &changes, &mutex))
{
}

CFileListWatcher::~CFileListWatcher()
{
    // The listener's thread and handlers use the change record and the mutex.
    delete listener;
}

bool CFileListWatcher::AddFolder(const QString& path)
{
    QFileSystemWatcher* fsWatcher = listener->GetWatcher();
    // A folder read again inside one of its own loads is watched already.
    return fsWatcher->directories().contains(path) || fsWatcher->addPath(path);
}

void CFileListWatcher::ClearFolder()
{
    QFileSystemWatcher* fsWatcher = listener->GetWatcher();
    const QStringList paths = fsWatcher->directories();
    QV_ASSERT(paths.isEmpty() || paths.size()==1);
    if (!paths.isEmpty())
        fsWatcher->removePaths(paths);
}

bool CFileListWatcher::AddFile(const QString& path)
{
    return listener->GetFiles()->Add(path);
}

void CFileListWatcher::AddFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        listener->GetFiles()->Add(path);
}

bool CFileListWatcher::RemoveFile(const QString& path)
{
    return listener->GetFiles()->Remove(path);
}

void CFileListWatcher::ClearFiles()
{
    listener->GetFiles()->Clear();
}

int CFileListWatcher::RowOf(const QString& path) const
{
    for (int row = 0; row < list->GetCount(); ++row) {
        const QSharedPointer<sor::CFile> file = list->GetFile(row);
        if (file && file->GetFileName() == path)
            return row;
    }
    return -1;
}

int CFileListWatcher::AskFirstChange(tPathList& pathList, bool& bProcessed, const QString& plainQuestion,
                                     const QString& losingQuestion, QSet<QString>* declined)
{
    QMutexLocker lock(&mutex);
    if (pathList.paths.isEmpty()) {
        pathList = tPathList();
        return -1;
    }
    const QString path = pathList.paths.first();
    const bool bEdited = changes.edited.contains(path);
    bProcessed = true;

    // An earlier answer may have closed or reloaded it: nothing to ask.
    if (RowOf(path) < 0) {
        pathList.paths.removeAll(path);
        changes.edited.remove(path);
        return -2;
    }

    bool bAnswer = pathList.bToAllAnswer;
    if (!pathList.bToAll) {
        lock.unlock();
        CLoggedMessageBox box(QMessageBox::Information, tr("Working folder was updated"),
                              (bEdited ? losingQuestion : plainQuestion).arg(path),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll | QMessageBox::NoToAll,
                              parentWidget);
        const int answer = box.Exec();
        lock.relock();
        switch (answer) {
        case QMessageBox::Yes:
            bAnswer = true;
            break;
        case QMessageBox::YesToAll:
            bAnswer = true;
            pathList.bToAll = true;
            pathList.bToAllAnswer = true;
            break;
        case QMessageBox::NoToAll:
            pathList.bToAll = true;
            pathList.bToAllAnswer = false;
            bAnswer = false;
            break;
        default:
            bAnswer = false;
            break;
        }
    }
    pathList.paths.removeAll(path);
    changes.edited.remove(path);
    if (!bAnswer && declined)
        declined->insert(path);
    // The box's event loop may have changed the list.
    const int row = RowOf(path);
    return bAnswer && row >= 0 ? row : -2;
}

void CFileListWatcher::OnPathChanges()
{
    bool bProcessed = false;
    do {
        bProcessed = false;
        const int modified = AskFirstChange(
            changes.modified, bProcessed,
            tr("%1\n\nThe file has been modified outside of program.\nDo you want to reload it?"),
            tr("%1\n\nThe file has been modified outside of program.\n Do you want to reload it and lose the changes you made?"),
            nullptr);
        if (modified >= 0)
            list->ReloadFile(modified);

        const int removed = AskFirstChange(
            changes.removed, bProcessed,
            tr("%1\n\nThe file has removed outside of program.\nDo you want to remove it from file list?"),
            tr("%1\n\nThe file has removed outside of program.\nDo you want to remove it from file list and lose the changes you made?"),
            &changes.keptMissing);
        if (removed >= 0)
            list->CloseFile(removed);

        bool bAsk = false;
        {
            QMutexLocker lock(&mutex);
            // Traces listed meanwhile (an earlier answer read the folder) are no news.
            for (const QString& path : qAsConst(changes.added.paths))
                bAsk = bAsk || RowOf(path) < 0;
        }
        if (bAsk) {
            CLoggedMessageBox box(QMessageBox::Information, tr("Working folder was updated"),
                                  tr("Some files in the current folder was added.\nDo you want update file list?"),
                                  QMessageBox::Yes | QMessageBox::No, parentWidget);
            const bool bUpdate = box.Exec() != QMessageBox::No;
            if (!bUpdate) {
                QMutexLocker lock(&mutex);
                for (const QString& path : qAsConst(changes.added.paths))
                    changes.ignoredNew.insert(path);
            }
            if (bUpdate)
                list->UpdateFolder();
        }
        {
            QMutexLocker lock(&mutex);
            changes.added = tPathList();
            // Recorded while the last box was open: no notification will come for them.
            bProcessed = bProcessed || !changes.modified.paths.isEmpty() || !changes.removed.paths.isEmpty();
        }
    } while (bProcessed);
    listener->ClearNotified();
}
