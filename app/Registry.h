#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

// The per-user store of file associations, reached through keys and named
// text values. The empty value name is a key's default value. Each
// platform provides the raw calls; the throwing operations above them are
// shared.

enum class tRegistryRoot
{
    ClassesRoot, // the merged view of the user's and the machine's file types
    CurrentUser,
};

enum class tRegistryAccess
{
    Read,
    AllAccess,
    WriteDac,
    SetValue,
};

struct tRegistryPlace;

// Owns one open key and closes it when its scope ends.
class CRegistryKey
{
public:
    CRegistryKey();
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    const tRegistryPlace* Handle() const { return handle.get(); }
    std::unique_ptr<tRegistryPlace>& HandleStorage() { return handle; }

private:
    std::unique_ptr<tRegistryPlace> handle;
};

// Raw calls: 0 on success, else the system error number (2 not found,
// 5 access denied).
qint32 RegistryOpen(CRegistryKey& key, tRegistryRoot root, const QString& path, tRegistryAccess access);
qint32 RegistryCreate(CRegistryKey& key, tRegistryRoot root, const QString& path);
qint32 RegistryQuery(const CRegistryKey& key, const QString& name, QString* text);
qint32 RegistrySet(const CRegistryKey& key, const QString& name, const QString& text);
qint32 RegistryDeleteValue(const CRegistryKey& key, const QString& name);
qint32 RegistryGrantInteractive(const CRegistryKey& key);

// Tells the desktop that associations changed; the outcome is not examined.
void NotifyAssociationsChanged();

// What the association stores as the open command and the icon of a file type.
QString OpenCommandText(const QString& applicationPath);
QString DefaultIconText(const QString& applicationPath);

// The operations the association uses; each failure throws ESystemError
// with the trail (128, site).
void OpenRegistryKey(CRegistryKey& key, tRegistryRoot root, const QString& path, bool bWrite);
void CreateRegistryKey(CRegistryKey& key, tRegistryRoot root, const QString& path);
QString QueryRegistryString(const CRegistryKey& key, const QString& name);
void SetRegistryString(const CRegistryKey& key, const QString& name, const QString& text);
void GrantInteractiveFullAccess(const CRegistryKey& key);
