#pragma once

#include "core/NumValue.h"
#include "core/StrValue.h"
#include "core/Value.h"
#include "sor/CustomQWMXR01.h"
#include "sor/FixedParameters.h"
#include "sor/GeneralParameters.h"
#include "sor/KeyEvents.h"
#include "sor/SupplierParameters.h"

#include <QDateTime>
#include <QDialog>
#include <QSharedPointer>

#include <functional>
#include <memory>

class CFileList;

namespace Ui {
class CFileInfo;
}

namespace sor {
class CFile;
}

// Views and edits one trace's descriptive data. General fields are always
// editable; the instrument and measurement fields only while the program's
// options allow service editing. Nothing reaches the file until OK.
class CFileInfo : public QDialog
{
    Q_OBJECT

public:
    // fileList receives the rename request; it may be null, then the name
    // box is shown but never applied.
    CFileInfo(QSharedPointer<sor::CFile> file, CFileList* fileList);
    ~CFileInfo() override;

    int exec() override;

    QSharedPointer<sor::CFile> GetFile() const { return file; }

    // Lets a test play the user: it runs in place of the dialog, may edit the
    // file, and returns the dialog's result. An empty function restores the
    // real dialog.
    using tExecHook = std::function<int(CFileInfo& dialog)>;
    static void SetExecHook(tExecHook hook);

public slots:
    void accept() override;
    void OnUpdateGI();

private:
    void FillGeneral();
    void FillSupplier(bool bService);
    void FillFixed(bool bService);
    void FillEndToEnd(bool bService);
    void FillCustomBlock();

    // One pass over every field; throws CType::IValue::ValidatorMessage at
    // the first text that is not acceptable.
    void StorePass();
    void StoreService();
    void StoreEndToEndLength();
    void StoreEndToEndLoss();
    // Puts the failure to the user; true when the pass is to run again.
    bool AskAboutField(const CType::IValue::ValidatorMessage& message, bool* bIgnoreAll);

    CFileList* fileList;
    std::unique_ptr<Ui::CFileInfo> form;
    QSharedPointer<sor::CFile> file;
    sor::tGeneralParameters general;
    sor::tSupplierParameters supplier;
    sor::tFixedParameters fixed;
    sor::tCustomQWMXR01 customBlock1;
    bc::CKeyEvents keyEvents;
    qint32 storedFinishMarker = 0;
    qint32 storedTotalLoss = 0;
    CType::NumValueC<double, qint32, 2, 9990000, 10000, 0> rangeValue;
    CType::NumValueC<double, qint32, 2, 99900000, 100000, 0> resolutionValue;
    CType::StrValue<101> fileNameValue;
    // What DTS showed at first: the edit holds whole seconds only, so the
    // file's time is kept unless the user changed the shown one.
    QDateTime shownDateTime;
};
