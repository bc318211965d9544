#include "filelist/FileList.h"

#include "app/MainOpt.h"
#include "core/Assert.h"
#include "core/Exception.h"
#include "core/IARMessageBox.h"
#include "core/LoggedMessageBox.h"
#include "core/Version.h"
#include "device/ReceivedFile.h"
#include "filelist/FileListElementDelegate.h"
#include "filelist/FileListWatcher.h"
#include "filelist/SaveList.h"
#include "sor/File.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QStyledItemDelegate>

#include <algorithm>
#include <utility>

namespace {

const qint32 cSource = 32;

enum tLoadWarning : quint32 {
    cNoChecksum = 1,
    cBadChecksum = 2,
    cNoCodepage = 4,
    cKnownWarnings = cNoChecksum | cBadChecksum | cNoCodepage,
};

// The documents folder may be named on a minimal system without existing;
// a folder that cannot be made current would leave the list nowhere.
QString DefaultFolder()
{
    const QStringList documents = QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents.first()).isDir())
        return documents.first();
    return QDir::homePath();
}

// Any entry takes its name, a link to nothing too: the exclusive create
// fails on it as on a file, and the same name would be proposed again.
bool IsOnDisk(const QString& path)
{
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}

// The name a received file gets when its own is taken on disk, in the list
// or earlier in the same download: "(k)" before the suffix, as the
// instrument link names its own files.
QString FreePath(const QString& folder, const QString& fileName, const QSet<QString>& taken)
{
    const QFileInfo name(fileName);
    const QString base = name.completeBaseName();
    const QString suffix = name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix();
    QString path = folder + QLatin1Char('/') + fileName;
    for (int k = 1; taken.contains(path) || IsOnDisk(path); ++k)
        path = folder + QLatin1Char('/') + base + QStringLiteral("(%1)").arg(k) + suffix;
    return path;
}

} // namespace

