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
        <source>Answer</source>
        <translation>Ответ</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Равно</translation>
    </message>
    <message>
        <source>Clear entry</source>
        <translation>Очистить ввод</translation>
    </message>
    <message>
        <source>Number base</source>
        <translation>Система счисления</translation>
    </message>
    <message>
        <source>Precision</source>
        <translation>Точность</translation>
    </message>
    <message>
        <source>Angle unit</source>
        <translation>Единица углов</translation>
    </message>
    <message>
        <source>equals %1</source>
        <translation>равно %1</translation>
    </message>
</context>
<context>
    <name>QFormulaWords</name>
    <message>
        <source>Formula</source>
        <translation>Формула</translation>
    </message>
    <message>
        <source>formula</source>
        <translation>формула</translation>
    </message>
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
        <source>sine</source>
        <translation>синус</translation>
    </message>
    <message>
        <source>cosine</source>
        <translation>косинус</translation>
    </message>
    <message>
        <source>tangent</source>
        <translation>тангенс</translation>
    </message>
    <message>
        <source>cotangent</source>
        <translation>котангенс</translation>
    </message>
    <message>
        <source>arcsine</source>
        <translation>арксинус</translation>
    </message>
    <message>
        <source>arccosine</source>
        <translation>арккосинус</translation>
    </message>
    <message>
        <source>arctangent</source>
        <translation>арктангенс</translation>
    </message>
    <message>
        <source>arccotangent</source>
        <translation>арккотангенс</translation>
    </message>
    <message>
        <source>argument of sine</source>
        <translation>аргумент синуса</translation>
    </message>
    <message>
        <source>argument of cosine</source>
        <translation>аргумент косинуса</translation>
    </message>
    <message>
        <source>argument of tangent</source>
        <translation>аргумент тангенса</translation>
    </message>
    <message>
        <source>argument of cotangent</source>
        <translation>аргумент котангенса</translation>
    </message>
    <message>
        <source>argument of arcsine</source>
        <translation>аргумент арксинуса</translation>
    </message>
    <message>
        <source>argument of arccosine</source>
        <translation>аргумент арккосинуса</translation>
    </message>
    <message>
        <source>argument of arctangent</source>
        <translation>аргумент арктангенса</translation>
    </message>
    <message>
        <source>argument of arccotangent</source>
        <translation>аргумент арккотангенса</translation>
    </message>
    <message>
        <source>%0 to the power %2 of %3</source>
        <translation>%0 в степени %2 от %3</translation>
    </message>
    <message>
        <source>%0 of %3</source>
        <translation>%0 от %3</translation>
    </message>
    <message>
        <source>%0 squared of %3</source>
        <translation>%0 в квадрате от %3</translation>
    </message>
    <message>
        <source>%0 cubed of %3</source>
        <translation>%0 в кубе от %3</translation>
    </message>
    <message>
        <source>exponent</source>
        <translation>показатель степени</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Степень</translation>
    </message>
    <message>
        <source>%2 to the power %1</source>
        <translation>%2 в степени %1</translation>
    </message>
    <message>
        <source>%2 squared</source>
        <translation>%2 в квадрате</translation>
    </message>
    <message>
        <source>%2 cubed</source>
        <translation>%2 в кубе</translation>
    </message>
    <message>
        <source>base</source>
        <translation>основание</translation>
    </message>
    <message>
        <source>Root</source>
        <translation>Корень</translation>
    </message>
    <message>
        <source>root of degree %1 of %2</source>
        <translation>корень степени %1 из %2</translation>
    </message>
    <message>
        <source>square root of %2</source>
        <translation>квадратный корень из %2</translation>
    </message>
    <message>
        <source>cube root of %2</source>
        <translation>кубический корень из %2</translation>
    </message>
    <message>
        <source>degree of root</source>
        <translation>показатель корня</translation>
    </message>
    <message>
        <source>expression under root</source>
        <translation>подкоренное выражение</translation>
    </message>
    <message>
        <source>Absolute value</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>absolute value of %1</source>
        <translation>модуль %1</translation>
    </message>
    <message>
        <source>argument of absolute value</source>
        <translation>аргумент модуля</translation>
    </message>
    <message>
        <source>Number in a base</source>
        <translation>Указание системы счисления</translation>
    </message>
    <message>
        <source>%1 in base %2</source>
        <translation>%1 по основанию %2</translation>
    </message>
    <message>
        <source>number</source>
        <translation>число</translation>
    </message>
    <message>
        <source>base of number</source>
        <translation>основание системы счисления</translation>
    </message>
    <message>
        <source>Logarithm</source>
        <translation>Логарифм</translation>
    </message>
    <message>
        <source>logarithm to base %2 of %3</source>
        <translation>логарифм по основанию %2 от %3</translation>
    </message>
    <message>
        <source>logarithm of %3</source>
        <translation>логарифм от %3</translation>
    </message>
    <message>
        <source>base of logarithm</source>
        <translation>основание логарифма</translation>
    </message>
    <message>
        <source>argument of logarithm</source>
        <translation>аргумент логарифма</translation>
    </message>
    <message>
        <source>Natural logarithm</source>
        <translation>Натуральный логарифм</translation>
    </message>
    <message>
        <source>natural logarithm of %2</source>
        <translation>натуральный логарифм от %2</translation>
    </message>
    <message>
        <source>argument of natural logarithm</source>
        <translation>аргумент натурального логарифма</translation>
    </message>
    <message>
        <source>Exponential</source>
        <translation>Экспонента</translation>
    </message>
    <message>
        <source>e to the power %2</source>
        <translation>e в степени %2</translation>
    </message>
    <message>
        <source>Factorial</source>
        <translation>Факториал</translation>
    </message>
    <message>
        <source>%1 factorial</source>
        <translation>факториал %1</translation>
    </message>
    <message>
        <source>argument of factorial</source>
        <translation>аргумент факториала</translation>
    </message>
    <message>
        <source>Fraction</source>
        <translation>Дробь</translation>
    </message>
    <message>
        <source>%1 over %2</source>
        <translation>%1 делить на %2</translation>
    </message>
    <message>
        <source>numerator</source>
        <translation>числитель</translation>
    </message>
    <message>
        <source>denominator</source>
        <translation>знаменатель</translation>
    </message>
    <message>
        <source>Mixed fraction</source>
        <translation>Дробь с целой частью</translation>
    </message>
    <message>
        <source>%1 and %2 over %3</source>
        <translation>%1 целых %2 делить на %3</translation>
    </message>
    <message>
        <source>whole part</source>
        <translation>целая часть</translation>
    </message>
    <message>
        <source>Open bracket</source>
        <translation>Открывающая скобка</translation>
    </message>
    <message>
        <source>Close bracket</source>
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
        <source>Variable x</source>
        <translation>Икс (переменная)</translation>
    </message>
    <message>
        <source>Exclusive or</source>
        <translation>Исключение (ИЛИ)</translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation>Сдвиг влево</translation>
    </message>
    <message>
        <source>Or</source>
        <translation>Дизъюнкция (ИЛИ)</translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation>Сдвиг вправо</translation>
    </message>
    <message>
        <source>And</source>
        <translation>Конъюкция (И)</translation>
    </message>
    <message>
        <source>Not</source>
        <translation>Отрицание</translation>
    </message>
    <message>
        <source>shift left</source>
        <translation>сдвиг влево</translation>
    </message>
    <message>
        <source>shift right</source>
        <translation>сдвиг вправо</translation>
    </message>
    <message>
        <source>less than or equal to</source>
        <translation>меньше или равно</translation>
    </message>
    <message>
        <source>greater than or equal to</source>
        <translation>больше или равно</translation>
    </message>
    <message>
        <source>is equal to</source>
        <translation>равно</translation>
    </message>
    <message>
        <source>is not equal to</source>
        <translation>не равно</translation>
    </message>
    <message>
        <source>and</source>
        <translation>и</translation>
    </message>
    <message>
        <source>or</source>
        <translation>или</translation>
    </message>
    <message>
        <source>plus</source>
        <translation>плюс</translation>
    </message>
    <message>
        <source>minus</source>
        <translation>минус</translation>
    </message>
    <message>
        <source>times</source>
        <translation>умножить на</translation>
    </message>
    <message>
        <source>divided by</source>
        <translation>разделить на</translation>
    </message>
    <message>
        <source>modulo</source>
        <translation>остаток от деления на</translation>
    </message>
    <message>
        <source>exclusive or</source>
        <translation>исключающее или</translation>
    </message>
    <message>
        <source>not</source>
        <translation>не</translation>
    </message>
    <message>
        <source>less than</source>
        <translation>меньше</translation>
    </message>
    <message>
        <source>greater than</source>
        <translation>больше</translation>
    </message>
    <message>
        <source>equals</source>
        <translation>равно</translation>
    </message>
    <message>
        <source>open bracket</source>
        <translation>открывающая скобка</translation>
    </message>
    <message>
        <source>close bracket</source>
        <translation>закрывающая скобка</translation>
    </message>
    <message>
        <source>comma</source>
        <translation>запятая</translation>
    </message>
    <message>
        <source>semicolon</source>
        <translation>точка с запятой</translation>
    </message>
    <message>
        <source>pi</source>
        <translation>пи</translation>
    </message>
    <message>
        <source>phi</source>
        <translation>фи</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>%1 equals %2, %3 of %4</source>
        <translation>%1 равно %2, %3 из %4</translation>
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
