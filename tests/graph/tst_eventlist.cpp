#include "support/LogCatcher.h"
#include "support/TraceBuilder.h"

#include "core/Format.h"
#include "device/TableWidgetDelegate.h"
#include "filelist/FileList.h"
#include "graph/EventList.h"
#include "graph/GraphModel.h"
#include "resources/Resources.h"

#include <QHeaderView>
#include <QItemDelegate>
#include <QPainter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QToolTip>
#include <QtTest>

namespace {

const int kCommentColumn = 7;

// Event codes as stored: first code 1 is reflective; second code indexes
// "A", "M", "E", "F", "O", "D".
enum { kOriginA = 0, kOriginM = 1, kOriginE = 2, kOriginO = 4, kOriginD = 5 };

sor::tKeyEvent MakeEvent(const sor::CFile& file, double metres, float attenuation, float loss,
                         double reflectance, const QString& comment = QString())
{
    sor::tKeyEvent event;
    event.PropagationTime.GetValue() = file.DistanceToTime(metres);
    event.AttenuationCoefficient.GetValue() = attenuation;
    event.EventLoss.GetValue() = loss;
    event.Reflectance.GetValue() = reflectance;
    event.Comment.SetValue(comment);
    return event;
}

// Translates every text, to show which texts were fixed before it came.
class CShoutingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QString::fromUtf8(source).toUpper();
    }
};

// A file list with saved traces and the table wired to it as the main
// window wires them.
struct tListFixture
{
    tListFixture() : table(&list, nullptr)
    {
        list.GetGraphModel()->SetWindowSize(QSize(800, 400));
        QObject::connect(&list, &CFileList::sigFileUpdated, &table, &CEventList::UpdateEventsCount);
        QObject::connect(&list, &CFileList::sigCloseFile, &table, &CEventList::OnCloseFile);
    }
    ~tListFixture()
    {
        while (list.count())
            list.RemoveItem(0);
    }
    QSharedPointer<sor::CFile> Add(const TraceBuilder& builder, const QString& name)
    {
        QSharedPointer<sor::CFile> file = builder.Build(dir.filePath(name));
        file->Save();
        list.AddFileItem(file, false);
        return file;
    }
    // Three events at 1, 2 and 3 km, commented "one", "two", "three".
    QSharedPointer<sor::CFile> AddThreeEvents()
    {
        auto file = Add(TraceBuilder(5000)
                            .Flat(5000)
                            .Slope(0.2)
                            .Event(1000, 0, "one")
                            .Event(2000, 1, "two")
                            .Event(3000, 0, "three"),
                        QStringLiteral("three.sor"));
        list.SelectRow(0);
        return file;
    }
    bool ShowActive()
    {
        table.show();
        QApplication::setActiveWindow(&table);
        return QTest::qWaitForWindowActive(&table);
    }
    QString Text(int row, int col) const
    {
        const QTableWidgetItem* cell = table.item(row, col);
        return cell ? cell->text() : QStringLiteral("<none>");
    }
    QLineEdit* CommentEditor(int row) const
    {
        return qobject_cast<QLineEdit*>(table.indexWidget(table.model()->index(row, kCommentColumn)));
    }
    QStringList Comments(const sor::CFile& file) const
    {
        QStringList comments;
        for (const sor::tKeyEvent& event : file.GetKeyEventList())
            comments << event.Comment.GetValue();
        return comments;
    }

    QTemporaryDir dir;
    CFileList list{nullptr};
    CEventList table;
};

} // namespace

class TestEventList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitResources(); }
    void columnTitlesKeepFirstLanguage();
    void rowTextsRunAlongTheFibre();
    void rowTextsShowBounds_data();
    void rowTextsShowBounds();
    void iconByEventCodes_data();
    void iconByEventCodes();
    void delegateDrawsNoFocusFrame();
    void fillsRowsOfCurrentFile();
    void deletesCurrentEvent();
    void deleteWithoutRowChangesNothing();
    void typingOpensCommentEditor();
    void commentGoesToRowWhereEditBegan();
    void refreshKeepsCommentBeingTyped();
    void commentLongerThanFileKeeps();
    void commentRefusesCharactersTheFileCannotHold();
    void editsNewEvent();
    void selectingOtherRowCancelsEventEdit();
    void closingFileWithoutEditLeavesTable();
    void leavingFileCancelsEventEdit();
    void leavingFileKeepsCommentToItsFile();
    void reloadingComparedFileCancelsEditOnItself();
    void grabTable();
};

