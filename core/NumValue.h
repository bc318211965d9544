#pragma once

#include "core/Assert.h"
#include "core/FileStreams.h"
#include "core/Value.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace CType {

// A number held as V and written to the file as the integer S equal to
// value x Scale. Flags: 1 positive, 2 zero, 4 negative values allowed; with
// neither sign bit the sign follows the scale.
template <class V, class S, int Scale, int Flags>
class NumValue : public INumValue, public FileStreams::IStream
{
    static_assert(std::is_arithmetic<V>::value, "V must be arithmetic");
    static_assert(std::is_integral<S>::value, "S must be an integer");
    static_assert(Scale != 0, "Scale must not be zero");
    static_assert(std::is_floating_point<V>::value || std::is_signed<V>::value || Scale > 0,
                  "an unsigned value needs a positive scale");

public:
    using ValueType = V;
    using StoredType = S;

    NumValue() : m_value(0) {}
    explicit NumValue(V value) : m_value(value) {}
    NumValue(const NumValue&) = default;
    // Copies the bound edit too; no range check.
    NumValue& operator=(const NumValue&) = default;
    ~NumValue() override = default;

    V& GetValue() { return m_value; }
    const V& GetValue() const { return m_value; }

    NumValue* Clone() const override { return new NumValue(*this); }
    QString ToString() const override { return FormatValue(m_value); }
    bool FromString(const QString& text) override;

    bool IsReal() const override { return std::is_floating_point<V>::value && Scale != 1 && Scale != -1; }
    bool IsZeroAllowed() const override { return (GetFlags() & 2) != 0; }
    bool IsZeroExtra() const override
    {
        return IsZeroAllowed() && (GetMin() >= 0 || GetMax() <= 0);
    }
    bool CanBeNegative() const override { return GetMin() < 0; }
    bool CanBePositive() const override { return GetMax() > 0; }
    int Digits10() const override
    {
        return std::max(IntDigits(GetMax()), IntDigits(GetMin())) + FracDigits();
    }
    int Digits10Frac() const override { return FracDigits(); }
    QString MinText() const override { return FormatValue(GetMin()); }
    QString MaxText() const override { return FormatValue(GetMax()); }
    bool IsZero() const override { return m_value == 0; }
    bool IsBelowMin() const override { return GetMin() > m_value; }
    bool IsAboveMax() const override { return GetMax() < m_value; }

    virtual S StoredMin() const { return std::numeric_limits<S>::min(); }
    virtual S StoredMax() const { return std::numeric_limits<S>::max(); }

    void Stream(FileStreams::IFileStream& stream) override;

    static constexpr int GetScale() { return Scale; }
    static constexpr int GetFlags()
    {
        return (Flags & 5) != 0 ? Flags : (Scale <= 0 ? Flags | 4 : Flags | 1);
    }
    static constexpr bool IsPositiveAllowed() { return (GetFlags() & 1) != 0; }
    static constexpr bool IsNegativeAllowed() { return (GetFlags() & 4) != 0; }

    // The effective range, sign and zero rules applied.
    V GetMin() const;
    V GetMax() const;

private:
    static constexpr bool IsFloat = std::is_floating_point<V>::value;

    // Stored units to value units, exactly as a read does, so that every
    // stored extreme reads back inside the range.
    static V FromStored(S stored);
    // Value units to stored units, rounding half up; out-of-range input
    // saturates instead of overflowing (the range check refuses it anyway).
    static S ToStored(V value);

    V LowBound() const;
    V HighBound() const;
    V minValWOFlags() const { return Scale <= 0 ? HighBound() : LowBound(); }
    V maxValWOFlags() const { return Scale <= 0 ? LowBound() : HighBound(); }
    static V GetStep();
    static int IntDigits(V x);
    static int FracDigits();
    QString FormatValue(V x) const;
    bool IsAcceptable(V value) const;

    V m_value;
};

// A NumValue whose stored range is narrowed to Min..Max.
template <class V, class S, S Min, S Max, int Scale, int Flags>
class NumValueC : public NumValue<V, S, Scale, Flags>
{
    using Base = NumValue<V, S, Scale, Flags>;

public:
    NumValueC() = default;
    explicit NumValueC(V value) : Base(value) {}
    NumValueC(const NumValueC&) = default;
    NumValueC& operator=(const NumValueC&) = default;
    ~NumValueC() override = default;

