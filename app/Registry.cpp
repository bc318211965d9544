#include "app/Registry.h"

#include "app/SystemError.h"

namespace {

const qint32 cSource = 128;

void ThrowOnError(qint32 error, qint32 site)
{
    if (error != 0)
        throw ESystemError({tErrorCode(cSource, site)}, error);
}

} // namespace

void OpenRegistryKey(CRegistryKey& key, tRegistryRoot root, const QString& path, bool bWrite)
{
    ThrowOnError(RegistryOpen(key, root, path, bWrite ? tRegistryAccess::AllAccess : tRegistryAccess::Read),
                 459);
}

void CreateRegistryKey(CRegistryKey& key, tRegistryRoot root, const QString& path)
{
    ThrowOnError(RegistryCreate(key, root, path), 454);
}

QString QueryRegistryString(const CRegistryKey& key, const QString& name)
{
    QString text;
    ThrowOnError(RegistryQuery(key, name, &text), 466);
    return text;
}

void SetRegistryString(const CRegistryKey& key, const QString& name, const QString& text)
{
    ThrowOnError(RegistrySet(key, name, text), 473);
}

void GrantInteractiveFullAccess(const CRegistryKey& key)
{
    ThrowOnError(RegistryGrantInteractive(key), 496);
}
