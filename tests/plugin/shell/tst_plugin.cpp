#include "fakeengine.h"
#include "loadedplugin.h"
#include "settledlayout.h"
#include "toveltree.h"

#include <QSettings>
#include <QTextCodec>
#include <QtTest>

class PluginTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void castByName_data();
    void castByName();
    void resources();
    void calculation_data();
    void calculation();
    void previousAnswer_data();
    void previousAnswer();
    void engineOutput_data();
    void engineOutput();
    void longOutputWhole();
    void engineFailures_data();
    void engineFailures();
    void clearStopsEndlessEngine();
    void clearStopsEngineGently_data();
    void clearStopsEngineGently();
    void controlsChangeNothing();
    void clearStopsEndlessRealEngine();
    void focusGoesToFormula();
    void typingReachesFormula_data();
    void typingReachesFormula();
    void formulaStaysInView_data();
    void formulaStaysInView();
    void formulasStandOnOneLine_data();
    void formulasStandOnOneLine();
    void panelsAreIndependent();
    void settingsFile();
};

namespace
{

// Puts the directory first on PATH while it lives.
class PathFirst
{
public:
    explicit PathFirst(const QString &dir) : oldPath(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(dir) + ':' + oldPath);
    }
    ~PathFirst() { qputenv("PATH", oldPath); }

private:
    QByteArray oldPath;
};

} // namespace

void PluginTest::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QVERIFY2(pluginRoot(), "the built plug-in does not load");
    QVERIFY(loadedPlugin());
}

// The root object answers the interface's identifier and names, and no other.
void PluginTest::castByName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("interface");

    QTest::newRow("interface identifier") << QByteArray(QPluginInterface_iid) << true;
    QTest::newRow("interface class name") << QByteArray("QPluginInterface") << true;
    QTest::newRow("older interface version")
        << QByteArray("com.kestra.Tovel.QVisualInterface/1.0") << false;
    QTest::newRow("another interface") << QByteArray("org.qt-project.Qt.QStylePlugin") << false;
    QTest::newRow("identifier in other case")
        << QByteArray("com.kestra.tovel.qvisualinterface/1.1") << false;
}

void PluginTest::castByName()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, interface);
    QObject *root = pluginRoot();
    void *cast = root->qt_metacast(name.constData());
    QCOMPARE(cast != nullptr, interface);
    if (interface)
        QCOMPARE(cast, static_cast<void *>(loadedPlugin()));
    QCOMPARE(root->qt_metacast("QTovelPlugin"), static_cast<void *>(root));
}

// The icon has 32 by 32 pixels with alpha; the style sheet, stored in
// CP1251, arrives with its Russian comments intact.
void PluginTest::resources()
{
    const QPixmap icon = loadedPlugin()->icon().pixmap(32, 32);
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(icon.hasAlphaChannel());
    PanelWindow window;
    const QString styleSheet = window.panel->styleSheet();
    QVERIFY(styleSheet.startsWith(QStringLiteral("brisma { /* панель калькулятора */")));
    QVERIFY(styleSheet.contains(QStringLiteral("QFormulaKeyboard .QPushButton#showMenu:hover")));
    QCOMPARE(window.panel->metaObject()->className(), "brisma");
}

