#pragma once

#include <QByteArray>
#include <QtGlobal>

// Builds SOR byte images field by field, little-endian, for test fixtures.
class SorBytes
{
public:
    SorBytes& U8(quint8 value)
    {
        m_bytes.append(char(value));
        return *this;
    }
    SorBytes& U16(quint16 value) { return Int(value, 2); }
    SorBytes& I16(qint16 value) { return Int(quint16(value), 2); }
    SorBytes& U32(quint32 value) { return Int(value, 4); }
    SorBytes& I32(qint32 value) { return Int(quint32(value), 4); }
    // Text and its terminating zero byte.
    SorBytes& Str(const QByteArray& text)
    {
        m_bytes.append(text);
        m_bytes.append('\0');
        return *this;
    }
    // Bytes as they are, no terminator.
    SorBytes& Raw(const QByteArray& bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }

    const QByteArray& Bytes() const { return m_bytes; }
    int Size() const { return m_bytes.size(); }

private:
    SorBytes& Int(quint32 value, int width)
    {
        for (int i = 0; i < width; ++i)
            m_bytes.append(char((value >> (8 * i)) & 0xFF));
        return *this;
    }

    QByteArray m_bytes;
};
