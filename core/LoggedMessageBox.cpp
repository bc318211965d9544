#include "core/LoggedMessageBox.h"

#include <QDebug>
#include <QMetaEnum>

CLoggedMessageBox::CLoggedMessageBox(QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons buttons,
                                     QWidget* parent, Qt::WindowFlags flags)
    : box(icon, title, text, buttons, parent, flags), title(title), text(text), buttons(buttons)
{
}

CLoggedMessageBox::~CLoggedMessageBox() = default;

int CLoggedMessageBox::Exec()
{
    const int result = box.exec();
    const QMetaObject& meta = QMessageBox::staticMetaObject;
    const QMetaEnum keys = meta.enumerator(meta.indexOfEnumerator("StandardButtons"));
    qDebug().noquote().nospace() << "MessageBox:\n\t" << title << "\n\t" << text << "\n\t"
                                 << keys.valueToKeys(static_cast<int>(buttons)) << " ["
                                 << keys.valueToKeys(result) << "]";
    return result;
}
