#pragma once

#include <QDateTime>
#include <QString>

// Texts of dates and measured values for tables, labels and reports. Values
// outside a quantity's range show as the bound with "<" or ">".
QString FormatDateTime(const QDateTime& dateTime);
QString FormatBounded(double value, float lower, float upper, int decimals, int boundDecimals);
QString FormatReflectance(double reflectance);
QString FormatLoss(float loss);
QString FormatAttenuation(float attenuation);
QString FormatFloat3(float value);
