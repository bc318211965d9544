#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// Offers the changed files for saving before they are closed. Accepted means
// "close them all", saving first the names GetSelectedNames returns; rejected
// means "do not close".
class CSaveList : public QDialog
{
    Q_OBJECT

public:
    CSaveList(const QStringList& fileNames, QWidget* parent);
    ~CSaveList() override;

    QStringList GetSelectedNames() const;

public slots:
    void saveWithoutSelected();
    void saveWithSelected();

private:
    QListWidget* fileList;
    bool bSaveSelected = true;
};
