#include "app/MainOpt.h"
#include "app/Settings.h"
#include "app/SystemError.h"
#include "resources/Resources.h"
#include "support/LogCatcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Plays the user's part in nested modal dialogs: each step waits for a
// visible modal widget of its class and then acts on it from the event
// loop, so that the action may open further modal dialogs.
class ModalScript : public QObject
{
public:
    struct tStep
    {
        const char* ClassName;
        std::function<void(QWidget*)> Act;
    };

    explicit ModalScript(QList<tStep> steps) : steps(std::move(steps))
    {
        connect(&timer, &QTimer::timeout, this, &ModalScript::Poll);
        timer.start(5);
    }

    bool IsDone() const { return steps.isEmpty(); }
    // Boxes that came up without a step waiting for them; they are closed.
    QStringList unexpected;

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == busy)
            return;
        // A failed check inside a step must not leave the test waiting on a dialog.
        if (QTest::currentTestFailed()) {
            steps.clear();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
            return;
        }
        if (!steps.isEmpty() && modal->inherits(steps.first().ClassName)) {
            busy = modal;
            const tStep step = steps.takeFirst();
            QTimer::singleShot(0, modal, [this, step, modal] {
                step.Act(modal);
                busy = nullptr;
            });
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            unexpected << box->windowTitle();
            box->done(0);
        }
    }

    QList<tStep> steps;
    QTimer timer;
    QWidget* busy = nullptr;
};

template <class T>
T* Child(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    Child<QDialogButtonBox>(dialog, "buttonBox")->button(which)->click();
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void showsTheOptions();
    void reportsLanguageChange_data();
    void reportsLanguageChange();
    void enterAfterKeyboardChoiceAccepts();
    void cancelKeepsEverything();
    void appliesPickedBackground();
    void changesFileAssociation_data();
    void changesFileAssociation();
    void reportsAssociationFailures();
    void showsExceptionsInCriticalBox();

private:
    std::unique_ptr<CMainOpt> NewOptions() { return std::make_unique<CMainOpt>(&parent); }
    QSettings UserFile() const { return QSettings(GetSettings(0, 0)->fileName(), QSettings::IniFormat); }
    static QString Clicking(QDialogButtonBox::StandardButton which, QWidget* dialog)
    {
        Press(dialog, which);
        return QString();
    }

    QTemporaryDir dir;
    QWidget parent;
};

void TestOptionsDialog::initTestCase()
{
    QVERIFY(dir.isValid());
    InitResources();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("user"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath("system"));
    QCoreApplication::setOrganizationName("TestOrganisation");
    QCoreApplication::setApplicationName("TestOptionsDialog");
    qputenv("XDG_DATA_DIRS", dir.filePath("systemdata").toUtf8());
    // Accepting an association leaves the desktop tools running: they would
    // still be writing into the folders when these go.
    qputenv("PATH", dir.filePath("no-tools").toUtf8());
}

