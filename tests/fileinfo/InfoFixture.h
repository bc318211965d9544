#pragma once

#include "app/MainOpt.h"
#include "app/Settings.h"
#include "fileinfo/FileInfo.h"
#include "filelist/FileList.h"
#include "resources/Resources.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

// A file list on a temporary working folder with its own settings, the way
// the program opens the information dialog: numbers in the program's
// English notation, the options object created by the main window.
class InfoFixture
{
public:
    // Spacing and group index that make one data point 1.9999994 m long.
    static constexpr double cTwoMetreSpacing = 10.00692;

    InfoFixture()
    {
        QCoreApplication::setApplicationName("Quorvane");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path() + "/settings");
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, root.path() + "/settings");
        QDir(root.path()).mkpath("home");
        qputenv("HOME", QFile::encodeName(root.path() + "/home"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.path() + "/data"));
        QLocale locale(QStringLiteral("EN"));
        locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        QLocale::setDefault(locale);
        InitResources();
        CMainOpt::Create(&window);
        startDir = QDir::currentPath();
    }

    ~InfoFixture() { Close(); }

    void SetServiceEditing(bool bEnabled)
    {
        GetSettings(0, 0)->setValue("Options/bEnableServiceInfoEditing", bEnabled);
        CMainOpt::Instance()->LoadSettings();
    }

    // Writes a trace of 1000 points at 2 m (older firmware, one key event)
    // that `shape` may change first, and lists it alone in a fresh folder.
    QSharedPointer<sor::CFile> Open(const QString& name, const std::function<void(sor::CFile&)>& shape = {})
    {
        Close();
        folder.reset(new QTemporaryDir(root.path() + "/work-XXXXXX"));
        list.reset(new CFileList(&window));
        auto file = TraceBuilder(1000, cTwoMetreSpacing).Flat(3000).Slope(0.3).Event(1200).Build(Path(name));
        sor::tSupplierParameters supplier = *file->GetSupplierParameters();
        supplier.SupplierName.SetValue("Veltramo");
        supplier.MainframeId.SetValue("QUELM71");
        supplier.SoftwareRevision.SetValue("504z");
        file->SetSupplierParameters(supplier);
        sor::tFixedParameters fixed = *file->GetFixedParameters();
        fixed.DateTime = QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::UTC);
        file->SetFixedParameters(fixed);
        file->SetEndToEndMarkers(0, 1000);
        file->SetEndToEndLoss(1234);
        if (shape)
            shape(*file);
        file->Save();
        list->SetWorkingFolder(Folder());
        return list->GetCount() == 1 ? list->GetFile(0) : nullptr;
    }

    void Close()
    {
        while (list && list->GetCount())
            list->CloseFile(0);
        list.reset();
        QDir::setCurrent(startDir);
        folder.reset();
    }

    QString Folder() const { return QDir(folder->path()).canonicalPath(); }
    QString Path(const QString& name) const { return Folder() + "/" + name; }

    template <class T>
    static T* Child(QWidget* dialog, const char* name)
    {
        T* child = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qWarning("no child %s", name);
        return child;
    }

    // Types into an edit as a user would after selecting its text; texts
    // the edit's validator refuses while typing are set and marked modified.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        edit->setModified(true);
    }

    static void Press(QWidget* dialog, QDialogButtonBox::StandardButton which)
    {
        Child<QDialogButtonBox>(dialog, "buttonBox")->button(which)->click();
    }

    QWidget window;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<CFileList> list;

private:
    QTemporaryDir root;
    QString startDir;
};
