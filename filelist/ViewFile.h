#pragma once

#include "sor/File.h"
#include "sor/FileView.h"

#include <QColor>
#include <QMetaType>
#include <QSharedPointer>

#include <deque>

// One trace as the views see it: the file (null for a live instrument
// trace), the view that is drawn, its colour, its last zoom and its slot in
// the comparison set. Shared between the list entry and the displayed sets.
struct tViewFile
{
    explicit tViewFile(const QSharedPointer<sor::CFile>& file);
    explicit tViewFile(const QSharedPointer<sor::IFileView>& view);
    virtual ~tViewFile();

    sor::CFile* GetFile() const;
    QSharedPointer<sor::CFile> GetFilePtr() const;
    bool IsNull() const { return FilePtr.isNull(); }
    sor::IFileView* GetView() const { return View.data(); }

    QSharedPointer<sor::CFile> FilePtr;
    QSharedPointer<sor::IFileView> View;
    QColor Color = Qt::blue;
    float ScaleX = 1.0f;
    float ScaleY = 1.0f;
    qint32 OriginX = 0; // graph units, truncated toward zero
    qint32 OriginY = 0;
    qint32 ColorNumber = -1; // composition slot 0..6, -1 when not compared
};

typedef tViewFile tListedFile;

// A displayed set: the current file is always the last element.
typedef std::deque<QSharedPointer<tListedFile>> tListedFiles;

Q_DECLARE_METATYPE(QSharedPointer<tListedFile>)
