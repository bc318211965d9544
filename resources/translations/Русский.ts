<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>%1</name>
    <message>
        <source>Сообщение в случае превышения числа символов, аргумент - сообщение о диапазоне ввода</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
    <name>Exception</name>
    <message>
        <source>Unexpected error</source>
        <translation>Непредвиденная ошибка</translation>
    </message>
    <message>
        <source>Error code is %1</source>
        <translation>Код ошибки: %1</translation>
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
    <name>QObject</name>
    <message>
        <source>dd/MM/yyyy hh:mm</source>
        <comment>Date format: year/month/day  hour:min</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
