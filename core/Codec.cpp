#include "core/Codec.h"

#include <QTextCodec>

QTextCodec* GetLocaleCodec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("Windows-1251");
    return codec;
}
