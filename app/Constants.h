#pragma once

#include "core/Version.h"

#include <QColor>
#include <QString>

#include <functional>

// The version of this build; file-type names and error codes derive from it.
extern const tVersion cProgramVersion;

// File-type name under which ".sor" files are associated with this version.
extern const QString cProgId;

extern const QColor cDefaultGraphBackground;

// Item data and texts of the device panel's value lists.
extern const std::function<int(int)> cValueAsData;
extern const std::function<QString(int)> cValueAsText;
extern const std::function<QString(int)> cThousandthsAsText;
