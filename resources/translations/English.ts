<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
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
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
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
        <source>Realtime view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave length %1ns (laser %2 from %3)</source>
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
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
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
        <source>Incompatible parameters combination requested
Range(%1 km) and Pulse width (%2 ns)!
The maximum acceptable value for Pulse width is set (%3 ns) for Range selected</source>
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
