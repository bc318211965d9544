#include "core/Value.h"

#include "core/Assert.h"
#include "core/Codec.h"
#include "core/Validator.h"

#include <QLineEdit>

namespace CType {

IValue::~IValue() = default;

void IValue::ToLineEdit(QLineEdit* edit, bool bEditable)
{
    m_lineEdit = edit;
    if (!edit)
        return;
    const QString text = ToString();
    edit->setText(text);
    if (bEditable)
        edit->setValidator(CreateValidator(edit, text));
    edit->setEnabled(bEditable);
}

void IValue::FromLineEdit()
{
    QLineEdit* edit = m_lineEdit;
    if (!edit || !edit->isEnabled() || !edit->isModified())
        return;
    QString text = edit->text();
    const QValidator* validator = edit->validator();
    QV_ASSERT(validator);
    QValidator::State valid = QValidator::Acceptable;
    if (validator) {
        int position = -2;
        valid = validator->validate(text, position);
    }
    const bool bOk = FromString(text);
    QV_ASSERT(bOk);
    QV_ASSERT(valid == QValidator::Acceptable);
}

QValidator* INumValue::CreateValidator(QWidget* parent, const QString& text) const
{
    return new CNumValidator(this, parent, text);
}

IStrValue::IStrValue(const QString& pattern) : m_pattern(pattern), m_codec(GetLocaleCodec()) {}

QValidator* IStrValue::CreateValidator(QWidget* parent, const QString& text) const
{
    return new CStrValidator(this, parent, text, m_pattern);
}

} // namespace CType
