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
