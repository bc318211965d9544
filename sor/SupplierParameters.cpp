#include "sor/SupplierParameters.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

namespace sor {

// Every text counts, the software revision included: an edit of it alone
// is still an edit the user expects to be saved.
bool tSupplierParameters::operator!=(const tSupplierParameters& other) const
{
    return SupplierName != other.SupplierName.ToString()
        || MainframeId != other.MainframeId.ToString()
        || MainframeSerialNumber != other.MainframeSerialNumber.ToString()
        || ModuleId != other.ModuleId.ToString()
        || ModuleSerialNumber != other.ModuleSerialNumber.ToString()
        || SoftwareRevision != other.SoftwareRevision.ToString()
        || Other != other.Other.ToString();
}

} // namespace sor

namespace bc {

void CSupplierParameters::Stream(CFileStream& stream)
{
    BlockStep(267, [&] { stream.CheckBlockName(GetBlockNameSupParams()); });
    BlockStep(268, [&] { stream.ExchangeObject(SupplierName); });
    BlockStep(269, [&] { stream.ExchangeObject(MainframeId); });
    BlockStep(270, [&] { stream.ExchangeObject(MainframeSerialNumber); });
    BlockStep(271, [&] { stream.ExchangeObject(ModuleId); });
    BlockStep(272, [&] { stream.ExchangeObject(ModuleSerialNumber); });
    BlockStep(273, [&] { stream.ExchangeObject(SoftwareRevision); });
    BlockStep(274, [&] { stream.ExchangeObject(Other); });
}

} // namespace bc
