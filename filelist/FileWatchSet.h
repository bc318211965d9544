#pragma once

#include <QHash>
#include <QMultiHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QSocketNotifier;

// Watches single files for being changed, removed or replaced. Adding and
// removing a file costs the same whatever the number watched: the Qt file
// watcher searches its whole list on each call, which makes a folder of n
// traces cost n squared.
class CFileWatchSet : public QObject
{
    Q_OBJECT

public:
    explicit CFileWatchSet(QObject* parent);
    ~CFileWatchSet() override;

    CFileWatchSet(const CFileWatchSet&) = delete;
    CFileWatchSet& operator=(const CFileWatchSet&) = delete;

    // False when the path is watched already or cannot be watched.
    bool Add(const QString& path);
    bool Remove(const QString& path);
    void Clear();
    bool Contains(const QString& path) const { return pathWatch.contains(path); }
    int Count() const { return pathWatch.size(); }

signals:
    // Once for each batch of events on the file. A removed or replaced file
    // is no longer watched when this arrives.
    void sigFileChanged(const QString& path);

private:
    void OnReadable();

    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    QHash<QString, int> pathWatch;
    // Hard links of one file share one watch.
    QMultiHash<int, QString> watchPaths;
};
