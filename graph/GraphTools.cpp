#include "graph/GraphTools.h"

#include "graph/GraphDlg.h"
#include "graph/Preview.h"

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
}

Preview* GraphTools::GetPreview() const
{
    return previewFrame->GetPreview();
}
