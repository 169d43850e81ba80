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
        <source>A string grew longer than %1 characters</source>
        <translation>Строка стала длиннее %1 символов</translation>
    </message>
    <message>
        <source>Stopped after %1 ms</source>
        <translation>Остановлено через %1 мс</translation>
    </message>
    <message>
        <source>Syntax error</source>
        <translation>Синтаксическая ошибка</translation>
    </message>
    <message>
        <source>The expression is too long or too deeply nested</source>
        <translation>Выражение слишком длинное или слишком глубоко вложенное</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Ошибка: %1</translation>
    </message>
</context>
<context>
    <name>QScriptProcessor</name>
    <message>
        <source>Incorrect cycle definion</source>
        <translation>Неверная запись цикла &quot;for&quot;</translation>
    </message>
    <message>
        <source>The operator table makes the statement too long</source>
        <translation>Таблица операторов делает выражение слишком длинным</translation>
    </message>
    <message>
        <source>%1: a decimal number is written with a point, not a comma</source>
        <translation>%1: дробная часть числа отделяется точкой, а не запятой</translation>
    </message>
    <message>
        <source>The script file %1 is over %2 bytes</source>
        <translation>Файл сценария %1 больше %2 байт</translation>
    </message>
</context>
</TS>