CFileList::CFileList(QWidget* parent)
    : QListWidget(parent),
      parentWindow(parent),
      watcher(new CFileListWatcher(this, this)),
      delegate(new CFileListElementDelegate(this)),
      fileFilter(tr("Bellcore files (*.sor);;All files (*.*)"))
{
    qRegisterMetaType<QSharedPointer<tListedFile>>("QSharedPointer<tListedFile>");

    setMinimumWidth(185);
    setMaximumWidth(300);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setFocusPolicy(Qt::StrongFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(delegate);

    // Direct, so that a row made current is displayed before the call returns.
    connect(this, &QListWidget::currentItemChanged, this,
            qOverload<QListWidgetItem*, QListWidgetItem*>(&CFileList::OnCurrentItemChanged),
            Qt::DirectConnection);
    connect(this, &QAbstractItemView::doubleClicked, this, &CFileList::doubleClicked);
}

CFileList::~CFileList()
{
    QV_ASSERT(!count());
}

QSharedPointer<sor::CFile> CFileList::GetFile(int num) const
{
    QV_ASSERT(num>=0);
    QV_ASSERT(num<count());
    return GetItemFile(item(num));
}

int CFileList::GetCount() const
{
    return count();
}

int CFileList::GetCurrentNum() const
{
    QV_ASSERT(IsEnabled());
    return currentRow();
}

void CFileList::ReloadFile(int num)
{
    const QSharedPointer<sor::CFile> file = GetFile(num);
    if (!file)
        return;
    const QString path = file->GetFileName();
    for (int row = 0; row < count(); ++row) {
        if (GetFile(row)->GetFileName() == path) {
            RemoveItem(row);
            break;
        }
    }
    LoadFile(path, nullptr, true);
}

bool CFileList::CloseFile(int num)
{
    return CloseFile(num, false, nullptr);
}

void CFileList::UpdateFolder()
{
    SetWorkingFolder(QDir::currentPath());
}

bool CFileList::IsEnabled() const
{
    return count() && currentItem();
}

QSharedPointer<sor::CFile> CFileList::GetCurrentFile() const
{
    QV_ASSERT(IsEnabled());
    return GetItemFile(currentItem());
}

QSharedPointer<sor::CFile> CFileList::GetItemFile(const QListWidgetItem* pitem) const
{
    const QSharedPointer<tListedFile> record = GetItemListedFile(pitem);
    if (!record)
        return {};
    const QSharedPointer<sor::CFile> file = record->GetFilePtr();
    QV_ASSERT(!file.isNull());
    return file;
}

QSharedPointer<tListedFile> CFileList::GetItemListedFile(const QListWidgetItem* pitem) const
{
    QV_ASSERT(pitem);
    if (!pitem)
        return {};
    const QSharedPointer<tListedFile> res = pitem->data(Qt::UserRole).value<QSharedPointer<tListedFile>>();
    QV_ASSERT(!res.isNull());
    return res;
}

QSharedPointer<tListedFile> CFileList::GetListedFile(int num) const
{
    QV_ASSERT(num>=0);
    QV_ASSERT(num<count());
    return GetItemListedFile(item(num));
}

void CFileList::UpdateState()
{
    graphModel.UpdateLimits();
    emit sigEnabled(count() != 0);
    emit sigHasChecked(!compareSet.IsEmpty());
    const QSharedPointer<sor::CFile> current = currentItem() ? GetItemFile(currentItem()) : QSharedPointer<sor::CFile>();
    emit sigFileUpdated(current && current->IsChanged());
}

void CFileList::RefreshCurrent()
{
    dataChanged(currentIndex(), currentIndex());
}

void CFileList::SelectRow(int row)
{
    if (row < 0)
        row = 0;
    if (row >= count())
        row = count() - 1;
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    if (QListWidgetItem* current = currentItem())
        scrollToItem(current);
}

void CFileList::AddFileItem(const QSharedPointer<sor::CFile>& file, bool bKeepSelection)
{
    QV_ASSERT(!file.isNull());
    if (!file)
        return;
    connect(file.data(), &sor::CFile::sigFileChanged, this, &CFileList::OnFileChanged);

    auto* entry = new QListWidgetItem;
    entry->setFlags(entry->flags() | Qt::ItemIsEditable);
    entry->setData(Qt::UserRole, QVariant::fromValue(QSharedPointer<tListedFile>::create(file)));
    const QString path = file->GetFileName();
    ++listedPaths[path];
    if (watchBatch)
        *watchBatch << path;
    else
        watcher->AddFile(path);

    const int remembered = currentRow();
    addItem(entry);
    if (bKeepSelection)
        SelectRow(remembered);
    else
        viewport()->update();
}

void CFileList::RemoveItem(int row)
{
    const QSharedPointer<tListedFile> record = GetListedFile(row);
    if (!record)
        return;
    // Edits in progress end on the set still displayed: once the record
    // leaves the comparison set, another file would be last in it.
    emit sigCloseFile();
    compareSet.Remove(record);
    if (sor::CFile* file = record->GetFile()) {
        const QString path = file->GetFileName();
        Unlist(path);
        watcher->RemoveFile(path);
        // A view may keep the file a moment longer; its changes are no longer ours.
        disconnect(file, nullptr, this, nullptr);
    }
    delete takeItem(row);
    OnCurrentItemChanged();
}

void CFileList::ToggleCompare()
{
    if (!count() || !currentItem())
        return;
    const QSharedPointer<tListedFile> record = GetItemListedFile(currentItem());
    if (compareSet.Remove(record) || compareSet.Add(record)) {
        RefreshCurrent();
        OnCurrentItemChanged();
        return;
    }
    CLoggedMessageBox box(QMessageBox::Information, tr("Add to compare"),
                          tr("Maximum number of files for compare is %1").arg(cCompositionColorCnt),
                          QMessageBox::Ok, this);
    box.Exec();
}

void CFileList::OnCurrentItemChanged(QListWidgetItem*, QListWidgetItem*)
{
    ShowCurrent();
}

void CFileList::OnCurrentItemChanged(QListWidgetItem*)
{
    ShowCurrent();
}

void CFileList::OnCurrentItemChanged()
{
    ShowCurrent();
}

void CFileList::ShowCurrent()
{
    // The zoom belongs to the file being left; read it before anything changes.
    if (!currentSet.empty()) {
        tListedFile& left = *currentSet.front();
        left.ScaleX = graphModel.GetScaleX();
        left.ScaleY = graphModel.GetScaleY();
        left.OriginX = graphModel.GetOriginX();
        left.OriginY = graphModel.GetOriginY();
    }
    emit sigCloseFile();
    currentSet.clear();

    QListWidgetItem* current = currentItem();
    if (!count() || !current) {
        graphModel.SetData(nullptr);
        viewport()->update();
        UpdateState();
        return;
    }

    const QSharedPointer<tListedFile> record = GetItemListedFile(current);
    for (const QSharedPointer<tListedFile>& member : compareSet.Files())
        member->Color = GetCompositionColor(member->ColorNumber, member->FilePtr == record->FilePtr);

    if (compareSet.Contains(record)) {
        compareSet.SortByList(*this, record);
        currentSet.push_back(compareSet.Files().back());
        graphModel.SetData(&compareSet.Files());
    } else {
        currentSet.push_back(record);
        graphModel.SetData(&currentSet);
        const QList<QListWidgetItem*> selected = selectedItems();
        if (selected.size() == 1 && selected.first() == current)
            scrollToItem(current);
    }
    viewport()->update();
    UpdateState();
}

void CFileList::OnFileChanged(bool bChanged)
{
    emit sigFileUpdated(bChanged);
    RefreshCurrent();
}

void CFileList::OnOpenDir()
{
    if (SelectFolder(tr("Open project folder")))
        SetWorkingFolder(QDir::currentPath());
}

void CFileList::OnUncheckAll()
{
    while (!compareSet.IsEmpty()) {
        const QSharedPointer<tListedFile> record = compareSet.Files().front();
        compareSet.Erase(0);
        const int n = RowOf(record);
        QV_ASSERT(n<count());
        if (n < count()) {
            const QModelIndex index = model()->index(n, 0);
            dataChanged(index, index);
        }
    }
    OnCurrentItemChanged();
    emit sigHasChecked(false);
}

void CFileList::OnShow(bool bShow)
{
    setVisible(bShow);
}

void CFileList::doubleClicked(QModelIndex index)
{
    setCurrentIndex(index);
    ToggleCompare();
}

void CFileList::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & Qt::AltModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier)
        ToggleCompare();
    else if (event->key() == Qt::Key_Escape)
        OnUncheckAll();
    else if (event->key() == Qt::Key_Delete)
        OnDeleteSelectedFiles();
    QListWidget::keyPressEvent(event);
}

