#pragma once

#include <QString>

class QSettings;

// The program's two settings stores, created together on first use and kept
// until exit: the system-wide one when bSystem is non-zero, else the user's.
// The first argument is kept for callers' sake and has no effect.
QSettings* GetSettings(int, int bSystem);

// The user's documents folder; empty when the platform knows none.
QString GetDefaultLastDir();
