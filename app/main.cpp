#include "app/Constants.h"
#include "app/Startup.h"
#include "resources/Resources.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const QString appName = QStringLiteral("Quorvane");
    QApplication app(argc, argv);
    InitResources();
    return startup::Run(appName, cProgramVersion);
}
