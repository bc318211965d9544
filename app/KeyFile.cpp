#include "app/KeyFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

QString Escape(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\': text += QLatin1String("\\\\"); break;
        case '\n': text += QLatin1String("\\n"); break;
        case '\t': text += QLatin1String("\\t"); break;
        case '\r': text += QLatin1String("\\r"); break;
        default: text += c;
        }
    }
    return text;
}

QString Unescape(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's': text += QLatin1Char(' '); break;
        case 'n': text += QLatin1Char('\n'); break;
        case 't': text += QLatin1Char('\t'); break;
        case 'r': text += QLatin1Char('\r'); break;
        default: text += next;
        }
    }
    return text;
}

// Follows symbolic links to the file they end at, which need not exist yet.
int ResolveLinks(QByteArray* path)
{
    for (int hops = 0;; ++hops) {
        struct stat info;
        if (::lstat(path->constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0;
        if (hops == 40)
            return ELOOP;
        QByteArray next(int(info.st_size > 0 ? info.st_size : 4095) + 1, '\0');
        const ssize_t n = ::readlink(path->constData(), next.data(), size_t(next.size()));
        if (n < 0)
            return errno;
        if (n >= next.size())
            return ENAMETOOLONG;
        next.truncate(int(n));
        if (!next.startsWith('/')) {
            const int slash = path->lastIndexOf('/');
            next.prepend(slash < 0 ? QByteArray() : path->left(slash + 1));
        }
        *path = next;
    }
}

bool IsGroupHeader(const QString& line)
{
    return line.startsWith(QLatin1Char('['));
}

} // namespace

int ReadWholeFile(const QString& path, QByteArray* bytes)
{
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    bytes->clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return error;
        }
        if (n == 0)
            break;
        bytes->append(buffer, int(n));
    }
    ::close(fd);
    return 0;
}

int WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // A link (dot-file managers keep mimeapps.list as one) stays a link: the
    // new content replaces its target, which keeps its own mode.
    QByteArray target = Native(path);
    if (const int error = ResolveLinks(&target))
        return error;
    mode_t mode = 0644;
    struct stat existing;
    if (::stat(target.constData(), &existing) == 0)
        mode = existing.st_mode & 07777;

    QByteArray temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    int error = 0;
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0 && error == 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno != EINTR)
                error = errno;
            continue;
        }
        data += n;
        left -= n;
    }
    if (error == 0 && ::fchmod(fd, mode) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

int MakePath(const QString& folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    int from = 1;
    for (;;) {
        const int slash = clean.indexOf(QLatin1Char('/'), from);
        const QString prefix = slash < 0 ? clean : clean.left(slash);
        if (::mkdir(Native(prefix).constData(), 0755) != 0) {
            if (errno != EEXIST)
                return errno;
            struct stat info;
            if (::stat(Native(prefix).constData(), &info) != 0)
                return errno;
            if (!S_ISDIR(info.st_mode))
                return ENOTDIR;
        }
        if (slash < 0)
            return 0;
        from = slash + 1;
    }
}

int RemoveFile(const QString& path)
{
    if (::unlink(Native(path).constData()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

int CheckWritableFolder(const QString& folder)
{
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    for (;;) {
        struct stat info;
        if (::stat(Native(existing).constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return ENOTDIR;
            return ::access(Native(existing).constData(), W_OK | X_OK) == 0 ? 0 : errno;
        }
        if (errno != ENOENT)
            return errno;
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            return ENOENT;
        existing = parent;
    }
}

int CKeyFile::Load(const QString& path)
{
    lines.clear();
    QByteArray bytes;
    const int error = ReadWholeFile(path, &bytes);
    if (error == ENOENT)
        return 0;
    if (error != 0)
        return error;
    lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return 0;
}

int CKeyFile::Save(const QString& path) const
{
    return WriteFileAtomically(path, ToBytes());
}

QByteArray CKeyFile::ToBytes() const
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

int CKeyFile::GroupLine(const QString& group) const
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].trimmed() == header)
            return i;
    return -1;
}

int CKeyFile::GroupEnd(int groupLine) const
{
    int end = groupLine + 1;
    while (end < lines.size() && !IsGroupHeader(lines[end]))
        ++end;
    return end;
}

int CKeyFile::KeyLine(const QString& group, const QString& key) const
{
    const int start = GroupLine(group);
    if (start < 0)
        return -1;
    const int end = GroupEnd(start);
    for (int i = start + 1; i < end; ++i) {
        const int equals = lines[i].indexOf(QLatin1Char('='));
        if (equals > 0 && !lines[i].startsWith(QLatin1Char('#')) && lines[i].left(equals).trimmed() == key)
            return i;
    }
    return -1;
}

QString CKeyFile::Value(const QString& group, const QString& key) const
{
    const int line = KeyLine(group, key);
    if (line < 0)
        return QString();
    const QString& text = lines[line];
    const QString value = Unescape(text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed());
    // Present but empty must stay distinguishable from absent.
    return value.isNull() ? QString(QLatin1String("")) : value;
}

void CKeyFile::SetValue(const QString& group, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + Escape(value);
    const int existing = KeyLine(group, key);
    if (existing >= 0) {
        lines[existing] = line;
        return;
    }
    const int start = GroupLine(group);
    if (start < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + group + QLatin1Char(']') << line;
        return;
    }
    // After the group's last entry, before any blank lines that part it from the next.
    int insert = GroupEnd(start);
    while (insert > start + 1 && lines[insert - 1].trimmed().isEmpty())
        --insert;
    lines.insert(insert, line);
}

bool CKeyFile::Remove(const QString& group, const QString& key)
{
    const int line = KeyLine(group, key);
    if (line < 0)
        return false;
    lines.removeAt(line);
    return true;
}
