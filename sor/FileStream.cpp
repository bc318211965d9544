#include "sor/FileStream.h"

#include "core/Assert.h"
#include "core/Codec.h"
#include "core/Exception.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace bc {

namespace {

const qint32 kSource = 1;
const qint64 kMaxFileSize = qint64(1) << 30;
// Files up to this size are read into the thread's kept buffer.
const qint64 kKeptBufferSize = qint64(16) << 20;

// One read buffer per thread, kept from load to load: a folder refresh loads
// and drops files over and over, and fresh memory for every file would be
// faulted in page by page each time. It is never zero-filled.
char* loadBuffer(qint64 size, std::unique_ptr<char[]>& oneOff)
{
    if (size > kKeptBufferSize) {
        oneOff.reset(new char[size_t(size)]);
        return oneOff.get();
    }
    thread_local std::unique_ptr<char[]> kept;
    thread_local qint64 capacity = 0;
    if (capacity < size) {
        kept.reset(new char[size_t(size)]);
        capacity = size;
    }
    return kept.get();
}

[[noreturn]] void raiseFormat(qint32 code)
{
    throw EFileLoadInvalidFormat({tErrorCode(kSource, code)});
}

[[noreturn]] void raiseInternal(qint32 code)
{
    throw EInternalError({tErrorCode(kSource, code)});
}

[[noreturn]] void raiseAccess(qint32 code)
{
    throw EFileAccessError({tErrorCode(kSource, code)});
}

} // namespace

// Holds one load or save: sets the mode flag and drops the bytes when the
// operation ends, also on failure.
class CFileStream::CModeGuard
{
public:
    CModeGuard(CFileStream& stream, bool& bMode) : m_stream(stream), m_bMode(bMode)
    {
        QV_ASSERT(bMode==false);
        m_bMode = true;
        m_stream.m_image.clear();
        m_stream.m_pos = 0;
        // Texts in front of "GenParams" are read with the starting code
        // page; a save must write them with the same one.
        m_stream.SetStartingCodePage();
    }

    ~CModeGuard()
    {
        m_stream.m_image.clear();
        m_stream.m_pos = 0;
        m_bMode = false;
    }

    CModeGuard(const CModeGuard&) = delete;
    CModeGuard& operator=(const CModeGuard&) = delete;

private:
    CFileStream& m_stream;
    bool& m_bMode;
};

CFileStream::CFileStream(const QString& path)
    : m_path(path), m_page(GetCodePageEntry(kStartingCodePage))
{
    if (!m_page)
        raiseInternal(66);
}

CFileStream::~CFileStream()
{
    QV_ASSERT(!m_bReading && !m_bWriting);
}

int CFileStream::Load(IStream& root)
{
    CModeGuard guard(*this, m_bReading);
    m_rawTexts.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        raiseAccess(76);
    std::unique_ptr<char[]> oneOff;
    GuardedStep(kSource, 80, [&] {
        // Far beyond any trace; refusing it keeps a stray huge file from
        // exhausting memory.
        const qint64 size = file.size();
        if (size > kMaxFileSize)
            raiseFormat(78);
        char* bytes = loadBuffer(size, oneOff);
        // Another program may shorten the file meanwhile: what was read is
        // what gets parsed, and a trace cut short fails as one.
        const qint64 count = size > 0 ? file.read(bytes, size) : 0;
        if (count < 0)
            raiseAccess(143);
        file.close();
        m_image = QByteArray::fromRawData(bytes, int(count));
        StreamObject(root);
    });
    return m_warnings;
}

void CFileStream::Save(IStream& root)
{
    CModeGuard guard(*this, m_bWriting);
    for (auto& kept : m_rawTexts)
        kept.second.Next = 0;
    GuardedStep(kSource, 98, [&] { StreamObject(root); });

    // QSaveFile keeps the old file whole until the new image is complete
    // on disk, so a full disk or an I/O error loses nothing.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        raiseAccess(102);
    if (file.write(m_image) != m_image.size())
        raiseInternal(105);
    if (!file.commit())
        raiseInternal(105);
}

