#pragma once

#include "device/DevicePlugin.h"
#include "filelist/CompareSet.h"
#include "filelist/IFileList.h"
#include "filelist/ViewFile.h"
#include "graph/GraphModel.h"

#include <QHash>
#include <QListWidget>
#include <QModelIndex>
#include <QSet>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

class CFileListWatcher;
class QStyledItemDelegate;

namespace sor {
class CFile;
}

// Answers that hold for the rest of one batch (a folder load, a save-all, a
// close-all, a download). Single operations pass none and never offer
// "Ignore all".
struct tBatchAnswers
{
    quint32 ignoredWarnings = 0;
    bool bIgnoreAllProblems = false; // file access errors
    bool bIgnoreAllErrors = false;   // every other exception
};

// The traces of the working folder. Owns the loaded files, the comparison
// set and the view state; making an entry current makes its file (alone, or
// with the comparison set) the one every view shows.
class CFileList : public QListWidget, public IFileList
{
    Q_OBJECT

public:
    explicit CFileList(QWidget* parent);
    ~CFileList() override;

    QSharedPointer<sor::CFile> GetFile(int num) const override;
    int GetCount() const override;
    int GetCurrentNum() const override;
    void ReloadFile(int num) override;
    bool CloseFile(int num) override;
    void UpdateFolder() override;

    bool IsEnabled() const;
    QSharedPointer<sor::CFile> GetCurrentFile() const;
    QSharedPointer<sor::CFile> GetCurrentFilePtr() const { return GetCurrentFile(); }
    QSharedPointer<sor::CFile> GetItemFile(const QListWidgetItem* pitem) const;
    QSharedPointer<tListedFile> GetItemListedFile(const QListWidgetItem* pitem) const;
    QSharedPointer<tListedFile> GetListedFile(int num) const;
    CGraphModel* GetGraphModel() { return &graphModel; }

    void UpdateState();
    void Refresh() { UpdateState(); }
    void RefreshCurrent();
    void SelectRow(int row);
    void AddFileItem(const QSharedPointer<sor::CFile>& file, bool bKeepSelection);
    void RemoveItem(int row);
    void ToggleCompare();

    // A folder, a trace in it, or a path that does not exist (the documents
    // folder then). Adds the folder's traces that are not listed yet.
    // False when the folder could not be made current; nothing changed then.
    bool SetWorkingFolder(const QString& location);
    bool SelectFolder(const QString& caption);
    // False only when the user chose Abort (or Cancel): the batch stops.
    bool LoadFile(const QString& path, tBatchAnswers* answers, bool bKeepSelection);
    // Writes what an instrument sent and lists what landed in the working folder.
    // Whether every record was written whole; a record may still fail to load.
    bool OpenFiles(const IDevicePlugin::tCommandRes& files);

    // False when the user aborted; true also when there was nothing to save.
    bool SaveFile(int num, tBatchAnswers* answers);
    bool CloseFile(int num, bool bSave, tBatchAnswers* answers);
    // Closes the listed files with these full paths, every file when empty,
    // after offering the changed ones for saving. False when cancelled.
    bool CloseFiles(const QStringList& canonicalPathsForClosing);

    // The lines the load warnings box shows for these warning bits.
    static QString LoadWarningsText(int warnings);

    // newName is the base name without folder and suffix; true once renamed.
    bool RenameFile(QSharedPointer<sor::CFile> file, const QString& newName);
    // False when nothing was copied.
    bool CopyFile(QSharedPointer<sor::CFile> file, const QString& target);
    // False when the file could not be moved; the entry then stays.
    bool DeleteFileToTrash(int row, bool bUpdateState);

signals:
    void sigFileUpdated(bool bChanged);
    void sigCloseFile();
    void sigEnabled(bool bEnabled);
    void sigHasChecked(bool bHasChecked);

public slots:
    void OnCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous);
    void OnCurrentItemChanged(QListWidgetItem* current);
    void OnCurrentItemChanged();
    void OnFileChanged(bool bChanged);
    void OnOpenDir();
    void OnSaveAll();
    void OnSaveFile();
    void OnCopySelectedFiles();
    void OnAddFile();
    void OnUncheckAll();
    void OnRenameFile();
    void OnSetCurrentZoomToAllReflectograms();
    void OnDeleteSelectedFiles();
    void OnFileInformation(bool bNotShowDevice);
    void OnFileInformation();
    void OnShow(bool bShow);
    void doubleClicked(QModelIndex index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowCurrent();
    void StoreZoom(tListedFile& record) const;
    int RowOf(const QSharedPointer<tListedFile>& record) const;
    bool IsListed(const QString& path) const;
    bool LoadCanonicalFile(const QString& canonical, tBatchAnswers* answers, bool bKeepSelection,
                           bool* pbAsked = nullptr);
    void CloseAllRows();
    void WatchAgain();
    void Unlist(const QString& path);
    QString WriteReceivedFile(const tReceivedFile& received, const QString& workingFolder,
                              QSet<QString>& written, bool& bInWorkingFolder);

    QWidget* parentWindow;
    CFileListWatcher* watcher;
    QStyledItemDelegate* delegate;
    CCompareSet compareSet;
    tListedFiles currentSet;
    CGraphModel graphModel;
    QString fileFilter;
    // Full paths of the entries, each with its number of entries.
    QHash<QString, int> listedPaths;
    // While a folder loads, the paths its new entries are to be watched under.
    QStringList* watchBatch = nullptr;
};
