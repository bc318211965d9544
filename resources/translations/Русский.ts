<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CDevice</name>
    <message>
        <source>Установить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clearing device memory</source>
        <translation>Очистка памяти прибора</translation>
    </message>
    <message>
        <source>Are you sure to delete all files on device?</source>
        <translation>Удалить все файлы в памяти прибора?</translation>
    </message>
    <message>
        <source>

Probably, device was broken. Please, contact to support.</source>
        <translation>

Возможно, прибор неисправен. Обратитесь в службу поддержки.</translation>
    </message>
    <message>
        <source>Device communicates</source>
        <translation>Связь с прибором</translation>
    </message>
    <message>
        <source>Some received files were not stored:
%1</source>
        <translation>Некоторые полученные файлы не сохранены:
%1</translation>
    </message>
    <message>
        <source>Delete files on the device</source>
        <translation>Удаление файлов в приборе</translation>
    </message>
    <message>
        <source>Are you sure to delete ALL files on the device?</source>
        <translation>Удалить ВСЕ файлы в памяти прибора?</translation>
    </message>
    <message>
        <source>Devices not found</source>
        <translation>Приборы не найдены</translation>
    </message>
    <message>
        <source>Can not be found devices or ports.
Try to install device driver (FTDI COM driver).
Check device connection and power supply.</source>
        <translation>Не найдены приборы или порты.
Установите драйвер прибора (FTDI COM driver).
Проверьте подключение и питание прибора.</translation>
    </message>
    <message>
        <source>Device properties</source>
        <translation>Свойства прибора</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Прибор</translation>
    </message>
    <message>
        <source>Параметры измерения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поиск событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл./Выкл. поиск событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина волны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>нм</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>км</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длит. импульса</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>нс</source>
        <translation type="unfinished">нс</translation>
    </message>
    <message>
        <source>Время усреднения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэф. преломления</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэф. обр.рассеяния</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дб</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пороги</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Затухание в соединении</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог поиска затухания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэффициент отражения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог поиска отражения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конец</source>
        <translation type="unfinished">Конец линии</translation>
    </message>
    <message>
        <source>Порог определения конца линии</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply and start measure</source>
        <translation>Установить и измерить</translation>
    </message>
    <message>
        <source>realtime</source>
        <translation>реальное время</translation>
    </message>
    <message>
        <source>Invalid parameter GI</source>
        <translation>Неверный параметр GI</translation>
    </message>
    <message>
        <source>Parameter GI is invalid value %1. Enter real number between %2 and %3</source>
        <translation>Недопустимое значение параметра GI: %1. Введите число от %2 до %3</translation>
    </message>
    <message>
        <source>Invalid parameter BS</source>
        <translation>Неверный параметр BS</translation>
    </message>
    <message>
        <source>Parameter Back scatter is invalid value %1. Enter real number between %2 and %3</source>
        <translation>Недопустимое значение коэффициента обратного рассеяния: %1. Введите число от %2 до %3</translation>
    </message>
    <message>
        <source>Invalid parameter Loss</source>
        <translation>Неверный порог затухания</translation>
    </message>
    <message>
        <source>Parameter Loss is invalid value %1. Enter real number between %2 and %3</source>
        <translation>Недопустимое значение порога затухания: %1. Введите число от %2 до %3</translation>
    </message>
    <message>
        <source>Invalid parameter Reflectance</source>
        <translation>Неверный порог отражения</translation>
    </message>
    <message>
        <source>Parameter Reflectance has invalid value %1. Enter real number between %2 and %3</source>
        <translation>Недопустимое значение порога отражения: %1. Введите число от %2 до %3</translation>
    </message>
    <message>
        <source>Parameter Reflectance has invalid value %1. Enter integer number between %2 and %3</source>
        <translation>Недопустимое значение порога отражения: %1. Введите целое число от %2 до %3</translation>
    </message>
    <message>
        <source>Invalid parameter End of fiber</source>
        <translation>Неверный порог конца линии</translation>
    </message>
    <message>
        <source>Parameter End of fiber is invalid value %1. Enter real number between %2 and %3</source>
        <translation>Недопустимое значение порога конца линии: %1. Введите число от %2 до %3</translation>
    </message>
</context>
<context>
    <name>CDeviceExchangeDlg</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Wait for device communicates...</source>
        <translation>Идёт обмен с прибором...</translation>
    </message>
    <message>
        <source>%v/%m sec</source>
        <translation>%v/%m с</translation>
    </message>
    <message>
        <source>%v/%m</source>
        <translation>%v/%m</translation>
    </message>
    <message>
        <source>Cancellation, please wait...</source>
        <translation>Отмена, подождите...</translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger</name>
    <message>
        <source>The device is busy with another command.</source>
        <translation>Прибор занят другой командой.</translation>
    </message>
    <message>
        <source>Downloaded data invalid.</source>
        <translation>Получены неверные данные.</translation>
    </message>
    <message>
        <source> s/n </source>
        <translation> с/н </translation>
    </message>
    <message>
        <source>Cannot receive device&apos;s identificator from port %1.
Probably, you use incompatible device or device is not connected.</source>
        <translation>Не удалось получить идентификатор прибора через порт %1.
Возможно, прибор несовместим или не подключён.</translation>
    </message>
    <message>
        <source>Invalid device&apos;s identificator received from port %1.
Probably, you use incompatible device.</source>
        <translation>Через порт %1 получен неверный идентификатор прибора.
Возможно, прибор несовместим.</translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
        <translation>Не удалось подключиться к порту %1.
Возможно, порт занят другой программой.</translation>
    </message>
    <message>
        <source>Cannot reconnect on HI speed.</source>
        <translation>Не удалось переподключиться на высокой скорости.</translation>
    </message>
    <message>
        <source>Cannot determine parameters of device hardware.
Additional information: %1</source>
        <translation>Не удалось определить параметры прибора.
Дополнительно: %1</translation>
    </message>
    <message>
        <source>Cannot synchronize hardware clock.
Additional information: %1</source>
        <translation>Не удалось синхронизировать часы прибора.