// Typing and key clicks, calculated by the built engine.
void PluginTest::calculation_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("shown");

    QTest::newRow("typing 1+2") << QStringList{"1+2"} << "1+2"
                                << "3\n";
    QTest::newRow("fraction key, 2, Up, 1")
        << QStringList{"{Дробь}", "2", "{Up}", "1"} << "((1)/(2))"
        << "0.5\n";
    QTest::newRow("digit keys") << QStringList{"{7}", "{*}", "{6}"} << "7*6"
                                << "42\n";
    QTest::newRow("root of a power beside an absolute value")
        << QStringList{"{Корень}", "{Степень}", "3",        "{Up}", "2",
                       "{Right}",  "{Right}",   "{Модуль}", "-2"}
        << "pow(pow(3,2),1/(2))abs(-2)"
        << "6\n";
    QTest::newRow("engine error") << QStringList{"2*"} << "2*"
                                  << "Syntax error\n";
    QTest::newRow("factorial key, 5") << QStringList{"{Факториал}", "5"} << "factorial(5)"
                                      << "120\n";
    QTest::newRow("3+, factorial key, 4")
        << QStringList{"3+", "{Факториал}", "4"} << "3+factorial(4)"
        << "27\n";
    QTest::newRow("sine squared plus cosine squared, leaving the sine by Right")
        << QStringList{"{Синус}", "pi", "{/}",       "6",  "{Up}", "2", "{Right}", "{End}",
                       "{Right}", "+",  "{Косинус}", "pi", "{/}",  "6", "{Up}",    "2"}
        << "pow(sin((pi/6)),2)+pow(cos((pi/6)),2)"
        << "1\n";
    QTest::newRow("a click right of a root leaves it")
        << QStringList{"(1+", "{Корень}", "5", "[right of Корень]", ")/2"}
        << "((1+pow(5,1/(2)))/(2))"
        << "1.618033988749895\n";
    QTest::newRow("the factorial's caption is passed over")
        << QStringList{"{Факториал}", "5", "{Left}", "{Left}", "2*"} << "2*factorial(5)"
        << "240\n";
    // Each template calculates the formula it draws.
    QTest::newRow("a logarithm as a divisor")
        << QStringList{"1", "{/}", "{Логарифм}", "8", "{Down}", "2"} << "1/log(8,2)"
        << "0.3333333333333333\n";
    QTest::newRow("a logarithm as an exponent")
        << QStringList{"2^", "{Логарифм}", "8", "{Down}", "2"} << "pow(2,log(8,2))"
        << "8\n";
    QTest::newRow("a negative mixed fraction")
        << QStringList{"{Дробь с целой частью}", "4", "{Up}", "3", "{Left}", "{Left}", "-2"}
        << "((-2)+((-2)<0?-(3):(3))/(4))"
        << "-2.75\n";
    QTest::newRow("a mixed fraction with a sum below")
        << QStringList{"{Дробь с целой частью}", "1+1", "{Up}", "1", "{Left}", "{Left}", "2"}
        << "((2)+((2)<0?-(1):(1))/(1+1))"
        << "2.5\n";
    QTest::newRow("a bracket closed after a function")
        << QStringList{"2*(", "{Косинус}", "0)+1"} << "2*(pow(cos(0),1))+1"
        << "3\n";
    QTest::newRow("sine to the power -1")
        << QStringList{"{Синус}", "1", "{Up}", "-1"} << "arcsin(1)"
        << "1.5707963267948966\n";
    QTest::newRow("a fraction and a power typed")
        << QStringList{"1/2", "{Right}", "+2^10"} << "((1)/(2))+pow(2,10)"
        << "1024.5\n";
    QTest::newRow("a text keeps its letter case") << QStringList{"\"Hello\""} << "\"Hello\""
                                                  << "Hello\n";
}

void PluginTest::calculation()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, sent);
    QFETCH(QString, shown);

    TovelTree tree(TovelTree::Shipped);
    PathFirst engine(tree.path(QStringLiteral("bin")));
    PanelWindow window;
    QVERIFY(window.open());
    window.play(steps);
    QTest::ignoreMessage(QtDebugMsg, qPrintable("brisma: starting tovel with args: " + sent));
    QVERIFY(window.driver.pressReturn());
    QCOMPARE(window.driver.answer(), shown);
}

