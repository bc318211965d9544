#include "app/Constants.h"

const tVersion cProgramVersion = AppVersion();

// Formed from the version so that another version never takes this one's
// registration for its own.
const QString cProgId = QStringLiteral("%1%2_%3.sor.1")
                            .arg(QStringLiteral("Quorvane"))
                            .arg(cProgramVersion.Major)
                            .arg(cProgramVersion.Minor);

const QColor cDefaultGraphBackground(218, 236, 255, 255);

const std::function<int(int)> cValueAsData = [](int value) { return value; };

const std::function<QString(int)> cValueAsText = [](int value) { return QString::number(value); };

const std::function<QString(int)> cThousandthsAsText = [](int value) {
    return QString::number(value / 1000.0, 'g', 6);
};
