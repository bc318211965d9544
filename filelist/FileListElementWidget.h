#pragma once

#include "filelist/ViewFile.h"

#include <QBrush>
#include <QFrame>
#include <QSharedPointer>

class QLineEdit;

// One list entry as a card: number, name, date, operator, layout mark,
// thumbnail and, for a compared file, its colour. Built for a single paint,
// or with a parent as the in-place name editor.
class CFileListElementWidget : public QFrame
{
    Q_OBJECT

public:
    // Row state bits given by the delegate.
    enum tState : unsigned {
        cSelected = 1,
        cCurrent = 2,
        cFocused = 0x10,
    };

    CFileListElementWidget(int row, unsigned state, const QSharedPointer<tListedFile>& file,
                           QWidget* parent);

    const QSharedPointer<tListedFile>& GetListedFile() const { return file; }
    // The typed base name; empty for a card that is only painted.
    QString GetEditedName() const;
    QLineEdit* GetNameEditor() const { return nameEditor; }
    // Deletes the editor now, or once a rename under way has returned: its
    // boxes run inside the name field's key handler.
    void Release();

signals:
    void editingOk(CFileListElementWidget* editor);
    void editingLeave(CFileListElementWidget* editor);

public slots:
    void OnEditingOk();
    void OnEditingLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSharedPointer<tListedFile> file;
    QLineEdit* nameEditor = nullptr;
    QBrush outerBrush;
    QBrush innerBrush;
    // A closed editor still loses its focus once more; it leaves only once.
    bool bLeft = false;
    bool bRenaming = false;
    bool bReleased = false;
};
