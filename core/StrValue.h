#pragma once

#include "core/Assert.h"
#include "core/FileStreams.h"
#include "core/Value.h"

namespace CType {

// A text of at most maxBytes - 1 characters (the file's zero terminator
// takes the last byte).
template <int maxBytes>
class StrValue : public IStrValue, public FileStreams::IStream
{
public:
    explicit StrValue(const QString& pattern = QString()) : IStrValue(pattern)
    {
        QV_ASSERT(maxBytes>1);
    }
    StrValue(const StrValue&) = default;
    StrValue& operator=(const StrValue&) = default;
    ~StrValue() override = default;

    StrValue* Clone() const override { return new StrValue(*this); }
    int MaxLength() const override { return maxBytes - 1; }

    void Stream(FileStreams::IFileStream& stream) override
    {
        stream.Exchange(m_value, static_cast<unsigned>(MaxLength()));
    }

    bool operator==(const QString& text) const { return m_value == text; }
    bool operator!=(const QString& text) const { return m_value != text; }
};

extern template class StrValue<32>;
extern template class StrValue<101>;

} // namespace CType
