#pragma once

#include "core/NumValue.h"
#include "core/StrValue.h"
#include "sor/Code.h"
#include "sor/Stream.h"

namespace sor {

// Descriptive fields of a trace: the fibre, the route and who measured it.
struct tGeneralParameters
{
    CType::StrValue<101> CableId;
    CType::StrValue<101> FiberId;
    CType::NumValueC<short, short, 651, 699, 1, 0> FiberType;
    CType::NumValue<float, short, 1, 0> NominalWavelength;
    CType::StrValue<101> OriginatingLocation;
    CType::StrValue<101> TerminatingLocation;
    CType::StrValue<101> CableCode;
    qint32 CurrentDataFlag = 0; // index into bc::GetCurrentDataFlagCodes()
    CType::NumValue<double, qint32, 10, 2> UserOffset;
    CType::NumValue<double, quint32, 10, 2> UserOffsetDistance;
    CType::StrValue<101> Operator;
    CType::StrValue<101> Comment;

    // Compares what the information editor lets the user change; the fibre
    // type and the user offset distance are not among them.
    bool operator!=(const tGeneralParameters& other) const;
};

} // namespace sor

namespace bc {

// The "GenParams" block. Its language code chooses the text codec of this
// and every later string of the file.
class CGeneralParameters : public IStream, public sor::tGeneralParameters
{
public:
    void Stream(CFileStream& stream) override;

    // Position of code in the language code set, 7 when it is not there.
    static int GetLanguageIndex(const tCode& code);
    void SetLanguage(int index);

    // Kept as stored, so an unknown language is written back unchanged.
    tCode LanguageCode{"EN"};

private:
    tReadCode m_readDataFlag;
};

} // namespace bc