void TestOptionsDialog::init()
{
    GetSettings(0, 0)->clear();
    GetSettings(0, 1)->clear();
    // Every case starts with fresh desktop folders.
    const QString data = dir.filePath(QString("data-%1").arg(QTest::currentDataTag()).append(QTest::currentTestFunction()));
    qputenv("XDG_DATA_HOME", (data + "/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (data + "/config").toUtf8());
}

void TestOptionsDialog::showsTheOptions()
{
    QSettings* s = GetSettings(0, 0);
    s->setValue("Setup/LanguageName", "Русский");
    s->setValue("Options/bNeedAckFileDeletion", false);
    s->setValue("Options/bNeedDeleteLoadedFiles", true);
    s->setValue("Options/bEnableServiceInfoEditing", true);
    auto opt = NewOptions();

    QStringList tabOrder;
    ModalScript script({{"CMainOpt", [&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Program options"));
        QCOMPARE(dialog->size(), QSize(673, 251));
        auto* language = Child<QComboBox>(dialog, "Language");
        QCOMPARE(language->count(), 2);
        QCOMPARE(language->itemText(0), QString("English"));
        QCOMPARE(language->itemText(1), QString("Русский"));
        QCOMPARE(language->currentText(), QString("Русский"));
        QVERIFY(language->isVisible());
        QVERIFY(!Child<QCheckBox>(dialog, "bAutoConnectToDevice")->isVisible());
        QVERIFY(!Child<QCheckBox>(dialog, "bNeedAckFileDeletion")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog, "bNeedDeleteLoadedFiles")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog, "bEnableServiceInfoEditing")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog, "bAssociateFiles")->isChecked());
        const QStringList named{"Language", "bNeedAckFileDeletion", "bAutoConnectToDevice", "bNeedDeleteLoadedFiles",
                                "bEnableServiceInfoEditing", "AdjustBackground", "buttonBox"};
        for (QWidget* w = language; tabOrder.size() < named.size(); w = w->nextInFocusChain())
            if (named.contains(w->objectName()) && !tabOrder.contains(w->objectName()))
                tabOrder << w->objectName();
        QVERIFY(dialog->grab().save(QDir::current().filePath("optionsdialog.png")));
        Press(dialog, QDialogButtonBox::Cancel);
    }}});
    QCOMPARE(opt->exec(), 0);
    QVERIFY(script.IsDone());
    QCOMPARE(tabOrder, QStringList({"Language", "bNeedAckFileDeletion", "bAutoConnectToDevice",
                                    "bNeedDeleteLoadedFiles", "bEnableServiceInfoEditing", "AdjustBackground",
                                    "buttonBox"}));
}

void TestOptionsDialog::reportsLanguageChange_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<bool>("bBox");
    QTest::newRow("unchanged") << "English" << "" << "English" << false;
    QTest::newRow("unknown catalogue") << "Klingon" << "" << "English" << true;
    QTest::newRow("fresh system") << "" << "" << "English" << true;
    QTest::newRow("another picked") << "English" << "Русский" << "English" << true;
}

void TestOptionsDialog::reportsLanguageChange()
{
    QFETCH(QString, stored);
    QFETCH(QString, choice);
    QFETCH(QString, preselected);
    QFETCH(bool, bBox);
    if (!stored.isEmpty())
        GetSettings(0, 0)->setValue("Setup/LanguageName", stored);
    auto opt = NewOptions();
    opt->SetOrganization("saved on accept");
    const QString manual = opt->GetManualPath();

    QString shownLanguage;
    QString boxText;
    QList<ModalScript::tStep> steps{{"CMainOpt", [&](QWidget* dialog) {
        auto* language = Child<QComboBox>(dialog, "Language");
        shownLanguage = language->currentText();
        if (!choice.isEmpty())
            language->setCurrentText(choice);
        Press(dialog, QDialogButtonBox::Ok);
    }}};
    if (bBox)
        steps << ModalScript::tStep{"QMessageBox", [&](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            boxText = box->windowTitle() + "|" + box->text();
            QCOMPARE(box->icon(), QMessageBox::Information);
            // The name is stored only once the user has seen the box.
            QCOMPARE(UserFile().value("Setup/LanguageName").toString(), stored);
            box->done(QMessageBox::Ok);
        }};
    LogCatcher log;
    ModalScript script(steps);
    QCOMPARE(opt->exec(), 1);
    QVERIFY(script.IsDone());
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(shownLanguage, preselected);
    QCOMPARE(boxText, bBox ? QString("Language changed|Please restart program for apply language changes.") : QString());
    const QString expected = choice.isEmpty() ? preselected : choice;
    QCOMPARE(opt->GetLanguageName(), expected);
    QSettings file = UserFile();
    QCOMPARE(file.value("Setup/LanguageName").toString(), expected);
    QCOMPARE(file.value("Options/Organization").toString(), QString("saved on accept"));
    // The interface keeps its language until the restart the box asks for.
    QCOMPARE(opt->GetManualPath(), manual);
}