void CFileList::resizeEvent(QResizeEvent* event)
{
    if (count()) {
        // Every entry has the same size, so the delegate is asked once.
        const QSize size = itemDelegate()->sizeHint(viewOptions(), model()->index(0, 0));
        for (int row = 0; row < count(); ++row)
            item(row)->setSizeHint(size);
    }
    QListWidget::resizeEvent(event);
}

bool CFileList::IsListed(const QString& path) const
{
    return listedPaths.contains(path);
}

int CFileList::RowOf(const QSharedPointer<tListedFile>& record) const
{
    int n = 0;
    while (n < count() && GetItemListedFile(item(n)) != record)
        ++n;
    return n;
}

bool CFileList::SetWorkingFolder(const QString& location)
{
    const QFileInfo given(location);
    QString folder;
    if (location.isEmpty() || !given.exists())
        folder = DefaultFolder();
    else if (!given.isDir())
        folder = given.absolutePath();
    else
        folder = location;
    // A relative location (a command-line argument) must not be read again
    // against the folder it has just become.
    folder = QFileInfo(folder).absoluteFilePath();

    // The scan, the watcher and the stored last folder all read the current
    // directory: the list moves only once the folder has become it.
    while (!QDir::setCurrent(folder)) {
        bool bRetry = false;
        if (!IARMessageBox(parentWindow, QMessageBox::Warning, tr("Directory selection problem"),
                           tr("Cannot select directory \"%1\"").arg(folder), &bRetry, nullptr, false)
            || !bRetry)
            return false;
    }
    watcher->ClearFolder();
    const QDir dir(folder);
    QV_ASSERT(dir.exists());
    const QString canonicalFolder = dir.canonicalPath();

    if (parentWindow)
        parentWindow->setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ')
                                     + AppVersion().ToString() + tr(" - [%1]").arg(dir.absolutePath()));
    if (CMainOpt* options = CMainOpt::Instance())
        options->SaveLastDir();

    int remembered = currentRow();
    const QString wantedBase = given.exists() ? given.baseName() : QString();

    // The new entries are watched in one call once the folder is read.
    QStringList toWatch;
    QStringList* const outerBatch = std::exchange(watchBatch, &toWatch);
    tBatchAnswers answers;
    bool bAsked = false;
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.sor")}, QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.isSymLink() ? entry.canonicalFilePath()
                                               : canonicalFolder + QLatin1Char('/') + entry.fileName();
        // Asked afresh for each file: while a box was open the watcher may
        // have read the folder and listed the rest, or closed a file that
        // went.
        if (IsListed(path) || (bAsked && !QFileInfo::exists(path)))
            continue;
        const int before = count();
        if (!LoadCanonicalFile(path, &answers, false, &bAsked))
            break;
        if (count() > before && !wantedBase.isNull() && wantedBase == entry.baseName())
            remembered = count() - 1;
    }
    watchBatch = outerBatch;
    // Entries closed while a box was open are gone already.
    toWatch.erase(std::remove_if(toWatch.begin(), toWatch.end(),
                                 [this](const QString& path) { return !IsListed(path); }),
                  toWatch.end());
    watcher->AddFiles(toWatch);

    watcher->AddFolder(canonicalFolder);
    SelectRow(remembered);
    UpdateState();
    return true;
}

