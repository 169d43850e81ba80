<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>HostWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Copy answer</source>
        <translation>&amp;Копировать ответ</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Вставить</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Очистить</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;About %1</source>
        <translation>&amp;О программе %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shows the calculator panel of the brisma plug-in in a window.</source>
        <translation>Показывает панель калькулятора модуля brisma в окне.</translation>
    </message>
    <message>
        <source>Load the plug-in from &lt;file&gt;.</source>
        <translation>Загрузить модуль из файла &lt;file&gt;.</translation>
    </message>
    <message>
        <source>Keep the panel's settings in the INI file &lt;file&gt;.</source>
        <translation>Хранить настройки панели в INI-файле &lt;file&gt;.</translation>
    </message>
    <message>
        <source>Type &lt;input&gt;, if given, calculate it, save a PNG picture of the panel to &lt;file&gt;, print the answer line and exit.</source>
        <translation>Набрать &lt;input&gt;, если задан, вычислить, сохранить снимок панели в PNG-файл &lt;file&gt;, вывести строку ответа и выйти.</translation>
    </message>
    <message>
        <source>What to type and calculate first. {Up}, {Down}, {Left}, {Right}, {Home} and {End} press those keys; {Name} clicks the screen key of the formula Name.</source>
        <translation>Что набрать и вычислить сначала. {Up}, {Down}, {Left}, {Right}, {Home} и {End} нажимают эти клавиши; {Name} нажимает экранную клавишу формулы Name.</translation>
    </message>
</context>
</TS>
