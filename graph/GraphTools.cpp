#include "graph/GraphTools.h"

#include "graph/GraphDlg.h"
#include "graph/Preview.h"

#include <QEvent>
#include <QHBoxLayout>

GraphTools::GraphTools(CGraphModel* view, CGraphPix* plot, QWidget* parent)
    : QWidget(parent), graphDlg(new CGraphDlg(view, this)),
      previewFrame(new CPreviewFrame(view, plot, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(graphDlg);
    layout->addWidget(previewFrame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    graphDlg->installEventFilter(this);
}

bool GraphTools::eventFilter(QObject* watched, QEvent* event)
{
    // The panel grows and shrinks by rows with its mode; the window's layout
    // only hears of it when the strip's own hint is said to have changed.
    if (watched == graphDlg && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QWidget::eventFilter(watched, event);
}

Preview* GraphTools::GetPreview() const
{
    return previewFrame->GetPreview();
}