// The last answer's last value takes the place of the word "Ans" in any
// letter case, a number in brackets; "CE" clears the formula, not the answer.
void PluginTest::previousAnswer_data()
{
    QTest::addColumn<QByteArray>("previous");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");

    QTest::newRow("Ans*2 after 3") << QByteArray("3\n") << "Ans*2"
                                   << "(3)*2";
    QTest::newRow("ans typed in any case") << QByteArray("3\n") << "aNs+ANS+ans"
                                           << "(3)+(3)+(3)";
    QTest::newRow("not inside a word") << QByteArray("3\n") << "answer"
                                       << "answer";
    QTest::newRow("answer of two lines") << QByteArray("1\n2\n") << "Ans"
                                         << "(2)";
    QTest::newRow("blanks around the answer") << QByteArray("  4 \n") << "Ans"
                                              << "(4)";
}

void PluginTest::previousAnswer()
{
    QFETCH(QByteArray, previous);
    QFETCH(QString, typed);
    QFETCH(QString, sent);

    FakeEngine engine;
    PanelWindow window;
    QVERIFY(window.open());
    engine.answer(previous);
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(window.driver.solve());
    window.driver.click(QStringLiteral("CE"));
    QCOMPARE(window.driver.answer(), QString::fromUtf8(previous));

    engine.answer("5\n");
    DisplayDriver::type(typed);
    QVERIFY(window.driver.pressReturn());
    QCOMPARE(engine.arguments(), QStringList({"1", sent}));
}

// Whatever the engine prints, answer or error, becomes the answer line's
// text with its line end, up to the first zero byte, in the locale's
// encoding; pieces of one answer are shown together.
void PluginTest::engineOutput_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QByteArray>("errEnd");
    QTest::addColumn<QString>("shown");

    QTest::newRow("answer") << QByteArray("3\n") << QByteArray() << QByteArray() << "3\n";
    QTest::newRow("error text") << QByteArray() << QByteArray("Syntax error\n") << QByteArray()
                                << "Syntax error\n";
    QTest::newRow("error and its line end apart")
        << QByteArray() << QByteArray("Syntax error") << QByteArray("\n") << "Syntax error\n";
    QTest::newRow("Cyrillic error") << QByteArray() << QString("Синтаксическая ошибка\n").toUtf8()
                                    << QByteArray() << "Синтаксическая ошибка\n";
    QTest::newRow("text ends at a zero byte") << QByteArray("12\0"
                                                            "34\n",
                                                            6)
                                              << QByteArray() << QByteArray() << "12";
    QTest::newRow("empty answer") << QByteArray("\n") << QByteArray() << QByteArray() << "\n";
    QTest::newRow("answer with the engine's warnings")
        << QByteArray("3\n") << QByteArray("Bug: QFileCache: Unable to read tovel_cache.dat\n")
        << QByteArray() << "3\n";
    QTest::newRow("error after the engine's warnings")
        << QByteArray()
        << QByteArray("Bug: QFileCache: Unable to read tovel_cache.dat\nCritical: no table\n"
                      "Syntax error\n")
        << QByteArray() << "Syntax error\n";
}

void PluginTest::engineOutput()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(QByteArray, errEnd);
    QFETCH(QString, shown);

    FakeEngine engine;
    PanelWindow window;
    QVERIFY(window.open());
    engine.answer("earlier\n");
    QVERIFY(window.driver.solve());
    engine.answer(out, err, errEnd);
    QTest::ignoreMessage(QtDebugMsg, "brisma: starting tovel with args: 7");
    DisplayDriver::type(QStringLiteral("7"));
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), shown);
    QCOMPARE(engine.arguments().last(), QStringLiteral("7"));
}

// Output over 1000 bytes is held whole, from its start; the tool tip holds
// it too, broken into lines.
void PluginTest::longOutputWhole()
{
    FakeEngine engine;
    PanelWindow window;
    QVERIFY(window.open());
    const QByteArray output = QByteArray(1000, 'a') + QByteArray(1500, 'b');
    engine.answer(output + '\n');
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), QString::fromLatin1(output + '\n'));
    QCOMPARE(window.driver.answerLine()->cursorPosition(), 0);
    const QString tip = window.driver.answerLine()->toolTip().remove(QLatin1Char('\n'));
    QVERIFY(tip == QString::fromLatin1(output) ||
            (tip.endsWith(QChar(0x2026)) && output.startsWith(tip.chopped(1).toLatin1())));
}