bool CFileList::SelectFolder(const QString& caption)
{
    QFileDialog dialog(parentWindow, caption, QDir::currentPath(), tr("Bellcore files (*.sor)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList selected = dialog.selectedFiles();
    if (selected.isEmpty() || selected.first().isNull())
        return false;
    const QString folder = selected.first();

    if (!CloseFiles({}))
        return false;

    for (;;) {
        if (QDir::setCurrent(folder))
            return true;
        bool bRetry = false;
        if (!IARMessageBox(parentWindow, QMessageBox::Warning, tr("Directory selection problem"),
                           tr("Cannot select directory \"%1\"").arg(folder), &bRetry, nullptr, false)
            || !bRetry)
            return false;
    }
}

QString CFileList::LoadWarningsText(int warnings)
{
    QString text;
    if (warnings & cNoCodepage)
        text += tr("Requested codepage not present (file loaded)\n");
    if (warnings & cNoChecksum)
        text += tr("CRC block not present (file loaded)\n");
    if (warnings & cBadChecksum)
        text += tr("Invalid file CRC (file loaded)\n");
    return text;
}

bool CFileList::LoadFile(const QString& path, tBatchAnswers* answers, bool bKeepSelection)
{
    // Listed paths are canonical: the watcher and the folder scan compare them.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return LoadCanonicalFile(canonical.isEmpty() ? path : canonical, answers, bKeepSelection);
}

bool CFileList::LoadCanonicalFile(const QString& loadPath, tBatchAnswers* answers, bool bKeepSelection,
                                  bool* pbAsked)
{
    const QString name = QFileInfo(loadPath).fileName();

    // Whether a box was open, here or earlier in the caller's batch: it lets
    // the watcher's events in.
    bool bAskedHere = false;
    bool& bAsked = pbAsked ? *pbAsked : bAskedHere;
    for (;;) {
        bool bRetry = false;
        try {
            int warnings = 0;
            const auto file = QSharedPointer<sor::CFile>::create(loadPath, &warnings);
            quint32 remaining = quint32(warnings) & cKnownWarnings;
            if (answers)
                remaining &= ~answers->ignoredWarnings;
            if (remaining) {
                bool bIgnoreAll = false;
                if (!IARMessageBox(this, QMessageBox::Information,
                                   tr("warnings file \"%1\" loading found").arg(name),
                                   LoadWarningsText(int(remaining)), &bRetry,
                                   answers ? &bIgnoreAll : nullptr, !answers))
                    return false;
                if (bIgnoreAll)
                    answers->ignoredWarnings |= remaining;
                bAsked = true;
            }
            if (!bRetry) {
                // While a box was open the watcher may have listed the file:
                // two entries of one file would overwrite each other's saves.
                if (bAsked && IsListed(loadPath))
                    return true;
                AddFileItem(file, bKeepSelection);
                return true;
            }
        } catch (const EFileAccessError& e) {
            bAsked = true;
            if (!IARMessageBox(this, QMessageBox::Warning, tr("Loading file \"%1\" problem").arg(name),
                               e.GetText(), &bRetry, answers ? &answers->bIgnoreAllProblems : nullptr,
                               false))
                return false;
            if (!bRetry)
                return true;
        } catch (const Exception& e) {
            bAsked = true;
            if (!IARMessageBox(this, QMessageBox::Critical, tr("Loading file \"%1\" error").arg(name),
                               e.GetText(), &bRetry, answers ? &answers->bIgnoreAllErrors : nullptr,
                               false))
                return false;
            if (!bRetry)
                return true;
        }
    }
}

QString CFileList::WriteReceivedFile(const tReceivedFile& received, const QString& workingFolder,
                                     QSet<QString>& written, bool& bInWorkingFolder)
{
    const int size = received.data.size();
    QV_ASSERT(size);
    // The system would take the path only up to a NUL: another file than the
    // one checked below.
    if (HasControlCharacter(received.path))
        throw EFileAccessError({tErrorCode(cSource, 771)});

    const QFileInfo info(received.path);
    const QString folder = info.absolutePath();
    QString canonicalFolder = QDir(folder).canonicalPath();
    bInWorkingFolder = !canonicalFolder.isEmpty() && canonicalFolder == workingFolder;
    if (!bInWorkingFolder) {
        QDir().mkpath(folder);
        canonicalFolder = QDir(folder).canonicalPath();
    }
    if (canonicalFolder.isEmpty())
        canonicalFolder = folder;

    QSet<QString> taken = written;
    for (int row = 0; row < count(); ++row)
        taken.insert(GetFile(row)->GetFileName());
    const QString target = FreePath(canonicalFolder, info.fileName(), taken);

    // Created, never opened over a file: a file or link that came meanwhile
    // stays as it is.
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw EFileAccessError({tErrorCode(cSource, 771)});
    if (out.write(received.data) != size || !out.flush()) {
        // A cut trace would later load as damaged or, worse, as valid. The
        // file is removed by name: with its buffer left unwritten the open
        // file refuses to remove itself.
        out.close();
        QFile::remove(target);
        throw EFileAccessError({tErrorCode(cSource, 775)});
    }
    out.close();
    written.insert(target);
    return target;
}

bool CFileList::OpenFiles(const IDevicePlugin::tCommandRes& files)
{
    const int remembered = currentRow();
    const int before = count();
    tBatchAnswers answers;
    const QString workingFolder = QDir::current().canonicalPath();
    watcher->ClearFolder();

    bool bStoredOutside = false;
    int writtenWhole = 0;
    QSet<QString> written;
    for (const tReceivedFile& received : files) {
        const QString name = QFileInfo(received.path).fileName();
        bool bRetry = false;
        bool bStop = false;
        do {
            bRetry = false;
            try {
                bool bInWorkingFolder = false;
                const QString target = WriteReceivedFile(received, workingFolder, written, bInWorkingFolder);
                ++writtenWhole;
                if (!bInWorkingFolder)
                    bStoredOutside = true;
                else if (!LoadFile(target, &answers, true))
                    bStop = true;
            } catch (const EFileAccessError& e) {
                bStop = !IARMessageBox(this, QMessageBox::Warning, tr("Loading file \"%1\" problem").arg(name),
                                       e.GetText(), &bRetry, &answers.bIgnoreAllProblems, false);
            } catch (const Exception& e) {
                bStop = !IARMessageBox(this, QMessageBox::Critical, tr("Loading file \"%1\" error").arg(name),
                                       e.GetText(), &bRetry, &answers.bIgnoreAllErrors, false);
            }
        } while (bRetry && !bStop);
        if (bStop)
            break;
    }

    if (!bStoredOutside)
        SelectRow(count() > before ? before : remembered);
    UpdateState();
    watcher->AddFolder(workingFolder);
    // Only the new trace's information: a file that was not listed would
    // leave the dialog to whichever trace happens to be current.
    if (!bStoredOutside && files.size() == 1 && count() > before)
        OnFileInformation(true);
    return writtenWhole == files.size();
}

bool CFileList::SaveFile(int num, tBatchAnswers* answers)
{
    // The row decides, not the current item: closing saves rows that are not current.
    if (num < 0 || num >= count())
        return true;
    const QSharedPointer<sor::CFile> file = GetFile(num);
    if (!file || !file->IsChanged())
        return true;
    const QString name = file->GetShortFileName();

    for (;;) {
        bool bRetry = false;
        try {
            file->Save();
            return true;
        } catch (const EFileAccessError& e) {
            if (!IARMessageBox(this, QMessageBox::Warning, tr("Saving file \"%1\" problem").arg(name),
                               e.GetText(), &bRetry, answers ? &answers->bIgnoreAllProblems : nullptr,
                               false))
                return false;
        } catch (const Exception& e) {
            if (!IARMessageBox(this, QMessageBox::Critical, tr("Saving file \"%1\" error").arg(name),
                               e.GetText(), &bRetry, answers ? &answers->bIgnoreAllErrors : nullptr,
                               false))
                return false;
        }
        if (!bRetry)
            return true;
    }
}

bool CFileList::CloseFile(int num, bool bSave, tBatchAnswers* answers)
{
    if (!count())
        return true;
    QV_ASSERT(num<count());
    if (num < 0 || num >= count())
        return false;
    emit sigCloseFile();

    const QSharedPointer<sor::CFile> file = GetFile(num);
    if (bSave && file && file->IsChanged() && !SaveFile(num, answers))
        return false;

    const int remembered = currentRow();
    RemoveItem(num);
    SelectRow(remembered);
    return true;
}

bool CFileList::CloseFiles(const QStringList& canonicalPathsForClosing)
{
    if (!count())
        return true;

    // Closing everything is leaving the folder: rows the watcher lists while
    // the dialog is open go as well, and no question about the folder may
    // come once the user has chosen to close.
    const bool bAll = canonicalPathsForClosing.isEmpty();
    const QSet<QString> closing(canonicalPathsForClosing.begin(), canonicalPathsForClosing.end());
    const auto isClosing = [&](int row) { return bAll || closing.contains(GetFile(row)->GetFileName()); };

    QStringList changed;
    for (int row = 0; row < count(); ++row) {
        const QSharedPointer<sor::CFile> file = GetFile(row);
        if (isClosing(row) && file->IsChanged())
            changed << file->GetShortFileName();
    }

    tBatchAnswers answers;
    QStringList toSave;
    if (!changed.isEmpty()) {
        CSaveList dialog(changed, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        toSave = dialog.GetSelectedNames();
    }
    // A failing save opens a box, and each save replaces its file.
    if (bAll) {
        watcher->ClearFolder();
        watcher->ClearFiles();
    }

    for (const QString& name : qAsConst(toSave)) {
        for (int row = 0; row < count(); ++row) {
            if (GetFile(row)->GetShortFileName() != name)
                continue;
            if (!CloseFile(row, true, &answers)) {
                if (bAll)
                    WatchAgain();
                return false;
            }
            break;
        }
    }

    if (bAll) {
        CloseAllRows();
        return !count();
    }
    for (int row = 0; row < count();) {
        if (!isClosing(row) || !CloseFile(row, false, &answers))
            ++row;
    }
    if (!count())
        qCritical("ASSERTION FAILED: %s", "canonicalPathsForClosing.empty() && !count()");
    return true;
}

void CFileList::CloseAllRows()
{
    // Row by row, each next file would become current and be displayed in
    // turn, and each watch would be dropped on its own.
    emit sigCloseFile();
    graphModel.SetData(nullptr);
    while (!compareSet.IsEmpty())
        compareSet.Erase(0);
    currentSet.clear();
    for (int row = 0; row < count(); ++row)
        if (const QSharedPointer<tListedFile> record = GetListedFile(row))
            if (sor::CFile* file = record->GetFile())
                disconnect(file, nullptr, this, nullptr);
    watcher->ClearFiles();
    listedPaths.clear();
    clear();
    ShowCurrent();
}

void CFileList::WatchAgain()
{
    QStringList paths;
    for (int row = 0; row < count(); ++row)
        paths << GetFile(row)->GetFileName();
    watcher->AddFiles(paths);
    watcher->AddFolder(QDir::current().canonicalPath());
}

void CFileList::Unlist(const QString& path)
{
    const auto listed = listedPaths.find(path);
    if (listed != listedPaths.end() && --listed.value() <= 0)
        listedPaths.erase(listed);
}
