#include "sor/Code.h"

#include <initializer_list>

namespace {

tCodeSet makeSet(std::initializer_list<const char*> codes)
{
    tCodeSet set;
    for (const char* code : codes)
        set.emplace_back(code);
    return set;
}

} // namespace

namespace bc {

const tCodeSet& GetLanguageCodes()
{
    static const tCodeSet set = makeSet({"EN", "FR", "JA", "SP", "GE", "CH", "RU"});
    return set;
}

const tCodeSet& GetCurrentDataFlagCodes()
{
    static const tCodeSet set = makeSet({"CC", "BC", "RC", "OT"});
    return set;
}

const tCodeSet& GetDistanceUnitCodes()
{
    static const tCodeSet set = makeSet({"km", "mt", "ft", "kf", "mi"});
    return set;
}

const tCodeSet& GetTraceTypeCodes()
{
    static const tCodeSet set = makeSet({"ST", "RT", "DT", "RF"});
    return set;
}

const tCodeSet& GetLossTechniqueCodes()
{
    static const tCodeSet set = makeSet({"2P", "LS"});
    return set;
}

const tCharCodeSet& GetEventCodeDigits()
{
    static const tCharCodeSet set{'0', '1', '2'};
    return set;
}

const tCharCodeSet& GetEventCodeLetters()
{
    static const tCharCodeSet set{'A', 'M', 'E', 'F', 'O', 'D'};
    return set;
}

} // namespace bc
