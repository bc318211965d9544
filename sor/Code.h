#pragma once

#include <vector>

// A two-character code of the SOR format: exactly 2 bytes, no terminator.
struct tCode
{
    char c[2];

    tCode() : c{0, 0} {}
    explicit tCode(const char* text) : c{text[0], text[1]} {}

    bool operator==(const tCode& other) const { return c[0] == other.c[0] && c[1] == other.c[1]; }
    bool operator!=(const tCode& other) const { return !(*this == other); }
};

// A two-character code read from outside its set, with the index the field
// held then. Until the field is set to another index, a save writes the code
// as read rather than the set's code at that index.
struct tReadCode
{
    tCode Code;
    int Index = -1; // -1: nothing foreign was read
};

using tCodeSet = std::vector<tCode>;   // two-character codes, index = position
using tCharCodeSet = std::vector<char>; // one-character codes, index = position

namespace bc {

// The code sets of the format's enumerated fields; built on first use.
const tCodeSet& GetLanguageCodes();
const tCodeSet& GetCurrentDataFlagCodes();
const tCodeSet& GetDistanceUnitCodes();
const tCodeSet& GetTraceTypeCodes();
const tCodeSet& GetLossTechniqueCodes();
const tCharCodeSet& GetEventCodeDigits();
const tCharCodeSet& GetEventCodeLetters();

} // namespace bc
