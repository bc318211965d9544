#include "ListFixture.h"

#include "filelist/ColorBox.h"
#include "filelist/FileListElementDelegate.h"
#include "filelist/FileListElementWidget.h"
#include "filelist/GraphWidget.h"
#include "graph/GraphPainter.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QToolTip>

namespace {

QStringList LabelTexts(const QWidget& card)
{
    QStringList texts;
    for (const QLabel* label : card.findChildren<QLabel*>())
        if (!label->isHidden())
            texts << label->text();
    return texts;
}

QSharedPointer<tListedFile> Record(const QSharedPointer<sor::CFile>& file)
{
    return QSharedPointer<tListedFile>::create(file);
}

// A card laid out at the size the delegate gives it.
void LayOut(QWidget& card, const QSize& size = QSize(370, 140))
{
    card.setFixedSize(size);
    card.layout()->activate();
}

// What the bottom row of a card leaves its drawing: the card's frame, the
// side margins at the focus frame's width plus 4, and 3 on each side inside.
int BottomWidth(const QFrame& card)
{
    const int margin = card.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &card) + 4;
    return card.width() - 2 * card.frameWidth() - 2 * margin - 2 * 3;
}

} // namespace

class TestListEntries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
    void init() { fx.Open(); }
    void cleanup() { fx.Close(); }

    void sizeFollowsContentsWidth_data();
    void sizeFollowsContentsWidth();
    void cardShowsNameAndMarks();
    void cardShowsLayoutOperatorAndSwatch();
    void toolTipNamesFile();
    void thumbnailDrawsTraceAndLabels();
    void thumbnailDrawsTheTraceWithDrawTrace_data();
    void thumbnailDrawsTheTraceWithDrawTrace();
    void grabsListOfEntries();

private:
    ListFixture fx;
};

void TestListEntries::sizeFollowsContentsWidth_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("bScrolls");
    QTest::newRow("without scrolling") << 1 << false;
    QTest::newRow("with a scroll bar") << 6 << true;
}

void TestListEntries::sizeFollowsContentsWidth()
{
    QFETCH(int, files);
    QFETCH(bool, bScrolls);
    QStringList names;
    for (int i = 0; i < files; ++i)
        names << QString("%1.sor").arg(i);
    fx.Load(names);
    fx.list->setMaximumWidth(QWIDGETSIZE_MAX);
    fx.list->resize(370 + 2 * fx.list->frameWidth(), 400);
    fx.window.resize(600, 500);
    fx.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fx.window));
    QCOMPARE(fx.list->contentsRect().width(), 370);

    const QScrollBar* bar = fx.list->verticalScrollBar();
    QTRY_COMPARE(bar->minimum() != bar->maximum(), bScrolls);
    const QSize size = fx.list->itemDelegate()->sizeHint(QStyleOptionViewItem(), fx.list->model()->index(0, 0));
    QCOMPARE(size, QSize(bScrolls ? 370 - bar->width() : 370, 140));
    QCOMPARE(fx.list->item(0)->sizeHint().height(), 140);
    fx.window.hide();
}

void TestListEntries::cardShowsNameAndMarks()
{
    fx.Load({"x.sor"});
    const QSharedPointer<tListedFile> record = fx.list->GetListedFile(0);
    {
        CFileListElementWidget card(0, 0, record, nullptr);
        QVERIFY(LabelTexts(card).contains(QString::fromUtf8("№1 ")));
        QVERIFY(LabelTexts(card).contains("<h3>x.sor</h3>"));
    }
    record->GetFile()->SetChanged(true);
    {
        CFileListElementWidget card(4, 0, record, nullptr);
        QVERIFY(LabelTexts(card).contains(QString::fromUtf8("№5 ")));
        QVERIFY(LabelTexts(card).contains("<h3>* x.sor</h3>"));
    }
    record->GetFile()->Save();
    {
        CFileListElementWidget card(0, 0, record, nullptr);
        QVERIFY(LabelTexts(card).contains("<h3>x.sor</h3>"));
    }
    // As an editor the name is the editable base name.
    QWidget parent;
    CFileListElementWidget editor(0, CFileListElementWidget::cSelected, record, &parent);
    QVERIFY(editor.GetNameEditor());
    QCOMPARE(editor.GetEditedName(), QString("x"));
    QCOMPARE(editor.focusProxy(), static_cast<QWidget*>(editor.GetNameEditor()));
}