bool CFileStream::CopyTo(const QString& destination, bool bNoOverwrite)
{
    if (bNoOverwrite && QFile::exists(destination))
        return false;
    if (!QFile::copy(m_path, destination))
        raiseInternal(117);
    return true;
}

void CFileStream::RenameTo(const QString& newPath)
{
    if (m_bReading || m_bWriting)
        raiseInternal(125);
    if (!m_path.isEmpty() && QFile::exists(m_path)) {
        if (!QFile::rename(m_path, newPath))
            raiseAccess(129);
    }
    m_path = newPath;
}

void CFileStream::CheckDirection(qint32 code)
{
    if (m_bReading == m_bWriting) {
        m_bReading = false;
        m_bWriting = false;
        raiseInternal(code);
    }
}

qint64 CFileStream::GetPos()
{
    CheckDirection(238);
    return m_pos;
}

bool CFileStream::Seek(qint64 position)
{
    CheckDirection(245);
    if (position < 0 || position > m_image.size()) {
        if (m_bReading)
            raiseAccess(246);
        raiseInternal(246);
    }
    m_pos = position;
    return true;
}

qint64 CFileStream::GetSize()
{
    CheckDirection(256);
    return m_image.size();
}

qint64 CFileStream::StreamObject(IStream& object)
{
    const qint64 start = GetPos();
    object.Stream(*this);
    return GetPos() - start;
}

const char* CFileStream::PeekBytes(qint64 offset, qint64 count)
{
    if (!m_bReading && !m_bWriting)
        raiseAccess(143);
    if (offset < 0 || count < 0 || count > m_image.size() - offset)
        raiseFormat(145);
    return m_image.constData() + offset;
}

void CFileStream::Read(void* bytes, qint64 count)
{
    if (!m_bReading && !m_bWriting)
        raiseAccess(143);
    if (count < 0 || count > m_image.size() - m_pos)
        raiseFormat(145);
    if (count > 0)
        std::memcpy(bytes, m_image.constData() + m_pos, size_t(count));
    m_pos += count;
}

void CFileStream::Write(const void* bytes, qint64 count)
{
    if (!m_bWriting || count < 0)
        raiseAccess(151);
    const char* source = static_cast<const char*>(bytes);
    if (m_pos == m_image.size()) {
        m_image.append(source, int(count));
    } else {
        const qint64 overlap = qMin(count, m_image.size() - m_pos);
        std::memcpy(m_image.data() + m_pos, source, size_t(overlap));
        m_image.append(source + overlap, int(count - overlap));
    }
    m_pos += count;
}

void CFileStream::ReadRawString(std::string& text)
{
    if (!m_bReading && !m_bWriting)
        raiseAccess(143);
    const char* start = m_image.constData() + m_pos;
    const qint64 left = m_image.size() - m_pos;
    const void* zero = left > 0 ? std::memchr(start, 0, size_t(left)) : nullptr;
    if (!zero) {
        m_pos += left;
        raiseFormat(145);
    }
    const qint64 length = static_cast<const char*>(zero) - start;
    m_pos += length + 1;
    if (length == 1 && start[0] == ' ') {
        m_bSpaceForEmpty = true;
        text.clear();
        return;
    }
    text.assign(start, size_t(length));
}

void CFileStream::WriteRawString(const std::string& text)
{
    if (m_bSpaceForEmpty && text.empty()) {
        Write(" ", 2);
        return;
    }
    Write(text.c_str(), qint64(text.size()) + 1);
}

bool CFileStream::IsReading() const
{
    return m_bReading;
}

void CFileStream::ReportBadRead()
{
    raiseFormat(51);
}

void CFileStream::ReportBadWrite()
{
    raiseInternal(56);
}

template <class T>
T CFileStream::ExchangeInteger(T& value)
{
    unsigned char bytes[sizeof(T)];
    if (m_bReading) {
        Read(bytes, sizeof(T));
        std::make_unsigned_t<T> raw = 0;
        for (size_t i = sizeof(T); i-- > 0;)
            raw = std::make_unsigned_t<T>((raw << 8) | bytes[i]);
        value = T(raw);
    } else {
        auto raw = std::make_unsigned_t<T>(value);
        for (size_t i = 0; i < sizeof(T); ++i)
            bytes[i] = static_cast<unsigned char>(raw >> (8 * i));
        Write(bytes, sizeof(T));
    }
    return value;
}

