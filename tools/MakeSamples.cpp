#include "tools/Samples.h"

#include "core/Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

// Writes the sample traces: make_samples FOLDER
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: " << args.value(0) << " FOLDER\n";
        return 2;
    }
    if (!QDir().mkpath(args[1])) {
        err << "cannot create " << args[1] << "\n";
        return 1;
    }
    try {
        samples::WriteSamples(args[1]);
    } catch (const Exception& e) {
        err << e.GetText() << "\n";
        return 1;
    }
    QTextStream(stdout) << "wrote " << samples::SampleFileNames().join(QStringLiteral(", "))
                        << " into " << QDir(args[1]).absolutePath() << "\n";
    return 0;
}
