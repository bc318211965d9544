<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Отчет</source>
        <translation>&amp;Outside report</translation>
    </message>
</context>
</TS>
