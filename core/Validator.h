#pragma once

#include "core/Value.h"

#include <QRegExp>
#include <QValidator>

namespace CType {

// Judges a line edit's text while the user types and shows why as a tool
// tip beside the edit. Declares no meta-object of its own, so its texts are
// translated in the context "QValidator".
class CValidator : public QValidator
{
public:
    CValidator(QObject* parent, const QString& initialText);
    ~CValidator() override;

    // position -1: focus entered the edit, show the hint again;
    // position -2: the value is being read back, a text that is not
    // acceptable throws IValue::ValidatorMessage.
    State validate(QString& input, int& position) const override;
    void ShowHint(const IValue::ValidatorMessage& message) const;

    // hint may be null.
    virtual State Check(const QString& input, QString* hint) const = 0;

private:
    mutable IValue::ValidatorMessage m_lastShown;
    QString m_initialText;
};

class CNumValidator : public CValidator
{
public:
    // value is not owned and must outlive the validator.
    CNumValidator(const INumValue* value, QObject* parent, const QString& initialText);

    State Check(const QString& input, QString* hint) const override;

private:
    const INumValue* m_value;
};

class CStrValidator : public CValidator
{
public:
    // value is not owned and must outlive the validator.
    CStrValidator(const IStrValue* value, QObject* parent, const QString& initialText,
                  const QString& sregexp);

    State Check(const QString& input, QString* hint) const override;

private:
    const IStrValue* m_value;
    QRegExp m_regexp;
};

} // namespace CType
