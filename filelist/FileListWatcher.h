#pragma once

#include <QMutex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThread>

class CFileWatchSet;
class IFileList;
class QFileSystemWatcher;
class QWidget;

// Paths that changed behind the program's back, in the order noticed.
struct tPathList
{
    bool bToAll = false;       // Yes to All or No to All was answered for this batch
    bool bToAllAnswer = false; // true for Yes to All
    QStringList paths;
};

struct tPathChanges
{
    tPathList modified;
    tPathList removed;
    tPathList added;
    // Recorded paths whose files held the user's own unsaved edits before the
    // watcher marked them changed: their question warns about losing them.
    QSet<QString> edited;
    // Answered No: not asked again while the file stays missing (listed) or
    // new (unlisted). One deletion raises several events.
    QSet<QString> keptMissing;
    QSet<QString> ignoredNew;
};

namespace FileListWatcher {

// Records what changed in the working folder and raises one notification for
// any number of events until the watcher has worked through them. Its thread
// runs an empty event loop; the object and its file-system watcher live on
// the GUI thread, so every handler runs there.
class CListener : public QThread
{
    Q_OBJECT

public:
    CListener(QObject* watcher, const char* slot, IFileList* list, tPathChanges* changes,
              QRecursiveMutex* mutex);
    ~CListener() override;

    QFileSystemWatcher* GetWatcher() const { return watcher; }
    CFileWatchSet* GetFiles() const { return files; }
    void ClearNotified() { bNotified = false; }

signals:
    void sigPathChanges();

public slots:
    void OnDirChanged(const QString& path);
    void OnFileChanged(const QString& path);

private:
    bool RecordPath(tPathList& list, const QString& path);
    void NotifyPathChanges();

    IFileList* list;
    tPathChanges* changes;
    QRecursiveMutex* mutex;
    QFileSystemWatcher* watcher; // the working folder
    CFileWatchSet* files;        // the listed files
    bool bNotified = false;
};

} // namespace FileListWatcher

// Asks the user about traces that vanished from or appeared in the working
// folder: close a vanished one, or read the folder again for new ones.
class CFileListWatcher : public QObject
{
    Q_OBJECT

public:
    // The parent is the list widget; it also parents the question boxes.
    CFileListWatcher(IFileList* list, QObject* parent);
    ~CFileListWatcher() override;

    bool AddFolder(const QString& path);
    void ClearFolder();
    bool AddFile(const QString& path);
    // A folder's files, in one call.
    void AddFiles(const QStringList& paths);
    bool RemoveFile(const QString& path);
    void ClearFiles();

public slots:
    void OnPathChanges();

private:
    // The row to act on, -1 when the list is empty, -2 for No or a path no
    // longer listed.
    int AskFirstChange(tPathList& list, bool& bProcessed, const QString& plainQuestion,
                       const QString& losingQuestion, QSet<QString>* declined);
    int RowOf(const QString& path) const;

    IFileList* list;
    QWidget* parentWidget;
    tPathChanges changes;
    QRecursiveMutex mutex;
    FileListWatcher::CListener* listener;
};
