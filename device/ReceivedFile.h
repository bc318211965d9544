#pragma once

#include <QByteArray>
#include <QString>

// One trace file received from an instrument: where its local copy goes and
// its bytes. Nothing is on disk until the file list writes it.
struct tReceivedFile
{
    QString path;
    QByteArray data;

    tReceivedFile() = default;
    tReceivedFile(const QString& path, const QByteArray& data) : path(path), data(data) {}
};

// Whether `text` holds a control character. The system sees a path only up
// to a NUL, while Qt checks the whole of it: such a name says one file and
// writes another.
inline bool HasControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

// Whether a name an instrument gave may be part of a local path: no control
// character, and no leading ":", which Qt reads as one of the program's
// own resources.
inline bool IsSafeDeviceName(const QString& name)
{
    return !HasControlCharacter(name) && !name.startsWith(QLatin1Char(':'));
}

// `text` with each control character written as \xNN, fit to be shown.
inline QString ShownName(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}
