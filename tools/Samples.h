#pragma once

#include <QString>
#include <QStringList>

// The sample traces shipped in samples/: a 20 km line measured at 1310 and
// 1550 nm and a short building link. Writing is repeatable: fixed dates and
// noise drawn from fixed keys give byte-identical files on every run.
namespace samples {

// File names of the traces WriteSamples writes, in the order written.
QStringList SampleFileNames();

// Writes every sample trace into `folder` (which must exist), replacing files
// of the same names; throws what sor::CFile throws when a save fails.
void WriteSamples(const QString& folder);

} // namespace samples