void TestEventList::columnTitlesKeepFirstLanguage()
{
    const QStringList expected{QStringLiteral("Event \u2116"), "Distance [km]", "Loss [dB]",
                               "Reflectance [dB]", "Attenuation coeff. [dB/km]", "Length [km]",
                               "Common loss [dB]", "Comment"};
    QCOMPARE(CEventList::GetColumnTitles(), expected);

    CShoutingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(CEventList::GetColumnTitles(), expected);
    tListFixture fixture;
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(fixture.table.columnCount(), 8);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(fixture.table.horizontalHeaderItem(i)->text(), expected[i]);
}

void TestEventList::rowTextsRunAlongTheFibre()
{
    const auto file = TraceBuilder(5000).Build();
    sor::tKeyEvent first = MakeEvent(*file, 2500, 0.2f, 0.1f, 0, QStringLiteral("weld"));
    first.Number.GetValue() = 1;
    sor::tKeyEvent second = MakeEvent(*file, 4000, 0.3f, 0.25f, -45.5);
    second.Number.GetValue() = 2;

    float previousLoss = 0, commonLoss = 0, previousDistance = 0;
    QCOMPARE(CEventList::GetEventRowTexts(*file, first, &previousLoss, &commonLoss, &previousDistance),
             (QStringList{"1", "2.5", "0.100", "", "0.200", "2.5", "0.5", "weld"}));
    QCOMPARE(CEventList::GetEventRowTexts(*file, second, &previousLoss, &commonLoss, &previousDistance),
             (QStringList{"2", "4", "0.250", "-45.500", "0.300", "1.5", "1.05", ""}));
    QCOMPARE(previousLoss, 0.25f);
    QCOMPARE(previousDistance, 4.0f);
}

void TestEventList::rowTextsShowBounds_data()
{
    QTest::addColumn<float>("loss");
    QTest::addColumn<double>("reflectance");
    QTest::addColumn<QString>("lossText");
    QTest::addColumn<QString>("reflectanceText");

    QTest::newRow("no reflectance") << 0.1f << 0.0 << "0.100" << "";
    QTest::newRow("reflectance below range") << 0.1f << -80.0 << "0.100" << "<-70";
    QTest::newRow("loss above range") << 20.0f << -30.0 << ">16" << "-30.000";
    QTest::newRow("loss below range") << -20.0f << 0.0 << "<-16" << "";
}

void TestEventList::rowTextsShowBounds()
{
    QFETCH(float, loss);
    QFETCH(double, reflectance);
    const auto file = TraceBuilder(5000).Build();
    float previousLoss = 0, commonLoss = 0, previousDistance = 0;
    const QStringList texts = CEventList::GetEventRowTexts(
        *file, MakeEvent(*file, 1000, 0.2f, loss, reflectance), &previousLoss, &commonLoss,
        &previousDistance);
    QTEST(texts[2], "lossText");
    QTEST(texts[3], "reflectanceText");
}

void TestEventList::iconByEventCodes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("origin");
    QTest::addColumn<QString>("path");

    QTest::newRow("end of fibre") << 1 << int(kOriginE) << ":/images/EventReflectionAtEnd.svg";
    QTest::newRow("measured end") << 0 << int(kOriginD) << ":/images/EventReflectionAtEnd.svg";
    QTest::newRow("out of range") << 1 << int(kOriginO) << ":/images/EventOutOfRange.svg";
    QTest::newRow("reflection") << 1 << int(kOriginA) << ":/images/EventReflection.svg";
    QTest::newRow("junction") << 0 << int(kOriginM) << ":/images/EventJunction.svg";
    QTest::newRow("third kind") << 2 << int(kOriginA) << ":/images/EventJunction.svg";
    QTest::newRow("unknown codes") << 9 << 9 << ":/images/EventJunction.svg";
}

