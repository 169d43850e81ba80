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
