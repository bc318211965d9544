<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
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
    <name>Exception</name>
    <message>
        <source>Unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error code is %1</source>
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
    <name>QObject</name>
    <message>
        <source>dd/MM/yyyy hh:mm</source>
        <comment>Date format: year/month/day  hour:min</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
