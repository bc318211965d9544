#include "core/NumValue.h"

namespace CType {

template class NumValue<short, short, 1, 0>;
template class NumValue<short, short, 1, 2>;
template class NumValue<unsigned short, unsigned short, 1, 2>;
template class NumValue<unsigned int, short, 1, 0>;
template class NumValue<unsigned int, short, 1, 2>;
template class NumValue<unsigned int, unsigned short, 10, 2>;
template class NumValue<unsigned int, qint32, 1, 2>;
template class NumValue<qint32, qint32, 1, 2>;
template class NumValue<qint32, qint32, 1, 7>;
template class NumValue<float, short, 1, 0>;
template class NumValue<float, short, 1, 2>;
template class NumValue<float, short, 10, 0>;
template class NumValue<float, short, -10, 0>;
template class NumValue<float, short, 1000, 5>;
template class NumValue<float, short, 1000, 7>;
template class NumValue<float, unsigned short, 1, 2>;
template class NumValue<float, unsigned short, 1000, 2>;
template class NumValue<float, unsigned short, -1000, 2>;
template class NumValue<double, unsigned short, -1000, 2>;
template class NumValue<double, qint32, 1, 7>;
template class NumValue<double, qint32, 10, 2>;
template class NumValue<double, qint32, 10, 7>;
template class NumValue<double, qint32, 1000, 2>;
template class NumValue<double, qint32, 1000, 7>;
template class NumValue<double, qint32, 10000, 0>;
template class NumValue<double, qint32, 100000, 0>;
template class NumValue<double, quint32, 1, 2>;
template class NumValue<double, quint32, 10, 2>;
template class NumValueC<short, short, 651, 699, 1, 0>;
template class NumValueC<float, short, 400, 900, -10, 0>;
template class NumValueC<double, qint32, 120000, 160000, 100000, 0>;
template class NumValueC<double, qint32, 2, 99900000, 100000, 0>;
template class NumValueC<double, qint32, 2, 9990000, 10000, 0>;

} // namespace CType
