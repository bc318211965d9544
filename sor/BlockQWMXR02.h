#pragma once

#include "core/NumValue.h"
#include "core/StrValue.h"
#include "sor/Stream.h"

namespace sor {

// Contents of the second proprietary block: head values, two groups of
// the same shape and tail values.
struct tCustomQWMXR02
{
    struct tGroup
    {
        CType::NumValue<unsigned int, qint16, 1, 2> sItem1;
        CType::NumValue<double, qint32, 1, 7> lItem2;
        CType::NumValue<float, qint16, 1, 2> sItem3;
        CType::NumValue<float, qint16, 1, 2> sItem4;
        CType::NumValue<double, qint32, 1, 7> lItem5;
        CType::StrValue<101> Text6; // never stored: reserved bytes stand in its place
        CType::StrValue<101> Text7;
        CType::NumValue<double, qint32, 1, 7> lItem8;
        CType::NumValue<double, qint32, 1, 7> lItem9;
        CType::NumValue<double, qint32, 1, 7> lItem10;
        CType::NumValue<double, qint32, 1, 7> lItem11;
        CType::StrValue<101> Text12;
    };

    bool bPresent = false;
    CType::NumValue<double, qint32, 1, 7> lHeadValue1;
    CType::NumValue<double, qint32, 1, 7> lHeadValue2;
    CType::NumValue<short, qint16, 1, 2> sHeadValue3;
    CType::NumValue<double, qint32, 1, 7> lHeadValue4;
    CType::NumValue<unsigned short, unsigned short, 1, 2> usHeadValue5;
    tGroup Group1;
    tGroup Group2;
    CType::NumValue<double, qint32, 1, 7> lTailValue1;
    CType::NumValue<double, qint32, 1, 7> lTailValue2;
    CType::NumValue<double, qint32, 1, 7> lTailValue3;
    CType::NumValue<float, unsigned short, 1, 2> usTailValue4;
    CType::NumValue<double, qint32, 1, 7> lTailValue5;
    CType::NumValue<double, qint32, 1, 7> lTailValue6;
};

} // namespace sor

namespace bc {

class CFileStream;

// The second proprietary block, "QWMXR02".
class CBlockQWMXR02 : public IStream, public sor::tCustomQWMXR02
{
public:
    CBlockQWMXR02() = default;
    virtual ~CBlockQWMXR02() = default;

    void Stream(CFileStream& stream) override;

private:
    // codeBase is the code of the group's first member; the rest follow
    // at fixed offsets from it.
    void StreamGroup(CFileStream& stream, tGroup& group, qint32 codeBase);
};

} // namespace bc
