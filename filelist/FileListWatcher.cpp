#include "filelist/FileListWatcher.h"

CFileListWatcher::CFileListWatcher(IFileList* list, QObject* parent) : QObject(parent), list(list) {}

void CFileListWatcher::AddFolder(const QString&) {}

void CFileListWatcher::ClearFolder() {}

void CFileListWatcher::AddFile(const QString&) {}

void CFileListWatcher::RemoveFile(const QString&) {}
