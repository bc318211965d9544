#pragma once

#include <QString>

class QTranslator;
struct tVersion;

// The program once its QApplication exists: names and icon, the log, the
// language, crash reporting and the catalogue, then the main window and the
// event loop. main() is this and the application object; the steps are apart
// so that tests can drive them.
namespace startup {

// Returns the event loop's result, or -1 when start-up cannot go on (no
// catalogue; crash reporting failed in a build flagged "D").
int Run(const QString& appName, const tVersion& version);

// The stored "Setup"/"LanguageName"; English when it is empty or when the
// version's minor number is odd. An empty name is logged unless bQuiet:
// start-up says so once.
QString LanguageName(const tVersion& version, bool bQuiet = false);

// English numbers without group separators, shown and parsed alike.
void SetDefaultLocale();

// Installs crash reporting and registers its callback; 0 when both worked,
// else the error code of the step that failed.
int InstallCrashReporting(const QString& appName, const tVersion& version,
                          const QString& languageName);

// Loads "<languageName>.qm", from the current directory first, then the
// built-in one, and installs it; false when neither loads or installing fails.
bool InstallTranslation(QTranslator& translator, const QString& languageName);

// Loads and installs Qt's own catalogue for a language ("ru_RU") from the
// system's Qt translations; false when the system has none for it.
bool InstallQtTranslation(QTranslator& translator, const QString& language);

} // namespace startup
