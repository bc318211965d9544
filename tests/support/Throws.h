#pragma once

#include "core/Exception.h"

#include <QString>
#include <QStringList>

// The trail of an exception as "source:code" joined by '-', without the
// version prefix of the user-visible code line.
inline QString TrailOf(const Exception& e)
{
    QStringList parts;
    for (const tErrorCode& code : e.GetCodes())
        parts << QString("%1:%2").arg(code.Source).arg(code.Code);
    return parts.join('-');
}

// Runs `step` and returns `describe` of the E it throws; any other outcome
// comes back as a text that cannot match.
template <class E, class F, class D>
QString DescribeThrown(F&& step, D&& describe)
{
    try {
        step();
    } catch (const E& e) {
        return describe(e);
    } catch (const Exception& e) {
        return QStringLiteral("other class: ") + e.GetCodeString();
    }
    return QStringLiteral("nothing thrown");
}

// The user-visible code string ("0.272-1:76-...") of the E thrown by `step`.
template <class E, class F>
QString ThrownCode(F&& step)
{
    return DescribeThrown<E>(std::forward<F>(step), [](const Exception& e) { return e.GetCodeString(); });
}

// The bare trail ("1:145-2:516-...") of the E thrown by `step`.
template <class E, class F>
QString FailureTrail(F&& step)
{
    return DescribeThrown<E>(std::forward<F>(step), [](const Exception& e) { return TrailOf(e); });
}
