#include "device/Device.h"

#include "core/Assert.h"
#include "device/DeviceExchangeDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

QLabel* NewLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// Rows stand right-aligned behind an expanding spacer.
QHBoxLayout* AddRow(QVBoxLayout* column, const QList<QWidget*>& widgets)
{
    auto* row = new QHBoxLayout();
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    column->addLayout(row);
    return row;
}

QLabel* UnitLabel(QWidget* parent, const char* name)
{
    QLabel* label = NewLabel(parent, name);
    label->setFixedWidth(20);
    return label;
}

QComboBox* NewCombo(QWidget* parent, const char* name, int minimumWidth, int maximumWidth)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setMinimumWidth(minimumWidth);
    combo->setMaximumWidth(maximumWidth);
    return combo;
}

QLineEdit* NewEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(60);
    return edit;
}

// Integer reflectance as typed: a real number counts by its whole part.
bool ReadIntegerReflectance(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok, 10);
    if (ok)
        return true;
    const float real = text.toFloat(&ok);
    if (!ok || !std::isfinite(real) || std::fabs(real) >= 2147483520.0f)
        return false;
    value = static_cast<int>(real);
    return true;
}

} // namespace

void CDevice::BuildForm()
{
    setObjectName(QStringLiteral("CDevice"));
    resize(648, 406);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    auto* top = new QVBoxLayout(this);
    top->setSpacing(6);
    QMargins margins = top->contentsMargins();
    margins.setBottom(9);
    top->setContentsMargins(margins);

    form.DeviceList = new QTableWidget(this);
    form.DeviceList->setObjectName(QStringLiteral("DeviceList"));
    form.DeviceList->setColumnCount(1);
    form.DeviceList->setHorizontalHeaderItem(0, new QTableWidgetItem());
    form.DeviceList->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    form.DeviceList->setMaximumHeight(100);
    form.DeviceList->horizontalHeader()->setMinimumSectionSize(40);
    top->addWidget(form.DeviceList);

    form.BlockMeasurement = new QGroupBox(this);
    form.BlockMeasurement->setObjectName(QStringLiteral("BlockMeasurement"));
    auto* block = new QVBoxLayout(form.BlockMeasurement);
    QMargins inner = block->contentsMargins();
    inner.setTop(8);
    inner.setBottom(8);
    block->setContentsMargins(inner);
    QWidget* box = form.BlockMeasurement;

    form.checkBoxFindEvents = new QCheckBox(box);
    form.checkBoxFindEvents->setObjectName(QStringLiteral("checkBoxFindEvents"));
    form.checkBoxFindEvents->setLayoutDirection(Qt::RightToLeft);
    block->addWidget(form.checkBoxFindEvents);

    auto* columns = new QHBoxLayout();
    auto* left = new QVBoxLayout();
    auto* right = new QVBoxLayout();
    columns->addLayout(left);
    columns->addLayout(right);
    block->addLayout(columns);

    form.nWaveLen = NewCombo(box, "nWaveLen", 120, 60);
    AddRow(left, {NewLabel(box, "label_5"), form.nWaveLen, UnitLabel(box, "label_8")});
    form.nLineLen = NewCombo(box, "nLineLen", 80, 60);
    AddRow(left, {NewLabel(box, "label_11"), form.nLineLen, UnitLabel(box, "label_12")});
    form.nPulseWidth = NewCombo(box, "nPulseWidth", 80, 60);
    AddRow(left, {NewLabel(box, "label_6"), form.nPulseWidth, UnitLabel(box, "label_9")});
    form.nAverageTime = NewCombo(box, "nAverageTime", 80, 60);
    AddRow(left, {NewLabel(box, "label_7"), form.nAverageTime, UnitLabel(box, "label_10")});
    form.gi = NewEdit(box, "gi");
    QLabel* giUnit = NewLabel(box, "label_21");
    giUnit->setMinimumWidth(20);
    AddRow(left, {NewLabel(box, "label_13"), form.gi, giUnit});
    form.bc = NewEdit(box, "bc");
    AddRow(left, {NewLabel(box, "label_15"), form.bc, UnitLabel(box, "label_16")});

    QLabel* thresholds = NewLabel(box, "label_4");
    thresholds->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AddRow(right, {thresholds});
    form.lineEditLoss = NewEdit(box, "lineEditLoss");
    AddRow(right, {NewLabel(box, "label"), form.lineEditLoss, UnitLabel(box, "label_19")});
    form.lineEditReflectance = NewEdit(box, "lineEditReflectance");
    AddRow(right, {NewLabel(box, "label_2"), form.lineEditReflectance, UnitLabel(box, "label_18")});
    form.lineEditEndOfLine = NewEdit(box, "lineEditEndOfLine");
    AddRow(right, {NewLabel(box, "label_3"), form.lineEditEndOfLine, UnitLabel(box, "label_17")});
    AddRow(right, {NewLabel(box, "label_14")});
    AddRow(right, {NewLabel(box, "label_20")});
    top->addWidget(form.BlockMeasurement);

    auto* buttons = new QHBoxLayout();
    form.DoMeasure = new QPushButton(this);
    form.DoMeasure->setObjectName(QStringLiteral("DoMeasure"));
    buttons->addWidget(form.DoMeasure);
    form.buttonBox = new QDialogButtonBox(this);
    form.buttonBox->setObjectName(QStringLiteral("buttonBox"));
    form.buttonBox->setOrientation(Qt::Horizontal);
    form.buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addWidget(form.buttonBox);
    top->addLayout(buttons);

    connect(form.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(form.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setTabOrder(form.bc, form.nWaveLen);
    setTabOrder(form.nWaveLen, form.nPulseWidth);
    setTabOrder(form.nPulseWidth, form.nAverageTime);
    RetranslateForm();
}

void CDevice::RetranslateForm()
{
    const auto label = [this](const char* name) { return findChild<QLabel*>(QLatin1String(name)); };
    setWindowTitle(tr("Device properties"));
    form.DeviceList->horizontalHeaderItem(0)->setText(tr("Device"));
    form.BlockMeasurement->setTitle(tr("Параметры измерения"));
    form.checkBoxFindEvents->setText(tr("Поиск событий"));
    form.checkBoxFindEvents->setToolTip(tr("Вкл./Выкл. поиск событий"));
    label("label_5")->setText(tr("Длина волны"));
    label("label_8")->setText(tr("нм"));
    label("label_11")->setText(tr("Диапазон"));
    label("label_12")->setText(tr("км"));
    label("label_6")->setText(tr("Длит. импульса"));
    label("label_9")->setText(tr("нс"));
    label("label_7")->setText(tr("Время усреднения"));
    label("label_10")->setText(tr("с"));
    label("label_13")->setText(tr("Коэф. преломления"));
    label("label_15")->setText(tr("Коэф. обр.рассеяния"));
    label("label_16")->setText(tr("Дб"));
    label("label_4")->setText(tr("Пороги"));
    label("label")->setText(tr("Затухание в соединении"));
    label("label")->setToolTip(tr("Порог поиска затухания"));
    label("label_19")->setText(tr("Дб"));
    label("label_2")->setText(tr("Коэффициент отражения"));
    label("label_2")->setToolTip(tr("Порог поиска отражения"));
    label("label_18")->setText(tr("Дб"));
    label("label_3")->setText(tr("Конец"));
    label("label_3")->setToolTip(tr("Порог определения конца линии"));
    label("label_17")->setText(tr("Дб"));
    form.DoMeasure->setText(tr("Apply and start measure"));
    form.buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Установить"));
}

void CDevice::showEvent(QShowEvent* event)
{
    // The button box names its standard buttons anew on every language
    // change, after the dialog has: name OK once it is shown.
    form.buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Установить"));
    QDialog::showEvent(event);
}

void CDevice::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        RetranslateForm();
}

void CDevice::onFindEventsToggled(bool b)
{
    bFindEvents = b ? 1 : 0;
    updateFindEventsControls();
}

void CDevice::updateFindEventsControls()
{
    const bool bCanSearch = dev && (dev->GetCapabilities() & 4);
    form.checkBoxFindEvents->setEnabled(bCanSearch);
    const bool bThresholds = bFindEvents == 1 && bCanSearch;
    form.lineEditLoss->setEnabled(bThresholds);
    form.lineEditReflectance->setEnabled(bThresholds);
    form.lineEditEndOfLine->setEnabled(bThresholds);
}

void CDevice::FillCombo(QComboBox* combo, const QList<int>& values, int current, int specialValue,
                        const QString& specialText, int specialData, const std::function<int(int)>& value,
                        const std::function<QString(int)>& text)
{
    combo->clear();
    int selected = 0;
    for (const int entry : values) {
        const int v = value(entry);
        if (!specialText.isEmpty() && v == specialValue)
            combo->addItem(specialText, specialData);
        else
            combo->addItem(text(v), v);
        if (v == current)
            selected = combo->count() - 1;
    }
    combo->setCurrentIndex(selected);
    combo->setEnabled(combo->count() > 1);
}

void CDevice::ConnectWaveLen()
{
    connect(form.nWaveLen, qOverload<int>(&QComboBox::currentIndexChanged), this, &CDevice::updateGI);
}

void CDevice::DisconnectWaveLen()
{
    disconnect(form.nWaveLen, qOverload<int>(&QComboBox::currentIndexChanged), this, &CDevice::updateGI);
}

int CDevice::SelectedData(QComboBox* combo) const
{
    return combo->currentData().toInt();
}

void CDevice::FillForm()
{
    const tDeviceEnumsPublic enums = dev->GetEnums();
    const tDeviceParams params = dev->GetParams();
    const bool bRealReflectance = dev->HasRealReflectance();
    QV_ASSERT(!enums.WaveLenNm.empty());

    form.lineEditLoss->setText(QString::number(params.LossThreshold, 'g', 6));
    form.lineEditReflectance->setText(bRealReflectance ? QString::number(params.ReflThresholdValue, 'g', 6)
                                                       : QString::number(params.ReflThreshold));
    form.lineEditEndOfLine->setText(QString::number(params.EndThreshold, 'g', 6));
    form.checkBoxFindEvents->setChecked(params.EventsEnabled == 1);
    bFindEvents = params.EventsEnabled == 1 ? 1 : 0;
    updateFindEventsControls();

    const auto identity = [](int v) { return v; };
    const auto decimal = [](int v) { return QString::number(v); };
    FillCombo(form.nPulseWidth, enums.PulseWidth, params.PulseWidth, 0, QString(), 0, identity, decimal);
    FillCombo(form.nAverageTime, enums.AverageTime, params.AverageTime, -1, tr("realtime"), -1, identity, decimal);
    FillCombo(form.nLineLen, enums.LineLen, params.LineLen, 0, QString(), 0, identity,
              [](int v) { return QString::number(v / 1000.0, 'g', 6); });

    DisconnectWaveLen();
    QV_ASSERT(params.WaveLenGI.size() == enums.WaveLenNm.size());
    waveLenGI = params.WaveLenGI;
    waveLenBC = params.WaveLenBC;

    form.nWaveLen->clear();
    QMap<int, int> indexOfMask;
    for (const int mask : enums.WaveLenBits) {
        if (mask < 0)
            continue;
        QStringList parts;
        for (const int waveLen : enums.WaveLenNm) {
            const auto iwl = enums.WaveLenFlag.constFind(waveLen);
            if (iwl == enums.WaveLenFlag.cend()) {
                QV_ASSERT(iwl != enums.WaveLenFlag.cend());
                continue;
            }
            if (mask & iwl.value())
                parts << QString::number(waveLen);
        }
        if (parts.isEmpty())
            continue;
        form.nWaveLen->addItem(parts.join(QLatin1Char('+')), mask);
        indexOfMask.insert(mask, form.nWaveLen->count() - 1);
    }
    int selectedMask = 0;
    for (const int waveLen : params.WaveLenNm)
        selectedMask |= enums.WaveLenFlag.value(waveLen, 0);
    form.nWaveLen->setCurrentIndex(indexOfMask.value(selectedMask, 0));

    updateGI();
    ConnectWaveLen();
}

void CDevice::CheckGI()
{
    const QString text = form.gi->text();
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (ok && value >= 1.4f && value <= 1.6f) {
        waveLenGI[currentWaveLen] = value;
        return;
    }
    QMessageBox::warning(this, tr("Invalid parameter GI"),
                         tr("Parameter GI is invalid value %1. Enter real number between %2 and %3")
                             .arg(text, QString::number(1.4, 'f', 5), QString::number(1.6, 'f', 5)));
}

void CDevice::CheckBC()
{
    const QString text = form.bc->text();
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (ok && value >= -95.0f && value <= -65.0f) {
        waveLenBC[currentWaveLen] = value;
        waveLenBC = dev->MakeWaveLenBC(waveLenBC, value);
        return;
    }
    QMessageBox::warning(this, tr("Invalid parameter BS"),
                         tr("Parameter Back scatter is invalid value %1. Enter real number between %2 and %3")
                             .arg(text, QString::number(-95.0, 'f', 2), QString::number(-65.0, 'f', 2)));
}

void CDevice::CheckLoss()
{
    const QString text = form.lineEditLoss->text();
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (ok && value >= 0.01f && value <= 5.0f) {
        lossThreshold = value;
        return;
    }
    QMessageBox::warning(this, tr("Invalid parameter Loss"),
                         tr("Parameter Loss is invalid value %1. Enter real number between %2 and %3")
                             .arg(text, QString::number(0.01, 'f', 2), QString::number(5.0, 'f', 2)));
}

void CDevice::CheckReflectance()
{
    const QString text = form.lineEditReflectance->text();
    if (dev->HasRealReflectance()) {
        bool ok = false;
        const float value = text.toFloat(&ok);
        if (ok && value >= -69.9f && value <= -10.0f) {
            reflThresholdValue = value;
            return;
        }
        QMessageBox::warning(this, tr("Invalid parameter Reflectance"),
                             tr("Parameter Reflectance has invalid value %1. Enter real number between %2 and %3")
                                 .arg(text, QString::number(-69.9, 'g', 6), QString::number(-10.0, 'g', 6)));
        return;
    }
    int value = 0;
    if (ReadIntegerReflectance(text, value) && value >= -65 && value <= -10) {
        reflThreshold = value;
        return;
    }
    QMessageBox::warning(this, tr("Invalid parameter Reflectance"),
                         tr("Parameter Reflectance has invalid value %1. Enter integer number between %2 and %3")
                             .arg(text, QString::number(-65), QString::number(-10)));
}

void CDevice::CheckEndOfLine()
{
    const QString text = form.lineEditEndOfLine->text();
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (ok && value >= 0.1f && value <= 20.0f) {
        endThreshold = value;
        return;
    }
    QMessageBox::warning(this, tr("Invalid parameter End of fiber"),
                         tr("Parameter End of fiber is invalid value %1. Enter real number between %2 and %3")
                             .arg(text, QString::number(0.1, 'f', 2), QString::number(20.0, 'f', 2)));
}

void CDevice::updateGI()
{
    if (!dev)
        return;
    if (form.gi->isEnabled())
        CheckGI();
    if (form.bc->isEnabled())
        CheckBC();

    // Only the connected instrument's own wavelengths count: the flag map
    // still holds those of instruments connected earlier.
    const tDeviceEnumsPublic enums = dev->GetEnums();
    const int mask = SelectedData(form.nWaveLen);
    currentWaveLen = -1;
    for (auto it = enums.WaveLenFlag.cbegin(); it != enums.WaveLenFlag.cend(); ++it) {
        if (it.value() == mask && enums.WaveLenNm.contains(it.key())) {
            currentWaveLen = it.key();
            break;
        }
    }
    if (currentWaveLen == -1) {
        form.gi->clear();
        form.bc->clear();
        form.gi->setEnabled(false);
        form.bc->setEnabled(false);
    } else {
        form.gi->setText(QString::number(waveLenGI.value(currentWaveLen), 'f', 5));
        form.bc->setText(QString::number(waveLenBC.value(currentWaveLen), 'f', 3));
        // Narrow boxes: the leading digits matter, not the last decimals.
        form.gi->setCursorPosition(0);
        form.bc->setCursorPosition(0);
        form.gi->setEnabled(true);
        form.bc->setEnabled(true);
    }

    CheckLoss();
    CheckReflectance();
    CheckEndOfLine();
    if (form.bc->isEnabled())
        CheckBC();
}

void CDevice::Properties()
{
    QV_ASSERT(IsConnected());
    // The running command reads the record this form would store.
    if (!dev || !IsIdle())
        return;
    tDeviceParams params = dev->GetParams();
    const tDeviceEnumsPublic enums = dev->GetEnums();
    const bool bRealReflectance = dev->HasRealReflectance();
    FillForm();

    const int result = exec();
    if (result == 0 || !dev)
        return;
    updateGI();

    const auto mapChanged = [](const QMap<int, float>& edited, const QMap<int, float>& stored) {
        for (auto it = edited.cbegin(); it != edited.cend(); ++it)
            if (it.value() != stored.value(it.key(), 0.0f))
                return true;
        return false;
    };
    const bool bGIChanged = mapChanged(waveLenGI, params.WaveLenGI);
    const bool bBCChanged = mapChanged(waveLenBC, params.WaveLenBC);
    // The thresholds are edited in single precision: compared there, a
    // value shown and read back unchanged never counts as a change.
    bool bThresholdsChanged = bFindEvents != params.EventsEnabled ||
                              lossThreshold != static_cast<float>(params.LossThreshold) ||
                              endThreshold != static_cast<float>(params.EndThreshold);
    if (bRealReflectance)
        bThresholdsChanged = bThresholdsChanged || reflThresholdValue != params.ReflThresholdValue;
    else
        bThresholdsChanged = bThresholdsChanged || reflThreshold != params.ReflThreshold;
    const int mask = SelectedData(form.nWaveLen);
    // A protocol that never chose a setting (-1) measures the record's
    // wavelengths: the item the form selected for them is no change.
    int storedMask = params.SelectedWaveLen;
    if (storedMask < 0) {
        storedMask = 0;
        for (const int waveLen : params.WaveLenNm)
            storedMask |= enums.WaveLenFlag.value(waveLen, 0);
    }
    const bool bWaveLenChanged = storedMask != mask;
    const int lineLen = SelectedData(form.nLineLen);
    const int pulseWidth = SelectedData(form.nPulseWidth);
    const int averageTime = SelectedData(form.nAverageTime);
    const bool bChanged = bGIChanged || bBCChanged || bThresholdsChanged || bWaveLenChanged ||
                          params.LineLen != lineLen || params.PulseWidth != pulseWidth ||
                          params.AverageTime != averageTime;

    params.EventsEnabled = bFindEvents;
    params.EndThreshold = endThreshold;
    if (bRealReflectance)
        params.ReflThresholdValue = reflThresholdValue;
    else
        params.ReflThreshold = reflThreshold;
    params.LossThreshold = lossThreshold;
    params.SelectedWaveLen = mask;

    if (!bChanged) {
        if (result == 100)
            Measurement();
        return;
    }

    params.LineLen = lineLen;
    params.PulseWidth = pulseWidth;
    params.AverageTime = averageTime;
    if (bGIChanged)
        params.WaveLenGI = waveLenGI;
    if (bBCChanged)
        params.WaveLenBC = waveLenBC;
    if (bWaveLenChanged) {
        params.WaveLenNm.clear();
        for (const int waveLen : enums.WaveLenNm)
            if (enums.WaveLenFlag.value(waveLen, 0) == mask) {
                params.WaveLenNm << waveLen;
                break;
            }
        if (params.WaveLenNm.isEmpty())
            for (const int waveLen : enums.WaveLenNm)
                if (mask & enums.WaveLenFlag.value(waveLen, 0))
                    params.WaveLenNm << waveLen;
    }
    dev->StoreParams(params);
    SaveSettings();

    if (result == 100) {
        Measurement();
        return;
    }
    StartWithProgress(IDevicePlugin::ApplyParams);
}
