#include "core/StrValue.h"

namespace CType {

template class StrValue<32>;
template class StrValue<101>;

} // namespace CType
