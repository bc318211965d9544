#include "core/IARMessageBox.h"

#include "core/Assert.h"

#include <QDebug>
#include <QCoreApplication>
#include <QPushButton>

namespace {

struct tOutcome
{
    bool bRetry;
    bool bGoOn;
    const char* Word;
};

tOutcome OutcomeOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Retry:
        return {true, true, "Retry"};
    case QMessageBox::Ignore:
        return {false, true, "Ignore"};
    case QMessageBox::Abort:
        return {false, false, "Abort"};
    case QMessageBox::Cancel:
        return {false, false, "Cancel"};
    default:
        return {false, false, ""};
    }
}

} // namespace

bool IARMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                   const QString& text, bool* retry, bool* bIgnore, bool option,
                   const QPoint& position)
{
    bool bRetryAnswer = false;
    if (!retry)
        retry = &bRetryAnswer;
    if (bIgnore && *bIgnore) {
        *retry = false;
        return true;
    }

    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    QString offered;
    auto addButton = [&](QMessageBox::StandardButton button, const char* word) {
        offered += QLatin1Char(' ') + QLatin1String(word);
        return box.addButton(button);
    };

    QPushButton* ignoreAll = nullptr;
    if (bIgnore && !option) {
        ignoreAll = box.addButton(QCoreApplication::translate("IARMessageBox", "Ignore all"),
                                  QMessageBox::ActionRole);
        offered += QStringLiteral(" IgnoreAll");
    }
    if (bIgnore || option)
        addButton(QMessageBox::Ignore, "Ignore");
    box.setDefaultButton(addButton(QMessageBox::Retry, "Retry"));
    if (bIgnore)
        box.setEscapeButton(addButton(QMessageBox::Abort, "Abort"));
    else
        box.setEscapeButton(addButton(QMessageBox::Cancel, "Cancel"));

    if (!position.isNull())
        box.move(position.x() - box.width() / 2, position.y());

    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    tOutcome outcome = OutcomeOf(box.standardButton(clicked));
    // A box closed by other code has no clicked button and counts as "Ignore
    // all"; without a flag to set, that is no answer and the batch stops.
    if (!clicked || clicked == ignoreAll) {
        QV_ASSERT(bIgnore);
        if (bIgnore) {
            *bIgnore = true;
            outcome = {false, true, "IgnoreAll"};
        }
    }
    *retry = outcome.bRetry;

    qDebug().noquote().nospace() << "IAR message box:\n\t" << title << "\n\t" << text << "\n\t"
                                 << offered << " [" << outcome.Word << "]\n";
    return outcome.bGoOn;
}
