#include "support/LogCatcher.h"
#include "support/TraceBuilder.h"

#include "core/Format.h"
#include "core/Validator.h"
#include "filelist/ViewFile.h"
#include "graph/GraphDlg.h"
#include "graph/GraphModel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString kTwoMarkers = QStringLiteral("Измерения (2 маркера)");
const QString kReflective = QStringLiteral("Отражение с потерями (5 маркеров)");
const QString kJunction = QStringLiteral("Потери в соединении (5 маркеров)");

// One trace shown in a view state with a window, as the file list leaves it.
struct tShownTrace
{
    explicit tShownTrace(const QSharedPointer<sor::CFile>& file) : file(file)
    {
        set.push_back(QSharedPointer<tListedFile>::create(file));
        model.SetWindowSize(QSize(800, 400));
        model.SetData(&set);
    }
    CCursors* Cursors() const { return model.GetCursors(); }

    QSharedPointer<sor::CFile> file;
    tListedFiles set;
    CGraphModel model;
};

// The panel in a window next to another edit that can take the focus.
struct tPanelWindow
{
    explicit tPanelWindow(CGraphModel* model) : panel(new CGraphDlg(model, &window))
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(panel);
        layout->addWidget(other = new QLineEdit(&window));
    }
    template <class T = QLineEdit>
    T* Get(const char* name) const
    {
        T* w = panel->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    bool Shown(const char* name) const { return !Get<QWidget>(name)->isHidden(); }

    QWidget window;
    CGraphDlg* panel;
    QLineEdit* other = nullptr;
};

// Flat at 5000 up to 2000 m, 5600 from there on; 5000 points of ~2 m.
QSharedPointer<sor::CFile> SteppedTrace()
{
    return TraceBuilder(5000).Flat(5000).Step(2000, 600).Build();
}

// Key by key, as a user types; also characters QTest has no key code for.
void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void SaveGrab(QWidget* w, const QString& name)
{
    // adjustSize would stop at two thirds of the small offscreen screen.
    w->window()->resize(w->window()->sizeHint());
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/grabs");
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + QLatin1Char('/') + name));
}

} // namespace

class TestGraphDlg : public QObject
{
    Q_OBJECT

private slots:
    void formAfterSetUp();
    void infoButtonReachesReceiver();
    void measuresBetweenTwoMarkers_data();
    void measuresBetweenTwoMarkers();
    void swappedMarkersKeepDistancePositive();
    void approximationControls();
    void showsRowsByMode();
    void hidesWithoutTraceToMeasure();
    void typedMarkerDistance_data();
    void typedMarkerDistance();
    void escapeDiscardsTypedText();
    void storesTypedComment_data();
    void storesTypedComment();
    void commentRefusesCharactersTheFileCannotHold();
    void refusedCommentStoresNothing();
    void refreshesKeepOneCommentValidator();
};

