#pragma once

#include <QDebug>
#include <QIODevice>

// Swallows everything written to it.
class QNullDevice : public QIODevice
{
    Q_OBJECT

public:
    QNullDevice();
    ~QNullDevice() override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 length) override;
};

// A debug stream that goes nowhere, for traces that are switched off.
QDebug NullDebug();
