// libFuzzer target: every input is loaded as a trace file. A bad file must
// end in the project's own exception family; a file that loads must save,
// reload to equal records and re-save to the same bytes.
#include "core/Exception.h"
#include "support/TraceDiff.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Destroyed at exit, so that every fuzzing process takes its folder along.
std::unique_ptr<QTemporaryDir> g_dir;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

[[noreturn]] void finding(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "round trip: %s %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_dir = std::make_unique<QTemporaryDir>();
    return g_dir->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = g_dir->filePath(QStringLiteral("input.sor"));
    const QString first = g_dir->filePath(QStringLiteral("first.sor"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            finding("cannot write the input file");
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    std::unique_ptr<CComparableTrace> loaded;
    try {
        int warnings = 0;
        loaded = std::make_unique<CComparableTrace>(input, warnings);
    } catch (const Exception&) {
        return 0;
    }

    try {
        QFile::remove(first);
        loaded->SetFileName(first);
        loaded->Save();
    } catch (const Exception& e) {
        finding("a loaded trace cannot be saved:", e.GetText());
    }
    std::unique_ptr<CComparableTrace> reloaded;
    try {
        int warnings = 0;
        reloaded = std::make_unique<CComparableTrace>(first, warnings);
    } catch (const Exception& e) {
        finding("a saved trace does not reload:", e.GetText());
    }
    const QString difference = TraceDifference(*loaded, *reloaded);
    if (!difference.isEmpty())
        finding("the reload differs in", difference);

    const QByteArray saved = readAll(first);
    try {
        reloaded->Save();
    } catch (const Exception& e) {
        finding("a reloaded trace cannot be saved:", e.GetText());
    }
    if (readAll(first) != saved)
        finding("a save of a save changes the bytes");
    return 0;
}
