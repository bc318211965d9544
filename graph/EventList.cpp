#include "graph/EventList.h"

#include "core/Assert.h"
#include "core/Codec.h"
#include "core/Format.h"
#include "core/StrValue.h"
#include "core/Validator.h"
#include "device/TableWidgetDelegate.h"
#include "filelist/FileList.h"
#include "graph/GraphModel.h"
#include "sor/Code.h"
#include "sor/File.h"

#include <QDebug>
#include <QHash>
#include <QHeaderView>
#include <QItemEditorFactory>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// The text under this role tells the comment cells apart; as a decoration
// a plain text draws nothing.
const int kMarkerRole = Qt::DecorationRole;
const QString kCommentMarker = QStringLiteral("Comment");

char CodeAt(const tCharCodeSet& codes, int index)
{
    return index >= 0 && size_t(index) < codes.size() ? codes[size_t(index)] : '\0';
}

// Makes the cell if the row has none yet; reusing cells keeps a refresh on
// every cursor move from allocating a table's worth of items.
QTableWidgetItem* CellAt(QTableWidget* table, int row, int col, bool bEditable)
{
    QTableWidgetItem* cell = table->item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        if (!bEditable)
            cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        table->setItem(row, col, cell);
    }
    return cell;
}

// The editor of a comment is a plain line edit, so that its validator shows
// why a keystroke is refused beside it, as the other text fields do; framed
// as the toolkit's own cell editor is.
class CCommentEditorCreator : public QItemEditorCreatorBase
{
public:
    QWidget* createWidget(QWidget* parent) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(editor->style()->styleHint(QStyle::SH_ItemView_DrawDelegateFrame, nullptr, editor));
        return editor;
    }
    QByteArray valuePropertyName() const override { return QByteArrayLiteral("text"); }
};

QItemEditorFactory* CommentEditorFactory()
{
    static QItemEditorFactory* const factory = [] {
        auto* made = new QItemEditorFactory;
        made->registerEditor(QVariant::String, new CCommentEditorCreator);
        return made;
    }();
    return factory;
}

// Judges a comment against a value of its own, so that it can never outlive
// what it checks.
struct tCommentHolder
{
    CType::StrValue<101> Comment;
};

class CCommentValidator : private tCommentHolder, public CType::CStrValidator
{
public:
    CCommentValidator(QTextCodec* codec, QLineEdit* editor)
        : CType::CStrValidator(&Comment, editor, editor->text(), QString())
    {
        Comment.SetCodec(codec);
    }
};

} // namespace

CEventList::CEventList(CFileList* flist, QWidget* parent) : QTableWidget(parent), flist(flist)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(100);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(false);
    auto* delegate = new CTableWidgetDelegate(this);
    delegate->setItemEditorFactory(CommentEditorFactory());
    setItemDelegate(delegate);
    const QStringList titles = GetColumnTitles();
    setColumnCount(titles.size());
    setHorizontalHeaderLabels(titles);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QTableWidget::itemChanged, this, &CEventList::OnItemChanged);
    connect(this, &QTableWidget::cellDoubleClicked, this, &CEventList::OnCellDoubleClicked);
}

CEventList::~CEventList() = default;

void CEventList::Test(int) {}

QStringList CEventList::GetColumnTitles()
{
    static const QStringList titles{
        tr("Event %1").arg(QChar(0x2116)),
        tr("Distance [km]"),
        tr("Loss [dB]"),
        tr("Reflectance [dB]"),
        tr("Attenuation coeff. [dB/km]"),
        tr("Length [km]"),
        tr("Common loss [dB]"),
        tr("Comment"),
    };
    return titles;
}

QStringList CEventList::GetEventRowTexts(const sor::CFile& file, const sor::tKeyEvent& event,
                                         float* previousLoss, float* commonLoss,
                                         float* previousDistance)
{
    const float distance = float(file.TimeToDistance(event.PropagationTime.GetValue()) / 1000);
    const float loss = event.EventLoss.GetValue();
    const float attenuation = event.AttenuationCoefficient.GetValue();
    const double reflectance = event.Reflectance.GetValue();
    const float length = std::fabs(distance - *previousDistance);
    *commonLoss = attenuation * length + *commonLoss + *previousLoss;
    *previousLoss = loss;
    *previousDistance = distance;

    return QStringList{
        QString::number(event.Number.GetValue()),
        QStringLiteral("%1").arg(distance),
        FormatLoss(loss),
        reflectance == 0 ? QString() : FormatReflectance(reflectance),
        FormatLoss(attenuation),
        QStringLiteral("%1").arg(length),
        QStringLiteral("%1").arg(*commonLoss),
        event.Comment.GetValue(),
    };
}

