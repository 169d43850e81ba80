#include "fakeengine.h"
#include "loadedplugin.h"
#include "toveltree.h"

#include <QLibrary>
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
    void verificationData();
    void resources();
    void calculation_data();
    void calculation();
    void previousAnswer();
    void focusGoesToFormula();
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

// The verification text names this toolkit's version, as a host expects.
void PluginTest::verificationData()
{
    QLibrary library(QStringLiteral(BRISMA_PLUGIN));
    using Query = const char *(*)();
    const auto query =
        reinterpret_cast<Query>(library.resolve("qt_plugin_query_verification_data"));
    QVERIFY(query);
    const QStringList lines = QString::fromLatin1(query()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), QStringLiteral("pattern=QT_PLUGIN_VERIFICATION_DATA"));
    QCOMPARE(lines.at(1), QStringLiteral("version=" QT_VERSION_STR));
    QVERIFY(lines.at(2) == QLatin1String("debug=false") ||
            lines.at(2) == QLatin1String("debug=true"));
    QVERIFY(lines.at(3).startsWith(QLatin1String("buildkey=")));
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
        << QStringList{"{Корень}", "{Степень}", "3",     "{Up}",     "2", "{Up}",
                       "{Up}",     "{Up}",      "{End}", "{Модуль}", "-2"}
        << "pow(pow(3,2),1/(2))abs(-2)"
        << "6\n";
    QTest::newRow("engine error") << QStringList{"2*"} << "2*"
                                  << "Syntax error\n";
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

// The answer line feeds "Ans"; "CE" clears the formula and keeps the answer.
void PluginTest::previousAnswer()
{
    FakeEngine engine;
    engine.answer("3\n");
    PanelWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(window.driver.pressReturn());
    QCOMPARE(window.driver.answer(), QStringLiteral("3\n"));
    window.driver.click(QStringLiteral("CE"));
    QCOMPARE(window.driver.answer(), QStringLiteral("3\n"));
    DisplayDriver::type(QStringLiteral("Ans*2"));
    QVERIFY(window.driver.solve());
    QCOMPARE(engine.arguments(), QStringList({"1+2", "3*2"}));
}

// The host gives the panel the focus; it lands in the input formula.
void PluginTest::focusGoesToFormula()
{
    PanelWindow window;
    QVERIFY(window.open());
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->metaObject()->className(), "QFormulaField");
    QCOMPARE(focused->parentWidget()->parentWidget()->objectName(), QStringLiteral("inputPlace"));
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
    QVERIFY(first.driver.solve());
    second.reset();
    first.clickKey(QStringLiteral("9"));
    QVERIFY(first.driver.solve());
    QCOMPARE(engine.arguments(), QStringList({"7", "((0)/(0))", "((0)/(9))"}));
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

QTEST_MAIN(PluginTest)
#include "tst_plugin.moc"
