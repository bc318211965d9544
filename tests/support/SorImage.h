#pragma once

#include "sor/CheckSum.h"

#include <QByteArray>
#include <QList>

// One block of a fixture image, exactly as it stands in the file (in the
// later layout that includes its leading name).
struct tFixtureBlock
{
    QByteArray Name;
    QByteArray Bytes;
    quint16 Revision = 100;
};

// Assembles a whole SOR image around the given blocks: the map in the chosen
// layout, the blocks in order and, when asked, a "Cksum" block holding the
// correct CRC.
inline QByteArray BuildSorImage(bool bVersion2, const QList<tFixtureBlock>& blocks, bool bChecksum = true)
{
    QList<tFixtureBlock> all = blocks;
    if (bChecksum)
        all.append({"Cksum", bVersion2 ? QByteArray("Cksum\0\0\0", 8) : QByteArray(2, '\0'), 100});

    auto le = [](quint32 value, int width) {
        QByteArray bytes;
        for (int i = 0; i < width; ++i)
            bytes.append(char((value >> (8 * i)) & 0xFF));
        return bytes;
    };

    QByteArray entries;
    for (const tFixtureBlock& block : all)
        entries += block.Name + '\0' + le(block.Revision, 2) + le(quint32(block.Bytes.size()), 4);
    const QByteArray head = bVersion2 ? QByteArray("Map\0", 4) : QByteArray();
    const int mapSize = head.size() + 2 + 4 + 2 + entries.size();

    QByteArray image = head + le(100, 2) + le(quint32(mapSize), 4) + le(quint32(all.size() + 1), 2) + entries;
    for (const tFixtureBlock& block : all)
        image += block.Bytes;
    if (bChecksum) {
        const quint16 crc = bc::CCheckSum::Crc16(image.constData(), image.size() - 2);
        image[image.size() - 2] = char(crc & 0xFF);
        image[image.size() - 1] = char(crc >> 8);
    }
    return image;
}

// The stored checksum at the end of an image, and the CRC it should hold.
inline quint16 StoredChecksum(const QByteArray& image)
{
    return quint16(quint8(image[image.size() - 2]) | (quint8(image[image.size() - 1]) << 8));
}

inline quint16 ExpectedChecksum(const QByteArray& image)
{
    return bc::CCheckSum::Crc16(image.constData(), image.size() - 2);
}
