#pragma once

#include "graph/Tested.h"

#include <QIcon>
#include <QWeakPointer>
#include <QStringList>
#include <QTableWidget>

class CFileList;
class CGraphModel;

namespace sor {
class CFile;
struct tKeyEvent;
} // namespace sor

// The key events of the current trace, one row each. Takes comments,
// deletes events and starts and ends the cursor set's event edit mode, in
// which an event is placed with the plot's cursors.
class CEventList : public QTableWidget, public ITested
{
    Q_OBJECT

public:
    enum tState
    {
        NoEdit = 0,
        EditComment = 1,
        EditEvent = 2,
        EditEventComment = 3,
    };

    CEventList(CFileList* flist, QWidget* parent);
    ~CEventList() override;

    void Test(int step) override;

    // kind and atEnd go to the cursor set unchanged.
    void BeginEditEvent(bool bNew, int kind, bool atEnd);
    void EndEditEvent(bool accept);
    bool IsEditingEvent() const { return state == EditEvent || state == EditEventComment; }
    // Refills the texts of the rows there are; never changes their count.
    void Update();

    // Built once, so they keep the language of the first call.
    static QStringList GetColumnTitles();
    // The texts of one event's row; the caller starts the three running
    // values at 0 and passes the events in list order.
    static QStringList GetEventRowTexts(const sor::CFile& file, const sor::tKeyEvent& event,
                                        float* previousLoss, float* commonLoss,
                                        float* previousDistance);
    static QString EventIconPath(const sor::tKeyEvent& event);
    static QIcon EventIcon(const sor::tKeyEvent& event);

signals:
    void sigBeginEditEvent(int eventNum);
    void sigEndEditEvent(bool accept);
    void sigUpdateCurrentEvent();

public slots:
    void OnDeleteEvent();
    void OnEditEvent();
    void OnEditComment();
    void OnShow(bool bShow);
    void OnHide();
    void OnCloseFile();
    void OnCursorMoved();
    void UpdateEventsCount();
    void OnItemChanged(QTableWidgetItem* item);
    void OnCellDoubleClicked(int row, int col);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    bool IsEditingComment() const { return state == EditComment || state == EditEventComment; }
    bool HasFile() const;
    void BeginEditComment();
    void EndEditComment(bool accept);
    void SelectRow(int row);
    int CommentColumn() const { return columnCount() - 1; }

    CFileList* flist;
    int editedRow = -1;
    int rowBeforeEdit = -1;
    tState state = NoEdit;
    // The file whose comment is edited: by the time a file change ends the
    // edit, the list already names the next file as current.
    QWeakPointer<sor::CFile> editedFile;
};
