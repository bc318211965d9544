#pragma once

#include <QObject>

class QWidget;

namespace CType {

// Shows a bound edit's hint as soon as focus enters it. One object for the
// whole application, made with the first validator.
class CFocusController : public QObject
{
    Q_OBJECT

public:
    CFocusController();

    static CFocusController& Instance();

public slots:
    void OnFocusChanged(QWidget* old, QWidget* now);
};

} // namespace CType
