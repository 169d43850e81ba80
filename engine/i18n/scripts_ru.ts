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
    <message>
        <source>convert (x, base): numeric base must be a whole number</source>
        <translation>convert (x, base): аргумент base должен быть целым числом</translation>
    </message>
    <message>
        <source>convert (x, base): base 1 takes whole numbers from 0 to 4096</source>
        <translation>convert (x, base): при base = 1 аргумент x должен быть целым числом от 0 до 4096</translation>
    </message>
</context>
<context>
    <name>frombase</name>
    <message>
        <source>%1: the base must be a whole number from 2 to 36</source>
        <translation>%1: основание должно быть целым числом от 2 до 36</translation>
    </message>
    <message>
        <source>%1: there is no numeral before the base</source>
        <translation>%1: перед основанием нет числа</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a digit in base %3</source>
        <translation>%1: &quot;%2&quot; не является цифрой системы счисления с основанием %3</translation>
    </message>
</context>
<context>
    <name>wholecheck</name>
    <message>
        <source>%1: whole numbers only, not %2</source>
        <translation>%1: допустимы только целые числа, а не %2</translation>
    </message>
</context>
<context>
    <name>binom</name>
    <message>
        <source>binom(n, k): n must not be negative</source>
        <translation>binom(n, k): n не может быть отрицательным</translation>
    </message>
</context>
<context>
    <name>domain</name>
    <message>
        <source>%1: the arguments must be at most 2^53 in magnitude</source>
        <translation>%1: аргументы должны быть не больше 2^53 по модулю</translation>
    </message>
    <message>
        <source>%1: the argument must be a number</source>
        <translation>%1: аргумент должен быть числом</translation>
    </message>
    <message>
        <source>%1: the argument must be finite</source>
        <translation>%1: аргумент должен быть конечным числом</translation>
    </message>
    <message>
        <source>%1: the argument must not be an odd multiple of pi/2</source>
        <translation>%1: аргумент не должен быть нечётным кратным pi/2</translation>
    </message>
    <message>
        <source>%1: the argument must not be a multiple of pi</source>
        <translation>%1: аргумент не должен быть кратным pi</translation>
    </message>
    <message>
        <source>%1: the argument must be from -1 to 1</source>
        <translation>%1: аргумент должен быть от -1 до 1</translation>
    </message>
    <message>
        <source>%1: the argument must be at least 1</source>
        <translation>%1: аргумент должен быть не меньше 1</translation>
    </message>
    <message>
        <source>%1: the argument must not be between -1 and 1</source>
        <translation>%1: аргумент не должен лежать между -1 и 1</translation>
    </message>
    <message>
        <source>%1: the argument must not be negative</source>
        <translation>%1: аргумент не может быть отрицательным</translation>
    </message>
    <message>
        <source>%1: a negative base takes only whole exponents and odd roots</source>
        <translation>%1: отрицательное основание допускает только целые показатели и корни нечётной степени</translation>
    </message>
    <message>
        <source>%1: the number of decimals must be a whole number</source>
        <translation>%1: число знаков после запятой должно быть целым</translation>
    </message>
    <message>
        <source>%1: there must be at least one argument</source>
        <translation>%1: нужен хотя бы один аргумент</translation>
    </message>
</context>
</TS>