// An engine that cannot be started, or stops without an answer, says so in
// the answer line instead of leaving the previous answer there.
void PluginTest::engineFailures_data()
{
    QTest::addColumn<bool>("onPath");
    QTest::addColumn<QString>("shown");

    QTest::newRow("tovel missing from PATH") << false << "The engine tovel could not be started";
    QTest::newRow("engine killed by a signal") << true << "The engine stopped without an answer";
}

void PluginTest::engineFailures()
{
    QFETCH(bool, onPath);
    QFETCH(QString, shown);

    FakeEngine engine;
    engine.answer("3\n");
    PanelWindow window;
    QVERIFY(window.open());
    QVERIFY(window.driver.solve());
    engine.crash();
    QTemporaryDir emptyDir;
    const QByteArray path = qgetenv("PATH");
    if (!onPath)
        qputenv("PATH", QFile::encodeName(emptyDir.path()));
    window.driver.click(QStringLiteral("="));
    QTRY_COMPARE(window.driver.answer(), shown);
    qputenv("PATH", path);
}

// A line that never ends keeps the engine running, and "=" again starts no
// second one; "CE" stops it, the answer line says so, and the next "=" works
// again.
void PluginTest::clearStopsEndlessEngine()
{
    FakeEngine engine;
    engine.answer("3\n");
    PanelWindow window;
    QVERIFY(window.open());
    QVERIFY(window.driver.solve());
    engine.runEndlessly();
    DisplayDriver::type(QStringLiteral("9"));
    window.driver.click(QStringLiteral("="));
    QTRY_COMPARE(engine.arguments().size(), 2);
    window.driver.click(QStringLiteral("="));
    window.driver.click(QStringLiteral("CE"));
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(window.driver.answer(), QStringLiteral("Calculation stopped"));

    engine.answer("7\n");
    DisplayDriver::type(QStringLiteral("4"));
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), QStringLiteral("7\n"));
    QCOMPARE(engine.arguments(), QStringList({"", "9", "4"}));
}

// "CE" asks the engine to end and kills it only after a short grace; the
// panel does not wait meanwhile.
void PluginTest::clearStopsEngineGently_data()
{
    QTest::addColumn<bool>("deaf");
    QTest::newRow("engine ends on the request") << false;
    QTest::newRow("engine deaf to the request is killed") << true;
}

void PluginTest::clearStopsEngineGently()
{
    QFETCH(bool, deaf);

    FakeEngine engine;
    engine.runEndlessly(deaf);
    PanelWindow window;
    QVERIFY(window.open());
    window.driver.click(QStringLiteral("="));
    QTRY_VERIFY(!engine.arguments().isEmpty());
    // The engine may run before the panel hears that it has started.
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::Running);
    window.driver.click(QStringLiteral("CE"));
    if (deaf)
        QCOMPARE(window.driver.engine()->state(), QProcess::Running);
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(engine.endedOnRequest(), !deaf);
}

// Base, Prec and Angle are shown, but the engine never hears of them.
void PluginTest::controlsChangeNothing()
{
    FakeEngine engine;
    engine.answer("3\n");
    PanelWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(window.driver.solve());
    const QList<QSpinBox *> spins = window.driver.spinBoxes();
    QCOMPARE(spins.size(), 2);
    spins.at(0)->setValue(16);
    spins.at(1)->setValue(2);
    window.driver.angleBox()->addItem(QStringLiteral("deg"));
    QVERIFY(window.driver.solve());
    QCOMPARE(engine.arguments(), QStringList({"1+2", "1+2"}));
}