    // A copy keeps the narrow range, so the validator's trial values do too.
    NumValueC* Clone() const override { return new NumValueC(*this); }
    S StoredMin() const override { return Min; }
    S StoredMax() const override { return Max; }
};

template <class V, class S, int Scale, int Flags>
V NumValue<V, S, Scale, Flags>::FromStored(S stored)
{
    if constexpr (IsFloat) {
        return static_cast<V>(static_cast<double>(stored) / Scale);
    } else {
        // Integer division, then a modular conversion: a negative number read
        // into an unsigned value becomes a huge one and fails the range check.
        return static_cast<V>(static_cast<qint64>(stored) / Scale);
    }
}

template <class V, class S, int Scale, int Flags>
S NumValue<V, S, Scale, Flags>::ToStored(V value)
{
    const double scaled = std::floor(static_cast<double>(Scale) * static_cast<double>(value) + 0.5);
    if (std::isnan(scaled))
        return 0;
    if (scaled <= static_cast<double>(std::numeric_limits<S>::min()))
        return std::numeric_limits<S>::min();
    if (scaled >= static_cast<double>(std::numeric_limits<S>::max()))
        return std::numeric_limits<S>::max();
    return static_cast<S>(scaled);
}

template <class V, class S, int Scale, int Flags>
V NumValue<V, S, Scale, Flags>::LowBound() const
{
    if constexpr (std::is_unsigned<V>::value)
        return 0;
    else
        return FromStored(std::max(std::numeric_limits<S>::min(), StoredMin()));
}

template <class V, class S, int Scale, int Flags>
V NumValue<V, S, Scale, Flags>::HighBound() const
{
    return FromStored(std::min(std::numeric_limits<S>::max(), StoredMax()));
}

template <class V, class S, int Scale, int Flags>
V NumValue<V, S, Scale, Flags>::GetStep()
{
    if constexpr (IsFloat) {
        const V decimal = static_cast<V>(std::pow(10.0, -std::numeric_limits<V>::digits10));
        return std::max(std::numeric_limits<V>::epsilon(), decimal);
    } else {
        return 1;
    }
}

template <class V, class S, int Scale, int Flags>
V NumValue<V, S, Scale, Flags>::GetMin() const
{
    V res = minValWOFlags();
    if (res < 0 && !IsNegativeAllowed())
        res = 0;
    if (res == 0 && !IsZeroAllowed()) {
        res = res + GetStep();
        QV_ASSERT(res<=maxValWOFlags());
    }
    return res;
}

template <class V, class S, int Scale, int Flags>
V NumValue<V, S, Scale, Flags>::GetMax() const
{
    V res = maxValWOFlags();
    if (res > 0 && !IsPositiveAllowed())
        res = 0;
    if (res == 0 && !IsZeroAllowed()) {
        res = res - GetStep();
        QV_ASSERT(res>=minValWOFlags());
    }
    return res;
}

namespace Detail {
// Decimal digits of |n|; 0 for 0.
inline int DecimalDigits(quint64 n)
{
    int digits = 0;
    for (; n != 0; n /= 10)
        ++digits;
    return digits;
}
} // namespace Detail

template <class V, class S, int Scale, int Flags>
int NumValue<V, S, Scale, Flags>::IntDigits(V x)
{
    // 64 bits: the bounds reach 4294967295 and -2147483648.
    const qint64 i = static_cast<qint64>(x);
    const quint64 magnitude = i < 0 ? 0 - static_cast<quint64>(i) : static_cast<quint64>(i);
    return Detail::DecimalDigits(magnitude);
}

template <class V, class S, int Scale, int Flags>
int NumValue<V, S, Scale, Flags>::FracDigits()
{
    if constexpr (IsFloat)
        return Detail::DecimalDigits(static_cast<quint64>(Scale < 0 ? -qint64(Scale) : qint64(Scale))) - 1;
    else
        return 0;
}

template <class V, class S, int Scale, int Flags>
QString NumValue<V, S, Scale, Flags>::FormatValue(V x) const
{
    const QLocale locale;
    if constexpr (IsFloat)
        return locale.toString(static_cast<double>(x), 'f', Digits10Frac());
    else if constexpr (std::is_signed<V>::value)
        return locale.toString(static_cast<qlonglong>(x));
    else
        return locale.toString(static_cast<qulonglong>(x));
}

