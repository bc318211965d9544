#pragma once

#include <QString>

class QLineEdit;
class QTextCodec;
class QValidator;
class QWidget;

namespace CType {

// A field value that formats, parses and validates itself, and can be bound
// to a line edit for editing.
class IValue
{
public:
    // Thrown when a bound edit is read back while its text is not acceptable;
    // names the edit so that an editor can bring it into view.
    struct ValidatorMessage
    {
        QString Hint;
        QWidget* Widget = nullptr;
        QString InitialText;

        ValidatorMessage() = default;
        ValidatorMessage(const QString& hint, QWidget* widget, const QString& initialText)
            : Hint(hint), Widget(widget), InitialText(initialText)
        {
        }

        bool operator==(const ValidatorMessage& other) const
        {
            return Hint == other.Hint && Widget == other.Widget;
        }
        bool operator!=(const ValidatorMessage& other) const { return !(*this == other); }
    };

    IValue() = default;
    IValue(const IValue&) = default;
    IValue& operator=(const IValue&) = default;
    virtual ~IValue();

    virtual IValue* Clone() const = 0;
    virtual QString ToString() const = 0;
    virtual bool FromString(const QString& text) = 0;
    // The validator is owned by parent.
    virtual QValidator* CreateValidator(QWidget* parent, const QString& text) const = 0;

    // Shows the value in edit and remembers the edit; the edit is not owned.
    void ToLineEdit(QLineEdit* edit, bool bEditable);
    // Takes a text the user changed back into the value; throws
    // ValidatorMessage when the text is not acceptable.
    void FromLineEdit();
    QLineEdit* GetLineEdit() const { return m_lineEdit; }

private:
    QLineEdit* m_lineEdit = nullptr;
};

class INumValue : public IValue
{
public:
    QValidator* CreateValidator(QWidget* parent, const QString& text) const override;

    virtual bool IsReal() const = 0;
    virtual bool IsZeroAllowed() const = 0;
    // Zero is allowed although it lies at an end of the range.
    virtual bool IsZeroExtra() const = 0;
    virtual bool CanBeNegative() const = 0;
    virtual bool CanBePositive() const = 0;
    // Most digits of a valid entry, without sign and decimal point.
    virtual int Digits10() const = 0;
    virtual int Digits10Frac() const = 0;
    virtual QString MinText() const = 0;
    virtual QString MaxText() const = 0;
    virtual bool IsZero() const = 0;
    virtual bool IsBelowMin() const = 0;
    virtual bool IsAboveMax() const = 0;
    INumValue* Clone() const override = 0;
};

class IStrValue : public IValue
{
public:
    // pattern: a regular expression the whole text must match; empty for none.
    explicit IStrValue(const QString& pattern = QString());

    QString ToString() const override { return m_value; }
    bool FromString(const QString& text) override
    {
        m_value = text;
        return true;
    }
    QValidator* CreateValidator(QWidget* parent, const QString& text) const override;
    virtual int MaxLength() const = 0;

    QString& GetValue() { return m_value; }
    const QString& GetValue() const { return m_value; }
    void SetValue(const QString& text) { m_value = text; }
    const QString& GetPattern() const { return m_pattern; }

    // The codec the text is written to a trace file with, the program's
    // 8-bit one unless set; the validator refuses characters it cannot
    // write. Null for a text that no trace file holds.
    void SetCodec(QTextCodec* codec) { m_codec = codec; }
    QTextCodec* GetCodec() const { return m_codec; }

protected:
    QString m_pattern;
    QString m_value;
    QTextCodec* m_codec;
};

} // namespace CType
