#pragma once

#include <QDialog>
#include <QList>
#include <QModelIndex>

struct FInfo;
class DFinfoTreeModel;
class QDialogButtonBox;
class QRadioButton;
class QTreeView;

// Lets the user take every file of the instrument or pick one folder or one
// file from its tree.
class SelectFolderDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SelectFolderDialog(FInfo* root, QWidget* parent = nullptr);
    ~SelectFolderDialog() override;

    // The chosen entries; read once the dialog was accepted.
    QList<FInfo*> GetFiles() const;
    bool IsAllFiles() const { return mode == 0; }

private slots:
    void onTreeItemClicked(QModelIndex index);
    void onLoadSelectedOptionClicked();
    void onLoadAllOptionClicked();

private:
    struct tForm
    {
        QRadioButton* radioButtonLoadAll;
        QRadioButton* radioButtonLoadSelectedFolder;
        QTreeView* treeView;
        QDialogButtonBox* buttonBox;
    };
    void BuildForm();
    void RetranslateForm();

    tForm form;
    int mode = 1;
    FInfo* root;
    DFinfoTreeModel* model;
};
