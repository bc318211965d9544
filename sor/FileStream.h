#pragma once

#include "core/FileStreams.h"
#include "sor/Code.h"
#include "sor/Stream.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <array>
#include <map>
#include <utility>
#include <vector>

#include <string>

class QDateTime;
class QTextCodec;

namespace bc {

// The one object through which every part of a SOR file is read and
// written. A load reads the file once and streams from its bytes; a save
// builds the whole image in memory and replaces the file atomically.
class CFileStream : public CType::FileStreams::IFileStream
{
public:
    // Load warning bits.
    enum
    {
        LOAD_NO_CRC_BLOCK = 1,
        LOAD_INVALID_CRC = 2,
        LOAD_NO_CODEPAGE = 4,
    };

    explicit CFileStream(const QString& path);
    ~CFileStream() override;
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    int Load(IStream& root);
    void Save(IStream& root);
    bool CopyTo(const QString& destination, bool bNoOverwrite);
    void RenameTo(const QString& newPath);
    QString GetPath() const { return m_path; }

    int GetWarnings() const { return m_warnings; }
    void AddWarning(int bits) { m_warnings |= bits; }
    void ClearWarnings() { m_warnings = 0; }

    qint64 GetPos();
    bool Seek(qint64 position);
    qint64 GetSize();
    qint64 StreamObject(IStream& object);

    // The bytes of the file (loading) or of the image built so far (saving),
    // without moving the position.
    const char* PeekBytes(qint64 offset, qint64 count);

    void Read(void* bytes, qint64 count);
    void Write(const void* bytes, qint64 count);
    void ReadRawString(std::string& text);
    void WriteRawString(const std::string& text);

    bool IsReading() const override;
    [[noreturn]] void ReportBadRead() override;
    [[noreturn]] void ReportBadWrite() override;
    QString Exchange(QString& text, unsigned limit) override;
    quint16 Exchange(quint16& value) override;
    qint16 Exchange(qint16& value) override;
    quint32 Exchange(quint32& value) override;
    qint32 Exchange(qint32& value) override;

    void ExchangeBytes6(quint8* bytes);
    void ExchangeDateTime(QDateTime& dateTime);
    void SetCodePage(int index);
    static const char* GetCodecName(int index);
    // The codec texts are written with under the code page index.
    static QTextCodec* GetTextCodec(int index);
    int GetCodePage() const { return m_codePage; }
    void ExchangeCode(const tCodeSet& codes, int& index);
    void ExchangeCode(const tCodeSet& codes, int& index, tReadCode& read);
    void ExchangeCode(const tCharCodeSet& codes, int& index);

    void SetVersion2(bool bVersion2) { m_bVersion2 = bVersion2; }
    bool IsVersion2() const { return m_bVersion2; }

    void* ExchangeBytes(void* bytes, qint64 count);
    void ExchangeRawString(std::string& text);
    quint8 ReadByte();
    void CheckBlockName(const char* expected);
    void ExchangeRawCode(tCode& code);
    void ExchangeObject(CType::FileStreams::IStream& object) { object.Stream(*this); }
    void ExchangeObject(IStream& object) { object.Stream(*this); }

private:
    class CModeGuard;

    // A text codec and, when it maps every byte to one character, that
    // character for each byte: reading a text then needs no converter.
    struct tCodePage
    {
        QTextCodec* Codec = nullptr;
        bool bSingleByte = false;
        std::array<QChar, 256> Chars{};
        std::array<bool, 256> Reversible{}; // the character encodes back to the byte
    };

    // The bytes of texts the codec cannot give back (a byte it does not map,
    // a broken multi-byte sequence), by code page and decoded text in the
    // order they were read: a save writes such a text, while unchanged,
    // with the bytes it was read from.
    struct tRawTexts
    {
        std::vector<std::string> Bytes;
        size_t Next = 0;
    };

    static constexpr int kStartingCodePage = 7;
    static constexpr int kCodePageCount = 8;

    // Null when the code page's codec is not available.
    static const tCodePage* GetCodePageEntry(int index);
    void SetStartingCodePage();
    void KeepIfIrreversible(const QString& text, const std::string& bytes);
    const std::string* RawBytesOf(const QString& text);
    void CheckDirection(qint32 code);
    template <class T>
    T ExchangeInteger(T& value);

    QString m_path;
    QByteArray m_image; // the file's bytes while loading, the new image while saving
    qint64 m_pos = 0;
    int m_codePage = kStartingCodePage;
    const tCodePage* m_page = nullptr;
    std::map<std::pair<int, QString>, tRawTexts> m_rawTexts;
    bool m_bSpaceForEmpty = false;
    bool m_bReading = false;
    bool m_bWriting = false;
    int m_warnings = 0;
    bool m_bVersion2 = false;
};

} // namespace bc