void TestGraphDlg::formAfterSetUp()
{
    CGraphModel model;
    tPanelWindow w(&model);
    CGraphDlg* panel = w.panel;

    QCOMPARE(w.Get<QGroupBox>("gb_LeftMarker")->title(), QStringLiteral("Left marker"));
    QCOMPARE(w.Get<QLabel>("mText4")->text(), QStringLiteral("db/Km"));
    QCOMPARE(w.Get<QLabel>("label_9")->text(), QStringLiteral("ns "));
    QCOMPARE(w.Get<QLabel>("label_10")->text(), QStringLiteral("s   "));
    QCOMPARE(w.Get<QPushButton>("btnComment")->text(), QStringLiteral("Info"));
    auto* combo = w.Get<QComboBox>("comboApproximationMode");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("2P"));
    QCOMPARE(combo->itemText(1), QStringLiteral("LSA"));
    QCOMPARE(combo->currentIndex(), 0);
    auto* check = w.Get<QCheckBox>("checkShowApproxLine");
    QVERIFY(!check->isChecked());
    QCOMPARE(check->text(), QStringLiteral("Показать линию"));
    QCOMPARE(check->layoutDirection(), Qt::RightToLeft);

    const QStringList tabOrder{"sComment", "btnComment", "lPos", "rPos", "iNumOfOver",
                               "iResolution", "iGroupIndex", "iDiapasone", "lVal", "rVal",
                               "mDistance", "mLoss", "mAttCoeff", "mPosition", "mbAttenuation",
                               "mrReflectance", "iWaveLength", "iPulseWidth"};
    QStringList chain;
    QWidget* next = w.Get<QWidget>("sComment");
    do {
        if (qobject_cast<QLineEdit*>(next) || qobject_cast<QPushButton*>(next))
            chain << next->objectName();
        next = next->nextInFocusChain();
    } while (next != w.Get<QWidget>("sComment") && chain.size() < tabOrder.size());
    QCOMPARE(chain, tabOrder);

    QStringList typeable;
    for (QLineEdit* edit : panel->findChildren<QLineEdit*>())
        if (edit->isEnabled() && !edit->isReadOnly())
            typeable << edit->objectName();
    typeable.sort();
    QCOMPARE(typeable, (QStringList{"lPos", "rPos", "sComment"}));
    QCOMPARE(panel->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.Get<QWidget>("btnComment")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.Get<QWidget>("lPos")->focusPolicy(), Qt::ClickFocus);

    QCOMPARE(panel->minimumWidth(), 415);
    QCOMPARE(panel->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(panel->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    for (const char* name : {"label", "iWaveLength", "label_8", "label_6", "iResolution",
                             "label_11", "label_2", "iPulseWidth", "label_9", "label_5",
                             "iGroupIndex", "label_12", "label_3", "iNumOfOver", "label_10",
                             "label_4", "iDiapasone", "label_13"})
        QVERIFY2(!w.Shown(name), name);
    QVERIFY(w.Shown("sComment"));
    QVERIFY(panel->isHidden());
}

void TestGraphDlg::infoButtonReachesReceiver()
{
    CGraphModel model;
    tPanelWindow w(&model);
    QAction receiver(nullptr);
    QSignalSpy triggered(&receiver, &QAction::triggered);
    w.panel->ConnectInfoButton(&receiver, SLOT(trigger()));

    w.Get<QPushButton>("btnComment")->click();

    QCOMPARE(triggered.count(), 1);
}

void TestGraphDlg::measuresBetweenTwoMarkers_data()
{
    QTest::addColumn<bool>("bFlat");
    QTest::addColumn<int>("lineType");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("loss");

    QTest::newRow("trace levels") << false << 0 << "-5.00" << "-5.60" << "0.600";
    QTest::newRow("fitted line on a flat trace") << true << 1 << "-5.00" << "-5.00" << "0.000";
}

void TestGraphDlg::measuresBetweenTwoMarkers()
{
    QFETCH(bool, bFlat);
    QFETCH(int, lineType);
    tShownTrace shown(bFlat ? TraceBuilder(5000).Flat(5000).Build() : SteppedTrace());
    tPanelWindow w(&shown.model);
    shown.Cursors()->GetLeftMarker()->MoveTo(1234.5f);
    shown.Cursors()->GetRightMarker()->MoveTo(3000.0f);
    w.Get<QComboBox>("comboApproximationMode")->setCurrentIndex(lineType);

    w.panel->OnUpdateValues();

    QVERIFY(!w.panel->isHidden());
    QCOMPARE(w.Get("lPos")->text(), QStringLiteral("1.2345"));
    QCOMPARE(w.Get("rPos")->text(), QStringLiteral("3.0000"));
    QTEST(w.Get("lVal")->text(), "left");
    QTEST(w.Get("rVal")->text(), "right");
    QCOMPARE(w.Get("mDistance")->text(), QStringLiteral("1.7655"));
    QTEST(w.Get("mLoss")->text(), "loss");
    QCOMPARE(w.Get("mAttCoeff")->text(), FormatLoss(shown.Cursors()->GetAttenuation()));
}

void TestGraphDlg::swappedMarkersKeepDistancePositive()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    // Unlinked placement: a linked move would push the other marker along.
    shown.Cursors()->GetLeftMarker()->SetPosition(3000.0f);
    shown.Cursors()->GetRightMarker()->SetPosition(1234.5f);

    w.panel->OnUpdateValues();

    QCOMPARE(w.Get("mDistance")->text(), QStringLiteral("1.7655"));
    QCOMPARE(w.Get("mLoss")->text(), QStringLiteral("-0.600"));
}

