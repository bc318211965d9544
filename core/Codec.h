#pragma once

#include <QStringList>

class QString;
class QTextCodec;

// The codec of the program's 8-bit texts. It is passed explicitly wherever
// such text is decoded; the process-wide locale codec stays untouched so that
// file names keep the system's encoding.
QTextCodec* GetLocaleCodec();

// The characters of text that codec cannot write, each once, in the order
// they first occur; none when codec is null.
QStringList UnencodableCharacters(const QString& text, QTextCodec* codec);
