#pragma once

#include <QtGlobal>

// Internal checks log and carry on: a wrong assumption must not take a
// technician's unsaved traces down with it.
#define QV_ASSERT(cond) \
    do { \
        if (!(cond)) \
            qCritical("ASSERTION FAILED: %s", #cond); \
    } while (false)
