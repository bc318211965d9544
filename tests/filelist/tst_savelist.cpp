#include "filelist/SaveList.h"
#include "support/ModalAnswerer.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

const QStringList cNames{"a.sor", "b.sor", "c.sor"};

void ClickItem(QWidget* dialog, const QString& name)
{
    auto* list = dialog->findChild<QListWidget*>();
    QListWidgetItem* item = list->findItems(name, Qt::MatchExactly).value(0);
    QVERIFY(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(item).center());
}

} // namespace

class TestSaveList : public QObject
{
    Q_OBJECT

private slots:
    void showsChangedFilesAllSelected();
    void answers_data();
    void answers();
};

void TestSaveList::showsChangedFilesAllSelected()
{
    CSaveList dialog(cNames, nullptr);
    CModalAnswerer answerer;
    QStringList labels;
    QStringList listed;
    QStringList selected;
    QString defaultButton;
    answerer.Then([&](QWidget* shown) {
        for (QLabel* label : shown->findChildren<QLabel*>())
            labels << label->text();
        auto* list = shown->findChild<QListWidget*>();
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        for (QListWidgetItem* item : list->selectedItems())
            selected << item->text();
        for (QPushButton* button : shown->findChildren<QPushButton*>())
            if (button->isDefault())
                defaultButton = button->text();
        const QString png = QDir(QCoreApplication::applicationDirPath()).filePath("savelist.png");
        QVERIFY(shown->grab().save(png));
        static_cast<QDialog*>(shown)->reject();
    });
    dialog.exec();

    QCOMPARE(answerer.Seen().size(), 1);
    const CModalAnswerer::tSeen& seen = answerer.Seen().first();
    QCOMPARE(seen.Title, QString("Saving modified files"));
    QVERIFY(dialog.isModal());
    QCOMPARE(labels, QStringList({"Some files were changed, but not saved.\nSave the following selected files?",
                                  "Note: You can deselect saving files."}));
    QCOMPARE(listed, cNames);
    selected.sort();
    QCOMPARE(selected, cNames);
    QCOMPARE(defaultButton, QString("Save selected"));
    QStringList buttons = seen.Buttons;
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Cancel", "Close without saving", "Save selected"}));
}

void TestSaveList::answers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("Enter saves every selected name") << "Enter" << int(QDialog::Accepted) << cNames;
    QTest::newRow("one name deselected") << "deselect b" << int(QDialog::Accepted)
                                         << QStringList{"a.sor", "c.sor"};
    QTest::newRow("every name deselected saves none") << "deselect all" << int(QDialog::Accepted)
                                                      << QStringList();
    QTest::newRow("close without saving ignores the selection")
        << "Close without saving" << int(QDialog::Accepted) << QStringList();
    QTest::newRow("Cancel rejects") << "Cancel" << int(QDialog::Rejected) << QStringList();
    QTest::newRow("window closed rejects") << "close" << int(QDialog::Rejected) << QStringList();
}

void TestSaveList::answers()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(QStringList, saved);

    CSaveList dialog(cNames, nullptr);
    CModalAnswerer answerer;
    answerer.Then([how](QWidget* shown) {
        if (how == "Enter") {
            QWidget* focus = shown->focusWidget() ? shown->focusWidget() : shown;
            QTest::keyClick(focus, Qt::Key_Return);
        } else if (how == "close") {
            shown->close();
        } else if (how.startsWith("deselect")) {
            const QStringList names = how == "deselect b" ? QStringList{"b.sor"} : cNames;
            for (const QString& name : names)
                ClickItem(shown, name);
            CModalAnswerer::FindButton(shown, "Save selected")->click();
        } else {
            CModalAnswerer::FindButton(shown, how)->click();
        }
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(answerer.Seen().size(), 1);
    if (result == QDialog::Accepted) {
        QStringList names = dialog.GetSelectedNames();
        names.sort();
        QCOMPARE(names, saved);
    }
}

QTEST_MAIN(TestSaveList)
#include "tst_savelist.moc"