Дополнительно: %1</translation>
    </message>
    <message>
        <source>The firmware version (FW) of the connected device is out of date.
Update FW to the latest version available on the device manufacturer&apos;s website</source>
        <translation>Версия встроенного ПО подключённого прибора устарела.
Обновите ПО до последней версии с сайта производителя прибора</translation>
    </message>
    <message>
        <source>Incompatible parameters combination requested
Range(%1 km) and Pulse width (%2 ns)!
The maximum acceptable value for Pulse width is set (%3 ns) for Range selected</source>
        <translation>Запрошено несовместимое сочетание параметров
Диапазон (%1 км) и длительность импульса (%2 нс)!
Для выбранного диапазона установлена наибольшая допустимая длительность импульса (%3 нс)</translation>
    </message>
    <message>
        <source>Number of files is incorrect.</source>
        <translation>Неверное число файлов.</translation>
    </message>
    <message>
        <source>Device is empty</source>
        <translation>В памяти прибора нет файлов</translation>
    </message>
    <message>
        <source>Cannot create temporary file.
Check empty space for %1 bytes on system disk.</source>
        <translation>Не удалось создать временный файл.
Проверьте, есть ли на системном диске место для %1 байт.</translation>
    </message>
    <message>
        <source>Cannot write temporary file:
%1</source>
        <translation>Не удалось записать временный файл:
%1</translation>
    </message>
    <message>
        <source>Realtime view</source>
        <translation>Просмотр в реальном времени</translation>
    </message>
    <message>
        <source>Wave length %1ns (laser %2 from %3)</source>
        <translation>Длина волны %1 нм (лазер %2 из %3)</translation>
    </message>
    <message>
        <source>Error on measure request.</source>
        <translation>Ошибка запроса измерения.</translation>
    </message>
    <message>
        <source>Device don&apos;t response.</source>
        <translation>Прибор не отвечает.</translation>
    </message>
    <message>
        <source>Device don&apos;t support momental cancellation.
Please update firmware.</source>
        <translation>Прибор не поддерживает немедленную отмену.
Обновите встроенное ПО.</translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger2</name>
    <message>
        <source>Device with out of date firmware detected
Please update device firmware
Device -%1</source>
        <translation>Обнаружен прибор с устаревшим встроенным ПО
Обновите встроенное ПО прибора
Прибор -%1</translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
        <translation type="vanished">Не удалось подключиться к порту %1.
Возможно, порт занят другой программой.</translation>
    </message>
    <message>
        <source>Cannot determine parameters of device hardware.
Additional information: %1</source>
        <translation>Не удалось определить параметры прибора.
Дополнительно: %1</translation>
    </message>
    <message>
        <source>Cannot synchronize hardware clock.
Additional information: %1</source>
        <translation>Не удалось синхронизировать часы прибора.
Дополнительно: %1</translation>
    </message>
    <message>
        <source>The firmware version (FW) of the connected device is out of date.
 Update FW to the latest version available on the device manufacturer&apos;s website</source>
        <translation>Версия встроенного ПО подключённого прибора устарела.
 Обновите ПО до последней версии с сайта производителя прибора</translation>
    </message>
    <message>
        <source>Realtime view</source>
        <translation type="vanished">Просмотр в реальном времени</translation>
    </message>
    <message>
        <source>Wave length %1ns (laser %2 from %3)</source>
        <translation type="vanished">Длина волны %1 нм (лазер %2 из %3)</translation>
    </message>
    <message>
        <source>Device can&apos;t start measurenment</source>
        <translation>Прибор не может начать измерение</translation>
    </message>
    <message>
        <source>High input signal level was detected.
Please disable input signal.</source>
        <translation>Обнаружен высокий уровень входного сигнала.
Отключите входной сигнал.</translation>
    </message>
    <message>
        <source>Some files could not be downloaded:
%1</source>
        <translation>Не удалось загрузить некоторые файлы:
%1</translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger3</name>
    <message>
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
        <translation type="vanished">Не удалось подключиться к порту %1.
Возможно, порт занят другой программой.</translation>
    </message>
    <message>
        <source>Cannot determine parameters of device hardware.
Additional information: %1</source>
        <translation>Не удалось определить параметры прибора.
Дополнительно: %1</translation>
    </message>
    <message>
        <source>Cannot synchronize hardware clock.
Additional information: %1</source>
        <translation>Не удалось синхронизировать часы прибора.
Дополнительно: %1</translation>
    </message>
    <message>
        <source>Incompatible parameters combination requested
Range(%1 km) and Pulse width (%2 ns)!
The maximum acceptable value for Pulse width is set (%3 ns) for Range selected</source>
        <translation type="vanished">Запрошено несовместимое сочетание параметров
Диапазон (%1 км) и длительность импульса (%2 нс)!
Для выбранного диапазона установлена наибольшая допустимая длительность импульса (%3 нс)</translation>
    </message>
    <message>
        <source>Realtime view</source>
        <translation type="vanished">Просмотр в реальном времени</translation>
    </message>
    <message>
        <source>Wave length %1ns (laser %2 from %3)</source>
        <translation type="vanished">Длина волны %1 нм (лазер %2 из %3)</translation>
    </message>
    <message>
        <source>Error on measure request.</source>
        <translation>Ошибка запроса измерения.</translation>
    </message>
    <message>
        <source>Device don&apos;t response.</source>
        <translation>Прибор не отвечает.</translation>
    </message>
    <message>
        <source>Device don&apos;t support momental cancellation.
Please update firmware.</source>
        <translation>Прибор не поддерживает немедленную отмену.
Обновите встроенное ПО.</translation>
    </message>
