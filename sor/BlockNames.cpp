#include "sor/BlockNames.h"

namespace bc {

const char* GetBlockNameMap() { return "Map"; }
const char* GetBlockNameGenParams() { return "GenParams"; }
const char* GetBlockNameSupParams() { return "SupParams"; }
const char* GetBlockNameFxdParams() { return "FxdParams"; }
const char* GetBlockNameKeyEvents() { return "KeyEvents"; }
const char* GetBlockNameLnkParams() { return "LnkParams"; }
const char* GetBlockNameDataPts() { return "DataPts"; }
const char* GetBlockNameCksum() { return "Cksum"; }
const char* GetBlockNameQWMXR01() { return "QWMXR01"; }
const char* GetBlockNameQWMXR02() { return "QWMXR02"; }

} // namespace bc
