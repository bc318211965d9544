<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>CDevice</name>
    <message>
        <source>Установить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Clearing device memory</source>
        <translation>Clear the device memory</translation>
    </message>
    <message>
        <source>Are you sure to delete all files on device?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Probably, device was broken. Please, contact to support.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device communicates</source>
        <translation>Connection goes</translation>
    </message>
    <message>
        <source>Some received files were not stored:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete files on the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to delete ALL files on the device?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Devices not found</source>
        <translation>Device not detected</translation>
    </message>
    <message>
        <source>Can not be found devices or ports.
Try to install device driver (FTDI COM driver).
Check device connection and power supply.</source>
        <translation>Device not detected. 
Try to install device driver (FTDI COM driver) 
Check device connection and power supply.</translation>
    </message>
    <message>
        <source>Device properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры измерения</source>
        <translation>Measurement settings</translation>
    </message>
    <message>
        <source>Поиск событий</source>
        <translation>Search events</translation>
    </message>
    <message>
        <source>Вкл./Выкл. поиск событий</source>
        <translation>Search events  On/Off</translation>
    </message>
    <message>
        <source>Длина волны</source>
        <translation>Wave length</translation>
    </message>
    <message>
        <source>нм</source>
        <translation>nm</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>км</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Длит. импульса</source>
        <translation>Pulse width</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>ns</translation>
    </message>
    <message>
        <source>Время усреднения</source>
        <translation>Average time</translation>
    </message>
    <message>
        <source>с</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Коэф. преломления</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Коэф. обр.рассеяния</source>
        <translation>Backscatter coeff.</translation>
    </message>
    <message>
        <source>Дб</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Пороги</source>
        <translation>Thresholds</translation>
    </message>
    <message>
        <source>Затухание в соединении</source>
        <translation>Loss threshold</translation>
    </message>
    <message>
        <source>Порог поиска затухания</source>
        <translation>Loss threshold</translation>
    </message>
    <message>
        <source>Коэффициент отражения</source>
        <translation>Reflectance threshold</translation>
    </message>
    <message>
        <source>Порог поиска отражения</source>
        <translation>Reflectance threshold</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>End of fiber</translation>
    </message>
    <message>
        <source>Порог определения конца линии</source>
        <translation>Terminate  threshold</translation>
    </message>
    <message>
        <source>Apply and start measure</source>
        <translation>Apply and measure</translation>
    </message>
    <message>
        <source>realtime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter GI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter GI is invalid value %1. Enter real number between %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter BS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter Back scatter is invalid value %1. Enter real number between %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter Loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter Loss is invalid value %1. Enter real number between %2 and %3</source>
        <translation>Parameter Loss threshold is invalid value %1. Enter real number between %2 and %3</translation>
    </message>
    <message>
        <source>Invalid parameter Reflectance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter Reflectance has invalid value %1. Enter real number between %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter Reflectance has invalid value %1. Enter integer number between %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter End of fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter End of fiber is invalid value %1. Enter real number between %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchangeDlg</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait for device communicates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v/%m sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v/%m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancellation, please wait...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger</name>
    <message>
        <source>The device is busy with another command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded data invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s/n </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot receive device&apos;s identificator from port %1.
