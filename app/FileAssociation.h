#pragma once

#include <QString>

class CRegistryKey;

// The file type the user chose for ".sor" files; empty when none was chosen.
// The key stays open in the caller's holder.
QString ReadUserChoiceProgId(CRegistryKey& key);
