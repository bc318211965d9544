#include "core/FocusController.h"

#include <QApplication>
#include <QLineEdit>
#include <QValidator>

#include <cstring>

namespace CType {

CFocusController::CFocusController()
{
    // Only a widget application has focus to follow.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(QCoreApplication::instance(), SIGNAL(focusChanged(QWidget*,QWidget*)),
                this, SLOT(OnFocusChanged(QWidget*,QWidget*)));
}

CFocusController& CFocusController::Instance()
{
    static CFocusController controller;
    return controller;
}

void CFocusController::OnFocusChanged(QWidget*, QWidget* now)
{
    // Subclasses of QLineEdit bring their own behaviour and are left alone.
    if (!now || std::strcmp(now->metaObject()->className(), "QLineEdit") != 0)
        return;
    auto* edit = static_cast<QLineEdit*>(now);
    const QValidator* validator = edit->validator();
    if (!validator)
        return;
    QString text = edit->text();
    int position = -1;
    validator->validate(text, position);
}

} // namespace CType
