#include "device/DeviceExchanger2.h"

#include "core/Codec.h"
#include "device/DeviceEvents.h"
#include "device/FInfo.h"
#include "device/ReceivedFile.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextCodec>

#include <memory>

namespace {

constexpr int cMaxLength = 9999999;
// A listing that names its own folder would be followed for ever.
constexpr int cMaxDepth = 16;

bool IsTraceName(const QString& name)
{
    return name.right(3).compare(QLatin1String("sor"), Qt::CaseInsensitive) == 0;
}

bool IsDotName(const QString& name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

// Where the payload of "#<d><L><bytes>" starts in `buffer`, once its head has
// arrived: 0 while it has not, -1 when it never can be a file block.
struct tBlockHead
{
    int start = 0;
    qint64 length = 0;
};
tBlockHead LocateBlock(const QByteArray& buffer)
{
    const int p = buffer.indexOf('#');
    if (p < 0 || buffer.size() < p + 2)
        return {};
    const char d = buffer.at(p + 1);
    if (d < '1' || d > '7')
        return {-1, 0};
    const int digits = d - '0';
    if (buffer.size() < p + 2 + digits)
        return {};
    qint64 length = 0;
    for (const char c : buffer.mid(p + 2, digits)) {
        if (c < '0' || c > '9')
            return {-1, 0};
        length = length * 10 + (c - '0');
    }
    if (length < 1 || length > cMaxLength)
        return {-1, 0};
    return {p + 2 + digits, length};
}

} // namespace

QString CDeviceExchanger2::LocalPath(const QString& workingFolder, const QString& devicePath, bool bKeepFolders)
{
    const int slash = devicePath.lastIndexOf(QLatin1Char('/'));
    const int cut = slash >= 0 ? slash : devicePath.lastIndexOf(QLatin1Char('\\'));
    const QString name = devicePath.mid(cut + 1);
    if (name.isEmpty() || IsDotName(name) || !IsSafeDeviceName(name))
        return QString();
    QStringList folders;
    if (bKeepFolders && cut >= 0) {
        QString folder = devicePath.left(cut);
        folder.remove(0, folder.indexOf(QLatin1Char(':')) + 1);
        static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
        folders = folder.split(separators, Qt::SkipEmptyParts);
        for (const QString& part : qAsConst(folders))
            if (IsDotName(part) || HasControlCharacter(part))
                return QString();
    }
    const QString root = QDir::cleanPath(workingFolder);
    folders.prepend(root);
    const QString folderPath = folders.join(QLatin1Char('/'));

    // An existing folder on the way may be a link that leads elsewhere.
    QString existing = folderPath;
    QString rest;
    while (!QFileInfo(existing).exists() && !QFileInfo(existing).isSymLink() && existing.size() > root.size()) {
        const int up = existing.lastIndexOf(QLatin1Char('/'));
        rest.prepend(existing.mid(up));
        existing.truncate(up);
    }
    const QString resolved = QFileInfo(existing).canonicalFilePath() + rest;
    if (resolved != root && !resolved.startsWith(root + QLatin1Char('/')))
        return QString();
    return QDir(folderPath).absoluteFilePath(name);
}

void CDeviceExchanger2::ParseDirListing(const QString& listing, FInfo* parent)
{
    QString text = listing;
    text.remove(QLatin1Char('\r'));
    FInfo* file = nullptr;
    bool bDateNext = true;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('<'))) {
            file = nullptr;
            const QString name = line.mid(1);
            if (name.isEmpty() || IsDotName(name))
                continue;
            auto* folder = new FInfo(parent);
            folder->isFolder = 1;
            folder->name = name;
            parent->AddChild(folder);
        } else if (line.startsWith(QLatin1Char('>'))) {
            const QString name = line.mid(1);
            if (!IsTraceName(name))
                continue;
            file = new FInfo(parent);
            file->isFolder = 0;
            file->name = name;
            parent->AddChild(file);
            bDateNext = true;
        } else if (file && bDateNext) {
            file->date = line;
            bDateNext = false;
        } else if (file) {
            file->size = line.trimmed();
            bDateNext = true;
            file = nullptr;
        }
    }
}

