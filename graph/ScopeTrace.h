#pragma once

#include <QString>

// Logs a scope's entry and exit at debug level; flag values 2 and 4 make it
// audible, anything else sends both messages to a discarding stream so that
// hot handlers can keep their traces in place at no visible cost.
class CScopeTrace
{
public:
    CScopeTrace(int flags, const char* name);
    ~CScopeTrace();
    CScopeTrace(const CScopeTrace&) = delete;
    CScopeTrace& operator=(const CScopeTrace&) = delete;

private:
    void Write(const QString& text) const;

    QString m_name;
    int m_flags;
    bool m_bSilentExit;
};