Probably, you use incompatible device or device is not connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid device&apos;s identificator received from port %1.
Probably, you use incompatible device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot reconnect on HI speed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot determine parameters of device hardware.
Additional information: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot synchronize hardware clock.
Additional information: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware version (FW) of the connected device is out of date.
Update FW to the latest version available on the device manufacturer&apos;s website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incompatible parameters combination requested
Range(%1 km) and Pulse width (%2 ns)!
The maximum acceptable value for Pulse width is set (%3 ns) for Range selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of files is incorrect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create temporary file.
Check empty space for %1 bytes on system disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write temporary file:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Realtime view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave length %1ns (laser %2 from %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error on measure request.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device don&apos;t response.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device don&apos;t support momental cancellation.
Please update firmware.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger2</name>
    <message>
        <source>Device with out of date firmware detected
Please update device firmware
Device -%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot determine parameters of device hardware.
Additional information: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot synchronize hardware clock.
Additional information: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware version (FW) of the connected device is out of date.
 Update FW to the latest version available on the device manufacturer&apos;s website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device can&apos;t start measurenment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High input signal level was detected.
Please disable input signal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files could not be downloaded:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger3</name>
    <message>
        <source>Cannot determine parameters of device hardware.
Additional information: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot synchronize hardware clock.
Additional information: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error on measure request.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device don&apos;t response.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device don&apos;t support momental cancellation.
Please update firmware.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CEventList</name>
    <message>
        <source>Event %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance [km]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reflectance [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attenuation coeff. [dB/km]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length [km]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Common loss [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileInfo</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Trace information</translation>
    </message>
    <message>
        <source>Описание tooltip</source>
        <translation>Trace information</translation>
    </message>
    <message>
        <source>Имя файла</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Дата/время</source>
        <translation>Date/time</translation>
    </message>
    <message>
        <source>Кабель</source>
        <translation>Cable</translation>
    </message>
    <message>
        <source>Волокно</source>
        <translation>Fiber</translation>
    </message>
    <message>
        <source>Начало линии</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>Конец линии</source>
        <translation>Terminate</translation>
    </message>
    <message>
        <source>Условие</source>
        <translation>Flag</translation>
    </message>
    <message>
        <source>Код кабеля</source>
        <translation>Cabel code</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>OTDR</translation>
    </message>
    <message>
        <source>Прибор tooltip</source>
        <translation>OTDR</translation>
    </message>
    <message>
        <source>Изготовитель</source>
        <translation>Supplier</translation>
    </message>
    <message>
        <source>Тип прибора</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Номер прибора</source>
        <translation>S/N</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Прочее</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Анализ tooltip</source>
        <translation>Fault detection threshold</translation>
    </message>
    <message>
        <source>Коэффициент обратного рассеяния</source>
        <translation>Backscatter coefficient</translation>
    </message>
    <message>
        <source>дБ</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Затухание в соединении</source>
        <translation>Loss threshold</translation>
    </message>
    <message>
        <source>Коэффициент отражения</source>
        <translation>Reflectance threshold</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>Terminate</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Измерение tooltip</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Точная длина волны</source>
        <translation>Wave length</translation>
    </message>
    <message>
        <source>нм</source>
        <translation>nm</translation>
    </message>
    <message>
        <source>Направление</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Показатель преломления</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Диапазон расстояний</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>км</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Разрешение</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>Длительность зондирующего импульса</source>
        <translation>Pulsewidth</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>ns</translation>
    </message>
    <message>
        <source>Число усреднений рефлектограммы</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Длина участка</source>
        <translation>Fiber length</translation>
    </message>
    <message>
        <source>Полное затухание</source>
        <translation>Fiber loss</translation>
    </message>
    <message>
        <source>дб</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>QWMXR01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина измерительной катушки в начале линии</source>
        <translation>Launch cord length</translation>
    </message>
    <message>
        <source>см</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>Учитывать потери разъёма в начале в величине полных потерь</source>
        <translation>Count the start connector loss in the total loss</translation>
    </message>
    <message>
        <source>Длина измерительной катушки в конце линии</source>
        <translation>Tail cord length</translation>
    </message>
    <message>
        <source>Учитывать потери разъёма в конце в величине полных потерь</source>
        <translation>Count the end connector loss in the total loss</translation>
    </message>
    <message>
        <source>Расстояние до левого маркера</source>
        <translation>Distance to the left marker</translation>
    </message>
    <message>
        <source>Расстояние до правого маркера</source>
        <translation>Distance to the right marker</translation>
    </message>
    <message>
        <source>Расстояние между маркерами</source>
        <translation>Distance between markers</translation>
    </message>
    <message>
        <source>Метод апроксимации</source>
        <translation>Approximation method</translation>
    </message>
    <message>
        <source>Потери на участке между маркерами</source>
        <translation>Loss between markers</translation>
    </message>
    <message>
        <source>0.001*дБ</source>
        <translation>0.001*dB</translation>
    </message>
    <message>
        <source>Средний наклон на участке между маркерами</source>
        <translation>Mean slope between markers</translation>
    </message>
    <message>
        <source>0.001*дБ/км</source>
        <translation>0.001*dB/km</translation>
    </message>
    <message>
        <source>Максимальное дискретное отражение на участке</source>
        <translation>Maximum reflection between markers</translation>
    </message>
    <message>
        <source>ORL на участке между маркерами</source>
        <translation>ORL between markers</translation>
    </message>
    <message>
        <source>Флаг отображения</source>
        <translation>Display flag</translation>
    </message>
    <message>
        <source>Длина линии, вычисленная при поиске событий</source>
        <translation>Link length found by event search</translation>
    </message>
    <message>
        <source>Information [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CDF_CCondidion</source>
        <translation>Current condition (CC)</translation>
    </message>
    <message>
        <source>CDF_BuiltCondition</source>
        <translation>As built (BC)</translation>
    </message>
    <message>
        <source>CDF_RepairedCondition</source>
        <translation>As repaired (RC)</translation>
    </message>
    <message>
        <source>CDF_Other</source>
        <translation>Other (OT)</translation>
    </message>
    <message>
        <source>1310</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1300</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MaxReflection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing File Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field completed uncorrectly.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileList</name>
    <message>
        <source>Bellcore files (*.sor);;All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum number of files for compare is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open project folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bellcore files (*.sor)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory selection problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot select directory &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requested codepage not present (file loaded)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC block not present (file loaded)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid file CRC (file loaded)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warnings file &quot;%1&quot; loading found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving file &quot;%1&quot; error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename cannot contain symbols %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy file &quot;%1&quot; to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select dir to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying file %1  issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot copy a file to itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot; error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add copy from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding file %1 issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename is already exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding file %1 problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System error on copy a file %1 to location  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation will delete file &quot;%1&quot; to Windows trash.
Are you sure?</source>
        <translation>This operation will delete file &quot;%1&quot; to the trash.
Are you sure?</translation>
    </message>
    <message>
        <source>Delete files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation will delete %1 selected files to Windows trash.
Are you sure?</source>
        <translation>This operation will delete %1 selected files to the trash.
Are you sure?</translation>
    </message>
    <message>
        <source>Cannot move file &quot;%1&quot; to the trash.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileListElementWidget</name>
    <message>
        <source>%1%2 </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileListWatcher</name>
    <message>
        <source>Working folder was updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
Do you want to reload it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
 Do you want to reload it and lose the changes you made?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list and lose the changes you made?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files in the current folder was added.
Do you want update file list?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pulse width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ns </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Num of Over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>s   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Idx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diapasone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LSA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать линию</source>
        <translation>Show line</translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance L-R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss L-R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Att.coeff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>db/Km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attenuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reflectance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отражение с потерями (5 маркеров)</source>
        <translation>Reflection with loss (5 markers)</translation>
    </message>
    <message>
        <source>Потери в соединении (5 маркеров)</source>
        <translation>Splice loss (5 markers)</translation>
    </message>
    <message>
        <source>Измерения (2 маркера)</source>
        <translation>Measurement (2 markers)</translation>
    </message>
</context>
<context>
    <name>CGraphModel</name>
    <message>
        <source>cm</source>
        <comment>workplace, Подпись к оси Х - сантиметры</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
        <comment>workplace, Подпись к оси Х - километры</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m</source>
        <comment>workplace, Подпись к оси Х - метры</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-%1%2 dB</source>
        <comment>workplace, Подпись к оси Y</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1dB</source>
        <comment>Loss - above event</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1dB</source>
        <comment>Reflectance - above event</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1km</source>
        <comment>Distance - below event</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1dB/km  </source>
        <comment>Att.coeff - between events</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphPix</name>
    <message>
        <source>%1km %2dB</source>
        <comment>Tooltip moving marker</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphView</name>
    <message>
        <source>Предупреждение!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Таблицв событий содержит несколько событий типа Конец Линии
 Удалите лишнее событие или результаты будут некорректными</source>
        <translation>The event table holds several end-of-line events
 Delete the extra event, or the results will be wrong</translation>
    </message>
</context>
<context>
    <name>CMainOpt</name>
    <message>
        <source>Program options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаление файла из списка рефлектограмм всегда производится в корзину.</source>
        <translation>A file deleted from the trace list always goes to the trash.</translation>
    </message>
    <message>
        <source>Запрашивать подтверждение на удаление файла с диска</source>
        <translation>Ask before deleting a file from disk</translation>
    </message>
    <message>
        <source>Пытаться соединиться с рефлектометром при запуске программы.</source>
        <translation>Try to connect to the reflectometer when the program starts.</translation>
    </message>
    <message>
        <source>Автоматически соединяться с рефлектометром</source>
        <translation>Connect to the reflectometer automatically</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Рекомендуется установить удаление во избежании дублирования файлов на компьютере.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Recommended, so that files are not duplicated on the computer.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Удалять загружаемые файлы с прибора</source>
        <translation>Delete downloaded files from the instrument</translation>
    </message>
    <message>
        <source>Enable full edit mode for file information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Associate with .SOR files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбрать цвет фона графиков &gt;&gt;&gt;</source>
        <translation>Choose the plot background colour &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>Can&apos;t determine file associations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t configure file associations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please restart program for apply language changes.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CParametersOpt</name>
    <message>
        <source>Формирование отчета</source>
        <translation>Report generation</translation>
    </message>
    <message>
        <source>Данные заголовка</source>
        <translation>Header data</translation>
    </message>
    <message>
        <source>ВОЛП</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Участок</source>
        <translation>Section</translation>
    </message>
    <message>
        <source>Кабель (марка, тип)</source>
        <translation>Cable (make, type)</translation>
    </message>
    <message>
        <source>Направление</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Заполнить заголовок данными из текущей рефлектограммы</source>
        <translation>Fill the header from the current trace</translation>
    </message>
    <message>
        <source>Организация, Подписи</source>
        <translation>Organization, signatures</translation>
    </message>
    <message>
        <source>Огрганизация-исполнитель (СМО)</source>
        <translation>Contractor organization</translation>
    </message>
    <message>
        <source>должность</source>
        <translation>position</translation>
    </message>
    <message>
        <source>Ф.И.О</source>
        <translation>full name</translation>
    </message>
    <message>
        <source>От Исполнителя</source>
        <translation>For the contractor</translation>
    </message>
    <message>
        <source>От Принимающего</source>
        <translation>For the receiving party</translation>
    </message>
    <message>
        <source>Выбор составных частей отчета</source>
        <translation>Report sections</translation>
    </message>
    <message>
        <source>Заголовок</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Таблица событий</source>
        <translation>Events table</translation>
    </message>
    <message>
        <source>График и параметры измерения</source>
        <translation>Graph and measurement parameters</translation>
    </message>
    <message>
        <source>Таблица результатов измерения</source>
        <translation>Measurement results table</translation>
    </message>
    <message>
        <source>Данные маркеров</source>
        <translation>Marker data</translation>
    </message>
    <message>
        <source>Подписи сторон</source>
        <translation>Signatures</translation>
    </message>
</context>
<context>
    <name>CPrinter</name>
    <message>
        <source>Need printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It need any printer for continue. Please install printer and try now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane - Print preview mode (presss ESC or close)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показывать График</source>
        <translation>Show graph</translation>
    </message>
    <message>
        <source>Показывать данные маркеров</source>
        <translation>Show marker data</translation>
    </message>
    <message>
        <source>Показывать таблицу событий</source>
        <translation>Show events table</translation>
    </message>
    <message>
        <source>Показывать таблицу результатов</source>
        <translation>Show results table</translation>
    </message>
    <message>
        <source>Show Footer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer subsystem error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t open file &quot;%1&quot;.
Program can&apos;t export to Adobe PDF.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer subsystem internal error.
Program can&apos;t produce any printing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate pages...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer subsystem can&apos;t generate new page.
Not all pages can be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Times New Roman&gt;&lt;table cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Файл&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Дата&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;ВОЛП&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Участок :&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Строительно-монтажная организация&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;br/&gt;&lt;font size=%1 face=Arial&gt;&lt;center&gt;&lt;b&gt;Рефлектограмма&lt;br/&gt;ОВ № %6 на смонтированном участке регенерации.&lt;/b&gt;&lt;/center&gt;&lt;/font&gt;&lt;br/&gt;&lt;font size=%1 face=Times New Roman&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Кабель (марка, тип):&lt;/td&gt;&lt;td width=50%&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Волокно (цвет, номер):&lt;/td&gt;&lt;td width=50%&gt;%8&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Направление:&lt;/td&gt;&lt;td width=50%&gt;%9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Рефлектометр (&lt;i&gt;тип, зав. №&lt;/i&gt;)&lt;/td&gt;&lt;td width=50%&gt;%10&amp;nbsp;№%11&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;&lt;br/&gt;&lt;br/&gt;</source>
        <translation>&lt;font size=%1 face=Times New Roman&gt;&lt;table cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=50%&gt;File&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Date&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Line&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Section:&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Construction company&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;br/&gt;&lt;font size=%1 face=Arial&gt;&lt;center&gt;&lt;b&gt;Trace&lt;br/&gt;Fibre No. %6 of the installed regeneration section.&lt;/b&gt;&lt;/center&gt;&lt;/font&gt;&lt;br/&gt;&lt;font size=%1 face=Times New Roman&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Cable (make, type):&lt;/td&gt;&lt;td width=50%&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Fibre (colour, number):&lt;/td&gt;&lt;td width=50%&gt;%8&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Direction:&lt;/td&gt;&lt;td width=50%&gt;%9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;OTDR (&lt;i&gt;type, serial No.&lt;/i&gt;)&lt;/td&gt;&lt;td width=50%&gt;%10&amp;nbsp;No.%11&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Arial&gt; Параметры измерения : &lt;/br&gt;</source>
        <translation>&lt;font size=%1 face=Arial&gt; Measurement parameters: &lt;/br&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Arial&gt;&lt;b&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td&gt;Wavelength: %2nm&lt;/td&gt;&lt;td&gt;Pulsewidth: %3ns&lt;/td&gt;&lt;td&gt;Length: %4km&lt;/td&gt;&lt;td&gt;Index: %5&lt;/td&gt;&lt;/tr&gt;&lt;/font&gt;&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Arial&gt; Результаты измерения линии&lt;/br&gt;</source>
        <translation>&lt;font size=%1 face=Arial&gt; Line measurement results&lt;/br&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Длина участка,км&lt;/td&gt;&lt;td&gt;Полное затухание,дБ&lt;/td&gt;&lt;td&gt;Погонное затухание, дБ/км&lt;/td&gt;&lt;td&gt;Возвратные потери (ORL),дБ&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;%2&lt;/td&gt;&lt;td&gt;%3 &lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/br&gt;&lt;/br&gt;&lt;/font&gt;</source>
        <translation>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Section length, km&lt;/td&gt;&lt;td&gt;Total loss, dB&lt;/td&gt;&lt;td&gt;Attenuation, dB/km&lt;/td&gt;&lt;td&gt;Optical return loss (ORL), dB&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;%2&lt;/td&gt;&lt;td&gt;%3 &lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/br&gt;&lt;/br&gt;&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Подписали&lt;/td&gt;&lt;td&gt;Должность&lt;/td&gt;&lt;td&gt;Фамилия И.О.&lt;/td&gt;&lt;td&gt;Подпись&lt;/td&gt;&lt;td&gt;Дата&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Представители строительно- монтажной организации&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Представители технадзора&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;</source>
        <translation>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Signed&lt;/td&gt;&lt;td&gt;Position&lt;/td&gt;&lt;td&gt;Name&lt;/td&gt;&lt;td&gt;Signature&lt;/td&gt;&lt;td&gt;Date&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Representatives of the construction company&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Representatives of the technical supervision&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;</translation>
    </message>
</context>
<context>
    <name>CPrinterList</name>
    <message>
        <source>Print files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of files for printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: You can select files for printing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print to Adobe PDF file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please setup any printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work area - selected file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSaveList</name>
    <message>
        <source>Saving modified files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files were changed, but not saved.
Save the following selected files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: You can deselect saving files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close without saving</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CrashCallback</name>
    <message>
        <source>Report sender error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t attach log file: %1
You can try attach it manually from
&quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EFileAccessError</name>
    <message>
        <source>File access error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EFileLoadInvalidFormat</name>
    <message>
        <source>Format of loaded file is no Bellcore v1.0 format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EInternalError</name>
    <message>
        <source>Application internal error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ESystemError</name>
    <message>
        <source>System error #%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Exception</name>
    <message>
        <source>Unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error code is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Critical error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IARMessageBox</name>
    <message>
        <source>Ignore all</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IDeviceConnector::ESending</name>
    <message>
        <source>Error of sending</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogFile</name>
    <message>
        <source>Logger error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t create log file: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>meters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>centimetres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kilometers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom %1 %2 x %3 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сообщите нам об ошибках и неудобствах
в программе посредством данной кнопки</source>
        <translation>Tell us about errors and inconveniences
in the program with this button</translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sa&amp;ve all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all traces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add copy from..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add copy files from other folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;copy to...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save copy to another folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uncheck all	Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Op&amp;tions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dis&amp;connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measu&amp;rement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cl&amp;ear memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom X in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom X out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom X </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom X off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Применить текущий масштаб ко всем файлам</source>
        <translation>Apply the current zoom to all files</translation>
    </message>
    <message>
        <source>&amp;Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure &amp;splice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure splice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure &amp;reflection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure reflection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure reflection at end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show events table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show events on  graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show coils on graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lock markers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock markers to fix their distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Отчет</source>
        <translation>&amp;Report</translation>
    </message>
    <message>
        <source>Параметры отчета</source>
        <translation>Report parameters</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page prop&amp;erties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Report of the issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report of the issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Left cursor here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Left here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Center cursor here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Right here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Right cursor here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report of the issue was written to the folder
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report of the issue could not be written:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user manual was not found:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user manual could not be opened:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFrame</name>
    <message>
        <source>%1=%2ns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1=%2nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L=%1km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>k=%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>dd/MM/yyyy hh:mm</source>
        <comment>Date format: year/month/day  hour:min</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device parameters are invalid.
Probably, you use incompatible device or device is not connected.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Export to PDF</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QValidator</name>
    <message>
        <source> (can be zero)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter numeric value from %1 to %2%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value can&apos;t be negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value can&apos;t be positive (put &apos;-&apos; first)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value must be integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1</source>
        <comment>Сообщение в случае превышения числа символов, аргумент - сообщение о диапазоне ввода</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a numeric value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum value is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum value is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value can&apos;t be zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum string length is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These characters can&apos;t be saved in the trace file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please use only digits, letters, &apos;_&apos; or &apos;-&apos; and space</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelectFolderDialog</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Crash report installation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not install crash report:
%1
Please reinstall program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language resources not found or corrupted
Please reinstall program.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>selectFolderDialog</name>
    <message>
        <source>Download files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download selected folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
