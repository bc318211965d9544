#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// Collects the Qt messages emitted during its lifetime instead of printing them.
class LogCatcher
{
public:
    struct tEntry
    {
        QtMsgType Type;
        QString Text;
    };

    LogCatcher();
    ~LogCatcher();
    LogCatcher(const LogCatcher&) = delete;
    LogCatcher& operator=(const LogCatcher&) = delete;

    const QList<tEntry>& Entries() const { return m_entries; }
    QStringList Texts(QtMsgType type) const;
    int Count(QtMsgType type, const QString& text) const;
    void Clear() { m_entries.clear(); }

private:
    static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QList<tEntry> m_entries;
    QtMessageHandler m_previous;
    LogCatcher* m_outer;
};
