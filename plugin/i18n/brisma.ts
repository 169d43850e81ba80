<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>QTovelPlugin</name>
    <message>
        <source>Brisma</source>
        <translation>Брисма</translation>
    </message>
</context>
<context>
    <name>QFormulaDisplay</name>
    <message>
        <source>Brisma</source>
        <translation>Брисма</translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation>Вычисляется…</translation>
    </message>
    <message>
        <source>Calculation stopped</source>
        <translation>Вычисление остановлено</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Углы</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Сист</translation>
    </message>
    <message>
        <source>Prec</source>
        <translation>Точн</translation>
    </message>
    <message>
        <source>Calculate (%1)</source>
        <translation>Вычислить (%1)</translation>
    </message>
    <message>
        <source>Clear the formula, stop the calculation (%1)</source>
        <translation>Очистить формулу, остановить вычисление (%1)</translation>
    </message>
    <message>
        <source>The engine stopped without an answer</source>
        <translation>Вычислитель остановился, не дав ответа</translation>
    </message>
    <message>
        <source>The engine tovel could not be started</source>
        <translation>Не удалось запустить вычислитель tovel</translation>
    </message>
    <message>
        <source>Fill in the empty field</source>
        <translation>Заполните пустое поле</translation>
    </message>
</context>
<context>
    <name>QFormulaKeyboard</name>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Восстановить по умолчанию</translation>
    </message>
    <message>
        <source>Trigonometric functions</source>
        <translation>Тригонометрические функции</translation>
    </message>
    <message>
        <source>Algebraic functions</source>
        <translation>Алгебраические функции</translation>
    </message>
    <message>
        <source>Fractions and braces</source>
        <translation>Дроби и скобки</translation>
    </message>
    <message>
        <source>Constants and variables</source>
        <translation>Константы и переменные</translation>
    </message>
    <message>
        <source>Boolean operators</source>
        <translation>Логические операции</translation>
    </message>
    <message>
        <source>Decimal arithmetics</source>
        <translation>Десятичная арифметика</translation>
    </message>
    <message>
        <source>Hexadecimal numbers</source>
        <translation>Шестнадцатеричные числа</translation>
    </message>
</context>
<context>
    <name>QFormulaHistoryView</name>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Clear history</source>
        <translation>Очистить историю</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>%1: Error opening formula data file</source>
        <translation>%1: Невозможно открыть файл с формулами</translation>
    </message>
    <message>
        <source>%1: Error while loading formula data</source>
        <translation>%1: Ошибка при загрузке данных формул</translation>
    </message>
</context>
</TS>
