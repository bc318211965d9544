#pragma once

#include <QObject>

#include <memory>

class CFileList;
class QPrinter;

// Prints, previews and exports the report of the listed traces. The printer's
// set-up lives in the options object: read at construction, written back at
// destruction, so it must go before the options object does.
class CPrinter : public QObject
{
    Q_OBJECT

public:
    CPrinter(CFileList* flist, QObject* parent);
    ~CPrinter() override;

    QPrinter* GetPrinter() const { return printer.get(); }

public slots:
    void Print();
    void Preview();
    void PageProperties();

private:
    CFileList* flist;
    std::unique_ptr<QPrinter> printer;
};
