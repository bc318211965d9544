#include "graph/ScopeTrace.h"

#include "core/NullDevice.h"

#include <QDebug>

namespace {
const int cAudibleFlags = 2 | 4;
}

CScopeTrace::CScopeTrace(int flags, const char* name)
    : m_name(QString::fromUtf8(name))
    , m_flags(flags)
    , m_bSilentExit(false)
{
    Write(m_name);
}

CScopeTrace::~CScopeTrace()
{
    if (!m_bSilentExit)
        Write(m_name + QStringLiteral(" done"));
}

void CScopeTrace::Write(const QString& text) const
{
    if (m_flags & cAudibleFlags)
        qDebug().noquote() << text;
    else
        NullDebug().noquote() << text;
}
