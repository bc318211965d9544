#include "LogCatcher.h"

#include <QMutex>
#include <QStringList>

namespace {
LogCatcher* g_current = nullptr;
QMutex g_mutex;
}

LogCatcher::LogCatcher() : m_outer(g_current)
{
    QMutexLocker lock(&g_mutex);
    g_current = this;
    m_previous = qInstallMessageHandler(&LogCatcher::Handler);
}

LogCatcher::~LogCatcher()
{
    QMutexLocker lock(&g_mutex);
    qInstallMessageHandler(m_previous);
    g_current = m_outer;
}

QStringList LogCatcher::Texts(QtMsgType type) const
{
    QStringList texts;
    for (const tEntry& entry : m_entries)
        if (entry.Type == type)
            texts << entry.Text;
    return texts;
}

int LogCatcher::Count(QtMsgType type, const QString& text) const
{
    return Texts(type).count(text);
}

void LogCatcher::Handler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    QMutexLocker lock(&g_mutex);
    if (g_current)
        g_current->m_entries.append({type, text});
}
