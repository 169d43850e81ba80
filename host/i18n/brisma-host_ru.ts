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
        <source>Copy &amp;formula</source>
        <translation>Копировать &amp;формулу</translation>
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
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Использование: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[параметры]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Параметры:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Аргументы:</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Показывает справку по параметрам командной строки.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Показывает справку, включая параметры Qt.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Показывает сведения о версии.</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Неизвестный параметр «%1».</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Неизвестные параметры: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Нет значения после «%1».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Лишнее значение после «%1».</translation>
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