template <class V, class S, int Scale, int Flags>
bool NumValue<V, S, Scale, Flags>::FromString(const QString& text)
{
    const QLocale locale;
    bool bOk = false;
    if constexpr (std::is_same<V, float>::value) {
        m_value = locale.toFloat(text, &bOk);
    } else if constexpr (IsFloat) {
        m_value = static_cast<V>(locale.toDouble(text, &bOk));
    } else {
        // A number that does not fit V is refused, not narrowed.
        const qlonglong parsed = locale.toLongLong(text, &bOk);
        const bool bFits = parsed >= static_cast<qlonglong>(std::numeric_limits<V>::min())
            && (parsed < 0
                || static_cast<qulonglong>(parsed) <= static_cast<qulonglong>(std::numeric_limits<V>::max()));
        bOk = bOk && bFits;
        m_value = bOk ? static_cast<V>(parsed) : V(0);
    }
    return bOk;
}

template <class V, class S, int Scale, int Flags>
bool NumValue<V, S, Scale, Flags>::IsAcceptable(V value) const
{
    // Written as a positive test so that NaN is refused as well.
    if (!(value >= GetMin() && value <= GetMax()))
        return false;
    return value != 0 || IsZeroAllowed();
}

template <class V, class S, int Scale, int Flags>
void NumValue<V, S, Scale, Flags>::Stream(FileStreams::IFileStream& stream)
{
    S stored = 0;
    if (stream.IsWriting())
        stored = ToStored(m_value);
    stream.Exchange(stored);
    if (stream.IsReading()) {
        m_value = FromStored(stored);
        if (!IsAcceptable(m_value))
            stream.ReportBadRead();
        return;
    }
    // The stored integer must read back as acceptable too: a value that
    // rounds to a refused stored 0 would save a file that cannot be loaded.
    if (!IsAcceptable(m_value) || !IsAcceptable(FromStored(stored)))
        stream.ReportBadWrite();
}

extern template class NumValue<short, short, 1, 0>;
extern template class NumValue<short, short, 1, 2>;
extern template class NumValue<unsigned short, unsigned short, 1, 2>;
extern template class NumValue<unsigned int, short, 1, 0>;
extern template class NumValue<unsigned int, short, 1, 2>;
extern template class NumValue<unsigned int, unsigned short, 10, 2>;
extern template class NumValue<unsigned int, qint32, 1, 2>;
extern template class NumValue<qint32, qint32, 1, 2>;
extern template class NumValue<qint32, qint32, 1, 7>;
extern template class NumValue<float, short, 1, 0>;
extern template class NumValue<float, short, 1, 2>;
extern template class NumValue<float, short, 10, 0>;
extern template class NumValue<float, short, -10, 0>;
extern template class NumValue<float, short, 1000, 5>;
extern template class NumValue<float, short, 1000, 7>;
extern template class NumValue<float, unsigned short, 1, 2>;
extern template class NumValue<float, unsigned short, 1000, 2>;
extern template class NumValue<float, unsigned short, -1000, 2>;
extern template class NumValue<double, unsigned short, -1000, 2>;
extern template class NumValue<double, qint32, 1, 7>;
extern template class NumValue<double, qint32, 10, 2>;
extern template class NumValue<double, qint32, 10, 7>;
extern template class NumValue<double, qint32, 1000, 2>;
extern template class NumValue<double, qint32, 1000, 7>;
extern template class NumValue<double, qint32, 10000, 0>;
extern template class NumValue<double, qint32, 100000, 0>;
extern template class NumValue<double, quint32, 1, 2>;
extern template class NumValue<double, quint32, 10, 2>;
extern template class NumValueC<short, short, 651, 699, 1, 0>;
extern template class NumValueC<float, short, 400, 900, -10, 0>;
extern template class NumValueC<double, qint32, 120000, 160000, 100000, 0>;
extern template class NumValueC<double, qint32, 2, 99900000, 100000, 0>;
extern template class NumValueC<double, qint32, 2, 9990000, 10000, 0>;

} // namespace CType
