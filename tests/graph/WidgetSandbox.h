#pragma once

#include "app/MainOpt.h"
#include "app/Settings.h"
#include "resources/Resources.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

// Settings in a temporary folder and the program-wide options the renderer
// reads, for tests that paint widgets.
class WidgetSandbox
{
public:
    bool Open(const char* application)
    {
        InitResources();
        if (!dir.isValid())
            return false;
        qputenv("HOME", dir.filePath("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("home/.config").toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("user"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath("system"));
        QCoreApplication::setOrganizationName("TestOrganisation");
        QCoreApplication::setApplicationName(application);
        if (!GetSettings(0, 0)->fileName().startsWith(dir.path()))
            return false;
        CMainOpt::Create(&parent);
        return true;
    }

    // After a test has deleted the options to see what runs without them.
    void RemakeOptions() { CMainOpt::Create(&parent); }

    ~WidgetSandbox() { delete CMainOpt::Instance(); }

private:
    QTemporaryDir dir;
    QWidget parent;
};

// Mouse events sent straight to a widget, with the buttons held after the
// event as Qt reports them (QTest's moves carry no buttons).
inline void SendMouse(QWidget* w, QEvent::Type type, const QPointF& pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos.toPoint()), button, buttons, modifiers);
    QApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    SendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, modifiers);
}

inline void Drag(QWidget* w, const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    SendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton, modifiers);
}

inline void Hover(QWidget* w, const QPointF& pos)
{
    SendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

inline void Release(QWidget* w, const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    SendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, modifiers);
}

inline void DoubleClick(QWidget* w, const QPointF& pos)
{
    SendMouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
}

inline void Wheel(QWidget* w, const QPointF& pos, int delta,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  Qt::MouseButtons buttons = Qt::NoButton)
{
    QWheelEvent e(pos, w->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, delta), buttons,
                  modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}
