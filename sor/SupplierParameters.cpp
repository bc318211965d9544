#include "sor/SupplierParameters.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"

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

namespace {

const qint32 kSource = 2;

} // namespace

void CSupplierParameters::Stream(CFileStream& stream)
{
    GuardedStep(kSource, 267, [&] { stream.CheckBlockName(GetBlockNameSupParams()); });
    GuardedStep(kSource, 268, [&] { stream.ExchangeObject(SupplierName); });
    GuardedStep(kSource, 269, [&] { stream.ExchangeObject(MainframeId); });
    GuardedStep(kSource, 270, [&] { stream.ExchangeObject(MainframeSerialNumber); });
    GuardedStep(kSource, 271, [&] { stream.ExchangeObject(ModuleId); });
    GuardedStep(kSource, 272, [&] { stream.ExchangeObject(ModuleSerialNumber); });
    GuardedStep(kSource, 273, [&] { stream.ExchangeObject(SoftwareRevision); });
    GuardedStep(kSource, 274, [&] { stream.ExchangeObject(Other); });
}

} // namespace bc