</context>
<context>
    <name>CEventList</name>
    <message>
        <source>Event %1</source>
        <translation>Событие %1</translation>
    </message>
    <message>
        <source>Distance [km]</source>
        <translation>Расстояние [км]</translation>
    </message>
    <message>
        <source>Loss [dB]</source>
        <translation>Потери [дБ]</translation>
    </message>
    <message>
        <source>Reflectance [dB]</source>
        <translation>Отражение [дБ]</translation>
    </message>
    <message>
        <source>Attenuation coeff. [dB/km]</source>
        <translation>Коэф. затухания [дБ/км]</translation>
    </message>
    <message>
        <source>Length [km]</source>
        <translation>Длина [км]</translation>
    </message>
    <message>
        <source>Common loss [dB]</source>
        <translation>Суммарные потери [дБ]</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Комментарий</translation>
    </message>
</context>
<context>
    <name>CFileInfo</name>
    <message>
        <source>Dialog</source>
        <translation>Диалог</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Инф-я о рефлектограмме</translation>
    </message>
    <message>
        <source>Описание tooltip</source>
        <translation>Информация о рефлектограмме</translation>
    </message>
    <message>
        <source>Имя файла</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Дата/время</source>
        <translation>Дата/время</translation>
    </message>
    <message>
        <source>Кабель</source>
        <translation>Кабель</translation>
    </message>
    <message>
        <source>Волокно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начало линии</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конец линии</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Условие</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Код кабеля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор tooltip</source>
        <translation>Инф-я о приборе</translation>
    </message>
    <message>
        <source>Изготовитель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип прибора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер прибора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прочее</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Анализ tooltip</source>
        <translation>Параметры анализа рефлектограммы</translation>
    </message>
    <message>
        <source>Коэффициент обратного рассеяния</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>дБ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Затухание в соединении</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэффициент отражения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>Конец линии</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Измерение tooltip</source>
        <translation>Инф-я о параметрах измерения</translation>
    </message>
    <message>
        <source>Точная длина волны</source>
        <translation>Длина волны</translation>
    </message>
    <message>
        <source>нм</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Направление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показатель преломления</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диапазон расстояний</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>км</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разрешение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>м</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длительность зондирующего импульса</source>
        <translation>Длительность импульса</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>Число усреднений рефлектограммы</source>
        <translation>Число усреднений</translation>
    </message>
    <message>
        <source>Длина участка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полное затухание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>дб</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QWMXR01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина измерительной катушки в начале линии</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>см</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Учитывать потери разъёма в начале в величине полных потерь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина измерительной катушки в конце линии</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Учитывать потери разъёма в конце в величине полных потерь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расстояние до левого маркера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расстояние до правого маркера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расстояние между маркерами</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метод апроксимации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Потери на участке между маркерами</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.001*дБ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Средний наклон на участке между маркерами</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.001*дБ/км</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Максимальное дискретное отражение на участке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORL на участке между маркерами</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Флаг отображения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина линии, вычисленная при поиске событий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information [%1]</source>
        <translation>Информация [%1]</translation>
    </message>
    <message>
        <source>CDF_CCondidion</source>
        <translation>Текущая проверка (CC)</translation>
    </message>
    <message>
        <source>CDF_BuiltCondition</source>
        <translation>При строительстве (BC)</translation>
    </message>
    <message>
        <source>CDF_RepairedCondition</source>
        <translation>При восстановлении (RC)</translation>
    </message>
    <message>
        <source>CDF_Other</source>
        <translation>Другое (OT)</translation>
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
        <translation>Редактировать инф-ю о файле</translation>
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
        <translation>Файлы Bellcore (*.sor);;Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Add to compare</source>
        <translation>Добавить к сравнению</translation>
    </message>
    <message>
        <source>Maximum number of files for compare is %1</source>
        <translation>Для сравнения можно выбрать не более %1 файлов</translation>
    </message>
    <message>
        <source>Open project folder</source>
        <translation>Открыть папку проекта</translation>
    </message>
    <message>
        <source> - [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bellcore files (*.sor)</source>
        <translation>Файлы Bellcore (*.sor)</translation>
    </message>
    <message>
        <source>Directory selection problem</source>
        <translation>Ошибка выбора папки</translation>
    </message>
    <message>
        <source>Cannot select directory &quot;%1&quot;</source>
        <translation>Не удается выбрать папку &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Requested codepage not present (file loaded)
</source>
        <translation>Нужная кодовая страница отсутствует (файл загружен)
</translation>
    </message>
    <message>
        <source>CRC block not present (file loaded)
</source>
        <translation>Блок CRC отсутствует (файл загружен)
</translation>
    </message>
    <message>
        <source>Invalid file CRC (file loaded)
</source>
        <translation>Неверная контрольная сумма файла (файл загружен)
</translation>
    </message>
    <message>
        <source>warnings file &quot;%1&quot; loading found</source>
        <translation>при загрузке файла &quot;%1&quot; обнаружены предупреждения</translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; problem</source>
        <translation>Проблема при загрузке файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; error</source>
        <translation>Ошибка загрузки файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Saving file &quot;%1&quot; problem</source>
        <translation>Проблема при сохранении файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Saving file &quot;%1&quot; error</source>
        <translation>Ошибка сохранения файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Rename file &quot;%1&quot;</source>
        <translation>Переименование файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Filename cannot contain symbols %1</source>
        <translation>Имя файла не может содержать символы %1</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exist.</source>
        <translation>Файл &quot;%1&quot; уже существует.</translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; problem</source>
        <translation>Проблема при переименовании файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; error</source>
        <translation>Ошибка переименования файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Copy file &quot;%1&quot; to</source>
        <translation>Копировать файл &quot;%1&quot; в</translation>
    </message>
    <message>
        <source>Select dir to copy</source>
        <translation>Выберите папку для копирования</translation>
    </message>
    <message>
        <source>Copying file %1  issue</source>
        <translation>Копирование файла %1: проблема</translation>
    </message>
    <message>
        <source>Cannot copy a file to itself</source>
        <translation>Нельзя скопировать файл в самого себя</translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot; problem</source>
        <translation>Проблема при копировании файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot; error</source>
        <translation>Ошибка копирования файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Add copy from</source>
        <translation>Добавить копию из</translation>
    </message>
    <message>
        <source>Adding file %1 issue</source>
        <translation>Добавление файла %1: проблема</translation>
    </message>
    <message>
        <source>Filename is already exist</source>
        <translation>Файл с таким именем уже существует</translation>
    </message>
    <message>
        <source>Adding file %1 problem</source>
        <translation>Проблема при добавлении файла %1</translation>
    </message>
    <message>
        <source>System error on copy a file %1 to location  %2</source>
        <translation>Системная ошибка при копировании файла %1 в %2</translation>
    </message>
    <message>
        <source>Delete file &quot;%1&quot;</source>
        <translation>Удаление файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>This operation will delete file &quot;%1&quot; to Windows trash.
Are you sure?</source>
        <translation>Файл &quot;%1&quot; будет перемещен в корзину.
Продолжить?</translation>
    </message>
    <message>
        <source>Delete files</source>
        <translation>Удаление файлов</translation>
    </message>
    <message>
        <source>This operation will delete %1 selected files to Windows trash.
Are you sure?</source>
        <translation>Выбранные файлы (%1) будут перемещены в корзину.
Продолжить?</translation>
    </message>
    <message>
        <source>Cannot move file &quot;%1&quot; to the trash.</source>
        <translation>Не удается переместить файл &quot;%1&quot; в корзину.</translation>
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
        <translation>Рабочая папка изменилась</translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
Do you want to reload it?</source>
        <translation>%1

Файл изменен вне программы.
Загрузить его заново?</translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
 Do you want to reload it and lose the changes you made?</source>
        <translation>%1

Файл изменен вне программы.
 Загрузить его заново, потеряв внесенные изменения?</translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list?</source>
        <translation>%1

Файл удален вне программы.
Убрать его из списка файлов?</translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list and lose the changes you made?</source>
        <translation>%1

Файл удален вне программы.
Убрать его из списка файлов, потеряв внесенные изменения?</translation>
    </message>
    <message>
        <source>Some files in the current folder was added.
Do you want update file list?</source>
        <translation>В текущую папку добавлены файлы.
Обновить список файлов?</translation>
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
        <translation>Информация</translation>
    </message>
    <message>
        <source>Wave length</source>
        <translation>Длина волны</translation>
    </message>
    <message>
        <source>nm</source>
        <translation>нм</translation>
    </message>
    <message>
        <source>Pulse width</source>
        <translation>Длительность импульса</translation>
    </message>
    <message>
        <source>ns </source>
        <translation>нс </translation>
    </message>
    <message>
        <source>Num of Over</source>
        <translation>Усреднений</translation>
    </message>
    <message>
        <source>s   </source>
        <translation>с   </translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>m </source>
        <translation>м </translation>
    </message>
    <message>
        <source>Group Idx</source>
        <translation>Групп. индекс</translation>
    </message>
    <message>
        <source>Diapasone</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>km</source>
        <translation>км</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Инфо</translation>
    </message>
    <message>
        <source>Left marker</source>
        <translation>Левый маркер</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>Right marker</source>
        <translation>Правый маркер</translation>
    </message>
    <message>
        <source>Measure mode</source>
        <translation>Режим измерения</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Distance L-R</source>
        <translation>Расстояние Л-П</translation>
    </message>
    <message>
        <source>Loss L-R</source>
        <translation>Потери Л-П</translation>
    </message>
    <message>
        <source>Att.coeff</source>
        <translation>Коэф. зат.</translation>
    </message>
    <message>
        <source>db/Km</source>
        <translation>дБ/км</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Положение</translation>
    </message>
    <message>
        <source>Attenuation</source>
        <translation>Затухание</translation>
    </message>
    <message>
        <source>Reflectance</source>
        <translation>Отражение</translation>
    </message>
    <message>
        <source>Отражение с потерями (5 маркеров)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Потери в соединении (5 маркеров)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Измерения (2 маркера)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphModel</name>
    <message>
        <source>cm</source>
        <comment>workplace, Подпись к оси Х - сантиметры</comment>
        <translation>см</translation>
    </message>
    <message>
        <source>km</source>
        <comment>workplace, Подпись к оси Х - километры</comment>
        <translation>км</translation>
    </message>
    <message>
        <source>m</source>
        <comment>workplace, Подпись к оси Х - метры</comment>
        <translation>м</translation>
    </message>
    <message>
        <source>-%1%2 dB</source>
        <comment>workplace, Подпись к оси Y</comment>
        <translation>-%1%2 дБ</translation>
    </message>
    <message>
        <source>%1dB</source>
        <comment>Loss - above event</comment>
        <translation>%1дБ</translation>
    </message>
    <message>
        <source>%1dB</source>
        <comment>Reflectance - above event</comment>
        <translation>%1дБ</translation>
    </message>
    <message>
        <source>%1km</source>
        <comment>Distance - below event</comment>
        <translation>%1км</translation>
    </message>
    <message>
        <source>%1dB/km  </source>
        <comment>Att.coeff - between events</comment>
        <translation>%1дБ/км  </translation>
    </message>
</context>
<context>
    <name>CGraphPix</name>
    <message>
        <source>%1km %2dB</source>
        <comment>Tooltip moving marker</comment>
        <translation>%1км %2дБ</translation>
    </message>
</context>
<context>
    <name>CGraphView</name>
    <message>
        <source>Предупреждение!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблицв событий содержит несколько событий типа Конец Линии
 Удалите лишнее событие или результаты будут некорректными</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainOpt</name>
    <message>
        <source>Program options</source>
        <translation>Параметры программы</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Удаление файла из списка рефлектограмм всегда производится в корзину.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запрашивать подтверждение на удаление файла с диска</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пытаться соединиться с рефлектометром при запуске программы.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматически соединяться с рефлектометром</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Рекомендуется установить удаление во избежании дублирования файлов на компьютере.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалять загружаемые файлы с прибора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable full edit mode for file information</source>
        <translation>Разрешить полное редактирование информации о файле</translation>
    </message>
    <message>
        <source>Associate with .SOR files</source>
        <translation>Связать с файлами .SOR</translation>
    </message>
    <message>
        <source>Выбрать цвет фона графиков &gt;&gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t determine file associations</source>
        <translation>Не удается определить связи файлов</translation>
    </message>
    <message>
        <source>Can&apos;t configure file associations</source>
        <translation>Не удается настроить связи файлов</translation>
    </message>
    <message>
        <source>Language changed</source>
        <translation>Язык изменен</translation>
    </message>
    <message>
        <source>Please restart program for apply language changes.</source>
        <translation>Перезапустите программу, чтобы применить смену языка.</translation>
    </message>
</context>
<context>
    <name>CParametersOpt</name>
    <message>
        <source>Формирование отчета</source>
        <translation>Формирование отчета</translation>
    </message>
    <message>
        <source>Данные заголовка</source>
        <translation>Данные заголовка</translation>
    </message>
    <message>
        <source>ВОЛП</source>
        <translation>ВОЛП</translation>
    </message>
    <message>
        <source>Участок</source>
        <translation>Участок</translation>
    </message>
    <message>
        <source>Кабель (марка, тип)</source>
        <translation>Кабель (марка, тип)</translation>
    </message>
    <message>
        <source>Направление</source>
        <translation>Направление</translation>
    </message>
    <message>
        <source>Заполнить заголовок данными из текущей рефлектограммы</source>
        <translation>Заполнить заголовок данными из текущей рефлектограммы</translation>
    </message>
    <message>
        <source>Организация, Подписи</source>
        <translation>Организация, Подписи</translation>
    </message>
    <message>
        <source>Огрганизация-исполнитель (СМО)</source>
        <translation>Огрганизация-исполнитель (СМО)</translation>
    </message>
    <message>
        <source>должность</source>
        <translation>должность</translation>
    </message>
    <message>
        <source>Ф.И.О</source>
        <translation>Ф.И.О</translation>
    </message>
    <message>
        <source>От Исполнителя</source>
        <translation>От Исполнителя</translation>
    </message>
    <message>
        <source>От Принимающего</source>
        <translation>От Принимающего</translation>
    </message>
    <message>
        <source>Выбор составных частей отчета</source>
        <translation>Выбор составных частей отчета</translation>
    </message>
    <message>
        <source>Заголовок</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <source>Таблица событий</source>
        <translation>Таблица событий</translation>
    </message>
    <message>
        <source>График и параметры измерения</source>
        <translation>График и параметры измерения</translation>
    </message>
    <message>
        <source>Таблица результатов измерения</source>
        <translation>Таблица результатов измерения</translation>
    </message>
    <message>
        <source>Данные маркеров</source>
        <translation>Данные маркеров</translation>
    </message>
    <message>
        <source>Подписи сторон</source>
        <translation>Подписи сторон</translation>
    </message>
</context>
<context>
    <name>CPrinter</name>
    <message>
        <source>Need printer</source>
        <translation>Нужен принтер</translation>
    </message>
    <message>
        <source>It need any printer for continue. Please install printer and try now.</source>
        <translation>Для продолжения нужен принтер. Установите принтер и повторите попытку.</translation>
    </message>
    <message>
        <source>Quorvane - Print preview mode (presss ESC or close)</source>
        <translation>Quorvane - Предварительный просмотр (нажмите ESC или закройте окно)</translation>
    </message>
    <message>
        <source>Показывать График</source>
        <translation>Показывать График</translation>
    </message>
    <message>
        <source>Показывать данные маркеров</source>
        <translation>Показывать данные маркеров</translation>
    </message>
    <message>
        <source>Показывать таблицу событий</source>
        <translation>Показывать таблицу событий</translation>
    </message>
    <message>
        <source>Показывать таблицу результатов</source>
        <translation>Показывать таблицу результатов</translation>
    </message>
    <message>
        <source>Show Footer</source>
        <translation>Показывать подписи</translation>
    </message>
    <message>
        <source>Printer subsystem error</source>
        <translation>Ошибка подсистемы печати</translation>
    </message>
    <message>
        <source>Can&apos;t open file &quot;%1&quot;.
Program can&apos;t export to Adobe PDF.</source>
        <translation>Невозможно открыть файл &quot;%1&quot;.
Программа не может экспортировать в Adobe PDF.</translation>
    </message>
    <message>
        <source>Printer subsystem internal error.
Program can&apos;t produce any printing.</source>
        <translation>Внутренняя ошибка подсистемы печати.
Программа не может выполнить печать.</translation>
    </message>
    <message>
        <source>Generate pages...</source>
        <translation>Формирование страниц...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Printer subsystem can&apos;t generate new page.
Not all pages can be printed.</source>
        <translation>Подсистема печати не может создать новую страницу.
Напечатаны будут не все страницы.</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation>Файл &quot;%1&quot; уже существует.
Заменить его?</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Times New Roman&gt;&lt;table cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Файл&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Дата&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;ВОЛП&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Участок :&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Строительно-монтажная организация&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;br/&gt;&lt;font size=%1 face=Arial&gt;&lt;center&gt;&lt;b&gt;Рефлектограмма&lt;br/&gt;ОВ № %6 на смонтированном участке регенерации.&lt;/b&gt;&lt;/center&gt;&lt;/font&gt;&lt;br/&gt;&lt;font size=%1 face=Times New Roman&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Кабель (марка, тип):&lt;/td&gt;&lt;td width=50%&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Волокно (цвет, номер):&lt;/td&gt;&lt;td width=50%&gt;%8&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Направление:&lt;/td&gt;&lt;td width=50%&gt;%9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Рефлектометр (&lt;i&gt;тип, зав. №&lt;/i&gt;)&lt;/td&gt;&lt;td width=50%&gt;%10&amp;nbsp;№%11&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;&lt;br/&gt;&lt;br/&gt;</source>
        <translation>&lt;font size=%1 face=Times New Roman&gt;&lt;table cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Файл&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Дата&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;ВОЛП&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Участок :&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Строительно-монтажная организация&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;br/&gt;&lt;font size=%1 face=Arial&gt;&lt;center&gt;&lt;b&gt;Рефлектограмма&lt;br/&gt;ОВ № %6 на смонтированном участке регенерации.&lt;/b&gt;&lt;/center&gt;&lt;/font&gt;&lt;br/&gt;&lt;font size=%1 face=Times New Roman&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=50%&gt;Кабель (марка, тип):&lt;/td&gt;&lt;td width=50%&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Волокно (цвет, номер):&lt;/td&gt;&lt;td width=50%&gt;%8&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Направление:&lt;/td&gt;&lt;td width=50%&gt;%9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=50%&gt;Рефлектометр (&lt;i&gt;тип, зав. №&lt;/i&gt;)&lt;/td&gt;&lt;td width=50%&gt;%10&amp;nbsp;№%11&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Arial&gt; Параметры измерения : &lt;/br&gt;</source>
        <translation>&lt;font size=%1 face=Arial&gt; Параметры измерения : &lt;/br&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Arial&gt;&lt;b&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td&gt;Wavelength: %2nm&lt;/td&gt;&lt;td&gt;Pulsewidth: %3ns&lt;/td&gt;&lt;td&gt;Length: %4km&lt;/td&gt;&lt;td&gt;Index: %5&lt;/td&gt;&lt;/tr&gt;&lt;/font&gt;&lt;/b&gt;</source>
        <translation>&lt;font size=%1 face=Arial&gt;&lt;b&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td&gt;Длина волны: %2нм&lt;/td&gt;&lt;td&gt;Импульс: %3нс&lt;/td&gt;&lt;td&gt;Длина: %4км&lt;/td&gt;&lt;td&gt;Показатель преломления: %5&lt;/td&gt;&lt;/tr&gt;&lt;/font&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Marker</source>
        <translation>Маркер</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Расстояние</translation>
    </message>
    <message>
        <source>Delta</source>
        <translation>Разность</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Arial&gt; Результаты измерения линии&lt;/br&gt;</source>
        <translation>&lt;font size=%1 face=Arial&gt; Результаты измерения линии&lt;/br&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Длина участка,км&lt;/td&gt;&lt;td&gt;Полное затухание,дБ&lt;/td&gt;&lt;td&gt;Погонное затухание, дБ/км&lt;/td&gt;&lt;td&gt;Возвратные потери (ORL),дБ&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;%2&lt;/td&gt;&lt;td&gt;%3 &lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/br&gt;&lt;/br&gt;&lt;/font&gt;</source>
        <translation>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Длина участка,км&lt;/td&gt;&lt;td&gt;Полное затухание,дБ&lt;/td&gt;&lt;td&gt;Погонное затухание, дБ/км&lt;/td&gt;&lt;td&gt;Возвратные потери (ORL),дБ&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;%2&lt;/td&gt;&lt;td&gt;%3 &lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/br&gt;&lt;/br&gt;&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Подписали&lt;/td&gt;&lt;td&gt;Должность&lt;/td&gt;&lt;td&gt;Фамилия И.О.&lt;/td&gt;&lt;td&gt;Подпись&lt;/td&gt;&lt;td&gt;Дата&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Представители строительно- монтажной организации&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Представители технадзора&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;</source>
        <translation>&lt;font size=%1 face=Times New Roman&gt;&lt;table border cellspacing=0 width=100%&gt;&lt;tr&gt;&lt;td width=20%&gt;Подписали&lt;/td&gt;&lt;td&gt;Должность&lt;/td&gt;&lt;td&gt;Фамилия И.О.&lt;/td&gt;&lt;td&gt;Подпись&lt;/td&gt;&lt;td&gt;Дата&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Представители строительно- монтажной организации&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td width=20%&gt;Представители технадзора&lt;/td&gt;&lt;td&gt;%4&lt;/td&gt;&lt;td&gt;%5&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/font&gt;</translation>
    </message>
</context>
<context>
    <name>CPrinterList</name>
    <message>
        <source>Print files</source>
        <translation>Печать файлов</translation>
    </message>
    <message>
        <source>List of files for printing</source>
        <translation>Список файлов для печати</translation>
    </message>
    <message>
        <source>Note: You can select files for printing.</source>
        <translation>Примечание: можно выбрать несколько файлов для печати.</translation>
    </message>
    <message>
        <source>Print to Adobe PDF file</source>
        <translation>Печать в файл Adobe PDF</translation>
    </message>
    <message>
        <source>Please setup any printer</source>
        <translation>Установите какой-нибудь принтер</translation>
    </message>
    <message>
        <source>Work area - selected file</source>
        <translation>Рабочая область - выбранный файл</translation>
    </message>
</context>
<context>
    <name>CSaveList</name>
    <message>
        <source>Saving modified files</source>
        <translation>Сохранение измененных файлов</translation>
    </message>
    <message>
        <source>Some files were changed, but not saved.
Save the following selected files?</source>
        <translation>Некоторые файлы изменены, но не сохранены.
Сохранить выбранные файлы?</translation>
    </message>
    <message>
        <source>Note: You can deselect saving files.</source>
        <translation>Примечание: с файлов можно снять отметку сохранения.</translation>
    </message>
    <message>
        <source>Save selected</source>
        <translation>Сохранить выбранные</translation>
    </message>
    <message>
        <source>Close without saving</source>
        <translation>Закрыть без сохранения</translation>
    </message>
</context>
<context>
    <name>CrashCallback</name>
    <message>
        <source>Report sender error</source>
        <translation>Ошибка отправки отчёта</translation>
    </message>
    <message>
        <source>Can&apos;t attach log file: %1
You can try attach it manually from
&quot;%2&quot;</source>
        <translation>Не удаётся приложить файл журнала: %1
Вы можете приложить его вручную из
&quot;%2&quot;</translation>
    </message>
</context>
<context>
    <name>EFileAccessError</name>
    <message>
        <source>File access error</source>
        <translation>Ошибка доступа к файлу</translation>
    </message>
</context>
<context>
    <name>EFileLoadInvalidFormat</name>
    <message>
        <source>Format of loaded file is no Bellcore v1.0 format</source>
        <translation>Формат загруженного файла не соответствует формату Bellcore v1.0</translation>
    </message>
</context>
<context>
    <name>EInternalError</name>
    <message>
        <source>Application internal error</source>
        <translation>Внутренняя ошибка программы</translation>
    </message>
</context>
<context>
    <name>ESystemError</name>
    <message>
        <source>System error #%1</source>
        <translation>Системная ошибка №%1</translation>
    </message>
</context>
<context>
    <name>Exception</name>
    <message>
        <source>Unexpected error</source>
        <translation>Непредвиденная ошибка</translation>
    </message>
    <message>
        <source>Error code is %1</source>
        <translation>Код ошибки: %1</translation>
    </message>
    <message>
        <source>Critical error</source>
        <translation>Критическая ошибка</translation>
    </message>
</context>
<context>
    <name>IARMessageBox</name>
    <message>
        <source>Ignore all</source>
        <translation>Пропустить все</translation>
    </message>
</context>
<context>
    <name>IDeviceConnector::ESending</name>
    <message>
        <source>Error of sending</source>
        <translation>Ошибка передачи</translation>
    </message>
</context>
<context>
    <name>LogFile</name>
    <message>
        <source>Logger error</source>
        <translation>Ошибка журнала</translation>
    </message>
    <message>
        <source>Can&apos;t create log file: %1</source>
        <translation>Не удаётся создать файл журнала: %1</translation>
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
        <translation>Масштаб сброшен</translation>
    </message>
    <message>
        <source>meters</source>
        <translation>метров</translation>
    </message>
    <message>
        <source>centimetres</source>
        <translation>сантиметров</translation>
    </message>
    <message>
        <source>kilometers</source>
        <translation>километров</translation>
    </message>
    <message>
        <source>Zoom %1 %2 x %3 dB</source>
        <translation>Масштаб %1 %2 x %3 дБ</translation>
    </message>
    <message>
        <source>Сообщите нам об ошибках и неудобствах
в программе посредством данной кнопки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>&amp;Change folder</source>
        <translation>&amp;Сменить папку</translation>
    </message>
    <message>
        <source>Change folder</source>
        <translation>Сменить папку</translation>
    </message>
    <message>
        <source>Sa&amp;ve all</source>
        <translation>Сохранить &amp;все</translation>
    </message>
    <message>
        <source>Save all</source>
        <translation>Сохранить все</translation>
    </message>
    <message>
        <source>Save all traces</source>
        <translation>Сохранить все рефлектограммы</translation>
    </message>
    <message>
        <source>&amp;Add copy from..</source>
        <translation>&amp;Добавить копию из..</translation>
    </message>
    <message>
        <source>Add copy files from other folder</source>
        <translation>Добавить копии файлов из другой папки</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>С&amp;охранить</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Save &amp;copy to...</source>
        <translation>Сохранить &amp;копию в...</translation>
    </message>
    <message>
        <source>Save copy to another folder</source>
        <translation>Сохранить копию в другую папку</translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation>&amp;Переименовать</translation>
    </message>
    <message>
        <source>Rename file</source>
        <translation>Переименовать файл</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Удалить</translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation>Удалить выбранные файлы</translation>
    </message>
    <message>
        <source>&amp;Uncheck all	Esc</source>
        <translation>Сн&amp;ять все отметки	Esc</translation>
    </message>
    <message>
        <source>Uncheck all</source>
        <translation>Снять все отметки</translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation>&amp;Информация</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Op&amp;tions</source>
        <translation>Н&amp;астройки</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Прибор</translation>
    </message>
    <message>
        <source>Device toolbar</source>
        <translation>Панель прибора</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Подключить</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Dis&amp;connect</source>
        <translation>&amp;Отключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Measu&amp;rement</source>
        <translation>&amp;Измерение</translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>&amp;Load all</source>
        <translation>&amp;Загрузить все</translation>
    </message>
    <message>
        <source>Load all</source>
        <translation>Загрузить все</translation>
    </message>
    <message>
        <source>Cl&amp;ear memory</source>
        <translation>О&amp;чистить память</translation>
    </message>
    <message>
        <source>Clear Memory</source>
        <translation>Очистить память</translation>
    </message>
    <message>
        <source>Clear memory</source>
        <translation>Очистить память</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Свойства</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
    <message>
        <source>&amp;Update clock</source>
        <translation>&amp;Установить часы</translation>
    </message>
    <message>
        <source>Update clock</source>
        <translation>Установить часы</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>View toolbar</source>
        <translation>Панель вида</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation>Сбросить масштаб</translation>
    </message>
    <message>
        <source>Zoom X in</source>
        <translation>Увеличить по X</translation>
    </message>
    <message>
        <source>Zoom X out</source>
        <translation>Уменьшить по X</translation>
    </message>
    <message>
        <source>Reset zoom X </source>
        <translation>Сбросить масштаб по X </translation>
    </message>
    <message>
        <source>Reset zoom X off</source>
        <translation>Сбросить масштаб по X</translation>
    </message>
    <message>
        <source>Reset zoom X</source>
        <translation>Сбросить масштаб по X</translation>
    </message>
    <message>
        <source>Применить текущий масштаб ко всем файлам</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Events</source>
        <translation>&amp;События</translation>
    </message>
    <message>
        <source>Events toolbar</source>
        <translation>Панель событий</translation>
    </message>
    <message>
        <source>Measure &amp;splice</source>
        <translation>Измерить &amp;соединение</translation>
    </message>
    <message>
        <source>Measure splice</source>
        <translation>Измерить соединение</translation>
    </message>
    <message>
        <source>Measure &amp;reflection</source>
        <translation>Измерить &amp;отражение</translation>
    </message>
    <message>
        <source>Measure reflection</source>
        <translation>Измерить отражение</translation>
    </message>
    <message>
        <source>Measure reflection at end</source>
        <translation>Измерить отражение в конце</translation>
    </message>
    <message>
        <source>Add &amp;event</source>
        <translation>Добавить &amp;событие</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Добавить событие</translation>
    </message>
    <message>
        <source>Show events table</source>
        <translation>Показать таблицу событий</translation>
    </message>
    <message>
        <source>Show events on  graph</source>
        <translation>Показать события на графике</translation>
    </message>
    <message>
        <source>Show coils on graph</source>
        <translation>Показать катушки на графике</translation>
    </message>
    <message>
        <source>&amp;Lock markers</source>
        <translation>&amp;Закрепить маркеры</translation>
    </message>
    <message>
        <source>Lock markers to fix their distance</source>
        <translation>Закрепить маркеры, чтобы сохранить расстояние между ними</translation>
    </message>
    <message>
        <source>&amp;Отчет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры отчета</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Печать</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>&amp;Предварительный просмотр</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Предварительный просмотр</translation>
    </message>
    <message>
        <source>Page prop&amp;erties</source>
        <translation>Параметры с&amp;траницы</translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation>Параметры страницы</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>&amp;Help topics</source>
        <translation>&amp;Содержание справки</translation>
    </message>
    <message>
        <source>&amp;Report of the issue</source>
        <translation>Сообщить о &amp;проблеме</translation>
    </message>
    <message>
        <source>Report of the issue</source>
        <translation>Сообщить о проблеме</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>&amp;Delete event</source>
        <translation>&amp;Удалить событие</translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation>Удалить событие</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Редактировать</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Редактировать</translation>
    </message>
    <message>
        <source>Move &amp;Left cursor here</source>
        <translation>Переместить &amp;левый курсор сюда</translation>
    </message>
    <message>
        <source>Move &amp;Left here</source>
        <translation>Переместить л&amp;евый маркер сюда</translation>
    </message>
    <message>
        <source>Move &amp;Center cursor here</source>
        <translation>Переместить &amp;центральный курсор сюда</translation>
    </message>
    <message>
        <source>Move &amp;Right here</source>
        <translation>Переместить п&amp;равый маркер сюда</translation>
    </message>
    <message>
        <source>Move &amp;Right cursor here</source>
        <translation>Переместить &amp;правый курсор сюда</translation>
    </message>
    <message>
        <source>The report of the issue was written to the folder
%1</source>
        <translation>Отчёт о проблеме записан в папку
%1</translation>
    </message>
    <message>
        <source>The report of the issue could not be written:
%1</source>
        <translation>Не удалось записать отчёт о проблеме:
%1</translation>
    </message>
    <message>
        <source>The user manual was not found:
%1</source>
        <translation>Руководство пользователя не найдено:
%1</translation>
    </message>
    <message>
        <source>The user manual could not be opened:
%1</source>
        <translation>Не удалось открыть руководство пользователя:
%1</translation>
    </message>
</context>
<context>
    <name>QFrame</name>
    <message>
        <source>%1=%2ns</source>
        <translation>%1=%2нс</translation>
    </message>
    <message>
        <source>%1=%2nm</source>
        <translation>%1=%2нм</translation>
    </message>
    <message>
        <source>L=%1km</source>
        <translation>L=%1км</translation>
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
        <translation>dd.MM.yyyy hh:mm</translation>
    </message>
    <message>
        <source>Device parameters are invalid.
Probably, you use incompatible device or device is not connected.</source>
        <translation>Недопустимые параметры прибора.
Возможно, прибор несовместим или не подключён.</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Export to PDF</source>
        <translation>Экспорт в PDF</translation>
    </message>
</context>
<context>
    <name>QValidator</name>
    <message>
        <source> (can be zero)</source>
        <translation> (может быть нулем)</translation>
    </message>
    <message>
        <source>Enter numeric value from %1 to %2%3</source>
        <translation>Введите число от %1 до %2%3</translation>
    </message>
    <message>
        <source>Value can&apos;t be negative</source>
        <translation>Значение не может быть отрицательным</translation>
    </message>
    <message>
        <source>Value can&apos;t be positive (put &apos;-&apos; first)</source>
        <translation>Значение не может быть положительным (поставьте &apos;-&apos; в начале)</translation>
    </message>
    <message>
        <source>Value must be integer</source>
        <translation>Значение должно быть целым</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>Сообщение в случае превышения числа символов, аргумент - сообщение о диапазоне ввода</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a numeric value</source>
        <translation>Введите число</translation>
    </message>
    <message>
        <source>Maximum value is %1</source>
        <translation>Максимальное значение %1</translation>
    </message>
    <message>
        <source>Minimum value is %1</source>
        <translation>Минимальное значение %1</translation>
    </message>
    <message>
        <source>Value can&apos;t be zero</source>
        <translation>Значение не может быть нулем</translation>
    </message>
    <message>
        <source>Maximum string length is %1</source>
        <translation>Максимальная длина строки %1</translation>
    </message>
    <message>
        <source>These characters can&apos;t be saved in the trace file: %1</source>
        <translation>Эти символы нельзя сохранить в файле рефлектограммы: %1</translation>
    </message>
    <message>
        <source>Please use only digits, letters, &apos;_&apos; or &apos;-&apos; and space</source>
        <translation>Используйте только цифры, буквы, &apos;_&apos;, &apos;-&apos; и пробел</translation>
    </message>
</context>
<context>
    <name>SelectFolderDialog</name>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Crash report installation</source>
        <translation>Установка отчетов о сбоях</translation>
    </message>
    <message>
        <source>Can not install crash report:
%1
Please reinstall program.</source>
        <translation>Не удается установить отчеты о сбоях:
%1
Переустановите программу.</translation>
    </message>
    <message>
        <source>Language resources not found or corrupted
Please reinstall program.</source>
        <translation>Языковые ресурсы не найдены или повреждены
Переустановите программу.</translation>
    </message>
</context>
<context>
    <name>selectFolderDialog</name>
    <message>
        <source>Download files</source>
        <translation>Загрузка файлов</translation>
    </message>
    <message>
        <source>Download all</source>
        <translation>Загрузить все</translation>
    </message>
    <message>
        <source>Download selected folder</source>
        <translation>Загрузить выбранную папку</translation>
    </message>
</context>
</TS>