// The built engine on a line that never ends: "CE" stops it, and Ans is
// still the answer of the line before.
void PluginTest::clearStopsEndlessRealEngine()
{
    TovelTree tree(TovelTree::Shipped);
    PathFirst engine(tree.path(QStringLiteral("bin")));
    PanelWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(window.driver.pressReturn());
    window.driver.click(QStringLiteral("CE"));
    DisplayDriver::type(QStringLiteral("for(i=0,1,i=i);end"));
    window.driver.click(QStringLiteral("="));
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::Running);
    window.driver.click(QStringLiteral("CE"));
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(window.driver.answer(), QStringLiteral("Calculation stopped"));
    DisplayDriver::type(QStringLiteral("Ans*2"));
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), QStringLiteral("6\n"));
}

// The host gives the panel the focus; it lands in the input formula.
void PluginTest::focusGoesToFormula()
{
    PanelWindow window;
    QVERIFY(window.open());
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->metaObject()->className(), "QFormulaField");
    QVERIFY(
        window.panel->findChild<QWidget *>(QStringLiteral("inputPlace"))->isAncestorOf(focused));
}

// Typing always reaches the formula: screen keys, headers and the answer line
// never keep the focus, and Tab stays among the display's own controls.
// "CE" clears the formula.
void PluginTest::typingReachesFormula_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("button");

    QTest::newRow("right click on a key") << "key - 7" << int(Qt::RightButton);
    QTest::newRow("click in the answer line") << "answer line" << int(Qt::LeftButton);
    QTest::newRow("right click on a group header") << "groupHeader" << int(Qt::RightButton);
}

void PluginTest::typingReachesFormula()
{
    QFETCH(QString, clicked);
    QFETCH(int, button);

    FakeEngine engine;
    engine.answer("1\n");
    PanelWindow window;
    QVERIFY(window.open());
    QWidget *target = clicked == QLatin1String("answer line")
                          ? window.driver.answerLine()
                          : window.panel->findChild<QWidget *>(clicked);
    DisplayDriver::type(QStringLiteral("9"));
    window.driver.click(QStringLiteral("CE"));
    QTest::mouseClick(target, Qt::MouseButton(button));
    if (QWidget *menu = QApplication::activePopupWidget())
        menu->close();
    DisplayDriver::type(QStringLiteral("2"));
    QVERIFY(window.driver.solve());
    QCOMPARE(engine.arguments(), QStringList{"2"});
    QSet<QWidget *> stops;
    for (int i = 0; i < 40; ++i) {
        DisplayDriver::press(Qt::Key_Tab);
        stops.insert(QApplication::focusWidget());
    }
    QVERIFY(stops.size() <= 6);
    for (QWidget *stop : qAsConst(stops))
        QVERIFY(window.driver.answerLine()->parentWidget()->parentWidget()->isAncestorOf(stop));
}

// A long formula scrolls inside the display with its cursor in view and
// never widens the panel; the keys stay in place while a formula of a few
// lines grows, five roots one inside the other, whatever the formula's font:
// the panel's own, or fonts whose lines are small or large beside the pixels
// of the formulas' frames.
void PluginTest::formulaStaysInView_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pointSize");

    QTest::newRow("the panel's own font") << QString() << 0;
    QTest::newRow("small monospaced font") << "DejaVu Sans Mono" << 8;
    QTest::newRow("proportional font") << "DejaVu Sans" << 13;
    QTest::newRow("large serif font") << "DejaVu Serif" << 26;
}

