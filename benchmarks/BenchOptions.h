#pragma once

#include "app/MainOpt.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

// Widgets need a platform even on a machine without a display; call this
// before the QApplication exists.
inline void UseOffscreenByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The options object reads and writes settings: a benchmark keeps them in a
// temporary folder, away from the user's own, for as long as it runs.
class CBenchOptions
{
public:
    CBenchOptions()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.filePath("user"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                           settings.filePath("system"));
        QCoreApplication::setOrganizationName("QuorvaneBenchmark");
        CMainOpt::Create(&parent);
    }
    ~CBenchOptions() { delete CMainOpt::Instance(); }

    CBenchOptions(const CBenchOptions&) = delete;
    CBenchOptions& operator=(const CBenchOptions&) = delete;

private:
    QTemporaryDir settings;
    QWidget parent;
};
