#include "filelist/CompareSet.h"

#include "core/Assert.h"
#include "graph/GraphModel.h"

#include <QListWidget>

#include <algorithm>

bool CCompareSet::Add(const QSharedPointer<tListedFile>& record)
{
    if (size() >= cCompositionColorCnt)
        return false;
    AssignColour(record.data());
    files.push_back(record);
    return true;
}

bool CCompareSet::Remove(const QSharedPointer<tListedFile>& record)
{
    return Erase(tListedFiles::size_type(Find(record) - files.begin()));
}

bool CCompareSet::Erase(tListedFiles::size_type position)
{
    if (position >= files.size())
        return false;
    ReleaseColour(files[position].data());
    files.erase(files.begin() + position);
    return true;
}

bool CCompareSet::Contains(const QSharedPointer<tListedFile>& record) const
{
    return std::find(files.begin(), files.end(), record) != files.end();
}

void CCompareSet::SortByList(const QListWidget& list, const QSharedPointer<tListedFile>& current)
{
    tListedFiles sorted;
    for (int row = 0; row < list.count() && sorted.size() + 1 < files.size(); ++row) {
        const auto record = list.item(row)->data(Qt::UserRole).value<QSharedPointer<tListedFile>>();
        if (record != current && Contains(record))
            sorted.push_back(record);
    }
    QV_ASSERT(Contains(current));
    sorted.push_back(current);
    files.swap(sorted);
}

// The assertion texts name the checks as the log has always shown them.
void CCompareSet::AssignColour(tListedFile* file)
{
    QV_ASSERT(size()<cCompositionColorCnt);
    int number = 0;
    while (number < cCompositionColorCnt && (usedColors & (1u << number)))
        ++number;
    QV_ASSERT(number<cCompositionColorCnt);
    if (number >= cCompositionColorCnt)
        return;
    usedColors |= 1u << number;
    file->ColorNumber = number;
    file->Color = GetCompositionColor(number, false);
}

void CCompareSet::ReleaseColour(tListedFile* file)
{
    QV_ASSERT(file->ColorNumber>=0);
    QV_ASSERT(file->ColorNumber<cCompositionColorCnt);
    if (file->ColorNumber >= 0 && file->ColorNumber < cCompositionColorCnt)
        usedColors &= ~(1u << file->ColorNumber);
    file->ColorNumber = -1;
    file->Color = Qt::blue;
}

tListedFiles::iterator CCompareSet::Find(const QSharedPointer<tListedFile>& record)
{
    return std::find(files.begin(), files.end(), record);
}
