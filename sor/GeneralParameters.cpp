#include "sor/GeneralParameters.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"

namespace sor {

bool tGeneralParameters::operator!=(const tGeneralParameters& other) const
{
    return CableId != other.CableId.ToString()
        || FiberId != other.FiberId.ToString()
        || NominalWavelength.GetValue() != other.NominalWavelength.GetValue()
        || OriginatingLocation != other.OriginatingLocation.ToString()
        || TerminatingLocation != other.TerminatingLocation.ToString()
        || CableCode != other.CableCode.ToString()
        || CurrentDataFlag != other.CurrentDataFlag
        || UserOffset.GetValue() != other.UserOffset.GetValue()
        || Operator != other.Operator.ToString()
        || Comment != other.Comment.ToString();
}

} // namespace sor

namespace bc {

namespace {

const qint32 kSource = 2;
const int kUnknownLanguage = 7;

} // namespace

int CGeneralParameters::GetLanguageIndex(const tCode& code)
{
    const tCodeSet& codes = GetLanguageCodes();
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == code)
            return int(i);
    }
    return kUnknownLanguage;
}

void CGeneralParameters::SetLanguage(int index)
{
    const tCodeSet& codes = GetLanguageCodes();
    QV_ASSERT(index >= 0 && size_t(index) < codes.size());
    if (index >= 0 && size_t(index) < codes.size())
        LanguageCode = codes[size_t(index)];
}

void CGeneralParameters::Stream(CFileStream& stream)
{
    GuardedStep(kSource, 242, [&] { stream.CheckBlockName(GetBlockNameGenParams()); });
    GuardedStep(kSource, 243, [&] { stream.ExchangeRawCode(LanguageCode); });
    GuardedStep(kSource, 244, [&] { stream.SetCodePage(GetLanguageIndex(LanguageCode)); });
    GuardedStep(kSource, 245, [&] { stream.ExchangeObject(CableId); });
    GuardedStep(kSource, 246, [&] { stream.ExchangeObject(FiberId); });
    if (stream.IsVersion2())
        GuardedStep(kSource, 249, [&] { stream.ExchangeObject(FiberType); });
    GuardedStep(kSource, 251, [&] { stream.ExchangeObject(NominalWavelength); });
    GuardedStep(kSource, 252, [&] { stream.ExchangeObject(OriginatingLocation); });
    GuardedStep(kSource, 253, [&] { stream.ExchangeObject(TerminatingLocation); });
    GuardedStep(kSource, 254, [&] { stream.ExchangeObject(CableCode); });
    GuardedStep(kSource, 255, [&] { stream.ExchangeCode(GetCurrentDataFlagCodes(), CurrentDataFlag); });
    GuardedStep(kSource, 256, [&] { stream.ExchangeObject(UserOffset); });
    if (stream.IsVersion2())
        GuardedStep(kSource, 259, [&] { stream.ExchangeObject(UserOffsetDistance); });
    GuardedStep(kSource, 261, [&] { stream.ExchangeObject(Operator); });
    GuardedStep(kSource, 262, [&] { stream.ExchangeObject(Comment); });
}

} // namespace bc
