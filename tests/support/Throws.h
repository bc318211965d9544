#pragma once

#include "core/Exception.h"

#include <QString>

// Runs `step` and returns the code string ("0.272-1:76-...") of the E it
// throws; any other outcome comes back as a text that cannot match a code.
template <class E, class F>
QString ThrownCode(F&& step)
{
    try {
        step();
    } catch (E& e) {
        return e.GetCodeString();
    } catch (Exception& e) {
        return QStringLiteral("other class: ") + e.GetCodeString();
    }
    return QStringLiteral("nothing thrown");
}
