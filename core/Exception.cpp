#include "core/Exception.h"

#include "core/Version.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMessageLogger>

Exception::Exception(const tErrorTrail& trail)
    : m_description(tr("Unexpected error"))
{
    AddCodes(trail);
}

Exception::Exception(const Exception& other) = default;

Exception::~Exception()
{
    QMessageLogger().critical("%s", qUtf8Printable(QStringLiteral("Exception: ") + GetText()));
}

void Exception::AddCodes(const tErrorTrail& trail)
{
    m_trail += trail;
}

void Exception::SetDescription(const QString& description)
{
    m_description = description;
}

QString Exception::GetDescription() const
{
    return m_description;
}

QString Exception::GetCodeString() const
{
    QString text = AppVersion().ToString();
    for (const tErrorCode& record : m_trail)
        text += QStringLiteral("-%1:%2").arg(record.Source).arg(record.Code);
    return text;
}

QString Exception::GetText() const
{
    return m_description + QStringLiteral("\n\n") + tr("Error code is %1").arg(GetCodeString());
}

void Exception::ShowMessage(QWidget* parent, const QString& title) const
{
    QMessageBox box(QMessageBox::Critical, title.isEmpty() ? tr("Critical error") : title, GetText(),
                    QMessageBox::NoButton, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.exec();
}

QString Exception::tr(const char* text)
{
    return QCoreApplication::translate("Exception", text);
}

EFileLoadInvalidFormat::EFileLoadInvalidFormat(const tErrorTrail& trail) : Exception(trail)
{
    SetDescription(tr("Format of loaded file is no Bellcore v1.0 format"));
}

QString EFileLoadInvalidFormat::tr(const char* text)
{
    return QCoreApplication::translate("EFileLoadInvalidFormat", text);
}

EInternalError::EInternalError(const tErrorTrail& trail) : Exception(trail)
{
    SetDescription(tr("Application internal error"));
}

QString EInternalError::tr(const char* text)
{
    return QCoreApplication::translate("EInternalError", text);
}

EFileAccessError::EFileAccessError(const tErrorTrail& trail) : Exception(trail)
{
    SetDescription(tr("File access error"));
}

QString EFileAccessError::tr(const char* text)
{
    return QCoreApplication::translate("EFileAccessError", text);
}
