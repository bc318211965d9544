#include "device/DeviceExchangeDlg.h"

#include <QDebug>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CDeviceExchangeDlg::CDeviceExchangeDlg(QWidget* parent)
    : QDialog(parent), progress(new QProgressBar(this)), cancel(new QPushButton(tr("Cancel"), this)),
      messageLabel(nullptr), defaultMessage(tr("Wait for device communicates...")), extraMessage(new QLabel(this))
{
    setModal(true);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    connect(&timer, &QTimer::timeout, this, &CDeviceExchangeDlg::tick);

    progress->setMinimum(0);
    extraMessage->hide();
    messageLabel = new QLabel(defaultMessage, this);
    connect(cancel, &QPushButton::released, this, &CDeviceExchangeDlg::OnCancelled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(extraMessage);
    layout->addWidget(messageLabel);
    layout->addWidget(progress);
    layout->addWidget(cancel);
}

CDeviceExchangeDlg::~CDeviceExchangeDlg() = default;

void CDeviceExchangeDlg::show()
{
    qDebug() << "CDeviceExchangeDlg::show()";
    bUserCancelled = false;
    messageLabel->setText(defaultMessage);
    progress->hide();
    cancel->hide();
    timer.stop();
    progress->setValue(0);
    progress->setMaximum(0);
    QDialog::show();
}

void CDeviceExchangeDlg::SetWaiting(int sec, bool bCanCancelled, QString message)
{
    qDebug() << "CDeviceExchangeDlg::SetWaiting()";
    if (sec < 0)
        qCritical("ASSERTION FAILED: %s", "sec>=0");
    ShowMessage();
    if (sec != 0) {
        const int maximum = progress->maximum() + sec;
        progress->setMaximum(maximum);
        // A wait of a second or two needs no count.
        progress->setFormat(maximum < 3 ? QString() : tr("%v/%m sec"));
        progress->show();
        if (!timer.isActive())
            timer.start(1000);
    }
    EnableCancellation(bCanCancelled);
    if (message.isEmpty()) {
        extraMessage->hide();
    } else {
        extraMessage->setText(message);
        extraMessage->show();
    }
}

void CDeviceExchangeDlg::SetWaiting(int sec, bool bCanCancelled)
{
    SetWaiting(sec, bCanCancelled, QString());
}

void CDeviceExchangeDlg::SetProgress(int cur, int all, bool bCanCancelled)
{
    qDebug() << "CDeviceExchangeDlg::SetProgress()";
    if (cur < 0 || cur > all)
        qCritical("ASSERTION FAILED: %s", "cur>=0&&cur<=total");
    if (all < 0)
        qCritical("ASSERTION FAILED: %s", "total>=0");
    ShowMessage();
    timer.stop();
    if (all != 0) {
        progress->setMaximum(all);
        progress->setFormat(tr("%v/%m"));
        progress->setValue(cur);
        progress->show();
    }
    EnableCancellation(bCanCancelled);
}

void CDeviceExchangeDlg::EnableCancellation(bool bCanCancelled)
{
    cancel->setVisible(bCanCancelled && !bUserCancelled);
}

void CDeviceExchangeDlg::ShowMessage()
{
    messageLabel->setText(bUserCancelled ? tr("Cancellation, please wait...") : defaultMessage);
}

void CDeviceExchangeDlg::tick()
{
    progress->setValue(progress->value() + 1);
    if (isVisible())
        timer.start(1000);
    if (progress->value() > progress->maximum())
        progress->setMaximum(progress->value());
}

void CDeviceExchangeDlg::reject()
{
    // The panel hides the window when the exchange ends.
    if (!cancel->isHidden())
        OnCancelled();
}

void CDeviceExchangeDlg::OnCancelled()
{
    qDebug() << "CDeviceExchangeDlg::OnCancelled()";
    bUserCancelled = true;
    cancel->hide();
    ShowMessage();
    emit sigCancel();
}