void TestEventList::iconByEventCodes()
{
    QFETCH(int, type);
    QFETCH(int, origin);
    sor::tKeyEvent event;
    event.EventType = type;
    event.EventOrigin = origin;
    QTEST(CEventList::EventIconPath(event), "path");
}

void TestEventList::delegateDrawsNoFocusFrame()
{
    tListFixture fixture;
    fixture.AddThreeEvents();
    QVERIFY(qobject_cast<CTableWidgetDelegate*>(fixture.table.itemDelegate()));
    const QModelIndex index = fixture.table.model()->index(1, 1);

    auto paint = [&index](const QAbstractItemDelegate& delegate, bool bFocus) {
        QImage image(120, 24, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        option.state = QStyle::State_Enabled | QStyle::State_Active;
        if (bFocus)
            option.state |= QStyle::State_HasFocus;
        QPainter painter(&image);
        delegate.paint(&painter, option, index);
        return image;
    };
    // The plain delegate marks the focused cell; ours draws it unmarked.
    const QItemDelegate plain;
    QVERIFY(paint(plain, true) != paint(plain, false));
    const CTableWidgetDelegate delegate(nullptr);
    QCOMPARE(paint(delegate, true), paint(delegate, false));
    QCOMPARE(paint(delegate, false), paint(plain, false));
}

void TestEventList::fillsRowsOfCurrentFile()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    fixture.Add(TraceBuilder(3000).Flat(4000), QStringLiteral("plain.sor"));
    CEventList& table = fixture.table;

    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.currentRow(), 0);
    QCOMPARE(fixture.Text(1, 0), QStringLiteral("2"));
    QCOMPARE(fixture.Text(1, 1), QStringLiteral("2"));
    QCOMPARE(fixture.Text(2, kCommentColumn), QStringLiteral("three"));
    for (int col = 0; col < 8; ++col) {
        const QTableWidgetItem* cell = table.item(0, col);
        QVERIFY(cell);
        QCOMPARE(bool(cell->flags() & Qt::ItemIsEditable), col == kCommentColumn);
        QCOMPARE(cell->data(Qt::DecorationRole).toString() == QStringLiteral("Comment"),
                 col == kCommentColumn);
    }
    QVERIFY(!file->IsChanged());

    fixture.list.SelectRow(1);
    QCOMPARE(table.rowCount(), 0);
}

void TestEventList::deletesCurrentEvent()
{
    tListFixture fixture;
    // Stored out of order, as a foreign instrument may leave them.
    auto file = fixture.Add(TraceBuilder(5000)
                                .Flat(5000)
                                .Event(3000, 0, "three")
                                .Event(1000, 0, "one")
                                .Event(2000, 0, "two"),
                            QStringLiteral("unsorted.sor"));
    fixture.list.SelectRow(0);
    QSignalSpy current(&fixture.table, &CEventList::sigUpdateCurrentEvent);
    fixture.table.setCurrentCell(1, kCommentColumn);

    QTest::keyClick(&fixture.table, Qt::Key_Delete);

    QCOMPARE(fixture.table.rowCount(), 2);
    QCOMPARE(fixture.Comments(*file), (QStringList{"two", "three"}));
    QCOMPARE(fixture.Text(0, 0), QStringLiteral("1"));
    QCOMPARE(fixture.Text(1, 0), QStringLiteral("2"));
    QCOMPARE(fixture.Text(1, kCommentColumn), QStringLiteral("three"));
    QCOMPARE(fixture.table.currentRow(), 0);
    QVERIFY(file->IsChanged());
    QCOMPARE(current.count(), 1);
}

void TestEventList::deleteWithoutRowChangesNothing()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    QSignalSpy changes(file.data(), &sor::CFile::sigFileChanged);
    QSignalSpy current(&fixture.table, &CEventList::sigUpdateCurrentEvent);
    fixture.table.setCurrentCell(-1, -1);
    QCOMPARE(fixture.table.currentRow(), -1);

    LogCatcher log;
    fixture.table.OnDeleteEvent();

    QVERIFY(log.Texts(QtCriticalMsg).contains(QStringLiteral("ASSERTION FAILED: n<sz")));
    QCOMPARE(fixture.table.rowCount(), 3);
    QVERIFY(!file->IsChanged());
    QCOMPARE(changes.count(), 0);
    QCOMPARE(current.count(), 0);
}

