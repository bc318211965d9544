#include "core/IARMessageBox.h"
#include "core/LoggedMessageBox.h"
#include "support/LogCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QtTest>

#include <functional>

namespace {

// Acts on the next modal message box as soon as it is up; remembers whether
// one appeared at all.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(std::function<void(QMessageBox*)> answer) : answer(std::move(answer))
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            timer.stop();
            bShown = true;
            position = box->pos();
            this->answer(box);
        });
        timer.start(5);
    }

    bool bShown = false;
    QPoint position;

private:
    std::function<void(QMessageBox*)> answer;
    QTimer timer;
};

QAbstractButton* ButtonWithText(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* button : box->buttons())
        if (button->text() == text)
            return button;
    return nullptr;
}

// How the user answers: a standard button, "Ignore all", Esc, Enter, or the
// box being closed by other code without a click.
void Answer(QMessageBox* box, const QString& how)
{
    if (how == "Esc")
        QTest::keyClick(box, Qt::Key_Escape);
    else if (how == "Enter")
        QTest::keyClick(box, Qt::Key_Return);
    else if (how == "closed")
        box->done(QDialog::Rejected);
    else if (how == "IgnoreAll")
        ButtonWithText(box, "Ignore all")->click();
    else if (how == "Retry")
        box->button(QMessageBox::Retry)->click();
    else if (how == "Ignore")
        box->button(QMessageBox::Ignore)->click();
    else if (how == "No")
        box->button(QMessageBox::No)->click();
}

} // namespace

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void loggedBoxLogsQuestionAndAnswer_data();
    void loggedBoxLogsQuestionAndAnswer();
    void iarBoxAnswers_data();
    void iarBoxAnswers();
    void iarBoxTopEdgeAtPosition();
};

void TestMessageBoxes::loggedBoxLogsQuestionAndAnswer_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("keys");
    QTest::newRow("Yes|No answered No")
        << int(QMessageBox::Yes | QMessageBox::No) << "No" << int(QMessageBox::No) << "Yes|No [No]";
    QTest::newRow("Esc on Retry|Cancel") << int(QMessageBox::Retry | QMessageBox::Cancel) << "Esc"
                                         << int(QMessageBox::Cancel) << "Retry|Cancel [Cancel]";
}

void TestMessageBoxes::loggedBoxLogsQuestionAndAnswer()
{
    QFETCH(int, buttons);
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(QString, keys);
    LogCatcher catcher;
    BoxAnswerer answerer([&](QMessageBox* box) { Answer(box, how); });
    CLoggedMessageBox box(QMessageBox::Question, "Title", "Line 1\nLine 2",
                          QMessageBox::StandardButtons(buttons));
    QCOMPARE(box.Exec(), result);
    QCOMPARE(catcher.Texts(QtDebugMsg),
             QStringList{"MessageBox:\n\tTitle\n\tLine 1\nLine 2\n\t" + keys});
}

void TestMessageBoxes::iarBoxAnswers_data()
{
    QTest::addColumn<bool>("bWithFlag");
    QTest::addColumn<bool>("bFlagSet");
    QTest::addColumn<bool>("option");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("bGoOn");
    QTest::addColumn<bool>("bRetry");
    QTest::addColumn<bool>("bFlagAfter");
    QTest::addColumn<QString>("logged"); // offered buttons and answer; empty: no box

    const QString all = " IgnoreAll Ignore Retry Abort";
    QTest::newRow("ignore all already chosen")
        << true << true << false << "" << true << false << true << "";
    QTest::newRow("Esc aborts") << true << false << false << "Esc" << false << false << false
                                << all + " [Abort]";
    QTest::newRow("Retry") << true << false << false << "Retry" << true << true << false
                           << all + " [Retry]";
    QTest::newRow("Enter retries") << true << false << false << "Enter" << true << true << false
                                   << all + " [Retry]";
    QTest::newRow("Ignore all") << true << false << false << "IgnoreAll" << true << false << true
                                << all + " [IgnoreAll]";
    QTest::newRow("Ignore, option") << true << false << true << "Ignore" << true << false << false
                                    << " Ignore Retry Abort [Ignore]";
    QTest::newRow("no flag, option, Esc cancels")
        << false << false << true << "Esc" << false << false << false
        << " Ignore Retry Cancel [Cancel]";
    QTest::newRow("no flag, Retry") << false << false << false << "Retry" << true << true << false
                                    << " Retry Cancel [Retry]";
    QTest::newRow("no flag, closed without a button")
        << false << false << false << "closed" << false << false << false << " Retry Cancel []";
    QTest::newRow("closed without a button ignores all")
        << true << false << true << "closed" << true << false << true
        << " Ignore Retry Abort [IgnoreAll]";
}

void TestMessageBoxes::iarBoxAnswers()
{
    QFETCH(bool, bWithFlag);
    QFETCH(bool, bFlagSet);
    QFETCH(bool, option);
    QFETCH(QString, how);
    QFETCH(bool, bGoOn);
    QFETCH(bool, bRetry);
    QFETCH(bool, bFlagAfter);
    QFETCH(QString, logged);

    LogCatcher catcher;
    BoxAnswerer answerer([&](QMessageBox* box) { Answer(box, how); });
    bool bIgnore = bFlagSet;
    bool retry = !bRetry;
    QCOMPARE(IARMessageBox(nullptr, QMessageBox::Warning, "Saving", "Disk full", &retry,
                           bWithFlag ? &bIgnore : nullptr, option),
             bGoOn);
    QCOMPARE(retry, bRetry);
    QCOMPARE(bIgnore, bFlagAfter);
    QCOMPARE(answerer.bShown, !logged.isEmpty());
    const QStringList expected = logged.isEmpty()
        ? QStringList()
        : QStringList{"IAR message box:\n\tSaving\n\tDisk full\n\t" + logged + "\n"};
    QCOMPARE(catcher.Texts(QtDebugMsg), expected);
    QCOMPARE(catcher.Texts(QtCriticalMsg),
             bWithFlag || how != "closed" ? QStringList()
                                          : QStringList{"ASSERTION FAILED: bIgnore"});
}

void TestMessageBoxes::iarBoxTopEdgeAtPosition()
{
    LogCatcher catcher;
    BoxAnswerer answerer([](QMessageBox* box) { Answer(box, "Retry"); });
    bool retry = false;
    IARMessageBox(nullptr, QMessageBox::Critical, "T", "X", &retry, nullptr, false,
                  QPoint(400, 123));
    QVERIFY(answerer.bShown);
    QCOMPARE(answerer.position.y(), 123);
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
