#include "device/ReplyParsers.h"

#include "device/DeviceExchange.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

constexpr int cSource = 256;

[[noreturn]] void Refuse(int code)
{
    throw EExchangeParameters({tErrorCode(cSource, code)});
}

// Instruments write a point as decimal separator whatever the desktop says.
const QLocale& ReplyLocale()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

template <class T, class Read>
void ParseList(const QString& reply, QList<T>& out, const QString& header, bool bSkipZero, Read read)
{
    const QStringList lines = reply.split(QLatin1Char('\n'));
    if (reply.isEmpty() || lines.first() != header)
        Refuse(221);
    for (int i = 1; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.isEmpty() || line == QLatin1String("\r"))
            break;
        bool bOk = false;
        const T value = read(line, &bOk);
        if (bSkipZero && (value == T(0) || !bOk))
            continue;
        if (!bOk)
            Refuse(231);
        out.append(value);
    }
}

} // namespace

void ParseIntList(const QString& reply, QList<int>& out, const QString& header, bool bSkipZero)
{
    ParseList<int>(reply, out, header, bSkipZero,
                   [](const QString& line, bool* bOk) { return line.toInt(bOk, 10); });
}

void ParseFloatList(const QString& reply, QList<float>& out, const QString& header, bool bSkipZero)
{
    // "nan" reads, but as no number: every range check would let it pass.
    ParseList<float>(reply, out, header, bSkipZero, [](const QString& line, bool* bOk) {
        const float value = ReplyLocale().toFloat(line, bOk);
        *bOk = *bOk && !std::isnan(value);
        return value;
    });
}

int DigitsOnly(const QString& text, int emptyCode, int rangeCode)
{
    static const QRegularExpression nonDigits(QStringLiteral("\\D+"));
    QString digits = text;
    digits.remove(nonDigits);
    if (digits.isEmpty())
        Refuse(emptyCode);
    bool bOk = false;
    const int value = digits.toInt(&bOk, 10);
    if (!bOk)
        Refuse(rangeCode);
    return value;
}

void ParseLine(const QString& line, tLineValues& out)
{
    if (line.isEmpty())
        Refuse(253);
    const QStringList fields = line.left(line.size() - 1).split(QLatin1Char(','));
    bool bOk = false;
    const int index = fields.at(0).toInt(&bOk, 10);
    if (!bOk)
        Refuse(262);
    // Missing fields read as empty, which the digit rule refuses.
    auto field = [&fields](int i) { return i < fields.size() ? fields.at(i) : QString(); };
    out.Index = index;
    out.Value1 = DigitsOnly(field(1), 273, 277);
    out.Value2 = DigitsOnly(field(2), 273, 277);
    out.Value3 = DigitsOnly(field(3), 273, 277);
}

bool ReadSeconds(const QByteArray& text, qint64* seconds)
{
    if (text.isEmpty() || text.size() > 12)
        return false;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    *seconds = value;
    return true;
}

QString RealText(double value)
{
    return QString::number(value, 'g', 6);
}
