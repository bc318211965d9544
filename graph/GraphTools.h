#pragma once

#include <QWidget>

class CGraphDlg;
class CGraphModel;
class CGraphPix;
class CPreviewFrame;
class Preview;

// The strip above the plot: the measurement panel and the overview.
class GraphTools : public QWidget
{
    Q_OBJECT

public:
    GraphTools(CGraphModel* view, CGraphPix* plot, QWidget* parent = nullptr);

    CGraphDlg* GetGraphDlg() const { return graphDlg; }
    CPreviewFrame* GetPreviewFrame() const { return previewFrame; }
    Preview* GetPreview() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CGraphDlg* graphDlg;
    CPreviewFrame* previewFrame;
};
