#pragma once

#include <QString>

// True when the end-to-end markers of a trace written by this instrument
// model and software revision are propagation times in units of 100 ps;
// false when they are data-point indexes (older firmware).
bool IsNewerFirmware(QString model, QString revision);