void TestGraphDlg::approximationControls()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    shown.Cursors()->GetLeftMarker()->MoveTo(1000.0f);
    shown.Cursors()->GetRightMarker()->MoveTo(3000.0f);
    w.panel->OnUpdateValues();
    QSignalSpy updates(w.panel, &CGraphDlg::sigUpdate);

    w.Get("lVal")->setText(QStringLiteral("untouched"));
    w.Get<QCheckBox>("checkShowApproxLine")->setChecked(true);
    QVERIFY(shown.model.IsShowMarkerLine());
    QCOMPARE(updates.count(), 1);
    QCOMPARE(w.Get("lVal")->text(), QStringLiteral("untouched"));

    w.Get<QComboBox>("comboApproximationMode")->setCurrentIndex(1);
    QCOMPARE(shown.model.GetMarkerLineType(), 1);
    QCOMPARE(updates.count(), 2);
    const tLine& line = shown.Cursors()->GetMarkerLine();
    const float xL = shown.Cursors()->GetLeftMarker()->GetPosition();
    QCOMPARE(w.Get("lVal")->text(),
             QString::number((xL * line.Slope + line.Intercept) / -1000.0f, 'f', 2));
}

void TestGraphDlg::showsRowsByMode()
{
    tShownTrace shown(TraceBuilder(5000)
                          .Flat(5000)
                          .Slope(0.3)
                          .Peak(4000, 3000, 3)
                          .Step(4010, 400)
                          .Event(4000, 1)
                          .Event(7000, 0)
                          .Step(7000, 300)
                          .Build());
    tPanelWindow w(&shown.model);
    w.window.show();
    const char* positionRow[] = {"mText1", "mPosition", "mText2"};
    const char* attenuationRow[] = {"maText1", "mbAttenuation", "maText2"};
    const char* reflectanceRow[] = {"mrText1", "mrReflectance", "mrText2"};
    auto rowShown = [&w](const char* const(&row)[3]) {
        return w.Shown(row[0]) && w.Shown(row[1]) && w.Shown(row[2]);
    };
    auto rowHidden = [&w](const char* const(&row)[3]) {
        return !w.Shown(row[0]) && !w.Shown(row[1]) && !w.Shown(row[2]);
    };
    auto* title = w.Get<QGroupBox>("groupBox_2");

    w.panel->OnUpdateValues();
    QCOMPARE(title->title(), kTwoMarkers);
    QVERIFY(w.Shown("mDistance") && w.Shown("mLoss") && w.Shown("mAttCoeff"));
    QVERIFY(rowHidden(positionRow) && rowHidden(attenuationRow) && rowHidden(reflectanceRow));
    SaveGrab(w.panel, QStringLiteral("panel-two-markers.png"));

    CCursors* cursors = shown.Cursors();
    cursors->BeginEditEvent(0, 1, false);
    w.panel->OnUpdateValues();
    QCOMPARE(title->title(), kReflective);
    QVERIFY(rowShown(positionRow) && rowShown(reflectanceRow) && rowHidden(attenuationRow));
    QCOMPARE(w.Get("mPosition")->text(),
             QString::number(cursors->GetCenterCursor()->GetPosition() / 1000, 'f', 4));
    QCOMPARE(w.Get("mrReflectance")->text(),
             FormatReflectance(cursors->GetEditedEvent().Reflectance.GetValue()));
    QVERIFY(!w.Get("mrReflectance")->text().isEmpty());
    SaveGrab(w.panel, QStringLiteral("panel-five-markers.png"));

    // The event turns into a junction while its edit lasts.
    cursors->SetEditedEventType(2, false);
    w.panel->OnUpdateValues();
    QCOMPARE(title->title(), kJunction);
    QVERIFY(rowShown(positionRow) && rowShown(attenuationRow) && rowHidden(reflectanceRow));
    QCOMPARE(w.Get("mbAttenuation")->text(),
             FormatLoss(cursors->GetEditedEvent().EventLoss.GetValue()));
    cursors->EndEditEvent(false);

    cursors->BeginEditEvent(1, 0, false);
    w.panel->OnUpdateValues();
    QCOMPARE(title->title(), kJunction);
    QVERIFY(rowShown(attenuationRow) && rowHidden(reflectanceRow));
    cursors->EndEditEvent(false);

    w.panel->OnUpdateValues();
    QCOMPARE(title->title(), kTwoMarkers);
    QVERIFY(w.Shown("mAttCoeff"));
    QVERIFY(rowHidden(positionRow) && rowHidden(attenuationRow) && rowHidden(reflectanceRow));
}