quint16 CFileStream::Exchange(quint16& value)
{
    return ExchangeInteger(value);
}

qint16 CFileStream::Exchange(qint16& value)
{
    return ExchangeInteger(value);
}

quint32 CFileStream::Exchange(quint32& value)
{
    return ExchangeInteger(value);
}

qint32 CFileStream::Exchange(qint32& value)
{
    return ExchangeInteger(value);
}

void CFileStream::ExchangeBytes6(quint8* bytes)
{
    ExchangeBytes(bytes, 6);
}

void CFileStream::ExchangeDateTime(QDateTime& dateTime)
{
    CheckDirection(223);
    dateTime.setTimeSpec(Qt::UTC);
    quint32 seconds = 0;
    if (m_bWriting) {
        // As the 32-bit time_t conversion does: a date the field cannot
        // hold is stored as 0xFFFFFFFF instead of wrapping round.
        const qint64 secs = dateTime.isValid() ? dateTime.toSecsSinceEpoch() : -1;
        seconds = secs >= 0 && secs < qint64(0xFFFFFFFF) ? quint32(secs) : 0xFFFFFFFFu;
    }
    Exchange(seconds);
    if (m_bReading)
        dateTime = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

QString CFileStream::Exchange(QString& text, unsigned limit)
{
    CheckDirection(202);
    if (m_bReading) {
        std::string bytes;
        ReadRawString(bytes);
        // A fresh decode per text: a broken multi-byte sequence must not
        // carry over into the next field.
        if (m_page->bSingleByte) {
            text.resize(int(bytes.size()));
            QChar* out = text.data();
            for (size_t i = 0; i < bytes.size(); ++i)
                out[i] = m_page->Chars[uchar(bytes[i])];
        } else {
            text = m_page->Codec->toUnicode(bytes.data(), int(bytes.size()));
        }
        KeepIfIrreversible(text, bytes);
    }
    if (limit != 0 && unsigned(text.size()) > limit) {
        if (m_bReading)
            raiseFormat(211);
        raiseInternal(213);
    }
    if (m_bWriting) {
        if (const std::string* raw = RawBytesOf(text)) {
            WriteRawString(*raw);
        } else {
            const QByteArray encoded = m_page->Codec->fromUnicode(text);
            WriteRawString(std::string(encoded.constData(), qstrnlen(encoded.constData(), uint(encoded.size()))));
        }
    }
    return text;
}

void CFileStream::KeepIfIrreversible(const QString& text, const std::string& bytes)
{
    bool bReversible = true;
    if (m_page->bSingleByte) {
        for (char byte : bytes)
            bReversible = bReversible && m_page->Reversible[uchar(byte)];
    } else {
        const QByteArray back = m_page->Codec->fromUnicode(text);
        bReversible = back.size() == int(bytes.size())
            && std::memcmp(back.constData(), bytes.data(), bytes.size()) == 0;
    }
    if (!bReversible)
        m_rawTexts[{m_codePage, text}].Bytes.push_back(bytes);
}

const std::string* CFileStream::RawBytesOf(const QString& text)
{
    if (m_rawTexts.empty())
        return nullptr;
    const auto found = m_rawTexts.find({m_codePage, text});
    if (found == m_rawTexts.end())
        return nullptr;
    // Equal texts take their bytes in reading order; a text written more
    // often than it was read (a copied event) repeats the last.
    tRawTexts& raw = found->second;
    const size_t at = std::min(raw.Next, raw.Bytes.size() - 1);
    ++raw.Next;
    return &raw.Bytes[at];
}

const char* CFileStream::GetCodecName(int index)
{
    switch (index) {
    case 1:
    case 3:
    case 4:
        return "Windows-1250";
    case 2:
        return "EUC-JP";
    case 6:
        return "Windows-1251";
    default:
        return "";
    }
}

QTextCodec* CFileStream::GetTextCodec(int index)
{
    const tCodePage* page = GetCodePageEntry(index);
    if (!page)
        page = GetCodePageEntry(kStartingCodePage);
    return page ? page->Codec : GetLocaleCodec();
}

void CFileStream::SetStartingCodePage()
{
    m_codePage = kStartingCodePage;
    m_page = GetCodePageEntry(kStartingCodePage);
}

// A lookup by name compares against every name the codec library knows, and
// each decode through the codec opens a converter: both are done once per
// code page, not per file or per text.
const CFileStream::tCodePage* CFileStream::GetCodePageEntry(int index)
{
    static const std::array<tCodePage, kCodePageCount> pages = [] {
        std::array<tCodePage, kCodePageCount> made{};
        for (int i = 0; i < kCodePageCount; ++i) {
            tCodePage& page = made[size_t(i)];
            const char* name = GetCodecName(i);
            page.Codec = *name ? QTextCodec::codecForName(name) : GetLocaleCodec();
            if (!page.Codec)
                continue;
            char bytes[256];
            for (int byte = 0; byte < 256; ++byte)
                bytes[byte] = char(byte);
            const QString chars = page.Codec->toUnicode(bytes, 256);
            page.bSingleByte = chars.size() == 256;
            if (!page.bSingleByte)
                continue;
            const QByteArray back = page.Codec->fromUnicode(chars);
            for (int byte = 0; byte < 256; ++byte) {
                page.Chars[size_t(byte)] = chars[byte];
                page.Reversible[size_t(byte)] = back.size() == 256 && back[byte] == bytes[byte];
            }
        }
        return made;
    }();
    const tCodePage& page = pages[size_t(index >= 0 && index < kCodePageCount ? index : kStartingCodePage)];
    return page.Codec ? &page : nullptr;
}

void CFileStream::SetCodePage(int index)
{
    CheckDirection(290);
    m_codePage = index;
    const tCodePage* page = GetCodePageEntry(index);
    if (!page) {
        AddWarning(LOAD_NO_CODEPAGE);
        page = GetCodePageEntry(kStartingCodePage);
    }
    m_page = page;
}

void CFileStream::ExchangeCode(const tCodeSet& codes, int& index)
{
    tReadCode read;
    ExchangeCode(codes, index, read);
}

void CFileStream::ExchangeCode(const tCodeSet& codes, int& index, tReadCode& read)
{
    if (m_bWriting) {
        if (read.Index >= 0 && read.Index == index) {
            tCode code = read.Code;
            ExchangeRawCode(code);
            return;
        }
        if (index < 0 || size_t(index) >= codes.size())
            ReportBadWrite();
        tCode code = codes[size_t(index)];
        ExchangeRawCode(code);
        return;
    }
    tCode code;
    ExchangeRawCode(code);
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == code) {
            index = int(i);
            read = tReadCode();
            return;
        }
    }
    read.Code = code;
    read.Index = index;
}

