#include "filelist/FileWatchSet.h"

#include <QFile>
#include <QSet>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

const quint32 cFileEvents = IN_ATTRIB | IN_MODIFY | IN_MOVE_SELF | IN_DELETE_SELF | IN_UNMOUNT;

} // namespace

CFileWatchSet::CFileWatchSet(QObject* parent) : QObject(parent), fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (fd < 0) {
        qWarning("Cannot watch files: inotify_init1 failed with error %d", errno);
        return;
    }
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &CFileWatchSet::OnReadable);
}

CFileWatchSet::~CFileWatchSet()
{
    if (fd < 0)
        return;
    notifier->setEnabled(false);
    ::close(fd);
}

bool CFileWatchSet::Add(const QString& path)
{
    if (fd < 0 || path.isEmpty() || pathWatch.contains(path))
        return false;
    const int watch = ::inotify_add_watch(fd, QFile::encodeName(path).constData(), cFileEvents);
    if (watch < 0)
        return false;
    pathWatch.insert(path, watch);
    watchPaths.insert(watch, path);
    return true;
}

bool CFileWatchSet::Remove(const QString& path)
{
    const auto found = pathWatch.find(path);
    if (found == pathWatch.end())
        return false;
    const int watch = found.value();
    pathWatch.erase(found);
    watchPaths.remove(watch, path);
    if (!watchPaths.contains(watch))
        ::inotify_rm_watch(fd, watch);
    return true;
}

void CFileWatchSet::Clear()
{
    for (auto it = watchPaths.keyBegin(); it != watchPaths.keyEnd(); ++it)
        ::inotify_rm_watch(fd, *it);
    pathWatch.clear();
    watchPaths.clear();
}

void CFileWatchSet::OnReadable()
{
    QStringList changed;
    QSet<QString> seen;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            const QList<QString> paths = watchPaths.values(event->wd);
            for (const QString& path : paths)
                if (!seen.contains(path)) {
                    seen.insert(path);
                    changed << path;
                }
            // The file is gone or replaced: the kernel dropped its watch.
            if (event->mask & IN_IGNORED) {
                for (const QString& path : paths)
                    pathWatch.remove(path);
                watchPaths.remove(event->wd);
            }
        }
    }
    // A handler may open a box and come back here; the list is ours.
    for (const QString& path : qAsConst(changed))
        emit sigFileChanged(path);
}
