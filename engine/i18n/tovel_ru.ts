<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>QObject</name>
    <message>
        <source>Error: undefined variable or function: %1</source>
        <translation>Ошибка: не задана переменная или функция %1</translation>
    </message>
    <message>
        <source>Calculation stopped</source>
        <translation>Вычисление остановлено</translation>
    </message>
    <message>
        <source>Maximum call stack size exceeded</source>
        <translation>Превышен максимальный размер стека</translation>
    </message>
    <message>
        <source>Syntax error</source>
        <translation>Синтаксическая ошибка</translation>
    </message>
</context>
</TS>
