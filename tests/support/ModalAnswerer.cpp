#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

QString Plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QList<QAbstractButton*> PushButtons(QWidget* dialog)
{
    QList<QAbstractButton*> buttons;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisibleTo(dialog))
            buttons << button;
    std::stable_sort(buttons.begin(), buttons.end(), [dialog](QAbstractButton* a, QAbstractButton* b) {
        return a->mapTo(dialog, QPoint()).x() < b->mapTo(dialog, QPoint()).x();
    });
    return buttons;
}

QAbstractButton* StandardButton(QWidget* dialog, QMessageBox::StandardButton which)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        return box->button(which);
    for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>())
        if (QAbstractButton* button = buttons->button(QDialogButtonBox::StandardButton(int(which))))
            return button;
    return nullptr;
}

} // namespace

CModalAnswerer::CModalAnswerer(QObject* parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &CModalAnswerer::Poll);
    m_timer.start(10);
}

CModalAnswerer& CModalAnswerer::Click(const QString& buttonText)
{
    return Then([buttonText](QWidget* dialog) {
        QAbstractButton* button = FindButton(dialog, buttonText);
        if (button) {
            button->click();
        } else {
            qWarning("CModalAnswerer: no button \"%s\"; rejecting", qPrintable(buttonText));
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
}

CModalAnswerer& CModalAnswerer::Click(QMessageBox::StandardButton which)
{
    return Then([which](QWidget* dialog) {
        QAbstractButton* button = StandardButton(dialog, which);
        if (button) {
            button->click();
        } else {
            qWarning("CModalAnswerer: no standard button %x; rejecting", unsigned(which));
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
}

CModalAnswerer& CModalAnswerer::Then(tAction action)
{
    m_answers.enqueue(std::move(action));
    return *this;
}

CModalAnswerer& CModalAnswerer::LeaveAlone(const QString& className)
{
    m_leftAlone << className;
    return *this;
}

QStringList CModalAnswerer::Titles() const
{
    QStringList titles;
    for (const tSeen& seen : m_seen)
        titles << seen.Title;
    return titles;
}

QStringList CModalAnswerer::ButtonTexts(QWidget* dialog)
{
    QStringList texts;
    for (QAbstractButton* button : PushButtons(dialog))
        texts << Plain(button->text());
    return texts;
}

QAbstractButton* CModalAnswerer::FindButton(QWidget* dialog, const QString& text)
{
    for (QAbstractButton* button : PushButtons(dialog))
        if (Plain(button->text()) == text)
            return button;
    return nullptr;
}

void CModalAnswerer::Poll()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (m_handled && !m_handled->isVisible())
        m_handled = nullptr;
    if (!dialog || !dialog->isVisible() || dialog == m_handled || m_answering.contains(dialog))
        return;
    if (m_leftAlone.contains(QString::fromLatin1(dialog->metaObject()->className())))
        return;
    // A progress window is not a question: it closes itself.
    if (qobject_cast<QProgressDialog*>(dialog))
        return;
    m_handled = dialog;

    tSeen seen;
    seen.ClassName = QString::fromLatin1(dialog->metaObject()->className());
    seen.Title = dialog->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        seen.Text = box->text();
        seen.Icon = box->icon();
    }
    seen.Buttons = ButtonTexts(dialog);
    seen.bExpected = !m_answers.isEmpty();
    m_seen << seen;

    tAction action;
    if (seen.bExpected) {
        action = m_answers.dequeue();
    } else {
        qWarning("CModalAnswerer: unexpected dialog \"%s\"; rejecting", qPrintable(seen.Title));
        action = [](QWidget* shown) {
            if (qobject_cast<QDialog*>(shown))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        };
    }
    // Answered from outside the timer's slot: a timer does not fire again
    // while its slot runs, so an answer that opens the next dialog would
    // otherwise wait for it forever.
    QPointer<QWidget> target(dialog);
    QMetaObject::invokeMethod(
        this,
        [this, target, action] {
            if (!target)
                return;
            QWidget* const answered = target.data();
            m_answering << answered;
            action(target);
            m_answering.removeOne(answered);
            // The same dialog may be opened again (a panel run twice).
            if (target && !target->isVisible() && m_handled == target)
                m_handled = nullptr;
        },
        Qt::QueuedConnection);
}