void TestGraphDlg::hidesWithoutTraceToMeasure()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    w.panel->OnUpdateValues();
    QVERIFY(!w.panel->isHidden());

    // A live instrument trace: nothing to measure on.
    tListedFiles live;
    live.push_back(QSharedPointer<tListedFile>::create(QSharedPointer<sor::IFileView>(
        new FakeFileView(std::vector<quint16>(1000, 5000), 2.0))));
    shown.model.SetData(&live);
    w.panel->OnUpdateValues();
    QVERIFY(w.panel->isHidden());

    shown.model.SetData(&shown.set);
    w.panel->OnUpdateValues();
    QVERIFY(!w.panel->isHidden());

    // The last file closed; a refresh from the focus handling keeps it hidden.
    tListedFiles empty;
    shown.model.SetData(&empty);
    QSignalSpy updates(w.panel, &CGraphDlg::sigUpdate);
    w.panel->OnClearFocus();
    QVERIFY(w.panel->isHidden());
    QCOMPARE(updates.count(), 1);

    const float before = shown.Cursors()->GetLeftMarker()->GetBasePosition();
    w.Get("lPos")->setText(QStringLiteral("1"));
    w.panel->OnUpdateEdits();
    QCOMPARE(shown.Cursors()->GetLeftMarker()->GetBasePosition(), before);
}

void TestGraphDlg::typedMarkerDistance_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("expected"); // metres; negative: the marker stays

    QTest::newRow("point") << "2.5" << 2500.0f;
    QTest::newRow("comma") << "1,5" << -1.0f;
    QTest::newRow("nan") << "nan" << -1.0f;
    QTest::newRow("inf") << "inf" << -1.0f;
    QTest::newRow("overflow") << "1e38" << -1.0f;
    QTest::newRow("empty") << "" << -1.0f;
}

void TestGraphDlg::typedMarkerDistance()
{
    QFETCH(QString, typed);
    QFETCH(float, expected);
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    CCursors::CEditableCursor* marker = shown.Cursors()->GetLeftMarker();
    marker->MoveTo(1000.0f);
    w.panel->OnUpdateValues();
    const float before = marker->GetPosition();

    // What the edit shows when the panel reports the move.
    QStringList shownAtMove;
    connect(w.panel, &CGraphDlg::sigCursorMoved,
            [&] { shownAtMove << w.Get("lPos")->text(); });
    LogCatcher log;
    TypeInto(w.Get("lPos"), typed);
    QTest::keyClick(w.Get("lPos"), Qt::Key_Return);
    QCOMPARE(log.Texts(QtCriticalMsg), QStringList());

    const float now = marker->GetPosition();
    if (expected < 0)
        QCOMPARE(now, before);
    else
        QVERIFY2(qAbs(now - expected) < 0.01f, qPrintable(QString::number(now)));
    QVERIFY(std::isfinite(shown.Cursors()->GetAttenuation()));
    const QString real = QString::number(now / 1000, 'f', 4);
    QCOMPARE(w.Get("lPos")->text(), real);
    QCOMPARE(shownAtMove, QStringList{real});
}

void TestGraphDlg::escapeDiscardsTypedText()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    w.panel->OnUpdateValues();
    w.window.show();
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    const QString current = w.Get("rPos")->text();

    QLineEdit* rPos = w.Get("rPos");
    rPos->setFocus();
    QVERIFY(rPos->hasFocus());
    TypeInto(rPos, QStringLiteral("9.99"));
    QTest::keyClick(rPos, Qt::Key_Escape);

    QCOMPARE(rPos->text(), current);
    QVERIFY(!rPos->hasFocus());
    QVERIFY(!w.panel->isHidden());
}

void TestGraphDlg::storesTypedComment_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("bStored");

    QTest::newRow("100 characters") << QString(100, QLatin1Char('c')) << true;
    QTest::newRow("Cyrillic") << QStringLiteral("муфта на опоре 12") << true;
    QTest::newRow("unchanged") << QStringLiteral("as loaded") << false;
}

