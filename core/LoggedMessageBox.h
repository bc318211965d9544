#pragma once

#include <QMessageBox>
#include <QString>

// The program's usual way to ask or inform the user. What was asked and what
// was answered goes into the log, so a crash report shows the dialogue that
// led to it.
class CLoggedMessageBox
{
public:
    CLoggedMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                      QMessageBox::StandardButtons buttons = QMessageBox::NoButton,
                      QWidget* parent = nullptr,
                      Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ~CLoggedMessageBox();
    CLoggedMessageBox(const CLoggedMessageBox&) = delete;
    CLoggedMessageBox& operator=(const CLoggedMessageBox&) = delete;

    // Runs the box modally; returns the standard button that closed it.
    int Exec();

private:
    QMessageBox box;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};
