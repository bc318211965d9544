#pragma once

namespace bc {

// The names of the blocks a SOR file may hold, as stored in the map and,
// in the later layout, at the head of each block.
const char* GetBlockNameMap();
const char* GetBlockNameGenParams();
const char* GetBlockNameSupParams();
const char* GetBlockNameFxdParams();
const char* GetBlockNameKeyEvents();
const char* GetBlockNameLnkParams();
const char* GetBlockNameDataPts();
const char* GetBlockNameCksum();
const char* GetBlockNameQWMXR01();
const char* GetBlockNameQWMXR02();

} // namespace bc
