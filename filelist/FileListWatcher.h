#pragma once

#include <QObject>
#include <QString>

class IFileList;

// Tells the list about traces that appear, change or vanish behind the
// program's back. Until that lands the list already makes every call it will
// need, and none of them watches anything yet.
class CFileListWatcher : public QObject
{
    Q_OBJECT

public:
    CFileListWatcher(IFileList* list, QObject* parent);

    void AddFolder(const QString& path);
    void ClearFolder();
    void AddFile(const QString& path);
    void RemoveFile(const QString& path);

private:
    IFileList* list;
};
