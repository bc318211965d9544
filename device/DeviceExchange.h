#pragma once

#include "core/Exception.h"

// A failed exchange with an instrument. A critical one means the link can no
// longer be trusted and the instrument is let go.
class EDeviceExchange : public Exception
{
public:
    EDeviceExchange(const tErrorTrail& trail, const QString& description, bool bCritical);

    bool IsCritical() const { return bCritical; }

private:
    bool bCritical;
};

// A reply that does not read as the protocol says; always critical.
class EExchangeParameters : public EDeviceExchange
{
public:
    explicit EExchangeParameters(const tErrorTrail& trail);
};
