// The association store of a freedesktop desktop, in the user's own folders:
// a file type's open command and icon are a desktop entry, the ".sor" type is
// the MIME package that claims "*.sor", the added association and the user's
// default application live in mimeapps.list.

#include "app/KeyFile.h"
#include "app/Registry.h"
#include "app/SystemError.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <cerrno>
#include <sys/stat.h>

struct tRegistryPlace
{
    enum tKind
    {
        OpenCommand,
        DefaultIcon,
        SorType,
        OpenWithProgids,
        UserChoice,
    };

    tKind Kind;
    QString Name; // the file type of an OpenCommand or DefaultIcon key
    bool bMerged; // reached through the user's and the machine's entries
};

namespace {

const QString cMimeType = QStringLiteral("application/x-sor");
const QString cGlob = QStringLiteral("*.sor");
const QString cDesktopGroup = QStringLiteral("Desktop Entry");
const QString cDefaultGroup = QStringLiteral("Default Applications");
const QString cAddedGroup = QStringLiteral("Added Associations");

QString DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QStringList SystemDataFolders()
{
    QString dirs = QString::fromLocal8Bit(qgetenv("XDG_DATA_DIRS"));
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    return dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString ApplicationsFolder(const QString& data)
{
    return data + QStringLiteral("/applications");
}

QString PackagesFolder(const QString& data)
{
    return data + QStringLiteral("/mime/packages");
}

QString MimeAppsList()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/mimeapps.list");
}

QString DesktopEntryPath(const QString& name)
{
    return ApplicationsFolder(DataHome()) + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

// A type name becomes a file name: nothing that could leave the folder.
bool IsSafeName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

int StatError(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? 0 : errno;
}

// The desktop entry of a file type: the user's, or with bMerged the first of
// the user's and the system's folders. ENOENT when none exists.
int FindDesktopEntry(const QString& name, bool bMerged, QString* path)
{
    QStringList folders{ApplicationsFolder(DataHome())};
    if (bMerged)
        for (const QString& data : SystemDataFolders())
            folders << ApplicationsFolder(data);
    for (const QString& folder : folders) {
        const QString candidate = folder + QLatin1Char('/') + name + QStringLiteral(".desktop");
        const int error = StatError(candidate);
        if (error == 0) {
            *path = candidate;
            return 0;
        }
        if (error != ENOENT)
            return error;
    }
    return ENOENT;
}

bool ClaimsSorGlob(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("glob")
            && reader.attributes().value(QLatin1String("pattern")).compare(cGlob, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The package of one folder that claims "*.sor". When several do, the one
// written last wins, as a newly registered type replaces the previous one.
int FindClaimingPackage(const QString& folder, QString* name)
{
    name->clear();
    const int error = StatError(folder);
    if (error == ENOENT)
        return 0;
    if (error != 0)
        return error;
    const QFileInfoList packages =
        QDir(folder).entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    QDateTime newest;
    for (const QFileInfo& package : packages) {
        QByteArray xml;
        if (ReadWholeFile(package.absoluteFilePath(), &xml) != 0 || !ClaimsSorGlob(xml))
            continue;
        if (name->isEmpty() || package.lastModified() > newest) {
            *name = package.fileName().chopped(4);
            newest = package.lastModified();
        }
    }
    return 0;
}

int FindSorType(bool bMerged, QString* name)
{
    QStringList folders{PackagesFolder(DataHome())};
    if (bMerged)
        for (const QString& data : SystemDataFolders())
            folders << PackagesFolder(data);
    for (const QString& folder : folders) {
        const int error = FindClaimingPackage(folder, name);
        if (error != 0)
            return error;
        if (!name->isEmpty())
            return 0;
    }
    return ENOENT;
}

QByteArray PackageXml()
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                             "  <mime-type type=\"application/x-sor\">\n"
                             "    <comment>OTDR trace</comment>\n"
                             "    <glob pattern=\"*.sor\"/>\n"
                             "  </mime-type>\n"
                             "</mime-info>\n");
}

// A list value of mimeapps.list: "a.desktop;b.desktop;".
QStringList DesktopIds(const QString& value)
{
    return value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

int QueryDesktopEntry(const tRegistryPlace& place, const QString& name, QString* text)
{
    if (!name.isEmpty())
        return ENOENT;
    QString path;
    int error = FindDesktopEntry(place.Name, place.bMerged, &path);
    CKeyFile entry;
    if (error == 0)
        error = entry.Load(path);
    if (error != 0)
        return error;
    const QString key = place.Kind == tRegistryPlace::OpenCommand ? QStringLiteral("Exec") : QStringLiteral("Icon");
    *text = entry.Value(cDesktopGroup, key);
    return text->isNull() ? ENOENT : 0;
}

int QueryMimeApps(const tRegistryPlace& place, const QString& name, QString* text)
{
    CKeyFile list;
    if (const int error = list.Load(MimeAppsList()))
        return error;
    if (place.Kind == tRegistryPlace::OpenWithProgids) {
        if (!DesktopIds(list.Value(cAddedGroup, cMimeType)).contains(name + QStringLiteral(".desktop")))
            return ENOENT;
        *text = QString(QLatin1String(""));
        return 0;
    }
    if (name.compare(QLatin1String("Progid"), Qt::CaseInsensitive) != 0)
        return ENOENT;
    const QStringList ids = DesktopIds(list.Value(cDefaultGroup, cMimeType));
    if (ids.isEmpty())
        return ENOENT;
    QString id = ids.first().trimmed();
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    *text = id;
    return 0;
}

// The icon the running program shows, copied beside its desktop entry.
int WriteIconCopy(const QString& name, QString* iconPath)
{
    iconPath->clear();
    const QIcon icon = QGuiApplication::windowIcon();
    if (icon.isNull())
        return 0;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!icon.pixmap(256, 256).toImage().save(&buffer, "PNG"))
        return EIO;
    *iconPath = ApplicationsFolder(DataHome()) + QLatin1Char('/') + name + QStringLiteral(".png");
    return WriteFileAtomically(*iconPath, png);
}

int SetDesktopEntry(const tRegistryPlace& place, const QString& name, const QString& text)
{
    if (!name.isEmpty() || place.bMerged)
        return ENOTSUP;
    const QString path = DesktopEntryPath(place.Name);
    CKeyFile entry;
    if (const int error = entry.Load(path))
        return error;
    if (entry.IsEmpty()) {
        entry.SetValue(cDesktopGroup, QStringLiteral("Type"), QStringLiteral("Application"));
        entry.SetValue(cDesktopGroup, QStringLiteral("Name"), QStringLiteral("Quorvane"));
        entry.SetValue(cDesktopGroup, QStringLiteral("MimeType"), cMimeType + QLatin1Char(';'));
        entry.SetValue(cDesktopGroup, QStringLiteral("NoDisplay"), QStringLiteral("true"));
    }
    if (place.Kind == tRegistryPlace::OpenCommand) {
        entry.SetValue(cDesktopGroup, QStringLiteral("Exec"), text);
    } else {
        QString iconPath;
        if (const int error = WriteIconCopy(place.Name, &iconPath))
            return error;
        if (iconPath.isEmpty())
            entry.Remove(cDesktopGroup, QStringLiteral("Icon"));
        else
            entry.SetValue(cDesktopGroup, QStringLiteral("Icon"), iconPath);
    }
    return entry.Save(path);
}

int SetSorType(const tRegistryPlace& place, const QString& name, const QString& text)
{
    if (!name.isEmpty())
        return ENOTSUP;
    const QString folder = PackagesFolder(DataHome());
    if (text.isEmpty()) {
        QString current;
        const int error = FindClaimingPackage(folder, &current);
        if (error != 0 || current.isEmpty())
            return error;
        return RemoveFile(folder + QLatin1Char('/') + current + QStringLiteral(".xml"));
    }
    if (!IsSafeName(text))
        return EINVAL;
    Q_UNUSED(place);
    return WriteFileAtomically(folder + QLatin1Char('/') + text + QStringLiteral(".xml"), PackageXml());
}

int SetMimeApps(const tRegistryPlace& place, const QString& name, const QString& text)
{
    CKeyFile list;
    if (const int error = list.Load(MimeAppsList()))
        return error;
    if (place.Kind == tRegistryPlace::OpenWithProgids) {
        if (!IsSafeName(name))
            return EINVAL;
        QStringList ids = DesktopIds(list.Value(cAddedGroup, cMimeType));
        const QString id = name + QStringLiteral(".desktop");
        if (ids.contains(id))
            return 0;
        ids << id;
        list.SetValue(cAddedGroup, cMimeType, ids.join(QLatin1Char(';')) + QLatin1Char(';'));
    } else {
        if (name.compare(QLatin1String("Progid"), Qt::CaseInsensitive) != 0 || !IsSafeName(text))
            return ENOTSUP;
        list.SetValue(cDefaultGroup, cMimeType, text + QStringLiteral(".desktop;"));
    }
    return list.Save(MimeAppsList());
}

// The folder a write to the place lands in.
QString WriteFolder(const tRegistryPlace& place)
{
    switch (place.Kind) {
    case tRegistryPlace::OpenCommand:
    case tRegistryPlace::DefaultIcon:
        return ApplicationsFolder(DataHome());
    case tRegistryPlace::SorType:
        return PackagesFolder(DataHome());
    case tRegistryPlace::OpenWithProgids:
    case tRegistryPlace::UserChoice:
        break;
    }
    return QFileInfo(MimeAppsList()).path();
}

// Whether the key exists, as a registry would answer an open.
int PlaceExists(const tRegistryPlace& place)
{
    switch (place.Kind) {
    case tRegistryPlace::OpenCommand:
    case tRegistryPlace::DefaultIcon: {
        QString path;
        return FindDesktopEntry(place.Name, place.bMerged, &path);
    }
    case tRegistryPlace::SorType: {
        QString name;
        return FindSorType(place.bMerged, &name);
    }
    case tRegistryPlace::OpenWithProgids:
    case tRegistryPlace::UserChoice:
        break;
    }
    return StatError(MimeAppsList());
}

bool Matches(const QStringList& parts, const QStringList& pattern)
{
    if (parts.size() != pattern.size())
        return false;
    for (int i = 0; i < parts.size(); ++i)
        if (!pattern[i].isEmpty() && parts[i].compare(pattern[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

// Maps a key path onto the place that stands for it; an empty pattern
// part is the file type's name.
int ParsePlace(tRegistryRoot root, const QString& path, tRegistryPlace* place)
{
    const QStringList parts = path.split(QLatin1Char('\\'));
    if (root == tRegistryRoot::ClassesRoot) {
        if (Matches(parts, {QStringLiteral(".sor")})) {
            *place = {tRegistryPlace::SorType, QString(), true};
            return 0;
        }
        if (Matches(parts, {QString(), QStringLiteral("shell"), QStringLiteral("open"), QStringLiteral("command")})) {
            *place = {tRegistryPlace::OpenCommand, parts[0], true};
            return IsSafeName(parts[0]) ? 0 : ENOENT;
        }
        return ENOENT;
    }
    const QString classes = QStringLiteral("Classes");
    const QString software = QStringLiteral("Software");
    if (Matches(parts, {software, classes, QStringLiteral(".sor")})) {
        *place = {tRegistryPlace::SorType, QString(), false};
        return 0;
    }
    if (Matches(parts, {software, classes, QStringLiteral(".sor"), QStringLiteral("OpenWithProgids")})) {
        *place = {tRegistryPlace::OpenWithProgids, QString(), false};
        return 0;
    }
    if (Matches(parts, {software, QStringLiteral("Microsoft"), QStringLiteral("Windows"),
                        QStringLiteral("CurrentVersion"), QStringLiteral("Explorer"),
                        QStringLiteral("FileExts"), QStringLiteral(".sor"), QStringLiteral("UserChoice")})) {
        *place = {tRegistryPlace::UserChoice, QString(), false};
        return 0;
    }
    if (Matches(parts, {software, classes, QString(), QStringLiteral("shell"), QStringLiteral("open"),
                        QStringLiteral("command")})) {
        *place = {tRegistryPlace::OpenCommand, parts[2], false};
        return IsSafeName(parts[2]) ? 0 : ENOENT;
    }
    if (Matches(parts, {software, classes, QString(), QStringLiteral("DefaultIcon")})) {
        *place = {tRegistryPlace::DefaultIcon, parts[2], false};
        return IsSafeName(parts[2]) ? 0 : ENOENT;
    }
    return ENOENT;
}

qint32 Result(int error)
{
    return error == 0 ? 0 : SystemErrorFromErrno(error);
}

void RunIfInstalled(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty() || !QFileInfo(folder).isDir())
        return;
    // Nothing reads their results, and a slow cache rebuild must not hold
    // the options dialog.
    QProcess::startDetached(program, {folder});
}

} // namespace

CRegistryKey::CRegistryKey() = default;
CRegistryKey::~CRegistryKey() = default;

qint32 RegistryOpen(CRegistryKey& key, tRegistryRoot root, const QString& path, tRegistryAccess access)
{
    tRegistryPlace place;
    int error = ParsePlace(root, path, &place);
    if (error == 0)
        error = PlaceExists(place);
    if (error == 0 && access != tRegistryAccess::Read)
        error = CheckWritableFolder(WriteFolder(place));
    if (error != 0)
        return Result(error);
    key.HandleStorage() = std::make_unique<tRegistryPlace>(place);
    return 0;
}

qint32 RegistryCreate(CRegistryKey& key, tRegistryRoot root, const QString& path)
{
    tRegistryPlace place;
    int error = ParsePlace(root, path, &place);
    if (error == ENOENT || (error == 0 && place.Kind == tRegistryPlace::UserChoice))
        error = ENOTSUP;
    if (error == 0)
        error = MakePath(WriteFolder(place));
    if (error != 0)
        return Result(error);
    key.HandleStorage() = std::make_unique<tRegistryPlace>(place);
    return 0;
}

qint32 RegistryQuery(const CRegistryKey& key, const QString& name, QString* text)
{
    const tRegistryPlace* place = key.Handle();
    if (!place)
        return Result(EBADF);
    switch (place->Kind) {
    case tRegistryPlace::OpenCommand:
    case tRegistryPlace::DefaultIcon:
        return Result(QueryDesktopEntry(*place, name, text));
    case tRegistryPlace::SorType:
        return name.isEmpty() ? Result(FindSorType(place->bMerged, text)) : Result(ENOENT);
    case tRegistryPlace::OpenWithProgids:
    case tRegistryPlace::UserChoice:
        break;
    }
    return Result(QueryMimeApps(*place, name, text));
}

qint32 RegistrySet(const CRegistryKey& key, const QString& name, const QString& text)
{
    const tRegistryPlace* place = key.Handle();
    if (!place)
        return Result(EBADF);
    switch (place->Kind) {
    case tRegistryPlace::OpenCommand:
    case tRegistryPlace::DefaultIcon:
        return Result(SetDesktopEntry(*place, name, text));
    case tRegistryPlace::SorType:
        return Result(SetSorType(*place, name, text));
    case tRegistryPlace::OpenWithProgids:
    case tRegistryPlace::UserChoice:
        break;
    }
    return Result(SetMimeApps(*place, name, text));
}

qint32 RegistryDeleteValue(const CRegistryKey& key, const QString& name)
{
    const tRegistryPlace* place = key.Handle();
    if (!place)
        return Result(EBADF);
    if (place->Kind != tRegistryPlace::UserChoice || name.compare(QLatin1String("Progid"), Qt::CaseInsensitive) != 0)
        return Result(ENOENT);
    CKeyFile list;
    if (const int error = list.Load(MimeAppsList()))
        return Result(error);
    if (!list.Remove(cDefaultGroup, cMimeType))
        return Result(ENOENT);
    return Result(list.Save(MimeAppsList()));
}

// Files in the user's folders carry no access lists to change.
qint32 RegistryGrantInteractive(const CRegistryKey& key)
{
    return key.Handle() ? 0 : Result(EBADF);
}

void NotifyAssociationsChanged()
{
    RunIfInstalled(QStringLiteral("update-mime-database"), DataHome() + QStringLiteral("/mime"));
    RunIfInstalled(QStringLiteral("update-desktop-database"), ApplicationsFolder(DataHome()));
}

// Quoted as a desktop entry's Exec argument: the path may hold blanks,
// quotes, dollars or percent signs.
QString OpenCommandText(const QString& applicationPath)
{
    QString quoted;
    for (QChar c : applicationPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return QStringLiteral("\"%1\" %f").arg(quoted);
}

// The icon is taken from the running program, whatever the text names.
QString DefaultIconText(const QString& applicationPath)
{
    return applicationPath;
}