void TestOptionsDialog::enterAfterKeyboardChoiceAccepts()
{
    GetSettings(0, 0)->setValue("Setup/LanguageName", "English");
    auto opt = NewOptions();
    // A colour chooser that comes up instead is closed with the options dialog
    // and remembered, so the test fails rather than waits.
    bool bChooserShown = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (auto* chooser = opt->findChild<QColorDialog*>(); chooser && chooser->isVisible()) {
            bChooserShown = true;
            chooser->reject();
            opt->reject();
        }
    });
    watch.start(5);
    ModalScript script({{"CMainOpt", [](QWidget* dialog) {
        auto* language = Child<QComboBox>(dialog, "Language");
        language->setFocus();
        QTest::keyClick(language, Qt::Key_Down);
        QCOMPARE(language->currentText(), QString("Русский"));
        QTest::keyClick(language, Qt::Key_Return);
    }}});
    QCOMPARE(opt->exec(), 1);
    QVERIFY(script.IsDone());
    QVERIFY(!bChooserShown);
    QCOMPARE(opt->GetLanguageName(), QString("Русский"));
}

void TestOptionsDialog::cancelKeepsEverything()
{
    auto opt = NewOptions();
    ModalScript script({{"CMainOpt", [](QWidget* dialog) {
                            Child<QCheckBox>(dialog, "bNeedAckFileDeletion")->setChecked(false);
                            Child<QCheckBox>(dialog, "bAssociateFiles")->setChecked(true);
                            Child<QComboBox>(dialog, "Language")->setCurrentText("Русский");
                            Child<QPushButton>(dialog, "AdjustBackground")->click();
                        }},
                        {"QColorDialog", [](QWidget* w) {
                            static_cast<QColorDialog*>(w)->setCurrentColor(Qt::black);
                            static_cast<QColorDialog*>(w)->accept();
                        }},
                        {"CMainOpt", [](QWidget* dialog) { Press(dialog, QDialogButtonBox::Cancel); }}});
    QCOMPARE(opt->exec(), 0);
    QVERIFY(script.IsDone());
    QCOMPARE(opt->GetBackgroundColor(), QColor(218, 236, 255));
    QCOMPARE(opt->GetNeedAckFileDeletion(), true);
    QCOMPARE(opt->GetLanguageName(), QString());
    QVERIFY(!CMainOpt::IsFileAssociated());
    QVERIFY(UserFile().allKeys().isEmpty());
}

void TestOptionsDialog::appliesPickedBackground()
{
    GetSettings(0, 0)->setValue("Setup/LanguageName", "English");
    auto opt = NewOptions();
    auto pick = [](QColor colour, bool bAccept) {
        return ModalScript::tStep{"QColorDialog", [colour, bAccept](QWidget* w) {
            auto* dialog = static_cast<QColorDialog*>(w);
            QCOMPARE(dialog->currentColor(), QColor(218, 236, 255));
            dialog->setCurrentColor(colour);
            bAccept ? dialog->accept() : dialog->reject();
        }};
    };
    auto adjust = ModalScript::tStep{"CMainOpt", [](QWidget* dialog) {
        Child<QPushButton>(dialog, "AdjustBackground")->click();
    }};
    {
        // A colour dropped in the colour dialog leaves the previous choice.
        ModalScript script({adjust, pick(Qt::red, false),
                            {"CMainOpt", [](QWidget* dialog) { Press(dialog, QDialogButtonBox::Ok); }}});
        QCOMPARE(opt->exec(), 1);
        QVERIFY(script.IsDone());
        QCOMPARE(opt->GetBackgroundColor(), QColor(218, 236, 255));
    }
    ModalScript script({adjust, pick(Qt::black, true),
                        {"CMainOpt", [](QWidget* dialog) { Press(dialog, QDialogButtonBox::Ok); }}});
    QCOMPARE(opt->exec(), 1);
    QVERIFY(script.IsDone());
    QCOMPARE(opt->GetBackgroundColor(), QColor(Qt::black));
    QCOMPARE(opt->GetContrastColor(), QColor(255, 255, 255));
    QCOMPARE(UserFile().value("Options/GraphBackground").value<QColor>(), QColor(Qt::black));
}

void TestOptionsDialog::changesFileAssociation_data()
{
    QTest::addColumn<bool>("bBefore");
    QTest::addColumn<bool>("bTicked");
    QTest::newRow("register") << false << true;
    QTest::newRow("unregister") << true << false;
    QTest::newRow("stay registered") << true << true;
    QTest::newRow("stay unregistered") << false << false;
}

