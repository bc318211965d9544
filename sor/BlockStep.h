#pragma once

#include "core/Exception.h"

#include <utility>

namespace bc {

// Error-trail source of the block serialisers.
const qint32 kBlockSource = 2;

// One guarded step of a block: a failure gets the step's code appended.
template <class F>
decltype(auto) BlockStep(qint32 code, F&& body)
{
    return GuardedStep(kBlockSource, code, std::forward<F>(body));
}

} // namespace bc
