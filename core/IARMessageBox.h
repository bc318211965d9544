#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QString>

// Asks Abort / Retry / Ignore (and "Ignore all") about one item of a batch.
// Returns true when the batch goes on (retry or skip the item), false when it
// stops; *retry becomes true only for Retry. With bIgnore given, "Ignore all"
// is offered and, once chosen, every later call answers "skip" silently. A
// null position leaves the placement to Qt.
bool IARMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                   const QString& text, bool* retry, bool* bIgnore, bool option,
                   const QPoint& position = QPoint());