void TestListEntries::cardShowsLayoutOperatorAndSwatch()
{
    const QString earlier = QUORVANE_TESTDATA "/sor/demo_ab.sor";
    if (!QFile::exists(earlier))
        QSKIP("foreign sample traces are not in this clone");
    QVERIFY(QFile::copy(earlier, fx.Path("old.sor")));
    fx.Load({"new.sor"});
    const QSharedPointer<tListedFile> later = fx.list->GetListedFile(0);
    const QSharedPointer<tListedFile> older = fx.list->GetListedFile(1);
    QVERIFY(later->GetFile()->IsVersion2());
    QVERIFY(!older->GetFile()->IsVersion2());

    const QString versionLabel = "<h4><i>&nbsp;v2.0</i></h4>";
    later->GetFile()->GetGeneralParameters()->Operator.SetValue(QString());
    {
        CFileListElementWidget card(0, 0, later, nullptr);
        LayOut(card);
        QVERIFY(LabelTexts(card).contains(versionLabel));
        QCOMPARE(LabelTexts(card).size(), 4); // number, name, version, date
        QVERIFY(!card.findChild<CColorBox*>());
        QCOMPARE(card.findChild<CGraphWidget*>()->width(), BottomWidth(card));
    }
    older->GetFile()->GetGeneralParameters()->Operator.SetValue("<b>Ivanov</b>");
    older->ColorNumber = 2;
    older->Color = Qt::darkYellow;
    {
        CFileListElementWidget card(1, 0, older, nullptr);
        LayOut(card);
        QVERIFY(!LabelTexts(card).contains(versionLabel));
        QVERIFY(LabelTexts(card).contains("<b>Ivanov</b>"));
        for (const QLabel* label : card.findChildren<QLabel*>())
            if (label->text() == "<b>Ivanov</b>")
                QCOMPARE(label->textFormat(), Qt::PlainText);
        CColorBox* swatch = card.findChild<CColorBox*>();
        QVERIFY(swatch);
        QCOMPARE(swatch->size(), QSize(10, 10));
        QCOMPARE(swatch->grab().toImage().pixelColor(5, 5), QColor(Qt::darkYellow));
        QCOMPARE(card.findChild<CGraphWidget*>()->width(), BottomWidth(card) - 10 - 3);
    }
}

void TestListEntries::toolTipNamesFile()
{
    fx.Load({"x.sor"});
    fx.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fx.window));
    auto* delegate = qobject_cast<CFileListElementDelegate*>(fx.list->itemDelegate());
    QVERIFY(delegate);
    const QModelIndex index = fx.list->model()->index(0, 0);
    QStyleOptionViewItem option;
    option.rect = fx.list->visualRect(index);

    for (bool bChanged : {true, false}) {
        fx.list->GetFile(0)->SetChanged(bChanged);
        QHelpEvent event(QEvent::ToolTip, option.rect.center(), fx.list->viewport()->mapToGlobal(option.rect.center()));
        QVERIFY(delegate->helpEvent(&event, fx.list.get(), option, index));
        QCOMPARE(QToolTip::text(), QString(bChanged ? "* x.sor" : "x.sor"));
        QVERIFY(QToolTip::isVisible());
        QToolTip::hideText();
    }
    fx.window.hide();
}

void TestListEntries::thumbnailDrawsTraceAndLabels()
{
    // Levels rise from half the height on the left to the bottom on the right,
    // which leaves the upper left quarter to the background.
    const auto file = TraceBuilder(10000, 10.0, 1.5f).PulseWidth(1000).Flat(20000).Slope(1.0).Build();
    const QSharedPointer<tListedFile> record = Record(file);
    record->Color = Qt::red;
    QCOMPARE(CGraphWidget::Labels(*record), QStringList({QString::fromUtf8("τ=1000ns"), QString::fromUtf8("λ=1550nm"),
                                                         "L=19.986km", "k=1.5"}));

    CGraphWidget graph(record, nullptr);
    graph.resize(300, 100);
    const QImage image = graph.grab().toImage();
    const QColor background = CMainOpt::Instance()->GetBackgroundColor();
    QCOMPARE(image.pixelColor(20, 10), background);
    QCOMPARE(image.pixelColor(0, 50), graph.palette().color(QPalette::WindowText)); // the frame
    // The trace crosses every column in its colour.
    int columns = 0;
    for (int x = 1; x < 299; ++x) {
        bool bHit = false;
        for (int y = 1; y < 99 && !bHit; ++y)
            bHit = image.pixelColor(x, y) == QColor(Qt::red);
        columns += bHit;
    }
    QVERIFY2(columns > 290, qPrintable(QString::number(columns)));

    // Two columns at the top right, 5 px from the edge and from each other.
    const QRect target(1, 1, 298, 98);
    const QList<QPoint> places =
        CGraphWidget::LabelPlaces(target, {QSize(60, 14), QSize(70, 14), QSize(80, 14), QSize(40, 14)});
    QCOMPARE(places, QList<QPoint>({QPoint(299 - 70 - 5, 1), QPoint(299 - 70 - 5, 15), QPoint(224 - 80 - 5, 1),
                                    QPoint(224 - 80 - 5, 15)}));
    // Text lands in the top right corner, none at the left.
    auto textIn = [&image, &background](const QRect& area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c != background && c != QColor(Qt::red);
            }
        return n;
    };
    QList<QSize> sizes;
    for (const QString& label : CGraphWidget::Labels(*record))
        sizes << graph.fontMetrics().size(Qt::TextSingleLine, label);
    const int left = CGraphWidget::LabelPlaces(QRect(1, 1, 298, 98), sizes).at(2).x();
    const int bottom = 1 + sizes[0].height() + sizes[1].height();
    QVERIFY(left > 10);
    QVERIFY(textIn(QRect(left, 1, 299 - left, bottom)) > 20);
    QCOMPARE(textIn(QRect(1, 1, left - 2, bottom)), 0);
    QCOMPARE(textIn(QRect(1, bottom + 2, 100, 20)), 0);
}