void PluginTest::formulaStaysInView()
{
    QFETCH(QString, family);
    QFETCH(int, pointSize);

    PanelWindow window;
    if (!family.isEmpty())
        window.panel->findChild<QWidget *>(QStringLiteral("Поле для ввода"))
            ->setFont(QFont(family, pointSize, QFont::Bold));
    // Shown at its own size, as the host shows it, the panel follows its
    // size hint.
    window.panel->setAttribute(Qt::WA_Resized, false);
    QVERIFY(window.open());
    window.panel->resize(window.panel->sizeHint());
    QVERIFY(settleLayout(window.panel.get()));
    const int width = window.panel->width();
    auto *key = window.panel->findChild<QWidget *>(QStringLiteral("key - Корень"));
    const QPoint keyPlace = key->mapTo(window.panel.get(), QPoint());
    for (int i = 0; i < 5; ++i)
        window.clickKey(QStringLiteral("Корень"));
    QVERIFY(settleLayout(window.panel.get()));
    QCOMPARE(key->mapTo(window.panel.get(), QPoint()), keyPlace);
    DisplayDriver::press(Qt::Key_End);
    QWidget *field = QApplication::focusWidget();
    for (int i = 1; i <= 60; ++i)
        DisplayDriver::type(QStringLiteral("+%1").arg(i));
    QVERIFY(settleLayout(window.panel.get()));
    QVERIFY(field->width() > window.panel->width());
    QCOMPARE(window.panel->width(), width);
    QWidget *view = field;
    while (view->parentWidget()->objectName() != QLatin1String("inputPlace"))
        view = view->parentWidget();
    QVERIFY(field->mapTo(view, QPoint(field->width() - 1, 0)).x() < view->width());
    DisplayDriver::press(Qt::Key_Home);
    QVERIFY(settleLayout(window.panel.get()));
    QVERIFY(field->mapTo(view, QPoint(0, 0)).x() >= 0);
}

// Each panel has its own display, keyboard and catalogue: a key click in one
// never reaches the other, and either goes on working after the other is gone.
void PluginTest::panelsAreIndependent()
{
    FakeEngine engine;
    engine.answer("1\n");
    PanelWindow first;
    auto second = std::make_unique<PanelWindow>();
    QVERIFY(first.panel != second->panel);
    QVERIFY(second->open());
    second->clickKey(QStringLiteral("7"));
    QVERIFY(second->driver.solve());
    QVERIFY(first.open());
    first.clickKey(QStringLiteral("Дробь"));
    first.clickKey(QStringLiteral("9"));
    DisplayDriver::press(Qt::Key_Up);
    first.clickKey(QStringLiteral("8"));
    QVERIFY(first.driver.solve());
    second.reset();
    first.clickKey(QStringLiteral("7"));
    QVERIFY(first.driver.solve());
    QCOMPARE(engine.arguments(), QStringList({"7", "((8)/(9))", "((87)/(9))"}));
}

// The keyboard keeps its groups' visibility in the settings file that the
// host names.
void PluginTest::settingsFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("panel.ini"));
    delete loadedPlugin()->createWidget(file);
    QSettings settings(file, QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("brisma/group0visible")).toBool(), true);
    QCOMPARE(settings.value(QStringLiteral("brisma/group3visible")).toBool(), false);
}

// Text beside a taller nested formula stands on the formula's axis: the
// fraction's bar, the line of the sine's caption and argument.
void PluginTest::formulasStandOnOneLine_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("axis");

    QTest::newRow("1+ beside a fraction with a fraction above its bar")
        << QStringList{"1+", "{Дробь}", "{Up}", "{Дробь}"} << "item [1; 0] of \"Дробь\"";
    QTest::newRow("-2+ beside a sine with its exponent")
        << QStringList{"-2+", "{Синус}", "x+1"} << "field [1; 0] of \"Синус\"";
}

void PluginTest::formulasStandOnOneLine()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, axis);

    PanelWindow window;
    QVERIFY(window.open());
    window.play(steps);
    auto *rootField =
        window.panel->findChild<QWidget *>(QStringLiteral("field [0; 0] of \"Поле для ввода\""));
    auto *plus = rootField->findChild<QWidget *>(QStringLiteral("+"));
    auto *axisWidget = rootField->findChild<QWidget *>(axis);
    QVERIFY(plus && axisWidget);
    const auto middle = [&window](QWidget *widget) {
        return widget->mapTo(window.panel.get(), widget->rect().center()).y();
    };
    QVERIFY(settleLayout(window.panel.get()));
    QVERIFY2(qAbs(middle(plus) - middle(axisWidget)) <= 2,
             qPrintable(QStringLiteral("%1 against %2").arg(middle(plus)).arg(middle(axisWidget))));
}

QTEST_MAIN(PluginTest)
#include "tst_plugin.moc"
