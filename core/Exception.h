#pragma once

#include <QList>
#include <QString>

class QWidget;

#include <utility>

// One link of an error trail: which unit threw or caught, and where.
struct tErrorCode
{
    qint32 Source;
    qint32 Code;

    tErrorCode() : Source(0), Code(0) {}
    tErrorCode(qint32 source, qint32 code) : Source(source), Code(code) {}
};

using tErrorTrail = QList<tErrorCode>;

// Root of every error the program reports. Each catch site on the way out
// appends its own record and rethrows with `throw;`, so the text shown to
// the user names the whole path of the failure.
class Exception
{
public:
    explicit Exception(const tErrorTrail& trail);
    Exception(const Exception& other);
    Exception& operator=(const Exception& other) = default;
    virtual ~Exception();

    void AddCodes(const tErrorTrail& trail);
    void SetDescription(const QString& description);
    QString GetDescription() const;
    const tErrorTrail& GetCodes() const { return m_trail; }
    QString GetCodeString() const;
    QString GetText() const;
    // Puts the full text to the user in a modal critical box; an empty title
    // reads "Critical error".
    void ShowMessage(QWidget* parent, const QString& title) const;

    static QString tr(const char* text);

private:
    tErrorTrail m_trail;
    QString m_description;
};

class EFileLoadInvalidFormat : public Exception
{
public:
    explicit EFileLoadInvalidFormat(const tErrorTrail& trail);
    static QString tr(const char* text);
};

class EInternalError : public Exception
{
public:
    explicit EInternalError(const tErrorTrail& trail);
    static QString tr(const char* text);
};

class EFileAccessError : public Exception
{
public:
    explicit EFileAccessError(const tErrorTrail& trail);
    static QString tr(const char* text);
};

// Runs one guarded step: an Exception leaving it gets (source, code)
// appended and is rethrown as the same object.
template <class F>
decltype(auto) GuardedStep(qint32 source, qint32 code, F&& step)
{
    try {
        return std::forward<F>(step)();
    } catch (Exception& e) {
        e.AddCodes({tErrorCode(source, code)});
        throw;
    }
}
