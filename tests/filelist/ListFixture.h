#pragma once

#include "app/MainOpt.h"
#include "filelist/FileList.h"
#include "support/ModalAnswerer.h"
#include "support/TraceBuilder.h"

#include <QDir>
#include <QFile>
#include <QAbstractItemView>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A file list on a temporary working folder, with settings, the trash
// (XDG_DATA_HOME) and the home folder in one temporary tree, so that a trash
// move stays on the working folder's file system.
class ListFixture
{
public:
    ListFixture()
    {
        QCoreApplication::setApplicationName("Quorvane");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path() + "/settings");
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, root.path() + "/settings");
        QDir(root.path()).mkpath("home");
        QDir(root.path()).mkpath("data");
        qputenv("HOME", QFile::encodeName(root.path() + "/home"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(DataHome()));
        CMainOpt::Create(&window);
        startDir = QDir::currentPath();
    }

    ~ListFixture() { Close(); }

    // A fresh working folder and list; the previous ones go.
    void Open()
    {
        Close();
        folder.reset(new QTemporaryDir(root.path() + "/work-XXXXXX"));
        list.reset(new CFileList(&window));
    }

    void Close()
    {
        while (list && list->GetCount())
            list->CloseFile(0);
        list.reset();
        QDir::setCurrent(startDir);
        folder.reset();
    }

    QString Root() const { return root.path(); }
    QString Folder() const { return QDir(folder->path()).canonicalPath(); }
    QString Path(const QString& name) const { return Folder() + "/" + name; }
    QString DataHome() const { return root.path() + "/data"; }

    void Write(const QString& name, int points = 120) const { WriteTo(Folder(), name, points); }
    static void WriteTo(const QString& folder, const QString& name, int points = 120)
    {
        TraceBuilder(points).Flat(2000).Slope(2.0).Build(folder + "/" + name)->Save();
    }

    void Load(const QStringList& names)
    {
        for (const QString& name : names)
            Write(name);
        list->SetWorkingFolder(Folder());
    }

    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < list->GetCount(); ++row)
            names << list->GetFile(row)->GetShortFileName();
        return names;
    }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Picks `path` in the next file or folder dialog and accepts it, as a
    // user typing the name would: what the dialog had selected is dropped.
    static CModalAnswerer::tAction Choose(const QString& path)
    {
        return [path](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            auto* edit = files ? files->findChild<QLineEdit*>("fileNameEdit") : nullptr;
            if (!edit) {
                dialog->close();
                return;
            }
            const QFileInfo info(path);
            const bool bFolder = files->fileMode() == QFileDialog::Directory;
            files->setDirectory(bFolder ? path : info.absolutePath());
            for (QAbstractItemView* view : files->findChildren<QAbstractItemView*>())
                if (view->selectionModel())
                    view->selectionModel()->clear();
            edit->setText(bFolder ? QString() : info.fileName());
            static_cast<QDialog*>(files)->accept();
        };
    }

    QWidget window;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<CFileList> list;

private:
    QTemporaryDir root;
    QString startDir;
};
