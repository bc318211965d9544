#pragma once

#include "core/Exception.h"

// A failed call into the operating system, with the system's error number.
class ESystemError : public Exception
{
public:
    ESystemError(const tErrorTrail& trail, qint32 code);

    qint32 GetCode() const { return code; }

    static QString tr(const char* text);

private:
    qint32 code;
};

// The error number reported for an errno value. "Not found" and "access
// denied" keep the numbers the association logic decides on (2 and 5), so
// that Linux's EPERM (1) is never taken for "not found".
qint32 SystemErrorFromErrno(int error);