QString CEventList::EventIconPath(const sor::tKeyEvent& event)
{
    const char origin = CodeAt(bc::GetEventCodeLetters(), event.EventOrigin);
    if (origin == 'E' || origin == 'D')
        return QStringLiteral(":/images/EventReflectionAtEnd.svg");
    if (origin == 'O')
        return QStringLiteral(":/images/EventOutOfRange.svg");
    if (CodeAt(bc::GetEventCodeDigits(), event.EventType) == '1')
        return QStringLiteral(":/images/EventReflection.svg");
    return QStringLiteral(":/images/EventJunction.svg");
}

QIcon CEventList::EventIcon(const sor::tKeyEvent& event)
{
    static QHash<QString, QIcon> icons;
    const QString path = EventIconPath(event);
    auto it = icons.find(path);
    if (it == icons.end())
        it = icons.insert(path, QIcon(path));
    return *it;
}

bool CEventList::HasFile() const
{
    const CGraphModel* model = flist->GetGraphModel();
    return model->IsEnabled() && !model->IsViewOnly();
}

void CEventList::Update()
{
    if (!HasFile())
        return;
    const sor::CFile* file = flist->GetGraphModel()->file();
    const bc::tKeyEventList& events = file->GetKeyEventList();
    qDebug("CEventList::Update() processed");

    float previousLoss = 0;
    float commonLoss = 0;
    float previousDistance = 0;
    const int rows = std::min(rowCount(), int(events.size()));
    const int commentColumn = CommentColumn();
    // Filling cells must not look like a typed comment to OnItemChanged.
    const QSignalBlocker blocker(this);
    for (int i = 0; i < rows; ++i) {
        const sor::tKeyEvent& event = events[size_t(i)];
        const QStringList texts =
            GetEventRowTexts(*file, event, &previousLoss, &commonLoss, &previousDistance);
        QTableWidgetItem* first = CellAt(this, i, 0, false);
        const QIcon icon = EventIcon(event);
        // Icons do not compare as values; an unchanged one would repaint.
        if (first->icon().cacheKey() != icon.cacheKey())
            first->setIcon(icon);
        first->setText(texts[0]);
        for (int j = 1; j < commentColumn; ++j)
            CellAt(this, i, j, false)->setText(texts[j]);
        // The open editor's cell is left alone, or the refresh would put
        // the stored comment over what is being typed.
        if (IsEditingComment() && i == editedRow && item(i, commentColumn))
            continue;
        QTableWidgetItem* comment = CellAt(this, i, commentColumn, true);
        comment->setText(texts[commentColumn]);
        comment->setData(kMarkerRole, kCommentMarker);
    }
}

void CEventList::UpdateEventsCount()
{
    const CGraphModel* model = flist->GetGraphModel();
    if (!model->IsEnabled()) {
        clearContents();
        return;
    }
    if (flist->GetCount() <= 0) {
        qCritical("ASSERTION FAILED: %s", "flist.size() > 0");
        return;
    }
    if (model->IsViewOnly())
        return;
    const sor::CFile* file = model->file();
    if (!file)
        return;
    const int count = int(file->GetKeyEventList().size());
    if (count == 0) {
        clearContents();
        setRowCount(0);
        return;
    }

    qDebug("CEventList::UpdateEventsCount() processed");
    const bool bCountChanged = rowCount() != count;
    if (bCountChanged)
        setRowCount(count);
    Update();
    // Columns first: rows measured against narrow columns would keep the
    // height of wrapped comments.
    resizeColumnsToContents();
    resizeRowsToContents();
    horizontalHeader()->setStretchLastSection(true);
    if (bCountChanged) {
        qDebug("Select first row");
        QV_ASSERT(state==NoEdit);
        SelectRow(0);
    }
}

void CEventList::SelectRow(int row)
{
    if (row < 0 || !HasFile())
        return;
    const int event = row;
    const sor::CFile* file = flist->GetGraphModel()->file();
    QV_ASSERT(event>=0 && event < int(file->GetKeyEventList().size()));
    setCurrentCell(row, CommentColumn());
    if (QTableWidgetItem* cell = item(row, CommentColumn()))
        scrollToItem(cell);
}

