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
<context>
    <name>QFormulaDisplay</name>
    <message>
        <source>There is no previous answer</source>
        <translation>Предыдущего ответа нет</translation>
    </message>
    <message>
        <source>The engine did not answer</source>
        <translation>Вычислитель не ответил</translation>
    </message>
</context>
<context>
    <name>QFormulaHistoryView</name>
    <message>
        <source>Remove every entry of the history? This cannot be undone.</source>
        <translation>Удалить все записи истории? Это нельзя отменить.</translation>
    </message>
    <message>
        <source>The history file belongs to another program: the entries of this session are not kept.</source>
        <translation>Файл истории принадлежит другой программе: записи этого сеанса не сохраняются.</translation>
    </message>
</context>
<context>
    <name>brisma</name>
    <message>
        <source>Fold the history away</source>
        <translation>Свернуть историю</translation>
    </message>
    <message>
        <source>Show the history</source>
        <translation>Показать историю</translation>
    </message>
</context>
<context>
    <name>QScreenKeyGroup</name>
    <message>
        <source>Sine</source>
        <translation>Синус</translation>
    </message>
    <message>
        <source>Cosine</source>
        <translation>Косинус</translation>
    </message>
    <message>
        <source>Tangent</source>
        <translation>Тангенс</translation>
    </message>
    <message>
        <source>Cotangent</source>
        <translation>Котангенс</translation>
    </message>
    <message>
        <source>Arcsine</source>
        <translation>Арксинус</translation>
    </message>
    <message>
        <source>Arccosine</source>
        <translation>Арккосинус</translation>
    </message>
    <message>
        <source>Arctangent</source>
        <translation>Арктангенс</translation>
    </message>
    <message>
        <source>Arccotangent</source>
        <translation>Арккотангенс</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Степень</translation>
    </message>
    <message>
        <source>Root</source>
        <translation>Корень</translation>
    </message>
    <message>
        <source>Absolute value</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Number in another base</source>
        <translation>Число в другой системе счисления</translation>
    </message>
    <message>
        <source>Logarithm</source>
        <translation>Логарифм</translation>
    </message>
    <message>
        <source>Natural logarithm</source>
        <translation>Натуральный логарифм</translation>
    </message>
    <message>
        <source>Exponential</source>
        <translation>Экспонента</translation>
    </message>
    <message>
        <source>Factorial</source>
        <translation>Факториал</translation>
    </message>
    <message>
        <source>Fraction</source>
        <translation>Дробь</translation>
    </message>
    <message>
        <source>Fraction with a whole part</source>
        <translation>Дробь с целой частью</translation>
    </message>
    <message>
        <source>Opening bracket</source>
        <translation>Открывающая скобка</translation>
    </message>
    <message>
        <source>Closing bracket</source>
        <translation>Закрывающая скобка</translation>
    </message>
    <message>
        <source>Pi</source>
        <translation>Пи</translation>
    </message>
    <message>
        <source>Phi</source>
        <translation>Фи</translation>
    </message>
    <message>
        <source>Number e</source>
        <translation>Число e</translation>
    </message>
    <message>
        <source>Variable x</source>
        <translation>Переменная x</translation>
    </message>
    <message>
        <source>Exclusive or</source>
        <translation>Исключающее ИЛИ</translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation>Сдвиг влево</translation>
    </message>
    <message>
        <source>Or</source>
        <translation>ИЛИ</translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation>Сдвиг вправо</translation>
    </message>
    <message>
        <source>And</source>
        <translation>И</translation>
    </message>
    <message>
        <source>Not</source>
        <translation>НЕ</translation>
    </message>
    <message>
        <source>Decimal point</source>
        <translation>Десятичная точка</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Плюс</translation>
    </message>
    <message>
        <source>Remainder</source>
        <translation>Остаток от деления</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Умножить</translation>
    </message>
    <message>
        <source>Divided by</source>
        <translation>Разделить</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>Минус</translation>
    </message>
    <message>
        <source>Digit 0</source>
        <translation>Цифра 0</translation>
    </message>
    <message>
        <source>Digit 1</source>
        <translation>Цифра 1</translation>
    </message>
    <message>
        <source>Digit 2</source>
        <translation>Цифра 2</translation>
    </message>
    <message>
        <source>Digit 3</source>
        <translation>Цифра 3</translation>
    </message>
    <message>
        <source>Digit 4</source>
        <translation>Цифра 4</translation>
    </message>
    <message>
        <source>Digit 5</source>
        <translation>Цифра 5</translation>
    </message>
    <message>
        <source>Digit 6</source>
        <translation>Цифра 6</translation>
    </message>
    <message>
        <source>Digit 7</source>
        <translation>Цифра 7</translation>
    </message>
    <message>
        <source>Digit 8</source>
        <translation>Цифра 8</translation>
    </message>
    <message>
        <source>Digit 9</source>
        <translation>Цифра 9</translation>
    </message>
    <message>
        <source>Hexadecimal digit A</source>
        <translation>Шестнадцатеричная цифра A</translation>
    </message>
    <message>
        <source>Hexadecimal digit B</source>
        <translation>Шестнадцатеричная цифра B</translation>
    </message>
    <message>
        <source>Hexadecimal digit C</source>
        <translation>Шестнадцатеричная цифра C</translation>
    </message>
    <message>
        <source>Hexadecimal digit D</source>
        <translation>Шестнадцатеричная цифра D</translation>
    </message>
    <message>
        <source>Hexadecimal digit E</source>
        <translation>Шестнадцатеричная цифра E</translation>
    </message>
    <message>
        <source>Hexadecimal digit F</source>
        <translation>Шестнадцатеричная цифра F</translation>
    </message>
</context>
</TS>
