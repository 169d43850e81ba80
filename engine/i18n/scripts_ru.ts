<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>factorial</name>
    <message>
        <source>Can`t calculate factorial(%1)</source>
        <translation>Невозможно вычислить faсtorial(%1)</translation>
    </message>
</context>
<context>
    <name>tobase</name>
    <message>
        <source>convert (x, base): numeric base must be &lt;= 36</source>
        <translation>convert (x, base): аргумент base должен быть &lt;= 36</translation>
    </message>
    <message>
        <source>convert (x, base): numeric base must be &gt; 0</source>
        <translation>convert (x, base): аргумент base должен быть &gt; 0</translation>
    </message>
</context>
</TS>