void TestEventList::typingOpensCommentEditor()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    QVERIFY(fixture.ShowActive());
    fixture.table.setCurrentCell(1, 0);

    QTest::keyClick(&fixture.table, Qt::Key_A);
    QLineEdit* editor = fixture.CommentEditor(1);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("two"));
    QVERIFY(!file->IsChanged());

    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("splice box"));
    QTest::keyClick(editor, Qt::Key_Return);

    // The editor hands its text over from the event loop.
    QTRY_COMPARE(fixture.Comments(*file), (QStringList{"one", "splice box", "three"}));
    QVERIFY(file->IsChanged());
    QCOMPARE(fixture.Text(1, kCommentColumn), QStringLiteral("splice box"));

    // The next letter opens an editor again: the edit has ended.
    QTest::keyClick(&fixture.table, Qt::Key_B);
    QVERIFY(fixture.CommentEditor(1));
    // Escape closes the editor and the focus back in the table ends the edit.
    QTest::keyClick(fixture.CommentEditor(1), Qt::Key_Escape);
    QTRY_VERIFY(!fixture.CommentEditor(1));
    QVERIFY(fixture.table.hasFocus());
    QTest::keyClick(&fixture.table, Qt::Key_C);
    QVERIFY(fixture.CommentEditor(1));
    QTest::keyClick(fixture.CommentEditor(1), Qt::Key_Escape);
    QTRY_VERIFY(!fixture.CommentEditor(1));
    QCOMPARE(fixture.Comments(*file), (QStringList{"one", "splice box", "three"}));
}

void TestEventList::commentGoesToRowWhereEditBegan()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    QVERIFY(fixture.ShowActive());
    fixture.table.setCurrentCell(1, 0);
    QTest::keyClick(&fixture.table, Qt::Key_Return);
    QLineEdit* editor = fixture.CommentEditor(1);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("manhole 7"));

    // Choosing another row takes the focus from the editor, which hands in
    // its text after the current row has moved on.
    fixture.table.setCurrentCell(2, kCommentColumn);

    QTRY_COMPARE(fixture.Comments(*file), (QStringList{"one", "manhole 7", "three"}));
    QCOMPARE(fixture.table.currentRow(), 2);
    QTRY_VERIFY(!fixture.CommentEditor(1));
}

void TestEventList::refreshKeepsCommentBeingTyped()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    fixture.table.setCurrentCell(2, 0);
    QTest::keyClick(&fixture.table, Qt::Key_Return);
    QLineEdit* editor = fixture.CommentEditor(2);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("end box"));

    // A cursor drag in the plot refreshes the rows while the user types.
    fixture.table.Update();
    QCOMPARE(editor->text(), QStringLiteral("end box"));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(fixture.Comments(*file), (QStringList{"one", "two", "end box"}));
}

void TestEventList::commentLongerThanFileKeeps()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    fixture.table.setCurrentCell(0, 0);
    fixture.table.OnEditComment();
    QLineEdit* editor = fixture.CommentEditor(0);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QString(150, QLatin1Char('z')));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(fixture.Comments(*file).at(0), QString(100, QLatin1Char('z')));
    file->Save();
    QVERIFY(!file->IsChanged());
}

void TestEventList::commentRefusesCharactersTheFileCannotHold()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    QVERIFY(fixture.ShowActive());
    fixture.table.setCurrentCell(0, 0);
    fixture.table.OnEditComment();
    QLineEdit* editor = fixture.CommentEditor(0);
    QVERIFY(editor);
    editor->selectAll();
    // The trace keeps its texts in its 8-bit code page, which has no "é".
    for (const QChar c : QString::fromUtf8("caf\u00e9 \u041c-3"))
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(editor->text(), QString::fromUtf8("caf \u041c-3"));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString::fromUtf8("These characters can't be saved in the trace file: \u00e9"));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(fixture.Comments(*file).at(0), QString::fromUtf8("caf \u041c-3"));
    file->Save();
    int warnings = 0;
    const sor::CFile saved(file->GetFileName(), warnings);
    QCOMPARE(saved.GetKeyEventList().at(0).Comment.GetValue(), QString::fromUtf8("caf \u041c-3"));
}

