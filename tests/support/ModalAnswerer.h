#pragma once

#include <QAbstractButton>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal dialogs that the code under test opens, as a user would,
// so that a test never blocks in exec(). Queue one answer per expected dialog
// before the call that opens it; a timer on the GUI thread watches for the
// next visible modal widget and applies the oldest queued answer to it.
//
//     CModalAnswerer answerer;
//     answerer.Click("Ignore all").Click(QMessageBox::Abort);
//     list.SetWorkingFolder(folder);
//     QCOMPARE(answerer.Seen().size(), 2);
//     QCOMPARE(answerer.Seen()[0].Title, "...");
//
// Every dialog answered is recorded in Seen(). A dialog that appears with no
// answer queued is recorded too and rejected (Esc for a message box), so a
// surprise box shows up as a failed count instead of a hung test. Answers
// left over when the test ends are visible through Pending().
class CModalAnswerer : public QObject
{
public:
    // What the user was shown. Text and Icon are filled for message boxes only;
    // Buttons holds the push-button texts (mnemonic ampersands removed) from
    // left to right as laid out.
    struct tSeen
    {
        QString ClassName;
        QString Title;
        QString Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QStringList Buttons;
        bool bExpected = true;
    };

    // Runs on the dialog; it must close it (click, key, done()).
    using tAction = std::function<void(QWidget* dialog)>;

    explicit CModalAnswerer(QObject* parent = nullptr);

    // Clicks the push button with this text on the next dialog.
    CModalAnswerer& Click(const QString& buttonText);
    // Clicks a standard button of a message box or of a dialog's button box.
    CModalAnswerer& Click(QMessageBox::StandardButton button);
    CModalAnswerer& Then(tAction action);
    // Dialogs of this class are neither answered nor recorded: a window
    // that stays up while the code under test works (a progress dialog)
    // is not the user's to close.
    CModalAnswerer& LeaveAlone(const QString& className);

    const QList<tSeen>& Seen() const { return m_seen; }
    int Pending() const { return m_answers.size(); }
    // Titles of the dialogs seen, in order: a compact thing to compare.
    QStringList Titles() const;

    static QStringList ButtonTexts(QWidget* dialog);
    static QAbstractButton* FindButton(QWidget* dialog, const QString& text);

private:
    void Poll();

    QTimer m_timer;
    QQueue<tAction> m_answers;
    QList<tSeen> m_seen;
    QStringList m_leftAlone;
    QPointer<QWidget> m_handled;
    // Dialogs whose answer is still running: one that opened a box of its
    // own shows again when the box closes, and is no new question.
    QList<QWidget*> m_answering;
};
