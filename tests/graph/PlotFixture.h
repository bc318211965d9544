#pragma once

#include "support/TraceBuilder.h"
#include "filelist/ViewFile.h"
#include "graph/GraphModel.h"

#include <QSharedPointer>

// A view state showing built traces in a window of a given size; the last
// trace added is the current one.
class PlotFixture
{
public:
    explicit PlotFixture(const QSize& window) : window(window) {}

    // Adds a trace with a file (the usual case) in the given colour, by
    // default one that no mark uses.
    sor::CFile* Add(const QSharedPointer<sor::CFile>& file, const QColor& colour = Qt::darkCyan)
    {
        auto listed = QSharedPointer<tListedFile>::create(file);
        listed->Color = colour;
        Attach(listed);
        return file.data();
    }

    // Adds a live trace: a view without a file, as the device panel shows.
    void AddLive(const QSharedPointer<sor::IFileView>& view, const QColor& colour = Qt::darkCyan)
    {
        auto listed = QSharedPointer<tListedFile>::create(view);
        listed->Color = colour;
        Attach(listed);
    }

    CGraphModel& Model() { return model; }
    CCursors* Cursors() { return model.GetCursors(); }

private:
    void Attach(const QSharedPointer<tListedFile>& listed)
    {
        set.push_back(listed);
        model.SetWindowSize(window);
        model.SetData(&set);
    }

    QSize window;
    tListedFiles set;
    CGraphModel model;
};
