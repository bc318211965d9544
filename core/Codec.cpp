#include "core/Codec.h"

#include <QTextCodec>

QTextCodec* GetLocaleCodec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("Windows-1251");
    return codec;
}

QStringList UnencodableCharacters(const QString& text, QTextCodec* codec)
{
    QStringList found;
    if (!codec)
        return found;
    for (int i = 0; i < text.size();) {
        // A character outside the basic plane comes as two halves.
        const int length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!codec->canEncode(character) && !found.contains(character))
            found << character;
        i += length;
    }
    return found;
}