void TestGraphDlg::storesTypedComment()
{
    QFETCH(QString, typed);
    QFETCH(bool, bStored);
    tShownTrace shown(SteppedTrace());
    shown.file->GetGeneralParameters()->Comment.SetValue(QStringLiteral("as loaded"));
    tPanelWindow w(&shown.model);
    w.panel->OnUpdateValues();
    QSignalSpy changes(shown.file.data(), &sor::CFile::sigFileChanged);

    // A marker typed first is applied by the Return in the comment.
    w.Get("lPos")->setText(QStringLiteral("2.5"));
    QLineEdit* comment = w.Get("sComment");
    TypeInto(comment, typed);
    QCOMPARE(comment->text(), typed);
    QTest::keyClick(comment, Qt::Key_Return);

    QCOMPARE(shown.file->GetGeneralParameters()->Comment.GetValue(), typed);
    QCOMPARE(shown.file->IsChanged(), bStored);
    QCOMPARE(changes.count(), bStored ? 1 : 0);
    if (bStored) {
        QCOMPARE(changes.at(0).at(0).toBool(), true);
        QVERIFY(!shown.file->GetGeneralParameters()->Comment.GetLineEdit());
    }
    QVERIFY(qAbs(shown.Cursors()->GetLeftMarker()->GetPosition() - 2500.0f) < 0.01f);
}

void TestGraphDlg::refusedCommentStoresNothing()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    w.panel->OnUpdateValues();
    QSignalSpy changes(shown.file.data(), &sor::CFile::sigFileChanged);
    QLineEdit* comment = w.Get("sComment");

    // Typing stops at the limit...
    TypeInto(comment, QString(101, QLatin1Char('x')));
    QCOMPARE(comment->text().size(), 100);
    // ...and a longer text put there otherwise is refused when read back.
    comment->setText(QString(101, QLatin1Char('x')));
    comment->setModified(true);
    QTest::keyClick(comment, Qt::Key_Return);
    w.panel->OnUpdateEdits();

    QVERIFY(shown.file->GetGeneralParameters()->Comment.GetValue().isEmpty());
    QVERIFY(!shown.file->IsChanged());
    QCOMPARE(changes.count(), 0);
}

void TestGraphDlg::commentRefusesCharactersTheFileCannotHold()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    w.panel->OnUpdateValues();
    QLineEdit* comment = w.Get("sComment");
    comment->setFocus();
    const QString hint = QString::fromUtf8("These characters can't be saved in the trace file: \u00e9 \u00fc");

    // The trace's 8-bit code page has no "é" nor "ü": typed, they are refused
    // and named beside the edit...
    for (const QChar c : QString::fromUtf8("\u00e9\u00fc"))
        QTest::sendKeyEvent(QTest::Click, comment, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QVERIFY(comment->text().isEmpty());
    QVERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().startsWith("These characters can't be saved in the trace file: "),
             qPrintable(QToolTip::text()));
    // ...and a text holding them, put there otherwise, is not stored.
    comment->setText(QString::fromUtf8("\u00e9 \u00fc"));
    comment->setModified(true);
    QString shownHint;
    auto* validator = dynamic_cast<const CType::CValidator*>(comment->validator());
    QVERIFY(validator);
    validator->Check(comment->text(), &shownHint);
    QCOMPARE(shownHint, hint);
    w.panel->OnUpdateEdits();
    QVERIFY(shown.file->GetGeneralParameters()->Comment.GetValue().isEmpty());
    QVERIFY(!shown.file->IsChanged());
}

void TestGraphDlg::refreshesKeepOneCommentValidator()
{
    tShownTrace shown(SteppedTrace());
    tPanelWindow w(&shown.model);
    // Every cursor move refreshes the panel.
    for (int i = 0; i < 50; ++i)
        w.panel->OnUpdateValues();

    QLineEdit* comment = w.Get("sComment");
    QCOMPARE(comment->findChildren<QValidator*>().size(), 1);
    QCOMPARE(comment->findChild<QValidator*>(), comment->validator());
}

QTEST_MAIN(TestGraphDlg)
#include "tst_graphdlg.moc"
