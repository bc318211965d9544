#pragma once

#include "filelist/ViewFile.h"

#include <QtGlobal>

class QListWidget;

// The traces drawn together, each holding one of the composition colours.
// Members are found by the identity of their shared record.
class CCompareSet
{
public:
    // Takes a colour and appends; false (nothing changed) when all are taken.
    bool Add(const QSharedPointer<tListedFile>& record);
    bool Remove(const QSharedPointer<tListedFile>& record);
    // Releases the colour of the member at position; false past the end.
    bool Erase(tListedFiles::size_type position);
    bool Contains(const QSharedPointer<tListedFile>& record) const;

    // Puts the members into the list's row order with `current` last; the
    // colours stay where they are.
    void SortByList(const QListWidget& list, const QSharedPointer<tListedFile>& current);

    // The set the view state may point at; it lives as long as this object.
    const tListedFiles& Files() const { return files; }
    bool IsEmpty() const { return files.empty(); }
    int Size() const { return size(); }

private:
    void AssignColour(tListedFile* file);
    void ReleaseColour(tListedFile* file);
    int size() const { return int(files.size()); }
    tListedFiles::iterator Find(const QSharedPointer<tListedFile>& record);

    tListedFiles files;
    quint32 usedColors = 0;
};