void CEventList::OnDeleteEvent()
{
    EndEditComment(false);
    EndEditEvent(false);
    QV_ASSERT(state==NoEdit);
    if (!flist->IsEnabled())
        return;
    const QSharedPointer<sor::CFile> file = flist->GetCurrentFile();
    if (!file)
        return;

    bc::tKeyEventList events = file->GetKeyEventList();
    const size_t sz = events.size();
    const int row = currentRow();
    size_t n = 0;
    for (auto it = events.begin(); it != events.end(); ++it, ++n) {
        if (int(n) == row) {
            events.erase(it);
            break;
        }
    }
    QV_ASSERT(n<sz);
    // Nothing was removed: storing would mark the file changed for nothing.
    if (n >= sz)
        return;

    std::stable_sort(events.begin(), events.end(),
                     [](const sor::tKeyEvent& a, const sor::tKeyEvent& b) {
                         return a.PropagationTime.GetValue() < b.PropagationTime.GetValue();
                     });
    unsigned number = 1;
    for (sor::tKeyEvent& event : events)
        event.Number.GetValue() = number++;
    file->SetKeyEventList(events);
    flist->Refresh();
    emit sigUpdateCurrentEvent();
}

void CEventList::OnEditEvent()
{
    OnEditComment();
}

void CEventList::OnEditComment()
{
    BeginEditComment();
}

void CEventList::OnShow(bool)
{
    UpdateEventsCount();
}

void CEventList::OnHide()
{
    clearContents();
    hide();
}

void CEventList::OnCloseFile()
{
    if (state == NoEdit)
        return;
    qDebug("CEventList::OnCloseFile() called");
    // The typed text reaches the cell only when the editor hands it in;
    // left open, the editor would later write it over the next file's row.
    if (IsEditingComment()) {
        if (QWidget* editor = indexWidget(model()->index(editedRow, CommentColumn()))) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    EndEditComment(true);
    EndEditEvent(false);
    if (!HasFile() || flist->GetGraphModel()->file()->GetKeyEventList().empty()) {
        clearContents();
        hide();
    } else {
        UpdateEventsCount();
    }
}

void CEventList::OnCursorMoved()
{
    setFocus();
    Update();
}

void CEventList::OnItemChanged(QTableWidgetItem* item)
{
    if (!item || !IsEditingComment() || item->data(kMarkerRole).toString() != kCommentMarker)
        return;
    qDebug("CEventList::OnItemChanged() for edited comment");
    EndEditComment(true);
}

void CEventList::OnCellDoubleClicked(int, int col)
{
    if (col == CommentColumn())
        OnEditComment();
}

void CEventList::BeginEditComment()
{
    qDebug() << "BeginEditComment() in " << state;
    if (IsEditingComment())
        return;
    QV_ASSERT(state==NoEdit || state==EditEvent);
    if (state == EditEvent) {
        QV_ASSERT(editedRow>=0);
        state = EditEventComment;
    } else {
        // Without a comment cell no editor opens, and the state would wait
        // for one that never closes.
        if (!item(currentRow(), CommentColumn()))
            return;
        state = EditComment;
        editedRow = currentRow();
    }
    editedFile = flist->IsEnabled() ? flist->GetCurrentFile() : QSharedPointer<sor::CFile>();
    SelectRow(editedRow);
    QTableWidgetItem* cell = item(currentRow(), CommentColumn());
    if (!cell)
        return;
    editItem(cell);
    // The file keeps at most this many characters, in its own code page; a
    // longer comment or one it cannot write could not be saved.
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(indexFromItem(cell)))) {
        editor->setMaxLength(sor::tKeyEvent().Comment.MaxLength());
        const QSharedPointer<sor::CFile> file = editedFile.toStrongRef();
        editor->setValidator(new CCommentValidator(file ? file->GetTextCodec() : GetLocaleCodec(), editor));
    }
}

