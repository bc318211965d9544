#pragma once

#include <QByteArray>

class QPrinter;

// The printer set-up kept between runs: a QDataStream record of the printer's
// properties and its margins in millimetres, with no version and no length.
QByteArray WritePrintSetup(QPrinter& printer);

// Applies a stored record to the printer. A record that is cut short or
// damaged changes nothing and returns false: half a record would leave the
// printer with zero copies, zero resolution or a page size of nothing.
bool ReadPrintSetup(const QByteArray& record, QPrinter& printer);
