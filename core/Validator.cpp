#include "core/Validator.h"

#include "core/Assert.h"
#include "core/Codec.h"
#include "core/FocusController.h"

#include <QCoreApplication>
#include <QLocale>
#include <QScopedValueRollback>
#include <QToolTip>
#include <QWidget>

#include <cstring>
#include <memory>

namespace CType {

namespace {

bool isExactlyLineEdit(const QObject* object)
{
    return object && std::strcmp(object->metaObject()->className(), "QLineEdit") == 0;
}

} // namespace

CValidator::CValidator(QObject* parent, const QString& initialText)
    : QValidator(parent), m_initialText(initialText)
{
    CFocusController::Instance();
}

CValidator::~CValidator() = default;

QValidator::State CValidator::validate(QString& input, int& position) const
{
    QString hint;
    const State state = Check(input, &hint);
    QObject* owner = parent();
    if (!isExactlyLineEdit(owner))
        return state;
    const IValue::ValidatorMessage message(hint, static_cast<QWidget*>(owner), m_initialText);
    if (position == -1)
        m_lastShown = IValue::ValidatorMessage();
    if (state != Acceptable && position == -2)
        throw message;
    ShowHint(message);
    return state;
}

void CValidator::ShowHint(const IValue::ValidatorMessage& message) const
{
    // Showing a tool tip may move focus synchronously, which validates the
    // edit and shows a hint again while the first tool tip is being built.
    static bool s_bShowing = false;
    if (s_bShowing || !isExactlyLineEdit(message.Widget) || message == m_lastShown)
        return;
    const QScopedValueRollback<bool> showing(s_bShowing, true);
    if (message.Hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(message.Widget->mapToGlobal(QPoint(10, 0)), message.Hint, message.Widget);
    m_lastShown = message;
}

CNumValidator::CNumValidator(const INumValue* value, QObject* parent, const QString& initialText)
    : CValidator(parent, initialText), m_value(value)
{
}

QValidator::State CNumValidator::Check(const QString& input, QString* hint) const
{
    const INumValue* val = m_value;
    auto refuse = [hint](const QString& text, State state) {
        if (hint)
            *hint = text;
        return state;
    };
    const QLocale locale;
    const QChar point = locale.decimalPoint();
    const QChar minus('-');

    const QString zeroNote = val->IsZeroExtra() ? QCoreApplication::translate("QValidator", " (can be zero)") : QString();
    const QString rangeText = QCoreApplication::translate("QValidator", "Enter numeric value from %1 to %2%3")
                                  .arg(val->MinText(), val->MaxText(), zeroNote);
    if (!input.isEmpty()) {
        if (!val->CanBeNegative() && input.startsWith(minus))
            return refuse(QCoreApplication::translate("QValidator", "Value can't be negative"), Invalid);
        if (!val->CanBePositive() && !input.startsWith(minus))
            return refuse(QCoreApplication::translate("QValidator", "Value can't be positive (put '-' first)"), Invalid);
        if (!val->IsReal() && input.contains(point))
            return refuse(QCoreApplication::translate("QValidator", "Value must be integer"), Invalid);
    }

    const QString tooLong =
        QCoreApplication::translate("QValidator", "%1", "Сообщение в случае превышения числа символов, аргумент - сообщение о диапазоне ввода")
            .arg(rangeText);
    const int pointAt = input.indexOf(point);
    if (pointAt >= 0 && input.length() - pointAt - 1 > val->Digits10Frac())
        return refuse(tooLong, Invalid);
    if (pointAt != 0 && !input.isEmpty()) {
        QString intPart = pointAt > 0 ? input.left(pointAt) : input;
        intPart.remove(minus);
        QV_ASSERT(val->Digits10()-val->Digits10Frac() >= 0);
        const int n = val->Digits10() - val->Digits10Frac();
        if (n != 0 && intPart.length() > n)
            return refuse(tooLong, Invalid);
        if (n == 0 && !intPart.isEmpty() && intPart != QLatin1String("0"))
            return refuse(tooLong, Invalid);
    }

    QString digits = input;
    digits.remove(minus).remove(point);
    if (input.isEmpty() || input == minus || input == point || input == QString(minus) + point)
        return refuse(rangeText, Intermediate);

    const std::unique_ptr<INumValue> trial(val->Clone());
    const bool bParsed = trial->FromString(input);
    if (input.startsWith(QLatin1Char('+')))
        return refuse(QCoreApplication::translate("QValidator", "Enter a numeric value"), Invalid);
    if (!bParsed) {
        // A whole number too large for the value's integer type is out of
        // range, not malformed; other refused texts stay malformed.
        bool bNumber = false;
        const qlonglong number = locale.toLongLong(input, &bNumber);
        if (bNumber && number > locale.toDouble(val->MaxText()))
            return refuse(QCoreApplication::translate("QValidator", "Maximum value is %1").arg(val->MaxText()), Intermediate);
        if (bNumber && number < locale.toDouble(val->MinText()))
            return refuse(QCoreApplication::translate("QValidator", "Minimum value is %1").arg(val->MinText()), Intermediate);
        return refuse(QCoreApplication::translate("QValidator", "Enter a numeric value"), Invalid);
    }
    if (trial->IsZero()) {
        if (val->IsZeroAllowed())
            return Acceptable;
        return refuse(QCoreApplication::translate("QValidator", "Value can't be zero"),
                      digits.length() < val->Digits10() ? Intermediate : Invalid);
    }
    if (trial->IsBelowMin())
        return refuse(QCoreApplication::translate("QValidator", "Minimum value is %1").arg(val->MinText()), Intermediate);
    if (trial->IsAboveMax())
        return refuse(QCoreApplication::translate("QValidator", "Maximum value is %1").arg(val->MaxText()), Intermediate);
    return Acceptable;
}

CStrValidator::CStrValidator(const IStrValue* value, QObject* parent, const QString& initialText,
                             const QString& sregexp)
    : CValidator(parent, initialText), m_value(value), m_regexp(sregexp, Qt::CaseSensitive, QRegExp::RegExp)
{
    const QRegExp& regexp = m_regexp;
    QV_ASSERT(sregexp.isEmpty() || regexp.isValid());
}

QValidator::State CStrValidator::Check(const QString& input, QString* hint) const
{
    auto refuse = [hint](const QString& text) {
        if (hint)
            *hint = text;
        return Invalid;
    };
    if (input.length() > m_value->MaxLength())
        return refuse(QCoreApplication::translate("QValidator", "Maximum string length is %1").arg(m_value->MaxLength()));
    // The file's code page would write each of them as "?".
    const QStringList unwritable = UnencodableCharacters(input, m_value->GetCodec());
    if (!unwritable.isEmpty())
        return refuse(QCoreApplication::translate("QValidator", "These characters can't be saved in the trace file: %1")
                          .arg(unwritable.join(QLatin1Char(' '))));
    if (!m_regexp.isEmpty() && !m_regexp.exactMatch(input))
        return refuse(QCoreApplication::translate("QValidator", "Please use only digits, letters, '_' or '-' and space"));
    return Acceptable;
}

} // namespace CType