void CEventList::EndEditComment(bool accept)
{
    if (!IsEditingComment())
        return;
    qDebug() << "EndEditComment(" << accept << ") in " << state;
    QV_ASSERT(editedRow>=0);
    const int row = editedRow;
    if (state == EditComment) {
        state = NoEdit;
        editedRow = -1;
    } else {
        state = EditEvent;
    }

    if (!flist->IsEnabled()) {
        qCritical("ASSERTION FAILED: %s", "flist.IsEnabled()");
        return;
    }
    const QSharedPointer<sor::CFile> file = editedFile.toStrongRef();
    editedFile.clear();
    if (!file)
        return;
    bc::tKeyEventList events = file->GetKeyEventList();
    QV_ASSERT(!events.empty());
    if (events.empty() || row < 0 || size_t(row) >= events.size())
        return;
    QTableWidgetItem* cell = item(row, CommentColumn());
    if (!cell)
        return;
    CType::StrValue<101>& comment = events[size_t(row)].Comment;
    if (accept) {
        if (cell->text() != comment.GetValue()) {
            comment.SetValue(cell->text().left(comment.MaxLength()));
            qDebug() << "current row" << currentRow();
            file->SetKeyEventList(events);
        }
    } else {
        cell->setText(comment.GetValue());
    }
}

void CEventList::BeginEditEvent(bool bNew, int kind, bool atEnd)
{
    qDebug() << "BeginEditEvent() in " << state;
    if (IsEditingEvent()) {
        qDebug("BeginEditEvent() cancelled in this state");
        return;
    }
    QV_ASSERT(state==NoEdit);
    EndEditComment(true);
    if (!HasFile())
        return;
    CGraphModel* model = flist->GetGraphModel();
    const int eventNum = bNew ? int(model->file()->GetKeyEventList().size()) : currentRow();
    if (eventNum < 0)
        return;
    model->GetCursors()->BeginEditEvent(eventNum, kind, atEnd);
    rowBeforeEdit = editedRow = currentRow();
    if (bNew) {
        UpdateEventsCount();
        editedRow = int(model->file()->GetKeyEventList().size()) - 1;
        SelectRow(editedRow);
    }
    state = EditEvent;
    Update();
    emit sigBeginEditEvent(editedRow);
    emit sigUpdateCurrentEvent();
}

void CEventList::EndEditEvent(bool accept)
{
    if (!IsEditingEvent())
        return;
    qDebug() << "EndEditEvent(" << accept << ") in " << state;
    QV_ASSERT(state==EditEvent);
    // Before any selection: a deselected edited row would cancel the edit.
    state = NoEdit;
    editedRow = -1;
    int pos = -1;
    CGraphModel* model = flist->GetGraphModel();
    if (HasFile() && model->GetCursors()->IsEditMode())
        pos = model->GetCursors()->EndEditEvent(accept);
    UpdateEventsCount();
    if (accept) {
        QV_ASSERT(pos>=0);
        SelectRow(pos);
    } else {
        SelectRow(rowBeforeEdit);
    }
    emit sigEndEditEvent(accept);
    emit sigUpdateCurrentEvent();
}

bool CEventList::event(QEvent* e)
{
    const bool result = QTableWidget::event(e);
    if (e->type() == QEvent::FocusIn && IsEditingComment()) {
        qDebug("CEventList::event() detect editor focus out");
        EndEditComment(false);
    }
    return result;
}

void CEventList::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & Qt::AltModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool bReturn = text.startsWith(QLatin1Char('\r'));
    if (state == NoEdit && event->key() == Qt::Key_Delete) {
        OnDeleteEvent();
    } else if (state == EditEvent && event->key() == Qt::Key_Escape) {
        qDebug("CEventList::keyPressEvent(ESC)");
        EndEditEvent(false);
    } else if (state == NoEdit && bReturn) {
        OnEditEvent();
    } else if (state == EditEvent && bReturn) {
        EndEditEvent(true);
    } else if (!text.isEmpty()) {
        const QChar c = text.at(0);
        if (c.isLetterOrNumber() || c.isSymbol() || c.isSpace()
            || (c.isPunct() && (state == NoEdit || state == EditEvent))) {
            BeginEditComment();
            event->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void CEventList::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected)
{
    QTableWidget::selectionChanged(selected, deselected);
    if (editedRow < 0 || state == NoEdit)
        return;
    qDebug() << "CEventList: selectionChanged(" << selected.indexes() << ")";
    QTableWidgetItem* it = item(editedRow, CommentColumn());
    QV_ASSERT(it);
    if (!it || !deselected.contains(indexFromItem(it)))
        return;
    qDebug("CEventList::selectionChanged() deselects edited row");
    if (IsEditingComment())
        setFocus();
    EndEditEvent(false);
}
