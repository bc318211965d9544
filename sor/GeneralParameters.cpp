#include "sor/GeneralParameters.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

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
    BlockStep(242, [&] { stream.CheckBlockName(GetBlockNameGenParams()); });
    BlockStep(243, [&] { stream.ExchangeRawCode(LanguageCode); });
    BlockStep(244, [&] { stream.SetCodePage(GetLanguageIndex(LanguageCode)); });
    BlockStep(245, [&] { stream.ExchangeObject(CableId); });
    BlockStep(246, [&] { stream.ExchangeObject(FiberId); });
    if (stream.IsVersion2())
        BlockStep(249, [&] { stream.ExchangeObject(FiberType); });
    BlockStep(251, [&] { stream.ExchangeObject(NominalWavelength); });
    BlockStep(252, [&] { stream.ExchangeObject(OriginatingLocation); });
    BlockStep(253, [&] { stream.ExchangeObject(TerminatingLocation); });
    BlockStep(254, [&] { stream.ExchangeObject(CableCode); });
    BlockStep(255, [&] { stream.ExchangeCode(GetCurrentDataFlagCodes(), CurrentDataFlag, m_readDataFlag); });
    BlockStep(256, [&] { stream.ExchangeObject(UserOffset); });
    if (stream.IsVersion2())
        BlockStep(259, [&] { stream.ExchangeObject(UserOffsetDistance); });
    BlockStep(261, [&] { stream.ExchangeObject(Operator); });
    BlockStep(262, [&] { stream.ExchangeObject(Comment); });
}

} // namespace bc
