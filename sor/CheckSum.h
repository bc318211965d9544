#pragma once

#include "sor/Stream.h"

#include <QtGlobal>

namespace bc {

// The "Cksum" block: a CRC-16 over every byte of the file in front of its
// value.
class CCheckSum : public IStream
{
public:
    void Stream(CFileStream& stream) override;

    // CRC of the stream's bytes: the whole image while writing, all but the
    // stored value while reading.
    quint16 CalcCRC(CFileStream& stream);
    static quint16 Crc16(const char* data, qint64 size);

    // Called once the whole image is written (map sizes patched): puts the
    // CRC of the final bytes in front of the value into the value.
    void WriteFinalValue(CFileStream& stream);

    quint16 GetValue() const { return m_value; }

private:
    quint16 m_value = 0;
    qint64 m_valuePos = -1; // where the value was written by the current save
};

} // namespace bc
