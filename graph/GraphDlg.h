#pragma once

#include "sor/GeneralParameters.h"

#include <QWidget>

#include <memory>

class CGraphModel;

namespace Ui {
class CGraphDlg;
}

// The measurement panel under the plot: marker distances and levels, the
// distance, loss and attenuation between the markers and, while a key event
// is placed with five markers, its position and reflectance or loss. The
// marker distances and the trace comment can be typed.
class CGraphDlg : public QWidget
{
    Q_OBJECT

public:
    explicit CGraphDlg(CGraphModel* model, QWidget* parent = nullptr);
    ~CGraphDlg() override;

    // Lets the "Info" button open the information dialog of the current file.
    void ConnectInfoButton(const QObject* receiver, const char* member);

signals:
    void sigCursorMoved();
    void sigUpdate();

public slots:
    void GenCursorMoved();
    void OnClearFocus();
    void OnUpdateValues();
    void OnSetLeftMarker();
    void OnSetRightMarker();
    void onShowApproxLineToggled(bool b);
    void onApproxLineTypeChanged(int index);
    void OnUpdateEdits();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool HasFile() const;
    void SetFiveMarkerRows(bool bPosition, bool bAttenuation, bool bReflectance);

    std::unique_ptr<Ui::CGraphDlg> ui;
    CGraphModel* model;
    sor::tGeneralParameters GeneralParams;
};