std::unique_ptr<FInfo> CDeviceExchanger2::ReadRootDir()
{
    Send("*GET:DIR\r");
    QString text = GetLocaleCodec()->toUnicode(GetResponse(35000, true, true));
    Pause(50);
    if (cancelled)
        return {};
    text.remove(QLatin1Char('\r'));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return {};
    const QStringList words = lines.first().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2)
        return {};
    auto root = std::make_unique<FInfo>(nullptr);
    root->isFolder = 1;
    root->name = words.at(1);
    ParseDirListing(text, root.get());
    ReadSubDirs(root.get(), 1);
    // A tree that a cancel cut short would hide files until reconnection.
    if (cancelled)
        return {};
    return root;
}

void CDeviceExchanger2::ReadSubDirs(FInfo* node, int depth)
{
    if (depth > cMaxDepth)
        return;
    const QList<FInfo*> children = node->children;
    for (FInfo* child : children) {
        if (cancelled)
            return;
        if (child->isFolder != 1)
            continue;
        Send(GetLocaleCodec()->fromUnicode(QStringLiteral("*GET:DIR %1\r").arg(child->GetFullPath())));
        Pause(50);
        const QByteArray listing = GetResponse(35000, true, true);
        Pause(50);
        ParseDirListing(GetLocaleCodec()->toUnicode(listing), child);
        ReadSubDirs(child, depth + 1);
    }
}

void CDeviceExchanger2::DoLoadAll(tCommandRes& res)
{
    if (events)
        events->SetWaiting(0, true, QString());
    if (!pFiles)
        pFiles = ReadRootDir();
    if (!pFiles || cancelled)
        return;
    QList<FInfo*> chosen;
    bool bAllFiles = false;
    if (events)
        events->DirStructureReceived(pFiles.get(), &chosen, &bAllFiles);

    QStringList missing;
    const int count = chosen.size();
    for (int c = 1; c <= count; ++c) {
        if (events)
            events->SetProgress(c, count, true);
        const FInfo* entry = chosen.at(c - 1);
        const QString devicePath = entry->GetFullPath();
        const int size = entry->size.trimmed().toInt();
        // Folders, empty files and other files are nothing to fetch.
        const bool bWanted = entry->isFolder != 1 && size > 0 && IsTraceName(devicePath);
        const tReceivedFile received = bWanted ? LoadFile(devicePath, size, bAllFiles) : tReceivedFile();
        Pause(100);
        if (!received.path.isEmpty())
            res.append(received);
        else if (bWanted)
            missing << devicePath;
        if (cancelled)
            return;
    }
    if (events)
        events->SetProgress(count, count, false);
    ReportMissing(missing);
}

tReceivedFile CDeviceExchanger2::LoadFile(const QString& devicePath, int size, bool bKeepFolders)
{
    if (size <= 0 || !IsTraceName(devicePath))
        return tReceivedFile();
    const QString localPath = LocalPath(QDir::current().canonicalPath(), devicePath, bKeepFolders);
    if (localPath.isEmpty()) {
        qWarning() << "LoadFile(): no place for" << devicePath << "in the working folder";
        return tReceivedFile();
    }
    const QByteArray command = GetLocaleCodec()->fromUnicode(QStringLiteral("*GET:FILE %1\r").arg(devicePath));
    // A cancel drops the file at once: it would be thrown away anyway.
    for (int attempt = 1; attempt <= 3 && !cancelled; ++attempt) {
        Send(command);
        QByteArray buffer = GetResponse(30000, false, true);
        QElapsedTimer timer;
        timer.start();
        tBlockHead head;
        // What the file still owes when it is given up: drained before the
        // next command, or its bytes would answer it.
        auto owed = [&] { return head.start > 0 ? head.length - (buffer.size() - head.start) : qint64(size); };
        for (;;) {
            if (cancelled) {
                NoteCutBlock(owed());
                return tReceivedFile();
            }
            head = LocateBlock(buffer);
            if (head.start < 0)
                break;
            // More bytes than announced can never make the block whole.
            if (head.start > 0 && buffer.size() - head.start >= head.length)
                break;
            if (timer.elapsed() > 25500)
                break;
            buffer += GetResponse(500, false, true);
        }
        if (head.start > 0 && buffer.size() - head.start == head.length)
            return tReceivedFile(localPath, buffer.mid(head.start));
        if (owed() > 0)
            NoteCutBlock(owed());
        qWarning() << "LoadFile(): attempt" << attempt << "for" << devicePath << "brought" << buffer.size()
                   << "bytes";
    }
    return tReceivedFile();
}
