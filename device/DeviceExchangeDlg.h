#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The modal window shown while the program talks to an instrument: waiting
// seconds against an expected duration, or part-of-whole progress, with a
// Cancel button the protocol offers or withdraws.
class CDeviceExchangeDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDeviceExchangeDlg(QWidget* parent = nullptr);
    ~CDeviceExchangeDlg() override;

    // Starts a command's display afresh; the extra message stays.
    void show();

signals:
    void sigCancel();

public slots:
    void SetWaiting(int sec, bool bCanCancelled, QString message);
    void SetWaiting(int sec, bool bCanCancelled);
    void SetProgress(int cur, int all, bool bCanCancelled);
    void EnableCancellation(bool bCanCancelled);
    void tick();
    void OnCancelled();
    // Esc and the window's close button: the exchange goes on whatever the
    // window does, so they only cancel, and only where Cancel is offered.
    void reject() override;

private:
    // The default message, or the cancellation's once the user cancelled.
    void ShowMessage();

    QProgressBar* progress;
    QTimer timer;
    QPushButton* cancel;
    QLabel* messageLabel;
    QString defaultMessage;
    QLabel* extraMessage;
    // Set by the user's Cancel until the next command's show(): whatever the
    // exchange raised before it noticed the cancel must not offer Cancel
    // again, or a second click would give up the stop the first one asked for.
    bool bUserCancelled = false;
};