void CFileStream::ExchangeCode(const tCharCodeSet& codes, int& index)
{
    if (m_bWriting) {
        if (index < 0 || size_t(index) >= codes.size())
            ReportBadWrite();
        char code = codes[size_t(index)];
        ExchangeBytes(&code, 1);
        return;
    }
    char code = 0;
    ExchangeBytes(&code, 1);
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == code) {
            index = int(i);
            return;
        }
    }
    raiseFormat(41);
}

void* CFileStream::ExchangeBytes(void* bytes, qint64 count)
{
    if (m_bReading)
        Read(bytes, count);
    else
        Write(bytes, count);
    return bytes;
}

void CFileStream::ExchangeRawString(std::string& text)
{
    if (m_bReading)
        ReadRawString(text);
    else
        WriteRawString(text);
}

quint8 CFileStream::ReadByte()
{
    quint8 byte = 0;
    Read(&byte, 1);
    return byte;
}

void CFileStream::CheckBlockName(const char* expected)
{
    if (!m_bVersion2)
        return;
    std::string name = m_bReading ? std::string() : std::string(expected);
    ExchangeRawString(name);
    if (m_bReading && name != expected)
        ReportBadRead();
}

void CFileStream::ExchangeRawCode(tCode& code)
{
    ExchangeBytes(code.c, 2);
}

} // namespace bc