void TestListEntries::thumbnailDrawsTheTraceWithDrawTrace_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("width");
    QTest::newRow("fewer samples than columns") << 150 << 300;
    QTest::newRow("nine per column") << 2700 << 300;
    QTest::newRow("many per column") << 25000 << 297;
    QTest::newRow("very many per column") << 250000 << 280;
}

void TestListEntries::thumbnailDrawsTheTraceWithDrawTrace()
{
    QFETCH(int, points);
    QFETCH(int, width);
    // From half the height down to the bottom, with noise, a reflection and
    // a step, clear of the labels in the top right corner.
    TraceBuilder builder(points, 10.0 * 25000 / points);
    builder.Flat(20000).Slope(0.7).Noise(400, 7).Peak(20000, 4000, points / 500 + 1).Step(30000, 2000);
    const QSharedPointer<tListedFile> record = Record(builder.Build());
    record->Color = Qt::red;
    const sor::IFileView* view = record->GetView();

    CGraphWidget graph(record, nullptr);
    graph.resize(width + 2, 100);
    const QImage thumbnail = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRect target(1, 1, width, 98);
    QImage expected(width + 2, 100, QImage::Format_RGB32);
    expected.fill(CMainOpt::Instance()->GetBackgroundColor());
    QPainter painter(&expected);
    DrawTrace(&painter, view, QRectF(0, 0, view->GetLength(), view->GetMaxDataPoint()), target,
              Qt::red, false);
    painter.end();

    int traced = 0;
    int differing = 0;
    for (int y = target.top(); y <= target.bottom(); ++y)
        for (int x = target.left(); x <= target.right(); ++x) {
            const bool bThumbnail = thumbnail.pixelColor(x, y) == QColor(Qt::red);
            traced += bThumbnail;
            differing += bThumbnail != (expected.pixelColor(x, y) == QColor(Qt::red));
        }
    QVERIFY2(traced > width, qPrintable(QString::number(traced)));
    QVERIFY2(differing == 0, qPrintable(QString("%1 of %2 pixels differ").arg(differing).arg(traced)));
}

void TestListEntries::grabsListOfEntries()
{
    const QString earlier = QUORVANE_TESTDATA "/sor/demo_ab.sor";
    const bool bEarlier = QFile::copy(earlier, fx.Path("e_earlier.sor"));
    fx.Load({"a_current.sor", "b_selected.sor", "c_compared.sor", "d_changed.sor"});
    fx.list->GetFile(2)->GetGeneralParameters()->Operator.SetValue("Ivanov");
    fx.window.resize(320, 720);
    fx.list->setGeometry(0, 0, 300, 720);
    fx.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&fx.window));

    fx.list->SelectRow(2);
    fx.list->ToggleCompare();
    fx.list->SelectRow(0);
    fx.list->item(1)->setSelected(true);
    fx.list->GetFile(3)->SetChanged(true);
    QApplication::setActiveWindow(&fx.window);
    fx.list->setFocus();
    QTRY_VERIFY(fx.list->hasFocus());

    const QImage image = fx.list->grab().toImage();
    const QString path = QCoreApplication::applicationDirPath() + "/filelist-entries.png";
    QVERIFY(image.save(path));
    QCOMPARE(fx.list->GetCount(), bEarlier ? 5 : 4);
    // The current, focused and selected card wears the highlight.
    const QRect first = fx.list->visualItemRect(fx.list->item(0));
    const QPoint inBand(first.left() + 4, first.center().y());
    const QColor band = image.pixelColor(inBand * image.devicePixelRatio());
    const QColor highlight = fx.list->style()->standardPalette().color(QPalette::Highlight);
    QVERIFY2(qAbs(band.red() - highlight.red()) + qAbs(band.green() - highlight.green())
                     + qAbs(band.blue() - highlight.blue()) <= 6,
             qPrintable(band.name()));
    fx.list->GetFile(3)->SetChanged(false);
    fx.window.hide();
}

QTEST_MAIN(TestListEntries)
#include "tst_listentries.moc"
