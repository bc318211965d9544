#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The replies that all protocols share: keyed lists of numbers and
// comma-separated lines of four fields. Every failure throws
// EExchangeParameters with source 256.

// A list reply: the header line, then one number per line up to an empty line
// or a lone CR. With bSkipZero, zeros and lines that do not read are left out.
void ParseIntList(const QString& reply, QList<int>& out, const QString& header, bool bSkipZero);
void ParseFloatList(const QString& reply, QList<float>& out, const QString& header, bool bSkipZero);

// "index,v1,v2,v3" plus a terminator. The values keep their digits only, so
// "-12.5 dB" reads 125.
struct tLineValues
{
    int Value1 = 0;
    int Value2 = 0;
    int Value3 = 0;
    int Index = 0;
};
void ParseLine(const QString& line, tLineValues& out);

// The digit rule on its own: every run of non-digits removed, then read as a
// base 10 int. Throws (256, emptyCode) for no digits, (256, rangeCode) when
// the digits do not fit.
int DigitsOnly(const QString& text, int emptyCode, int rangeCode);

// A real number as the instruments read it: six significant digits.
QString RealText(double value);

// Whole seconds as the instruments write them: digits only, at most twelve.
bool ReadSeconds(const QByteArray& text, qint64* seconds);
