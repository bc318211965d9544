#pragma once

#include "core/StrValue.h"
#include "sor/Stream.h"

namespace sor {

// Who built the instrument and which hardware and software took the trace.
struct tSupplierParameters
{
    CType::StrValue<32> SupplierName;
    CType::StrValue<101> MainframeId;
    CType::StrValue<101> MainframeSerialNumber;
    CType::StrValue<101> ModuleId;
    CType::StrValue<32> ModuleSerialNumber;
    CType::StrValue<101> SoftwareRevision;
    CType::StrValue<101> Other;

    bool operator!=(const tSupplierParameters& other) const;
};

} // namespace sor

namespace bc {

// The "SupParams" block.
class CSupplierParameters : public IStream, public sor::tSupplierParameters
{
public:
    void Stream(CFileStream& stream) override;
};

} // namespace bc
