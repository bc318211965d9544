#pragma once

#include <QString>

// Moves a file into the desktop's trash, from where the user can restore it.
// False when the file is still where it was.
bool MoveFileToTrash(const QString& path);
