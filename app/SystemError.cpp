#include "app/SystemError.h"

#include <QCoreApplication>

#include <cerrno>

ESystemError::ESystemError(const tErrorTrail& trail, qint32 code) : Exception(trail), code(code)
{
    SetDescription(QCoreApplication::translate("ESystemError", "System error #%1").arg(code));
}

QString ESystemError::tr(const char* text)
{
    return QCoreApplication::translate("ESystemError", text);
}

qint32 SystemErrorFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return 2;
    case EACCES:
    case EPERM:
    case EROFS:
        return 5;
    default:
        return error;
    }
}
