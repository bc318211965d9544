#pragma once

#include <QList>
#include <QString>

// One entry of an instrument's file tree. An entry owns its children.
struct FInfo
{
    explicit FInfo(FInfo* parent = nullptr) : parent(parent) {}
    ~FInfo();
    FInfo(const FInfo&) = delete;
    FInfo& operator=(const FInfo&) = delete;

    void AddChild(FInfo* child) { children.append(child); }
    // The names from the root down, joined by backslashes, as the instrument
    // writes paths.
    QString GetFullPath() const;

    FInfo* parent;
    QList<FInfo*> children;
    int isFolder = 0;
    QString size;
    QString date;
    QString name;
};
