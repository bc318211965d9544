#include "device/FInfo.h"

FInfo::~FInfo()
{
    qDeleteAll(children);
}

QString FInfo::GetFullPath() const
{
    QString path = name;
    for (const FInfo* up = parent; up; up = up->parent)
        path.prepend(up->name + QLatin1Char('\\'));
    return path;
}
