#pragma once

#include <QString>

namespace CType {
namespace FileStreams {

// What typed values and blocks see of a bidirectional file stream.
class IFileStream
{
public:
    virtual ~IFileStream() = default;

    virtual bool IsReading() const = 0;
    bool IsWriting() const { return !IsReading(); }

    // A value just read is outside its allowed range.
    [[noreturn]] virtual void ReportBadRead() = 0;
    // A value about to be written is outside its allowed range.
    [[noreturn]] virtual void ReportBadWrite() = 0;

    // Text field; limit counts characters, 0 means none.
    virtual QString Exchange(QString& text, unsigned limit) = 0;
    virtual quint16 Exchange(quint16& value) = 0;
    virtual qint16 Exchange(qint16& value) = 0;
    virtual quint32 Exchange(quint32& value) = 0;
    virtual qint32 Exchange(qint32& value) = 0;
};

// Anything that reads or writes itself through an IFileStream.
class IStream
{
public:
    virtual void Stream(IFileStream& stream) = 0;

protected:
    ~IStream() = default;
};

} // namespace FileStreams
} // namespace CType