void TestEventList::editsNewEvent()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    CEventList& table = fixture.table;
    CCursors* cursors = fixture.list.GetGraphModel()->GetCursors();
    table.setCurrentCell(1, kCommentColumn);
    QSignalSpy begun(&table, &CEventList::sigBeginEditEvent);
    QSignalSpy ended(&table, &CEventList::sigEndEditEvent);
    QSignalSpy current(&table, &CEventList::sigUpdateCurrentEvent);

    table.BeginEditEvent(true, 2, false);
    QVERIFY(table.IsEditingEvent());
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.currentRow(), 3);
    QCOMPARE(begun.count(), 1);
    QCOMPARE(begun.at(0).at(0).toInt(), 3);
    QCOMPARE(current.count(), 1);
    // A second begin while editing is refused.
    table.BeginEditEvent(true, 2, false);
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(begun.count(), 1);

    QTest::keyClick(&table, Qt::Key_Escape);
    QVERIFY(!table.IsEditingEvent());
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toBool(), false);
    QVERIFY(!file->IsChanged());

    // Placed between the first two events and accepted: it lands in row 1.
    table.BeginEditEvent(true, 2, false);
    cursors->GetCenterCursor()->MoveTo(1500.0f);
    cursors->UpdateEditedEvent();
    QTest::keyClick(&table, Qt::Key_Return);
    QVERIFY(!table.IsEditingEvent());
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(ended.count(), 2);
    QCOMPARE(ended.at(1).at(0).toBool(), true);
    QCOMPARE(fixture.Comments(*file), (QStringList{"one", "", "two", "three"}));
    QCOMPARE(fixture.Text(3, 0), QStringLiteral("4"));
    QVERIFY(file->IsChanged());
}

void TestEventList::selectingOtherRowCancelsEventEdit()
{
    tListFixture fixture;
    fixture.AddThreeEvents();
    CEventList& table = fixture.table;
    table.setCurrentCell(0, kCommentColumn);
    QSignalSpy ended(&table, &CEventList::sigEndEditEvent);

    table.BeginEditEvent(false, 0, false);
    QVERIFY(table.IsEditingEvent());
    table.setCurrentCell(2, kCommentColumn);

    QVERIFY(!table.IsEditingEvent());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toBool(), false);
    QVERIFY(!fixture.list.GetGraphModel()->GetCursors()->IsEditMode());
}

void TestEventList::closingFileWithoutEditLeavesTable()
{
    tListFixture fixture;
    fixture.AddThreeEvents();
    fixture.table.setCurrentCell(2, kCommentColumn);
    LogCatcher log;

    fixture.table.OnCloseFile();

    QCOMPARE(fixture.table.rowCount(), 3);
    QCOMPARE(fixture.table.currentRow(), 2);
    QVERIFY(!fixture.table.isHidden() || !fixture.table.isVisible());
    QCOMPARE(log.Texts(QtCriticalMsg), QStringList());
}

void TestEventList::leavingFileCancelsEventEdit()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    fixture.Add(TraceBuilder(3000).Flat(4000).Event(500, 1, "other"), QStringLiteral("other.sor"));
    fixture.list.SelectRow(0);
    const bc::tKeyEventList before = file->GetKeyEventList();
    QSignalSpy ended(&fixture.table, &CEventList::sigEndEditEvent);
    fixture.table.BeginEditEvent(true, 1, false);
    QCOMPARE(file->GetKeyEventList().size(), size_t(4));

    fixture.list.SelectRow(1);

    QVERIFY(!fixture.table.IsEditingEvent());
    QCOMPARE(ended.count(), 1);
    QVERIFY(file->GetKeyEventList() == before);
    QVERIFY(!file->IsChanged());
    QCOMPARE(fixture.table.rowCount(), 1);
    QCOMPARE(fixture.Text(0, kCommentColumn), QStringLiteral("other"));
}

