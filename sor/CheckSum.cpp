#include "sor/CheckSum.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

#include <array>

namespace bc {

namespace {

std::array<quint16, 256> makeTable()
{
    std::array<quint16, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        quint16 crc = quint16(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
        table[size_t(byte)] = crc;
    }
    return table;
}

} // namespace

quint16 CCheckSum::Crc16(const char* data, qint64 size)
{
    static const std::array<quint16, 256> table = makeTable();
    quint16 crc = 0xFFFF;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    for (qint64 i = 0; i < size; ++i)
        crc = quint16((crc << 8) ^ table[((crc >> 8) ^ bytes[i]) & 0xFF]);
    return crc;
}

quint16 CCheckSum::CalcCRC(CFileStream& stream)
{
    BlockStep(598, [&] { return stream.GetPos(); });
    qint64 size = BlockStep(601, [&] { return stream.GetSize(); });
    if (stream.IsReading())
        size -= 2;
    if (size <= 0)
        return 0xFFFF;
    return Crc16(stream.PeekBytes(0, size), size);
}

void CCheckSum::Stream(CFileStream& stream)
{
    BlockStep(585, [&] { stream.CheckBlockName(GetBlockNameCksum()); });
    // The value written here is a placeholder: the walk patches the CRC
    // once every byte count in front of it is final.
    m_valuePos = stream.IsWriting() ? stream.GetPos() : -1;
    // Reading keeps the stored value as it is: files of older instruments
    // carry checksums over other bytes, and they must still load.
    BlockStep(589, [&] { stream.Exchange(m_value); });
}

void CCheckSum::WriteFinalValue(CFileStream& stream)
{
    if (m_valuePos < 0)
        return;
    const qint64 end = stream.GetPos();
    m_value = Crc16(stream.PeekBytes(0, m_valuePos), m_valuePos);
    stream.Seek(m_valuePos);
    stream.Exchange(m_value);
    stream.Seek(end);
    m_valuePos = -1;
}

} // namespace bc