void TestOptionsDialog::changesFileAssociation()
{
    QFETCH(bool, bBefore);
    QFETCH(bool, bTicked);
    LogCatcher log;
    if (bBefore)
        CMainOpt::SetFileAssociation(true);
    GetSettings(0, 0)->setValue("Setup/LanguageName", "English");
    auto opt = NewOptions();
    bool bShownTicked = !bBefore;
    ModalScript script({{"CMainOpt", [&](QWidget* dialog) {
        auto* box = Child<QCheckBox>(dialog, "bAssociateFiles");
        bShownTicked = box->isChecked();
        box->setChecked(bTicked);
        Press(dialog, QDialogButtonBox::Ok);
    }}});
    QCOMPARE(opt->exec(), 1);
    QCOMPARE(bShownTicked, bBefore);
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(CMainOpt::IsFileAssociated(), bTicked);
}

void TestOptionsDialog::reportsAssociationFailures()
{
    LogCatcher log;
    GetSettings(0, 0)->setValue("Setup/LanguageName", "English");
    const QString blocker = dir.filePath("blocker");
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    auto opt = NewOptions();

    // The check cannot tell: reported, and the box starts unticked.
    qputenv("XDG_DATA_HOME", (blocker + "/share").toUtf8());
    QString text;
    bool bTicked = true;
    {
        ModalScript checking({{"QMessageBox", [&](QWidget* w) {
                                  auto* box = static_cast<QMessageBox*>(w);
                                  QCOMPARE(box->icon(), QMessageBox::Critical);
                                  text = box->windowTitle() + "|" + box->text();
                                  box->done(0);
                              }},
                              {"CMainOpt", [&](QWidget* dialog) {
                                  bTicked = Child<QCheckBox>(dialog, "bAssociateFiles")->isChecked();
                                  Press(dialog, QDialogButtonBox::Cancel);
                              }}});
        QCOMPARE(opt->exec(), 0);
        QVERIFY(checking.IsDone());
        QCOMPARE(text, QString("Can't determine file associations|System error #20\n\nError code is 0.272-128:459-128:520"));
        QVERIFY(!bTicked);
    }

    // The change fails: reported, and the other choices still count.
    const QString data = dir.filePath("unwritable");
    QVERIFY(QDir().mkpath(data));
    QFile(data + "/applications").open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", data.toUtf8());
    ModalScript changing({{"CMainOpt", [](QWidget* dialog) {
                              Child<QCheckBox>(dialog, "bAssociateFiles")->setChecked(true);
                              Child<QCheckBox>(dialog, "bNeedDeleteLoadedFiles")->setChecked(true);
                              Press(dialog, QDialogButtonBox::Ok);
                          }},
                          {"QMessageBox", [&](QWidget* w) {
                              auto* box = static_cast<QMessageBox*>(w);
                              text = box->windowTitle() + "|" + box->text();
                              box->done(0);
                          }}});
    QCOMPARE(opt->exec(), 1);
    QCOMPARE(changing.unexpected, QStringList());
    QVERIFY(changing.IsDone());
    QCOMPARE(text, QString("Can't configure file associations|System error #20\n\nError code is 0.272-128:454-128:563"));
    QCOMPARE(opt->GetNeedDeleteLoadedFiles(), true);
    QCOMPARE(UserFile().value("Options/bNeedDeleteLoadedFiles").toBool(), true);
}

void TestOptionsDialog::showsExceptionsInCriticalBox()
{
    LogCatcher log;
    const ESystemError error({tErrorCode(128, 466)}, 2);
    for (const QString& title : {QString(), QString("Own title")}) {
        QString shown;
        ModalScript script({{"QMessageBox", [&](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->parentWidget(), &parent);
            shown = box->windowTitle() + "|" + box->text();
            box->done(0);
        }}});
        error.ShowMessage(&parent, title);
        QVERIFY(script.IsDone());
        QCOMPARE(shown, (title.isEmpty() ? QString("Critical error") : title)
                            + "|System error #2\n\nError code is 0.272-128:466");
    }
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