void TestEventList::leavingFileKeepsCommentToItsFile()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    auto other = fixture.Add(TraceBuilder(3000).Flat(4000).Event(500, 1, "other"), QStringLiteral("other.sor"));
    fixture.list.SelectRow(0);
    fixture.table.setCurrentCell(0, kCommentColumn);
    fixture.table.OnEditComment();
    QLineEdit* editor = fixture.CommentEditor(0);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("manhole 7"));

    // A download that ends while the user types makes another file current.
    fixture.list.SelectRow(1);

    QCOMPARE(fixture.Comments(*file), (QStringList{"manhole 7", "two", "three"}));
    QVERIFY(file->IsChanged());
    QCOMPARE(fixture.Comments(*other), QStringList{"other"});
    QVERIFY(!other->IsChanged());
    // No editor is left to hand the typed text to the other file's row.
    QVERIFY(!fixture.CommentEditor(0));
    QCOMPARE(fixture.Text(0, kCommentColumn), QStringLiteral("other"));
}

void TestEventList::reloadingComparedFileCancelsEditOnItself()
{
    tListFixture fixture;
    auto file = fixture.AddThreeEvents();
    auto other = fixture.Add(TraceBuilder(3000).Flat(4000).Event(500, 1, "o1").Event(1000, 0, "o2")
                                 .Event(1500, 0, "o3").Event(2000, 0, "o4"),
                             QStringLiteral("other.sor"));
    for (int row : {1, 0}) {
        fixture.list.SelectRow(row);
        fixture.list.ToggleCompare();
    }
    QCOMPARE(fixture.list.GetGraphModel()->GetFilePtr(), file);
    fixture.table.BeginEditEvent(true, 1, false);
    QVERIFY(fixture.table.IsEditingEvent());

    // Changed behind the program's back, the edited trace is read again.
    fixture.list.ReloadFile(0);

    QVERIFY(!fixture.table.IsEditingEvent());
    QCOMPARE(fixture.Comments(*other), (QStringList{"o1", "o2", "o3", "o4"}));
    QCOMPARE(fixture.Comments(*fixture.list.GetFile(1)), (QStringList{"one", "two", "three"}));
}

void TestEventList::grabTable()
{
    tListFixture fixture;
    auto file = fixture.Add(TraceBuilder(12000).Flat(3000).Slope(0.2), QStringLiteral("route.sor"));
    bc::tKeyEventList events;
    const struct
    {
        double metres;
        int type;
        int origin;
        float loss;
        double reflectance;
        const char* comment;
    } rows[] = {
        {0, 1, kOriginA, 0.0f, -45.2, "launch"},
        {2510.4, 0, kOriginA, 0.12f, 0, "splice, well 14"},
        {6120.8, 1, kOriginM, 0.48f, -52.75, "connector ODF 3"},
        {9875.0, 0, kOriginO, 0.0f, 0, ""},
        {18400.5, 1, kOriginE, 0.0f, -80, "end"},
    };
    unsigned number = 1;
    for (const auto& row : rows) {
        sor::tKeyEvent event = MakeEvent(*file, row.metres, 0.2f, row.loss, row.reflectance,
                                         QString::fromUtf8(row.comment));
        event.Number.GetValue() = number++;
        event.EventType = row.type;
        event.EventOrigin = row.origin;
        events.push_back(event);
    }
    file->SetKeyEventList(events);
    fixture.list.SelectRow(0);

    CEventList& table = fixture.table;
    QCOMPARE(table.rowCount(), 5);
    for (int row = 0; row < 5; ++row)
        QVERIFY(!table.item(row, 0)->icon().isNull());
    QCOMPARE(fixture.Text(4, 3), QStringLiteral("<-70"));
    table.resize(1400, 240);
    table.show();
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/grabs");
    QDir().mkpath(dir);
    QVERIFY(table.grab().save(dir + QStringLiteral("/event-table.png")));
}

QTEST_MAIN(TestEventList)
#include "tst_eventlist.moc"
